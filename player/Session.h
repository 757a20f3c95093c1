#pragma once

#include "player/ShownMenu.h"

#include "render/ButtonAnimation.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::player {

enum class Sound { None, Start, Select, Change, Click, Exit, NoAction };

// What lies under a point of the menu.
enum class Part { Background, Button, Minimise, Close };
struct Hit {
    Part What = Part::Background;
    int Button = -1;  // 0-based, for Part::Button
};

// What the window has to do after an input: the session decides, the window
// carries it out.
struct Effects {
    bool Redraw = false;
    Sound Play = Sound::None;
    int Click = -1;  // a button was clicked: run its command
    bool Minimise = false;
    bool Close = false;
};

enum class Key { Up, Down, Left, Right, Tab, Enter, Space, Escape };

using orvane::FrameDue;

// One menu on screen: the buttons' places while they come in, which button is
// under the pointer, focused or held down, and the text the menu shows. Plain
// data and plain decisions, so tests drive it without a window; coordinates
// are menu pixels.
class Session {
public:
    // opening: the start sound (or the change sound for a sub-menu). A new
    // session holds nothing: a release whose press went to the menu before
    // does nothing.
    Session(const ShownMenu& menu, Sound opening);

    const ShownMenu& Menu() const { return *menu_; }

    // The sound of the menu opening, and the animation's first step.
    Effects Open();

    Hit HitTest(int x, int y) const;
    // Whether a press at (x, y) drags the window: anything but a button or a
    // window control.
    bool Drags(int x, int y) const { return HitTest(x, y).What == Part::Background; }

    Effects PointerMove(int x, int y);
    Effects PointerLeave();
    // secondOfDouble: the system counts this press as the second of a
    // double-click, which is one click: it and its release do nothing.
    Effects PointerDown(int x, int y, bool secondOfDouble = false);
    Effects PointerUp(int x, int y);
    // repeated: sent again because the key is held; only moves repeat.
    Effects KeyDown(Key key, bool shift, bool repeated = false);
    Effects KeyUp(Key key);
    // A typed character (UTF-8), with or without Alt: an access key presses
    // its button.
    Effects Character(std::string_view character, bool repeated = false);
    // A press from outside the pointer and keys (a screen reader's default
    // action): as a click on button i.
    Effects Press(int i);
    // Moves the keyboard focus to button i (a screen reader's selection).
    Effects FocusButton(int i);

    // The animation: true while buttons are still coming in. Frame 0 is
    // shown by Open(); ShowFrame(f) brings the buttons to where frame f has
    // them (kAnimationPauseMs after frame f - 1).
    bool Animating() const { return animation_.Animating(); }
    size_t Frames() const { return animation_.Frames(); }
    size_t FrameShown() const { return animation_.FrameShown(); }
    Effects ShowFrame(size_t frame);
    // Puts every button in place at once (a click or key during the animation).
    Effects FinishAnimation();

    // What to draw: state 0 normal, 1 highlighted, 2 pressed.
    int ButtonState(int i) const;
    int ControlsState() const;
    int ButtonLeft(int i) const { return places_[size_t(i)].Left; }
    int ButtonTop(int i) const { return places_[size_t(i)].Top; }
    int Focus() const { return focus_; }
    // Whether the keyboard moved the focus (and it is drawn highlighted).
    bool FocusShown() const { return focusShown_; }
    // The menu text, or the description of the button under the pointer (or,
    // when the pointer is on none, of the button the keyboard focused).
    const std::string& Text() const;

private:
    struct Place {
        int Left = 0, Top = 0;
    };
    Effects Sounded(Effects e, Sound s) const;
    Effects MoveFocus(int to);
    Effects ClickButton(int i);
    void Apply(const AnimationMove& move);
    bool Ready() const { return !Animating(); }

    const ShownMenu* menu_;
    Sound opening_;
    AnimationFrames animation_;
    std::vector<Place> places_;
    int hover_ = -1;         // button under the pointer
    Part hoverPart_ = Part::Background;
    int focus_ = -1;         // button with the keyboard focus
    bool focusShown_ = false;  // the keyboard moved the focus
    Hit held_;               // what the mouse button went down on
    bool pointerOnHeld_ = false;
    int spaceHeld_ = -1;     // the button Space went down on
    bool ignoreRelease_ = false;  // the release of a double-click's second press
};

}  // namespace orvane::player
