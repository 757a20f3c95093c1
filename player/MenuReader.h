#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane::player {

inline constexpr int kMaxPictureSide = 16384;
inline constexpr int kPositionCount = 11;

// What the player shows of a menu file: its title (Windows-1252 bytes), the
// screen position code and the finished menu picture, top row first, one
// 32-bit pixel each with blue in the lowest byte.
struct PlayerMenu {
    std::string Title;
    int32_t Position = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<uint32_t> Pixels;
};

// Reads the header, the title and position, steps over the other property
// and button records, and decodes the first picture (the menu image).
// Throws RecordFormatError for a file the player cannot show. A position
// code outside 0 to 10 reads as 0, the middle of the screen.
PlayerMenu ReadMenu(std::span<const uint8_t> file);

}  // namespace orvane::player
