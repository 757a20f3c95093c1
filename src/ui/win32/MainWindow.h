#pragma once

#include "app/EditorModel.h"
#include "app/MainMenu.h"
#include "ui/win32/DesignSurface.h"
#include "ui/win32/FormatStrip.h"
#include "ui/win32/Layout.h"
#include "ui/win32/MainToolbar.h"
#include "ui/win32/Palettes.h"
#include "ui/win32/Win32Platform.h"

#include <memory>
#include <vector>

namespace orvane {

// The editor's main window on Windows: the menu bar, the design surface and
// the caption. Every value lives in the editor model; the window shows it
// and forwards what the user does.
class MainWindow {
public:
    MainWindow(const AppFolders& folders, std::vector<std::string> args);
    ~MainWindow();
    HWND Handle() const { return window_; }
    Win32Platform& Desktop() { return platform_; }

    // One message of the loop: the window's shortcuts first, unless a text
    // field keeps the key. True when the message was taken.
    bool PreTranslate(MSG& msg);
    // After a key moved the focus among the controls: the new one shows.
    void FocusMoved();
    // A second start on the same settings handed files over: the window comes
    // to the front (restored when minimised) and opens them as dropped files,
    // once nothing else is being asked. No files: only to the front.
    void TakeHandOver(const std::vector<std::filesystem::path>& files);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void BuildMenus();
    void BuildAccelerators();
    void Layout();
    void ApplyDpi(int dpi);
    // Runs a model command, reports what it threw, then shows the model.
    void Run(const std::function<void()>& command);
    void Execute(MenuCommand command, int index);
    void ShowModel();
    void ApplyFocusRequest();
    void RefreshMenuList();
    void UpdateMenuStates(HMENU menu);
    void ShowContextMenu(int button, POINT screen);
    void RunCommandWizard();
    void RunAutorunWizard();
    void RunTestAutorun();
    void ButtAni();
    void AnimationStep();
    void StopAnimation();
    void ShowAnimationMoves(const std::vector<AnimationMove>& moves);
    void DropFiles(HDROP drop);
    void OpenHandedOver();
    void DeferredStart();
    void Tick();
    bool CanRun(MenuCommand command) const;
    void Close();

    Win32Platform platform_;
    EditorModel model_;
    std::vector<std::string> args_;
    HWND window_ = nullptr;
    std::unique_ptr<DesignSurface> surface_;
    std::unique_ptr<PalettePane> palettes_;
    std::unique_ptr<FormatStrip> format_;
    std::unique_ptr<MainToolbar> toolbar_;
    std::string discFolder_;  // the disc folder last tested, offered again
    HMENU bar_ = nullptr;
    HMENU fileMenu_ = nullptr;
    int menuListPosition_ = 0;  // where the menu folder's menus start in the File menu
    HACCEL accelerators_ = nullptr;
    HFONT font_ = nullptr;
    HWND focus_ = nullptr;
    HWND mnemonic_ = nullptr;  // the label whose access key was pressed
    HWND shownFocus_ = nullptr;  // scrolled into view once; the user may scroll it away  // the control that had the focus when the window was left
    DialogUnits units_;
    int dpi_ = 96;
    bool started_ = false;
    bool closing_ = false;
    bool closeAfterStart_ = false;
    LARGE_INTEGER animationStart_{};
    std::vector<std::filesystem::path> handedOver_;  // files waiting for start-up or a dialog to end
};

}  // namespace orvane
