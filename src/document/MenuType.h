#pragma once

#include "platform/Bitmap.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane {

enum class Alignment : int32_t { Left = 0, Right = 1, Centre = 2 };

// Where a line of text starts in a box: `leftMargin` in from the left edge,
// `rightMargin` short of the right edge, or centred (a code without a meaning
// reads as left).
constexpr int AlignedX(Alignment alignment, int boxWidth, int textWidth, int leftMargin = 0, int rightMargin = 0) {
    switch (alignment) {
        case Alignment::Centre: return (boxWidth - textWidth) / 2;
        case Alignment::Right: return boxWidth - textWidth - rightMargin;
        default: return leftMargin;
    }
}

// A font as the document stores it. Colour: red in the low byte; a top byte of
// 0xFF names a system colour by the index in the low byte.
struct FontSpec {
    std::string Name = "Arial";
    int32_t Size = 10;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    orvane::Alignment Alignment = orvane::Alignment::Left;  // files store the integer
    uint32_t Color = 0;

    bool operator==(const FontSpec&) const = default;
};

// One button of the menu. Slots own their three images for the editor's life;
// copying a button copies pixels into the target's own images.
struct TOVButton {
    std::array<Bitmap, 3> Images;  // normal, highlighted, pressed
    std::string Caption;
    std::string Command;
    std::string Argument;
    std::string AccessKey;
    int32_t MinimizeOnClick = 0;
    std::string Description;
    int32_t MaximizeWindow = 0;
    int32_t ExitOnClick = 0;
    int32_t Left = 0;
    int32_t Top = 0;
};

inline constexpr int kMaxButtons = 30;
inline constexpr int kSlotCount = 34;
inline constexpr int kControlSlot = 31;    // the window-control strip
inline constexpr int kSwapSlot = 32;       // scratch for swapping two buttons
inline constexpr int kClipboardSlot = 33;  // the button clipboard

// Display position codes of the menu window.
inline constexpr int kPositionCount = 11;
extern const std::array<const char*, kPositionCount> kPositionNames;
inline constexpr int kAnimationCount = 15;
extern const std::array<const char*, kAnimationCount> kAnimationNames;

// Defined once (MenuType.cpp): an inline string would be constructed by
// start-up code in every file that includes this header.
extern const std::string kDefaultTitle;            // "My Disc Menu"
extern const std::string kDefaultMenuText;         // "Welcome to my menu, ..."
extern const std::string kDefaultButtonStyleName;  // "[DefBtnSeld]"
extern const std::string kNewMenuFileName;         // "New Menu"

// The ranges the editor offers, and to which values read from files are
// brought.
struct ValueRange {
    int32_t Min, Max;
    constexpr int32_t Clamp(int32_t v) const { return v < Min ? Min : v > Max ? Max : v; }
};
inline constexpr ValueRange kMenuWidthRange{80, 1024};
inline constexpr ValueRange kMenuHeightRange{60, 768};
inline constexpr ValueRange kButtonWidthRange{10, 240};
inline constexpr ValueRange kButtonHeightRange{10, 120};
inline constexpr ValueRange kButtonGapRange{0, 32};
inline constexpr ValueRange kVisibilityRange{0, 100};
inline constexpr ValueRange kFontSizeRange{4, 72};
inline constexpr ValueRange kShadowDepthRange{0, 5};

// The largest pictures the editor makes. An auto-sized menu grows with its
// title, text and buttons up to kLargestMenuWidth x kLargestMenuHeight (room
// for 30 of the tallest buttons with the widest gap); an auto-sized button
// grows with its caption up to kLargestButtonWidth x kButtonHeightRange.Max.
// Longer texts are cut at the picture's edge.
inline constexpr int kLargestMenuWidth = 4096;
inline constexpr int kLargestMenuHeight = 4800;
inline constexpr int kLargestButtonWidth = 1024;

