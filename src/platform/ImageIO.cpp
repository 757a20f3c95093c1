#include "ImageIO.h"

#include "Errors.h"
#include "FileUtil.h"
#include "platform/PathText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdio>

namespace orvane {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;
// Pixels per metre at 96 DPI.
constexpr uint32_t kPixelsPerMetre96Dpi = 3780;

enum BmpCompression : uint32_t {
    kBiRgb = 0,
    kBiRle8 = 1,
    kBiRle4 = 2,
    kBiBitfields = 3,
    kBiAlphaBitfields = 6,
};

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// One colour channel of a 16- or 32-bit pixel, as a run of bits.
struct Channel {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    uint8_t Extract(uint32_t value) const {
        if (Bits == 0) return 0;
        const uint32_t v = (value & Mask) >> Shift;
        if (Bits >= 8) return uint8_t(v >> (Bits - 8));
        const uint32_t max = (1u << Bits) - 1;
        return uint8_t((v * 255 + max / 2) / max);
    }
};

// What the headers say, each field checked before a pixel is read.
struct BmpLayout {
    uint32_t HeaderSize = 0;
    int64_t StoredWidth = 0;
    int64_t StoredHeight = 0;  // negative for top-down rows
    int Width = 0;
    int Height = 0;  // rows, always positive
    bool TopDown = false;
    int Bits = 0;
    uint32_t Compression = kBiRgb;
    uint32_t ColorsUsed = 0;
    size_t PaletteStart = 0;
    size_t PaletteEntrySize = 4;
    size_t PixelOffset = 0;
    std::array<Channel, 4> Channels{};  // red, green, blue, fourth byte
};

std::string Hex(uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", v);
    return text;
}

std::string ReadFileHeader(std::span<const uint8_t> d, BmpLayout& l) {
    if (d.size() < kFileHeaderSize + 4) return "BMP: data ends inside the file header";
    if (d[0] != 'B' || d[1] != 'M') return "BMP: the data does not start with \"BM\"";
    l.PixelOffset = Le32(&d[10]);
    l.HeaderSize = Le32(&d[14]);
    return {};
}

std::string ReadCoreHeader(std::span<const uint8_t> d, BmpLayout& l) {
    const uint8_t* h = &d[kFileHeaderSize];
    l.StoredWidth = Le16(h + 4);
    l.StoredHeight = Le16(h + 6);
    l.Bits = Le16(h + 10);
    l.PaletteEntrySize = 3;
    if (l.Bits != 1 && l.Bits != 4 && l.Bits != 8 && l.Bits != 24)
        return "BMP: " + std::to_string(l.Bits) + " bits per pixel is not supported";
    return {};
}

std::string ReadInfoHeader(std::span<const uint8_t> d, BmpLayout& l) {
    const uint8_t* h = &d[kFileHeaderSize];
    l.StoredWidth = int32_t(Le32(h + 4));
    l.StoredHeight = int32_t(Le32(h + 8));
    l.Bits = Le16(h + 14);
    l.Compression = Le32(h + 16);
    l.ColorsUsed = Le32(h + 32);

    switch (l.Bits) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return "BMP: " + std::to_string(l.Bits) + " bits per pixel is not supported";
    }
    switch (l.Compression) {
    case kBiRgb: return {};
    case kBiRle8:
    case kBiRle4: return "BMP: RLE compression is not supported";
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (l.Bits != 16 && l.Bits != 32)
            return "BMP: bit field masks need 16 or 32 bits per pixel, not " + std::to_string(l.Bits);
        return {};
    default: return "BMP: compression " + std::to_string(l.Compression) + " is not supported";
    }
}

std::string ReadHeaders(std::span<const uint8_t> d, BmpLayout& l) {
    switch (l.HeaderSize) {
    case kCoreHeaderSize: case kInfoHeaderSize: case 52: case 56: case 108: case 124: break;
    default: return "BMP: info header size " + std::to_string(l.HeaderSize) + " is not supported";
    }
    if (d.size() < kFileHeaderSize + l.HeaderSize) return "BMP: data ends inside the info header";
    auto error = l.HeaderSize == kCoreHeaderSize ? ReadCoreHeader(d, l) : ReadInfoHeader(d, l);
    l.PaletteStart = kFileHeaderSize + l.HeaderSize;
    return error;
}

