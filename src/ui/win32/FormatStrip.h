#pragma once

#include "app/ColorTarget.h"
#include "app/FormatBar.h"
#include "platform/win32/Windows.h"
#include "ui/win32/Layout.h"

#include <commctrl.h>

#include <functional>

namespace orvane {


// The formatting toolbar above the design surface: font and size lists, bold,
// italic and underline, the three alignments and the font's availability.
// It shows the model's FormatBar and forwards what the user does to it.
class FormatStrip {
public:
    FormatStrip(FormatBar& format, HWND parent);
    HWND Handle() const { return strip_; }
    // Runs a command, reports what it threw, shows the model again.
    std::function<void(const std::function<void()>&)> Run;
    // The colour drop-downs and the shadow depth's, with the button they open below.
    std::function<void(ColorTarget, HWND)> OpenPicker;
    std::function<void(HWND)> OpenShadowSets;

    int Height() const;
    // Lays the controls out for a width, their groups wrapping onto more
    // rows when one is too narrow; returns the height they take.
    int FitTo(int width);
    void SetFont(HFONT font, const DialogUnits& units);
    void Layout();
    void Show();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int code);
    void ShowAvailability();

    FormatBar& format_;
    HWND strip_ = nullptr;
    DialogUnits units_;
    int width_ = 0;  // laid out for; 0: one row
    int rows_ = 1;
    HFONT bold_ = nullptr, italic_ = nullptr, underline_ = nullptr;
    bool syncing_ = false;
    HWND availabilityTip_ = nullptr;
    HIMAGELIST availabilityImages_ = nullptr;  // the glyph shown, kept until the next one is
    int availabilitySide_ = 0, availabilityPercentage_ = -1;
    FormatBar::Glyph availabilityGlyph_ = FormatBar::Glyph::Safe;
};

}  // namespace orvane
