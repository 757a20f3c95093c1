#include "ImageIO.h"

#include "PictureChecks.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace orvane {
namespace {

// libjpeg reports errors through this; Jump leads back to the step that
// called into the library. Base comes first so libjpeg's pointer is ours.
struct JpegErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void OnJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegErrorManager*>(info->err);
    err->Base.format_message(info, err->Message);
    std::longjmp(err->Jump, 1);
}

// Warnings are mostly harmless, but scan data that ends early (at the end of
// the file or at a marker) would otherwise decode silently as grey.
void OnJpegMessage(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) OnJpegError(info);
}

// Owns the decompressor so every way out destroys it. The steps below hold
// nothing with a destructor, since a longjmp must not skip one.
struct JpegDecoder {
    jpeg_decompress_struct Info{};
    JpegErrorManager Err{};
    bool Created = false;

    JpegDecoder() {
        Info.err = jpeg_std_error(&Err.Base);
        Err.Base.error_exit = OnJpegError;
        Err.Base.emit_message = OnJpegMessage;
    }
    ~JpegDecoder() {
        if (Created) jpeg_destroy_decompress(&Info);
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

bool ReadHeader(JpegDecoder& d, std::span<const uint8_t> data) {
    if (setjmp(d.Err.Jump)) return false;
    jpeg_create_decompress(&d.Info);
    d.Created = true;
    d.Info.mem->max_memory_to_use = long(kMaxWholeImageBuffers);
    jpeg_mem_src(&d.Info, data.data(), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&d.Info, TRUE);
    return true;
}

bool StartDecompress(JpegDecoder& d) {
    if (setjmp(d.Err.Jump)) return false;
    switch (d.Info.jpeg_color_space) {
    case JCS_GRAYSCALE: d.Info.out_color_space = JCS_GRAYSCALE; break;
    case JCS_CMYK:
    case JCS_YCCK: d.Info.out_color_space = JCS_CMYK; break;
    default: d.Info.out_color_space = JCS_RGB; break;
    }
    jpeg_start_decompress(&d.Info);
    return true;
}

// Adobe writes CMYK inverted (255 = no ink), so the stored values are the
// light that remains.
void ConvertRow(const uint8_t* in, int width, int components, bool invertedCmyk, uint32_t* out) {
    const unsigned flip = invertedCmyk ? 255u : 0u;
    for (int x = 0; x < width; ++x, in += components) {
        if (components == 1)
            out[x] = MakePixel(in[0], in[0], in[0]);
        else if (components == 3)
            out[x] = MakePixel(in[0], in[1], in[2]);
        else
            out[x] = PixelFromInk(flip ^ in[0], flip ^ in[1], flip ^ in[2], flip ^ in[3]);
    }
}

bool ReadRows(JpegDecoder& d, uint8_t* row, Bitmap& out) {
    if (setjmp(d.Err.Jump)) return false;
    const int components = d.Info.output_components;
    const bool inverted = d.Info.saw_Adobe_marker;
    while (d.Info.output_scanline < d.Info.output_height) {
        const int y = int(d.Info.output_scanline);
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&d.Info, rows, 1) != 1) return false;
        ConvertRow(row, out.Width(), components, inverted, out.Row(y));
    }
    return true;
}

// Checked before decompressing, so a forged header cannot make us allocate.
std::string CheckSide(const char* side, unsigned value) { return PictureSideProblem("JPEG", side, value); }

// A sequential Huffman scan spends at least two bits on every block, so the
// data bounds the picture before anything is allocated. Progressive and
// arithmetic coding can do with less and rely on the memory cap instead.
std::string CheckDataHoldsBlocks(const JpegDecoder& d, size_t dataSize) {
    if (d.Info.progressive_mode || d.Info.arith_code) return {};
    uint64_t blocks = 0;
    for (int i = 0; i < d.Info.num_components; ++i)
        blocks += uint64_t(d.Info.comp_info[i].width_in_blocks) * d.Info.comp_info[i].height_in_blocks;
    if (blocks / 4 <= dataSize) return {};
    return PictureDataProblem("JPEG", dataSize, d.Info.image_width, d.Info.image_height);
}

std::string Failure(const JpegDecoder& d) {
    if (d.Err.Base.msg_code == JERR_NO_BACKING_STORE)
        return PictureMemoryProblem("JPEG");
    return std::string("JPEG: ") + d.Err.Message;
}

}  // namespace

DecodeResult ReadJpeg(std::span<const uint8_t> data) {
    JpegDecoder d;
    if (!ReadHeader(d, data)) return {{}, Failure(d)};
    const auto width = d.Info.image_width, height = d.Info.image_height;
    if (auto error = CheckSide("width", width); !error.empty()) return {{}, std::move(error)};
    if (auto error = CheckSide("height", height); !error.empty()) return {{}, std::move(error)};
    if (auto error = CheckDataHoldsBlocks(d, data.size()); !error.empty()) return {{}, std::move(error)};
    if (!StartDecompress(d)) return {{}, Failure(d)};

    const int components = d.Info.output_components;
    if ((components != 1 && components != 3 && components != 4) || d.Info.output_width != width ||
        d.Info.output_height != height)
        return {{}, "JPEG: unexpected output layout with " + std::to_string(components) + " components"};

    DecodeResult result;
    result.Picture.SetSize(int(width), int(height));
    std::vector<uint8_t> row(size_t(width) * size_t(components));
    if (!ReadRows(d, row.data(), result.Picture)) {
        if (d.Err.Message[0] == '\0') return {{}, "JPEG: decoding stopped early"};
        return {{}, Failure(d)};
    }
    return result;
}

}  // namespace orvane
