#pragma once

// Carrying out a command's plan on Windows, as plain decisions the host
// tests drive: where the search for a missing target looks, and what a
// failed open means.

#include "distribution/CommandLanguage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::player {

// Why the shell could not open a plan's target, as a system error code: the
// shell's own answer (an SE_ERR_ code, what ShellExecuteEx leaves in
// hInstApp) when it gave one, else the thread's last error. A folder that
// is not there is a missing path, not a missing file.
uint32_t OpenFailure(CommandAction what, intptr_t shellAnswer, uint32_t lastError);
// The system error codes the player tells apart.
inline constexpr uint32_t kErrorFileNotFound = 2;     // ERROR_FILE_NOT_FOUND
inline constexpr uint32_t kErrorPathNotFound = 3;     // ERROR_PATH_NOT_FOUND
inline constexpr uint32_t kErrorNoAssociation = 1155;  // ERROR_NO_ASSOCIATION
inline constexpr uint32_t kErrorCancelled = 1223;     // ERROR_CANCELLED

// What to say when the search found the target nowhere.
std::string NotFoundAnywhere(const CommandPlan& plan);

// Drives to search, in order: CD drives, then removable drives (not the
// floppy letters A and B), then fixed and network drives; never the
// executable's own drive.
enum class DriveKind { Cd, Removable, Fixed, Network, Other };
struct Drive {
    char Letter;
    DriveKind Kind;
};
std::vector<std::string> SearchRoots(const std::vector<Drive>& drives, const std::string& executable);

}  // namespace orvane::player