// The menu-level properties, in the order the menu file stores them.
struct MenuProperties {
    std::string Title = kDefaultTitle;
    bool AnimateTitle = false;
    std::string MenuText = kDefaultMenuText;
    int32_t StyleId = 5;
    uint32_t MenuColor = MakeColor(0, 84, 173);
    bool AutoAdjust = true;
    int32_t ButtonAnimation = 0;
    bool AutoSizeMenu = true;
    int32_t MenuWidth = 480;
    int32_t MenuHeight = 320;
    bool PhotoAspect = true;
    bool AutoSizeButtons = true;
    int32_t ButtonWidth = 100;
    int32_t ButtonHeight = 28;
    int32_t ButtonGap = 8;
    FontSpec TextFont{"Verdana", 10, false, false, false, Alignment::Left, 0};
    FontSpec ButtonFont{"Verdana", 10, false, false, false, Alignment::Centre, 0};
    FontSpec TitleFont{"Verdana", 24, false, false, false, Alignment::Left, 0xFFFFFF};
    uint32_t TextShadowColor = 0;
    uint32_t TitleShadowColor = 0;
    uint32_t ButtonShadowColor = 0;
    int32_t FirstButtonLeft = 0;
    int32_t FirstButtonTop = 0;
    std::array<int32_t, 4> TextRect{};  // left, top, width, height
    bool PhotoSkin = false;
    bool DisableSounds = false;
    int32_t TitleBoxVisibility = 100;
    int32_t TextBoxVisibility = 100;
    std::string ButtonStyleName = kDefaultButtonStyleName;

    bool operator==(const MenuProperties&) const = default;
};

// The document record: buttons, count, selection, position, shadow depths,
// file identity, background photo path and undo counters.
struct TOVMenu {
    std::array<TOVButton, kSlotCount> Buttons;
    int32_t ButtonCount = 1;
    int32_t SelectedButton = 1;  // -1 title, 0 menu text, 1..ButtonCount a button
    std::string ShownText;
    int32_t Position = 0;
    std::string FileName = kNewMenuFileName;
    std::string Folder;  // ends in "/", empty for a new document
    int32_t TextShadowDepth = 0;
    int32_t TitleShadowDepth = 2;
    int32_t ButtonShadowDepth = 0;
    std::string BackgroundFile;
    int32_t UndoCount = 0;
    int32_t RedoCount = 0;
    bool HasFile = false;
};

// The one open menu: the record, its properties and its pictures.
struct MenuDocument {
    TOVMenu Menu;
    MenuProperties Props;
    Bitmap MenuImage;        // stored as picture number 0
    Bitmap BackgroundPhoto;  // reloaded from Menu.BackgroundFile, never stored

    MenuDocument();
};

// One loaded button style: the button strip and mask strip (96 x 32 each),
// the caption font, shadow colour and depth, default animation, the
// photo-button flag and the file it came from.
struct TOVCustomBtn {
    std::array<Bitmap, 2> StyleImages;
    FontSpec TextStyle;
    uint32_t ShadowStyle = 0;
    int32_t Animation = 0;
    int32_t ShadowDepth = 0;
    bool StyleFlag = false;
    std::string StyleFile;
};

// Editor state beside the document; never stored.
struct EditorFlags {
    bool Modified = false;
    bool Updating = false;
    bool Loading = false;
    bool UndoBusy = false;
    bool CustomStyleSelected = false;
};

// The character after the first "&" of a caption; empty without "&" or when
// the "&" is the last character.
std::string AccessKeyOf(const std::string& caption);

// Copies a button between slots: the three pictures' pixels and the texts and
// flags; the target keeps its place (Left, Top), which the layout recomputes.
void CopyButton(TOVMenu& menu, int from, int to);

// Gives every slot its three pictures (slot 31's are 21 x 9) and clears the
// access keys, as the main window does once at start-up.
void PrepareSlots(TOVMenu& menu);

// Sets the document to a new menu: every property its default, no photo,
// one "&Close Menu" button.
void ResetToNewMenu(MenuDocument& doc);

// Whether a button with no command exits the menu.
bool HasExitButton(const TOVMenu& menu);

}  // namespace orvane
