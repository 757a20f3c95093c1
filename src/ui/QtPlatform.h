#pragma once

#include "platform/Platform.h"

class QWidget;
class QString;

namespace orvane {

// The desktop as Qt gives it: message boxes, file and folder dialogs, the
// event loop and the system beep.
class QtPlatform : public Platform {
public:
    explicit QtPlatform(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    MsgResult ShowMessageBox(const MessageBoxRequest& request) override;
    std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
    std::optional<std::filesystem::path> BrowseForFolder(const FolderRequest& request) override;
    void ProcessMessages() override;
    void Beep() override;
    void DebugOutput(std::string_view line) override;
    void ShowProgress(std::string_view text) override;
    void SetProgressText(std::string_view text, int closeAfterMs) override;

private:
    QWidget* parent_;
};

// "Menus (*.mng)|*.MNG" -> "Menus (*.mng *.MNG)": Qt wants the patterns inside
// the description; both spellings are offered since Linux names are case-sensitive.
QString QtFilter(const std::string& filter);

}  // namespace orvane
