#include "platform/ProgramResource.h"

#include "platform/win32/Windows.h"

namespace orvane {

std::optional<std::vector<uint8_t>> ProgramResourceData(int id) {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!found) return std::nullopt;
    const HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = loaded ? static_cast<const uint8_t*>(LockResource(loaded)) : nullptr;
    if (!bytes) return std::nullopt;
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(nullptr, found));
}

}  // namespace orvane
