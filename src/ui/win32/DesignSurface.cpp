#include "ui/win32/DesignSurface.h"

#include "app/EditorModel.h"
#include "platform/win32/RectWin32.h"
#include "ui/win32/Layout.h"

#include <windowsx.h>

#include <algorithm>

namespace orvane {

namespace {

constexpr int kMargin = 4;  // around the menu, which casts its shadow 4 pixels down and right
constexpr int kShadow = 4;

const wchar_t kClass[] = L"OrvaneDesignSurface";

void RegisterOnce() {
    static const bool done = [] {
        WNDCLASSEXW c = {};
        c.cbSize = sizeof c;
        c.style = CS_DBLCLKS;
        c.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
            if (m == WM_NCCREATE)
                SetWindowLongPtrW(w, GWLP_USERDATA, LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
            return DefWindowProcW(w, m, wp, lp);
        };
        c.hInstance = GetModuleHandleW(nullptr);
        c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        c.lpszClassName = kClass;
        return RegisterClassExW(&c) != 0;
    }();
    (void)done;
}

// The work area's colour and the shadow's: black at 110/255 over it.
COLORREF Shade(COLORREF c) {
    auto dim = [](int v) { return v * (255 - 110) / 255; };
    return RGB(dim(GetRValue(c)), dim(GetGValue(c)), dim(GetBValue(c)));
}

}  // namespace

DesignSurface::DesignSurface(EditorModel& model, HWND parent) : model_(model) {
    RegisterOnce();
    window_ = CreateWindowExW(WS_EX_ACCEPTFILES, kClass, L"Design surface",
                              WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | WS_CLIPSIBLINGS | WS_TABSTOP, 0, 0, 10,
                              10, parent, nullptr, GetModuleHandleW(nullptr), this);
    SetWindowLongPtrW(window_, GWLP_WNDPROC, LONG_PTR(&DesignSurface::Proc));
}

LRESULT CALLBACK DesignSurface::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DesignSurface*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

void DesignSurface::Compose() {
    if (animating_) {
        frame_ = back_;
        for (int i = 1; i <= model_.Doc().Menu.ButtonCount && i <= kMaxButtons; ++i)
            CopyInto(model_.Doc().Menu.Buttons[size_t(i)].Images[0], frame_, place_[size_t(i)].x, place_[size_t(i)].y);
        return;
    }
    const int state = hover_ && hover_ == pressed_ ? 2 : (hover_ ? 1 : 0);
    frame_ = model_.DesignSurfaceImage(hover_, state);
}

void DesignSurface::Refresh() {
    if (hover_ > model_.Doc().Menu.ButtonCount) hover_ = 0;
    Compose();
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, FALSE);
}

void DesignSurface::BeginAnimation() {
    animating_ = true;
    hover_ = pressed_ = 0;
    model_.DesignSurfaceBack(back_);
    const DesignLayout& layout = model_.Renderer().Layout;
    for (int i = 1; i <= kMaxButtons; ++i) place_[size_t(i)] = {layout.Buttons[size_t(i)].Left, layout.Buttons[size_t(i)].Top};
}

void DesignSurface::MoveButton(int slot, int left, int top) {
    if (slot < 1 || slot > kMaxButtons) return;
    place_[size_t(slot)] = {left, top};
    Compose();
    InvalidateRect(window_, nullptr, FALSE);
}

void DesignSurface::EndAnimation() {
    animating_ = false;
    back_ = Bitmap();
    Refresh();
}

int DesignSurface::Dpi() const { return int(GetDpiForWindow(window_)); }

POINT DesignSurface::Origin() const {
    RECT client;
    GetClientRect(window_, &client);
    const int dpi = Dpi();
    const int margin = Scale(kMargin, dpi);
    // Centred while it fits, scrolled when it does not.
    const int w = Scale(frame_.Width() + kShadow, dpi), h = Scale(frame_.Height() + kShadow, dpi);
    const int x = w + 2 * margin <= client.right ? (client.right - w) / 2 : margin - scrollX_;
    const int y = h + 2 * margin <= client.bottom ? (client.bottom - h) / 2 : margin - scrollY_;
    return {x, y};
}

// The menu is shown at the screen's scale, as the player shows it.
POINT DesignSurface::ToMenu(int x, int y) const {
    const POINT o = Origin();
    const int dpi = Dpi();
    auto down = [dpi](int v) { return v >= 0 ? v * 96 / dpi : -((-v * 96 + dpi - 1) / dpi); };
    return {down(x - o.x), down(y - o.y)};
}

