#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane::player {

// One file carried in the autorun package: its stored name (spaces trimmed)
// and where its bytes lie in the autorun executable, zero-based.
struct PackagedFile {
    std::string Name;
    size_t Offset = 0;
    size_t Length = 0;
};

inline constexpr int kMaxPackagedFiles = 99;
inline constexpr size_t kDirectoryNameSize = 256;
inline constexpr size_t kDirectoryEntrySize = 260;

// Reads the package the builder appends after the player: "FPAK", 02 00 00,
// two field records, the count, the directory and the files' contents, then
// the one-based offset of "FPAK" as the last four bytes. Every offset and
// length is checked against the data; a damaged package throws
// RecordFormatError naming the bad field.
std::vector<PackagedFile> ReadPackage(std::span<const uint8_t> executable);

// The bytes of one packaged file.
inline std::span<const uint8_t> FileBytes(std::span<const uint8_t> executable, const PackagedFile& file) {
    return executable.subspan(file.Offset, file.Length);
}

}  // namespace orvane::player
