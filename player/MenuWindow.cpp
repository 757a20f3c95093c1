#include "player/MenuWindow.h"

#include "player/Accessible.h"
#include "player/Launch.h"
#include "player/SelfTest.h"
#include "player/Shell.h"
#include "player/Sounds.h"
#include "player/resource.h"

#include "platform/Version.h"
#include "platform/win32/RectWin32.h"
#include "render/TextWrap.h"

#include <mmsystem.h>
#include <windowsx.h>

#include <algorithm>

namespace orvane::player {
namespace {

constexpr UINT_PTR kTitleTimer = 1;
constexpr UINT kTitleScrollMs = 250;
constexpr UINT kAboutCommand = 0x0010;  // below 0xF000 and a multiple of 16, as system commands must be
constexpr UINT kPressMessage = WM_APP + 1;  // wParam: a button a screen reader pressed
constexpr DWORD kStyle = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
constexpr int kScrollLine = 40;  // menu pixels a scroll bar arrow or a wheel line moves

std::wstring VersionText() {
    const EditorVersion v = CompiledVersion();
    return Decimal(unsigned(v.Major)) + L"." + Decimal(unsigned(v.Minor)) + L"." + Decimal(unsigned(v.Release)) +
           L"." + Decimal(unsigned(v.Build));
}

// A colour value: red in the low byte, or a system colour by index.
COLORREF Colour(uint32_t value) {
    if (IsSystemColor(value)) return GetSysColor(SystemColorIndex(value));
    return COLORREF(ColorRgb(value));
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

// A system size at a DPI (Windows 10 1607 on), else at the system's DPI.
int MetricAt(int index, UINT dpi) {
    using GetMetricForDpiFn = int(WINAPI*)(int, UINT);
    const auto get = reinterpret_cast<GetMetricForDpiFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
    return get ? get(index, dpi) : GetSystemMetrics(index);
}

Rect WorkArea(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return FromRECT(info.rcWork);
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

// Bit 30 of a key message: the key was already down (it repeats).
bool Repeated(LPARAM lParam) { return (lParam & (LPARAM(1) << 30)) != 0; }

// Runs on every way out of a command: the next press may run one.
class Running {
public:
    explicit Running(bool& flag) : flag_(flag) { flag_ = true; }
    ~Running() { flag_ = false; }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

private:
    bool& flag_;
};

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
    if (accessible_) {
        accessible_->Detach();
        accessible_->Release();
    }
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
    // Double-clicks are asked for so that the second press of one is known
    // for what it is: part of a single click.
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

    // The message loop also drives the buttons' entrance: the frame the
    // clock says is due, whenever no input is waiting.
    for (;;) {
        DWORD wait = INFINITE;
        if (session_ && session_->Animating()) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            const LONGLONG due = animationStart_.QuadPart +
                                 frequency_.QuadPart * LONGLONG(session_->FrameShown() + 1) * kAnimationPauseMs / 1000;
            wait = now.QuadPart >= due ? 0 : DWORD((due - now.QuadPart) * 1000 / frequency_.QuadPart);
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_TIMEOUT && session_ && session_->Animating()) {
            NextFrame();
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

void MenuWindow::NextFrame() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    const int64_t elapsed = (now.QuadPart - animationStart_.QuadPart) * 1000000 / frequency_.QuadPart;
    const size_t frame = FrameDue(elapsed, session_->Frames());
    Apply(session_->ShowFrame(std::max(frame, session_->FrameShown() + 1)));
    if (!session_->Animating()) StopAnimationClock();
}

void MenuWindow::StartAnimation() {
    if (!session_->Animating()) return;
    if (!fastClock_) fastClock_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    QueryPerformanceCounter(&animationStart_);
}

void MenuWindow::StopAnimationClock() {
    if (fastClock_) timeEndPeriod(1);
    fastClock_ = false;
}

void MenuWindow::Show(ShownMenu menu, Sound opening) {
    // The session and the canvas point into the menu: replace all three, the
    // old ones first.
    session_.reset();
    canvas_.reset();
    menu_ = std::make_unique<ShownMenu>(std::move(menu));
    session_ = std::make_unique<Session>(*menu_, opening);
    title_ = Caption();
    titleShift_ = 0;
    toldFocus_ = -1;
    wrapped_ = false;
    SetWindowTextW(hwnd_, title_.c_str());
    KillTimer(hwnd_, kTitleTimer);
    if (menu_->Stored.Props.AnimateTitle && !title_.empty()) SetTimer(hwnd_, kTitleTimer, kTitleScrollMs, nullptr);
    scrollX_ = scrollY_ = 0;
    Resize(nullptr);
    Apply(session_->Open());
    StartAnimation();
    NotifyWinEvent(EVENT_OBJECT_REORDER, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, hwnd_, OBJID_WINDOW, CHILDID_SELF);
}

void MenuWindow::MakeBuffer(int width, int height) {
    if (buffer_ && bufferWidth_ == width && bufferHeight_ == height) return;
    if (buffer_) {
        SelectObject(buffer_, oldDib_);
        DeleteDC(buffer_);
        DeleteObject(dib_);
        buffer_ = nullptr;
    }
    // A top-down 32-bit picture: the canvas writes its pixels, GDI the text.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    buffer_ = CreateCompatibleDC(nullptr);
    dib_ = CreateDIBSection(buffer_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib_) throw std::bad_alloc();
    bits_ = static_cast<uint32_t*>(bits);
    oldDib_ = SelectObject(buffer_, dib_);
    bufferWidth_ = width;
    bufferHeight_ = height;
}

void MenuWindow::Resize(const RECT* suggested) {
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
    dpi_ = int(MonitorDpi(monitor));
    const Rect work = WorkArea(monitor);
    view_ = ViewMenu(dpi_, menu_->Width(), menu_->Height(), work, MetricAt(SM_CXVSCROLL, UINT(dpi_)),
                     MetricAt(SM_CYHSCROLL, UINT(dpi_)));
    if (!canvas_ || !(canvas_->Scale() == view_.Scale)) {
        canvas_.reset();
        canvas_ = std::make_unique<MenuCanvas>(*menu_, view_.Scale);
    }
    MakeBuffer(canvas_->Width(), canvas_->Height());

    ShowScrollBar(hwnd_, SB_HORZ, view_.HorizontalBar);
    ShowScrollBar(hwnd_, SB_VERT, view_.VerticalBar);
    const Rect place = suggested ? Rect::FromSize(suggested->left, suggested->top, view_.WindowWidth, view_.WindowHeight)
                                 : PlaceWindow(menu_->Stored.Position, work, view_.WindowWidth, view_.WindowHeight);
    SetWindowPos(hwnd_, nullptr, place.Left, place.Top, place.Width(), place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(hwnd_, &client);
    clientWidth_ = client.right;
    clientHeight_ = client.bottom;
    UpdateScrollBars();

    if (font_) DeleteObject(font_);
    const FontSpec& f = menu_->Stored.Props.TextFont;
    // Points at 96 DPI times the menu's scale, as the editor measures them,
    // so the text fills its box alike at any scale. A font this computer
    // lacks is replaced by the system's font mapper.
    font_ = CreateFontW(-MulDiv(f.Size * 96, view_.Scale.Num, 72 * view_.Scale.Den), 0, 0, 0,
                        f.Bold ? FW_BOLD : FW_NORMAL, f.Italic, f.Underline, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        Wide(f.Name).c_str());
    wrapped_ = false;
    canvas_->Invalidate();
    Redraw();
}

void MenuWindow::UpdateScrollBars() {
    scrollX_ = ClampScroll(scrollX_, bufferWidth_, clientWidth_);
    scrollY_ = ClampScroll(scrollY_, bufferHeight_, clientHeight_);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (view_.HorizontalBar) {
        info.nMax = bufferWidth_ - 1;
        info.nPage = UINT(clientWidth_);
        info.nPos = scrollX_;
        SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
    }
    if (view_.VerticalBar) {
        info.nMax = bufferHeight_ - 1;
        info.nPage = UINT(clientHeight_);
        info.nPos = scrollY_;
        SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
    }
}

void MenuWindow::ScrollTo(int x, int y) {
    x = ClampScroll(x, bufferWidth_, clientWidth_);
    y = ClampScroll(y, bufferHeight_, clientHeight_);
    if (x == scrollX_ && y == scrollY_) return;
    ScrollWindowEx(hwnd_, scrollX_ - x, scrollY_ - y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    scrollX_ = x;
    scrollY_ = y;
    UpdateScrollBars();
    UpdateWindow(hwnd_);
    // The menu moved under the pointer.
    POINT pointer;
    if (GetCursorPos(&pointer) && ScreenToClient(hwnd_, &pointer) && pointer.x >= 0 && pointer.y >= 0 &&
        pointer.x < clientWidth_ && pointer.y < clientHeight_)
        Apply(session_->PointerMove(view_.Scale.Back(pointer.x + scrollX_), view_.Scale.Back(pointer.y + scrollY_)));
}

void MenuWindow::ScrollBy(int bar, int request, int amount) {
    const bool across = bar == SB_HORZ;
    const int page = across ? clientWidth_ : clientHeight_;
    const int line = view_.Scale.Of(kScrollLine);
    int to = across ? scrollX_ : scrollY_;
    switch (request) {
        case SB_LINEUP: to -= line; break;
        case SB_LINEDOWN: to += line; break;
        case SB_PAGEUP: to -= page; break;
        case SB_PAGEDOWN: to += page; break;
        case SB_TOP: to = 0; break;
        case SB_BOTTOM: to = across ? bufferWidth_ : bufferHeight_; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof info;
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd_, bar, &info);
            to = info.nTrackPos;
            break;
        }
        case -1: to += amount; break;  // the wheel
        default: return;
    }
    if (across)
        ScrollTo(to, scrollY_);
    else
        ScrollTo(scrollX_, to);
}

void MenuWindow::ShowFocused() {
    const int focus = session_->Focus();
    if (!view_.Scrolls() || focus < 0 || !session_->FocusShown()) return;
    const Rect r = canvas_->ButtonRect(*session_, focus);
    ScrollTo(ScrollToShow(scrollX_, clientWidth_, r.Left, r.Right), ScrollToShow(scrollY_, clientHeight_, r.Top, r.Bottom));
}

void MenuWindow::TellFocus() {
    const int focus = session_->Focus();
    if (focus == toldFocus_ || GetFocus() != hwnd_) return;
    toldFocus_ = focus;
    NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd_, OBJID_CLIENT, focus >= 0 ? focus + 1 : CHILDID_SELF);
}

POINT MenuWindow::MenuPoint(LPARAM lParam) const {
    return {view_.Scale.Back(GET_X_LPARAM(lParam) + scrollX_), view_.Scale.Back(GET_Y_LPARAM(lParam) + scrollY_)};
}

RECT MenuWindow::ButtonOnScreen(int i) const {
    if (!canvas_ || !session_ || i < 0 || i >= menu_->ButtonCount()) return {};
    const Rect b = canvas_->ButtonRect(*session_, i);
    RECT r{b.Left - scrollX_, b.Top - scrollY_, b.Right - scrollX_, b.Bottom - scrollY_};
    const RECT client{0, 0, clientWidth_, clientHeight_};
    IntersectRect(&r, &r, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool MenuWindow::ButtonVisible(int i) const {
    const RECT r = ButtonOnScreen(i);
    return r.right > r.left && r.bottom > r.top;
}

int MenuWindow::ButtonAt(POINT screen) const {
    if (!session_) return -1;
    ScreenToClient(hwnd_, &screen);
    const Hit hit = session_->HitTest(view_.Scale.Back(screen.x + scrollX_), view_.Scale.Back(screen.y + scrollY_));
    return hit.What == Part::Button ? hit.Button : -1;
}

void MenuWindow::PressLater(int i) { PostMessageW(hwnd_, kPressMessage, WPARAM(i), 0); }

void MenuWindow::FocusButton(int i) {
    if (session_) Apply(session_->FocusButton(i));
}

void MenuWindow::Redraw() {
    if (!canvas_ || !bits_) return;
    GdiFlush();  // GDI's text must be in the pixels before the canvas writes them
    const std::vector<Rect> changed = canvas_->Update(*session_, {bits_, bufferWidth_, bufferHeight_});
    const Rect text = canvas_->TextRect();
    for (const Rect& r : changed) {
        const RECT area = ToRECT(r);
        if (r.Left < text.Right && text.Left < r.Right && r.Top < text.Bottom && text.Top < r.Bottom)
            DrawMenuText(buffer_, area);
        RECT onScreen = area;
        OffsetRect(&onScreen, -scrollX_, -scrollY_);
        InvalidateRect(hwnd_, &onScreen, FALSE);
    }
    UpdateWindow(hwnd_);
}

void MenuWindow::Apply(const Effects& e) {
    if (e.Play != Sound::None) PlayAsync(e.Play);
    if (e.Redraw) {
        Redraw();
        ShowFocused();
        TellFocus();
    }
    if (e.Minimise) ShowWindow(hwnd_, SW_MINIMIZE);
    if (e.Close) PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    if (e.Click >= 0) RunButton(e.Click);
}

void MenuWindow::ShowError(const std::wstring& text) { MessageBoxW(hwnd_, text.c_str(), title_.c_str(), MB_OK | MB_ICONERROR); }

void MenuWindow::RunButton(int index) {
    // One press, one command: a press that arrives while a command runs (the
    // shell lets messages through while it starts a program) is dropped.
    if (running_) return;
    const Running running(running_);
    // The menu may be replaced below: work from a copy of the button.
    const StoredButton button = menu_->Button(index);
    const std::string executable = Utf8(executablePath_);
    const CommandPlan plan = PlanCommand(button, {executable, PathExists}, package_);
    if (plan.What != CommandAction::Search) return RunPlan(button, plan);
    const SearchResult found = SearchDrives(hwnd_, title_, plan.Relative, SearchRoots(LocalDrives(), executable));
    if (found.End == SearchEnd::Cancelled) return;
    if (found.End == SearchEnd::NotFound) {
        ShowError(Wide(NotFoundAnywhere(plan)) + L"\r\n\r\n" + Wide(plan.Target));
        return;
    }
    RunPlan(button, PlanFound(button, found.Path, executable));
}

void MenuWindow::RunPlan(const StoredButton& button, const CommandPlan& target) {
    switch (target.What) {
        case CommandAction::Nothing:
        case CommandAction::NoActionSound:
            break;
        case CommandAction::Message:
            MessageBoxW(hwnd_, Wide(target.Text).c_str(), title_.c_str(), MB_OK | MB_ICONINFORMATION);
            break;
        case CommandAction::OpenAddress:
        case CommandAction::OpenPath:
        case CommandAction::OpenFolder:
            if (const auto error = OpenWithShell(hwnd_, target)) {
                ShowError(*error + L"\r\n\r\n" + Wide(target.Target));
                return;
            }
            break;
        case CommandAction::PackedMenu:
            if (const PackagedFile* file = package_.Find(target.Target))
                OpenSubMenu(ReadPackagedMenu(executable_, *file), file->Name);
            // A sub-menu replaces this menu; its button's menu actions do not apply.
            return;
        case CommandAction::MenuFile: {
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
        case CommandAction::MissingMenu:
            ShowError(L"The menu \"" + Wide(target.Target) + L"\" could not be found.");
            return;
        case CommandAction::Search:
            return;
    }
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

void MenuWindow::DrawMenuText(HDC dc, const RECT& clip) {
    const MenuProperties& p = menu_->Stored.Props;
    const Zoom& z = view_.Scale;
    const int left = z.Of(p.TextRect[0]), top = z.Of(p.TextRect[1]);
    const int width = z.Of(p.TextRect[0] + p.TextRect[2]) - left, height = z.Of(p.TextRect[1] + p.TextRect[3]) - top;
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
    // The editor's wrapping, measured with this computer's font; kept until
    // the text changes, since a moving button redraws it often.
    if (!wrapped_ || wrappedText_ != session_->Text()) {
        wrappedText_ = session_->Text();
        lines_.clear();
        for (const std::string& line : WrapText(wrappedText_, width, widthOf)) lines_.push_back(Wide(line));
        wrapped_ = true;
    }
    auto draw = [&](int offset, COLORREF colour) {
        SaveDC(dc);
        IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
        IntersectClipRect(dc, left + offset, top + offset, left + offset + width, top + offset + height);
        SetTextColor(dc, colour);
        int y = top + offset;
        for (const std::wstring& line : lines_) {
            if (y >= top + offset + height) break;
            if (y + lineHeight > clip.top && y < clip.bottom) {
                SIZE size{};
                GetTextExtentPoint32W(dc, line.c_str(), int(line.size()), &size);
                const int x = left + offset + AlignedX(p.TextFont.Alignment, width, int(size.cx));
                TextOutW(dc, x, y, line.c_str(), int(line.size()));
            }
            y += lineHeight;
        }
        RestoreDC(dc, -1);
    };
    if (menu_->Stored.TextShadowDepth > 0) draw(z.Of(menu_->Stored.TextShadowDepth), Colour(p.TextShadowColor));
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
            const RECT& r = ps.rcPaint;
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, buffer_, r.left + scrollX_,
                   r.top + scrollY_, SRCCOPY);
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
        case WM_LBUTTONDOWN: {
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
        case WM_LBUTTONDBLCLK: {
            // The second press of a double-click: the first was the click.
            // Held until its release, wherever that happens.
            const POINT p = MenuPoint(lParam);
            SetCapture(hwnd_);
            Apply(session_->PointerDown(p.x, p.y, true));
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
        case WM_MOUSEWHEEL:
        case WM_MOUSEHWHEEL: {
            if (!view_.Scrolls()) break;
            const bool across = message == WM_MOUSEHWHEEL || (view_.HorizontalBar && !view_.VerticalBar) ||
                                (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0;
            int& rest = across ? hwheelRest_ : wheelRest_;
            rest += GET_WHEEL_DELTA_WPARAM(wParam);
            UINT lines = 3;
            SystemParametersInfoW(across ? SPI_GETWHEELSCROLLCHARS : SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            const int steps = rest / WHEEL_DELTA;
            rest -= steps * WHEEL_DELTA;
            // Down the wheel scrolls down; right the tilt scrolls right.
            const int sign = message == WM_MOUSEHWHEEL ? 1 : -1;
            const int amount = lines == WHEEL_PAGESCROLL ? (across ? clientWidth_ : clientHeight_)
                                                         : int(lines) * view_.Scale.Of(kScrollLine) / 3;
            ScrollBy(across ? SB_HORZ : SB_VERT, -1, sign * steps * amount);
            return 0;
        }
        case WM_VSCROLL:
        case WM_HSCROLL:
            ScrollBy(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam), 0);
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
            if (view_.Scrolls()) {
                const bool control = GetKeyState(VK_CONTROL) < 0;
                switch (wParam) {
                    case VK_PRIOR: ScrollBy(SB_VERT, SB_PAGEUP, 0); return 0;
                    case VK_NEXT: ScrollBy(SB_VERT, SB_PAGEDOWN, 0); return 0;
                    case VK_HOME: ScrollBy(control ? SB_HORZ : SB_VERT, SB_TOP, 0); return 0;
                    case VK_END: ScrollBy(control ? SB_HORZ : SB_VERT, SB_BOTTOM, 0); return 0;
                }
            }
            Key key;
            if (!KeyOf(wParam, key)) break;
            const bool shift = GetKeyState(VK_SHIFT) < 0;
            const bool wasAnimating = session_->Animating();
            Apply(session_->KeyDown(key, shift, Repeated(lParam)));
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
                const Effects e = session_->Character(Utf8(std::wstring_view(&c, 1)), Repeated(lParam));
                if (e.Click >= 0) {
                    Apply(e);
                    return 0;
                }
            }
            if (message == WM_CHAR) return 0;
            break;  // Alt+Space and the like reach the system menu
        }
        case kPressMessage:
            Apply(session_->Press(int(wParam)));
            if (!session_->Animating()) StopAnimationClock();
            return 0;
        case WM_SETFOCUS:
            toldFocus_ = -2;
            TellFocus();
            return 0;
        case WM_GETOBJECT:
            if (DWORD(lParam) == DWORD(OBJID_CLIENT)) {
                if (!accessible_) accessible_ = new AccessibleMenu(*this);
                return LresultFromObject(__uuidof(IAccessible), wParam, accessible_);
            }
            break;
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
            if (accessible_) {
                accessible_->Detach();
                accessible_->Release();
                accessible_ = nullptr;
            }
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace orvane::player