void DesignSurface::UpdateScrollBars() {
    RECT client;
    GetClientRect(window_, &client);
    const int dpi = Dpi();
    const int margin = Scale(kMargin, dpi);
    const int w = Scale(frame_.Width() + kShadow, dpi) + 2 * margin, h = Scale(frame_.Height() + kShadow, dpi) + 2 * margin;
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, w - int(client.right)));
    scrollY_ = std::clamp(scrollY_, 0, std::max(0, h - int(client.bottom)));
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, w - 1, UINT(client.right), scrollX_, 0};
    SetScrollInfo(window_, SB_HORZ, &info, TRUE);
    info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, h - 1, UINT(client.bottom), scrollY_, 0};
    SetScrollInfo(window_, SB_VERT, &info, TRUE);
}

void DesignSurface::Scroll(int bar, int request, int wheelDelta) {
    SCROLLINFO info = {sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window_, bar, &info);
    int pos = info.nPos;
    const int line = Scale(20, int(GetDpiForWindow(window_)));
    switch (request) {
        case SB_LINEUP: pos -= line; break;
        case SB_LINEDOWN: pos += line; break;
        case SB_PAGEUP: pos -= int(info.nPage); break;
        case SB_PAGEDOWN: pos += int(info.nPage); break;
        case SB_THUMBTRACK: pos = info.nTrackPos; break;
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = info.nMax; break;
        case -1: pos -= wheelDelta * line * 3 / WHEEL_DELTA; break;
        default: return;
    }
    (bar == SB_HORZ ? scrollX_ : scrollY_) = pos;
    UpdateScrollBars();
    InvalidateRect(window_, nullptr, FALSE);
}

RECT DesignSurface::SelectionRect() const {
    const TOVMenu& menu = model_.Doc().Menu;
    const DesignLayout& layout = model_.Renderer().Layout;
    const int selected = menu.SelectedButton;
    const Rect box = selected > 0 && selected <= menu.ButtonCount ? layout.Buttons[size_t(selected)]
                    : selected == 0                              ? layout.MenuText
                                                                 : layout.TitleSelection;
    RECT r = ToRECT(box);
    InflateRect(&r, 2, 2);  // two pixels outside the element
    return r;
}

void DesignSurface::Paint(HDC target) {
    RECT client;
    GetClientRect(window_, &client);
    // Drawn off screen first, then copied in one go: no flicker.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP buffer = CreateCompatibleBitmap(target, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ oldBuffer = SelectObject(dc, buffer);
    const COLORREF work = GetSysColor(COLOR_APPWORKSPACE);
    HBRUSH back = CreateSolidBrush(work);
    FillRect(dc, &client, back);
    DeleteObject(back);
    if (!frame_.IsEmpty()) {
        const POINT o = Origin();
        const int dpi = Dpi();
        const int w = Scale(frame_.Width(), dpi), h = Scale(frame_.Height(), dpi), shift = Scale(kShadow, dpi);
        const bool contrast = HighContrast();
        // In high contrast the menu stands on the work area alone, without a soft shadow.
        if (!contrast) {
            HBRUSH shadow = CreateSolidBrush(Shade(work));
            const RECT shade = {o.x + shift, o.y + shift, o.x + shift + w, o.y + shift + h};
            FillRect(dc, &shade, shadow);
            DeleteObject(shadow);
        }
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, frame_.Width(), -frame_.Height(), 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        // Whole pixels, never blurred: at 100 % the menu's own.
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, o.x, o.y, w, h, 0, 0, frame_.Width(), frame_.Height(), frame_.Data(), &info, DIB_RGB_COLORS,
                      SRCCOPY);
        if (!animating_ && model_.Renderer().Layout.SelectionVisible) {
            RECT box = SelectionRect();
            box = {Scale(box.left, dpi), Scale(box.top, dpi), Scale(box.right, dpi), Scale(box.bottom, dpi)};
            OffsetRect(&box, o.x, o.y);
            if (contrast) {
                // The system's selection colour, solid and wide enough to see.
                HBRUSH mark = GetSysColorBrush(COLOR_HIGHLIGHT);
                const int t = std::max(2, Scale(2, dpi));
                const RECT sides[] = {{box.left, box.top, box.right, box.top + t},
                                      {box.left, box.bottom - t, box.right, box.bottom},
                                      {box.left, box.top, box.left + t, box.bottom},
                                      {box.right - t, box.top, box.right, box.bottom}};
                for (const RECT& side : sides) FillRect(dc, &side, mark);
            } else {
                // A dotted outline that inverts what lies under it.
                SetTextColor(dc, RGB(0, 0, 0));
                SetBkColor(dc, RGB(255, 255, 255));
                DrawFocusRect(dc, &box);
            }
        }
    }
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBuffer);
    DeleteObject(buffer);
    DeleteDC(dc);
}

