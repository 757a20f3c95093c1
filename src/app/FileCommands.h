#pragma once

#include <exception>
#include <string>
#include <vector>

namespace orvane {

class EditorModel;
class Platform;

// The File menu's commands on the one document: New, Open, Save, Save As,
// the list of recent menus and Exit, with the save-changes question.
class FileCommands {
public:
    explicit FileCommands(EditorModel& model);

    // The save-changes question; false when the command is to be abandoned:
    // on Cancel, and on Yes when the save did not happen (its dialog was
    // cancelled, a question declined, the write failed).
    bool SaveChangesQuestion();
    void New();
    void Open();
    bool Save();
    bool SaveAs();
    // "Exit": false when the user kept the window open.
    bool Exit();
    // Saves the document under a name of its own choosing, without the Save
    // As dialog (the command-line tool); false when the save did not happen.
    bool SaveTo(const std::string& folder, const std::string& fileName);
    // After a save: warns when the menu is larger than most laptop screens
    // (once for each size it takes).
    void WarnIfLarge();

    // The folder menus are opened from and saved to (ends in "/").
    const std::string& Folder() const { return folder_; }
    void SetFolder(const std::string& folder) { folder_ = folder; }

    static constexpr int kMenuListSize = 20;
    // File names of the folder's menus, at most 20.
    const std::vector<std::string>& MenuList() const { return menuList_; }
    void RefreshMenuList();
    void OpenMenuListEntry(int index);

private:
    EditorModel& model_;
    Platform& platform_;
    std::string folder_;
    std::vector<std::string> menuList_;
    int warnedWidth_ = 0, warnedHeight_ = 0;  // the large size last warned about

    bool ReportSaveFailure(const std::exception* error);
};

}  // namespace orvane
