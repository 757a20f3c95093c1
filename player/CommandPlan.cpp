#include "CommandPlan.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <cctype>

namespace orvane::player {
namespace {

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool IsUnc(const std::string& path) { return path.rfind("\\\\", 0) == 0; }

bool IsAddress(const std::string& command) {
    for (std::string_view prefix : {"mailto:", "http://", "https://", "ftp://", "www."})
        if (StartsWithNoCase(command, prefix)) return true;
    return false;
}

std::string NamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSlash(std::string path) {
    // A drive's root keeps its backslash: "G:\" is a folder, "G:" is not.
    if (path.size() > 1 && path.back() == '\\' && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

// "\docs\a.pdf" and "docs\a.pdf" both name docs\a.pdf below the disc's root.
std::string Relative(const std::string& path) {
    const size_t start = path.find_first_not_of("\\/");
    return start == std::string::npos ? std::string() : path.substr(start);
}

// The places a drive-less path may be, in the order they are tried.
std::vector<std::string> Candidates(const std::string& path, const std::string& executable) {
    const std::string relative = Relative(path);
    std::vector<std::string> places{FolderOf(executable) + relative};
    const std::string root = DriveRoot(executable);
    if (!root.empty() && root + relative != places.front()) places.push_back(root + relative);
    return places;
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string DriveRoot(const std::string& path) {
    if (HasDrive(path)) return path.substr(0, 2) + "\\";
    if (IsUnc(path)) {
        const size_t server = path.find('\\', 2);
        if (server == std::string::npos) return {};
        const size_t share = path.find('\\', server + 1);
        return share == std::string::npos ? path + "\\" : path.substr(0, share + 1);
    }
    return {};
}

std::string ExpandDrive(const std::string& text, const std::string& executable) {
    if (!HasDrive(executable)) return text;
    const std::string letter(1, executable[0]);
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (StartsWithNoCase(text.substr(i, 4), "%cd%")) {
            out += letter;
            i += 4;
        } else {
            out += text[i++];
        }
    }
    return out;
}

CommandPlan PlanFound(const StoredButton& button, const std::string& fullPath, const std::string& executable) {
    CommandPlan plan;
    plan.Maximize = button.MaximizeWindow != 0;
    if (EndsWithNoCase(fullPath, ".mng")) {
        plan.What = Action::MenuFile;
        plan.Target = fullPath;
        return plan;
    }
    if (!fullPath.empty() && fullPath.back() == '\\') {
        plan.What = Action::OpenFolder;
        plan.Target = fullPath;
        return plan;
    }
    plan.What = Action::OpenPath;
    plan.Target = fullPath;
    plan.Folder = WithoutTrailingSlash(FolderOf(fullPath));
    plan.Parameters = ExpandDrive(button.Argument, executable);
    return plan;
}

CommandPlan PlanCommand(const StoredButton& button, const Whereabouts& here, const AutorunPackage& package) {
    const std::string command = ExpandDrive(button.Command, here.Executable);
    CommandPlan plan;
    plan.Maximize = button.MaximizeWindow != 0;
    if (command.empty()) return plan;
    if (command == "*") {
        plan.What = Action::NoActionSound;
        return plan;
    }
    if (command[0] == '$') {
        plan.What = Action::Message;
        const std::string pilcrow = "\xC2\xB6";
        for (size_t i = 1; i < command.size();) {
            if (command.compare(i, pilcrow.size(), pilcrow) == 0) {
                plan.Text += "\r\n";
                i += pilcrow.size();
            } else {
                plan.Text += command[i++];
            }
        }
        return plan;
    }
    if (IsAddress(command)) {
        plan.What = Action::OpenAddress;
        plan.Target = StartsWithNoCase(command, "www.") ? "http://" + command : command;
        return plan;
    }
    const bool absolute = HasDrive(command) || IsUnc(command);
    if (EndsWithNoCase(command, ".mng")) {
        if (const PackagedFile* packed = package.Find(NamePart(command))) {
            plan.What = Action::PackedMenu;
            plan.Target = packed->Name;
            return plan;
        }
    }
    if (absolute) return PlanFound(button, command, here.Executable);
    for (const std::string& place : Candidates(command, here.Executable))
        if (here.Exists(place)) return PlanFound(button, place, here.Executable);
    if (EndsWithNoCase(command, ".mng")) {
        plan.What = Action::MissingMenu;
        plan.Target = command;
        return plan;
    }
    plan.What = Action::Search;
    plan.Target = command;
    plan.Relative = Relative(command);
    return plan;
}

uint32_t OpenFailure(Action what, intptr_t shellAnswer, uint32_t lastError) {
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
    if (what == Action::OpenFolder && error == kErrorFileNotFound) error = kErrorPathNotFound;
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
