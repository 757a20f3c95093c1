// Decodes arbitrary bytes as a BMP. Whatever decodes must survive being
// written at 32 bits and read back unchanged.
#include "FuzzSupport.h"

#include "platform/ImageIO.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    using orvane::fuzz::Check;
    const DecodeResult result = ReadBmp({data, size});
    if (!result.Ok()) {
        Check(result.Error.rfind("BMP: ", 0) == 0, "a BMP error does not name the format: " + result.Error);
        return 0;
    }
    const Bitmap& picture = result.Picture;
    Check(!picture.IsEmpty() && picture.Width() <= kMaxBitmapSide && picture.Height() <= kMaxBitmapSide,
          "a decoded BMP has no sane size");
    const DecodeResult again = ReadBmp(WriteBmp(picture, 32));
    Check(again.Ok() && again.Picture == picture, "a BMP written at 32 bits does not read back the same");
    return 0;
}
