#pragma once

#include <filesystem>
#include <string>

namespace orvane {

// A browsed path as the Windows player finds it on the disc: relative to the
// disc's root folder (the menu's folder) when it lies inside it, else the
// whole path; backslashes and a leading "\". A Windows path elsewhere with a
// drive letter ("D:\Setup\a.exe") loses its first two characters. Local
// paths may use "/" or "\" (Windows takes both).
std::string DiscPath(const std::string& chosen, const std::string& discRoot);
// Whether a chosen local path lies in the disc folder (or is that folder).
bool IsOnDisc(const std::string& chosen, const std::string& discRoot);
// The local folder a disc path of a field points into ("\docs\a.pdf" in
// root/docs/), or the nearest folder above it that exists, or the root.
std::string LocalFolderOf(const std::string& discPath, const std::string& discRoot);

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

}  // namespace orvane
