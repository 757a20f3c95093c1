#pragma once

#include "ShownMenu.h"

#include "render/ButtonAnimation.h"

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

// One menu on screen: the buttons' places while they come in, which button is
// under the pointer, focused or held down, and the text the menu shows. Plain
// data and plain decisions, so tests drive it without a window; coordinates
// are menu pixels.
class Session {
public:
    // opening: the start sound (or the change sound for a sub-menu).
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
    Effects PointerDown(int x, int y);
    Effects PointerUp(int x, int y);
    Effects KeyDown(Key key, bool shift);
    Effects KeyUp(Key key);
    // A typed character (UTF-8), with or without Alt: an access key presses
    // its button.
    Effects Character(std::string_view character);

    // The animation: true while buttons are still coming in. Step() applies
    // the moves up to the next pause (kAnimationPauseMs follows it).
    bool Animating() const { return next_ < path_.size(); }
    Effects Step();
    // Puts every button in place at once (a click or key during the animation).
    Effects FinishAnimation();

    // What to draw: state 0 normal, 1 highlighted, 2 pressed.
    int ButtonState(int i) const;
    int ControlsState() const;
    int ButtonLeft(int i) const { return places_[size_t(i)].Left; }
    int ButtonTop(int i) const { return places_[size_t(i)].Top; }
    int Focus() const { return focus_; }
    // The menu text, or the description of the button under the pointer (or,
    // when the pointer is on none, of the button the keyboard focused).
    const std::string& Text() const;
    // The menu picture with the window controls and the buttons drawn in
    // their present state and place; the text is the window's to draw.
    Bitmap Compose() const;

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
    std::vector<AnimationMove> path_;
    size_t next_ = 0;
    std::vector<Place> places_;
    int hover_ = -1;         // button under the pointer
    Part hoverPart_ = Part::Background;
    int focus_ = -1;         // button with the keyboard focus
    bool focusShown_ = false;  // the keyboard moved the focus
    Hit held_;               // what the mouse button went down on
    bool pointerOnHeld_ = false;
    int spaceHeld_ = -1;     // the button Space went down on
};

}  // namespace orvane::player
