#pragma once

#include "Session.h"
#include "ShownMenu.h"
#include "Win32Text.h"

#include <memory>
#include <span>
#include <string>

namespace orvane::player {

// The menu window: borderless, the size of the menu picture (times the
// screen's integer scale), with a taskbar entry captioned with the title.
// It draws what the session composes, draws the menu text with the fonts of
// this computer, passes input to the session and runs the buttons' commands.
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

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void Show(ShownMenu menu, Sound opening);
    void Resize(const RECT* suggested);
    void Apply(const Effects& effects);
    void RunButton(int index);
    void OpenSubMenu(MenuLoad load, const std::string& name);
    void Paint(HDC target);
    void DrawMenuText(HDC dc);
    void Redraw();
    void StartAnimation();
    void StopAnimationClock();
    void ScrollTitle();
    void ShowAbout();
    void ShowError(const std::wstring& text);
    std::wstring Caption() const;
    POINT MenuPoint(LPARAM lParam) const;

    HINSTANCE instance_;
    std::wstring executablePath_;
    std::span<const uint8_t> executable_;
    const AutorunPackage& package_;
    std::wstring className_;

    HWND hwnd_ = nullptr;
    std::unique_ptr<ShownMenu> menu_;
    std::unique_ptr<Session> session_;
    int scale_ = 1;
    HFONT font_ = nullptr;

    HDC buffer_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ oldDib_ = nullptr;
    uint32_t* bits_ = nullptr;
    int bufferWidth_ = 0, bufferHeight_ = 0;

    std::wstring title_;
    size_t titleShift_ = 0;
    bool trackingLeave_ = false;
    bool closing_ = false;
    bool fastClock_ = false;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER nextStep_{};
};

}  // namespace orvane::player
