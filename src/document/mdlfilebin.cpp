#include "mdlfilebin.h"

#include "document/UBmpArray.h"
#include "platform/Cp1252.h"
#include "platform/Platform.h"

namespace orvane {

const std::string kVersionMessage =
    "This is not an Orvane Graphic Version 8 or above file. If you have created the menu in a previous "
    "version of Orvane Graphic, you will need to manually recreate the menu in this new version.";

RecordFile::~RecordFile() {
    // An abandoned write never reaches the target.
    writing_ = false;
}

void RecordFile::OpenRecordData(std::vector<uint8_t> data) {
    writing_ = false;
    data_ = std::move(data);
    in_ = ByteSource(data_);
}

void RecordFile::OpenRecordView(std::span<const uint8_t> data) {
    writing_ = false;
    data_.clear();
    in_ = ByteSource(data);
}

void RecordFile::Trace(const std::string& text) {
    if (platform_) platform_->Trace(text);
}

bool RecordFile::ReadRecordHeader() {
    const auto header = in_.Take(kRecordHeaderSize);
    // The magic is not compared: only the kind and the version decide.
    HeaderKind = header[4];
    VersionMajor = header[5];
    VersionMinor = header[6];
    VersionRelease = header[7];
    HeaderCount = header[8];
    HeaderPictureCount = int16_t(uint16_t(header[9] | (header[10] << 8)));
    if (HeaderKind != kRecordFileKind || VersionMajor < 8) {
        if (platform_) ShowMessageBox(*platform_, kVersionMessage, MsgType::Information);
        return false;
    }
    return true;
}

bool RecordFile::ExpectKind(uint8_t kind) {
    if (in_.U8() == kind) return true;
    FileOpFailed = true;
    return false;
}

uint8_t RecordFile::ReadByte() {
    if (!ExpectKind(kByteRecord)) return 0;
    in_.U32();
    return in_.U8();
}

int32_t RecordFile::ReadInteger() {
    if (!ExpectKind(kIntegerRecord)) return 0;
    in_.U32();
    return in_.I32();
}

uint32_t RecordFile::ReadLong() {
    if (!ExpectKind(kLongRecord)) return 0;
    in_.U32();
    return in_.U32();
}

std::string RecordFile::ReadText() {
    if (!ExpectKind(kTextRecord)) return {};
    return Cp1252ToUtf8(TextBytes());
}

std::string RecordFile::ReadEditorText() {
    if (!ExpectKind(kTextRecord)) return {};
    return DecodeEditorText(TextBytes());
}

std::string_view RecordFile::TextBytes() {
    const uint32_t length = in_.U32();
    if (length > in_.Remaining()) throw RecordFormatError("text length " + std::to_string(length) + " runs past the end");
    const auto bytes = in_.Take(length);
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

bool RecordFile::ReadPicture(Bitmap& bitmap, bool raw, PictureBounds bounds) {
    if (!ReadPictureFields()) return false;
    ReadPictureData(bitmap, raw, bounds);
    return true;
}

bool RecordFile::ReadPictureFields() {
    if (!ExpectKind(kPictureRecord)) return false;
    LastPicture.Type = in_.U8();
    LastPicture.Number = in_.U8();
    LastPicture.State = in_.U8();
    LastPicture.Frame = in_.I32();
    return true;
}

void RecordFile::ReadPictureData(Bitmap& bitmap, bool raw, PictureBounds bounds) {
    if (raw)
        ReadRawBitmap(in_, bitmap, bounds);
    else
        ReadCompressedBitmap(in_, bitmap, bounds);
}

}  // namespace orvane
