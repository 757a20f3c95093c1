#pragma once

#include "platform/Bitmap.h"

#include <QIcon>
#include <QString>

namespace orvane {

// A main-window glyph from the resources ("save" is ":/mainwindow/save.png",
// with its @2x picture for high-DPI screens).
QIcon Glyph(const QString& name);
// A 16 x 16 resource glyph as a bitmap, its transparent pixels green, for
// the colour-strip glyphs.
Bitmap GlyphBitmap(const QString& name);
// SetBoxColor's result as an icon, its key colour transparent.
QIcon StripIcon(const Bitmap& glyph, uint32_t colour);
// A bitmap whose zero pixels are transparent, as an icon.
QIcon BitmapIcon(const Bitmap& bitmap);

}  // namespace orvane