void DesignSurface::Hover(POINT p) {
    const int over = animating_ ? 0 : model_.ButtonAt(p.x, p.y);
    const std::string label = model_.TextLabel();
    if (over)
        model_.Properties().HoverButton(over);
    else
        model_.Properties().HoverBackground();
    if (over == hover_ && label == model_.TextLabel()) return;
    hover_ = over;
    Compose();
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT DesignSurface::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_SIZE:
            UpdateScrollBars();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_HSCROLL: Scroll(SB_HORZ, LOWORD(wParam)); return 0;
        case WM_VSCROLL: Scroll(SB_VERT, LOWORD(wParam)); return 0;
        case WM_MOUSEWHEEL: Scroll(SB_VERT, -1, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_MOUSEHWHEEL: Scroll(SB_HORZ, -1, -GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            SetFocus(window_);
            if (animating_) return 0;
            const POINT p = ToMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            pressed_ = model_.ButtonAt(p.x, p.y);
            SetCapture(window_);
            if (pressed_) {
                model_.Properties().PressButton(pressed_);
                if (SelectionChanged) SelectionChanged();
            }
            Compose();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        }
        case WM_LBUTTONUP: {
            if (GetCapture() == window_) ReleaseCapture();
            if (animating_) return 0;
            const POINT p = ToMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            const int pressed = pressed_;
            pressed_ = 0;
            const bool selected = model_.Properties().ReleaseOnSurface(pressed, p.x, p.y);
            Compose();
            InvalidateRect(window_, nullptr, FALSE);
            if (selected && SelectionChanged) SelectionChanged();
            return 0;
        }
        case WM_MOUSEMOVE: {
            if (!tracking_) {
                TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, window_, 0};
                tracking_ = TrackMouseEvent(&track);
            }
            Hover(ToMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
            return 0;
        }
        case WM_MOUSELEAVE:
            tracking_ = false;
            hover_ = 0;
            model_.Properties().HoverBackground();
            Compose();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, hover_ ? IDC_HAND : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_CONTEXTMENU: {
            if (animating_ || !ContextMenu) return 0;
            POINT screen = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            int button = 0;
            if (lParam == -1) {
                // From the keyboard: the menu's own commands (its command
                // wizard works on the selected button), at the selection box.
                const RECT box = SelectionRect();
                const POINT o = Origin();
                screen = {o.x + Scale(box.left, Dpi()), o.y + Scale(box.bottom, Dpi())};
                ClientToScreen(window_, &screen);
            } else {
                POINT client = screen;
                ScreenToClient(window_, &client);
                const POINT p = ToMenu(client.x, client.y);
                if (p.x < 0 || p.y < 0 || p.x >= frame_.Width() || p.y >= frame_.Height()) return 0;
                button = model_.ButtonAt(p.x, p.y);
                if (button) {
                    model_.Properties().PressButton(button);
                    if (SelectionChanged) SelectionChanged();
                }
            }
            ContextMenu(button, screen);
            return 0;
        }
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(window_, nullptr, FALSE); return 0;
        case WM_DROPFILES: {
            const HDROP drop = reinterpret_cast<HDROP>(wParam);
            // One picture over a photo style's menu is taken as its photo.
            if (DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0) == 1 && model_.Doc().Props.PhotoSkin && !animating_) {
                std::wstring name(DragQueryFileW(drop, 0, nullptr, 0) + 1, L'\0');
                name.resize(DragQueryFileW(drop, 0, name.data(), UINT(name.size())));
                const std::filesystem::path path(name);
                if (EditorSession::KindOfDropped(path) == EditorSession::DroppedKind::Picture) {
                    DragFinish(drop);
                    if (PhotoDropped) PhotoDropped(path);
                    return 0;
                }
            }
            if (FilesDropped)
                FilesDropped(drop);
            else
                DragFinish(drop);
            return 0;
        }
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace orvane
