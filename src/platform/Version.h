#pragma once

namespace orvane {

// The editor's own four-part version; files carry its first three parts.
struct EditorVersion {
    int Major;
    int Minor;
    int Release;
    int Build;
};

EditorVersion CompiledVersion();

}  // namespace orvane
