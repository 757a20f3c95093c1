#include "app/AppFolders.h"
#include "app/SingleInstance.h"
#include "platform/FileUtil.h"
#include "platform/win32/Wide.h"
#include "ui/win32/InstanceWindow.h"
#include "ui/win32/MainWindow.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

namespace {

// An error no command caught still reaches the user as a message rather than
// ending the program with the menu unsaved.
int MessageLoop(orvane::MainWindow& window) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        try {
            if (window.PreTranslate(msg)) continue;
            // Tab, Shift+Tab and access keys among the palettes' controls.
            if (IsDialogMessageW(window.Handle(), &msg)) {
                window.FocusMoved();
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        } catch (const std::exception& error) {
            orvane::ShowMessageBox(window.Desktop(), error.what(), orvane::MsgType::Error);
        }
    }
    return int(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // The files named on the command line, each with every character it has.
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i) args.push_back(orvane::Utf8FromWide(argv[i]));
    LocalFree(argv);

    // Per-monitor DPI also when the manifest was stripped; common controls 6.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) return 1;

    int code = 0;
    {
        const auto environment = orvane::FolderEnvironment::FromProcess();
        const auto folders = orvane::AppFolders::Decide(orvane::ExecutableFolder(), environment);
        // One editor per settings file: a second start hands its files over.
        orvane::SingleInstance instance(orvane::ChannelFor(folders, environment));
        const std::string key = instance.Channel().Key;
        const std::string message = orvane::EncodeHandOver(orvane::FilesNamed(args));
        switch (instance.Decide([&] { return orvane::DeliverTo(key, message); })) {
            case orvane::StartRole::HandedOver: CoUninitialize(); return 0;
            case orvane::StartRole::NoAnswer:
                MessageBoxW(nullptr, orvane::WideFromUtf8(orvane::kInstanceNoAnswer).c_str(),
                            orvane::WideFromUtf8(orvane::kAppTitle).c_str(), MB_OK | MB_ICONWARNING);
                CoUninitialize();
                return 1;
            case orvane::StartRole::First: break;
        }
        orvane::MainWindow window(folders, args);
        orvane::InstanceWindow listener(key, [&window](const auto& files) { window.TakeHandOver(files); });
        code = MessageLoop(window);
    }
    CoUninitialize();
    return code;
}
