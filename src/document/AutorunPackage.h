#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// The package the autorun builder appends after the player: "FPAK", the bytes
// 2 0 0, an empty text record, a byte record, the file count, a directory of
// 260-byte entries (name padded with spaces, one-based offset of the
// contents), the contents back to back, and the one-based offset of "FPAK" as
// the last four bytes. The editor writes it and the player reads it, both
// through this code.
inline constexpr size_t kMaxPackageFiles = 99;
inline constexpr size_t kDirectoryName = 256;
inline constexpr size_t kDirectoryEntry = 260;
// Everything before the count, as the builder writes it.
inline constexpr uint8_t kPackageHead[] = {'F', 'P', 'A', 'K', 2, 0, 0, 4, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};

struct PackagedFile {
    std::string Name;  // UTF-8, from the Windows-1252 directory entry
    uint32_t Offset = 0;  // zero-based, in the autorun file
    uint32_t Size = 0;
};

struct AutorunPackage {
    size_t PlayerSize = 0;
    std::vector<PackagedFile> Files;  // the default menu first
    std::string Error;                // why the data is not a package; empty when it is

    bool Ok() const { return Error.empty(); }
    // The packed file of that name (without folder), compared as Windows
    // compares file names; null when there is none.
    const PackagedFile* Find(std::string_view name) const;
};

// Reads a package from an autorun file. The data is untrusted: every count,
// offset, length and name is checked against the data before use. Names must
// be usable as file names on Windows (no folder, drive, "..", control
// character) and differ from each other.
AutorunPackage ReadAutorunPackage(std::span<const uint8_t> data);

// The bytes of one packed file (of a package read from the same data).
inline std::span<const uint8_t> PackedBytes(std::span<const uint8_t> data, const PackagedFile& file) {
    return data.subspan(file.Offset, file.Size);
}

// Why a name cannot be a packed file's name, or empty when it can.
std::string UnusableFileName(std::string_view utf8Name);

}  // namespace orvane
