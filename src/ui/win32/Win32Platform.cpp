#include "ui/win32/Win32Platform.h"

#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/ProgramResource.h"
#include "platform/win32/Com.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Layout.h"
#include "ui/win32/Splash.h"
#include "ui/win32/resource.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shobjidl.h>

#include <cctype>
#include <cstring>
#include <vector>

namespace orvane {

namespace {

std::optional<std::filesystem::path> ItemPath(IShellItem* item) {
    PWSTR path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return std::nullopt;
    std::filesystem::path result(path);
    CoTaskMemFree(path);
    return result;
}

void StartIn(IFileDialog* dialog, std::filesystem::path folder) {
    if (folder.empty()) return;
    // The shell parses only backslashes, and no trailing one.
    std::wstring name = folder.make_preferred().wstring();
    while (name.size() > 3 && name.back() == L'\\') name.pop_back();
    Com<IShellItem> item;
    if (SUCCEEDED(SHCreateItemFromParsingName(name.c_str(), nullptr, IID_PPV_ARGS(item.out())))) dialog->SetFolder(item.get());
}

// A dialog belongs to the window the user is in: a wizard, else the editor.
HWND DialogOwner(HWND main) {
    const HWND active = GetActiveWindow();
    return active && IsWindowEnabled(active) ? active : main;
}

constexpr UINT_PTR kCloseTimer = 1;
constexpr int kProgressCloseMs = 3000;

struct SplashWindow {
    Win32Platform* Owner;
    Bitmap Picture;
};

LRESULT CALLBACK SplashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* splash = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_TIMER:
            DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            PaintSplash(dc, window, splash->Picture, SplashMode::StartUp);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_NCDESTROY:
            if (splash) {
                splash->Owner->SplashClosed();
                delete splash;
            }
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

INT_PTR CALLBACK ProgressProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
            SetTimer(window, kCloseTimer, kProgressCloseMs, nullptr);
            return FALSE;
        case WM_TIMER:
            DestroyWindow(window);
            return TRUE;
        case WM_NCDESTROY:
            if (auto* owner = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                owner->ProgressClosed(window);
            return FALSE;
    }
    return FALSE;
}

struct TipDialog {
    Win32Platform* Owner;
    TipWindowContent Content;
};

INT_PTR CALLBACK TipProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tip = reinterpret_cast<TipDialog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
            tip = reinterpret_cast<TipDialog*>(lParam);
            SetDlgItemTextW(window, IDC_TIP_TEXT, WideFromUtf8(tip->Content.Text).c_str());
            CheckDlgButton(window, IDC_TIP_AGAIN, tip->Content.DoNotShowAgain ? BST_CHECKED : BST_UNCHECKED);
            SetSystemIcon(GetDlgItem(window, IDC_TIP_ICON), IDI_INFORMATION);
            return TRUE;
        }
        case WM_DPICHANGED:
            SetSystemIcon(GetDlgItem(window, IDC_TIP_ICON), IDI_INFORMATION);
            return FALSE;
        case WM_HELP:  // F1
            tip->Owner->OpenHelpPage(HelpPage::Contents);
            return TRUE;
        case WM_COMMAND:
            // OK and Escape both close; the box says what the user wants.
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(window, IsDlgButtonChecked(window, IDC_TIP_AGAIN) == BST_CHECKED ? 1 : 0);
                return TRUE;
            }
            break;
    }
    return FALSE;
}

}  // namespace

Win32Platform::Win32Platform() : helpFolder_(ExecutableFolder() + "help/") {}

Win32Platform::~Win32Platform() {
    if (progress_) DestroyWindow(progress_);
    if (splash_) DestroyWindow(splash_);
}

MsgResult Win32Platform::ShowMessageBox(const MessageBoxRequest& request) {
    UINT type = MB_OK;
    switch (request.Type) {
        case MsgType::Warning: type = MB_ICONWARNING; break;
        case MsgType::Error: type = MB_ICONERROR; break;
        case MsgType::Confirmation: type = MB_ICONQUESTION; break;
        case MsgType::Information: type = MB_ICONINFORMATION; break;
    }
    const bool ask = request.Buttons == MsgButtons::YesNoCancel;
    type |= ask ? MB_YESNOCANCEL : MB_OK;
    if (ask && request.DefaultButton == MsgResult::No) type |= MB_DEFBUTTON2;
    if (ask && request.DefaultButton == MsgResult::Cancel) type |= MB_DEFBUTTON3;
    switch (MessageBoxW(DialogOwner(owner_), WideLinesFromUtf8(request.Text).c_str(), WideFromUtf8(request.Caption).c_str(), type)) {
        case IDYES: return MsgResult::Yes;
        case IDNO: return MsgResult::No;
        case IDCANCEL: return ask ? MsgResult::Cancel : MsgResult::Ok;
        default: return ask ? MsgResult::Cancel : MsgResult::Ok;
    }
}

