#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <tuple>

using namespace orvane;

TEST(MainMenu, Shortcuts) {
    const struct {
        const char* text;
        bool ctrl, shift;
        const char* key;
    } cases[] = {
        {"Ctrl+N", true, false, "N"},
        {"Ctrl+Delete", true, false, "Delete"},
        {"Ctrl+F5", true, false, "F5"},
        {"F1", false, false, "F1"},
        {"Ctrl+Shift+Z", true, true, "Z"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseShortcut(c.text);
        ASSERT_TRUE(parsed) << c.text;
        EXPECT_EQ(parsed->Ctrl, c.ctrl) << c.text;
        EXPECT_EQ(parsed->Shift, c.shift) << c.text;
        EXPECT_EQ(parsed->Key, c.key) << c.text;
    }
    EXPECT_FALSE(ParseShortcut(""));
    EXPECT_FALSE(ParseShortcut("Hyper+X"));

    // Every shortcut of the menu bar is understood, and no two items share one.
    std::set<std::tuple<bool, bool, bool, std::string_view>> seen;
    for (const MenuItem& item : MainMenuItems()) {
        if (MenuItemKey(item).empty()) continue;
        const auto parsed = ParseShortcut(MenuItemKey(item));
        ASSERT_TRUE(parsed) << MenuItemKey(item);
        EXPECT_TRUE(seen.insert({parsed->Ctrl, parsed->Shift, parsed->Alt, parsed->Key}).second) << MenuItemKey(item);
    }
}

TEST(MainMenu, HelpItemsAreTheHelpMenuEntries) {
    std::vector<std::string_view> shown, entries;
    for (const MenuItem& item : MainMenuItems())
        if (item.Command == MenuCommand::Help) shown.push_back(MenuItemText(item));
    for (const HelpEntry& entry : kHelpEntries)
        if (entry.Place == HelpPlace::HelpMenu) entries.push_back(entry.Text);
    EXPECT_EQ(shown, entries);
}

// The Windows tool bar draws button i with glyph i of each size's strip: a
// button added to the table without its glyph would show its neighbour's.
TEST(MainMenu, ToolbarGlyphStripsHoldOneGlyphPerButton) {
    int buttons = 0;
    for (const ToolbarItem& item : MainToolbarItems()) {
        if (item.Command == MenuCommand::None) continue;
        ++buttons;
        EXPECT_FALSE(item.Tip.empty()) << item.Glyph;
        // Each button's command is in the menu bar too, where the keyboard reaches it.
        bool inMenu = false;
        for (const MenuItem& menu : MainMenuItems()) inMenu = inMenu || menu.Command == item.Command;
        EXPECT_TRUE(inMenu) << item.Glyph;
    }
    for (int size : {16, 20, 24, 28, 32}) {
        const std::string path = std::string(ORVANE_SOURCE_DIR) + "/resources/mainwindow/toolbar_" + std::to_string(size) + ".png";
        std::ifstream file(path, std::ios::binary);
        unsigned char header[24] = {};
        ASSERT_TRUE(file.read(reinterpret_cast<char*>(header), sizeof header)) << path;
        auto be32 = [&](int at) { return (header[at] << 24) | (header[at + 1] << 16) | (header[at + 2] << 8) | header[at + 3]; };
        EXPECT_EQ(be32(16), buttons * size) << path;  // the IHDR's width and height
        EXPECT_EQ(be32(20), size) << path;
    }
}
