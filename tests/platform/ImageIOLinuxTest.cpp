// The picture readers and writers, with fixtures made by libjpeg and libpng.
#include "platform/ImageIO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include <jpeglib.h>
#include <png.h>

namespace orvane {
namespace {

constexpr uint32_t kRed = MakePixel(255, 0, 0);
constexpr uint32_t kGreen = MakePixel(0, 255, 0);
constexpr uint32_t kBlue = MakePixel(0, 0, 255);
constexpr uint32_t kWhite = MakePixel(255, 255, 255);
constexpr uint32_t kBlack = 0;

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v);
    Put16(b, v >> 16);
}

// A BMP with a 40-byte or larger info header, set up field by field.
class BmpBuilder {
public:
    BmpBuilder& HeaderSize(uint32_t v) { headerSize_ = v; return *this; }
    BmpBuilder& Size(int32_t width, int32_t height) { width_ = width; height_ = height; return *this; }
    BmpBuilder& Bits(uint16_t v) { bits_ = v; return *this; }
    BmpBuilder& Compression(uint32_t v) { compression_ = v; return *this; }
    BmpBuilder& ColorsUsed(uint32_t v) { colorsUsed_ = v; return *this; }
    BmpBuilder& Masks(std::vector<uint32_t> v) { masks_ = std::move(v); return *this; }
    BmpBuilder& Palette(Bytes v) { palette_ = std::move(v); return *this; }
    BmpBuilder& Pixels(Bytes v) { pixels_ = std::move(v); return *this; }

    Bytes Build() const {
        const size_t masksAfterHeader = headerSize_ == 40 ? 4 * masks_.size() : 0;
        const auto offset = uint32_t(14 + headerSize_ + masksAfterHeader + palette_.size());
        Bytes b{'B', 'M'};                               // magic
        Put32(b, uint32_t(offset + pixels_.size()));     // file size, not relied on
        Put32(b, 0);                                     // two reserved words
        Put32(b, offset);                                // start of the pixel rows
        Put32(b, headerSize_);                           // info header size
        Put32(b, uint32_t(width_));                      // width
        Put32(b, uint32_t(height_));                     // height, negative for top-down
        Put16(b, 1);                                     // planes
        Put16(b, bits_);                                 // bits per pixel
        Put32(b, compression_);                          // compression
        Put32(b, uint32_t(pixels_.size()));              // image size
        Put32(b, 3780);                                  // horizontal pixels per metre
        Put32(b, 3780);                                  // vertical pixels per metre
        Put32(b, colorsUsed_);                           // palette entries, 0 = all
        Put32(b, 0);                                     // important colours
        for (uint32_t m : masks_) Put32(b, m);           // red, green, blue, alpha masks
        b.resize(14 + std::max<size_t>(headerSize_, b.size() - 14), 0);  // colour space fields of larger headers
        b.insert(b.end(), palette_.begin(), palette_.end());
        b.insert(b.end(), pixels_.begin(), pixels_.end());
        return b;
    }

private:
    uint32_t headerSize_ = 40;
    int32_t width_ = 1;
    int32_t height_ = 1;
    uint16_t bits_ = 24;
    uint32_t compression_ = 0;
    uint32_t colorsUsed_ = 0;
    std::vector<uint32_t> masks_;  // after a 40-byte header, inside larger ones
    Bytes palette_;                // blue, green, red, 0 per entry
    Bytes pixels_;                 // rows as stored, padding included
};

// The old 12-byte header: 16-bit sides, always bottom-up, 3-byte palette entries.
Bytes MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits, const Bytes& palette, const Bytes& pixels) {
    Bytes b{'B', 'M'};                                   // magic
    Put32(b, uint32_t(26 + palette.size() + pixels.size()));  // file size
    Put32(b, 0);                                         // two reserved words
    Put32(b, uint32_t(26 + palette.size()));             // start of the pixel rows
    Put32(b, 12);                                        // header size
    Put16(b, width);                                     // width
    Put16(b, height);                                    // height
    Put16(b, 1);                                         // planes
    Put16(b, bits);                                      // bits per pixel
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), pixels.begin(), pixels.end());
    return b;
}

const Bytes kTwoColours = {255, 0, 0, 0, 0, 0, 255, 0};  // blue, red

struct GoodBmp {
    const char* Name;
    Bytes File;
    int Width;
    int Height;
    std::vector<uint32_t> Pixels;  // top row first
};

