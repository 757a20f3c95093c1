#pragma once

#include "platform/Bitmap.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

// The caption of every message box unless a message says otherwise.
inline constexpr std::string_view kAppTitle = "Orvane Graphic Menu Editor";

enum class MsgType { Warning, Error, Information, Confirmation };
enum class MsgButtons { Ok, YesNoCancel };
enum class MsgResult { Ok, Yes, No, Cancel };

struct MessageBoxRequest {
    std::string Text;
    MsgType Type = MsgType::Information;
    MsgButtons Buttons = MsgButtons::Ok;
    std::optional<MsgResult> DefaultButton;
    std::string Caption{kAppTitle};
};

struct FileDialogRequest {
    std::string Title;
    // Filter as "Description|*.EXT;*.EXT2", several pairs joined by "|".
    std::string Filter;
    std::string FileName;
    std::filesystem::path InitialFolder;
};

struct FolderRequest {
    std::string Title;
    std::filesystem::path InitialFolder;
};

// The first-use tips, each named by what it tells. The numbers are the
// places of their flags in the settings file.
enum class Tip : int32_t {
    GettingStarted = 0,
    Palettes,
    StyleAndColor,
    PhotoStyles,
    PhotoScaling,
    MenuPosition,
    TextColors,
    AutoAdjust,
    MyBackground,
    AutoSizeMenu,
    PhotoAspect,
    CommandWizard,
    WizardButton,
    AccessKeys,
    CommandArgument,
    MenuTitle,
    ColorArrows,
    ButtonsFolder,
    CustomButtonStyle,
};

// Everything the editor asks of the desktop. The Qt editor implements it with
// real windows; tests use ScriptedPlatform; the command-line tool its own.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgResult ShowMessageBox(const MessageBoxRequest& request) = 0;
    virtual std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) = 0;
    virtual std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest& request) = 0;
    // Lets pending window messages run.
    virtual void ProcessMessages() = 0;
    virtual void Beep() = 0;
    // Developer output, never shown to the user.
    virtual void DebugOutput(std::string_view line) = 0;

    // The progress window: a text, optionally closing after a delay.
    virtual void ShowProgress(std::string_view text) = 0;
    virtual void SetProgressText(std::string_view text, int closeAfterMs) = 0;

    // The splash window at start-up, closing itself after a delay.
    virtual void ShowSplash(int /*closeAfterMs*/) {}
    // Lets window messages run until the splash has closed.
    virtual void WaitForSplash() {}
    // A first-use tip; true when the user asked not to see it again.
    virtual bool ShowTipWindow(Tip /*tip*/) { return false; }

    // The desktop clipboard's picture, if it holds one; replacing its contents
    // with a picture (false when the clipboard could not take it).
    virtual std::optional<Bitmap> GetClipboardBitmap() { return std::nullopt; }
    virtual bool SetClipboardBitmap(const Bitmap& /*bitmap*/) { return false; }

    // The screen's size in pixels, for placing windows.
    virtual std::pair<int, int> ScreenSize() { return {1024, 768}; }

    // Writes "**** " + text + " ****" to the developer output.
    void Trace(std::string_view text);
};

// Shows a message captioned with the application title and returns the button pressed.
MsgResult ShowMessageBox(Platform& platform, std::string text, MsgType type,
                         MsgButtons buttons = MsgButtons::Ok,
                         std::optional<MsgResult> defaultButton = std::nullopt);

}  // namespace orvane
