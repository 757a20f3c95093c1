#pragma once

// What the picture decoders of every system check before they allocate, and
// the colour conversions they share. Used by the platform layer only.

#include "platform/Bitmap.h"

#include <cstdint>
#include <string>

namespace orvane {

// Deflate cannot shrink data by more than this; a PNG header promising more
// pixels than the file could hold is refused before anything is allocated.
inline constexpr uint64_t kMaxDeflateRatio = 1032;

// Multi-scan JPEG pictures keep every coefficient in memory; a forged header
// must not make a few hundred bytes cost gigabytes.
inline constexpr uint64_t kMaxWholeImageBuffers = uint64_t(512) << 20;

// Why a picture side read from a header is refused ("JPEG: image width 0 is
// not in 1 to 16384"), or empty when it is in range.
std::string PictureSideProblem(const char* format, const char* side, uint64_t value);

// "PNG: 200 bytes cannot hold a 16384 x 16384 picture"
std::string PictureDataProblem(const char* format, size_t dataSize, uint64_t width, uint64_t height);

// "JPEG: decoding needs more than 512 MB"
std::string PictureMemoryProblem(const char* format);

// A pixel from CMYK ink amounts (0 no ink, 255 full), each ink taking away
// its share of the light.
inline uint32_t PixelFromInk(unsigned c, unsigned m, unsigned y, unsigned k) {
    auto light = [k](unsigned ink) { return uint8_t(((255u - ink) * (255u - k) + 127) / 255); };
    return MakePixel(light(c), light(m), light(y));
}

}  // namespace orvane
