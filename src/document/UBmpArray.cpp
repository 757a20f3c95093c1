#include "UBmpArray.h"

#include <zlib.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace orvane {
namespace {

// The pixel block is little-endian 32-bit pixels: inflated straight into a bitmap's pixels.
static_assert(std::endian::native == std::endian::little);

void CheckSize(int64_t width, int64_t height, PictureBounds bounds) {
    if (width < 0 || height < 0 || width > bounds.MaxWidth || height > bounds.MaxHeight)
        throw RecordFormatError("picture size " + std::to_string(width) + " x " + std::to_string(height) +
                                " is out of range");
}

void AllocateExact(TBmpArray& a, int32_t width, int32_t height) {
    a.Width = width;
    a.Height = height;
    a.Stride = width;
    a.Pixels.assign(size_t(width) * size_t(height), 0);
}

void GridFromBitmap(TBmpArray& a, const Bitmap& picture) {
    AllocateExact(a, picture.Width(), picture.Height());
    std::copy_n(picture.Data(), picture.PixelCount(), a.Pixels.data());
}

}  // namespace

void TBmpArray::Init() {
    Bitmap = ::orvane::Bitmap();
    if (Width > 0) {
        Bitmap.SetSize(Width, Height);
        Bitmap.Fill(0x808080);
        AllocateExact(*this, Width, Height);
    }
}

void TBmpArray::FromBitmap() {
    Width = Bitmap.Width();
    Height = Bitmap.Height();
    Stride = Width + 1;
    Pixels.assign(size_t(Width + 1) * size_t(Height + 1), 0);
    for (int y = 0; y < Height; ++y) std::copy_n(Bitmap.Row(y), Width, &Pixel(0, y));
}

void TBmpArray::ToBitmap() {
    ::orvane::Bitmap picture(Width, Height);
    for (int y = 0; y < Height; ++y) std::copy_n(&Pixel(0, y), Width, picture.Row(y));
    Bitmap = std::move(picture);
}

void ReadCompressedBitmap(ByteSource& in, Bitmap& bitmap, PictureBounds bounds) {
    const int32_t width = in.I32();
    const int32_t height = in.I32();
    CheckSize(width, height, bounds);
    const int32_t packed = in.I32();
    if (packed < 4 || size_t(packed) > in.Remaining())
        throw RecordFormatError("compressed picture length " + std::to_string(packed) +
                                " does not fit the record");
    ByteSource part(in.Take(size_t(packed)));
    const uint32_t expected = part.U32();
    const uint64_t needed = uint64_t(width) * uint64_t(height) * 4;
    if (expected != needed)
        throw RecordFormatError("picture length " + std::to_string(expected) + " does not match " +
                                std::to_string(width) + " x " + std::to_string(height));
    // Deflate expands at most about 1032 to 1: refuse sizes the data cannot hold
    // before allocating for them.
    const auto zipped = part.Take(part.Remaining());
    if (needed > uint64_t(zipped.size()) * 1032 + 1024)
        throw RecordFormatError("compressed picture data is too short for " + std::to_string(width) + " x " +
                                std::to_string(height));
    ::orvane::Bitmap picture;
    picture.SetSize(width, height);
    if (needed > 0) {
        z_stream z{};
        if (inflateInit(&z) != Z_OK) throw RecordFormatError("picture data does not inflate");
        z.next_in = const_cast<Bytef*>(zipped.data());
        z.avail_in = uInt(zipped.size());
        z.next_out = reinterpret_cast<Bytef*>(picture.Data());
        z.avail_out = uInt(needed);
        const int status = inflate(&z, Z_FINISH);
        const bool complete = z.avail_out == 0 && (status == Z_STREAM_END || status == Z_OK || status == Z_BUF_ERROR);
        inflateEnd(&z);
        if (!complete) throw RecordFormatError("picture data does not inflate");
    }
    bitmap = std::move(picture);
}

void ReadRawBitmap(ByteSource& in, Bitmap& bitmap, PictureBounds bounds) {
    const int32_t width = in.I32();
    const int32_t height = in.I32();
    CheckSize(width, height, bounds);
    const auto block = in.Take(size_t(width) * size_t(height) * 4);
    ::orvane::Bitmap picture;
    picture.SetSize(width, height);
    if (!block.empty()) std::memcpy(picture.Data(), block.data(), block.size());
    bitmap = std::move(picture);
}

void TBmpArray::ReadCompressed(ByteSource& in) {
    ::orvane::Bitmap picture;
    ReadCompressedBitmap(in, picture);
    GridFromBitmap(*this, picture);
}

void TBmpArray::ReadRaw(ByteSource& in) {
    ::orvane::Bitmap picture;
    ReadRawBitmap(in, picture);
    GridFromBitmap(*this, picture);
}

}  // namespace orvane
