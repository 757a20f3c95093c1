#include "PlayerBlock.h"

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
