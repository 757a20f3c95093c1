// The commands of the main window that create, open, save and restructure the
// document, its undo history, start-up and shutdown.
#include "EditorModel.h"

#include "app/AppFolders.h"
#include "app/Guards.h"
#include "distribution/MenuSize.h"
#include "document/MenuFileInfo.h"
#include "platform/Errors.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string FolderOf(const fs::path& path) { return FolderWithSlash(Utf8FromPath(path.parent_path())); }

bool EndsWithMngIgnoringCase(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return tail == ".mng";
}

}  // namespace

// Start-up and shutdown --------------------------------------------------------

void EditorModel::FormCreate() {
    const auto [screenWidth, screenHeight] = platform_.ScreenSize();
    Prefs = ReadSettingsFile(PathFromUtf8(SettingsPath()),
                             Settings::Defaults(Folders.Documents, screenWidth, screenHeight));
    FastScaling = Prefs.FastScaling;
    MenuFolder = Prefs.MenuFolder;
    Palettes.Open.fill(0);
    Palettes.OnePaletteMode = Prefs.OnePaletteMode;
    for (int i = 0; i < PaletteColumn::kCount; ++i)
        if (Prefs.PaletteOpen[size_t(i)] == 1) Palettes.OpenIfClosed(i);
    UndoFolder = ChooseUndoFolder();
    ButtonStyles.LoadCustomButtons(ButtonFolders(), platform_);
    RefreshMenuList();
}

void EditorModel::ShowTip(int tip) {
    if (tip < 0 || tip >= int(Prefs.TipShown.size())) return;
    if (RenderSuspended > 0 || Prefs.TipShown[size_t(tip)] != 0) return;
    if (platform_.ShowTipWindow(tip)) Prefs.TipShown[size_t(tip)] = 1;
}

void EditorModel::DeferredStart(const std::vector<std::string>& args) {
    std::vector<fs::path> files;
    for (const std::string& arg : args)
        if (!arg.empty() && arg != "\"\"") files.push_back(fs::absolute(PathFromUtf8(arg)));
    const bool fileGiven = !files.empty();
    platform_.ShowSplash(fileGiven ? 400 : 1400);
    platform_.ProcessMessages();
    platform_.ProcessMessages();
    Styles.GetStyles(StyleFolders(), platform_);
    AddButton();
    const bool documentSet = OpenFiles(files);
    if (!documentSet) {
        StartNewMenu();
        Doc.Props.MenuColor = Presets[0];
        ColorSkin(true);
    }
    platform_.ProcessMessages();
    RefreshMenuList();
    if (ShowDocument) ShowDocument();
    RedrawCountdown = -1;
    Flags.Modified = false;
    Doc.Menu.UndoCount = 0;
    Doc.Menu.RedoCount = 0;
    if (!fileGiven) {
        // The start-up tip waits until the splash has gone.
        platform_.WaitForSplash();
        ShowTip(Prefs.TipShown[0] != 0 ? 1 : 0);
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

bool EndsWithIgnoringCase(const std::string& name, std::string_view tail) {
    if (name.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[name.size() - tail.size() + i])) != tail[i]) return false;
    return true;
}

}  // namespace

EditorModel::DroppedKind EditorModel::KindOfDropped(const fs::path& path) {
    const std::string name = Utf8FromPath(path.filename());
    for (const char* document : {".mng", ".ovgsty", ".ovgbtn"})
        if (EndsWithIgnoringCase(name, document)) return DroppedKind::Document;
    for (const char* picture : {".bmp", ".jpg", ".jpeg", ".png"})
        if (EndsWithIgnoringCase(name, picture)) return DroppedKind::Picture;
    return DroppedKind::None;
}

