#include "ui/qt/QtConvert.h"

namespace orvane {

QImage ToQImage(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return QImage();
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y) {
        auto* line = reinterpret_cast<uint32_t*>(image.scanLine(y));
        const uint32_t* row = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x) line[x] = row[x] | 0xFF000000u;
    }
    return image;
}

}  // namespace orvane
