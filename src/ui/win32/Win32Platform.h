#pragma once

#include "app/Tips.h"
#include "platform/Platform.h"
#include "platform/win32/Windows.h"

#include <string>

namespace orvane {

// The desktop as Win32 gives it: message boxes, the shell's file and folder
// dialogs, the message loop, the clipboard, and the editor's small windows.
class Win32Platform : public Platform {
public:
    Win32Platform();
    ~Win32Platform() override;
    void SetOwner(HWND owner) { owner_ = owner; }
    HWND Owner() const { return owner_; }
    void SetHelpFolder(std::string folder) { helpFolder_ = std::move(folder); }

    MsgResult ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest& request) override;
    void ProcessMessages() override;
    void Beep() override;
    void DebugOutput(std::string_view line) override;
    void ShowProgress(std::string_view text) override;
    void SetProgressText(std::string_view text, int closeAfterMs) override;
    void ShowSplash(int closeAfterMs) override;
    void WaitForSplash() override;
    bool ShowTipWindow(Tip tip) override;
    std::optional<Bitmap> GetClipboardBitmap() override;
    bool SetClipboardBitmap(const Bitmap& bitmap) override;
    std::pair<int, int> ScreenSize() override;

    // Opens a help page in the default browser; a missing page, and a browser
    // that cannot be started, are reported.
    void OpenHelpPage(HelpPage page);

    // The small windows tell when they have gone.
    void ProgressClosed(HWND window);
    void SplashClosed();

private:
    std::optional<std::filesystem::path> FileDialog(const FileDialogRequest& request, bool save);
    HWND owner_ = nullptr;
    std::string helpFolder_;
    HWND progress_ = nullptr;
    HWND splash_ = nullptr;
};

// The picture of a resource (RCDATA, PNG) as a bitmap; empty when missing.
Bitmap ResourcePicture(int id);

// A top-down 32-bit DIB section holding a bitmap's pixels, for drawing with GDI.
HBITMAP DibFromBitmap(const Bitmap& bitmap);

}  // namespace orvane
