#include "Shell.h"

#include <shellapi.h>

#include <atomic>
#include <memory>

namespace orvane::player {

bool PathExists(const std::string& path) {
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::wstring wide = Wide(path);
    // "G:\Photos\" and "G:\Photos" are the same folder; the root keeps its slash.
    if (wide.size() > 3 && wide.back() == L'\\') wide.pop_back();
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    SetErrorMode(old);
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return !path.empty() && path.back() == '\\' ? folder : true;
}

std::optional<std::wstring> OpenWithShell(HWND owner, const CommandPlan& plan) {
    const std::wstring file = Wide(plan.Target);
    const std::wstring parameters = Wide(plan.Parameters);
    const std::wstring folder = Wide(plan.Folder);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = plan.Maximize ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const BOOL ok = ShellExecuteExW(&info);
    const DWORD error = GetLastError();
    SetErrorMode(old);
    if (ok) return std::nullopt;
    return SystemErrorText(error ? error : ERROR_FILE_NOT_FOUND);
}

std::vector<Drive> LocalDrives() {
    std::vector<Drive> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        const wchar_t root[] = {wchar_t(L'A' + i), L':', L'\\', 0};
        DriveKind kind = DriveKind::Other;
        switch (GetDriveTypeW(root)) {
            case DRIVE_CDROM: kind = DriveKind::Cd; break;
            case DRIVE_REMOVABLE: kind = DriveKind::Removable; break;
            case DRIVE_FIXED: kind = DriveKind::Fixed; break;
            case DRIVE_REMOTE: kind = DriveKind::Network; break;
            default: break;
        }
        drives.push_back({char('A' + i), kind});
    }
    return drives;
}

namespace {

const wchar_t kSearchClass[] = L"OrvaneMenuSearch";
constexpr UINT kSearchDone = WM_APP + 1;
constexpr int kCancelId = 2;
constexpr UINT_PTR kShowTimer = 1;
constexpr UINT kShowDelayMs = 250;  // a quick search shows no window at all

// Shared by the window and the worker; the worker may outlive a cancelled
// search, so it holds its own reference.
struct SearchState {
    std::string Relative;
    std::vector<std::string> Roots;
    std::atomic<bool> Cancelled{false};
    std::atomic<bool> Done{false};
    std::string Found;  // written by the worker before Done
    std::atomic<HWND> Window{nullptr};
};

DWORD WINAPI SearchWorker(void* parameter) {
    std::unique_ptr<std::shared_ptr<SearchState>> holder(static_cast<std::shared_ptr<SearchState>*>(parameter));
    SearchState& s = **holder;
    for (const std::string& root : s.Roots) {
        if (s.Cancelled) break;
        if (PathExists(root + s.Relative)) {
            s.Found = root + s.Relative;
            break;
        }
    }
    s.Done = true;
    if (HWND w = s.Window; !s.Cancelled && w) PostMessageW(w, kSearchDone, 0, 0);
    return 0;
}

LRESULT CALLBACK SearchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SearchState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_TIMER:
            if (wParam == kShowTimer) {
                KillTimer(hwnd, kShowTimer);
                ShowWindow(hwnd, SW_SHOW);
            }
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kCancelId || LOWORD(wParam) == IDCANCEL) {
                if (state) state->Cancelled = true;
                PostMessageW(hwnd, kSearchDone, 0, 0);
            }
            return 0;
        case WM_CLOSE:
            if (state) state->Cancelled = true;
            PostMessageW(hwnd, kSearchDone, 0, 0);
            return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

SearchResult SearchDrives(HWND owner, const std::wstring& caption, const std::string& relative,
                          const std::vector<std::string>& roots) {
    auto state = std::make_shared<SearchState>();
    state->Relative = relative;
    state->Roots = roots;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SearchProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kSearchClass;
    RegisterClassExW(&wc);  // fails harmlessly on the second search

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    const int width = 320, height = 130;
    RECT outer{0, 0, width, height};
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    const int x = (ownerRect.left + ownerRect.right - w) / 2, y = (ownerRect.top + ownerRect.bottom - h) / 2;
    HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kSearchClass, caption.c_str(), style, x, y, w, h, owner,
                                  nullptr, instance, state.get());
    if (!window) {
        DeleteObject(font);
        return {};
    }
    state->Window = window;
    const std::wstring text = L"Searching...\r\n\r\nLooking for " + Wide(relative) + L" on the other drives.";
    HWND label = CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 12, 12, width - 24,
                                 70, window, nullptr, instance, nullptr);
    HWND cancel = CreateWindowExW(0, L"BUTTON", L"Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  width - 92, height - 36, 80, 25, window, reinterpret_cast<HMENU>(kCancelId),
                                  instance, nullptr);
    SendMessageW(label, WM_SETFONT, WPARAM(font), FALSE);
    SendMessageW(cancel, WM_SETFONT, WPARAM(font), FALSE);
    SetTimer(window, kShowTimer, kShowDelayMs, nullptr);

    EnableWindow(owner, FALSE);
    auto* holder = new std::shared_ptr<SearchState>(state);
    HANDLE thread = CreateThread(nullptr, 0, SearchWorker, holder, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
    } else {
        delete holder;
        state->Done = true;
        PostMessageW(window, kSearchDone, 0, 0);
    }

    MSG msg;
    bool quit = false;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == window && msg.message == kSearchDone) break;
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (msg.message == WM_QUIT) quit = true;

    state->Window = nullptr;
    EnableWindow(owner, TRUE);
    DestroyWindow(window);
    DeleteObject(font);
    SetForegroundWindow(owner);
    if (quit) PostQuitMessage(int(msg.wParam));

    SearchResult result;
    if (state->Cancelled) {
        result.End = SearchEnd::Cancelled;
    } else if (state->Done && !state->Found.empty()) {
        result.End = SearchEnd::Found;
        result.Path = state->Found;
    }
    return result;
}

}  // namespace orvane::player
