#include "player/Session.h"

#include "platform/Cp1252.h"

#include <algorithm>

namespace orvane::player {

Session::Session(const ShownMenu& menu, Sound opening) : menu_(&menu), opening_(opening) {
    std::vector<Rect> targets;
    for (int i = 0; i < menu.ButtonCount(); ++i) {
        const Rect r = menu.ButtonRect(i);
        targets.push_back(r);
        places_.push_back({r.Left, r.Top});
    }
    // Out of sight is past the right edge of the menu window itself.
    animation_ = AnimationFrames(ButtonAnimationPath(menu.Stored.Props.ButtonAnimation, targets, menu.Width(),
                                                     menu.Height(), menu.Width()));
}

Effects Session::Sounded(Effects e, Sound s) const {
    if (!menu_->Stored.Props.DisableSounds) e.Play = s;
    return e;
}

Effects Session::Open() {
    Effects e = ShowFrame(0);
    e.Redraw = true;
    return Sounded(e, opening_);
}

void Session::Apply(const AnimationMove& move) {
    Place& p = places_[size_t(move.Slot - 1)];
    p.Left = move.Left;
    p.Top = move.Top;
}

Effects Session::ShowFrame(size_t frame) {
    Effects e;
    if (animation_.Frames() == 0) return e;
    for (const AnimationMove& move : animation_.ShowFrame(frame)) Apply(move);
    e.Redraw = true;
    return e;
}

Effects Session::FinishAnimation() {
    for (const AnimationMove& move : animation_.Finish()) Apply(move);
    Effects e;
    e.Redraw = true;
    return e;
}

Hit Session::HitTest(int x, int y) const {
    const Rect controls = menu_->ControlsRect();
    if (controls.Contains(x, y))
        return {x < controls.Left + kMinimiseGlyphWidth ? Part::Minimise : Part::Close, -1};
    // The last button drawn lies on top.
    for (int i = menu_->ButtonCount() - 1; i >= 0; --i) {
        const Rect r = menu_->ButtonRect(i);
        const Place& p = places_[size_t(i)];
        if (Rect::FromSize(p.Left, p.Top, r.Width(), r.Height()).Contains(x, y)) return {Part::Button, i};
    }
    return {};
}

Effects Session::PointerMove(int x, int y) {
    const Hit hit = HitTest(x, y);
    Effects e;
    const int button = hit.What == Part::Button ? hit.Button : -1;
    if (held_.What != Part::Background) {
        const bool on = hit.What == held_.What && hit.Button == held_.Button;
        if (on != pointerOnHeld_) {
            pointerOnHeld_ = on;
            e.Redraw = true;
        }
    }
    if (button != hover_ || hit.What != hoverPart_) {
        const bool entered = button >= 0 && button != hover_;
        hover_ = button;
        hoverPart_ = hit.What;
        e.Redraw = true;
        if (entered && held_.What == Part::Background && Ready()) e = Sounded(e, Sound::Select);
    }
    return e;
}

Effects Session::PointerLeave() {
    Effects e;
    if (hover_ >= 0 || hoverPart_ != Part::Background || pointerOnHeld_) e.Redraw = true;
    hover_ = -1;
    hoverPart_ = Part::Background;
    pointerOnHeld_ = false;
    return e;
}

Effects Session::PointerDown(int x, int y, bool secondOfDouble) {
    if (secondOfDouble) {
        // The first press of the double-click was the click.
        ignoreRelease_ = true;
        return {};
    }
    ignoreRelease_ = false;
    if (Animating()) return FinishAnimation();
    held_ = HitTest(x, y);
    pointerOnHeld_ = held_.What != Part::Background;
    Effects e;
    e.Redraw = pointerOnHeld_;
    return e;
}

Effects Session::PointerUp(int x, int y) {
    if (ignoreRelease_ && held_.What == Part::Background) {
        ignoreRelease_ = false;
        return {};
    }
    const Hit held = held_;
    held_ = {};
    pointerOnHeld_ = false;
    if (held.What == Part::Background) return {};
    const Hit hit = HitTest(x, y);
    Effects e;
    e.Redraw = true;
    // A click is a press and a release on the same thing.
    if (hit.What != held.What || hit.Button != held.Button) return e;
    switch (held.What) {
        case Part::Minimise: e.Minimise = true; return e;
        case Part::Close: e.Close = true; return e;
        case Part::Button: return ClickButton(held.Button);
        case Part::Background: return e;
    }
    return e;
}

Effects Session::ClickButton(int i) {
    Effects e;
    e.Redraw = true;
    e.Click = i;
    // "*" plays the no-action sound instead of the click.
    return Sounded(e, menu_->Button(i).Command == "*" ? Sound::NoAction : Sound::Click);
}

Effects Session::MoveFocus(int to) {
    Effects e;
    e.Redraw = true;
    const bool moved = to != focus_;
    focus_ = to;
    focusShown_ = true;
    return moved ? Sounded(e, Sound::Select) : e;
}

Effects Session::Press(int i) {
    if (i < 0 || i >= menu_->ButtonCount()) return {};
    Effects e = Animating() ? FinishAnimation() : Effects{};
    const Effects click = ClickButton(i);
    e.Click = click.Click;
    e.Play = click.Play;
    e.Redraw = true;
    return e;
}

Effects Session::FocusButton(int i) {
    if (i < 0 || i >= menu_->ButtonCount()) return {};
    return MoveFocus(i);
}

Effects Session::KeyDown(Key key, bool shift, bool repeated) {
    const int n = menu_->ButtonCount();
    // A held key presses once.
    if (repeated && (key == Key::Enter || key == Key::Space || key == Key::Escape)) return {};
    if (key == Key::Escape) {
        Effects e;
        e.Close = true;
        return e;
    }
    if (Animating()) return FinishAnimation();
    if (n == 0) return {};
    const bool back = key == Key::Up || key == Key::Left || (key == Key::Tab && shift);
    switch (key) {
        case Key::Up:
        case Key::Down:
        case Key::Left:
        case Key::Right:
        case Key::Tab:
            if (focus_ < 0) return MoveFocus(back ? n - 1 : 0);
            return MoveFocus((focus_ + (back ? n - 1 : 1)) % n);
        case Key::Enter:
            if (focus_ < 0) return {};
            return ClickButton(focus_);
        case Key::Space: {
            if (focus_ < 0 || spaceHeld_ >= 0) return {};
            spaceHeld_ = focus_;
            Effects e;
            e.Redraw = true;
            return e;
        }
        case Key::Escape: break;
    }
    return {};
}

Effects Session::KeyUp(Key key) {
    if (key != Key::Space || spaceHeld_ < 0) return {};
    const int held = spaceHeld_;
    spaceHeld_ = -1;
    if (held != focus_) return {};
    return ClickButton(held);
}

Effects Session::Character(std::string_view character, bool repeated) {
    if (character.empty() || Animating() || repeated) return {};
    for (int i = 0; i < menu_->ButtonCount(); ++i) {
        const std::string& key = menu_->Button(i).AccessKey;
        if (!key.empty() && SameWindowsName(key, character)) {
            focus_ = i;
            return ClickButton(i);
        }
    }
    return {};
}

int Session::ButtonState(int i) const {
    const bool heldHere = (held_.What == Part::Button && held_.Button == i && pointerOnHeld_) || spaceHeld_ == i;
    if (heldHere) return 2;
    if (held_.What == Part::Button && held_.Button != i) return focus_ == i && focusShown_ ? 1 : 0;
    if (hover_ == i || (focus_ == i && focusShown_)) return 1;
    return 0;
}

int Session::ControlsState() const {
    const bool held = held_.What == Part::Minimise || held_.What == Part::Close;
    if (held && pointerOnHeld_) return 2;
    if (!held && (hoverPart_ == Part::Minimise || hoverPart_ == Part::Close)) return 1;
    return 0;
}

const std::string& Session::Text() const {
    const int shown = hover_ >= 0 ? hover_ : (focusShown_ ? focus_ : -1);
    if (shown >= 0 && !menu_->Button(shown).Description.empty()) return menu_->Button(shown).Description;
    return menu_->Stored.Props.MenuText;
}

}  // namespace orvane::player
