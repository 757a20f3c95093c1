#include "app/MainMenu.h"

#include <gtest/gtest.h>

#include <set>
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
