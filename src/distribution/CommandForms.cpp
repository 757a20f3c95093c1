#include "CommandForms.h"

#include "platform/FileUtil.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orvane {

bool IsOnDisc(const std::string& chosen, const std::string& discRoot) {
    const std::string root = FolderWithSlash(discRoot);
    if (root.empty()) return false;
    return FolderWithSlash(chosen) == root || chosen.compare(0, root.size(), root) == 0;
}

std::string LocalFolderOf(const std::string& discPath, const std::string& discRoot) {
    const std::string root = FolderWithSlash(discRoot);
    std::string relative = discPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const bool hasDrive = relative.size() >= 2 && relative[1] == ':';
    if (hasDrive) relative.erase(0, 2);
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    std::filesystem::path folder = std::filesystem::path(root + relative);
    if (!relative.empty() && relative.back() != '/') folder = folder.parent_path();
    std::error_code ec;
    while (folder.string().size() > root.size() && !std::filesystem::is_directory(folder, ec)) folder = folder.parent_path();
    return FolderWithSlash(folder.string().size() >= root.size() ? folder.string() : root);
}

std::string DiscPath(const std::string& chosen, const std::string& discRoot) {
    const bool windows = chosen.size() >= 2 && std::isalpha(static_cast<unsigned char>(chosen[0])) && chosen[1] == ':';
    if (windows) return chosen.substr(2);
    std::string path = chosen;
    const std::string root = FolderWithSlash(discRoot);
    // The disc's root itself.
    if (!root.empty() && FolderWithSlash(path) == root) return "\\";
    if (!root.empty() && path.size() > root.size() && path.compare(0, root.size(), root) == 0)
        path = path.substr(root.size() - 1);  // keep the separator as the leading "\"
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