std::vector<GoodBmp> GoodBmps() {
    return {
        {"1 bit, 9 wide, bottom-up",
         BmpBuilder().Size(9, 2).Bits(1).Palette(kTwoColours)
             .Pixels({0x80, 0x80, 0, 0, /* top row: */ 0x7F, 0x00, 0, 0}).Build(),
         9, 2,
         {kBlue, kRed, kRed, kRed, kRed, kRed, kRed, kRed, kBlue,
          kRed, kBlue, kBlue, kBlue, kBlue, kBlue, kBlue, kBlue, kRed}},
        {"4 bit, short palette, index past it is black",
         BmpBuilder().Size(3, 1).Bits(4).ColorsUsed(2).Palette(kTwoColours).Pixels({0x10, 0xF0, 0, 0}).Build(),
         3, 1, {kRed, kBlue, kBlack}},
        {"8 bit, top-down, 5 wide",
         BmpBuilder().Size(5, -2).Bits(8).ColorsUsed(3).Palette({0, 0, 0, 0, 255, 255, 255, 0, 0, 255, 0, 0})
             .Pixels({0, 1, 2, 1, 0, 0, 0, 0, /* bottom row: */ 2, 2, 2, 2, 1, 0, 0, 0}).Build(),
         5, 2, {kBlack, kWhite, kGreen, kWhite, kBlack, kGreen, kGreen, kGreen, kGreen, kWhite}},
        {"24 bit, 3 wide, bottom-up",
         BmpBuilder().Size(3, 2).Bits(24)
             .Pixels({255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, /* top row: */ 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0})
             .Build(),
         3, 2, {MakePixel(3, 2, 1), MakePixel(6, 5, 4), MakePixel(9, 8, 7), kBlue, kGreen, kRed}},
        {"32 bit keeps the fourth byte",
         BmpBuilder().Size(2, 1).Bits(32).Pixels({1, 2, 3, 0x80, 4, 5, 6, 0xFF}).Build(),
         2, 1, {MakePixel(3, 2, 1) | 0x80000000u, MakePixel(6, 5, 4) | 0xFF000000u}},
        {"32 bit fields without an alpha mask clear the fourth byte",
         BmpBuilder().Size(1, 1).Bits(32).Compression(3).Masks({0x00FF0000, 0x0000FF00, 0x000000FF})
             .Pixels({1, 2, 3, 0x80}).Build(),
         1, 1, {MakePixel(3, 2, 1)}},
        {"32 bit fields in a 124-byte header, alpha in the top byte",
         BmpBuilder().HeaderSize(124).Size(1, -1).Bits(32).Compression(3)
             .Masks({0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF}).Pixels({0x40, 1, 2, 3}).Build(),
         1, 1, {MakePixel(1, 2, 3) | 0x40000000u}},
        {"16 bit default 5-5-5",
         BmpBuilder().Size(2, 1).Bits(16).Pixels({0x00, 0x7C, 0x1F, 0x00}).Build(),
         2, 1, {kRed, kBlue}},
        {"16 bit fields 5-6-5",
         BmpBuilder().Size(1, 1).Bits(16).Compression(3).Masks({0xF800, 0x07E0, 0x001F}).Pixels({0xE0, 0x07, 0, 0})
             .Build(),
         1, 1, {kGreen}},
        {"12-byte header, 8 bits, palette sized by the pixel offset",
         MakeCoreBmp(2, 1, 8, {0, 255, 0, 255, 255, 255}, {1, 0, 0, 0}), 2, 1, {kWhite, kGreen}},
    };
}

TEST(ReadBmpTest, DecodesEveryLayout) {
    for (const auto& c : GoodBmps()) {
        SCOPED_TRACE(c.Name);
        const auto result = ReadBmp(c.File);
        ASSERT_TRUE(result.Ok()) << result.Error;
        ASSERT_EQ(result.Picture.Width(), c.Width);
        ASSERT_EQ(result.Picture.Height(), c.Height);
        EXPECT_EQ(std::vector<uint32_t>(result.Picture.Data(), result.Picture.Data() + result.Picture.PixelCount()),
                  c.Pixels);
    }
}

Bytes Patched(Bytes b, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) b[at + size_t(i)] = uint8_t(value >> (8 * i));
    return b;
}

Bytes Truncated(Bytes b, size_t size) {
    b.resize(size);
    return b;
}

