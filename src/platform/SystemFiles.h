#pragma once

// What FileUtil asks of the operating system, one implementation for each
// (posix/, win32/). Used by the platform layer only.

#include <cstdio>
#include <filesystem>
#include <string>

namespace orvane::sys {

// fopen for a path in any characters; null with LastErrorText() set.
std::FILE* OpenStream(const std::filesystem::path& path, const char* mode);

// Why the last call of the C library failed, in words.
std::string LastErrorText();

// Puts the finished file from in place of to, replacing it whole; the old
// file stays when this fails. Empty on success, else the system's reason.
std::string ReplaceWith(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace orvane::sys
