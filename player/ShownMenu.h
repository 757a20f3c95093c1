#pragma once

#include "document/AutorunPackage.h"
#include "document/MenuRecords.h"
#include "platform/Bitmap.h"

#include <optional>
#include <span>
#include <string>

namespace orvane::player {

// One menu as the player shows it: everything its file stores, the fields
// and the finished pictures, read by the editor's own readers.
struct ShownMenu {
    std::string FileName;  // as packed or found on the disc
    StoredMenu Stored;
    StoredPictures Pictures;

    int Width() const { return Pictures.MenuImage.Width(); }
    int Height() const { return Pictures.MenuImage.Height(); }
    int ButtonCount() const { return int(Stored.Buttons.size()); }
    const StoredButton& Button(int i) const { return Stored.Buttons[size_t(i)]; }
    // Button i (0-based) in place: its stored place and its normal picture's size.
    Rect ButtonRect(int i) const;
    // The window-control strip's 17 x 9 glyphs at the top right, as the
    // editor's design surface shows them; empty for a photo menu or a file
    // without the strip.
    Rect ControlsRect() const;
};

// The window-control strip: its left glyph minimises, its right one closes.
inline constexpr int kControlsWidth = 17;
inline constexpr int kControlsHeight = 9;
inline constexpr int kMinimiseGlyphWidth = 9;

// A button's caption as a screen reader says it: without the "&" that
// marks its access key (the one the picture underlines the next letter for).
std::string SpokenCaption(const std::string& caption);

struct MenuLoad {
    std::optional<ShownMenu> Menu;
    std::string Error;  // why the file cannot be shown, for the message that names it
};

// Reads a whole menu file: header, fields, buttons and every picture. The
// data is untrusted; values out of their ranges are brought into them.
MenuLoad ReadShownMenu(std::span<const uint8_t> file, const std::string& fileName);

// Reads one menu of a package read from executable.
inline MenuLoad ReadPackagedMenu(std::span<const uint8_t> executable, const PackagedFile& file) {
    return ReadShownMenu(PackedBytes(executable, file), file.Name);
}

}  // namespace orvane::player