TEST(ReadBmpTest, RefusesDamagedFiles) {
    // 3 x 2 at 24 bits: 54 header bytes, then two rows of 9 bytes + 3 padding.
    const Bytes good = BmpBuilder().Size(3, 2).Bits(24).Pixels(Bytes(24, 7)).Build();
    ASSERT_TRUE(ReadBmp(good).Ok());
    ASSERT_TRUE(ReadBmp(Truncated(good, good.size() - 3)).Ok()) << "the last row's padding may be missing";

    // Declares all 256 colours but holds 10.
    const Bytes paletted = BmpBuilder().Size(1, 1).Bits(8).Palette(Bytes(40, 0)).Pixels({0}).Build();
    const struct {
        const char* Name;
        Bytes File;
        const char* Expected;
    } cases[] = {
        {"empty", {}, "file header"},
        {"cut in the file header", Truncated(good, 10), "file header"},
        {"cut in the info header", Truncated(good, 30), "info header"},
        {"cut in the first row", Truncated(good, 60), "ends before row 0"},
        {"cut in the second row", Truncated(good, 70), "ends before row 1"},
        {"bad magic", [&] { auto b = good; b[1] = 'A'; return b; }(), "\"BM\""},
        {"width 0", Patched(good, 18, 0), "image width 0 is not valid"},
        {"negative width", Patched(good, 18, uint32_t(-3)), "image width -3 is not valid"},
        {"height 0", Patched(good, 22, 0), "image height 0 is not valid"},
        {"width too large", Patched(good, 18, 16385), "width 16385 is above 16384"},
        {"top-down height too large", Patched(good, 22, uint32_t(-16385)), "height 16385 is above"},
        {"smallest height", Patched(good, 22, uint32_t(INT32_MIN)), "height 2147483648 is above"},
        {"largest sides, little data", Patched(Patched(good, 18, 16384), 22, 16384), "ends before row 0"},
        {"offset past the end", Patched(good, 10, 1000), "offset 1000 is past the end"},
        {"offset into the headers", Patched(good, 10, 20), "points into the headers"},
        {"header size 64", Patched(good, 14, 64), "header size 64"},
        {"2 bits per pixel", Patched(good, 28, 2), "2 bits per pixel"},
        {"RLE", Patched(Patched(good, 28, 8), 30, 1), "RLE"},
        {"embedded JPEG", Patched(good, 30, 4), "compression 4"},
        {"bit fields at 24 bits", Patched(good, 30, 3), "16 or 32 bits"},
        {"masks past the end",
         Truncated(BmpBuilder().Bits(32).Compression(3).Masks({0xFF, 0xFF00, 0xFF0000}).Build(), 60), "masks"},
        {"split mask",
         BmpBuilder().Bits(32).Compression(3).Masks({0xF00F, 0xFF0000, 0xFF000000}).Pixels(Bytes(4)).Build(),
         "red mask 0x0000F00F"},
        {"palette past the end", paletted, "palette of 256 colours"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto result = ReadBmp(c.File);
        ASSERT_FALSE(result.Ok());
        EXPECT_NE(result.Error.find(c.Expected), std::string::npos) << result.Error;
        EXPECT_EQ(result.Error.rfind("BMP: ", 0), 0u) << result.Error;
    }
}

Bitmap Pattern(int width, int height, bool fourthByte) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = MakePixel(uint8_t(x * 40 + y), uint8_t(y * 70 + 3), uint8_t(x * y + 11)) |
                         (fourthByte ? uint32_t(x + 16 * y + 1) << 24 : 0);
    return b;
}

TEST(WriteBmpTest, RoundTripsOddSizes) {
    for (int bits : {24, 32}) {
        for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {5, 7}, {7, 3}}) {
            SCOPED_TRACE(std::to_string(bits) + " bits, " + std::to_string(w) + " x " + std::to_string(h));
            const Bitmap original = Pattern(w, h, true);
            const Bytes file = WriteBmp(original, bits);
            const size_t stride = (size_t(w) * bits / 8 + 3) / 4 * 4;
            ASSERT_EQ(file.size(), 54 + stride * size_t(h));
            EXPECT_EQ(file[38], 0xC4) << "3780 pixels per metre";
            EXPECT_EQ(file[54], PixelBlue(original.At(0, h - 1))) << "bottom row first";

            const auto back = ReadBmp(file);
            ASSERT_TRUE(back.Ok()) << back.Error;
            Bitmap expected = original;
            if (bits == 24)
                for (size_t i = 0; i < expected.PixelCount(); ++i) expected.Data()[i] &= 0xFFFFFF;
            EXPECT_EQ(back.Picture, expected);
        }
    }
}

