// The buttons that open the colour picker and the shadow-set pop-up: drawn
// by hand at the button's size, so they are crisp at every DPI, in the
// system's colours, so high contrast shows them.
#include "platform/win32/Wide.h"
#include "ui/win32/ColorPopups.h"
#include "ui/win32/PopupWindow.h"

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

namespace orvane {

namespace {

constexpr UINT_PTR kDropKeys = 1;

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A small triangle pointing down, centred in r.
void DropArrow(HDC dc, const RECT& r, COLORREF colour) {
    const int width = std::max(5, int((r.bottom - r.top) / 3) | 1);
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const POINT points[] = {{cx - width / 2, cy - width / 4}, {cx + width / 2 + 1, cy - width / 4}, {cx, cy + width / 4 + 1}};
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush), oldPen = SelectObject(dc, pen);
    Polygon(dc, points, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    DeleteObject(brush);
}

// A push button's face; returns the colour its text is drawn in, the
// theme's where a theme draws the face.
COLORREF PushFace(HWND button, HDC dc, const RECT& r, bool pressed, bool disabled) {
    if (HTHEME theme = OpenThemeData(button, L"BUTTON")) {
        const int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : PBS_NORMAL;
        DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &r, nullptr);
        COLORREF text;
        if (FAILED(GetThemeColor(theme, BP_PUSHBUTTON, state, TMT_TEXTCOLOR, &text)))
            text = GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
        CloseThemeData(theme);
        return text;
    }
    RECT face = r;
    DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    return GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
}

// An "A" in the button's font made bold, standing on baseline y.
void Letter(HWND button, HDC dc, int x, int y, int height, COLORREF colour) {
    LOGFONTW f = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof f, &f);
    f.lfHeight = -height;
    f.lfWeight = FW_BOLD;
    f.lfItalic = FALSE;
    f.lfUnderline = FALSE;
    HFONT font = CreateFontIndirectW(&f);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const UINT align = SetTextAlign(dc, TA_BASELINE | TA_CENTER);
    TextOutW(dc, x, y, L"A", 1);
    SetTextAlign(dc, align);
    SelectObject(dc, old);
    DeleteObject(font);
}

LRESULT CALLBACK DropKeysProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    auto click = [button] {
        SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), LPARAM(button));
    };
    switch (message) {
        case WM_GETDLGCODE:
            if (const MSG* msg = reinterpret_cast<const MSG*>(lParam);
                msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
                return DefSubclassProc(button, message, wParam, lParam) | DLGC_WANTMESSAGE;
            break;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_F4) {
                click();
                return 0;
            }
            break;
        case WM_SYSKEYDOWN:
            if (wParam == VK_DOWN) {
                click();
                return 0;
            }
            break;
        case WM_NCDESTROY: RemoveWindowSubclass(button, DropKeysProc, kDropKeys); break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void MakeDropButton(HWND button, const wchar_t* hint) {
    SetWindowSubclass(button, DropKeysProc, kDropKeys, 0);
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, 0, 0, 0,
                               0, GetParent(button), nullptr, GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(button);
    tool.uId = UINT_PTR(button);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tip, TTM_ADDTOOLW, 0, LPARAM(&tool));
}

void DrawDropButton(const DRAWITEMSTRUCT& item, DropGlyph glyph, uint32_t colour) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool pressed = item.itemState & ODS_SELECTED, disabled = item.itemState & ODS_DISABLED;
    const bool focused = (item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT);
    const int height = r.bottom - r.top;
    const int line = std::max(1, height / 20);
    const int arrowWidth = std::max(int(GetSystemMetricsForDpi(SM_CXVSCROLL, GetDpiForWindow(item.hwndItem))) * 3 / 4, 9);

    if (glyph == DropGlyph::ColorBox) {
        // A colour box with its drop-down part, as a list's drop-down looks.
        FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
        Outline(dc, r, line, GetSysColorBrush(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWFRAME));
        RECT arrow{r.right - arrowWidth - line, r.top + line, r.right - line, r.bottom - line};
        const COLORREF ink = PushFace(item.hwndItem, dc, arrow, pressed, disabled);
        if (pressed) OffsetRect(&arrow, line, line);
        DropArrow(dc, arrow, ink);
        RECT box{r.left + 3 * line, r.top + 3 * line, r.right - arrowWidth - 4 * line, r.bottom - 3 * line};
        FillSolid(dc, box, ColorRefOf(colour));
        Outline(dc, box, line, GetSysColorBrush(COLOR_BTNSHADOW));
        if (focused) {
            InflateRect(&box, 2 * line, 2 * line);
            DrawFocusRect(dc, &box);
        }
        return;
    }

    // The face's rounded corners blend with what is under them: the strip's own colour.
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    const COLORREF ink = PushFace(item.hwndItem, dc, r, pressed, disabled);
    const COLORREF faceColour = GetPixel(dc, r.left + 4 * line, r.top + height / 2);
    const int shift = pressed ? line : 0;
    const int side = height * 3 / 4;  // the glyph's square, as a 16-pixel glyph in 16 units
    const int left = r.left + (r.right - r.left - arrowWidth - side) / 2 + shift;
    const int top = r.top + (height - side) / 2 + shift;
    const RECT box{left, top, left + side, top + side};
    const int unit = std::max(1, side / 16);
    switch (glyph) {
        case DropGlyph::FontColor:
        case DropGlyph::ShadowColor: {
            // The letter above, the colour's strip in the bottom quarter.
            const int stripTop = box.bottom - std::max(4, side / 4);
            const int letter = (stripTop - box.top) * 5 / 4, x = (box.left + box.right) / 2, y = stripTop - unit;
            if (glyph == DropGlyph::ShadowColor)
                Letter(item.hwndItem, dc, x + unit, y + unit, letter, GetSysColor(COLOR_BTNSHADOW));
            Letter(item.hwndItem, dc, x, y, letter, ink);
            const RECT strip{box.left, stripTop, box.right, box.bottom};
            FillSolid(dc, strip, disabled ? GetSysColor(COLOR_GRAYTEXT) : ColorRefOf(colour));
            // Edged, so that a colour like the face's still shows.
            Outline(dc, strip, unit, GetSysColorBrush(COLOR_BTNSHADOW));
            break;
        }
        case DropGlyph::ShadowDepth: {
            // A panel with its shadow, as the pop-up's entries.
            const int offset = 3 * unit;
            RECT shadow{box.left + offset, box.top + offset + side / 8, box.right, box.bottom};
            FillSolid(dc, shadow, ink);
            RECT face{box.left, box.top + side / 8, box.right - offset, box.bottom - offset};
            // The panel in the colour of the button's face, wherever that comes from.
            FillSolid(dc, face, faceColour);
            HBRUSH edge = CreateSolidBrush(ink);
            Outline(dc, face, unit, edge);
            DeleteObject(edge);
            break;
        }
        case DropGlyph::ColorBox: break;
    }
    RECT arrow{r.right - arrowWidth - 2 * line + shift, r.top + shift, r.right - 2 * line + shift, r.bottom + shift};
    DropArrow(dc, arrow, ink);
    if (focused) {
        RECT inner = r;
        InflateRect(&inner, -3 * line, -3 * line);
        DrawFocusRect(dc, &inner);
    }
}

}  // namespace orvane
