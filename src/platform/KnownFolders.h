#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The folders Windows keeps for the user and for installed programs, as
// UTF-8 without a trailing separator. Other systems have none of them.
struct WindowsFolders {
    std::string RoamingAppData;  // %APPDATA%: settings that follow the user
    std::string LocalAppData;    // %LOCALAPPDATA%: this computer's files
    std::string Documents;
    std::vector<std::string> ProgramFiles;  // the 64- and 32-bit program folders
};

// This session's folders on Windows; nothing on other systems.
std::optional<WindowsFolders> WindowsKnownFolders();

}  // namespace orvane
