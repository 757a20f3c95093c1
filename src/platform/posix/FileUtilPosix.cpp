// The file functions' Linux side.
#include "platform/FileUtil.h"

#include "platform/Errors.h"
#include "platform/PathText.h"
#include "platform/SystemFiles.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace fs = std::filesystem;

namespace sys {

std::FILE* OpenStream(const fs::path& path, const char* mode) { return std::fopen(path.c_str(), mode); }

std::string LastErrorText() { return std::strerror(errno); }

std::string ReplaceWith(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return ec ? ec.message() : std::string();
}

}  // namespace sys

std::string ExecutableFolder() {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) exe = fs::current_path() / "orvane";
    return Utf8FromPath(exe.parent_path()) + "/";
}

int CurrentProcessId() { return int(::getpid()); }

FileLock::~FileLock() { Unlock(); }

bool FileLock::TryLock(const fs::path& path) {
    Unlock();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    handle_ = fd;
    return true;
}

void FileLock::Unlock() {
    if (handle_ < 0) return;
    ::flock(int(handle_), LOCK_UN);
    ::close(int(handle_));
    handle_ = -1;
}

bool CanReplace(const fs::path& target) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) return false;
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool CanWrite(const fs::path& file) { return ::access(file.c_str(), W_OK) == 0; }

bool CanRead(const fs::path& path) {
    std::error_code ec;
    return ::access(path.c_str(), fs::is_directory(path, ec) ? R_OK | X_OK : R_OK) == 0;
}

bool IsReadOnly(const fs::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    return (st.st_mode & S_IWUSR) == 0;
}

void ClearReadOnly(const fs::path& path) {
    std::error_code ec;
    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add, ec);
    if (ec) throw FileError("Cannot change the attributes of " + PathForDisplay(path) + ": " + ec.message());
}

}  // namespace orvane
