#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// Every file operation the editor makes goes through the functions below,
// which pass one seam first: a test can make any of them fail as a full or
// failing disk would, with the FileError the real failure throws.
enum class FileOp { Open, Write, Flush, Close, Rename, Delete, Copy, CreateFolder };
const char* FileOpName(FileOp op);
// Returns true to make the operation fail. Null: nothing fails.
using FileFaultHook = std::function<bool(FileOp, const std::filesystem::path&)>;
void SetFileFaultHook(FileFaultHook hook);

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

// Deletes a file; false when there was none. Throws FileError when a file
// that is there cannot be deleted.
bool RemoveFile(const std::filesystem::path& path);
// Copies a file over target (replaced whole or not at all). Throws FileError.
void CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Creates a folder and its parents; throws FileError when it cannot.
void CreateFolders(const std::filesystem::path& folder);
// Deletes an empty folder; false when it is not there or not empty.
bool RemoveEmptyFolder(const std::filesystem::path& folder);

// The regular files of a folder whose names end in extension (".mng"; any
// case), sorted by name. A folder that cannot be read gives none.
std::vector<std::filesystem::path> FilesWithExtension(const std::filesystem::path& folder, std::string extension);

// The same over several folders, sorted by file name; of two files with one
// name the one in the later folder is taken.
std::vector<std::filesystem::path> FilesOfFolders(const std::vector<std::filesystem::path>& folders,
                                                  const std::string& extension);

// A folder ending in "/". An empty folder stays empty: it names no folder
// (a relative name then stays relative), never the root.
inline std::string FolderWithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// What the names of executables end in: ".exe" on Windows, nothing on Linux.
#ifdef _WIN32
inline constexpr const char* kProgramSuffix = ".exe";
#else
inline constexpr const char* kProgramSuffix = "";
#endif

// The folder of the running executable (UTF-8), ending in "/".
std::string ExecutableFolder();

// The number of this process, unique among the processes running now.
int CurrentProcessId();

// A lock on a file, held while the object lives: tells a second editor
// started from the same folder that the first one is running. (Linux: an
// advisory lock; Windows: the file held open without sharing.)
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
    std::intptr_t handle_ = -1;  // a descriptor, or a Windows handle
};

// Whether target can be written or replaced: it is no folder, and its folder
// takes new files.
bool CanReplace(const std::filesystem::path& target);

// Whether this process may write an existing file, or read a file or list a
// folder, as the system's permissions say now.
bool CanWrite(const std::filesystem::path& file);
bool CanRead(const std::filesystem::path& path);

// Whether the user may not write the file (the "read-only" attribute).
bool IsReadOnly(const std::filesystem::path& path);
// Gives the owner write permission again.
void ClearReadOnly(const std::filesystem::path& path);

}  // namespace orvane
