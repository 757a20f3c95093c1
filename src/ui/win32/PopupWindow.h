#pragma once

#include "platform/Bitmap.h"
#include "platform/win32/Windows.h"
#include "ui/win32/ColorPopups.h"

namespace orvane {

// What the colour picker and the shadow-set pop-up share: a borderless window
// owned by the main window, laid out in the model's pixels scaled to its DPI,
// painted through a back buffer, closed when it loses the focus. It deletes
// itself when destroyed and then calls Finished.
class PopupWindow {
public:
    virtual ~PopupWindow();
    HWND Handle() const { return window_; }

    // The pop-up that is up, if any: there is one at a time.
    static PopupWindow* Current;
    // Whether Tab, Enter, Escape and access keys go through the dialog manager.
    virtual bool DialogKeys() const { return false; }

    // Creates the window at the anchor, sized to ModelSize(), and shows it.
    // Made with new; it deletes itself.
    void Open(HWND owner, HWND anchor, PopupAnchor how, const wchar_t* name);

protected:
    explicit PopupWindow(PopupHooks hooks);
    // The window takes the model's size again and stays on its screen.
    void FitToModel();

    // Model pixels (96 DPI) to device pixels and back.
    int S(int pixels) const { return MulDiv(pixels, dpi_, 96); }
    int Unscale(int pixels) const { return MulDiv(pixels, 96, dpi_); }
    RECT R(const Rect& r) const { return {S(r.Left), S(r.Top), S(r.Right), S(r.Bottom)}; }
    // A line of one model pixel, at least one device pixel.
    int Line() const { return S(1) > 0 ? S(1) : 1; }

    // Runs a model handler, reports what it threw, and closes the window once
    // the model says it is closed; a window the handler opened meanwhile (a
    // tip) does not count as the focus lost.
    template <typename F>
    void Guard(F&& handler) {
        ++busy_;
        try {
            handler();
        } catch (const std::exception& error) {
            if (hooks_.Report) hooks_.Report(error);
        }
        --busy_;
        AfterHandler();
    }

    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Paint(HDC dc, const RECT& client) = 0;
    virtual SIZE ModelSize() const = 0;
    virtual bool ModelClosed() const = 0;
    virtual void LoseFocus() = 0;
    // Fonts and child controls for a new DPI.
    virtual void DpiChanged() {}
    // Shows the model after a handler.
    virtual void Sync() {}
    // The control that takes the focus when the window opens.
    virtual HWND FirstFocus() const { return window_; }

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void AfterHandler();
    void Close();

    PopupHooks hooks_;
    HWND anchor_ = nullptr;
    HHOOK filter_ = nullptr;
    int busy_ = 0;
    bool closing_ = false;
};

// Fills the outline of a rectangle, thickness pixels wide, inside it.
void Outline(HDC dc, const RECT& r, int thickness, HBRUSH brush);
COLORREF ColorRefOf(uint32_t colour);

}  // namespace orvane
