#pragma once

#include "Platform.h"

#include <deque>
#include <functional>

namespace orvane {

// A platform without a display. Questions and dialogs are answered from queues
// filled in advance; everything shown is recorded so a caller (a test, the
// command-line tool) can see what the user would have seen.
class ScriptedPlatform : public Platform {
public:
    struct Shown {
        MessageBoxRequest Request;
        MsgResult Answer;
    };

    // Answers for YesNoCancel boxes, in order; when empty, DefaultAnswer is used.
    std::deque<MsgResult> Answers;
    MsgResult DefaultAnswer = MsgResult::Cancel;
    // Answers for file and folder dialogs; std::nullopt is a cancelled dialog.
    std::deque<std::optional<std::filesystem::path>> DialogAnswers;

    std::vector<Shown> Messages;
    std::vector<FileDialogRequest> FileDialogs;
    std::vector<FolderRequest> FolderDialogs;
    std::vector<std::string> TraceLines;
    std::vector<std::string> ProgressTexts;
    std::vector<int> ProgressCloseDelays;  // of each SetProgressText
    std::vector<int> SplashDelays;         // the close delay of each splash shown
    bool SplashUp = false;                 // shown and not yet waited for
    std::vector<int> TipsOverSplash;       // tips offered while the splash was up
    std::vector<int> TipsShown;
    std::optional<Bitmap> Clipboard;  // the clipboard's picture
    bool SuppressTips = false;  // the answer to "do not show again"
    int Beeps = 0;
    int MessagesProcessed = 0;

    MsgResult ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest& request) override;
    void ProcessMessages() override { ++MessagesProcessed; }
    void Beep() override { ++Beeps; }
    std::optional<Bitmap> GetClipboardBitmap() override { return Clipboard; }
    bool SetClipboardBitmap(const Bitmap& bitmap) override {
        Clipboard = bitmap;
        return true;
    }
    void DebugOutput(std::string_view line) override { TraceLines.emplace_back(line); }
    void ShowProgress(std::string_view text) override {
        ProgressTexts.emplace_back(text);
        ProgressOpen = true;
    }
    // Like the real window, a result text needs a window to show it in: a
    // text set with none open would never be seen, so it is refused.
    void SetProgressText(std::string_view text, int closeAfterMs) override;
    bool ProgressOpen = false;
    void ShowSplash(int closeAfterMs) override {
        SplashDelays.push_back(closeAfterMs);
        SplashUp = true;
    }
    void WaitForSplash() override { SplashUp = false; }
    bool ShowTipWindow(Tip tip) override {
        TipsShown.push_back(int(tip));
        if (SplashUp) TipsOverSplash.push_back(int(tip));
        if (WhileTipShown) WhileTipShown(int(tip));
        return SuppressTips;
    }
    std::function<void(int)> WhileTipShown;  // what the user does while a tip is up
    std::function<void(const MessageBoxRequest&)> WhileMessageShown;  // likewise while a message is up

    // The texts of the messages shown so far, in order.
    std::vector<std::string> MessageTexts() const;

private:
    std::optional<std::filesystem::path> NextDialogAnswer();
};

}  // namespace orvane