void EditorModel::DropFiles(const std::vector<fs::path>& files) {
    std::vector<FileKind> kinds;
    for (const fs::path& file : files) kinds.push_back(KindOfFile(file));
    // Anything but a button style replaces the document.
    const bool replaces = std::any_of(kinds.begin(), kinds.end(), [](FileKind k) { return k != FileKind::ButtonStyle; });
    if (replaces && !SaveChangesQuestion()) return;
    OpenFiles(files);
    RefreshMenuList();
    if (std::count(kinds.begin(), kinds.end(), FileKind::Menu) > 1)
        ShowMessageBox(platform_, "One menu is open at a time, so only one of the menus dropped was opened.",
                       MsgType::Information);
}

bool EditorModel::OpenFiles(const std::vector<fs::path>& files) {
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
        MenuFolder = FolderOf(path);
        std::error_code ec;
        const bool exists = fs::exists(path, ec);
        if (BinMenuOpen(Utf8FromPath(path.filename()), MenuFolder, false)) {
            documentSet = menuOpened = true;
        } else if (kind == FileKind::MenuStyle) {
            documentSet = true;  // installing started a new menu in the style
        } else {
            Say(Utf8FromPath(path) + ": " + (exists ? kMenuUnreadable : std::string("Menu not found.")));
        }
    }
    return documentSet;
}

bool EditorModel::CloseQuery() { return SaveChangesQuestion(); }

void EditorModel::Say(const std::string& text) {
    if (Report) Report(text);
}

void EditorModel::InstallButtonStyleFile(const fs::path& path) {
    const fs::path target = PathFromUtf8(ButtonsFolder()) / path.filename();
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
            CreateFolders(PathFromUtf8(ButtonsFolder()));
            CopyFileReplacing(path, target);
        }
    } catch (const FileError& e) {
        ShowMessageBox(platform_, "The button style could not be added.\r\r" + std::string(e.what()), MsgType::Error);
        Say(Utf8FromPath(path) + ": " + e.what());
        return;
    }
    ButtonStyles.LoadCustomButtons(ButtonFolders(), platform_);
    ShowMessageBox(platform_, "The button style (" + name + ") has been added to the Button Style list.",
                   MsgType::Information);
}

bool EditorModel::SaveSettings() {
    try {
        WriteSettingsFile(PathFromUtf8(SettingsPath()), Prefs);
        return true;
    } catch (const FileError& e) {
        // The file that was there stays; the user keeps the settings of the last good save.
        platform_.Trace(e.what());
        ShowMessageBox(platform_, "The settings could not be saved.\r\r" + std::string(e.what()), MsgType::Warning);
        return false;
    }
}

void EditorModel::Shutdown() {
    Prefs.MenuFolder = MenuFolder;
    Prefs.FastScaling = FastScaling;
    for (size_t i = 0; i < Prefs.PaletteOpen.size(); ++i) Prefs.PaletteOpen[i] = Palettes.Open[i];
    Prefs.OnePaletteMode = Palettes.OnePaletteMode;
    SaveSettings();
    UndoKill();
    if (ownUndoFolder_) RemoveEmptyFolder(PathFromUtf8(UndoFolder));
    undoLock_.Unlock();
}

// Undo and redo ---------------------------------------------------------------

std::string EditorModel::SnapshotName(bool redo, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "%s%.3d.und", redo ? "RD" : "UD", number);
    return name;
}

// The snapshots go beside the editor. Two editors started from one folder
// would overwrite each other's: the second keeps its own in a folder of its
// own, as does an editor whose folder takes no files.
std::string EditorModel::ChooseUndoFolder() {
    ownUndoFolder_ = false;
    if (!Folders.Portable) {
        // Installed, every editor has a folder of its own in the runtime folder.
        try {
            if (Folders.Undo.empty()) throw FileError("no runtime or cache folder");
            CreateFolders(PathFromUtf8(Folders.Undo));
            ownUndoFolder_ = true;
            return Folders.Undo;
        } catch (const FileError& e) {
            UndoOff(e.what());
            return {};
        }
    }
    const std::string lock = AppFolder + ".undo.lock";
    if (CanReplace(PathFromUtf8(lock)) && undoLock_.TryLock(PathFromUtf8(lock))) return AppFolder;
    const std::string beside =
        CanReplace(PathFromUtf8(lock)) ? AppFolder + ".undo-" + std::to_string(CurrentProcessId()) + "/" : "";
    for (const std::string& folder : {beside, PrivateUndoFolder()}) {
        if (folder.empty()) continue;
        try {
            CreateFolders(PathFromUtf8(folder));
            ownUndoFolder_ = true;
            return folder;
        } catch (const FileError& e) {
            platform_.Trace(e.what());
        }
    }
    UndoOff("there is no folder it can write to");
    return {};
}

