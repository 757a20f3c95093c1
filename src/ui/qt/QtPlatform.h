#pragma once

#include "app/Tips.h"
#include "platform/Platform.h"
#include "ui/qt/ProgressWindow.h"
#include "ui/qt/Splash.h"

#include <QPointer>

#include <memory>

class QObject;
class QWidget;
class QString;

namespace orvane {

// The desktop as Qt gives it: message boxes, file and folder dialogs, the
// event loop, the system beep, and the editor's small windows.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr);
    ~QtPlatform() override;
    void SetParent(QWidget* parent) { parent_ = parent; }
    // The folder that holds "help/"; the executable's folder unless set.
    void SetHelpFolder(std::string folder) { helpFolder_ = std::move(folder); }

    MsgResult ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest& request) override;
    void ProcessMessages() override;
    std::optional<Bitmap> GetClipboardBitmap() override;
    bool SetClipboardBitmap(const Bitmap& bitmap) override;
    void Beep() override;
    void DebugOutput(std::string_view line) override;
    void ShowProgress(std::string_view text) override;
    void SetProgressText(std::string_view text, int closeAfterMs) override;
    void ShowSplash(int closeAfterMs) override;
    void WaitForSplash() override;
    bool ShowTipWindow(Tip tip) override;

    // Opens a help page in the desktop's browser; a missing page, and a
    // browser that cannot be started, are reported.
    void OpenHelpPage(HelpPage page);

    // While the editor is ending on a termination request no window can be
    // answered: questions answer No, dialogs are cancelled, tips and the
    // splash are not shown.
    void SetEnding(bool ending) { ending_ = ending; }
    bool Ending() const { return ending_; }

    // Answers questions, dialogs and tips instead of the user when set (tests
    // drive the real windows while the answers come from a script).
    Platform* Script = nullptr;

    // The progress window on screen, if any (for tests).
    ProgressWindow* Progress() const { return progress_; }

private:
    QWidget* parent_;
    std::string helpFolder_;
    QPointer<ProgressWindow> progress_;
    QPointer<Splash> splash_;
    bool splashFinished_ = true;
    bool ending_ = false;
    // The context of the browser starts still running; gone with the platform.
    std::unique_ptr<QObject> openers_;
};

// "Menus (*.mng)|*.MNG" -> "Menus (*.mng *.MNG)": Qt wants the patterns inside
// the description; both spellings are offered since Linux names are case-sensitive.
QString QtFilter(const std::string& filter);

}  // namespace orvane
