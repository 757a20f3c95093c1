#pragma once

#include "platform/Rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// Largest side a picture may have; anything bigger read from a file is refused.
inline constexpr int kMaxBitmapSide = 16384;

// A 32-bit picture with its own storage. Pixel layout: blue in byte 0, green in
// byte 1, red in byte 2, byte 3 carried but never set by the drawing code.
class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, uint32_t fill = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool IsEmpty() const { return width_ == 0 || height_ == 0; }

    // Resizes to width x height; the content is undefined afterwards unless it
    // is filled. Negative sizes or sides above kMaxBitmapSide throw
    // std::length_error.
    void SetSize(int width, int height);
    void Fill(uint32_t pixel);

    uint32_t* Row(int y);
    const uint32_t* Row(int y) const;
    uint32_t& At(int x, int y);
    uint32_t At(int x, int y) const;

    uint32_t* Data() { return pixels_.data(); }
    const uint32_t* Data() const { return pixels_.data(); }
    size_t PixelCount() const { return pixels_.size(); }

    bool operator==(const Bitmap&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Pixel <-> colour value. A pixel holds blue in byte 0 and red in byte 2; a
// colour value (as documents store it) holds red in its low byte.
inline constexpr uint8_t PixelBlue(uint32_t p) { return static_cast<uint8_t>(p); }
inline constexpr uint8_t PixelGreen(uint32_t p) { return static_cast<uint8_t>(p >> 8); }
inline constexpr uint8_t PixelRed(uint32_t p) { return static_cast<uint8_t>(p >> 16); }
inline constexpr uint32_t MakePixel(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(blue) | (uint32_t(green) << 8) | (uint32_t(red) << 16);
}

inline constexpr uint8_t ColorRed(uint32_t c) { return static_cast<uint8_t>(c); }
inline constexpr uint8_t ColorGreen(uint32_t c) { return static_cast<uint8_t>(c >> 8); }
inline constexpr uint8_t ColorBlue(uint32_t c) { return static_cast<uint8_t>(c >> 16); }
inline constexpr uint32_t MakeColor(uint8_t red, uint8_t green, uint8_t blue) {
    return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
}

// Swaps bytes 0 and 2; the fourth byte becomes 0.
// A colour value whose top byte is 0xFF names a system colour by the index in
// its low byte; any other value is red, green and blue.
inline constexpr bool IsSystemColor(uint32_t c) { return (c >> 24) == 0xFF; }
inline constexpr int SystemColorIndex(uint32_t c) { return static_cast<int>(c & 0xFF); }
inline constexpr uint32_t ColorRgb(uint32_t c) { return c & 0x00FFFFFF; }
inline constexpr uint32_t PixelToColor(uint32_t p) {
    return MakeColor(PixelRed(p), PixelGreen(p), PixelBlue(p));
}
inline constexpr uint32_t ColorToPixel(uint32_t c) {
    return MakePixel(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

// Copies src's rectangle s onto dst's rectangle d, nearest neighbour, source
// copy (all four bytes). The mapping is exact: destination pixel x takes source
// column s.Left + floor((x - d.Left + 0.5) * s.Width / d.Width). Destination
// pixels outside dst and samples outside src are left alone.
void StretchCopy(const Bitmap& src, const Rect& s, Bitmap& dst, const Rect& d);

// Fills the part of r that lies inside the bitmap.
void FillRect(Bitmap& bitmap, const Rect& r, uint32_t pixel);

// Copies all of src into dst at (x, y), clipped.
void CopyInto(const Bitmap& src, Bitmap& dst, int x, int y);

}  // namespace orvane
