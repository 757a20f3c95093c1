// The File menu's commands.
#include "app/FileCommands.h"

#include "platform/AsciiCase.h"

#include "app/AppFolders.h"
#include "app/EditorModel.h"
#include "app/Guards.h"
#include "platform/Errors.h"
#include "platform/PathText.h"
#include "distribution/MenuSize.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string FolderOf(const fs::path& path) { return FolderWithSlash(Utf8FromPath(path.parent_path())); }

bool EndsWithMngIgnoringCase(const std::string& name) { return EndsWithNoCase(name, ".mng"); }

}  // namespace

FileCommands::FileCommands(EditorModel& model) : model_(model), platform_(model.Desktop()) {}

bool FileCommands::SaveChangesQuestion() {
    if (!model_.flags_.Modified) return true;
    const MsgResult answer =
        ShowMessageBox(platform_, "Do you want to save the changes you made to " + model_.doc_.Menu.FileName,
                       MsgType::Warning, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    // A save that did not happen keeps the changes, so what asked for it stops.
    if (answer == MsgResult::Yes) return model_.doc_.Menu.HasFile ? Save() : SaveAs();
    return true;
}

void FileCommands::New() {
    if (!SaveChangesQuestion()) return;
    model_.StartNewMenu();
}

void FileCommands::Open() {
    if (!SaveChangesQuestion()) return;
    FileDialogRequest request;
    request.Title = "Open Menu...";
    request.Filter = "Orvane Graphic Menu (*.mng)|*.MNG";
    request.InitialFolder = PathFromUtf8(folder_);
    const auto chosen = platform_.OpenFileDialog(request);
    if (!chosen) return;
    std::error_code ec;
    if (!fs::exists(*chosen, ec)) {
        ShowMessageBox(platform_, "The menu \"" + Utf8FromPath(chosen->filename()) + "\" could no be found.",
                       MsgType::Information);
        return;
    }
    platform_.ShowProgress("Loading Menu...");
    folder_ = FolderOf(*chosen);
    const bool loaded = model_.BinMenuOpen(Utf8FromPath(chosen->filename()), folder_, false);
    RefreshMenuList();
    // A refused file was reported already; the progress window must not claim otherwise.
    platform_.SetProgressText(loaded ? "Menu Loaded." : kMenuUnreadable, 600);
}

bool FileCommands::ReportSaveFailure(const std::exception* error) {
    if (error) platform_.Trace(error->what());
    ShowMessageBox(platform_, "A problem occured when saving the menu.", MsgType::Information);
    return false;
}

bool FileCommands::Save() {
    if (!EndsWithMngIgnoringCase(model_.doc_.Menu.FileName)) return SaveAs();
    try {
        // A declined question ends the save without a word.
        const bool saved = model_.BinMenuSave(SaveMode::Menu, model_.doc_.Menu.Folder, model_.doc_.Menu.FileName);
        if (saved) WarnIfLarge();
        return saved;
    } catch (const FileError& e) {
        return ReportSaveFailure(&e);
    }
    return true;
}

bool FileCommands::SaveAs() {
    FileDialogRequest request;
    request.Title = "Save Menu As...";
    request.Filter = "Orvane Menus (*.mng)|*.MNG";
    request.InitialFolder = PathFromUtf8(folder_);
    const auto chosen = platform_.SaveFileDialog(request);
    if (!chosen) return false;
    std::string name = Utf8FromPath(chosen->filename());
    // "DISC.MNG" is the file the user chose, not a reason to write "DISC.mng" beside it.
    if (!EndsWithMngIgnoringCase(Utf8FromPath(*chosen))) {
        const size_t dot = name.find('.');
        if (dot != std::string::npos) name.resize(dot);
        name += ".mng";
    }
    // Keep what was there if the write fails: the name changes only with the file.
    const std::string oldName = model_.doc_.Menu.FileName, oldFolder = model_.doc_.Menu.Folder;
    model_.doc_.Menu.FileName = name;
    model_.doc_.Menu.Folder = FolderOf(*chosen);
    folder_ = model_.doc_.Menu.Folder;
    bool saved = false;
    try {
        saved = model_.BinMenuSave(SaveMode::Menu, model_.doc_.Menu.Folder, model_.doc_.Menu.FileName);
    } catch (const FileError& e) {
        ReportSaveFailure(&e);
    }
    if (!saved) {
        model_.doc_.Menu.FileName = oldName;
        model_.doc_.Menu.Folder = oldFolder;
    }
    RefreshMenuList();
    if (saved) WarnIfLarge();
    return saved;
}

bool FileCommands::SaveTo(const std::string& folder, const std::string& fileName) {
    model_.doc_.Menu.FileName = fileName;
    model_.doc_.Menu.Folder = folder;
    if (!model_.BinMenuSave(SaveMode::Menu, folder, fileName)) return false;
    WarnIfLarge();
    return true;
}

void FileCommands::WarnIfLarge() {
    const int w = model_.doc_.MenuImage.Width(), h = model_.doc_.MenuImage.Height();
    if (w == warnedWidth_ && h == warnedHeight_) return;
    const std::string warning = LargeMenuWarning({{model_.doc_.Menu.FileName, w, h}});
    if (warning.empty()) return;
    warnedWidth_ = w;
    warnedHeight_ = h;
    ShowMessageBox(platform_, warning, MsgType::Warning);
}

void FileCommands::RefreshMenuList() {
    menuList_.clear();
    for (const fs::path& file : FilesWithExtension(PathFromUtf8(folder_), ".mng"))
        menuList_.push_back(Utf8FromPath(file.filename()));
    if (menuList_.size() > size_t(kMenuListSize)) menuList_.resize(kMenuListSize);
}

void FileCommands::OpenMenuListEntry(int index) {
    if (index < 0 || index >= int(menuList_.size())) return;
    const std::string path = folder_ + menuList_[size_t(index)];
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(path), ec)) {
        ShowMessageBox(platform_, "The following menu could no be found:\r\r" + path, MsgType::Information);
        RefreshMenuList();
        return;
    }
    model_.BinMenuOpen(menuList_[size_t(index)], folder_, false);
}

bool FileCommands::Exit() {
    platform_.ProcessMessages();
    if (!model_.Session().CloseQuery()) return false;
    model_.Session().Shutdown();
    return true;
}

}  // namespace orvane
