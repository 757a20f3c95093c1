#include "CommandForms.h"

#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orvane {

namespace {
std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

// A local path with "/" for every separator: Windows paths take either.
std::string ForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool HasDrive(const std::string& path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}
}  // namespace

bool IsOnDisc(const std::string& chosen, const std::string& discRoot) {
    const std::string root = WithSlash(ForwardSlashes(discRoot));
    if (root.empty()) return false;
    const std::string path = ForwardSlashes(chosen);
    return WithSlash(path) == root || path.compare(0, root.size(), root) == 0;
}

std::string LocalFolderOf(const std::string& discPath, const std::string& discRoot) {
    const std::string root = WithSlash(discRoot);
    std::string relative = discPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (HasDrive(relative)) relative.erase(0, 2);
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    std::filesystem::path folder = PathFromUtf8(root + relative);
    if (!relative.empty() && relative.back() != '/') folder = folder.parent_path();
    std::error_code ec;
    while (Utf8FromPath(folder).size() > root.size() && !std::filesystem::is_directory(folder, ec))
        folder = folder.parent_path();
    return WithSlash(Utf8FromPath(folder).size() >= root.size() ? Utf8FromPath(folder) : root);
}

std::string DiscPath(const std::string& chosen, const std::string& discRoot) {
    std::string path = ForwardSlashes(chosen);
    const std::string root = WithSlash(ForwardSlashes(discRoot));
    // The disc's root itself.
    if (!root.empty() && WithSlash(path) == root) return "\\";
    if (!root.empty() && path.size() > root.size() && path.compare(0, root.size(), root) == 0)
        path = path.substr(root.size() - 1);  // keep the separator as the leading "\"
    else if (HasDrive(path))
        path.erase(0, 2);
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.empty() || path[0] != '\\') path = "\\" + path;
    return path;
}

std::string FolderCommand(const std::string& target) {
    if (!target.empty() && target.back() == '\\') return target;
    return target + "\\";
}

std::string SubMenuCommand(const std::string& target) {
    std::string tail = target.size() >= 4 ? target.substr(target.size() - 4) : std::string();
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".mng" ? target : target + ".mng";
}

std::string MailCommand(const std::string& address, const std::string& subject) {
    std::string command = "mailto:" + address;
    if (!subject.empty()) command += "?Subject=" + subject;
    return command;
}

std::string MessageCommand(const std::string& text) {
    std::string command = "$";
    for (char c : text) {
        if (c == '\r')
            command += "\xC2\xB6";  // the pilcrow, 0xB6 in the files
        else if (c != '\n')
            command += c;
    }
    return command;
}

}  // namespace orvane
