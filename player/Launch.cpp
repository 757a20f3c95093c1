#include "player/Launch.h"

#include "platform/AsciiCase.h"

#include <cctype>

namespace orvane::player {

uint32_t OpenFailure(CommandAction what, intptr_t shellAnswer, uint32_t lastError) {
    uint32_t error = lastError;
    // The SE_ERR_ codes, each with the system error of the same cause.
    switch (shellAnswer) {
        case 2: error = kErrorFileNotFound; break;              // SE_ERR_FNF
        case 3: error = kErrorPathNotFound; break;              // SE_ERR_PNF
        case 5: error = 5; break;                               // SE_ERR_ACCESSDENIED: ERROR_ACCESS_DENIED
        case 8: error = 8; break;                               // SE_ERR_OOM: ERROR_NOT_ENOUGH_MEMORY
        case 11: error = 11; break;                             // ERROR_BAD_FORMAT
        case 26: error = 32; break;                             // SE_ERR_SHARE: ERROR_SHARING_VIOLATION
        case 27: case 31: error = kErrorNoAssociation; break;  // SE_ERR_ASSOCINCOMPLETE, SE_ERR_NOASSOC
        case 28: case 29: case 30: error = 1156; break;         // SE_ERR_DDE*: ERROR_DDE_FAIL
        case 32: error = 1157; break;                           // SE_ERR_DLLNOTFOUND: ERROR_DLL_NOT_FOUND
        default: break;
    }
    if (error == 0) error = kErrorFileNotFound;
    if (what == CommandAction::OpenFolder && error == kErrorFileNotFound) error = kErrorPathNotFound;
    return error;
}

std::string NotFoundAnywhere(const CommandPlan& plan) {
    const bool folder = !plan.Target.empty() && plan.Target.back() == '\\';
    return std::string(folder ? "The folder" : "The file") + " could not be found on this disc or on any other drive.";
}

std::vector<std::string> SearchRoots(const std::vector<Drive>& drives, const std::string& executable) {
    const std::string own = AsciiLower(DriveRoot(executable));
    std::vector<std::string> roots;
    for (DriveKind kind : {DriveKind::Cd, DriveKind::Removable, DriveKind::Fixed, DriveKind::Network}) {
        for (const Drive& d : drives) {
            if (d.Kind != kind) continue;
            const char upper = char(std::toupper(static_cast<unsigned char>(d.Letter)));
            if (kind == DriveKind::Removable && (upper == 'A' || upper == 'B')) continue;
            const std::string root = std::string(1, upper) + ":\\";
            if (AsciiLower(root) != own) roots.push_back(root);
        }
    }
    return roots;
}

}  // namespace orvane::player
