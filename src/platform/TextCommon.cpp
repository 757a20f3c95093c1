// What text output means on every system: the pixel em of a point size and
// the colours text is drawn in.
#include "platform/Text.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace orvane {

namespace {

// The defaults of the Windows system colours, by index, as 0xRRGGBB.
constexpr uint32_t kSystemColours[] = {
    0xC8C8C8,  // scroll bar
    0x000000,  // background
    0x99B4D1,  // active caption
    0xBFCDDB,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xF4F7FC,  // inactive border
    0xABABAB,  // app workspace
    0x3399FF,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x434E54,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3D dark shadow
    0xE3E3E3,  // 3D light
    0x000000,  // info text
    0xFFFFE1,  // info background
    0x000000,  // unused
    0x0066CC,  // hot light
    0xB9D1EA,  // gradient active caption
    0xD7E4F2,  // gradient inactive caption
    0x3399FF,  // menu highlight
    0xF0F0F0,  // menu bar
};

}  // namespace

int PixelEm(int pointSize) {
    // Thirds never fall halfway, so rounding away from zero is exact.
    const int64_t scaled = int64_t(pointSize) * 4;
    const int64_t em = (scaled + (scaled >= 0 ? 1 : -1)) / 3;
    return int(std::clamp<int64_t>(em, INT_MIN, INT_MAX));
}

uint32_t ResolveColor(uint32_t colour) {
    if (!IsSystemColor(colour)) return ColorRgb(colour);
    const auto index = size_t(SystemColorIndex(colour));
    if (index >= std::size(kSystemColours)) return MakeColor(0, 0, 0);
    const uint32_t rgb = kSystemColours[index];
    return MakeColor(uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb));
}

}  // namespace orvane
