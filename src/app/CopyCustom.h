#pragma once

#include <array>
#include <string_view>

namespace orvane {

class EditorModel;

// The copy-custom window: copies the button faces of a built-in menu style
// into "My Background" for the rest of the run.
class TfrmCopyCustom {
public:
    static constexpr std::string_view kCaption = "Custom Button Style";
    static constexpr std::string_view kIntro =
        "This function allows you to copy the buttons from any menu style to the My Background style for use on "
        "your own background menus. The new button style will then be used until you restart the Menu Editor "
        "application.";
    static constexpr std::string_view kQuestion =
        "Which button style would you like to use with your custom background?";
    static constexpr std::string_view kListCaption = "Menu Style";
    // Entry i is the built-in style with StyleId i.
    static constexpr std::array<std::string_view, 15> kEntries = {
        "Professional",    "Classic Gamer",     "Neo-Tribal",     "Underground",      "Panel Tablet",
        "XP Style",        "Blue Ribbon",       "Headlines",      "Forum",            "My Photo Smooth",
        "My Photo Sharp",  "My Photo Bevelled", "My Photo Light", "My Photo Fashion", "My Photo Frames",
    };

    // Starts on the editor's remembered choice.
    explicit TfrmCopyCustom(EditorModel& editor);

    int Choice = 0;
    bool Closed = false;

    void Select(int entry);
    // Copies the chosen style's button strip (and its mask, or white) into
    // "My Background" and remembers the choice.
    void Ok();
    void Cancel() { Closed = true; }

private:
    EditorModel& editor_;
};

}  // namespace orvane
