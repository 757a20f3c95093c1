// The file functions' Windows side: wide paths throughout.
#include "platform/FileUtil.h"

#include "platform/Errors.h"
#include "platform/PathText.h"
#include "platform/SystemFiles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

#include <cerrno>
#include <cstring>

namespace orvane {
namespace fs = std::filesystem;

namespace sys {

std::FILE* OpenStream(const fs::path& path, const char* mode) {
    return _wfopen(path.c_str(), WideFromUtf8(mode).c_str());
}

std::string LastErrorText() { return std::strerror(errno); }

std::string ReplaceWith(const fs::path& from, const fs::path& to) {
    // The move itself reaches the disk before the call returns.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return SystemErrorText(GetLastError());
}

}  // namespace sys

namespace {

HANDLE OpenExisting(const fs::path& path, DWORD access, DWORD flags = FILE_ATTRIBUTE_NORMAL) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags, nullptr);
}

bool Opens(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace

std::string ExecutableFolder() {
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (n == 0) return Utf8FromPath(fs::current_path()) + "/";
        if (n < name.size()) {
            name.resize(n);
            break;
        }
        name.resize(name.size() * 2);  // cut short: a long path
    }
    return Utf8FromPath(fs::path(name).parent_path()) + "/";
}

int CurrentProcessId() { return int(GetCurrentProcessId()); }

FileLock::~FileLock() { Unlock(); }

bool FileLock::TryLock(const fs::path& path) {
    Unlock();
    // Held open without sharing: a second editor's open fails until this one closes it.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(file);
    return true;
}

void FileLock::Unlock() {
    if (handle_ == -1) return;
    CloseHandle(reinterpret_cast<HANDLE>(handle_));
    handle_ = -1;
}

bool CanReplace(const fs::path& target) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) return false;
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = fs::current_path(ec);
    // Windows keeps no permission bits a check could read: whether the folder
    // takes a new file is known only by making one.
    const fs::path probe = folder / (L".orvane-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
    return Opens(CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
}

bool CanWrite(const fs::path& file) { return Opens(OpenExisting(file, GENERIC_WRITE)); }

bool CanRead(const fs::path& path) {
    std::error_code ec;
    if (!fs::is_directory(path, ec)) return Opens(OpenExisting(path, GENERIC_READ));
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path / L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool IsReadOnly(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

void ClearReadOnly(const fs::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        !SetFileAttributesW(path.c_str(), attributes & ~DWORD(FILE_ATTRIBUTE_READONLY)))
        throw FileError("Cannot change the attributes of " + PathForDisplay(path) + ": " +
                        SystemErrorText(GetLastError()));
}

}  // namespace orvane
