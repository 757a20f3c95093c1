/* The smallest window a Win32 program can show, built the way the menu
 * player is built (static, size-optimised): what the player's start-up time
 * is measured against under Wine. Escape or closing ends it. Started with
 * "hidden" it shows nothing and only keeps Wine's desktop up between runs. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) DestroyWindow(hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE previous, PWSTR command, int show) {
    (void)previous;
    WNDCLASSW wc = {0};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = (HBRUSH)GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = L"MinimalWindow";
    if (!RegisterClassW(&wc)) return 1;
    HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, L"MinimalWindow", L"Minimal", WS_POPUP, 312, 234, 400, 300, NULL,
                                NULL, instance, NULL);
    if (!hwnd) return 1;
    if (lstrcmpiW(command, L"hidden") != 0) {
        ShowWindow(hwnd, show ? show : SW_SHOW);
        UpdateWindow(hwnd);
    }
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
