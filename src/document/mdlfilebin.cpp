#include "mdlfilebin.h"

#include "document/UBmpArray.h"
#include "platform/Cp1252.h"
#include "platform/FileUtil.h"
#include "platform/Platform.h"
#include "platform/Version.h"

namespace orvane {
namespace fs = std::filesystem;

namespace {

// The scratch grid every picture passes through, kept for the editor's life.
TBmpArray& ScratchGrid() {
    static TBmpArray grid = [] {
        TBmpArray g;
        g.Init();
        return g;
    }();
    return grid;
}

}  // namespace

RecordFile::~RecordFile() {
    // An abandoned write never reaches the target.
    writing_ = false;
}

bool RecordFile::OpenRecordFile(const std::string& fileName, const std::string& folder, bool replace, bool ask) {
    target_ = fs::path(folder + fileName);
    out_ = ByteSink();
    endWritten_ = false;
    writing_ = false;
    if (!replace) {
        OpenRecordData(ReadWholeFile(target_));
        return true;
    }
    std::error_code ec;
    if (fs::exists(target_, ec)) {
        if (ask && ShowMessageBox(platform_, "File exists, do you wish to overwrite it?", MsgType::Confirmation,
                                  MsgButtons::YesNoCancel) != MsgResult::Yes) {
            FileOpFailed = true;
            return false;
        }
        if (IsReadOnly(target_)) {
            if (ShowMessageBox(platform_,
                               "The menu file is marked as Read Only, would you like to save to it anyway?",
                               MsgType::Confirmation, MsgButtons::YesNoCancel) != MsgResult::Yes) {
                FileOpFailed = true;
                return false;
            }
            ClearReadOnly(target_);
        }
    }
    writing_ = true;
    return true;
}

void RecordFile::OpenRecordData(std::vector<uint8_t> data) {
    writing_ = false;
    data_ = std::move(data);
    in_ = ByteSource(data_);
}

void RecordFile::CloseRecordFile() {
    if (writing_) {
        writing_ = false;
        if (endWritten_) WriteFileReplacing(target_, out_.Data());
    }
    in_ = ByteSource();
    data_.clear();
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

void RecordFile::WritePicture(int type, int number, int state, int32_t frame, const Bitmap& bitmap,
                              const std::string&, bool raw) {
    platform_.Trace("SetRecordPic Called for type " + std::to_string(type) + ", number " + std::to_string(number) +
                    ", bState " + std::to_string(state) + ", intFrame " + std::to_string(frame));
    out_.U8(kPictureRecord);
    out_.U8(uint8_t(type));
    out_.U8(uint8_t(number));
    out_.U8(uint8_t(state));
    out_.I32(frame);
    TBmpArray& grid = ScratchGrid();
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
        ShowMessageBox(platform_, kVersionMessage, MsgType::Information);
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
    const uint32_t length = in_.U32();
    if (length > in_.Remaining()) throw RecordFormatError("text length " + std::to_string(length) + " runs past the end");
    const auto bytes = in_.Take(length);
    return Cp1252ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

bool RecordFile::ReadPicture(Bitmap& bitmap, bool raw) {
    if (!ExpectKind(kPictureRecord)) return false;
    LastPicture.Type = in_.U8();
    LastPicture.Number = in_.U8();
    LastPicture.State = in_.U8();
    LastPicture.Frame = in_.I32();
    TBmpArray& grid = ScratchGrid();
    if (raw)
        grid.ReadRaw(in_);
    else
        grid.ReadCompressed(in_);
    grid.ToBitmap();
    bitmap = grid.Bitmap;
    return true;
}

}  // namespace orvane
