#include "platform/KnownFolders.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

#include <knownfolders.h>
#include <shlobj.h>

namespace orvane {

namespace {

std::string Known(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::string out;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)) && path) out = Utf8FromWide(path);
    CoTaskMemFree(path);
    return out;
}

}  // namespace

std::optional<WindowsFolders> WindowsKnownFolders() {
    WindowsFolders f;
    f.RoamingAppData = Known(FOLDERID_RoamingAppData);
    f.LocalAppData = Known(FOLDERID_LocalAppData);
    f.Documents = Known(FOLDERID_Documents);
    for (const std::string& folder : {Known(FOLDERID_ProgramFiles), Known(FOLDERID_ProgramFilesX86)})
        if (!folder.empty()) f.ProgramFiles.push_back(folder);
    return f;
}

}  // namespace orvane
