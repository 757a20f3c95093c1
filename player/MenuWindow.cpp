#include "MenuWindow.h"

#include "CommandPlan.h"
#include "Placement.h"
#include "SelfTest.h"
#include "Shell.h"
#include "Sounds.h"
#include "resource.h"

#include "platform/Version.h"
#include "render/TextWrap.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>

namespace orvane::player {
namespace {

constexpr UINT_PTR kTitleTimer = 1;
constexpr UINT kTitleScrollMs = 250;
constexpr UINT kAboutCommand = 0x0010;  // below 0xF000 and a multiple of 16, as system commands must be
constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;

std::wstring VersionText() {
    const EditorVersion v = CompiledVersion();
    return Decimal(unsigned(v.Major)) + L"." + Decimal(unsigned(v.Minor)) + L"." + Decimal(unsigned(v.Release)) +
           L"." + Decimal(unsigned(v.Build));
}

// A colour value: red in the low byte, or a system colour by index.
COLORREF Colour(uint32_t value) {
    if ((value >> 24) == 0xFF) return GetSysColor(int(value & 0xFF));
    return COLORREF(value & 0xFFFFFF);
}

UINT MonitorDpi(HMONITOR monitor) {
    // Per-monitor DPI where Windows has it (8.1 on), the system DPI before.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    if (HMODULE shcore = LoadLibraryW(L"shcore.dll")) {
        auto get = reinterpret_cast<GetDpiForMonitorFn>(reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")));
        UINT x = 0, y = 0;
        const bool ok = get && get(monitor, 0, &x, &y) == S_OK && x > 0;
        FreeLibrary(shcore);
        if (ok) return x;
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? UINT(dpi) : 96;
}

ScreenRect WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    const RECT& r = info.rcWork;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool KeyOf(WPARAM vk, Key& key) {
    switch (vk) {
        case VK_UP: key = Key::Up; return true;
        case VK_DOWN: key = Key::Down; return true;
        case VK_LEFT: key = Key::Left; return true;
        case VK_RIGHT: key = Key::Right; return true;
        case VK_TAB: key = Key::Tab; return true;
        case VK_RETURN: key = Key::Enter; return true;
        case VK_SPACE: key = Key::Space; return true;
        case VK_ESCAPE: key = Key::Escape; return true;
    }
    return false;
}

}  // namespace

MenuWindow::MenuWindow(HINSTANCE instance, std::wstring executablePath, std::span<const uint8_t> executable,
                       const AutorunPackage& package, std::wstring className)
    : instance_(instance),
      executablePath_(std::move(executablePath)),
      executable_(executable),
      package_(package),
      className_(std::move(className)) {
    QueryPerformanceFrequency(&frequency_);
}

MenuWindow::~MenuWindow() {
    StopAnimationClock();
    if (buffer_) {
        SelectObject(buffer_, oldDib_);
        DeleteDC(buffer_);
    }
    if (dib_) DeleteObject(dib_);
    if (font_) DeleteObject(font_);
}

std::wstring MenuWindow::Caption() const {
    if (menu_ && !menu_->Stored.Props.Title.empty()) return Wide(menu_->Stored.Props.Title);
    const size_t slash = executablePath_.find_last_of(L'\\');
    return slash == std::wstring::npos ? executablePath_ : executablePath_.substr(slash + 1);
}

bool MenuWindow::Run(ShownMenu first) {
    const int iconSize = GetSystemMetrics(SM_CXICON), smallSize = GetSystemMetrics(SM_CXSMICON);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PLAYER), IMAGE_ICON, iconSize, iconSize, 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_PLAYER), IMAGE_ICON, smallSize, smallSize, 0));
    wc.lpszClassName = className_.c_str();
    if (!RegisterClassExW(&wc)) return false;

    hwnd_ = CreateWindowExW(kExStyle, className_.c_str(), L"", kStyle, 0, 0, 1, 1, nullptr, nullptr, instance_, this);
    if (!hwnd_) return false;
    if (HMENU system = GetSystemMenu(hwnd_, FALSE)) {
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, kAboutCommand, L"&About...");
    }
    Show(std::move(first), Sound::Start);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);

    // The message loop also drives the buttons' entrance: one step every
    // kAnimationPauseMs while input keeps flowing.
    for (;;) {
        DWORD wait = INFINITE;
        if (session_ && session_->Animating()) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            const LONGLONG left = nextStep_.QuadPart - now.QuadPart;
            wait = left <= 0 ? 0 : DWORD(left * 1000 / frequency_.QuadPart);
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_TIMEOUT && session_ && session_->Animating()) {
            Apply(session_->Step());
            nextStep_.QuadPart += frequency_.QuadPart * kAnimationPauseMs / 1000;
            if (!session_->Animating()) StopAnimationClock();
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return true;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

void MenuWindow::StartAnimation() {
    if (!session_->Animating()) return;
    if (!fastClock_) fastClock_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    QueryPerformanceCounter(&nextStep_);
    nextStep_.QuadPart += frequency_.QuadPart * kAnimationPauseMs / 1000;
}

void MenuWindow::StopAnimationClock() {
    if (fastClock_) timeEndPeriod(1);
    fastClock_ = false;
}

void MenuWindow::Show(ShownMenu menu, Sound opening) {
    // The session points into the menu: replace both, the old session first.
    session_.reset();
    menu_ = std::make_unique<ShownMenu>(std::move(menu));
    session_ = std::make_unique<Session>(*menu_, opening);
    title_ = Caption();
    titleShift_ = 0;
    SetWindowTextW(hwnd_, title_.c_str());
    KillTimer(hwnd_, kTitleTimer);
    if (menu_->Stored.Props.AnimateTitle && !title_.empty()) SetTimer(hwnd_, kTitleTimer, kTitleScrollMs, nullptr);
    Resize(nullptr);
    Apply(session_->Open());
    StartAnimation();
}

void MenuWindow::Resize(const RECT* suggested) {
    const int w = menu_->Width(), h = menu_->Height();
    HMONITOR monitor;
    if (suggested) {
        monitor = MonitorFromRect(suggested, MONITOR_DEFAULTTONEAREST);
    } else if (IsWindowVisible(hwnd_)) {
        monitor = MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST);
    } else {
        // The monitor the user is working on: where the pointer is.
        POINT pointer{};
        GetCursorPos(&pointer);
        monitor = MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
    }
    const ScreenRect work = WorkArea(monitor);
    scale_ = IntegerScale(int(MonitorDpi(monitor)), w, h, work);
    const ScreenRect place = suggested ? ScreenRect{suggested->left, suggested->top, w * scale_, h * scale_}
                                       : PlaceWindow(menu_->Stored.Position, work, w * scale_, h * scale_);
    SetWindowPos(hwnd_, nullptr, place.Left, place.Top, place.Width, place.Height, SWP_NOZORDER | SWP_NOACTIVATE);

    // The back buffer: a top-down 32-bit picture the text is drawn onto.
    if (bufferWidth_ != place.Width || bufferHeight_ != place.Height || !buffer_) {
        if (buffer_) {
            SelectObject(buffer_, oldDib_);
            DeleteDC(buffer_);
            DeleteObject(dib_);
        }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = place.Width;
        info.bmiHeader.biHeight = -place.Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        buffer_ = CreateCompatibleDC(nullptr);
        dib_ = CreateDIBSection(buffer_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!dib_) throw std::bad_alloc();
        bits_ = static_cast<uint32_t*>(bits);
        oldDib_ = SelectObject(buffer_, dib_);
        bufferWidth_ = place.Width;
        bufferHeight_ = place.Height;
    }

    if (font_) DeleteObject(font_);
    const FontSpec& f = menu_->Stored.Props.TextFont;
    // Points at 96 DPI times the scale, as the editor measures them, so the
    // text fills its box alike at any scale. A font this computer lacks is
    // replaced by the system's font mapper.
    font_ = CreateFontW(-MulDiv(f.Size, 96 * scale_, 72), 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, f.Italic,
                        f.Underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                        DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(f.Name).c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
}

POINT MenuWindow::MenuPoint(LPARAM lParam) const {
    return {GET_X_LPARAM(lParam) / scale_, GET_Y_LPARAM(lParam) / scale_};
}

void MenuWindow::Redraw() {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void MenuWindow::Apply(const Effects& e) {
    if (e.Play != Sound::None) PlayAsync(e.Play);
    if (e.Redraw) Redraw();
    if (e.Minimise) ShowWindow(hwnd_, SW_MINIMIZE);
    if (e.Close) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    if (e.Click >= 0) RunButton(e.Click);
}

void MenuWindow::ShowError(const std::wstring& text) { MessageBoxW(hwnd_, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR); }

void MenuWindow::RunButton(int index) {
    // The menu may be replaced below: work from a copy of the button.
    const StoredButton button = menu_->Button(index);
    const std::string executable = Utf8(executablePath_);
    const CommandPlan plan = PlanCommand(button, {executable, PathExists}, package_);
    bool ran = true;
    CommandPlan target = plan;
    if (plan.What == Action::Search) {
        const SearchResult found =
            SearchDrives(hwnd_, title_, plan.Relative, SearchRoots(LocalDrives(), executable));
        if (found.End == SearchEnd::Cancelled) return;
        if (found.End == SearchEnd::NotFound) {
            ShowError(L"The file could not be found on this disc or on any other drive.\r\n\r\n" + Wide(plan.Target));
            return;
        }
        target = PlanFound(button, found.Path, executable);
    }
    switch (target.What) {
        case Action::Nothing:
        case Action::NoActionSound:
            break;
        case Action::Message:
            MessageBoxW(hwnd_, Wide(target.Text).c_str(), title_.c_str(), MB_OK | MB_ICONINFORMATION);
            break;
        case Action::OpenAddress:
        case Action::OpenPath:
        case Action::OpenFolder:
            if (const auto error = OpenWithShell(hwnd_, target)) {
                ShowError(*error + L"\r\n\r\n" + Wide(target.Target));
                ran = false;
            }
            break;
        case Action::PackedMenu:
            if (const PackagedFile* file = package_.Find(target.Target))
                OpenSubMenu(ReadPackagedMenu(executable_, *file), file->Name);
            // A sub-menu replaces this menu; its button's menu actions do not apply.
            return;
        case Action::MenuFile: {
            const std::string name = target.Target.substr(target.Target.find_last_of('\\') + 1);
            HANDLE file = CreateFileW(Wide(target.Target).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
            if (file == INVALID_HANDLE_VALUE) {
                ShowError(SystemErrorText(GetLastError()) + L"\r\n\r\n" + Wide(target.Target));
                return;
            }
            std::vector<uint8_t> bytes;
            LARGE_INTEGER size{};
            bool read = GetFileSizeEx(file, &size) && size.QuadPart < (LONGLONG(1) << 31);
            if (read) {
                bytes.resize(size_t(size.QuadPart));
                DWORD got = 0;
                read = ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) && got == bytes.size();
            }
            const DWORD error = GetLastError();
            CloseHandle(file);
            if (!read) {
                ShowError(SystemErrorText(error) + L"\r\n\r\n" + Wide(target.Target));
                return;
            }
            OpenSubMenu(ReadShownMenu(bytes, name), name);
            return;
        }
        case Action::MissingMenu:
            ShowError(L"The menu \"" + Wide(target.Target) + L"\" could not be found.");
            return;
        case Action::Search:
            return;
    }
    if (!ran) return;
    if (button.ExitOnClick != 0)
        PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    else if (button.MinimizeOnClick != 0)
        ShowWindow(hwnd_, SW_MINIMIZE);
}

void MenuWindow::OpenSubMenu(MenuLoad load, const std::string& name) {
    if (!load.Menu) {
        ShowError(Wide(DamagedMenuMessage(name, load.Error)));
        return;
    }
    Show(std::move(*load.Menu), Sound::Change);
}

void MenuWindow::ScrollTitle() {
    if (title_.empty()) return;
    // The caption runs round: the title, a gap, the title again.
    const std::wstring loop = title_ + L"     ";
    titleShift_ = (titleShift_ + 1) % loop.size();
    const std::wstring shown = loop.substr(titleShift_) + loop.substr(0, titleShift_);
    SetWindowTextW(hwnd_, shown.c_str());
}

void MenuWindow::ShowAbout() {
    const std::wstring text = L"Orvane Graphic Menu Player\r\nVersion " + VersionText() +
                              L"\r\n\r\nShows the menus of this disc and runs their buttons.";
    const std::wstring caption = L"About " + title_;
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = hwnd_;
    box.hInstance = instance_;
    box.lpszText = text.c_str();
    box.lpszCaption = caption.c_str();
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(IDI_PLAYER);
    MessageBoxIndirectW(&box);
}

void MenuWindow::Paint(HDC target) {
    const Bitmap frame = session_->Compose();
    if (scale_ == 1) {
        for (int y = 0; y < frame.Height() && y < bufferHeight_; ++y)
            std::copy_n(frame.Row(y), std::min(frame.Width(), bufferWidth_), bits_ + size_t(y) * size_t(bufferWidth_));
    } else {
        // Pictures grow by whole pixels; the text is drawn at its own size.
        for (int y = 0; y < bufferHeight_; ++y) {
            const uint32_t* in = frame.Row(std::min(y / scale_, frame.Height() - 1));
            uint32_t* out = bits_ + size_t(y) * size_t(bufferWidth_);
            for (int x = 0; x < bufferWidth_; ++x) out[x] = in[std::min(x / scale_, frame.Width() - 1)];
        }
    }
    GdiFlush();
    DrawMenuText(buffer_);
    BitBlt(target, 0, 0, bufferWidth_, bufferHeight_, buffer_, 0, 0, SRCCOPY);
}

void MenuWindow::DrawMenuText(HDC dc) {
    const MenuProperties& p = menu_->Stored.Props;
    const int s = scale_;
    const int left = p.TextRect[0] * s, top = p.TextRect[1] * s, width = p.TextRect[2] * s,
              height = p.TextRect[3] * s;
    if (width <= 0 || height <= 0) return;
    HGDIOBJ oldFont = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int lineHeight = std::max(1, int(metrics.tmHeight));
    auto widthOf = [&](std::string_view line) {
        const std::wstring wide = Wide(line);
        SIZE size{};
        GetTextExtentPoint32W(dc, wide.c_str(), int(wide.size()), &size);
        return int(size.cx);
    };
    // The editor's wrapping, measured with this computer's font.
    const std::vector<std::string> lines = WrapText(session_->Text(), width, widthOf);
    auto draw = [&](int offset, COLORREF colour) {
        SaveDC(dc);
        IntersectClipRect(dc, left + offset, top + offset, left + offset + width, top + offset + height);
        SetTextColor(dc, colour);
        int y = top + offset;
        for (const std::string& line : lines) {
            if (y >= top + offset + height) break;
            const std::wstring wide = Wide(line);
            const int w = widthOf(line);
            int x = left + offset;
            if (p.TextFont.Alignment == int(Alignment::Centre)) x += (width - w) / 2;
            if (p.TextFont.Alignment == int(Alignment::Right)) x += width - w;
            TextOutW(dc, x, y, wide.c_str(), int(wide.size()));
            y += lineHeight;
        }
        RestoreDC(dc, -1);
    };
    if (menu_->Stored.TextShadowDepth > 0) draw(menu_->Stored.TextShadowDepth * s, Colour(p.TextShadowColor));
    draw(0, Colour(p.TextFont.Color));
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK MenuWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MenuWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MenuWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->session_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT MenuWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the picture covers the whole window
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd_, &ps);
            Paint(dc);
            EndPaint(hwnd_, &ps);
            return 0;
        }
        case WM_MOUSEMOVE: {
            if (!trackingLeave_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd_, 0};
                trackingLeave_ = TrackMouseEvent(&track) != FALSE;
            }
            const POINT p = MenuPoint(lParam);
            Apply(session_->PointerMove(p.x, p.y));
            return 0;
        }
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            if (GetCapture() != hwnd_) Apply(session_->PointerLeave());
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const POINT p = MenuPoint(lParam);
            if (session_->Animating()) {
                Apply(session_->FinishAnimation());
                StopAnimationClock();
                return 0;
            }
            if (session_->Drags(p.x, p.y)) {
                // Anywhere but a button or a window control moves the window.
                ReleaseCapture();
                SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
                return 0;
            }
            SetCapture(hwnd_);
            Apply(session_->PointerDown(p.x, p.y));
            return 0;
        }
        case WM_LBUTTONUP: {
            const POINT p = MenuPoint(lParam);
            const Effects e = session_->PointerUp(p.x, p.y);
            if (GetCapture() == hwnd_) ReleaseCapture();
            Apply(e);
            return 0;
        }
        case WM_CAPTURECHANGED:
            // Capture taken away mid-press: the press comes to nothing.
            Apply(session_->PointerUp(-1, -1));
            return 0;
        case WM_CONTEXTMENU: {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (screen.x == -1 && screen.y == -1) {
                RECT r;
                GetWindowRect(hwnd_, &r);
                screen = {r.left, r.top};
            }
            const int command = TrackPopupMenu(GetSystemMenu(hwnd_, FALSE), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                               screen.x, screen.y, 0, hwnd_, nullptr);
            if (command) PostMessageW(hwnd_, WM_SYSCOMMAND, WPARAM(command), 0);
            return 0;
        }
        case WM_KEYDOWN: {
            Key key;
            if (!KeyOf(wParam, key)) break;
            const bool shift = GetKeyState(VK_SHIFT) < 0;
            const bool wasAnimating = session_->Animating();
            Apply(session_->KeyDown(key, shift));
            if (wasAnimating && !session_->Animating()) StopAnimationClock();
            return 0;
        }
        case WM_KEYUP:
            if (wParam == VK_SPACE) {
                Apply(session_->KeyUp(Key::Space));
                return 0;
            }
            break;
        case WM_CHAR:
        case WM_SYSCHAR: {
            const wchar_t c = wchar_t(wParam);
            if (c > L' ' && (c < 0xD800 || c > 0xDFFF)) {
                const Effects e = session_->Character(Utf8(std::wstring_view(&c, 1)));
                if (e.Click >= 0) {
                    Apply(e);
                    return 0;
                }
            }
            if (message == WM_CHAR) return 0;
            break;  // Alt+Space and the like reach the system menu
        }
        case WM_TIMER:
            if (wParam == kTitleTimer) ScrollTitle();
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == kAboutCommand) {
                ShowAbout();
                return 0;
            }
            break;
        case WM_DPICHANGED:
            Resize(reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:
            if (closing_) return 0;
            closing_ = true;
            KillTimer(hwnd_, kTitleTimer);
            ShowWindow(hwnd_, SW_HIDE);
            if (!menu_->Stored.Props.DisableSounds) PlayToEnd(Sound::Exit);
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace orvane::player
