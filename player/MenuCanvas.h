#pragma once

#include "player/Placement.h"
#include "player/Session.h"
#include "player/ShownMenu.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane::player {

// Rows of 32-bit pixels, top-down, that a canvas draws into: the window's
// back buffer, or a bitmap in the tests.
struct PixelTarget {
    uint32_t* Pixels = nullptr;
    int Width = 0;
    int Height = 0;
};

// The menu's pictures at the scale the window shows them (whole scales by
// whole pixels, others smoothly, as the editor scales photos), and what the
// window last showed of a session, so that only what changed is drawn again.
// Rectangles are in screen pixels of the whole menu (scrolling aside).
class MenuCanvas {
public:
    MenuCanvas(const ShownMenu& menu, Zoom zoom);

    const Zoom& Scale() const { return zoom_; }
    int Width() const { return background_.Width(); }
    int Height() const { return background_.Height(); }

    // Where button i (0-based) is drawn at its place in the session.
    Rect ButtonRect(const Session& s, int i) const;
    // Where the menu text and its shadow are drawn.
    Rect TextRect() const { return text_; }

    // Draws into target what differs between the session and what was
    // drawn last (the whole menu the first time) and returns those
    // rectangles; the menu text is the caller's to draw over them.
    std::vector<Rect> Update(const Session& s, PixelTarget target);
    // Draws the session's state within r, whatever was drawn before.
    void Draw(const Session& s, const Rect& r, PixelTarget target) const;
    // Forget what was drawn: the next Update draws everything.
    void Invalidate() { fresh_ = true; }

private:
    struct Drawn {
        int Left, Top, State;
        bool operator==(const Drawn&) const = default;
    };

    const ShownMenu* menu_;
    Zoom zoom_;
    Bitmap background_;
    std::vector<std::array<Bitmap, 3>> buttons_;
    std::array<Bitmap, 3> controls_;
    Rect controlsRect_;
    Rect text_;

    bool fresh_ = true;  // nothing drawn yet
    std::vector<Drawn> drawn_;
    int drawnControls_ = -1;
    std::string drawnText_;
};

// A picture at another size: nearest neighbour for whole scales (pixels
// stay sharp), the smooth scaling of the editor's photos otherwise.
Bitmap ScalePicture(const Bitmap& picture, int width, int height, bool smooth);

}  // namespace orvane::player
