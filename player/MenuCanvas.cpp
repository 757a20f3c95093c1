#include "player/MenuCanvas.h"

#include "render/CoreGraphics.h"

#include <algorithm>
#include <cstring>

namespace orvane::player {
namespace {

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
}

// Copies picture, placed with its top left at (x, y), into target within clip.
void Blit(const Bitmap& picture, int x, int y, const Rect& clip, PixelTarget target) {
    const Rect r = Intersect(clip, {x, y, x + picture.Width(), y + picture.Height()});
    if (r.IsEmpty()) return;
    for (int row = r.Top; row < r.Bottom; ++row)
        std::memcpy(target.Pixels + size_t(row) * size_t(target.Width) + r.Left, picture.Row(row - y) + (r.Left - x),
                    size_t(r.Width()) * sizeof(uint32_t));
}

Rect Scaled(const Zoom& z, const Rect& r) { return {z.Of(r.Left), z.Of(r.Top), z.Of(r.Right), z.Of(r.Bottom)}; }

}  // namespace

Bitmap ScalePicture(const Bitmap& picture, int width, int height, bool smooth) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (picture.IsEmpty() || (width == picture.Width() && height == picture.Height())) return picture;
    Bitmap out;
    if (smooth) {
        CoreGraphics graphics;
        graphics.ScaleSmooth(picture, out, width, height, true);
    } else {
        out.SetSize(width, height);
        StretchCopy(picture, {0, 0, picture.Width(), picture.Height()}, out, {0, 0, width, height});
    }
    return out;
}

MenuCanvas::MenuCanvas(const ShownMenu& menu, Zoom zoom) : menu_(&menu), zoom_(zoom) {
    const bool smooth = !zoom.Whole();
    auto scale = [&](const Bitmap& b) { return ScalePicture(b, zoom.Of(b.Width()), zoom.Of(b.Height()), smooth); };
    background_ = scale(menu.Pictures.MenuImage);
    buttons_.reserve(size_t(menu.ButtonCount()));
    for (int i = 0; i < menu.ButtonCount(); ++i) {
        const auto& states = menu.Pictures.Buttons[size_t(i)];
        buttons_.push_back({scale(states[0]), scale(states[1]), scale(states[2])});
    }
    const Rect controls = menu.ControlsRect();
    if (!controls.IsEmpty()) {
        controlsRect_ = Scaled(zoom, controls);
        for (size_t s = 0; s < 3; ++s) {
            // The strip's glyphs, cut from the strip as the editor shows them.
            Bitmap glyphs(kControlsWidth, kControlsHeight);
            StretchCopy(menu.Pictures.Controls[s], {0, 0, kControlsWidth, kControlsHeight}, glyphs,
                        {0, 0, kControlsWidth, kControlsHeight});
            controls_[s] = ScalePicture(glyphs, controlsRect_.Width(), controlsRect_.Height(), smooth);
        }
    }
    const MenuProperties& p = menu.Stored.Props;
    const int depth = std::max(0, menu.Stored.TextShadowDepth);
    if (p.TextRect[2] > 0 && p.TextRect[3] > 0)
        text_ = Scaled(zoom, {p.TextRect[0], p.TextRect[1], p.TextRect[0] + p.TextRect[2] + depth,
                              p.TextRect[1] + p.TextRect[3] + depth});
}

Rect MenuCanvas::ButtonRect(const Session& s, int i) const {
    const Bitmap& picture = buttons_[size_t(i)][0];
    const int left = zoom_.Of(s.ButtonLeft(i)), top = zoom_.Of(s.ButtonTop(i));
    return {left, top, left + picture.Width(), top + picture.Height()};
}

void MenuCanvas::Draw(const Session& s, const Rect& r, PixelTarget target) const {
    const Rect clip = Intersect(r, {0, 0, std::min(Width(), target.Width), std::min(Height(), target.Height)});
    if (clip.IsEmpty()) return;
    Blit(background_, 0, 0, clip, target);
    if (!controlsRect_.IsEmpty())
        Blit(controls_[size_t(s.ControlsState())], controlsRect_.Left, controlsRect_.Top, clip, target);
    // In order: the last button lies on top, as the hit test has it.
    for (int i = 0; i < int(buttons_.size()); ++i) {
        const Rect b = ButtonRect(s, i);
        Blit(buttons_[size_t(i)][size_t(s.ButtonState(i))], b.Left, b.Top, clip, target);
    }
}

std::vector<Rect> MenuCanvas::Update(const Session& s, PixelTarget target) {
    std::vector<Rect> changed;
    const int n = int(buttons_.size());
    if (fresh_) {
        drawn_.resize(size_t(n));
        changed.push_back({0, 0, Width(), Height()});
    } else {
        for (int i = 0; i < n; ++i) {
            const Drawn now{s.ButtonLeft(i), s.ButtonTop(i), s.ButtonState(i)};
            const Drawn& was = drawn_[size_t(i)];
            if (now == was) continue;
            const Bitmap& picture = buttons_[size_t(i)][0];
            const int left = zoom_.Of(was.Left), top = zoom_.Of(was.Top);
            changed.push_back({left, top, left + picture.Width(), top + picture.Height()});
            if (now.Left != was.Left || now.Top != was.Top) changed.push_back(ButtonRect(s, i));
        }
        if (s.ControlsState() != drawnControls_ && !controlsRect_.IsEmpty()) changed.push_back(controlsRect_);
        if (s.Text() != drawnText_ && !text_.IsEmpty()) changed.push_back(text_);
    }
    for (int i = 0; i < n; ++i) drawn_[size_t(i)] = {s.ButtonLeft(i), s.ButtonTop(i), s.ButtonState(i)};
    drawnControls_ = s.ControlsState();
    drawnText_ = s.Text();
    fresh_ = false;

    // Only what lies inside the menu is drawn and reported.
    size_t kept = 0;
    for (const Rect& r : changed) {
        const Rect inside = Intersect(r, {0, 0, Width(), Height()});
        if (inside.IsEmpty()) continue;
        Draw(s, inside, target);
        changed[kept++] = inside;
    }
    changed.resize(kept);
    return changed;
}

}  // namespace orvane::player
