#pragma once

#include "document/ByteStream.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <vector>

namespace orvane {

class Platform;

// The largest picture a reader accepts, checked before anything is allocated.
struct PictureBounds {
    int32_t MaxWidth;
    int32_t MaxHeight;
};

// Half again the largest picture the editor makes (an auto-sized menu of
// kLargestMenuWidth x kLargestMenuHeight): what any stored picture may be.
inline constexpr PictureBounds kStoredPictureBounds{6144, 7200};
// A style sheet (136 x 194) or a button style's strip (96 x 32), with room.
inline constexpr PictureBounds kArtworkPictureBounds{1024, 1024};

// Reads a bitmap record into bitmap: sized once, the pixels inflated (or
// copied) straight into it. Throws RecordFormatError for a damaged record or
// one beyond bounds; bitmap is left alone then.
void ReadCompressedBitmap(ByteSource& in, Bitmap& bitmap, PictureBounds bounds = kStoredPictureBounds);
void ReadRawBitmap(ByteSource& in, Bitmap& bitmap, PictureBounds bounds = kStoredPictureBounds);

// A pixel grid that mirrors a 32-bit bitmap, and the two record forms in which
// pictures are stored: compressed (zlib, level 9) and raw. Row 0 is the top.
struct TBmpArray {
    std::vector<uint32_t> Pixels;  // Pixel(x, y) = Pixels[y * Stride + x]
    int32_t Stride = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    ::orvane::Bitmap Bitmap;

    uint32_t& Pixel(int x, int y) { return Pixels[size_t(y) * size_t(Stride) + size_t(x)]; }
    uint32_t Pixel(int x, int y) const { return Pixels[size_t(y) * size_t(Stride) + size_t(x)]; }

    // Sizes the bitmap and the grid to Width x Height when Width > 0.
    void Init();
    // Bitmap -> grid, with one spare column and row.
    void FromBitmap();
    // Grid -> bitmap.
    void ToBitmap();

    // Traces the sizes when a platform is given.
    void WriteCompressed(ByteSink& out, Platform* platform) const;
    // Throws RecordFormatError for a damaged record; nothing is allocated
    // before the sizes have been checked against the record.
    void ReadCompressed(ByteSource& in);
    void WriteRaw(ByteSink& out) const;
    void ReadRaw(ByteSource& in);
};

}  // namespace orvane
