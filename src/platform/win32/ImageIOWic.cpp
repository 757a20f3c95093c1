// JPEG and PNG through the Windows Imaging Component, which every Windows has.
#include "platform/ImageIO.h"

#include "platform/PictureChecks.h"
#include "platform/win32/Com.h"
#include "platform/win32/Windows.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>

namespace orvane {
namespace {

// COM for the length of one call. A thread that has it already (the
// editor's window thread) keeps its own apartment.
class ComScope {
public:
    ComScope() : result_(CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    bool Ready() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
    HRESULT result_;
};

bool MakeFactory(Com<IWICImagingFactory>& factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                      reinterpret_cast<void**>(factory.out())));
}

std::string Failed(const char* format, const char* step) { return std::string(format) + ": " + step + " failed"; }

uint16_t Be16(const uint8_t* p) { return uint16_t((p[0] << 8) | p[1]); }

// The start of frame of a JPEG, read before the decoder sees the data, so a
// forged header is refused before anything is allocated.
struct JpegFrame {
    bool Found = false;
    bool SequentialHuffman = false;
    uint64_t Width = 0, Height = 0;
    uint64_t Blocks = 0;  // 8 x 8 blocks of all components
};

JpegFrame ScanJpegFrame(std::span<const uint8_t> d) {
    JpegFrame frame;
    size_t at = 2;  // after SOI
    while (at + 4 <= d.size()) {
        if (d[at] != 0xFF) return frame;
        const uint8_t marker = d[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const size_t length = Be16(&d[at + 2]);
        if (length < 2 || at + 2 + length > d.size()) return frame;
        // SOF0 to SOF15, less the Huffman tables (C4), JPG (C8) and arithmetic conditioning (CC).
        const bool startOfFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (!startOfFrame) {
            at += 2 + length;
            continue;
        }
        const uint8_t* s = &d[at + 4];
        if (length < 8) return frame;
        const uint64_t height = Be16(s + 1), width = Be16(s + 3);
        const size_t count = s[5];
        if (count == 0 || length < 8 + 3 * count) return frame;
        unsigned maxH = 1, maxV = 1;
        for (size_t i = 0; i < count; ++i) {
            maxH = std::max(maxH, unsigned(s[6 + 3 * i + 1] >> 4));
            maxV = std::max(maxV, unsigned(s[6 + 3 * i + 1] & 15));
        }
        // As the decoder sizes each component: its share of the picture in whole blocks.
        for (size_t i = 0; i < count; ++i) {
            const unsigned h = std::max(1u, unsigned(s[6 + 3 * i + 1] >> 4));
            const unsigned v = std::max(1u, unsigned(s[6 + 3 * i + 1] & 15));
            frame.Blocks += ((width * h + 8 * maxH - 1) / (8 * maxH)) * ((height * v + 8 * maxV - 1) / (8 * maxV));
        }
        frame.Found = true;
        frame.Width = width;
        frame.Height = height;
        frame.SequentialHuffman = marker == 0xC0 || marker == 0xC1;
        return frame;
    }
    return frame;
}

// Checked on the header before Windows sees the data: its decoders allocate
// the whole picture as they open it. A sequential Huffman scan spends at least
// two bits on every block, so the data bounds the picture; the other codings
// keep every coefficient (64 of two bytes a block) in memory, capped as on
// Linux.
std::string CheckJpegHeader(std::span<const uint8_t> d) {
    const JpegFrame frame = ScanJpegFrame(d);
    if (!frame.Found) return {};  // the decoder says what is wrong
    if (auto error = PictureSideProblem("JPEG", "width", frame.Width); !error.empty()) return error;
    if (auto error = PictureSideProblem("JPEG", "height", frame.Height); !error.empty()) return error;
    if (frame.SequentialHuffman)
        return frame.Blocks / 4 <= d.size() ? std::string()
                                            : PictureDataProblem("JPEG", d.size(), frame.Width, frame.Height);
    return frame.Blocks * 128 <= kMaxWholeImageBuffers ? std::string() : PictureMemoryProblem("JPEG");
}

uint32_t Be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// The PNG header: sides, and a file too small for the pixels it promises.
std::string CheckPngHeader(std::span<const uint8_t> d) {
    if (d.size() < 33 || !std::equal(d.begin() + 12, d.begin() + 16, "IHDR")) return {};
    const uint64_t width = Be32(&d[16]), height = Be32(&d[20]);
    if (auto error = PictureSideProblem("PNG", "width", width); !error.empty()) return error;
    if (auto error = PictureSideProblem("PNG", "height", height); !error.empty()) return error;
    static constexpr uint64_t kChannels[] = {1, 0, 3, 1, 2, 0, 4};  // by colour type
    const uint8_t type = d[25];
    const uint64_t bits = uint64_t(d[24]) * (type < std::size(kChannels) ? kChannels[type] : 4);
    if (width * height * bits / 8 / kMaxDeflateRatio > d.size())
        return PictureDataProblem("PNG", d.size(), width, height);
    return {};
}

// CMYK is not among the conversions every Windows offers; the ink is turned
// into light here, as on Linux.
bool CopyCmyk(IWICBitmapSource& source, Bitmap& out) {
    std::vector<uint8_t> ink(out.PixelCount() * 4);
    const UINT stride = UINT(out.Width()) * 4;
    if (FAILED(source.CopyPixels(nullptr, stride, UINT(ink.size()), ink.data()))) return false;
    for (size_t i = 0; i < out.PixelCount(); ++i) {
        const uint8_t* p = &ink[i * 4];
        out.Data()[i] = PixelFromInk(p[0], p[1], p[2], p[3]);
    }
    return true;
}

bool CopyConverted(IWICImagingFactory& factory, IWICBitmapSource& source, Bitmap& out) {
    Com<IWICFormatConverter> converter;
    // Straight alpha keeps the colours as stored; the alpha is then dropped,
    // as the Linux reader drops it.
    if (FAILED(factory.CreateFormatConverter(converter.out())) ||
        FAILED(converter->Initialize(&source, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    const UINT stride = UINT(out.Width()) * 4;
    if (FAILED(converter->CopyPixels(nullptr, stride, UINT(out.PixelCount() * 4),
                                     reinterpret_cast<BYTE*>(out.Data()))))
        return false;
    for (size_t i = 0; i < out.PixelCount(); ++i) out.Data()[i] &= 0x00FFFFFF;
    return true;
}

DecodeResult Decode(std::span<const uint8_t> data, const char* format, const GUID& container) {
    const bool jpeg = container == GUID_ContainerFormatJpeg;
    if (auto error = jpeg ? CheckJpegHeader(data) : CheckPngHeader(data); !error.empty()) return {{}, std::move(error)};
    ComScope com;
    Com<IWICImagingFactory> factory;
    if (!com.Ready() || !MakeFactory(factory)) return {{}, Failed(format, "starting the Windows Imaging Component")};
    Com<IWICStream> stream;
    Com<IWICBitmapDecoder> decoder;
    Com<IWICBitmapFrameDecode> frame;
    if (data.size() > 0xFFFFFFFFu || FAILED(factory->CreateStream(stream.out())) ||
        FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size()))) ||
        FAILED(factory->CreateDecoder(container, nullptr, decoder.out())) ||
        FAILED(decoder->Initialize(stream.get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, frame.out())))
        return {{}, std::string(format) + ": the data is not a picture Windows can read"};

    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height))) return {{}, Failed(format, "reading the size")};
    if (auto error = PictureSideProblem(format, "width", width); !error.empty()) return {{}, std::move(error)};
    if (auto error = PictureSideProblem(format, "height", height); !error.empty()) return {{}, std::move(error)};

    DecodeResult result;
    result.Picture.SetSize(int(width), int(height));
    WICPixelFormatGUID stored{};
    frame->GetPixelFormat(&stored);
    const bool copied = stored == GUID_WICPixelFormat32bppCMYK
                            ? CopyCmyk(*frame.get(), result.Picture)
                            : CopyConverted(*factory.get(), *frame.get(), result.Picture);
    if (!copied) return {{}, std::string(format) + ": the picture data is damaged or cut short"};
    return result;
}

}  // namespace

