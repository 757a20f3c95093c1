#pragma once

#include <string>

namespace orvane {

// The editor's own four-part version; files carry its first three parts.
struct EditorVersion {
    int Major;
    int Minor;
    int Release;
    int Build;
};

EditorVersion CompiledVersion();
// "9.0.0.0"
std::string VersionText();

}  // namespace orvane
