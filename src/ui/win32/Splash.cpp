#include "ui/win32/Splash.h"

#include "app/Tips.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Dialogs.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Win32Platform.h"
#include "ui/win32/resource.h"

#include <windowsx.h>

namespace orvane {

namespace {

constexpr uint32_t kSeeThrough = MakePixel(0, 255, 0);  // pure lime green
const COLORREF kInk = RGB(28, 43, 68);
const COLORREF kLink = RGB(0xFF, 0xD2, 0x7A);  // light on the picture's dark band
const RECT kCloseLink = {164, 54, 224, 69};    // at 96 DPI, on the picture

RECT Scaled(RECT r, int dpi) { return {Scale(r.left, dpi), Scale(r.top, dpi), Scale(r.right, dpi), Scale(r.bottom, dpi)}; }

// Draws a text in its box; returns where its single line went.
RECT Text(HDC dc, int dpi, const wchar_t* face, int points, RECT at, const std::wstring& text, UINT format,
          bool underline = false) {
    HFONT font = CreateFontW(-MulDiv(points, dpi, 72), 0, 0, 0, FW_NORMAL, 0, underline, 0, DEFAULT_CHARSET, 0, 0,
                             CLEARTYPE_QUALITY, 0, face);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r = Scaled(at, dpi), used = r;
    DrawTextW(dc, text.c_str(), int(text.size()), &used, format | DT_NOPREFIX | DT_CALCRECT);
    DrawTextW(dc, text.c_str(), int(text.size()), &r, format | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);
    return used;
}

}  // namespace

HRGN SplashShape(const Bitmap& picture, int dpi) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width();) {
            while (x < picture.Width() && (picture.At(x, y) & 0xFFFFFF) == kSeeThrough) ++x;
            const int start = x;
            while (x < picture.Width() && (picture.At(x, y) & 0xFFFFFF) != kSeeThrough) ++x;
            if (x == start) continue;
            HRGN run = CreateRectRgn(Scale(start, dpi), Scale(y, dpi), Scale(x, dpi), Scale(y + 1, dpi));
            CombineRgn(shape, shape, run, RGN_OR);
            DeleteObject(run);
        }
    }
    return shape;
}

RECT SplashCloseLink(int dpi) { return Scaled(kCloseLink, dpi); }

void PaintSplash(HDC dc, HWND window, const Bitmap& picture, SplashMode mode, const std::wstring& note,
                 bool closeFocused) {
    RECT client;
    GetClientRect(window, &client);
    const int dpi = int(GetDpiForWindow(window));
    if (HBITMAP dib = DibFromBitmap(picture)) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, dib);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, picture.Width(), picture.Height(), SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteObject(dib);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kInk);
    Text(dc, dpi, L"Verdana", 8, {228, 177, 361, 192}, WideFromUtf8(VersionLine()), DT_RIGHT | DT_TOP | DT_SINGLELINE);
    if (mode == SplashMode::StartUp) {
        Text(dc, dpi, L"Arial", 8, {16, 136, 366, 151}, WideFromUtf8(kShortNotice), DT_LEFT | DT_TOP | DT_SINGLELINE);
        return;
    }
    Text(dc, dpi, L"Arial", 8, {16, 124, 372, 176}, WideFromUtf8(kLongNotice), DT_LEFT | DT_TOP | DT_WORDBREAK);
    // A long path is cut in the middle rather than running off the picture.
    if (!note.empty())
        Text(dc, dpi, L"Arial", 7, {16, 193, 376, 206}, note, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_PATH_ELLIPSIS);
    SetTextColor(dc, kLink);
    RECT focus = Text(dc, dpi, L"Tahoma", 8, kCloseLink, L"[Close]", DT_LEFT | DT_TOP | DT_SINGLELINE, true);
    if (closeFocused) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        InflateRect(&focus, Scale(2, dpi), 0);
        DrawFocusRect(dc, &focus);
    }
}

// The about box ---------------------------------------------------------------------

namespace {

struct AboutWindow {
    Bitmap Picture;
    std::wstring Note;
    bool Done = false;
};

LRESULT CALLBACK AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* about = reinterpret_cast<AboutWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            // The focus cue shows once the keyboard has been used, as elsewhere in Windows.
            const bool cue = !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
            PaintSplash(dc, window, about->Picture, SplashMode::About, about->Note, cue && GetFocus() == window);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_SETCURSOR: {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(window, &at);
            const RECT link = SplashCloseLink(int(GetDpiForWindow(window)));
            if (LOWORD(lParam) == HTCLIENT && PtInRect(&link, at)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_LBUTTONUP: {
            const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT link = SplashCloseLink(int(GetDpiForWindow(window)));
            if (PtInRect(&link, at)) DestroyWindow(window);
            return 0;
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN || wParam == VK_SPACE) {
                DestroyWindow(window);
                return 0;
            }
            break;
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_UPDATEUISTATE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(window, nullptr, FALSE); break;
        case WM_NCDESTROY:
            if (about) about->Done = true;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void ShowAboutBox(HWND owner, const std::string& layout) {
    static const bool registered = [] {
        WNDCLASSEXW c = FaceClass(L"OrvaneAbout", AboutProc);
        c.hbrBackground = nullptr;  // the picture covers it
        return RegisterClassExW(&c) != 0;
    }();
    AboutWindow about{ResourcePicture(IDR_SPLASH), WideFromUtf8(layout)};
    if (!registered || about.Picture.IsEmpty()) return;
    // Centred on the editor's screen, at its scale.
    HMONITOR monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {sizeof info, {}, {}, 0};
    GetMonitorInfoW(monitor, &info);
    const int dpi = int(owner ? GetDpiForWindow(owner) : GetDpiForSystem());
    const int w = Scale(about.Picture.Width(), dpi), h = Scale(about.Picture.Height(), dpi);
    const RECT& m = info.rcWork;
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"OrvaneAbout", L"About Orvane Graphic", WS_POPUP,
                                  (m.left + m.right - w) / 2, (m.top + m.bottom - h) / 2, w, h, owner, nullptr,
                                  GetModuleHandleW(nullptr), &about);
    if (!window) return;
    SetWindowRgn(window, SplashShape(about.Picture, dpi), FALSE);
    // Modal: the editor waits until the box has closed.
    EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    SetFocus(window);
    MSG msg;
    while (!about.Done && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
    if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
}

}  // namespace orvane
