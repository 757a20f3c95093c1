#pragma once

// The crossings between the core's values and Qt's, for every window.

#include "platform/Bitmap.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string_view>

namespace orvane {

// UTF-8 text as Qt text.
inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

inline QRect Q(const Rect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

// A copy of a bitmap as an opaque image (the core leaves byte 3 unset).
QImage ToQImage(const Bitmap& bitmap);

}  // namespace orvane