std::string CheckSize(std::span<const uint8_t>, BmpLayout& l) {
    const int64_t rows = l.StoredHeight < 0 ? -l.StoredHeight : l.StoredHeight;
    if (l.StoredWidth <= 0) return "BMP: image width " + std::to_string(l.StoredWidth) + " is not valid";
    if (rows == 0) return "BMP: image height 0 is not valid";
    if (l.StoredWidth > kMaxBitmapSide)
        return "BMP: image width " + std::to_string(l.StoredWidth) + " is above " + std::to_string(kMaxBitmapSide);
    if (rows > kMaxBitmapSide)
        return "BMP: image height " + std::to_string(rows) + " is above " + std::to_string(kMaxBitmapSide);
    l.Width = int(l.StoredWidth);
    l.Height = int(rows);
    l.TopDown = l.StoredHeight < 0;
    return {};
}

std::string MakeChannel(const char* name, uint32_t mask, Channel& c) {
    c = {};
    if (mask == 0) return {};
    c.Mask = mask;
    c.Shift = std::countr_zero(mask);
    c.Bits = std::popcount(mask);
    if (c.Bits != 32 - std::countl_zero(mask) - c.Shift)
        return std::string("BMP: ") + name + " mask " + Hex(mask) + " is not one run of bits";
    return {};
}

// Masks come after the 40-byte header (and are part of the larger ones) but
// count only with bit field compression; otherwise the fixed layouts apply.
std::string ReadMasks(std::span<const uint8_t> d, BmpLayout& l) {
    std::array<uint32_t, 4> masks{};
    if (l.Compression == kBiRgb) {
        if (l.Bits == 16) masks = {0x7C00, 0x03E0, 0x001F, 0};
        if (l.Bits == 32) masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    } else {
        const size_t start = kFileHeaderSize + kInfoHeaderSize;
        size_t count = l.Compression == kBiAlphaBitfields || l.HeaderSize >= 56 ? 4 : 3;
        if (d.size() < start + 4 * count) return "BMP: data ends inside the colour masks";
        for (size_t i = 0; i < count; ++i) masks[i] = Le32(&d[start + 4 * i]);
        l.PaletteStart = std::max(l.PaletteStart, start + 4 * count);
    }
    static constexpr const char* kNames[] = {"red", "green", "blue", "alpha"};
    for (size_t i = 0; i < 4; ++i)
        if (auto error = MakeChannel(kNames[i], masks[i], l.Channels[i]); !error.empty()) return error;
    return {};
}

// Indices past the stored entries read as black, as if the palette were padded.
std::string ReadPalette(std::span<const uint8_t> d, const BmpLayout& l, std::vector<uint32_t>& palette) {
    if (l.Bits > 8) return {};
    const uint32_t full = 1u << l.Bits;
    uint32_t count = l.ColorsUsed == 0 ? full : std::min(l.ColorsUsed, full);
    // The old header has no colour count: its palette fills the gap before the pixels.
    if (l.HeaderSize == kCoreHeaderSize && l.PixelOffset > l.PaletteStart)
        count = uint32_t(std::min<size_t>(full, (l.PixelOffset - l.PaletteStart) / l.PaletteEntrySize));
    if (l.PaletteStart + size_t(count) * l.PaletteEntrySize > d.size())
        return "BMP: palette of " + std::to_string(count) + " colours ends past the end of the data";
    palette.assign(full, 0);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = &d[l.PaletteStart + i * l.PaletteEntrySize];
        palette[i] = MakePixel(e[2], e[1], e[0]);
    }
    return {};
}

size_t RowStride(int width, int bits) { return (size_t(width) * size_t(bits) + 31) / 32 * 4; }

// The last row may lack its padding; every row before it must be whole.
std::string CheckPixelData(std::span<const uint8_t> d, const BmpLayout& l) {
    if (l.PixelOffset < l.PaletteStart)
        return "BMP: pixel data offset " + std::to_string(l.PixelOffset) + " points into the headers";
    if (l.PixelOffset > d.size())
        return "BMP: pixel data offset " + std::to_string(l.PixelOffset) + " is past the end of the data (" +
               std::to_string(d.size()) + " bytes)";
    const size_t stride = RowStride(l.Width, l.Bits);
    const size_t rowBytes = (size_t(l.Width) * size_t(l.Bits) + 7) / 8;
    const size_t available = d.size() - l.PixelOffset;
    const size_t whole = available < rowBytes ? 0 : 1 + (available - rowBytes) / stride;
    if (whole < size_t(l.Height)) return "BMP: pixel data ends before row " + std::to_string(whole);
    return {};
}

void DecodeIndexedRow(const uint8_t* src, int width, int bits, const std::vector<uint32_t>& palette,
                      uint32_t* out) {
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bits * (x % perByte + 1);
        out[x] = palette[(src[x / perByte] >> shift) & mask];
    }
}

void DecodeRgbRow(const uint8_t* src, int width, uint32_t* out) {
    for (int x = 0; x < width; ++x, src += 3) out[x] = MakePixel(src[2], src[1], src[0]);
}