DecodeResult ReadJpeg(std::span<const uint8_t> data) {
    if (data.size() < 3 || data[0] != 0xFF || data[1] != 0xD8) return {{}, "JPEG: the data does not start with SOI"};
    return Decode(data, "JPEG", GUID_ContainerFormatJpeg);
}

DecodeResult ReadPng(std::span<const uint8_t> data) {
    static constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (data.size() < 8 || !std::equal(std::begin(kSignature), std::end(kSignature), data.begin()))
        return {{}, "PNG: the data does not start with the PNG signature"};
    return Decode(data, "PNG", GUID_ContainerFormatPng);
}

std::vector<uint8_t> WritePng(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return {};
    ComScope com;
    Com<IWICImagingFactory> factory;
    if (!com.Ready() || !MakeFactory(factory)) return {};
    Com<IStream> memory;
    Com<IWICBitmapEncoder> encoder;
    Com<IWICBitmapFrameEncode> frame;
    Com<IPropertyBag2> options;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.out())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
        FAILED(encoder->Initialize(memory.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.out(), options.out())) || FAILED(frame->Initialize(options.get())) ||
        FAILED(frame->SetSize(UINT(bitmap.Width()), UINT(bitmap.Height()))) || FAILED(frame->SetResolution(96.0, 96.0)))
        return {};
    // 8-bit RGB, the fourth byte dropped, as on Linux.
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR) return {};
    const size_t stride = (size_t(bitmap.Width()) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> rows(stride * size_t(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
        uint8_t* out = &rows[size_t(y) * stride];
        for (const uint32_t p : std::span(bitmap.Row(y), size_t(bitmap.Width()))) {
            *out++ = PixelBlue(p);
            *out++ = PixelGreen(p);
            *out++ = PixelRed(p);
        }
    }
    if (FAILED(frame->WritePixels(UINT(bitmap.Height()), UINT(stride), UINT(rows.size()), rows.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return {};

    HGLOBAL global = nullptr;
    STATSTG stat{};
    if (FAILED(GetHGlobalFromStream(memory.get(), &global)) || FAILED(memory->Stat(&stat, STATFLAG_NONAME))) return {};
    const auto* bytes = static_cast<const uint8_t*>(GlobalLock(global));
    if (!bytes) return {};
    std::vector<uint8_t> png(bytes, bytes + stat.cbSize.QuadPart);
    GlobalUnlock(global);
    return png;
}

}  // namespace orvane
