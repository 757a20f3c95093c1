#include "ImageIO.h"

#include "PictureChecks.h"

#include <bit>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>

namespace orvane {
namespace {

constexpr uint32_t kPixelsPerMetre96Dpi = 3780;

// Shared by reading and writing: libpng's error text lands in Message and the
// library longjmps back to the step that called it.
struct PngErrorText {
    char Message[160] = {};
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
    auto* text = static_cast<PngErrorText*>(png_get_error_ptr(png));
    std::snprintf(text->Message, sizeof text->Message, "%s", message ? message : "unknown error");
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

// Owns the read structures so every way out frees them. The steps below hold
// nothing with a destructor, since a longjmp must not skip one.
struct PngDecoder {
    PngErrorText Error;
    std::span<const uint8_t> Data;
    size_t Position = 0;
    png_structp Png = nullptr;
    png_infop Info = nullptr;

    ~PngDecoder() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

void OnPngRead(png_structp png, png_bytep out, size_t size) {
    auto* d = static_cast<PngDecoder*>(png_get_io_ptr(png));
    if (d->Data.size() - d->Position < size) png_error(png, "data ends early");
    std::memcpy(out, d->Data.data() + d->Position, size);
    d->Position += size;
}

bool ReadPngHeader(PngDecoder& d) {
    if (setjmp(png_jmpbuf(d.Png))) return false;
    png_set_read_fn(d.Png, &d, OnPngRead);
    png_read_info(d.Png, d.Info);
    return true;
}

// Everything becomes 8-bit blue, green, red and a fourth byte, which is
// exactly a pixel's memory on a little-endian machine.
bool SetTransforms(PngDecoder& d) {
    if (setjmp(png_jmpbuf(d.Png))) return false;
    const int colorType = png_get_color_type(d.Png, d.Info);
    png_set_strip_16(d.Png);
    png_set_packing(d.Png);
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(d.Png);
    if (!(colorType & PNG_COLOR_MASK_COLOR)) {
        png_set_expand_gray_1_2_4_to_8(d.Png);
        png_set_gray_to_rgb(d.Png);
    }
    png_set_strip_alpha(d.Png);
    png_set_bgr(d.Png);
    png_set_filler(d.Png, 0, PNG_FILLER_AFTER);
    png_set_interlace_handling(d.Png);
    png_read_update_info(d.Png, d.Info);
    return true;
}

bool ReadPngRows(PngDecoder& d, png_bytepp rows) {
    if (setjmp(png_jmpbuf(d.Png))) return false;
    png_read_image(d.Png, rows);
    return true;
}

std::string CheckPngSize(const PngDecoder& d) {
    const uint32_t width = png_get_image_width(d.Png, d.Info);
    const uint32_t height = png_get_image_height(d.Png, d.Info);
    if (auto problem = PictureSideProblem("PNG", "width", width); !problem.empty()) return problem;
    if (auto problem = PictureSideProblem("PNG", "height", height); !problem.empty()) return problem;
    const uint64_t bits = uint64_t(width) * height * png_get_channels(d.Png, d.Info) * png_get_bit_depth(d.Png, d.Info);
    if (bits / 8 / kMaxDeflateRatio > d.Data.size()) return PictureDataProblem("PNG", d.Data.size(), width, height);
    return {};
}

struct PngEncoder {
    PngErrorText Error;
    std::vector<uint8_t> Out;
    png_structp Png = nullptr;
    png_infop Info = nullptr;

    ~PngEncoder() { png_destroy_write_struct(&Png, &Info); }
};

void OnPngWrite(png_structp png, png_bytep data, size_t size) {
    auto* e = static_cast<PngEncoder*>(png_get_io_ptr(png));
    // An exception must not unwind through libpng; turn it into its error.
    bool failed = false;
    try {
        e->Out.insert(e->Out.end(), data, data + size);
    } catch (...) {
        failed = true;
    }
    if (failed) png_error(png, "out of memory");
}

void OnPngFlush(png_structp) {}

void PackRgbRow(const uint32_t* in, int width, uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        *out++ = PixelRed(in[x]);
        *out++ = PixelGreen(in[x]);
        *out++ = PixelBlue(in[x]);
    }
}

bool WritePngData(PngEncoder& e, const Bitmap& bitmap, uint8_t* row) {
    if (setjmp(png_jmpbuf(e.Png))) return false;
    png_set_write_fn(e.Png, &e, OnPngWrite, OnPngFlush);
    png_set_IHDR(e.Png, e.Info, png_uint_32(bitmap.Width()), png_uint_32(bitmap.Height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(e.Png, e.Info, kPixelsPerMetre96Dpi, kPixelsPerMetre96Dpi, PNG_RESOLUTION_METER);
    png_write_info(e.Png, e.Info);
    for (int y = 0; y < bitmap.Height(); ++y) {
        PackRgbRow(bitmap.Row(y), bitmap.Width(), row);
        png_write_row(e.Png, row);
    }
    png_write_end(e.Png, e.Info);
    return true;
}

}  // namespace

DecodeResult ReadPng(std::span<const uint8_t> data) {
    PngDecoder d;
    d.Data = data;
    if (data.size() < 8 || png_sig_cmp(data.data(), 0, 8) != 0)
        return {{}, "PNG: the data does not start with the PNG signature"};
    d.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &d.Error, OnPngError, OnPngWarning);
    if (d.Png) d.Info = png_create_info_struct(d.Png);
    if (!d.Png || !d.Info) return {{}, "PNG: out of memory"};

    if (!ReadPngHeader(d)) return {{}, std::string("PNG: ") + d.Error.Message};
    if (auto error = CheckPngSize(d); !error.empty()) return {{}, std::move(error)};
    if (!SetTransforms(d)) return {{}, std::string("PNG: ") + d.Error.Message};
    const int width = int(png_get_image_width(d.Png, d.Info));
    const int height = int(png_get_image_height(d.Png, d.Info));
    if (png_get_rowbytes(d.Png, d.Info) != size_t(width) * 4)
        return {{}, "PNG: unexpected row layout after conversion"};

    DecodeResult result;
    result.Picture.SetSize(width, height);
    std::vector<png_bytep> rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) rows[size_t(y)] = reinterpret_cast<png_bytep>(result.Picture.Row(y));
    if (!ReadPngRows(d, rows.data())) return {{}, std::string("PNG: ") + d.Error.Message};

    // The rows hold bytes blue, green, red, 0: already pixel values unless the
    // machine is big-endian.
    if constexpr (std::endian::native == std::endian::big) {
        for (size_t i = 0; i < result.Picture.PixelCount(); ++i) {
            const auto* bytes = reinterpret_cast<const uint8_t*>(result.Picture.Data() + i);
            result.Picture.Data()[i] = MakePixel(bytes[2], bytes[1], bytes[0]);
        }
    }
    return result;
}

std::vector<uint8_t> WritePng(const Bitmap& bitmap) {
    PngEncoder e;
    e.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &e.Error, OnPngError, OnPngWarning);
    if (e.Png) e.Info = png_create_info_struct(e.Png);
    if (!e.Png || !e.Info) return {};
    std::vector<uint8_t> row(size_t(bitmap.Width()) * 3);
    if (!WritePngData(e, bitmap, row.data())) return {};
    return std::move(e.Out);
}

}  // namespace orvane