void EditorModel::UndoOff(const std::string& reason) {
    UndoFolder.clear();
    Doc.Menu.UndoCount = 0;
    Doc.Menu.RedoCount = 0;
    UndoUnavailable = reason;
}

void EditorModel::TakeSnapshot() {
    TOVMenu& m = Doc.Menu;
    m.RedoCount = 0;
    if (++m.UndoCount == 31) {
        m.UndoCount = 30;
        for (int k = 2; k <= 30; ++k)
            CopyFileReplacing(PathFromUtf8(UndoFolder + SnapshotName(false, k)),
                              PathFromUtf8(UndoFolder + SnapshotName(false, k - 1)));
    }
    BinMenuSave(true, false, true, true, UndoFolder, SnapshotName(false, m.UndoCount));
}

void EditorModel::UndoMake() {
    if (Flags.UndoBusy || Flags.Loading) return;
    Flags.Modified = true;
    if (undoStepDepth_ > 0) {
        if (undoStepTaken_) return;
        undoStepTaken_ = true;
    }
    if (!UndoUnavailable.empty() && !undoOffTold_) {
        undoOffTold_ = true;
        ShowMessageBox(platform_,
                       "Undo is not available: the editor cannot keep its undo history (" + UndoUnavailable +
                           ").\r\rYou can go on editing; saving your menu is not affected.",
                       MsgType::Warning);
    }
    // Without the main window (the command-line tool) there is no history to keep.
    if (UndoFolder.empty()) return;
    try {
        TakeSnapshot();
    } catch (const FileError& first) {
        // A history that could not be written whole cannot be trusted: it
        // starts again, in a folder of this editor's own if that works.
        platform_.Trace(first.what());
        UndoKill();
        const std::string elsewhere = PrivateUndoFolder();
        bool kept = false;
        if (!elsewhere.empty() && elsewhere != UndoFolder) {
            try {
                CreateFolders(PathFromUtf8(elsewhere));
                if (ownUndoFolder_) RemoveEmptyFolder(PathFromUtf8(UndoFolder));
                UndoFolder = elsewhere;
                ownUndoFolder_ = true;
                TakeSnapshot();
                kept = true;
            } catch (const FileError& second) {
                platform_.Trace(second.what());
                UndoKill();
            }
        }
        if (!kept) {
            UndoOff(first.what());
            UndoMake();  // tells the user, once
        }
    }
    platform_.ProcessMessages();
}

// Undo and redo write the present state before reading the other; a failure
// on the way leaves the document and the history as they were.
void EditorModel::StepThroughHistory(bool redo) {
    TOVMenu& m = Doc.Menu;
    const int available = redo ? m.RedoCount : m.UndoCount;
    if (available < 1 || Flags.Loading || UndoFolder.empty()) return;
    FlagSet busy(Flags.UndoBusy);
    platform_.ProcessMessages();
    const int undo = m.UndoCount, redoCount = m.RedoCount, selected = m.SelectedButton;
    auto putBack = [&] {
        m.UndoCount = undo;
        m.RedoCount = redoCount;
        m.SelectedButton = selected;
    };
    m.SelectedButton = -1;
    int& written = redo ? m.UndoCount : m.RedoCount;
    ++written;
    try {
        BinMenuSave(true, false, true, true, UndoFolder, SnapshotName(!redo, written));
    } catch (const FileError& e) {
        putBack();
        platform_.Trace(e.what());
        ShowMessageBox(platform_,
                       std::string(redo ? "The change could not be redone" : "The change could not be undone") +
                           ", because the undo history could not be written.\r\r" + e.what(),
                       MsgType::Error);
        return;
    }
    // A snapshot that cannot be read has been reported by the reader.
    if (!BinMenuOpen(SnapshotName(redo, available), UndoFolder, true)) {
        putBack();
        return;
    }
    --(redo ? m.RedoCount : m.UndoCount);
    m.SelectedButton = -1;
}

