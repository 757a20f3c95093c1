#include "platform/ImageIO.h"

#include <cstdlib>

// Decodes arbitrary bytes as a BMP. Whatever decodes must survive being
// written at 32 bits and read back unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto result = orvane::ReadBmp({data, size});
    if (!result.Ok()) {
        if (result.Error.rfind("BMP: ", 0) != 0) std::abort();
        return 0;
    }
    const auto& picture = result.Picture;
    if (picture.IsEmpty() || picture.Width() > orvane::kMaxBitmapSide || picture.Height() > orvane::kMaxBitmapSide)
        std::abort();
    const auto again = orvane::ReadBmp(orvane::WriteBmp(picture, 32));
    if (!again.Ok() || !(again.Picture == picture)) std::abort();
    return 0;
}
