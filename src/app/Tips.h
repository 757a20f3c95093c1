#pragma once

// First-use tips, the help pages and the version line of the splash: the
// texts and tables that the small windows show, without a display.

#include "app/Settings.h"
#include "platform/Platform.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The tips of enum Tip; flags 19 and 20 of TipShown have no tip.
inline constexpr int kTipCount = 19;

// Each entry: "0" or "1" (the starting state of "Do not show this message
// again."), "|", then the text, in which "¶" breaks paragraphs and "&&" is
// one ampersand, as in a caption.
extern const std::array<std::string_view, kTipCount> kTipEntries;

struct TipWindowContent {
    bool DoNotShowAgain = false;
    std::string Text;  // ready for the label: CR LF line breaks, single "&"
};

// What the tip window shows for a tip; nothing for a number without a tip.
std::optional<TipWindowContent> TipContent(Tip tip);

// A tip's text as its label shows it: "¶" as two CR LF, "&&" as "&".
std::string TipLabelText(std::string_view text);

inline constexpr std::string_view kTipsResetMessage = "Tips have now been reset.";

// "Reset First Use Tips": every tip shows again at its next trigger.
void ResetFirstUseTips(Settings& prefs, Platform& platform);

// "VERSION: " and the four numbers of the compiled-in version.
std::string VersionLine();

// The copyright notices: the splash shows the short one, the about box the long one.
inline constexpr std::string_view kShortNotice = "Copyright \u00A9 2026 the Orvane Graphic developers.";
inline constexpr std::string_view kLongNotice =
    "Copyright \u00A9 2026 the Orvane Graphic developers. All rights reserved. The menus and autorun "
    "applications you make with this editor are yours to copy and give away. The editor itself may "
    "not be copied or passed on without permission.";

// Help --------------------------------------------------------------------
// The help is a folder of HTML pages beside the executable, shown in the
// desktop's browser. The product has no web site: its web entries open the
// troubleshooting and feedback pages.

enum class HelpPage {
    Contents,
    Introduction,
    GettingStarted,
    Buttons,
    AutorunApplication,
    EnhancementOptions,
    CustomSounds,
    CustomButtons,
    Troubleshooting,
    Feedback,
    Publishing,
};
inline constexpr int kHelpPageCount = 11;

inline constexpr std::string_view kHelpFolder = "help/";

// The file name of a page inside the help folder.
std::string_view HelpPageFile(HelpPage page);
// The help folder (ending in "/") + the page's file.
std::string HelpPagePath(const std::string& helpFolder, HelpPage page);

enum class HelpPlace { HelpMenu, HelpButtonMenu, TipWindow, Designer };

struct HelpEntry {
    std::string_view Text;        // as the menu shows it; "&" marks the access key
    HelpPlace Place;
    std::optional<HelpPage> Page; // none: the about box
    std::string_view Key;         // a shortcut such as "F1", or empty
};

// Every entry that opens help or the about box, in menu order per place.
extern const std::array<HelpEntry, 16> kHelpEntries;

}  // namespace orvane