std::optional<std::filesystem::path> Win32Platform::FileDialog(const FileDialogRequest& request, bool save) {
    Com<IFileDialog> dialog;
    if (FAILED(CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(dialog.out()))))
        return std::nullopt;
    // "Menus (*.mng)|*.MNG|All|*.*": description and patterns in turn.
    std::vector<std::wstring> parts;
    for (size_t start = 0;;) {
        const size_t bar = request.Filter.find('|', start);
        parts.push_back(WideFromUtf8(request.Filter.substr(start, bar - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<COMDLG_FILTERSPEC> types;
    for (size_t i = 0; i + 1 < parts.size(); i += 2) {
        // Names match patterns in any case; in lower case the dialog also
        // sees that "disc.mng" has its extension and adds none.
        for (wchar_t& c : parts[i + 1]) c = c < 128 ? wchar_t(std::tolower(c)) : c;
        types.push_back({parts[i].c_str(), parts[i + 1].c_str()});
    }
    if (!types.empty()) dialog->SetFileTypes(UINT(types.size()), types.data());
    if (!request.Title.empty()) dialog->SetTitle(WideFromUtf8(request.Title).c_str());
    if (!request.FileName.empty()) dialog->SetFileName(PathFromUtf8(request.FileName).filename().wstring().c_str());
    StartIn(dialog.get(), request.InitialFolder);
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    // The editor asks its own questions before replacing a file.
    options = (options & ~FOS_OVERWRITEPROMPT) | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR;
    if (!save) options |= FOS_FILEMUSTEXIST;
    dialog->SetOptions(options);
    if (dialog->Show(DialogOwner(owner_)) != S_OK) return std::nullopt;
    Com<IShellItem> item;
    if (FAILED(dialog->GetResult(item.out()))) return std::nullopt;
    return ItemPath(item.get());
}

std::optional<std::filesystem::path> Win32Platform::OpenFileDialog(const FileDialogRequest& request) {
    return FileDialog(request, false);
}

std::optional<std::filesystem::path> Win32Platform::SaveFileDialog(const FileDialogRequest& request) {
    return FileDialog(request, true);
}

std::optional<std::filesystem::path> Win32Platform::BrowseForFolder(const FolderRequest& request) {
    Com<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(dialog.out()))))
        return std::nullopt;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_NOCHANGEDIR);
    if (!request.Title.empty()) dialog->SetTitle(WideFromUtf8(request.Title).c_str());
    StartIn(dialog.get(), request.InitialFolder);
    if (dialog->Show(DialogOwner(owner_)) != S_OK) return std::nullopt;
    Com<IShellItem> item;
    if (FAILED(dialog->GetResult(item.out()))) return std::nullopt;
    return ItemPath(item.get());
}

void Win32Platform::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));  // the main loop still has to see it
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Platform::Beep() { MessageBeep(MB_OK); }

void Win32Platform::DebugOutput(std::string_view line) {
    OutputDebugStringW((WideFromUtf8(line) + L"\n").c_str());
}

// Each operation gets a window of its own; one still up from the last is replaced.
void Win32Platform::ShowProgress(std::string_view text) {
    if (progress_) DestroyWindow(progress_);
    progress_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_PROGRESS), owner_, ProgressProc,
                                   LPARAM(this));
    if (!progress_) return;
    SetSystemIcon(GetDlgItem(progress_, IDC_PROGRESS_ICON), IDI_INFORMATION);
    SetDlgItemTextW(progress_, IDC_PROGRESS_TEXT, WideFromUtf8(text).c_str());
    ShowWindow(progress_, SW_SHOWNOACTIVATE);
    UpdateWindow(progress_);
}

// Once the window has closed by its own timer there is nothing left to tell.
void Win32Platform::SetProgressText(std::string_view text, int closeAfterMs) {
    if (!progress_) return;
    SetDlgItemTextW(progress_, IDC_PROGRESS_TEXT, WideFromUtf8(text).c_str());
    if (closeAfterMs > 0) SetTimer(progress_, kCloseTimer, UINT(closeAfterMs), nullptr);
    UpdateWindow(progress_);
}

void Win32Platform::ProgressClosed(HWND window) {
    if (progress_ == window) progress_ = nullptr;
}

