// Start-up, the settings, files given on the command line or dropped, and shutdown.
#include "app/EditorSession.h"

#include "platform/AsciiCase.h"

#include "app/AppFolders.h"
#include "app/EditorModel.h"
#include "app/Guards.h"
#include "app/SingleInstance.h"
#include "app/Tips.h"
#include "platform/Errors.h"
#include "platform/PathText.h"
#include "document/MenuFileInfo.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string FolderOf(const fs::path& path) { return FolderWithSlash(Utf8FromPath(path.parent_path())); }

}  // namespace

EditorSession::EditorSession(EditorModel& model) : model_(model), platform_(model.Desktop()) {}

void EditorSession::Start() {
    const auto [screenWidth, screenHeight] = platform_.ScreenSize();
    prefs_ = ReadSettingsFile(PathFromUtf8(model_.folders_.SettingsFile),
                             Settings::Defaults(model_.folders_.Documents, screenWidth, screenHeight));
    model_.fastScaling_ = prefs_.FastScaling;
    model_.Files().SetFolder(prefs_.MenuFolder);
    model_.palettes_.Open.fill(0);
    model_.palettes_.OnePaletteMode = prefs_.OnePaletteMode;
    for (int i = 0; i < PaletteColumn::kCount; ++i)
        if (prefs_.PaletteOpen[size_t(i)] == 1) model_.palettes_.OpenIfClosed(i);
    model_.Undo().Start();
    model_.buttonStyles_.LoadCustomButtons(model_.ButtonFolders(), platform_);
    model_.Files().RefreshMenuList();
}

bool EditorSession::TipSuppressed(Tip tip) const {
    const auto n = size_t(tip);
    return n < prefs_.TipShown.size() && prefs_.TipShown[n] != 0;
}

void EditorSession::ShowTip(Tip tip) {
    const auto n = size_t(tip);
    if (n >= prefs_.TipShown.size()) return;
    if (model_.renderSuspended_ > 0 || prefs_.TipShown[n] != 0) return;
    if (platform_.ShowTipWindow(tip)) prefs_.TipShown[n] = 1;
}

void EditorSession::DeferredStart(const std::vector<std::string>& args) {
    const std::vector<fs::path> files = FilesNamed(args);
    const bool fileGiven = !files.empty();
    platform_.ShowSplash(fileGiven ? 400 : 1400);
    platform_.ProcessMessages();
    platform_.ProcessMessages();
    model_.styles_.GetStyles(model_.StyleFolders(), platform_);
    model_.Buttons().Add();
    const bool documentSet = OpenFiles(files);
    if (!documentSet) {
        model_.StartNewMenu();
        model_.doc_.Props.MenuColor = model_.presets_[0];
        model_.ColorSkin(true);
    }
    platform_.ProcessMessages();
    model_.Files().RefreshMenuList();
    if (ShowDocument) ShowDocument();
    model_.redrawCountdown_ = -1;
    model_.flags_.Modified = false;
    model_.doc_.Menu.UndoCount = 0;
    model_.doc_.Menu.RedoCount = 0;
    if (!fileGiven) {
        // The start-up tip waits until the splash has gone.
        platform_.WaitForSplash();
        ShowTip(TipSuppressed(Tip::GettingStarted) ? Tip::Palettes : Tip::GettingStarted);
    }
}

namespace {

FileKind KindOfFile(const fs::path& path) {
    try {
        return KindOfStored(ReadWholeFile(path));
    } catch (const FileError&) {
        return FileKind::Menu;  // the menu reader says what is wrong with it
    }
}

}  // namespace

EditorSession::DroppedKind EditorSession::KindOfDropped(const fs::path& path) {
    const std::string name = Utf8FromPath(path.filename());
    for (const char* document : {".mng", ".ovgsty", ".ovgbtn"})
        if (EndsWithNoCase(name, document)) return DroppedKind::Document;
    for (const char* picture : {".bmp", ".jpg", ".jpeg", ".png"})
        if (EndsWithNoCase(name, picture)) return DroppedKind::Picture;
    return DroppedKind::None;
}