// Compresses a 16 x 16 picture of one colour, given as one pixel's samples;
// noise makes the scan long enough to cut into.
Bytes MakeJpeg(J_COLOR_SPACE input, J_COLOR_SPACE stored, bool adobeMarker, const std::vector<uint8_t>& sample,
               bool noisy = false, bool progressive = false) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buffer, &size);
    c.image_width = 16;
    c.image_height = 16;
    c.input_components = int(sample.size());
    c.in_color_space = input;
    jpeg_set_defaults(&c);
    jpeg_set_colorspace(&c, stored);
    c.write_Adobe_marker = adobeMarker;
    jpeg_set_quality(&c, 100, TRUE);
    if (progressive) jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row;
    while (c.next_scanline < c.image_height) {
        row.clear();
        for (unsigned x = 0; x < 16; ++x)
            for (uint8_t s : sample) row.push_back(uint8_t(s + (noisy ? (x * 37 + c.next_scanline * 91) % 64 : 0)));
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&c);
    std::free(buffer);
    return out;
}

TEST(ReadJpegTest, DecodesColourSpaces) {
    const struct {
        const char* Name;
        Bytes File;
        uint32_t Expected;
    } cases[] = {
        {"grey", MakeJpeg(JCS_GRAYSCALE, JCS_GRAYSCALE, false, {128}), MakePixel(128, 128, 128)},
        {"YCbCr", MakeJpeg(JCS_RGB, JCS_YCbCr, false, {200, 40, 90}), MakePixel(200, 40, 90)},
        {"RGB", MakeJpeg(JCS_RGB, JCS_RGB, true, {10, 220, 130}), MakePixel(10, 220, 130)},
        {"plain CMYK", MakeJpeg(JCS_CMYK, JCS_CMYK, false, {0, 127, 0, 127}), MakePixel(128, 64, 128)},
        {"Adobe inverted CMYK", MakeJpeg(JCS_CMYK, JCS_CMYK, true, {255, 128, 255, 128}), MakePixel(128, 64, 128)},
        {"Adobe YCCK", MakeJpeg(JCS_CMYK, JCS_YCCK, true, {255, 128, 255, 128}), MakePixel(128, 64, 128)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto result = ReadJpeg(c.File);
        ASSERT_TRUE(result.Ok()) << result.Error;
        ASSERT_EQ(result.Picture.Width(), 16);
        ASSERT_EQ(result.Picture.Height(), 16);
        for (uint32_t p : {result.Picture.At(0, 0), result.Picture.At(15, 15)}) {
            EXPECT_NEAR(PixelRed(p), PixelRed(c.Expected), 3);
            EXPECT_NEAR(PixelGreen(p), PixelGreen(c.Expected), 3);
            EXPECT_NEAR(PixelBlue(p), PixelBlue(c.Expected), 3);
            EXPECT_EQ(p >> 24, 0u);
        }
    }
}

TEST(ReadJpegTest, RefusesDamagedData) {
    const Bytes good = MakeJpeg(JCS_RGB, JCS_YCbCr, false, {100, 40, 90}, true);
    const auto withSize = [](Bytes b, uint16_t width, uint16_t height) {
        for (size_t i = 0; i + 9 < b.size(); ++i) {
            if (b[i] == 0xFF && (b[i + 1] == 0xC0 || b[i + 1] == 0xC2)) {  // frame: length, precision, height, width
                b[i + 5] = uint8_t(height >> 8);
                b[i + 6] = uint8_t(height);
                b[i + 7] = uint8_t(width >> 8);
                b[i + 8] = uint8_t(width);
                break;
            }
        }
        return b;
    };
    const struct {
        const char* Name;
        Bytes File;
        const char* Expected;
    } cases[] = {
        {"empty", {}, "JPEG: "},
        {"garbage", {0xFF, 0xD8, 0xFF, 0x13, 0x37, 0x00, 0x42, 0xFF, 0xFF, 0x01}, "JPEG: "},
        {"cut in the headers", Truncated(good, 100), "JPEG: "},
        {"cut in the scan", Truncated(good, good.size() - 100), "JPEG: "},
        {"scan cut short before the end marker",
         [&] { auto b = Truncated(good, good.size() - 100); b.insert(b.end(), {0xFF, 0xD9}); return b; }(), "JPEG: "},
        {"too wide", withSize(good, 20000, 16), "JPEG: image width 20000"},
        {"more blocks than the data holds", withSize(good, 16384, 16384), "cannot hold a 16384 x 16384 picture"},
        {"progressive, too large to buffer",
         withSize(MakeJpeg(JCS_RGB, JCS_YCbCr, false, {1, 2, 3}, false, true), 16384, 16384), "more than 512 MB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto result = ReadJpeg(c.File);
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.Error.rfind("JPEG: ", 0), 0u) << result.Error;
        EXPECT_NE(result.Error.find(c.Expected), std::string::npos) << result.Error;
    }
}

TEST(PngTest, RoundTripsExactlyWithoutTheFourthByte) {
    const Bitmap original = Pattern(7, 5, true);
    const auto back = ReadPng(WritePng(original));
    ASSERT_TRUE(back.Ok()) << back.Error;
    Bitmap expected = original;
    for (size_t i = 0; i < expected.PixelCount(); ++i) expected.Data()[i] &= 0xFFFFFF;
    EXPECT_EQ(back.Picture, expected);
}

Bytes MakePng(uint32_t format, const std::vector<uint8_t>& pixels, const std::vector<uint8_t>& colormap = {}) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = 2;
    image.height = 1;
    image.format = format;
    image.colormap_entries = png_uint_32(colormap.size() / 3);
    png_alloc_size_t size = 0;
    png_image_write_get_memory_size(image, size, 0, pixels.data(), 0, colormap.data());
    Bytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, colormap.data()));
    out.resize(size);
    return out;
}

