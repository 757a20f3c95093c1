#include "player/Shell.h"

#include "player/resource.h"

#include "platform/win32/RectWin32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
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
    // The shell's own error boxes stay off: the player says what failed,
    // with the path, in one box.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.hwnd = owner;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = plan.Maximize ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    const UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetLastError(ERROR_SUCCESS);
    const BOOL ok = ShellExecuteExW(&info);
    const DWORD lastError = GetLastError();
    SetErrorMode(old);
    if (ok) return std::nullopt;
    const uint32_t error = OpenFailure(plan.What, reinterpret_cast<intptr_t>(info.hInstApp), lastError);
    if (error == kErrorNoAssociation && plan.What == CommandAction::OpenPath) {
        // No program opens this kind of document: Windows asks which should.
        OPENASINFO choose{};
        choose.pcszFile = file.c_str();
        choose.oaifInFlags = OAIF_ALLOW_REGISTRATION | OAIF_EXEC;
        const HRESULT chosen = SHOpenWithDialog(owner, &choose);
        if (SUCCEEDED(chosen) || chosen == HRESULT_FROM_WIN32(ERROR_CANCELLED)) return std::nullopt;
    }
    return SystemErrorText(error, plan.What == CommandAction::OpenFolder ? L"this folder" : L"this file");
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

constexpr UINT kSearchDone = WM_APP + 1;
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

// The height text needs in a control's font at the control's width.
int TextHeightIn(HWND control, int width) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(size_t(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), length, &needed, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return needed.bottom;
}

// Grows the text below the heading (and the window) to the lines a long
// path needs, in the dialog's own font at its DPI; then centres the window
// on its owner, inside the owner's work area.
void FitSearchWindow(HWND dialog, HWND owner) {
    HWND text = GetDlgItem(dialog, IDC_SEARCH_TEXT);
    RECT box{};
    GetWindowRect(text, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    const int grow = std::max(0L, TextHeightIn(text, box.right - box.left) - (box.bottom - box.top));
    RECT frame{};
    GetWindowRect(dialog, &frame);
    if (grow > 0) {
        SetWindowPos(text, nullptr, 0, 0, box.right - box.left, box.bottom - box.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        RECT button{};
        GetWindowRect(cancel, &button);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&button), 2);
        SetWindowPos(cancel, nullptr, button.left, button.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        frame.bottom += grow;
    }
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT around{};
    GetWindowRect(owner, &around);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = std::clamp<int>((around.left + around.right - w) / 2, work.left, std::max(work.left, work.right - w));
    const int y = std::clamp<int>((around.top + around.bottom - h) / 2, work.top, std::max(work.top, work.bottom - h));
    SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK SearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<SearchState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            return TRUE;
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_APPSTARTING)));
            SetWindowLongPtrW(dialog, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_TIMER:
            if (wParam == kShowTimer) {
                KillTimer(dialog, kShowTimer);
                ShowWindow(dialog, SW_SHOW);
            }
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                if (state) state->Cancelled = true;
                PostMessageW(dialog, kSearchDone, 0, 0);
            }
            return TRUE;
        case WM_CLOSE:
            if (state) state->Cancelled = true;
            PostMessageW(dialog, kSearchDone, 0, 0);
            return TRUE;
    }
    return FALSE;
}


// The window, hidden, with its text, fitted to it.
HWND CreateSearchWindow(HWND owner, const std::wstring& caption, const std::string& relative, SearchState* state) {
    HWND window = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SEARCH), owner, SearchProc,
                                     reinterpret_cast<LPARAM>(state));
    if (!window) return nullptr;
    SetWindowTextW(window, caption.c_str());
    SetDlgItemTextW(window, IDC_SEARCH_TEXT, (L"Looking for " + Wide(relative) + L" on the other drives.").c_str());
    FitSearchWindow(window, owner);
    return window;
}

}  // namespace

WindowLayout SearchWindowLayout(const std::string& relative) {
    WindowLayout layout;
    HWND window = CreateSearchWindow(nullptr, L"Menu", relative, nullptr);
    if (!window) return layout;
    RECT frame{};
    GetWindowRect(window, &frame);
    layout.Width = frame.right - frame.left;
    layout.Height = frame.bottom - frame.top;
    const struct {
        const char* Name;
        int Id;
        bool Text;
    } controls[] = {{"heading", IDC_SEARCH_HEADING, true}, {"text", IDC_SEARCH_TEXT, true}, {"cancel", IDCANCEL, false}};
    for (const auto& c : controls) {
        HWND control = GetDlgItem(window, c.Id);
        RECT box{};
        GetWindowRect(control, &box);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&box), 2);
        layout.Controls.push_back({c.Name, FromRECT(box), c.Text ? TextHeightIn(control, box.right - box.left) : 0});
    }
    DestroyWindow(window);
    return layout;
}

SearchResult SearchDrives(HWND owner, const std::wstring& caption, const std::string& relative,
                          const std::vector<std::string>& roots) {
    auto state = std::make_shared<SearchState>();
    state->Relative = relative;
    state->Roots = roots;

    HWND window = CreateSearchWindow(owner, caption, relative, state.get());
    if (!window) return {};
    state->Window = window;
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
