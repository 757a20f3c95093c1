#pragma once

#include "document/ByteStream.h"
#include "document/UBmpArray.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

class Platform;

enum RecordKind : uint8_t { kByteRecord = 1, kIntegerRecord = 2, kLongRecord = 3, kTextRecord = 4, kPictureRecord = 5 };

inline constexpr uint8_t kRecordFileKind = 3;
inline constexpr size_t kRecordHeaderSize = 11;

// The record file shared by menu files, menu style files, button style files
// and undo snapshots: an 11-byte header ("MENU", kind, version, count, picture
// count), typed records, an end byte. One record file is open at a time.
//
// Writing goes to memory; CloseRecordFile writes it beside the target and
// renames it over the target only when the end byte was written, so a failed
// or abandoned save leaves the old file as it was.
//
// Reading from memory needs no desktop: the menu player and the fuzzers use a
// record file without a platform, which asks nothing and shows nothing.
class RecordFile {
public:
    explicit RecordFile(Platform& platform) : platform_(&platform) {}
    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Set when a question was declined or a record of the wrong kind was met.
    bool FileOpFailed = false;

    // What ReadRecordHeader kept.
    uint8_t HeaderKind = 0;
    uint8_t VersionMajor = 0;
    uint8_t VersionMinor = 0;
    uint8_t VersionRelease = 0;
    uint8_t HeaderCount = 0;
    int16_t HeaderPictureCount = 0;

    // folder ends in "/". With replace: asks before overwriting (when ask is
    // set) and before writing over a read-only file; false when not answered
    // Yes. Without replace: reads the file (FileError when it cannot). Needs
    // a platform.
    bool OpenRecordFile(const std::string& fileName, const std::string& folder, bool replace, bool ask);
    // Reads from memory instead of a file (the player, the command-line tool
    // and tests).
    void OpenRecordData(std::vector<uint8_t> data);
    // Reads from memory the caller keeps alive, without a copy.
    void OpenRecordView(std::span<const uint8_t> data);
    // Commits a complete write (FileError when that fails); otherwise closes.
    void CloseRecordFile();

    void WriteRecordHeader(int count, int16_t pictureCount);
    void WriteField(int kind, int32_t number, const std::string& text);
    void WriteEditorText(const std::string& text);
    void WritePicture(int type, int number, int state, int32_t frame, const Bitmap& bitmap,
                      const std::string& fileName, bool raw);
    void WriteEnd();

    // Reads the header; false (after the version message, when there is a
    // platform to show it) when its kind is not 3 or its major version is
    // below 8. Throws RecordFormatError when short.
    bool ReadRecordHeader();
    int32_t ReadInteger();
    uint32_t ReadLong();
    std::string ReadText();
    // A text only the editor reads back, such as its own paths
    // (EncodeEditorText).
    std::string ReadEditorText();
    uint8_t ReadByte();
    // Reads a picture record into bitmap; false (FileOpFailed set) for a record
    // of another kind. The picture's own fields are kept in LastPicture.
    bool ReadPicture(Bitmap& bitmap, bool raw, PictureBounds bounds = kStoredPictureBounds);
    // The two halves of ReadPicture: the record's own fields (into
    // LastPicture), then its bitmap record.
    bool ReadPictureFields();
    void ReadPictureData(Bitmap& bitmap, bool raw, PictureBounds bounds = kStoredPictureBounds);

    struct PictureFields {
        uint8_t Type = 0;
        uint8_t Number = 0;
        uint8_t State = 0;
        int32_t Frame = 0;
    };
    PictureFields LastPicture;

    bool AtEnd() const { return in_.AtEnd(); }
    size_t Remaining() const { return in_.Remaining(); }
    uint8_t PeekKind() const { return in_.PeekU8(); }
    const std::vector<uint8_t>& Written() const { return out_.Data(); }

private:
    bool ExpectKind(uint8_t kind);
    std::string_view TextBytes();
    void Trace(const std::string& text);

    Platform* platform_ = nullptr;
    std::string target_;  // the file being replaced
    bool writing_ = false;
    bool endWritten_ = false;
    ByteSink out_;
    std::vector<uint8_t> data_;
    ByteSource in_;
};

// Defined once (mdlfilebin.cpp), as in MenuType.h: "This is not an Orvane
// Graphic Version 8 or above file. ..."
extern const std::string kVersionMessage;

}  // namespace orvane
