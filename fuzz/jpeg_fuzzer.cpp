// Decodes arbitrary bytes as a JPEG. There is no JPEG writer to go back
// through, so what decodes must at least decode the same twice (no pixel
// left unset) with every fourth byte clear.
#include "FuzzSupport.h"

#include "platform/ImageIO.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    using orvane::fuzz::Check;
    const DecodeResult result = ReadJpeg({data, size});
    if (!result.Ok()) {
        Check(result.Error.rfind("JPEG: ", 0) == 0, "a JPEG error does not name the format: " + result.Error);
        return 0;
    }
    const Bitmap& picture = result.Picture;
    Check(!picture.IsEmpty() && picture.Width() <= kMaxBitmapSide && picture.Height() <= kMaxBitmapSide,
          "a decoded JPEG has no sane size");
    Check(std::all_of(picture.Data(), picture.Data() + picture.PixelCount(), [](uint32_t p) { return p >> 24 == 0; }),
          "a decoded JPEG pixel carries a fourth byte");
    const DecodeResult again = ReadJpeg({data, size});
    Check(again.Ok() && again.Picture == picture, "a JPEG decodes differently the second time");
    return 0;
}
