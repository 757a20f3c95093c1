#include "distribution/CommandLanguage.h"

#include "platform/AsciiCase.h"

#include <cctype>

namespace orvane {

namespace {

bool IsUnc(const std::string& path) { return path.rfind("\\\\", 0) == 0; }

// An address for the default handler. A scheme of one letter is a drive.
bool IsAddress(const std::string& command) {
    if (StartsWithNoCase(command, "www.")) return true;
    return HasScheme(command) && command.find(':') >= 2;
}

std::string NamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithoutTrailingSlash(std::string path) {
    // A drive's root keeps its backslash: "G:\" is a folder, "G:" is not.
    if (path.size() > 1 && path.back() == kPathSeparator && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

// A path pasted as Windows copies it, in double quotes, names the path inside.
std::string Unquoted(const std::string& path) {
    if (path.size() > 2 && path.front() == '"' && path.back() == '"') return path.substr(1, path.size() - 2);
    return path;
}

// "\docs\a.pdf" and "docs\a.pdf" both name docs\a.pdf below the disc's root.
std::string RelativePart(const std::string& path) {
    const size_t start = path.find_first_not_of("\\/");
    return start == std::string::npos ? std::string() : path.substr(start);
}

// The places a drive-less path may be, in the order they are tried.
std::vector<std::string> Candidates(const std::string& path, const std::string& executable) {
    const std::string relative = RelativePart(path);
    std::vector<std::string> places{FolderOf(executable) + relative};
    const std::string root = DriveRoot(executable);
    if (!root.empty() && root + relative != places.front()) places.push_back(root + relative);
    return places;
}

}  // namespace

bool HasDriveLetter(std::string_view path) {
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

bool HasScheme(std::string_view address) {
    const size_t colon = address.find(':');
    if (colon == std::string_view::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(address[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(address[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return address.substr(colon + 1, 2) == "//" || address.find('.') > colon;
}

// --- What the player makes of a stored command ---

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string DriveRoot(const std::string& path) {
    if (HasDriveLetter(path)) return path.substr(0, 2) + kPathSeparator;
    if (IsUnc(path)) {
        const size_t server = path.find(kPathSeparator, 2);
        if (server == std::string::npos) return {};
        const size_t share = path.find(kPathSeparator, server + 1);
        return share == std::string::npos ? path + kPathSeparator : path.substr(0, share + 1);
    }
    return {};
}

std::string ExpandDrive(const std::string& text, const std::string& executable) {
    if (!HasDriveLetter(executable)) return text;
    std::string out;
    for (size_t i = 0; i < text.size();) {
        if (StartsWithNoCase(std::string_view(text).substr(i), kDriveToken)) {
            out += executable[0];
            i += kDriveToken.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

CommandPlan PlanFound(const StoredButton& button, const std::string& fullPath, const std::string& executable) {
    CommandPlan plan;
    plan.Maximize = button.MaximizeWindow != 0;
    plan.Target = fullPath;
    if (EndsWithNoCase(fullPath, kMenuExtension)) {
        plan.What = CommandAction::MenuFile;
    } else if (!fullPath.empty() && fullPath.back() == kPathSeparator) {
        plan.What = CommandAction::OpenFolder;
    } else {
        plan.What = CommandAction::OpenPath;
        plan.Folder = WithoutTrailingSlash(FolderOf(fullPath));
        plan.Parameters = ExpandDrive(button.Argument, executable);
    }
    return plan;
}

CommandPlan PlanCommand(const StoredButton& button, const Whereabouts& here, const AutorunPackage& package) {
    const std::string expanded = ExpandDrive(button.Command, here.Executable);
    CommandPlan plan;
    plan.Maximize = button.MaximizeWindow != 0;
    if (expanded.empty()) return plan;
    if (expanded == kNoActionSound) {
        plan.What = CommandAction::NoActionSound;
        return plan;
    }
    if (expanded[0] == kMessageMark) {
        plan.What = CommandAction::Message;
        for (size_t i = 1; i < expanded.size();) {
            if (expanded.compare(i, kPilcrow.size(), kPilcrow) == 0) {
                plan.Text += "\r\n";
                i += kPilcrow.size();
            } else {
                plan.Text += expanded[i++];
            }
        }
        return plan;
    }
    const std::string command = Unquoted(expanded);
    if (IsAddress(command)) {
        plan.What = CommandAction::OpenAddress;
        // A stored "www." address has always opened as http.
        plan.Target = StartsWithNoCase(command, "www.") ? "http://" + command : command;
        return plan;
    }
    const bool menu = EndsWithNoCase(command, kMenuExtension);
    if (menu) {
        if (const PackagedFile* packed = package.Find(NamePart(command))) {
            plan.What = CommandAction::PackedMenu;
            plan.Target = packed->Name;
            return plan;
        }
    }
    if (HasDriveLetter(command) || IsUnc(command)) return PlanFound(button, command, here.Executable);
    for (const std::string& place : Candidates(command, here.Executable))
        if (here.Exists(place)) return PlanFound(button, place, here.Executable);
    plan.Target = command;
    if (menu) {
        plan.What = CommandAction::MissingMenu;
        return plan;
    }
    plan.What = CommandAction::Search;
    plan.Relative = RelativePart(command);
    return plan;
}

}  // namespace orvane
