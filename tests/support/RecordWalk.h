#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Offsets at which the records of a record file begin (after the 11-byte
// header), and where the end byte stands; read straight from the bytes.
inline std::vector<size_t> RecordStarts(const std::vector<uint8_t>& d) {
    auto u32 = [&](size_t at) {
        return uint32_t(d[at]) | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) | (uint32_t(d[at + 3]) << 24);
    };
    std::vector<size_t> starts;
    size_t at = 11;
    while (at + 1 < d.size()) {
        starts.push_back(at);
        switch (d[at]) {
            case 1: at += 1 + 4 + 1; break;
            case 2:
            case 3: at += 1 + 4 + 4; break;
            case 4: at += 1 + 4 + u32(at + 1); break;
            case 5: at += 1 + 3 + 4 + 8 + 4 + u32(at + 16); break;
            default: return starts;
        }
    }
    return starts;
}
