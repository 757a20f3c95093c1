#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// The room the most common laptop screen leaves a window. The player shows a
// larger menu smaller (down to half size, then in a window that scrolls).
inline constexpr int kCommonScreenWidth = 1366;
inline constexpr int kCommonScreenHeight = 728;

struct MenuSize {
    std::string Name;
    int Width = 0;
    int Height = 0;
};

// What the editor and orvane-menu say about menus larger than that, and how
// to make them smaller; empty when every menu fits.
std::string LargeMenuWarning(const std::vector<MenuSize>& menus);

// The size of the menu a menu file holds (its menu picture); none when the
// file cannot be read as a menu.
std::optional<MenuSize> StoredMenuSize(std::span<const uint8_t> file, const std::string& name);

}  // namespace orvane
