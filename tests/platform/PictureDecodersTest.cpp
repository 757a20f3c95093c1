// The JPEG and PNG readers and the PNG writer of whichever system this is
// (libjpeg and libpng on Linux, the Windows Imaging Component on Windows),
// fed the same bytes.
#include "JpegSamples.h"

#include "platform/ImageIO.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace orvane {
namespace {

using Bytes = std::vector<uint8_t>;

void PutBe32(Bytes& b, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) b.push_back(uint8_t(v >> shift));
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
    PutBe32(png, uint32_t(data.size()));
    const size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    PutBe32(png, uint32_t(crc32(0, &png[start], uInt(png.size() - start))));
}

// An 8-bit PNG of the given colour type, rows unfiltered.
Bytes MakePng(uint32_t width, uint32_t height, uint8_t colourType, const Bytes& samples, const Bytes& palette = {}) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutBe32(header, width);
    PutBe32(header, height);
    header.insert(header.end(), {8, colourType, 0, 0, 0});  // depth, type, deflate, no filter method, no interlace
    Chunk(png, "IHDR", header);
    if (!palette.empty()) Chunk(png, "PLTE", palette);
    Bytes raw;
    const size_t row = samples.size() / height;  // none: a header that promises more than it holds
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), samples.begin() + long(y * row), samples.begin() + long((y + 1) * row));
    }
    uLongf size = compressBound(uLong(raw.size()));
    Bytes deflated(size);
    compress(deflated.data(), &size, raw.data(), uLong(raw.size()));
    deflated.resize(size);
    Chunk(png, "IDAT", deflated);
    Chunk(png, "IEND", {});
    return png;
}

// The frame header's sides replaced, the rest of the file kept.
Bytes WithSides(Bytes jpeg, uint16_t width, uint16_t height) {
    for (size_t i = 0; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = uint8_t(height >> 8);
            jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8);
            jpeg[i + 8] = uint8_t(width);
            break;
        }
    }
    return jpeg;
}

Bytes Cut(const Bytes& b, size_t size) { return Bytes(b.begin(), b.begin() + long(size)); }

TEST(PictureDecoders, JpegColours) {
    // libjpeg's islow transform and WIC's agree to within a level or two.
    const struct {
        const char* Name;
        const Bytes& File;
        uint32_t Expected;
    } cases[] = {
        {"grey", samples::kGrey, MakePixel(128, 128, 128)},
        {"Adobe CMYK", samples::kAdobeCmyk, MakePixel(128, 64, 128)},
        {"progressive", samples::kProgressive, MakePixel(1, 2, 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const DecodeResult r = ReadJpeg(c.File);
        ASSERT_TRUE(r.Ok()) << r.Error;
        ASSERT_EQ(r.Picture.Width(), 16);
        ASSERT_EQ(r.Picture.Height(), 16);
        for (const uint32_t p : {r.Picture.At(0, 0), r.Picture.At(15, 15)}) {
            EXPECT_NEAR(PixelRed(p), PixelRed(c.Expected), 3);
            EXPECT_NEAR(PixelGreen(p), PixelGreen(c.Expected), 3);
            EXPECT_NEAR(PixelBlue(p), PixelBlue(c.Expected), 3);
            EXPECT_EQ(p >> 24, 0u);
        }
    }
}

TEST(PictureDecoders, RefusedBeforeAllocating) {
    const Bytes& noisy = samples::kNoisyYCbCr;
    const struct {
        const char* Name;
        Bytes File;
        bool Jpeg;
        const char* Says;
    } cases[] = {
        {"JPEG too wide", WithSides(noisy, 20000, 16), true, "JPEG: image width 20000"},
        {"JPEG of more blocks than the data holds", WithSides(noisy, 16384, 16384), true,
         "cannot hold a 16384 x 16384 picture"},
        {"progressive JPEG too large to buffer", WithSides(samples::kProgressive, 16384, 16384), true,
         "more than 512 MB"},
        {"JPEG cut in the headers", Cut(noisy, 100), true, "JPEG: "},
        {"JPEG cut in the scan", Cut(noisy, noisy.size() - 100), true, "JPEG: "},
        {"PNG too wide", MakePng(20000, 1, 0, Bytes(20000, 7)), false, "PNG: image width 20000"},
        {"PNG of more pixels than the data holds", MakePng(16384, 16384, 2, {}), false,
         "cannot hold a 16384 x 16384 picture"},
        {"PNG cut short", Cut(MakePng(30, 20, 2, Bytes(30 * 20 * 3, 9)), 60), false, "PNG: "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const DecodeResult r = c.Jpeg ? ReadJpeg(c.File) : ReadPng(c.File);
        ASSERT_FALSE(r.Ok());
        EXPECT_NE(r.Error.find(c.Says), std::string::npos) << r.Error;
        EXPECT_TRUE(r.Picture.IsEmpty());
    }
}

TEST(PictureDecoders, PngLayouts) {
    const struct {
        const char* Name;
        Bytes File;
        std::vector<uint32_t> Expected;
    } cases[] = {
        {"grey", MakePng(2, 1, 0, {0, 200}), {0, MakePixel(200, 200, 200)}},
        {"alpha dropped, not blended", MakePng(2, 1, 6, {255, 0, 0, 0, 1, 2, 3, 128}),
         {MakePixel(255, 0, 0), MakePixel(1, 2, 3)}},
        {"palette", MakePng(2, 1, 3, {1, 0}, {0, 0, 255, 0, 255, 0}), {MakePixel(0, 255, 0), MakePixel(0, 0, 255)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const DecodeResult r = ReadPng(c.File);
        ASSERT_TRUE(r.Ok()) << r.Error;
        EXPECT_EQ(std::vector<uint32_t>(r.Picture.Data(), r.Picture.Data() + 2), c.Expected);
    }
}

TEST(PictureDecoders, PngRoundTripsExactly) {
    Bitmap original(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            original.At(x, y) = MakePixel(uint8_t(x * 40), uint8_t(y * 60), uint8_t(x * y)) | 0x5A000000u;
    const DecodeResult back = ReadPng(WritePng(original));
    ASSERT_TRUE(back.Ok()) << back.Error;
    for (size_t i = 0; i < original.PixelCount(); ++i) original.Data()[i] &= 0x00FFFFFF;
    EXPECT_EQ(back.Picture, original);
}

}  // namespace
}  // namespace orvane
