#include "platform/win32/FolderDrive.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

namespace orvane {

namespace {

std::wstring DeviceName(char letter) { return {wchar_t(letter), L':'}; }

}  // namespace

bool FolderDrive::Map(const std::filesystem::path& folder, std::string& error) {
    Unmap();
    const DWORD used = GetLogicalDrives();
    char letter = 0;
    for (char c = 'D'; c <= 'Z' && !letter; ++c)
        if (!(used & (1u << (c - 'A')))) letter = c;
    if (!letter) {
        error = "no drive letter is free";
        return false;
    }
    // No broadcast: Explorer need not hear of a drive that lives for one test.
    const std::wstring target = std::filesystem::absolute(folder).make_preferred().native();
    if (!DefineDosDeviceW(DDD_NO_BROADCAST_SYSTEM, DeviceName(letter).c_str(), target.c_str())) {
        error = SystemErrorText(GetLastError());
        return false;
    }
    letter_ = letter;
    target_ = target;
    return true;
}

void FolderDrive::Unmap() {
    if (!letter_) return;
    DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE | DDD_NO_BROADCAST_SYSTEM,
                     DeviceName(letter_).c_str(), target_.c_str());
    letter_ = 0;
    target_.clear();
}

}  // namespace orvane
