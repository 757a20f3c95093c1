#include "PackageReader.h"

#include "document/ByteStream.h"

#include <cstring>

namespace orvane::player {
namespace {

constexpr size_t kTrailerSize = 4;

[[noreturn]] void Refuse(const std::string& why) { throw RecordFormatError("package: " + why); }

// The marker, the version bytes and the two field records the builder writes
// before the count.
void SkipPackageHeader(ByteSource& in) {
    const auto magic = in.Take(4);
    if (std::memcmp(magic.data(), "FPAK", 4) != 0) Refuse("the marker is not FPAK");
    const auto version = in.Take(3);
    if (version[0] != 2 || version[1] != 0 || version[2] != 0) Refuse("unknown package version");
    if (in.U8() != 4) Refuse("the first field is not a text record");
    const uint32_t textLength = in.U32();
    if (textLength > in.Remaining()) Refuse("the text field runs past the end");
    in.Take(textLength);
    if (in.U8() != 1) Refuse("the second field is not a byte record");
    in.U32();  // length word, never used for fixed-size kinds
    in.U8();
}

}  // namespace

std::vector<PackagedFile> ReadPackage(std::span<const uint8_t> executable) {
    if (executable.size() < kTrailerSize) Refuse("the file is too short");
    // Everything the package describes lies before the trailer.
    const auto body = executable.first(executable.size() - kTrailerSize);
    ByteSource trailer(executable.last(kTrailerSize));
    const uint32_t markerOneBased = trailer.U32();
    if (markerOneBased == 0 || markerOneBased > body.size()) Refuse("the trailer points outside the file");
    const size_t marker = markerOneBased - 1;

    ByteSource in(body);
    in.Take(marker);  // the player itself
    SkipPackageHeader(in);
    const int count = in.U8();
    if (count < 1 || count > kMaxPackagedFiles) Refuse("file count " + std::to_string(count) + " is out of range");
    if (in.Remaining() < size_t(count) * kDirectoryEntrySize) Refuse("the directory runs past the end");

    const size_t contentStart = in.Position() + size_t(count) * kDirectoryEntrySize;
    std::vector<PackagedFile> files(static_cast<size_t>(count));
    for (auto& file : files) {
        const auto name = in.Take(kDirectoryNameSize);
        size_t used = name.size();
        while (used > 0 && name[used - 1] == ' ') --used;
        file.Name.assign(reinterpret_cast<const char*>(name.data()), used);
        const uint32_t offsetOneBased = in.U32();
        if (offsetOneBased == 0 || offsetOneBased - 1 > body.size())
            Refuse("the offset of " + file.Name + " is past the end");
        file.Offset = offsetOneBased - 1;
    }

    // The contents follow the directory back to back, so each file ends where
    // the next begins and the last one at the trailer.
    if (files.front().Offset != contentStart) Refuse("the first file does not follow the directory");
    for (size_t k = 0; k < files.size(); ++k) {
        const size_t end = k + 1 < files.size() ? files[k + 1].Offset : body.size();
        if (end < files[k].Offset) Refuse("the offsets of " + files[k].Name + " are out of order");
        files[k].Length = end - files[k].Offset;
    }
    return files;
}

}  // namespace orvane::player