TEST(PngTest, ConvertsOtherLayoutsAndRefusesDamage) {
    const struct {
        const char* Name;
        Bytes File;
        std::vector<uint32_t> Expected;
    } cases[] = {
        {"grey", MakePng(PNG_FORMAT_GRAY, {0, 200}), {kBlack, MakePixel(200, 200, 200)}},
        {"alpha dropped, not blended", MakePng(PNG_FORMAT_RGBA, {255, 0, 0, 0, 1, 2, 3, 128}),
         {kRed, MakePixel(1, 2, 3)}},
        {"palette", MakePng(PNG_FORMAT_RGB_COLORMAP, {1, 0}, {0, 0, 255, 0, 255, 0}), {kGreen, kBlue}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto result = ReadPng(c.File);
        ASSERT_TRUE(result.Ok()) << result.Error;
        EXPECT_EQ(std::vector<uint32_t>(result.Picture.Data(), result.Picture.Data() + 2), c.Expected);
    }
    const Bytes good = WritePng(Pattern(30, 20, false));
    for (size_t cut : {size_t(4), size_t(30), good.size() - 20}) {
        const auto result = ReadPng(Truncated(good, cut));
        ASSERT_FALSE(result.Ok()) << "cut at " << cut;
        EXPECT_EQ(result.Error.rfind("PNG: ", 0), 0u) << result.Error;
    }
}

TEST(LoadPictureFileTest, ChoosesTheDecoderByContent) {
    const auto dir = std::filesystem::temp_directory_path() / ("orvane-imageio-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const Bitmap picture = Pattern(3, 2, false);
    const struct {
        const char* Name;
        Bytes File;
        bool Ok;
    } cases[] = {
        {"a.png", WritePng(picture), true},  // names do not matter, contents do
        {"b.jpg", WriteBmp(picture, 24), true},
        {"c.bmp", MakeJpeg(JCS_GRAYSCALE, JCS_GRAYSCALE, false, {9}), true},
        {"d.bmp", {'G', 'I', 'F', '8', '9', 'a'}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto path = dir / c.Name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(c.File.data()), std::streamsize(c.File.size()));
        const auto result = LoadPictureFile(path);
        EXPECT_EQ(result.Ok(), c.Ok) << result.Error;
        EXPECT_EQ(result.Error.find(path.string()) != std::string::npos, !c.Ok) << result.Error;
    }
    EXPECT_EQ(LoadPictureFile(dir / "a.png").Picture, picture);
    const auto missing = LoadPictureFile(dir / "missing.bmp");
    EXPECT_EQ(missing.Error, "Cannot read " + (dir / "missing.bmp").string());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvane
