#pragma once

// The command language of a menu's buttons: the forms the command wizard
// writes into a button's command, and what the player makes of a stored
// command (whoever wrote it) before anything runs. One module, so the two
// sides share their marks and cannot drift apart.
//
// The reading side (CommandLanguage.cpp) is portable: the player builds it.
// The writing side (CommandLanguageForms.cpp) is the editor's alone: the
// player's linker keeps every function that has unwind data, so forms it
// never writes would still cost it 3 KB.

#include "document/AutorunPackage.h"
#include "document/MenuRecords.h"

#include <functional>
#include <string>
#include <string_view>

namespace orvane {

// The marks of the language.
inline constexpr char kMessageMark = '$';                  // "$" + the text
inline constexpr std::string_view kNoActionSound = "*";    // no action, but the no-action sound
inline constexpr std::string_view kPilcrow = "\xC2\xB6";   // a message's line break; 0xB6 in the files
inline constexpr std::string_view kMailScheme = "mailto:";
inline constexpr std::string_view kMailSubject = "?Subject=";
inline constexpr std::string_view kWebScheme = "https://";  // put before an address that names none
inline constexpr std::string_view kMenuExtension = ".mng";  // lower case: compared without regard to case
inline constexpr std::string_view kDriveToken = "%cd%";     // the menu's drive letter; any case
inline constexpr char kPathSeparator = '\\';

// --- The forms the wizard writes ---

// A browsed path as the player finds it on the disc: relative to the disc's
// root folder (the menu's folder) when it lies inside it, else the whole
// path; backslashes and a leading "\". A Windows path elsewhere with a drive
// letter ("D:\Setup\a.exe") loses its first two characters. Local paths may
// use "/" or "\" (Windows takes both).
std::string DiscPath(const std::string& chosen, const std::string& discRoot);
// Whether a chosen local path lies in the disc folder (or is that folder).
bool IsOnDisc(const std::string& chosen, const std::string& discRoot);

// "\" appended when missing.
std::string FolderCommand(const std::string& target);
// ".mng" appended unless the text ends in it (any case).
std::string SubMenuCommand(const std::string& target);
// The address of a web page as typed, with "https://" in front when it names
// no scheme, or "mailto:" for an e-mail address (an "@" and no "/"): without
// one the player would look for it as a file on the disc. Spaces around it go.
std::string InternetCommand(const std::string& address);
// "mailto:" + address, and "?Subject=" + subject when there is one.
std::string MailCommand(const std::string& address, const std::string& subject);
// "$" + the text, each CR as "¶" and LF removed.
std::string MessageCommand(const std::string& text);

// Whether a path starts with a drive letter and a colon ("D:").
bool HasDriveLetter(std::string_view path);

// Whether an address starts with a scheme ("http://...", "mailto:...",
// "news:..."): letters, digits, "+", "-" or "." before a colon, then "//" or
// (for the schemes without) a scheme without a dot, so "example.com:8080"
// is a host, not a scheme.
bool HasScheme(std::string_view address);

// --- What the player makes of a stored command ---

// What clicking a button does. Paths are Windows paths (UTF-8, backslashes).
enum class CommandAction {
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
    CommandAction What = CommandAction::Nothing;
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

}  // namespace orvane
