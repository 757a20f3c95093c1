#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// Reads a whole file; throws FileError when it cannot be opened or read.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

// Writes a file so that a failure leaves whatever was there before: the data
// goes to a temporary file beside the target, which then replaces the target.
// Throws FileError.
void WriteFileReplacing(const std::filesystem::path& path, std::span<const uint8_t> data);

// A file being written beside its target. Commit() renames it over the target;
// a writer destroyed without Commit() removes the temporary file.
class ReplacingFileWriter {
public:
    explicit ReplacingFileWriter(std::filesystem::path target);
    ~ReplacingFileWriter();
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;

    void Write(const void* data, size_t size);
    void Commit();
    const std::filesystem::path& Target() const { return target_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
};

// The regular files of a folder whose names end in extension (".mng"; any
// case), sorted by name. A folder that cannot be read gives none.
std::vector<std::filesystem::path> FilesWithExtension(const std::filesystem::path& folder, std::string extension);

// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

// An advisory lock on a file, held while the object lives: tells a second
// editor started from the same folder that the first one is running.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // False when another process holds the lock (or the file cannot be made).
    bool TryLock(const std::filesystem::path& path);
    void Unlock();

private:
    int fd_ = -1;
};

// Whether the user may not write the file (the "read-only" attribute).
bool IsReadOnly(const std::filesystem::path& path);
// Gives the owner write permission again.
void ClearReadOnly(const std::filesystem::path& path);

}  // namespace orvane
