#include "Icons.h"

#include "platform/Text.h"
#include "render/ColourSkins.h"

#include <QImage>
#include <QPixmap>

namespace orvane {

namespace {
constexpr uint32_t kGreenKey = 0x00FF00;  // a pixel value: green in byte 1
}

QIcon Glyph(const QString& name) { return QIcon(":/mainwindow/" + name + ".png"); }

Bitmap GlyphBitmap(const QString& name) {
    const QImage image = QImage(":/mainwindow/" + name + ".png").convertToFormat(QImage::Format_ARGB32);
    Bitmap glyph(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb p = x < image.width() && y < image.height() ? image.pixel(x, y) : 0;
            glyph.At(x, y) = qAlpha(p) < 128 ? kGreenKey : (p & 0xFFFFFF);
        }
    return glyph;
}

QIcon StripIcon(const Bitmap& glyph, uint32_t colour) {
    const ColourGlyph painted = SetBoxColor(glyph, kGreenKey, ResolveColor(colour));
    const Bitmap& picture = painted.Picture;
    QImage image(picture.Width(), picture.Height(), QImage::Format_ARGB32);
    const QRgb key = qRgb(ColorRed(painted.TransparentKey), ColorGreen(painted.TransparentKey),
                          ColorBlue(painted.TransparentKey));
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            const QRgb p = picture.At(x, y) | 0xFF000000u;
            image.setPixel(x, y, (p & 0xFFFFFF) == (key & 0xFFFFFF) ? 0 : p);
        }
    return QIcon(QPixmap::fromImage(image));
}

QIcon BitmapIcon(const Bitmap& bitmap) {
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const uint32_t p = bitmap.At(x, y) & 0xFFFFFF;
            image.setPixel(x, y, p ? (p | 0xFF000000u) : 0);
        }
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace orvane