void EditorModel::UndoUndo() { StepThroughHistory(false); }
void EditorModel::UndoRedo() { StepThroughHistory(true); }

void EditorModel::UndoKill() {
    std::error_code ec;
    const std::string folder = UndoFolder.empty() ? AppFolder : UndoFolder;
    for (fs::directory_iterator it(PathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8FromPath(it->path().filename());
        const bool snapshot = name.size() >= 6 && name[1] == 'D' && name.compare(name.size() - 4, 4, ".und") == 0;
        if (!snapshot || (name[0] != 'U' && name[0] != 'R')) continue;
        try {
            RemoveFile(it->path());
        } catch (const FileError& e) {
            platform_.Trace(e.what());  // a stale snapshot harms nothing; the next run overwrites it
        }
    }
    Doc.Menu.UndoCount = 0;
    Doc.Menu.RedoCount = 0;
}

// File commands -----------------------------------------------------------------

bool EditorModel::SaveChangesQuestion() {
    if (!Flags.Modified) return true;
    const MsgResult answer = ShowMessageBox(platform_, "Do you want to save the changes you made to " + Doc.Menu.FileName,
                                            MsgType::Warning, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    // A save that did not happen keeps the changes, so what asked for it stops.
    if (answer == MsgResult::Yes) return Doc.Menu.HasFile ? FileSave() : FileSaveAs();
    return true;
}

void EditorModel::FileNew() {
    if (!SaveChangesQuestion()) return;
    StartNewMenu();
}

void EditorModel::FileOpen() {
    if (!SaveChangesQuestion()) return;
    FileDialogRequest request;
    request.Title = "Open Menu...";
    request.Filter = "Orvane Graphic Menu (*.mng)|*.MNG";
    request.InitialFolder = PathFromUtf8(MenuFolder);
    const auto chosen = platform_.OpenFileDialog(request);
    if (!chosen) return;
    std::error_code ec;
    if (!fs::exists(*chosen, ec)) {
        ShowMessageBox(platform_, "The menu \"" + Utf8FromPath(chosen->filename()) + "\" could no be found.",
                       MsgType::Information);
        return;
    }
    platform_.ShowProgress("Loading Menu...");
    MenuFolder = FolderOf(*chosen);
    const bool loaded = BinMenuOpen(Utf8FromPath(chosen->filename()), MenuFolder, false);
    RefreshMenuList();
    // A refused file was reported already; the progress window must not claim otherwise.
    platform_.SetProgressText(loaded ? "Menu Loaded." : kMenuUnreadable, 600);
}

bool EditorModel::ReportSaveFailure(const std::exception* error) {
    if (error) platform_.Trace(error->what());
    ShowMessageBox(platform_, "A problem occured when saving the menu.", MsgType::Information);
    return false;
}

bool EditorModel::FileSave() {
    if (!EndsWithMngIgnoringCase(Doc.Menu.FileName)) return FileSaveAs();
    try {
        // A declined question ends the save without a word.
        const bool saved = BinMenuSave(true, false, false, false, Doc.Menu.Folder, Doc.Menu.FileName);
        if (saved) WarnIfLarge();
        return saved;
    } catch (const FileError& e) {
        return ReportSaveFailure(&e);
    }
    return true;
}

bool EditorModel::FileSaveAs() {
    FileDialogRequest request;
    request.Title = "Save Menu As...";
    request.Filter = "Orvane Menus (*.mng)|*.MNG";
    request.InitialFolder = PathFromUtf8(MenuFolder);
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
    const std::string oldName = Doc.Menu.FileName, oldFolder = Doc.Menu.Folder;
    Doc.Menu.FileName = name;
    Doc.Menu.Folder = FolderOf(*chosen);
    MenuFolder = Doc.Menu.Folder;
    bool saved = false;
    try {
        saved = BinMenuSave(true, false, false, false, Doc.Menu.Folder, Doc.Menu.FileName);
    } catch (const FileError& e) {
        ReportSaveFailure(&e);
    }
    if (!saved) {
        Doc.Menu.FileName = oldName;
        Doc.Menu.Folder = oldFolder;
    }
    RefreshMenuList();
    if (saved) WarnIfLarge();
    return saved;
}

void EditorModel::WarnIfLarge() {
    const int w = Doc.MenuImage.Width(), h = Doc.MenuImage.Height();
    if (w == warnedWidth_ && h == warnedHeight_) return;
    const std::string warning = LargeMenuWarning({{Doc.Menu.FileName, w, h}});
    if (warning.empty()) return;
    warnedWidth_ = w;
    warnedHeight_ = h;
    ShowMessageBox(platform_, warning, MsgType::Warning);
}

void EditorModel::RefreshMenuList() {
    MenuList.clear();
    for (const fs::path& file : FilesWithExtension(PathFromUtf8(MenuFolder), ".mng"))
        MenuList.push_back(Utf8FromPath(file.filename()));
    if (MenuList.size() > size_t(kMenuListSize)) MenuList.resize(kMenuListSize);
}

void EditorModel::OpenMenuListEntry(int index) {
    if (index < 0 || index >= int(MenuList.size())) return;
    const std::string path = MenuFolder + MenuList[size_t(index)];
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(path), ec)) {
        ShowMessageBox(platform_, "The following menu could no be found:\r\r" + path, MsgType::Information);
        RefreshMenuList();
        return;
    }
    BinMenuOpen(MenuList[size_t(index)], MenuFolder, false);
}

