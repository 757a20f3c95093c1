#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

// Text in the editor is UTF-8. On Windows a path made from a std::string, or
// read back with path::string(), goes through the ANSI code page, so a file
// named "Menü €.mng" would be created as something else. Every crossing
// between text and a path goes through these two, on every system.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// A path as the user should read it in a message: the system's own separators.
std::string PathForDisplay(const std::filesystem::path& path);

}  // namespace orvane
