#pragma once

// Sizes on Windows: pixels at 96 DPI scaled to a window's DPI, dialog units
// of the system's message font, and the icons drawn for the DPI at hand.

#include "platform/win32/Windows.h"

namespace orvane {

inline int Scale(int pixels96, int dpi) { return MulDiv(pixels96, dpi, 96); }

// The system's message font at a DPI (the caller deletes it).
HFONT MessageFont(int dpi);

// A window class of this program with the arrow cursor and the dialog face colour.
inline WNDCLASSEXW FaceClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW c = {};
    c.cbSize = sizeof c;
    c.lpfnWndProc = proc;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = name;
    return c;
}

// A font's dialog units: the average character width and the height, in pixels.
struct DialogUnits {
    int BaseX = 6, BaseY = 13;
    int X(int units) const { return MulDiv(units, BaseX, 4); }
    int Y(int units) const { return MulDiv(units, BaseY, 8); }
};
DialogUnits MeasureDialogUnits(HFONT font);

// Whether the user asked for high-contrast colours: what we draw ourselves
// then takes the system's colours only.
bool HighContrast();

// Puts a system icon (IDI_INFORMATION, ...) into an icon control, drawn at
// the control's size, so it stays crisp at every DPI.
void SetSystemIcon(HWND control, const wchar_t* id);

}  // namespace orvane
