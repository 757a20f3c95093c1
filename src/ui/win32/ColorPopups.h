#pragma once

#include "platform/win32/Windows.h"

#include <cstdint>
#include <exception>
#include <functional>
#include <memory>

namespace orvane {

class TfrmColorsCls;
class TfrmShadowSets;

// The borderless pop-ups that choose a colour or a shadow depth. Each is
// shown without waiting, takes the focus, and closes when it loses it, on
// Escape, or when its model says so; then it calls Finished.
struct PopupHooks {
    std::function<void()> Finished;
    // What a handler threw (a picture that could not be rebuilt).
    std::function<void(const std::exception&)> Report;
};

// Where a pop-up opens: below a toolbar button (one pixel right of its left
// edge, one below its bottom) or at a colour box's lower-left corner.
enum class PopupAnchor { BelowButton, BoxCorner };

void OpenColorPicker(HWND owner, HWND anchor, PopupAnchor how, std::unique_ptr<TfrmColorsCls> model, PopupHooks hooks);
void OpenShadowSets(HWND owner, HWND anchor, std::unique_ptr<TfrmShadowSets> model, PopupHooks hooks);

// The open pop-up's dialog keys (Tab, Enter, Escape, access keys). True when
// the message was taken.
bool TranslatePopupMessage(MSG& msg);

// Drop-down buttons that open the pop-ups, drawn crisp at any size: a glyph
// on a push button with a drop arrow, or a colour box with one.
enum class DropGlyph { FontColor, ShadowColor, ShadowDepth, ColorBox };
// For an owner-drawn button: its glyph and, but for the shadow depth, the
// colour it shows (a colour value; system colours are resolved).
void DrawDropButton(const DRAWITEMSTRUCT& item, DropGlyph glyph, uint32_t colour);
// Enter, F4 and Alt+Down open the drop-down as a click does; the hint shows
// over the button.
void MakeDropButton(HWND button, const wchar_t* hint);

}  // namespace orvane