void EditorSession::DropFiles(const std::vector<fs::path>& files) {
    std::vector<FileKind> kinds;
    for (const fs::path& file : files) kinds.push_back(KindOfFile(file));
    // Anything but a button style replaces the document.
    const bool replaces = std::any_of(kinds.begin(), kinds.end(), [](FileKind k) { return k != FileKind::ButtonStyle; });
    if (replaces && !model_.Files().SaveChangesQuestion()) return;
    OpenFiles(files);
    model_.Files().RefreshMenuList();
    if (std::count(kinds.begin(), kinds.end(), FileKind::Menu) > 1)
        ShowMessageBox(platform_, "One menu is open at a time, so only one of the menus dropped was opened.",
                       MsgType::Information);
}

bool EditorSession::OpenFiles(const std::vector<fs::path>& files) {
    // Every file it can: style files install, the first menu opens.
    bool documentSet = false, menuOpened = false;
    for (const fs::path& path : files) {
        const FileKind kind = KindOfFile(path);
        if (kind == FileKind::ButtonStyle) {
            InstallButtonStyleFile(path);
            continue;
        }
        if (kind == FileKind::Menu && menuOpened) {
            Say(Utf8FromPath(path) + ": one menu is open at a time; this one was not opened");
            continue;
        }
        model_.Files().SetFolder(FolderOf(path));
        std::error_code ec;
        const bool exists = fs::exists(path, ec);
        if (model_.BinMenuOpen(Utf8FromPath(path.filename()), model_.Files().Folder(), false)) {
            documentSet = menuOpened = true;
        } else if (kind == FileKind::MenuStyle) {
            documentSet = true;  // installing started a new menu in the style
        } else {
            Say(Utf8FromPath(path) + ": " + (exists ? kMenuUnreadable : std::string("Menu not found.")));
        }
    }
    return documentSet;
}

bool EditorSession::CloseQuery() { return model_.Files().SaveChangesQuestion(); }

void EditorSession::Say(const std::string& text) {
    if (Report) Report(text);
}

void EditorSession::InstallButtonStyleFile(const fs::path& path) {
    const fs::path target = PathFromUtf8(model_.ButtonsFolder()) / path.filename();
    std::string name;
    try {
        RecordFile file(platform_);
        file.OpenRecordFile(Utf8FromPath(path.filename()), FolderOf(path), false, false);
        const ButtonStyleRecords records = ReadButtonStyleRecords(file);
        file.CloseRecordFile();
        if (records.Magic != ButtonStyleFileMagic() || !records.PicturesRead) {
            const std::string text = "Error loading binary button data: " + Utf8FromPath(path.filename());
            ShowMessageBox(platform_, text, MsgType::Warning);
            Say(Utf8FromPath(path) + ": " + text);
            return;
        }
        name = records.Style.Name;
        if (fs::absolute(path).lexically_normal() != target.lexically_normal()) {
            CreateFolders(PathFromUtf8(model_.ButtonsFolder()));
            CopyFileReplacing(path, target);
        }
    } catch (const FileError& e) {
        ShowMessageBox(platform_, "The button style could not be added.\r\r" + std::string(e.what()), MsgType::Error);
        Say(Utf8FromPath(path) + ": " + e.what());
        return;
    }
    model_.buttonStyles_.LoadCustomButtons(model_.ButtonFolders(), platform_);
    ShowMessageBox(platform_, "The button style (" + name + ") has been added to the Button Style list.",
                   MsgType::Information);
}

void EditorSession::ResetTips() { ResetFirstUseTips(prefs_, platform_); }

bool EditorSession::SaveSettings() {
    try {
        WriteSettingsFile(PathFromUtf8(model_.folders_.SettingsFile), prefs_);
        return true;
    } catch (const FileError& e) {
        // The file that was there stays; the user keeps the settings of the last good save.
        platform_.Trace(e.what());
        ShowMessageBox(platform_, "The settings could not be saved.\r\r" + std::string(e.what()), MsgType::Warning);
        return false;
    }
}

void EditorSession::Shutdown() {
    prefs_.MenuFolder = model_.Files().Folder();
    prefs_.FastScaling = model_.fastScaling_;
    for (size_t i = 0; i < prefs_.PaletteOpen.size(); ++i) prefs_.PaletteOpen[i] = model_.palettes_.Open[i];
    prefs_.OnePaletteMode = model_.palettes_.OnePaletteMode;
    SaveSettings();
    model_.Undo().Close();
}

}  // namespace orvane
