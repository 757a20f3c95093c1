#pragma once

#include "platform/Platform.h"

#include <ostream>

namespace orvane {

// The command-line tool's desktop: messages go to the error stream, questions
// are answered No (a command never overwrites or installs unasked), dialogs
// are cancelled and developer output is dropped.
class ConsolePlatform : public Platform {
public:
    explicit ConsolePlatform(std::ostream& err) : err_(err) {}

    MsgResult ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest&) override { return std::nullopt; }
    void ProcessMessages() override {}
    void Beep() override {}
    void DebugOutput(std::string_view) override {}
    void ShowProgress(std::string_view) override {}
    void SetProgressText(std::string_view, int) override {}

    int MessagesShown = 0;

private:
    std::ostream& err_;
};

}  // namespace orvane
