#include "ui/win32/Layout.h"

#include <algorithm>

namespace orvane {

HFONT MessageFont(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi))) {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, 96);
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

DialogUnits MeasureDialogUnits(HFONT font) {
    DialogUnits units;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics;
    SIZE size;
    // The average width of the alphabet, as Windows measures a dialog's font.
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsW(dc, &metrics) && GetTextExtentPoint32W(dc, kAlphabet, 52, &size)) {
        units.BaseX = (size.cx / 26 + 1) / 2;
        units.BaseY = metrics.tmHeight;
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return units;
}

bool HighContrast() {
    HIGHCONTRASTW contrast = {sizeof contrast, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) && (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

void SetSystemIcon(HWND control, const wchar_t* id) {
    RECT r;
    if (!control || !GetClientRect(control, &r)) return;
    // The system draws its icon at the size asked for, not scaled from 32 pixels.
    const int side = std::min(r.right, r.bottom);
    if (auto* icon = static_cast<HICON>(LoadImageW(nullptr, id, IMAGE_ICON, side, side, LR_SHARED)))
        SendMessageW(control, STM_SETICON, WPARAM(icon), 0);
}

}  // namespace orvane
