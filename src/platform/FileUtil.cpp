#include "FileUtil.h"

#include "platform/AsciiCase.h"

#include "Errors.h"
#include "PathText.h"
#include "SystemFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <map>
#include <random>

namespace orvane {
namespace fs = std::filesystem;

namespace {

FileFaultHook& FaultHook() {
    static FileFaultHook hook;
    return hook;
}

// The seam: an injected failure looks like a full disk.
bool Fails(FileOp op, const fs::path& path) {
    const FileFaultHook& hook = FaultHook();
    if (hook && hook(op, path)) {
        errno = ENOSPC;
        return true;
    }
    return false;
}

std::string Describe(const fs::path& path, const char* what) {
    return std::string(what) + " " + PathForDisplay(path) + ": " + sys::LastErrorText();
}

fs::path TempPathBeside(const fs::path& target) {
    static std::mt19937 random{std::random_device{}()};
    const auto tag = std::to_string(random() % 1000000);
    // Short enough for any file name the target may have.
    return target.parent_path() / PathFromUtf8(".orvane-" + tag + ".tmp");
}

}  // namespace

const char* FileOpName(FileOp op) {
    switch (op) {
        case FileOp::Open: return "open";
        case FileOp::Write: return "write";
        case FileOp::Flush: return "flush";
        case FileOp::Close: return "close";
        case FileOp::Rename: return "rename";
        case FileOp::Delete: return "delete";
        case FileOp::Copy: return "copy";
        case FileOp::CreateFolder: return "create folder";
    }
    return "?";
}

void SetFileFaultHook(FileFaultHook hook) { FaultHook() = std::move(hook); }

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
    if (Fails(FileOp::Open, path)) throw FileError(Describe(path, "Cannot open"));
    std::FILE* f = sys::OpenStream(path, "rb");
    if (!f) throw FileError(Describe(path, "Cannot open"));
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.insert(data.end(), buffer, buffer + n);
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed || Fails(FileOp::Close, path)) throw FileError(Describe(path, "Cannot read"));
    return data;
}

ReplacingFileWriter::ReplacingFileWriter(fs::path target) : target_(std::move(target)) {
    temp_ = TempPathBeside(target_);
    if (Fails(FileOp::Open, temp_)) throw FileError(Describe(target_, "Cannot create"));
    file_ = sys::OpenStream(temp_, "wb");
    if (!file_) throw FileError(Describe(target_, "Cannot create"));
}

ReplacingFileWriter::~ReplacingFileWriter() {
    if (file_) {
        std::fclose(file_);
        std::error_code ignored;
        fs::remove(temp_, ignored);
    }
}

void ReplacingFileWriter::Write(const void* data, size_t size) {
    if (!file_) throw FileError("Write after commit: " + PathForDisplay(target_));
    if (Fails(FileOp::Write, temp_) || (size && std::fwrite(data, 1, size, file_) != size))
        throw FileError(Describe(target_, "Cannot write"));
}

void ReplacingFileWriter::Commit() {
    if (!file_) return;
    const bool flushed = !Fails(FileOp::Flush, temp_) && std::fflush(file_) == 0;
    const bool closed = std::fclose(file_) == 0 && !Fails(FileOp::Close, temp_);
    file_ = nullptr;
    std::error_code ec;
    if (!flushed || !closed) {
        const auto message = Describe(target_, "Cannot write");
        fs::remove(temp_, ec);
        throw FileError(message);
    }
    const std::string failure = Fails(FileOp::Rename, target_)
                                    ? std::make_error_code(std::errc::no_space_on_device).message()
                                    : sys::ReplaceWith(temp_, target_);
    if (!failure.empty()) {
        fs::remove(temp_, ec);
        throw FileError("Cannot replace " + PathForDisplay(target_) + ": " + failure);
    }
}

void WriteFileReplacing(const fs::path& path, std::span<const uint8_t> data) {
    ReplacingFileWriter writer(path);
    writer.Write(data.data(), data.size());
    writer.Commit();
}

bool RemoveFile(const fs::path& path) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec))) return false;
    if (Fails(FileOp::Delete, path)) throw FileError(Describe(path, "Cannot delete"));
    if (!fs::remove(path, ec) && ec) throw FileError("Cannot delete " + PathForDisplay(path) + ": " + ec.message());
    return true;
}

void CopyFileReplacing(const fs::path& from, const fs::path& to) {
    if (Fails(FileOp::Copy, to)) throw FileError(Describe(to, "Cannot copy to"));
    // Through a file beside the target, so a failed copy leaves the target whole.
    WriteFileReplacing(to, ReadWholeFile(from));
}

void CreateFolders(const fs::path& folder) {
    std::error_code ec;
    if (fs::is_directory(folder, ec)) return;
    if (Fails(FileOp::CreateFolder, folder)) throw FileError(Describe(folder, "Cannot create the folder"));
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec))
        throw FileError("Cannot create the folder " + PathForDisplay(folder) + ": " + ec.message());
}

bool RemoveEmptyFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec) || Fails(FileOp::Delete, folder)) return false;
    return fs::remove(folder, ec) && !ec;
}

std::vector<fs::path> FilesWithExtension(const fs::path& folder, std::string extension) {
    extension = AsciiLower(extension);
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8FromPath(it->path().filename());
        if (name.size() > extension.size() && EndsWithNoCase(name, extension) &&
            it->is_regular_file(ec))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> FilesOfFolders(const std::vector<fs::path>& folders, const std::string& extension) {
    std::map<std::string, fs::path> byName;
    for (const fs::path& folder : folders)
        for (const fs::path& file : FilesWithExtension(folder, extension)) byName[Utf8FromPath(file.filename())] = file;
    std::vector<fs::path> files;
    for (auto& [name, path] : byName) files.push_back(path);
    return files;
}

}  // namespace orvane