bool EditorModel::FileExit() {
    platform_.ProcessMessages();
    if (!CloseQuery()) return false;
    Shutdown();
    return true;
}

// Button commands -----------------------------------------------------------------

void EditorModel::AddButton() {
    TOVMenu& m = Doc.Menu;
    if (m.ButtonCount >= kMaxButtons) {
        platform_.Beep();
        return;
    }
    UndoMake();
    ++m.ButtonCount;
    TOVButton& b = m.Buttons[size_t(m.ButtonCount)];
    b.Caption = "Button " + std::to_string(m.ButtonCount);
    b.MinimizeOnClick = 0;
    b.MaximizeWindow = 0;
    b.ExitOnClick = 0;
    m.SelectedButton = m.ButtonCount;
    OpenPalette(ButtonProperties);
    CreateSkin();
    ShowTip(13);
}

void EditorModel::DeleteButton() {
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to delete.", MsgType::Information);
        return;
    }
    if (m.ButtonCount == 1) {
        ShowMessageBox(platform_, "You must have at least one button on your menu.", MsgType::Information);
        return;
    }
    UndoMake();
    for (int k = m.SelectedButton; k < m.ButtonCount; ++k) CopyButton(m, k + 1, k);
    Renderer.Layout.ButtonVisible[size_t(m.ButtonCount)] = false;
    --m.ButtonCount;
    PreviousButton();
    CreateSkin();
    Flags.Modified = true;
}

void EditorModel::MoveUp() {
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to move.", MsgType::Information);
        return;
    }
    if (m.SelectedButton == 1) {
        platform_.Beep();
        return;
    }
    UndoMake();
    const int s = m.SelectedButton;
    CopyButton(m, s, kSwapSlot);
    CopyButton(m, s - 1, s);
    CopyButton(m, kSwapSlot, s - 1);
    m.SelectedButton = s - 1;
    CreateSkin();
}

