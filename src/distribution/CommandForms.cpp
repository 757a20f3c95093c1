#include "CommandForms.h"

#include "platform/AsciiCase.h"

#include "platform/FileUtil.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orvane {

namespace {
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
    const std::string root = FolderWithSlash(ForwardSlashes(discRoot));
    if (root.empty()) return false;
    const std::string path = ForwardSlashes(chosen);
    return FolderWithSlash(path) == root || path.compare(0, root.size(), root) == 0;
}

std::string LocalFolderOf(const std::string& discPath, const std::string& discRoot) {
    const std::string root = FolderWithSlash(discRoot);
    std::string relative = discPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (HasDrive(relative)) relative.erase(0, 2);
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    std::filesystem::path folder = PathFromUtf8(root + relative);
    if (!relative.empty() && relative.back() != '/') folder = folder.parent_path();
    std::error_code ec;
    while (Utf8FromPath(folder).size() > root.size() && !std::filesystem::is_directory(folder, ec))
        folder = folder.parent_path();
    return FolderWithSlash(Utf8FromPath(folder).size() >= root.size() ? Utf8FromPath(folder) : root);
}

std::string DiscPath(const std::string& chosen, const std::string& discRoot) {
    std::string path = ForwardSlashes(chosen);
    const std::string root = FolderWithSlash(ForwardSlashes(discRoot));
    // The disc's root itself.
    if (!root.empty() && FolderWithSlash(path) == root) return "\\";
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
    return EndsWithNoCase(target, ".mng") ? target : target + ".mng";
}

namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// "http://...", "ftp://...", "mailto:...": a scheme, then "//" or (for the
// schemes without, such as mailto: and news:) a name without a dot.
bool HasScheme(const std::string& address) {
    const size_t colon = address.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(address[0])))
        return false;
    for (size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(address[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return address.compare(colon + 1, 2, "//") == 0 || address.find('.') > colon;
}

}  // namespace

std::string InternetCommand(const std::string& typed) {
    const std::string address = Trimmed(typed);
    if (address.empty() || HasScheme(address)) return address;
    if (address.find('@') != std::string::npos && address.find('/') == std::string::npos) return "mailto:" + address;
    return "https://" + address;
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
