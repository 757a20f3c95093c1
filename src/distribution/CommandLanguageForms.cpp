#include "distribution/CommandLanguage.h"

#include "platform/AsciiCase.h"
#include "platform/FileUtil.h"

#include <algorithm>

namespace orvane {

namespace {

// A local path with "/" for every separator: Windows paths take either.
std::string ForwardSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

bool IsOnDisc(const std::string& chosen, const std::string& discRoot) {
    const std::string root = FolderWithSlash(ForwardSlashes(discRoot));
    if (root.empty()) return false;
    const std::string path = ForwardSlashes(chosen);
    return FolderWithSlash(path) == root || path.compare(0, root.size(), root) == 0;
}

std::string DiscPath(const std::string& chosen, const std::string& discRoot) {
    std::string path = ForwardSlashes(chosen);
    const std::string root = FolderWithSlash(ForwardSlashes(discRoot));
    // The disc's root itself.
    if (!root.empty() && FolderWithSlash(path) == root) return std::string(1, kPathSeparator);
    if (!root.empty() && path.size() > root.size() && path.compare(0, root.size(), root) == 0)
        path = path.substr(root.size() - 1);  // keep the separator as the leading "\"
    else if (HasDriveLetter(path))
        path.erase(0, 2);
    std::replace(path.begin(), path.end(), '/', kPathSeparator);
    if (path.empty() || path[0] != kPathSeparator) path = kPathSeparator + path;
    return path;
}

std::string FolderCommand(const std::string& target) {
    if (!target.empty() && target.back() == kPathSeparator) return target;
    return target + kPathSeparator;
}

std::string SubMenuCommand(const std::string& target) {
    return EndsWithNoCase(target, kMenuExtension) ? target : target + std::string(kMenuExtension);
}

std::string InternetCommand(const std::string& typed) {
    const std::string address = Trimmed(typed);
    if (address.empty() || HasScheme(address)) return address;
    if (address.find('@') != std::string::npos && address.find('/') == std::string::npos)
        return std::string(kMailScheme) + address;
    return std::string(kWebScheme) + address;
}

std::string MailCommand(const std::string& address, const std::string& subject) {
    std::string command = std::string(kMailScheme) + address;
    if (!subject.empty()) command += std::string(kMailSubject) + subject;
    return command;
}

std::string MessageCommand(const std::string& text) {
    std::string command(1, kMessageMark);
    for (char c : text) {
        if (c == '\r')
            command += kPilcrow;
        else if (c != '\n')
            command += c;
    }
    return command;
}

}  // namespace orvane
