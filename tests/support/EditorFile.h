#pragma once

#include "TempFolder.h"

#include "distribution/AutorunBuilder.h"
#include "platform/FileUtil.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

// An editor file in the application folder carrying a small player block:
// its own bytes, "ApEX", the player ("MZ" ...), the marker's offset.
inline void WriteEditorWithPlayer(const TempFolder& app) {
    std::vector<uint8_t> editor(16, 0xEE);
    for (uint8_t b : std::initializer_list<uint8_t>{'A', 'p', 'E', 'X', 'M', 'Z', 9, 9, 16, 0, 0, 0}) editor.push_back(b);
    orvane::WriteFileReplacing(app.Path() / orvane::kEditorFileName, editor);
}
