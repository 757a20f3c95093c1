// Decodes arbitrary bytes as a PNG. Every pixel comes out with its fourth
// byte clear, and whatever decodes survives the PNG writer unchanged.
#include "FuzzSupport.h"

#include "platform/ImageIO.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    using orvane::fuzz::Check;
    const DecodeResult result = ReadPng({data, size});
    if (!result.Ok()) {
        Check(result.Error.rfind("PNG: ", 0) == 0, "a PNG error does not name the format: " + result.Error);
        return 0;
    }
    const Bitmap& picture = result.Picture;
    Check(!picture.IsEmpty() && picture.Width() <= kMaxBitmapSide && picture.Height() <= kMaxBitmapSide,
          "a decoded PNG has no sane size");
    Check(std::all_of(picture.Data(), picture.Data() + picture.PixelCount(), [](uint32_t p) { return p >> 24 == 0; }),
          "a decoded PNG pixel carries a fourth byte");
    const DecodeResult again = ReadPng(WritePng(picture));
    Check(again.Ok() && again.Picture == picture, "a PNG written again does not read back the same");
    return 0;
}
