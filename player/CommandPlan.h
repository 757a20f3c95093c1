#pragma once

#include "document/AutorunPackage.h"
#include "document/MenuRecords.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace orvane::player {

// What clicking a button does, decided from its command before anything
// runs. Paths are Windows paths (UTF-8, backslashes).
enum class Action {
    Nothing,         // an empty command: only the menu action flags
    NoActionSound,   // "*"
    Message,         // "$" + text
    OpenAddress,     // a web or e-mail address, for the default handler
    OpenPath,        // a document or a program, with the shell's "open"
    OpenFolder,      // a folder, in Explorer
    PackedMenu,      // a sub-menu carried in the package
    MenuFile,        // a sub-menu file on the disc
    MissingMenu,     // a sub-menu found nowhere
    Search,          // a drive-less target found neither beside the program nor at its drive's root
};

struct CommandPlan {
    Action What = Action::Nothing;
    std::string Target;      // the address, path, packed name or missing name
    std::string Parameters;  // OpenPath: the argument, "%CD%" expanded
    std::string Folder;      // OpenPath: the folder the target runs in
    std::string Text;        // Message: the text, "¶" made a line break
    std::string Relative;    // Search: the path below a drive's root
    bool Maximize = false;
};

// Where the player runs from: its own path ("G:\Autorun.exe", or a UNC path).
struct Whereabouts {
    std::string Executable;
    // Whether a file or folder exists (a path ending in "\" names a folder).
    std::function<bool(const std::string&)> Exists;
};

// The folder of a path, ending in "\".
std::string FolderOf(const std::string& path);
// The root of a path's drive: "G:\" or "\\server\share\"; empty when none.
std::string DriveRoot(const std::string& path);
// "%CD%" (any case) replaced by the drive letter of the executable.
std::string ExpandDrive(const std::string& text, const std::string& executable);

CommandPlan PlanCommand(const StoredButton& button, const Whereabouts& here, const AutorunPackage& package);

// The plan for a target the search found at fullPath.
CommandPlan PlanFound(const StoredButton& button, const std::string& fullPath, const std::string& executable);

// Why the shell could not open a plan's target, as a system error code: the
// shell's own answer (an SE_ERR_ code, what ShellExecuteEx leaves in
// hInstApp) when it gave one, else the thread's last error. A folder that
// is not there is a missing path, not a missing file.
uint32_t OpenFailure(Action what, intptr_t shellAnswer, uint32_t lastError);
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
