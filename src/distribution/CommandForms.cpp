#include "CommandForms.h"

#include <algorithm>
#include <cctype>

namespace orvane {

std::string DiscPath(const std::string& chosen, const std::string& discRoot) {
    const bool windows = chosen.size() >= 2 && std::isalpha(static_cast<unsigned char>(chosen[0])) && chosen[1] == ':';
    if (windows) return chosen.substr(2);
    std::string path = chosen;
    std::string root = discRoot;
    if (!root.empty() && root.back() != '/') root += '/';
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