void EditorModel::MoveDown() {
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to move.", MsgType::Information);
        return;
    }
    if (m.SelectedButton >= m.ButtonCount) {
        platform_.Beep();
        return;
    }
    UndoMake();
    const int s = m.SelectedButton;
    CopyButton(m, s, kSwapSlot);
    CopyButton(m, s + 1, s);
    CopyButton(m, kSwapSlot, s + 1);
    m.SelectedButton = s + 1;
    CreateSkin();
}

void EditorModel::CutButton() {
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button.", MsgType::Information);
        return;
    }
    if (m.ButtonCount == 1) {
        ShowMessageBox(platform_, "You must have at least one button on your menu.", MsgType::Information);
        return;
    }
    CopyButton(m, m.SelectedButton, kClipboardSlot);
    DeleteButton();
}

void EditorModel::CopyButtonToClipboard() {
    TOVMenu& m = Doc.Menu;
    if (m.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button.", MsgType::Information);
        return;
    }
    CopyButton(m, m.SelectedButton, kClipboardSlot);
}

void EditorModel::PasteButton() {
    TOVMenu& m = Doc.Menu;
    if (m.ButtonCount >= kMaxButtons) {
        platform_.Beep();
        return;
    }
    UndoMake();
    {
        FlagSet updating(Flags.Updating);
        ++m.ButtonCount;
        CopyButton(m, kClipboardSlot, m.ButtonCount);
        m.SelectedButton = m.ButtonCount;
    }
    CreateSkin();
    Flags.Modified = true;
}

void EditorModel::PreviousButton() {
    TOVMenu& m = Doc.Menu;
    FlagSet updating(Flags.Updating);
    if (--m.SelectedButton < 1) m.SelectedButton = m.ButtonCount;
    ShowButtonProps();
}

void EditorModel::NextButton() {
    TOVMenu& m = Doc.Menu;
    FlagSet updating(Flags.Updating);
    if (m.SelectedButton < 1 || ++m.SelectedButton > m.ButtonCount) m.SelectedButton = 1;
    ShowButtonProps();
}

// Selection and fields -----------------------------------------------------------------

void EditorModel::PressButton(int slot) {
    if (slot < 1 || slot > Doc.Menu.ButtonCount) return;
    Doc.Menu.SelectedButton = slot;
    Renderer.Layout.SelectionVisible = true;
}

void EditorModel::ClickButton(int slot) {
    PressButton(slot);
    OpenPalette(ButtonProperties);
    FocusRequest = Focus::Caption;
}

void EditorModel::ClickBackground() {
    Doc.Menu.SelectedButton = 0;
    Renderer.Layout.SelectionVisible = false;
}

void EditorModel::ClickMenuText() {
    Doc.Menu.SelectedButton = 0;
    Renderer.Layout.SelectionVisible = true;
    OpenPalette(MenuDescription);
    FocusRequest = Focus::MenuText;
}

void EditorModel::ClickTitle() {
    if (IsMyBackground()) return;
    Doc.Menu.SelectedButton = -1;
    Renderer.Layout.SelectionVisible = true;
    OpenPalette(MenuDescription);
    FocusRequest = Focus::Title;
}

void EditorModel::SetCaption(const std::string& text) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Caption = text;
    Flags.Modified = true;
    RedrawCountdown = RedrawDelay;
}

void EditorModel::SetCommand(const std::string& text) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Command = text;
    Flags.Modified = true;
}

void EditorModel::SetArgument(const std::string& text) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Argument = text;
    Flags.Modified = true;
}

void EditorModel::SetDescription(const std::string& text) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].Description = text;
    Flags.Modified = true;
}

void EditorModel::SetMinimizeOnClick(bool on) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MinimizeOnClick = on ? 1 : 0;
    Flags.Modified = true;
}

void EditorModel::SetMaximizeWindow(bool on) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].MaximizeWindow = on ? 1 : 0;
    Flags.Modified = true;
}

void EditorModel::SetExitOnClick(bool on) {
    TOVMenu& m = Doc.Menu;
    if (Flags.Updating || m.SelectedButton < 1) return;
    m.Buttons[size_t(m.SelectedButton)].ExitOnClick = on ? 1 : 0;
    Flags.Modified = true;
}

