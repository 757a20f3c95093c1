#include "player/PlayerBlock.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace orvane::player {
namespace {

constexpr char kMarker[4] = {'A', 'p', 'E', 'X'};
constexpr size_t kTrailerSize = 4;

std::vector<uint8_t> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read " + path.string());
    return data;
}

}  // namespace

std::optional<BlockPlace> FindPlayerBlock(std::span<const uint8_t> file) {
    if (file.size() < sizeof kMarker + kTrailerSize) return std::nullopt;
    const uint8_t* t = file.data() + file.size() - kTrailerSize;
    const size_t marker = size_t(t[0]) | (size_t(t[1]) << 8) | (size_t(t[2]) << 16) | (size_t(t[3]) << 24);
    if (marker > file.size() - kTrailerSize - sizeof kMarker) return std::nullopt;
    if (std::memcmp(file.data() + marker, kMarker, sizeof kMarker) != 0) return std::nullopt;
    return BlockPlace{marker, file.size() - kTrailerSize - sizeof kMarker - marker};
}

namespace {

uint32_t Read32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) | (uint32_t(d[at + 3]) << 24);
}

void Write32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// The image checksum: 16-bit words summed with their carries folded back,
// the checksum field itself left out, plus the file's length.
uint32_t ImageChecksum(const std::vector<uint8_t>& d, size_t field) {
    uint64_t sum = 0;
    for (size_t i = 0; i < d.size(); i += 2) {
        if (i == field || i == field + 2) continue;
        sum += uint32_t(d[i]) | (i + 1 < d.size() ? uint32_t(d[i + 1]) << 8 : 0);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return uint32_t(sum + d.size());
}

}  // namespace

void MarkRunFromSwap(std::vector<uint8_t>& image) {
    constexpr uint16_t kRemovableRunFromSwap = 0x0400, kNetRunFromSwap = 0x0800;
    if (image.size() < 0x40 || image[0] != 'M' || image[1] != 'Z') throw std::runtime_error("not a Windows executable");
    const size_t pe = Read32(image, 0x3C);
    // "PE\0\0", the file header (20 bytes), then the optional header, whose
    // checksum lies 64 bytes in for both 32- and 64-bit images.
    if (pe > image.size() || image.size() - pe < 24 + 68 || std::memcmp(image.data() + pe, "PE\0\0", 4) != 0)
        throw std::runtime_error("not a Windows executable");
    const size_t at = pe + 4 + 18;  // the file header's characteristics
    const uint16_t characteristics = uint16_t(image[at] | (image[at + 1] << 8)) | kRemovableRunFromSwap | kNetRunFromSwap;
    image[at] = uint8_t(characteristics);
    image[at + 1] = uint8_t(characteristics >> 8);
    const size_t checksum = pe + 24 + 64;
    if (Read32(image, checksum) != 0) Write32(image, checksum, ImageChecksum(image, checksum));
}

void AppendPlayerBlock(const std::filesystem::path& target, const std::filesystem::path& player) {
    const std::vector<uint8_t> program = ReadAll(player);
    if (program.size() < 2 || program[0] != 'M' || program[1] != 'Z')
        throw std::runtime_error(player.string() + " is not a Windows executable");

    std::vector<uint8_t> image = ReadAll(target);
    if (const auto old = FindPlayerBlock(image)) image.resize(old->Marker);
    const size_t marker = image.size();
    if (marker > UINT32_MAX) throw std::runtime_error(target.string() + " is too large for a player block");

    image.insert(image.end(), kMarker, kMarker + sizeof kMarker);
    image.insert(image.end(), program.begin(), program.end());
    for (int i = 0; i < 4; ++i) image.push_back(uint8_t(marker >> (8 * i)));

    // Written beside the target and renamed over it, so a failed step never
    // leaves a half-written executable that looks up to date.
    std::filesystem::path temporary = target;
    temporary += ".block-tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error("cannot write " + temporary.string());
        }
    }
    std::filesystem::permissions(temporary, std::filesystem::status(target).permissions());
    std::filesystem::rename(temporary, target);
}

}  // namespace orvane::player
