// The menu player: shows the default menu packaged at the end of its own file.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "MenuReader.h"
#include "PackageReader.h"
#include "Placement.h"

#include <exception>
#include <string>
#include <vector>

namespace {

using orvane::player::PlayerMenu;

const wchar_t kWindowClass[] = L"OrvaneMenuPlayer";
const wchar_t kCaption[] = L"Menu";

// A failure the user is told about: a short sentence and, for the curious,
// what exactly was wrong.
struct Failure {
    std::wstring Message;
    std::string Detail;
};

std::wstring FromCodePage(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), wide.data(), n);
    return wide;
}

// Read-only view of the whole executable, mapped rather than copied.
class MappedFile {
public:
    explicit MappedFile(const std::wstring& path) {
        file_ = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file_ == INVALID_HANDLE_VALUE) return;
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(file_, &size) || size.QuadPart <= 0) return;
        mapping_ = CreateFileMappingW(file_, nullptr, PAGE_READONLY, 0, 0, nullptr);
        if (!mapping_) return;
        view_ = MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0);
        if (view_) size_ = size_t(size.QuadPart);
    }
    ~MappedFile() {
        if (view_) UnmapViewOfFile(view_);
        if (mapping_) CloseHandle(mapping_);
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool IsOpen() const { return view_ != nullptr; }
    std::span<const uint8_t> Bytes() const { return {static_cast<const uint8_t*>(view_), size_}; }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    void* view_ = nullptr;
    size_t size_ = 0;
};

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

PlayerMenu LoadDefaultMenu() {
    const std::wstring path = OwnPath();
    MappedFile self(path);
    if (!self.IsOpen()) throw Failure{L"The menu program could not read its own file.", {}};

    std::vector<orvane::player::PackagedFile> files;
    try {
        files = orvane::player::ReadPackage(self.Bytes());
    } catch (const std::exception& e) {
        throw Failure{L"This program carries no menus, or its menus are damaged.", e.what()};
    }
    try {
        return orvane::player::ReadMenu(orvane::player::FileBytes(self.Bytes(), files.front()));
    } catch (const std::exception& e) {
        throw Failure{L"Menu file could not be read.", files.front().Name + ": " + e.what()};
    }
}

struct Window {
    PlayerMenu Menu;
    BITMAPINFO Info{};
};

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;  // the picture covers the whole client area
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        if (self)
            SetDIBitsToDevice(dc, 0, 0, DWORD(self->Menu.Width), DWORD(self->Menu.Height), 0, 0, 0,
                              UINT(self->Menu.Height), self->Menu.Pixels.data(), &self->Info, DIB_RGB_COLORS);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

orvane::player::ScreenRect PrimaryWorkArea() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

int Run(HINSTANCE instance, int show) {
    Window window;
    window.Menu = LoadDefaultMenu();
    BITMAPINFOHEADER& h = window.Info.bmiHeader;
    h.biSize = sizeof(h);
    h.biWidth = window.Menu.Width;
    h.biHeight = -window.Menu.Height;  // rows top first
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&wc)) throw Failure{L"The menu window could not be created.", {}};

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, window.Menu.Width, window.Menu.Height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const auto place = orvane::player::PlaceWindow(window.Menu.Position, PrimaryWorkArea(), outer.right - outer.left,
                                                   outer.bottom - outer.top);
    const std::wstring title = FromCodePage(window.Menu.Title, 1252);
    HWND hwnd = CreateWindowExW(0, kWindowClass, title.c_str(), style, place.Left, place.Top, place.Width,
                                place.Height, nullptr, nullptr, instance, &window);
    if (!hwnd) throw Failure{L"The menu window could not be created.", {}};
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return int(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    try {
        return Run(instance, show);
    } catch (const Failure& f) {
        std::wstring text = f.Message;
        if (!f.Detail.empty()) text += L"\r\n\r\n(" + FromCodePage(f.Detail, 1252) + L")";
        MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
    } catch (const std::bad_alloc&) {
        MessageBoxW(nullptr, L"There is not enough memory to show the menu.", kCaption, MB_OK | MB_ICONERROR);
    } catch (const std::exception&) {
        MessageBoxW(nullptr, L"The menu could not be shown.", kCaption, MB_OK | MB_ICONERROR);
    }
    return 1;
}
