#include "document/MenuFields.h"
#include "document/MenuRecords.h"
#include "document/UBmpArray.h"
#include "document/mdlfilebin.h"
#include "platform/Cp1252.h"
#include "platform/Platform.h"
#include "platform/Version.h"

#include <zlib.h>

#include <stdexcept>

// The writing side of bitmap records, record files and menu records. The
// editor writes; the menu player only reads, so its build leaves this file
// (and zlib's compressor) out.

namespace orvane {
namespace {

// The pixel block: rows from the top, each from x = 0, 32-bit little-endian.
std::vector<uint8_t> PixelBlock(const TBmpArray& a) {
    std::vector<uint8_t> block(size_t(a.Width) * size_t(a.Height) * 4);
    uint8_t* out = block.data();
    for (int y = 0; y < a.Height; ++y) {
        for (int x = 0; x < a.Width; ++x) {
            const uint32_t v = a.Pixel(x, y);
            *out++ = uint8_t(v);
            *out++ = uint8_t(v >> 8);
            *out++ = uint8_t(v >> 16);
            *out++ = uint8_t(v >> 24);
        }
    }
    return block;
}

}  // namespace

void TBmpArray::WriteCompressed(ByteSink& out, Platform* platform) const {
    if (platform) {
        platform->Trace("BitmapZipBinaryWrite Called, Reading Width and Height");
        platform->Trace("LWidth: " + std::to_string(Bitmap.Width()));
        platform->Trace("LHeight: " + std::to_string(Bitmap.Height()));
    }

    const std::vector<uint8_t> block = PixelBlock(*this);
    uLongf zipped = compressBound(uLong(block.size()));
    std::vector<uint8_t> buffer(4 + zipped);
    const uint32_t length = uint32_t(block.size());
    for (int i = 0; i < 4; ++i) buffer[size_t(i)] = uint8_t(length >> (8 * i));
    if (compress2(buffer.data() + 4, &zipped, block.data(), uLong(block.size()), 9) != Z_OK)
        throw std::runtime_error("picture compression failed");
    buffer.resize(4 + zipped);

    out.I32(Width);
    out.I32(Height);
    out.I32(int32_t(buffer.size()));
    out.Bytes(buffer.data(), buffer.size());
}

void TBmpArray::WriteRaw(ByteSink& out) const {
    out.I32(Width);
    out.I32(Height);
    const std::vector<uint8_t> block = PixelBlock(*this);
    out.Bytes(block.data(), block.size());
}

void RecordFile::WriteRecordHeader(int count, int16_t pictureCount) {
    const EditorVersion v = CompiledVersion();
    out_.Text("MENU");
    out_.U8(kRecordFileKind);
    out_.U8(uint8_t(v.Major));
    out_.U8(uint8_t(v.Minor));
    out_.U8(uint8_t(v.Release));
    out_.U8(uint8_t(count));
    out_.I16(pictureCount);
}

void RecordFile::WriteField(int kind, int32_t number, const std::string& text) {
    out_.U8(uint8_t(kind));
    switch (kind) {
        case kByteRecord:
            out_.U32(1);
            out_.U8(uint8_t(number));
            break;
        case kIntegerRecord:
            // The length word of an integer record says 2 although 4 bytes follow.
            out_.U32(2);
            out_.I32(number);
            break;
        case kLongRecord:
            out_.U32(4);
            out_.I32(number);
            break;
        default: {
            const std::string bytes = Utf8ToCp1252(text);
            out_.U32(uint32_t(bytes.size()));
            out_.Text(bytes);
        }
    }
}

void RecordFile::WriteEditorText(const std::string& text) {
    const std::string bytes = EncodeEditorText(text);
    out_.U8(kTextRecord);
    out_.U32(uint32_t(bytes.size()));
    out_.Text(bytes);
}

void RecordFile::WritePicture(int type, int number, int state, int32_t frame, const Bitmap& bitmap,
                              const std::string&, bool raw) {
    Trace("SetRecordPic Called for type " + std::to_string(type) + ", number " + std::to_string(number) +
                    ", bState " + std::to_string(state) + ", intFrame " + std::to_string(frame));
    out_.U8(kPictureRecord);
    out_.U8(uint8_t(type));
    out_.U8(uint8_t(number));
    out_.U8(uint8_t(state));
    out_.I32(frame);
    TBmpArray grid;
    grid.Bitmap = bitmap;
    grid.FromBitmap();
    if (raw)
        grid.WriteRaw(out_);
    else
        grid.WriteCompressed(out_, platform_);
}

void RecordFile::WriteEnd() {
    out_.U8(0);
    endWritten_ = true;
}

void WriteValue(RecordFile& f, FieldType type, const std::string& value) {
    switch (type) {
        case FieldType::LineText: f.WriteField(kTextRecord, 0, WithCrLf(value)); break;
        case FieldType::EditorText: f.WriteEditorText(value); break;
        default: f.WriteField(kTextRecord, 0, value);
    }
}

void WriteValue(RecordFile& f, FieldType type, int32_t value) {
    f.WriteField(type == FieldType::Size ? kLongRecord : kIntegerRecord, value, {});
}

void WriteValue(RecordFile& f, FieldType, uint32_t value) { f.WriteField(kLongRecord, int32_t(value), {}); }

void WriteValue(RecordFile& f, FieldType type, bool value) {
    f.WriteField(kIntegerRecord, !value ? 0 : type == FieldType::Flag ? 1 : -1, {});
}

void WriteValue(RecordFile& f, FieldType, const FontSpec& value) { WriteFields(f, kFontFields, value); }

void WriteValue(RecordFile& f, FieldType, const std::array<int32_t, 4>& value) {
    for (int32_t v : value) f.WriteField(kIntegerRecord, v, {});
}

void WritePictureValue(RecordFile& f, int number, const Bitmap& value) {
    f.WritePicture(1, number, 0, 0, value, {}, false);
}

bool WriteMenuFields(RecordFile& f, MenuDocument& doc) {
    TOVMenu& m = doc.Menu;
    WriteFields(f, kMenuFields<MenuDocument>, doc);
    for (int n = 1; n <= m.ButtonCount; ++n) {
        TOVButton& b = m.Buttons[size_t(n)];
        b.AccessKey = AccessKeyOf(b.Caption);
        WriteFields(f, kButtonFields<TOVButton>, b);
    }
    return HasExitButton(m);
}

void WriteMenuPictures(RecordFile& f, const MenuDocument& doc) {
    const TOVMenu& m = doc.Menu;
    f.WritePicture(1, 0, 0, 0, doc.MenuImage, {}, false);
    for (int n = 1; n <= m.ButtonCount; ++n)
        for (int s = 0; s < 3; ++s) f.WritePicture(1, n, s, 0, m.Buttons[size_t(n)].Images[size_t(s)], {}, false);
    for (int s = 0; s < 3; ++s) f.WritePicture(1, 21, s, 0, m.Buttons[kControlSlot].Images[size_t(s)], {}, false);
}

}  // namespace orvane
