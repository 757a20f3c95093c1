#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace orvane::player {

// The player block at the end of the editor executable: "ApEX", the player
// executable, then the zero-based offset of the marker as 32-bit
// little-endian.
struct BlockPlace {
    size_t Marker = 0;        // zero-based offset of "ApEX"
    size_t PlayerLength = 0;  // bytes between the marker and the trailer
};

// Where the block lies in file, if the file ends with one.
std::optional<BlockPlace> FindPlayerBlock(std::span<const uint8_t> file);

// Appends player (which must begin with "MZ") as a player block to target.
// A block already there is replaced, so running this twice on one link
// output leaves the same bytes. Throws std::runtime_error on failure.
void AppendPlayerBlock(const std::filesystem::path& target, const std::filesystem::path& player);

// Marks a Windows executable (which must be one) to be copied to the swap
// file and run from there when started from removable media or the
// network, so that taking the disc out cannot pull pages from under it;
// the header's checksum is brought up to date. Throws std::runtime_error
// when the image is not a Windows executable.
void MarkRunFromSwap(std::vector<uint8_t>& image);

}  // namespace orvane::player
