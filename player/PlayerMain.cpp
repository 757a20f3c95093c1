// The menu player: shows the menus packed at the end of its own file.
//
//   Autorun.exe                    shows the default menu
//   Autorun.exe /selftest OUT.json writes what it loaded and exits (0 when
//                                  every menu could be read)

#include "player/MenuWindow.h"
#include "player/Placement.h"
#include "player/SelfTest.h"
#include "player/Shell.h"
#include "player/Win32Text.h"

#include "platform/win32/RectWin32.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace orvane::player {
namespace {

// The whole executable, read at start: a view mapped from a disc that is
// taken out while the menu is up would fault at the next page touched.
class OwnFile {
public:
    explicit OwnFile(const std::wstring& path) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        LARGE_INTEGER size{};
        if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG(1) << 31)) {
            bytes_.resize(size_t(size.QuadPart));
            size_t got = 0;
            while (got < bytes_.size()) {
                DWORD read = 0;
                const DWORD chunk = DWORD(std::min<size_t>(bytes_.size() - got, size_t(1) << 24));
                if (!ReadFile(file, bytes_.data() + got, chunk, &read, nullptr) || read == 0) break;
                got += read;
            }
            open_ = got == bytes_.size();
        }
        CloseHandle(file);
    }

    bool IsOpen() const { return open_; }
    std::span<const uint8_t> Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    bool open_ = false;
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

std::wstring FileNameOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// One instance per executable: a name made from the executable's own path.
std::wstring InstanceTag(const std::wstring& path) {
    uint64_t hash = 1469598103934665603ull;
    for (wchar_t c : path) {
        hash ^= uint64_t(towlower(c));
        hash *= 1099511628211ull;
    }
    wchar_t text[17];
    for (int i = 0; i < 16; ++i) text[i] = L"0123456789abcdef"[(hash >> (60 - 4 * i)) & 0xF];
    text[16] = 0;
    return text;
}

void Fail(const std::wstring& caption, const std::string& message) {
    MessageBoxW(nullptr, Wide(message).c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

bool WriteTextFile(const std::wstring& path, const std::string& text) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr) && written == text.size();
    return CloseHandle(file) && ok;
}

Rect PrimaryWorkArea() {
    RECT work{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return FromRECT(work);
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The test mode: load everything, report it, show nothing.
int SelfTest(std::span<const uint8_t> executable, bool opened, const std::wstring& out) {
    AutorunPackage package;
    std::string error;
    if (!opened)
        error = "The menu program could not read its own file.";
    else if (package = ReadAutorunPackage(executable); !package.Ok())
        error = DamagedPackageMessage(package.Error);
    std::vector<ShownMenu> loaded;
    std::vector<SelfTestMenu> report;
    loaded.reserve(package.Files.size());
    const Rect work = PrimaryWorkArea();
    for (const PackagedFile& file : package.Files) {
        MenuLoad load = ReadPackagedMenu(executable, file);
        SelfTestMenu entry;
        entry.FileName = file.Name;
        if (load.Menu) {
            loaded.push_back(std::move(*load.Menu));
            const ShownMenu& menu = loaded.back();
            entry.Menu = &menu;
            entry.View = ViewMenu(SystemDpi(), menu.Width(), menu.Height(), work, GetSystemMetrics(SM_CXVSCROLL),
                                  GetSystemMetrics(SM_CYHSCROLL));
            entry.Place = PlaceWindow(menu.Stored.Position, work, entry.View.WindowWidth, entry.View.WindowHeight);
        } else {
            entry.Error = load.Error;
            if (error.empty()) error = DamagedMenuMessage(file.Name, load.Error);
        }
        report.push_back(std::move(entry));
    }
    const WindowLayout search = SearchWindowLayout("\\video\\holiday 2024\\the whole family on the beach.mpg");
    const std::string json = SelfTestJson(package, report, work, SystemDpi(), search, error);
    if (!WriteTextFile(out, json + "\n")) return 2;
    return error.empty() ? 0 : 1;
}

int Play(HINSTANCE instance, const std::wstring& path, std::span<const uint8_t> executable) {
    const std::wstring caption = FileNameOf(path);
    const AutorunPackage package = ReadAutorunPackage(executable);
    if (!package.Ok()) {
        Fail(caption, DamagedPackageMessage(package.Error));
        return 1;
    }
    MenuLoad first = ReadPackagedMenu(executable, package.Files.front());
    if (!first.Menu) {
        Fail(caption, DamagedMenuMessage(package.Files.front().Name, first.Error));
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // Some shell handlers need a single-threaded apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    MenuWindow window(instance, path, executable, package, L"OrvaneMenuPlayer-" + InstanceTag(path));
    const bool ran = window.Run(std::move(*first.Menu));
    if (SUCCEEDED(com)) CoUninitialize();
    if (!ran) {
        Fail(caption, "The menu window could not be created.");
        return 1;
    }
    return 0;
}

int Main(HINSTANCE instance) {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> args;
    for (int i = 1; argv && i < argc; ++i) args.emplace_back(argv[i]);
    if (argv) LocalFree(argv);

    const std::wstring path = OwnPath();
    const OwnFile self(path);
    if (args.size() == 2 && (args[0] == L"/selftest" || args[0] == L"-selftest"))
        return SelfTest(self.Bytes(), self.IsOpen(), args[1]);
    if (!self.IsOpen()) {
        Fail(FileNameOf(path), "The menu program could not read its own file.");
        return 1;
    }

    // A second start brings the menu already open to the front.
    const std::wstring tag = InstanceTag(path);
    HANDLE instanceLock = CreateMutexW(nullptr, FALSE, (L"Local\\OrvaneMenuPlayer-" + tag).c_str());
    if (instanceLock && GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND open = FindWindowW((L"OrvaneMenuPlayer-" + tag).c_str(), nullptr)) {
            if (IsIconic(open)) ShowWindow(open, SW_RESTORE);
            SetForegroundWindow(open);
        }
        CloseHandle(instanceLock);
        return 0;
    }
    const int code = Play(instance, path, self.Bytes());
    if (instanceLock) CloseHandle(instanceLock);
    return code;
}

}  // namespace
}  // namespace orvane::player

// The library's default handler prints the exception's demangled type to a
// console a windowed program does not have; ending at once is all it can
// usefully do, and it spares the player the demangler.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

// The pictures are zlib streams, checked with Adler-32: zlib's gzip path, the
// only user of CRC-32, never runs, and this keeps its 12 KB of CRC tables out
// of the player. Reaching it would be a programming error.
extern "C" unsigned long crc32(unsigned long, const unsigned char*, unsigned int) { std::abort(); }

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        return orvane::player::Main(instance);
    } catch (const std::bad_alloc&) {
        MessageBoxW(nullptr, L"There is not enough memory to show the menu.", L"Menu", MB_OK | MB_ICONERROR);
    } catch (const std::exception&) {
        MessageBoxW(nullptr, L"The menu could not be shown.", L"Menu", MB_OK | MB_ICONERROR);
    }
    return 1;
}