void Win32Platform::ShowSplash(int closeAfterMs) {
    static const bool registered = [] {
        WNDCLASSEXW c = FaceClass(L"OrvaneSplash", SplashProc);
        c.hbrBackground = nullptr;  // the picture covers it
        return RegisterClassExW(&c) != 0;
    }();
    if (!registered) return;
    if (splash_) DestroyWindow(splash_);
    auto* state = new SplashWindow{this, ResourcePicture(IDR_SPLASH)};
    if (state->Picture.IsEmpty()) {
        delete state;
        return;
    }
    // Centred on the screen the editor is on, at that screen's scale.
    HMONITOR monitor = MonitorFromWindow(owner_, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {sizeof info, {}, {}, 0};
    GetMonitorInfoW(monitor, &info);
    const int dpi = int(owner_ ? GetDpiForWindow(owner_) : GetDpiForSystem());
    const int w = Scale(state->Picture.Width(), dpi), h = Scale(state->Picture.Height(), dpi);
    const RECT& m = info.rcWork;
    HRGN shape = SplashShape(state->Picture, dpi);
    splash_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"OrvaneSplash", L"", WS_POPUP,
                              (m.left + m.right - w) / 2, (m.top + m.bottom - h) / 2, w, h, owner_, nullptr,
                              GetModuleHandleW(nullptr), state);
    if (!splash_) {
        DeleteObject(shape);
        return;
    }
    SetWindowRgn(splash_, shape, FALSE);  // the window owns the region now
    SetTimer(splash_, kCloseTimer, UINT(std::max(1, closeAfterMs)), nullptr);
    ShowWindow(splash_, SW_SHOWNOACTIVATE);
    UpdateWindow(splash_);
}

void Win32Platform::WaitForSplash() {
    MSG msg;
    while (splash_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Platform::SplashClosed() { splash_ = nullptr; }

bool Win32Platform::ShowTipWindow(Tip tip) {
    const auto content = TipContent(tip);
    if (!content) return false;
    TipDialog dialog{this, *content};
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TIP), DialogOwner(owner_), TipProc,
                           LPARAM(&dialog)) == 1;
}

std::optional<Bitmap> Win32Platform::GetClipboardBitmap() {
    if (!IsClipboardFormatAvailable(CF_DIB) || !OpenClipboard(owner_)) return std::nullopt;
    std::vector<uint8_t> file;
    if (HANDLE data = GetClipboardData(CF_DIB)) {
        const SIZE_T size = GlobalSize(data);
        if (const auto* dib = static_cast<const uint8_t*>(GlobalLock(data))) {
            // A DIB is a BMP file without its 14-byte file header: put one in
            // front and let the BMP reader, which checks every field, read it.
            if (size >= sizeof(BITMAPINFOHEADER)) {
                BITMAPINFOHEADER header;
                std::memcpy(&header, dib, sizeof header);
                uint32_t offset = 14 + header.biSize;
                if (header.biSize == sizeof(BITMAPINFOHEADER) && header.biCompression == BI_BITFIELDS) offset += 12;
                if (header.biBitCount <= 8)
                    offset += 4 * (header.biClrUsed ? header.biClrUsed : (1u << header.biBitCount));
                auto put32 = [&file](uint32_t v) {
                    for (int i = 0; i < 4; ++i) file.push_back(uint8_t(v >> (8 * i)));
                };
                file = {'B', 'M'};
                put32(uint32_t(14 + size));
                put32(0);
                put32(offset);
                file.insert(file.end(), dib, dib + size);
            }
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if (file.empty()) return std::nullopt;
    DecodeResult read = ReadBmp(file);
    if (!read.Ok()) return std::nullopt;
    return std::move(read.Picture);
}

bool Win32Platform::SetClipboardBitmap(const Bitmap& bitmap) {
    const std::vector<uint8_t> bmp = WriteBmp(bitmap, 24);
    if (bmp.size() <= 14) return false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bmp.size() - 14);
    if (!memory) return false;
    std::memcpy(GlobalLock(memory), bmp.data() + 14, bmp.size() - 14);
    GlobalUnlock(memory);
    if (!OpenClipboard(owner_)) {
        GlobalFree(memory);
        return false;
    }
    EmptyClipboard();
    const bool set = SetClipboardData(CF_DIB, memory) != nullptr;
    CloseClipboard();
    if (!set) GlobalFree(memory);
    return set;
}

std::pair<int, int> Win32Platform::ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void Win32Platform::OpenHelpPage(HelpPage page) {
    const std::string path = HelpPagePath(helpFolder_, page);
    std::error_code ec;
    if (!std::filesystem::exists(PathFromUtf8(path), ec)) {
        orvane::ShowMessageBox(*this, "The help page \"" + PathForDisplay(PathFromUtf8(path)) + "\" could not be found.",
                               MsgType::Warning);
        return;
    }
    const auto opened = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner_, L"open", PathFromUtf8(path).wstring().c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32)
        orvane::ShowMessageBox(*this,
                               "No web browser could be started to show the help page \"" +
                                   PathForDisplay(PathFromUtf8(path)) + "\".",
                               MsgType::Warning);
}

Bitmap ResourcePicture(int id) {
    const auto data = ProgramResourceData(id);
    if (!data) return {};
    DecodeResult read = ReadPng(*data);
    return read.Ok() ? std::move(read.Picture) : Bitmap();
}

HBITMAP DibFromBitmap(const Bitmap& bitmap) {
    if (bitmap.IsEmpty()) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = bitmap.Width();
    info.bmiHeader.biHeight = -bitmap.Height();  // top-down, as the bitmap's rows are
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return nullptr;
    std::memcpy(bits, bitmap.Data(), bitmap.PixelCount() * 4);
    return dib;
}

}  // namespace orvane
