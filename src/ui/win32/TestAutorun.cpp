#include "ui/win32/TestAutorun.h"

#include "app/Publish.h"
#include "platform/win32/Wide.h"
#include "ui/win32/Win32Platform.h"
#include "ui/win32/resource.h"

#include <windowsx.h>

#include <exception>

namespace orvane {

namespace {

constexpr UINT_PTR kPollTimer = 1;
constexpr UINT kPollMs = 250;

std::wstring Paragraphs(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\r\n\r\n") + line;
    return WideFromUtf8(text);
}

struct TestAutorunWindow {
    TestRunModel& Model;
    const std::function<void()>& Rebuild;
    HWND Window = nullptr;
    bool Busy = false;          // the run is being prepared
    bool StopStarting = false;  // Close was asked for while it was

    HWND Item(int id) const { return GetDlgItem(Window, id); }

    void Sync() {
        SetDlgItemTextW(Window, IDC_TA_FOLDER, WideFromUtf8(Model.Folder).c_str());
        SetDlgItemTextW(Window, IDC_TA_FINDINGS, Paragraphs(Model.Findings()).c_str());
        const bool running = Model.Started();
        SetDlgItemTextW(Window, IDC_TA_START, running ? L"&End Test" : L"&Start Test");
        EnableWindow(Item(IDC_TA_START), running || (!Busy && Model.Unavailable.empty() && !Model.Check.Blocked()));
        EnableWindow(Item(IDC_TA_SCREEN), !running && !Busy);
        EnableWindow(Item(IDC_TA_BROWSE), !running && !Busy);
        SetDlgItemTextW(Window, IDC_TA_STATUS, WideLinesFromUtf8(Model.StatusText).c_str());
    }

    void Start() {
        const int chosen = ComboBox_GetCurSel(Item(IDC_TA_SCREEN));
        if (chosen >= 0 && size_t(chosen) < TestRunModel::kScreens.size())
            Model.SetScreen(TestRunModel::kScreens[size_t(chosen)]);
        Busy = true;
        StopStarting = false;
        Sync();
        const bool started = Model.Start([this] {
            SetDlgItemTextW(Window, IDC_TA_STATUS, WideLinesFromUtf8(Model.StatusText).c_str());
            Model.Desktop().ProcessMessages();
            return !StopStarting;
        });
        Busy = false;
        if (started) SetTimer(Window, kPollTimer, kPollMs, nullptr);
        Sync();
        if (StopStarting) Close();
    }

    void Close() {
        if (Busy) {
            StopStarting = true;  // ends the preparation; the window closes once it has
            return;
        }
        KillTimer(Window, kPollTimer);
        if (Model.Started()) {
            Model.Stop();
            Model.Finish();
        }
        EndDialog(Window, IDCANCEL);
    }

    void Command(int id) {
        switch (id) {
            case IDC_TA_START:
                if (Model.Started())
                    Model.Stop();
                else
                    Start();
                break;
            case IDC_TA_BROWSE:
                if (Model.BrowseFolder() && Model.OfferBuild()) Rebuild();
                Sync();
                break;
            case IDC_TA_HELP:
                if (auto* desktop = dynamic_cast<Win32Platform*>(&Model.Desktop()))
                    desktop->OpenHelpPage(HelpPage::Publishing);
                break;
            case IDCANCEL: Close(); break;
        }
    }

    INT_PTR Handle(UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                for (const std::string& screen : TestRunModel::kScreens)
                    ComboBox_AddString(Item(IDC_TA_SCREEN), WideFromUtf8(TestRunModel::ScreenName(screen)).c_str());
                ComboBox_SetCurSel(Item(IDC_TA_SCREEN), 0);
                Sync();
                // The focus on what the window is for: Start Test, else the disc folder to change.
                SetFocus(Item(IsWindowEnabled(Item(IDC_TA_START)) ? IDC_TA_START : IDC_TA_BROWSE));
                return FALSE;
            case WM_COMMAND:
                if (HIWORD(wParam) == BN_CLICKED) Command(LOWORD(wParam));
                return TRUE;
            case WM_TIMER:
                if (wParam == kPollTimer && !Model.Running()) {
                    KillTimer(Window, kPollTimer);
                    Model.Finish();
                    Sync();
                }
                return TRUE;
        }
        return FALSE;
    }
};

INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<TestAutorunWindow*>(lParam)->Window = window;
    }
    auto* self = reinterpret_cast<TestAutorunWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self) return FALSE;
    try {
        return self->Handle(message, wParam);
    } catch (const std::exception& error) {
        MessageBoxW(window, WideFromUtf8(error.what()).c_str(), WideFromUtf8(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
        return TRUE;
    }
}

}  // namespace

void ShowTestAutorun(HWND owner, TestRunModel& model, const std::function<void()>& rebuild) {
    TestAutorunWindow window{model, rebuild};
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TEST_AUTORUN), owner, Proc, LPARAM(&window));
    // However the window went, the run ends with it.
    if (model.Started()) {
        model.Stop();
        model.Finish();
    }
}

}  // namespace orvane