void DecodeMaskedRow(const uint8_t* src, int width, int bits, const std::array<Channel, 4>& c, uint32_t* out) {
    const int step = bits / 8;
    for (int x = 0; x < width; ++x, src += step) {
        const uint32_t v = bits == 16 ? Le16(src) : Le32(src);
        out[x] = MakePixel(c[0].Extract(v), c[1].Extract(v), c[2].Extract(v)) | (uint32_t(c[3].Extract(v)) << 24);
    }
}

void DecodeRows(std::span<const uint8_t> d, const BmpLayout& l, const std::vector<uint32_t>& palette,
                Bitmap& out) {
    const size_t stride = RowStride(l.Width, l.Bits);
    for (int row = 0; row < l.Height; ++row) {
        const uint8_t* src = d.data() + l.PixelOffset + size_t(row) * stride;
        uint32_t* dst = out.Row(l.TopDown ? row : l.Height - 1 - row);
        if (l.Bits <= 8)
            DecodeIndexedRow(src, l.Width, l.Bits, palette, dst);
        else if (l.Bits == 24)
            DecodeRgbRow(src, l.Width, dst);
        else
            DecodeMaskedRow(src, l.Width, l.Bits, l.Channels, dst);
    }
}

void PutLe16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
    PutLe16(out, uint16_t(v));
    PutLe16(out, uint16_t(v >> 16));
}

bool StartsWith(std::span<const uint8_t> d, std::initializer_list<uint8_t> prefix) {
    return d.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), d.begin());
}

}  // namespace

DecodeResult ReadBmp(std::span<const uint8_t> data) {
    BmpLayout layout;
    std::vector<uint32_t> palette;
    for (auto step : {ReadFileHeader, ReadHeaders, CheckSize, ReadMasks}) {
        if (auto error = step(data, layout); !error.empty()) return {{}, std::move(error)};
    }
    if (auto error = ReadPalette(data, layout, palette); !error.empty()) return {{}, std::move(error)};
    if (auto error = CheckPixelData(data, layout); !error.empty()) return {{}, std::move(error)};

    DecodeResult result;
    result.Picture.SetSize(layout.Width, layout.Height);
    DecodeRows(data, layout, palette, result.Picture);
    return result;
}

std::vector<uint8_t> WriteBmp(const Bitmap& bitmap, int bitsPerPixel) {
    assert((bitsPerPixel == 24 || bitsPerPixel == 32) && "BMP is written at 24 or 32 bits per pixel");
    const int bits = bitsPerPixel == 32 ? 32 : 24;
    const int width = bitmap.Width(), height = bitmap.Height();
    const size_t stride = RowStride(width, bits);
    const size_t imageSize = stride * size_t(height);
    const size_t headers = kFileHeaderSize + kInfoHeaderSize;

    std::vector<uint8_t> out;
    out.reserve(headers + imageSize);
    out.push_back('B');
    out.push_back('M');
    PutLe32(out, uint32_t(headers + imageSize));
    PutLe32(out, 0);  // two reserved words
    PutLe32(out, uint32_t(headers));
    PutLe32(out, kInfoHeaderSize);
    PutLe32(out, uint32_t(width));
    PutLe32(out, uint32_t(height));  // positive: bottom-up
    PutLe16(out, 1);                 // planes
    PutLe16(out, uint16_t(bits));
    PutLe32(out, kBiRgb);
    PutLe32(out, uint32_t(imageSize));
    PutLe32(out, kPixelsPerMetre96Dpi);
    PutLe32(out, kPixelsPerMetre96Dpi);
    PutLe32(out, 0);  // colours used
    PutLe32(out, 0);  // colours important

    for (int y = height - 1; y >= 0; --y) {
        const uint32_t* row = bitmap.Row(y);
        const size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            const uint32_t p = row[x];
            out.push_back(PixelBlue(p));
            out.push_back(PixelGreen(p));
            out.push_back(PixelRed(p));
            if (bits == 32) out.push_back(uint8_t(p >> 24));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

DecodeResult LoadPictureFile(const std::filesystem::path& path) {
    std::vector<uint8_t> data;
    try {
        data = ReadWholeFile(path);
    } catch (const FileError&) {
        return {{}, "Cannot read " + Utf8FromPath(path)};
    }
    if (StartsWith(data, {'B', 'M'})) return ReadBmp(data);
    if (StartsWith(data, {0xFF, 0xD8, 0xFF})) return ReadJpeg(data);
    if (StartsWith(data, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return ReadPng(data);
    return {{}, Utf8FromPath(path) + " is not a BMP, JPEG or PNG picture"};
}

}  // namespace orvane
