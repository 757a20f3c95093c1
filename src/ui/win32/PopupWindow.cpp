#include "ui/win32/PopupWindow.h"

#include "app/PopupPlacement.h"
#include "platform/Text.h"
#include "platform/win32/RectWin32.h"
#include "ui/win32/Layout.h"

#include <utility>

namespace orvane {

namespace {

const wchar_t kClass[] = L"OrvanePopup";
constexpr UINT kCloseLater = WM_APP + 1;

RECT WorkArea(HWND window) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

PopupWindow* PopupWindow::Current = nullptr;

namespace {
// A press on the button that opened the pop-up closes it, as the focus
// leaves; the click that follows must not open it again.
HWND closedByPress = nullptr;
DWORD closedAt = 0;
}  // namespace

bool TranslatePopupMessage(MSG& msg) {
    // The dialog manager asks the message filter below again.
    static bool inside = false;
    PopupWindow* popup = PopupWindow::Current;
    if (inside || !popup || !popup->DialogKeys()) return false;
    const HWND window = popup->Handle();
    if (msg.hwnd != window && !IsChild(window, msg.hwnd)) return false;
    inside = true;
    const bool taken = IsDialogMessageW(window, &msg) != 0;
    inside = false;
    return taken;
}

namespace {

// A pop-up opened from a modal window (the button style designer) gets its
// keys through that window's dialog loop, which offers each message here.
LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && TranslatePopupMessage(*reinterpret_cast<MSG*>(lParam))) return TRUE;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

void Outline(HDC dc, const RECT& r, int thickness, HBRUSH brush) {
    const RECT sides[] = {{r.left, r.top, r.right, r.top + thickness},
                          {r.left, r.bottom - thickness, r.right, r.bottom},
                          {r.left, r.top, r.left + thickness, r.bottom},
                          {r.right - thickness, r.top, r.right, r.bottom}};
    for (const RECT& side : sides) FillRect(dc, &side, brush);
}

COLORREF ColorRefOf(uint32_t colour) {
    const uint32_t c = ResolveColor(colour);
    return RGB(ColorRed(c), ColorGreen(c), ColorBlue(c));
}

PopupWindow::PopupWindow(PopupHooks hooks) : hooks_(std::move(hooks)) {}

PopupWindow::~PopupWindow() {
    if (filter_) UnhookWindowsHookEx(filter_);
    if (font_) DeleteObject(font_);
    if (Current == this) Current = nullptr;
}

void PopupWindow::Open(HWND owner, HWND anchor, PopupAnchor how, const wchar_t* name) {
    static const bool registered = [] {
        WNDCLASSEXW c = FaceClass(kClass, &PopupWindow::Proc);
        c.style = CS_DROPSHADOW;
        c.hbrBackground = nullptr;  // painted through a back buffer
        return RegisterClassExW(&c) != 0;
    }();
    (void)registered;
    // A second pop-up replaces the first, as the focus moving to it would.
    if (Current && Current->window_) DestroyWindow(Current->window_);
    if (anchor == std::exchange(closedByPress, nullptr) && GetTickCount() - closedAt < 2 * GetDoubleClickTime()) {
        delete this;
        return;
    }
    anchor_ = anchor;

    dpi_ = int(GetDpiForWindow(anchor));
    const SIZE size = ModelSize();
    const int width = S(int(size.cx)), height = S(int(size.cy));
    RECT at;
    GetWindowRect(anchor, &at);
    const Rect screen = FromRECT(WorkArea(anchor));
    const ScreenPoint corner = how == PopupAnchor::BelowButton
                                   ? PopupTopLeft(FromRECT(at), width, height, screen)
                                   : KeepOnScreen({int(at.left), int(at.bottom), int(at.left) + width, int(at.bottom) + height},
                                                  screen);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kClass, name, WS_POPUP | WS_CLIPCHILDREN,
                              corner.X, corner.Y, width, height, owner, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) {
        delete this;
        return;
    }
    Current = this;
    if (DialogKeys()) filter_ = SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId());
    // Created on another screen than the anchor's, it takes that screen's DPI.
    if (const int dpi = int(GetDpiForWindow(window_)); dpi != dpi_) {
        dpi_ = dpi;
        FitToModel();
    }
    if (font_) DeleteObject(font_);
    font_ = MessageFont(dpi_);
    DpiChanged();
    Sync();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(FirstFocus());
}

void PopupWindow::FitToModel() {
    const SIZE size = ModelSize();
    RECT now;
    GetWindowRect(window_, &now);
    const int width = S(int(size.cx)), height = S(int(size.cy));
    if (now.right - now.left == width && now.bottom - now.top == height) return;
    const ScreenPoint at = KeepOnScreen({int(now.left), int(now.top), int(now.left) + width, int(now.top) + height},
                                        FromRECT(WorkArea(window_)));
    SetWindowPos(window_, nullptr, at.X, at.Y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::AfterHandler() {
    if (closing_) return;
    if (ModelClosed()) {
        Close();
        return;
    }
    Sync();
    // A tip the handler showed had the focus for a while: it comes back here.
    if (GetActiveWindow() != window_) {
        SetForegroundWindow(window_);
        SetFocus(FirstFocus());
    }
}

// Closed after the message at hand, so no handler runs on a window that is gone.
void PopupWindow::Close() {
    if (closing_) return;
    closing_ = true;
    PostMessageW(window_, kCloseLater, 0, 0);
}

LRESULT CALLBACK PopupWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<PopupWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(self));
    }
    auto* self = reinterpret_cast<PopupWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        auto finished = std::move(self->hooks_.Finished);
        delete self;
        if (finished) finished();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT PopupWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && !busy_ && !closing_) {
                POINT at;
                GetCursorPos(&at);
                if (GetKeyState(VK_LBUTTON) < 0 && WindowFromPoint(at) == anchor_) {
                    closedByPress = anchor_;
                    closedAt = GetTickCount();
                }
                LoseFocus();
                Close();
            }
            return 0;
        case kCloseLater: DestroyWindow(window_); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window_, &ps);
            RECT client;
            GetClientRect(window_, &client);
            // Through a back buffer: a drag repaints without flicker.
            HDC buffer = CreateCompatibleDC(dc);
            HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
            HGDIOBJ old = SelectObject(buffer, bitmap);
            FillRect(buffer, &client, GetSysColorBrush(COLOR_BTNFACE));
            Paint(buffer, client);
            // Borderless: a thin edge keeps the window apart from what lies behind it.
            Outline(buffer, client, 1, GetSysColorBrush(COLOR_BTNSHADOW));
            BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
            SelectObject(buffer, old);
            DeleteObject(bitmap);
            DeleteDC(buffer);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            if (font_) DeleteObject(font_);
            font_ = MessageFont(dpi_);
            const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
            FitToModel();
            DpiChanged();
            Sync();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace orvane
