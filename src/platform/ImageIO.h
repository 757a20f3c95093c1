#pragma once

#include "Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// A decoded picture, or the reason it could not be decoded (naming the format
// and the field at fault). Decoders never trust a size or offset in the data.
struct DecodeResult {
    Bitmap Picture;
    std::string Error;

    bool Ok() const { return Error.empty(); }
};

// BMP: 1, 4, 8 (with palettes), 24 and 32 bits, bottom-up and top-down.
DecodeResult ReadBmp(std::span<const uint8_t> data);
// BMP writing at 24 or 32 bits per pixel (32 keeps the fourth byte).
std::vector<uint8_t> WriteBmp(const Bitmap& bitmap, int bitsPerPixel);

// JPEG: grey, RGB and CMYK (Adobe inverted too) to 32-bit pixels.
DecodeResult ReadJpeg(std::span<const uint8_t> data);

// PNG: any bit depth and colour type to 32-bit pixels (alpha dropped).
DecodeResult ReadPng(std::span<const uint8_t> data);
// PNG writing: 8-bit RGB, the fourth byte dropped.
std::vector<uint8_t> WritePng(const Bitmap& bitmap);

// Reads a BMP, JPEG or PNG file, chosen by its first bytes.
DecodeResult LoadPictureFile(const std::filesystem::path& path);

}  // namespace orvane
