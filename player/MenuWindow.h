#pragma once

#include "distribution/CommandLanguage.h"
#include "player/MenuCanvas.h"
#include "player/Placement.h"
#include "player/Session.h"
#include "player/ShownMenu.h"
#include "player/Win32Text.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace orvane::player {

class AccessibleMenu;

// The menu window: borderless, the menu picture at the monitor's scale (or
// smaller, to fit the work area; with scroll bars when even half size does
// not fit), with a taskbar entry captioned with the title. It draws what
// the session and the canvas say changed, draws the menu text with the fonts
// of this computer, passes input to the session, runs the buttons' commands
// and tells screen readers about the buttons.
class MenuWindow {
public:
    MenuWindow(HINSTANCE instance, std::wstring executablePath, std::span<const uint8_t> executable,
               const AutorunPackage& package, std::wstring className);
    ~MenuWindow();
    MenuWindow(const MenuWindow&) = delete;
    MenuWindow& operator=(const MenuWindow&) = delete;

    // Shows the menu and runs until the window closes. False when the window
    // could not be created.
    bool Run(ShownMenu first);

    // For the accessible object: the menu's buttons as they are now.
    HWND Window() const { return hwnd_; }
    const ShownMenu* Menu() const { return menu_.get(); }
    const Session* CurrentSession() const { return session_.get(); }
    std::wstring Caption() const;
    // Button i's place on the screen; empty when it is scrolled out of sight.
    RECT ButtonOnScreen(int i) const;
    bool ButtonVisible(int i) const;
    // The button under a point of the screen, or -1.
    int ButtonAt(POINT screen) const;
    // A press that does not come from the pointer or the keys (runs after
    // the caller has returned).
    void PressLater(int i);
    void FocusButton(int i);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Show(ShownMenu menu, Sound opening);
    void Resize(const RECT* suggested);
    void MakeBuffer(int width, int height);
    void Apply(const Effects& effects);
    void RunButton(int index);
    void RunPlan(const StoredButton& button, const CommandPlan& plan);
    void OpenSubMenu(MenuLoad load, const std::string& name);
    void Redraw();
    void DrawMenuText(HDC dc, const RECT& clip);
    void StartAnimation();
    void StopAnimationClock();
    void NextFrame();
    void ScrollTitle();
    void ShowAbout();
    void ShowError(const std::wstring& text);
    POINT MenuPoint(LPARAM lParam) const;
    // Scrolling: positions in screen pixels of the whole menu.
    void ScrollTo(int x, int y);
    void ScrollBy(int bar, int request, int amount);
    void ShowFocused();
    void UpdateScrollBars();
    void TellFocus();

    HINSTANCE instance_;
    std::wstring executablePath_;
    std::span<const uint8_t> executable_;
    const AutorunPackage& package_;
    std::wstring className_;

    HWND hwnd_ = nullptr;
    std::unique_ptr<ShownMenu> menu_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<MenuCanvas> canvas_;
    MenuView view_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    std::string wrappedText_;  // the text lines_ were wrapped from
    std::vector<std::wstring> lines_;
    bool wrapped_ = false;

    HDC buffer_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ oldDib_ = nullptr;
    uint32_t* bits_ = nullptr;
    int bufferWidth_ = 0, bufferHeight_ = 0;
    int scrollX_ = 0, scrollY_ = 0;
    int clientWidth_ = 0, clientHeight_ = 0;
    int wheelRest_ = 0, hwheelRest_ = 0;

    std::wstring title_;
    size_t titleShift_ = 0;
    bool trackingLeave_ = false;
    bool closing_ = false;
    bool running_ = false;  // a button's command is running
    int toldFocus_ = -1;
    bool fastClock_ = false;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER animationStart_{};
    AccessibleMenu* accessible_ = nullptr;
};

}  // namespace orvane::player