void EditorModel::SetAnimateTitle(bool on) {
    if (Flags.Updating) return;
    Doc.Props.AnimateTitle = on;
    Flags.Modified = true;
}

void EditorModel::SetDisableSounds(bool on) {
    if (Flags.Updating) return;
    Doc.Props.DisableSounds = on;
    Flags.Modified = true;
}

}  // namespace orvane

namespace orvane {

// Button commands and the autorun application -------------------------------------

void EditorModel::AddButtonStyle1Click() {
    // The style's own buttons, recoloured; the title and the menu text keep
    // the colours the user gave them, which have nothing to do with buttons.
    ComboBox2Select(0);
    platform_.ProcessMessages();
    if (OpenDesignerWindow) OpenDesignerWindow();
    ButtonStyles.LoadCustomButtons(ButtonFolders(), platform_);
    ShowTip(18);
}

void EditorModel::ShowButtonProps() {
    const TOVMenu& m = Doc.Menu;
    ButtonPanelFields& f = ButtonPanel;
    if (m.SelectedButton < 1 || m.SelectedButton > m.ButtonCount) {
        f.Caption.clear();
        f.Command.clear();
        f.Argument.clear();
        f.Description.clear();
        f.Minimize = false;
        f.Exit = false;  // the maximise box keeps its state
        return;
    }
    const TOVButton& b = m.Buttons[size_t(m.SelectedButton)];
    f = {b.Caption, b.Command, b.Argument, b.Description, b.MinimizeOnClick != 0, b.ExitOnClick != 0,
         b.MaximizeWindow != 0};
}

void EditorModel::QuickInfo() {
    ShowMessageBox(platform_,
                   "Typical use DOES NOT require any use of Commandline Arguments.\r\r"
                   "Use %CD% to indicate the CD drive, such that G:\\dir\\doc.ext would be %CD%:\\dir\\doc.ext\r"
                   " Please note the retention of the colon sign (:) in the argument above.\r\r"
                   "See Help for full instructions (Press F1 after you click OK below)",
                   MsgType::Information);
}

void EditorModel::EnterCommandField() {
    if (!Flags.Updating) ShowTip(12);
}

void EditorModel::EnterArgumentField() {
    if (!Flags.Updating) ShowTip(14);
}

std::unique_ptr<TfrmBtnWizCls> EditorModel::OpenCommandWizard() {
    if (Doc.Menu.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to add the command for.", MsgType::Information);
        return nullptr;
    }
    ShowTip(11);
    // Paths on the disc are made from the saved menu's folder; an unsaved menu
    // is offered a save first.
    return std::make_unique<TfrmBtnWizCls>(platform_, *this, Doc.Menu.HasFile ? Doc.Menu.Folder : std::string(), [this] {
        FileSaveAs();
        return Doc.Menu.HasFile ? Doc.Menu.Folder : std::string();
    });
}

std::unique_ptr<TfrmEXEWizCls> EditorModel::OpenAutorunWizard() {
    try {
        if (Flags.Modified) {
            const MsgResult answer = ShowMessageBox(platform_,
                                                    "Your autorun application will be created using the last saved\r"
                                                    "copy of your menu, do you want to save your menu now?",
                                                    MsgType::Confirmation, MsgButtons::YesNoCancel);
            if (answer == MsgResult::Cancel) return nullptr;
            // A save that did not happen (cancelled, refused, failed) has
            // spoken for itself and ends the command.
            if (answer == MsgResult::Yes && !FileSave()) return nullptr;
        }
        std::error_code ec;
        return std::make_unique<TfrmEXEWizCls>(platform_, Builder, Doc.Menu.FileName, Doc.Menu.Folder,
                                               Utf8FromPath(fs::current_path(ec)) + "/");
    } catch (const std::exception&) {
        ShowMessageBox(platform_, "Please open a menu you wish to create an application from first.",
                       MsgType::Information);
        return nullptr;
    }
}

}  // namespace orvane
