#include "EditorModel.h"

namespace orvane {

EditorModel::EditorModel(Platform& platform, std::filesystem::path appFolder)
    : Records(platform), platform_(platform) {
    AppFolder = appFolder.string();
    if (AppFolder.empty() || AppFolder.back() != '/') AppFolder += '/';
    MenuFolder = AppFolder;
}

std::string EditorModel::FileCaption() const {
    return Doc.Menu.FileName + " (" + Doc.Props.Title + ") - " + std::string(kAppTitle);
}

bool EditorModel::BinMenuSave(bool replace, bool ask, bool noPictures, bool silent, const std::string& folder,
                              const std::string& fileName) {
    if (silent) noPictures = true;
    if (!silent) platform_.ShowProgress("Saving...");
    Records.FileOpFailed = false;
    if (!Records.OpenRecordFile(fileName, folder, replace, ask)) {
        if (!silent) platform_.SetProgressText("Save cancelled...", 600);
        return false;
    }
    const int count = Doc.Menu.ButtonCount;
    Records.WriteRecordHeader(count, noPictures ? int16_t(-1) : int16_t(count * 3 + 1));
    const bool exitButton = WriteMenuFields(Records, Doc);
    if (!noPictures) WriteMenuPictures(Records, Doc);
    Records.WriteEnd();
    Records.CloseRecordFile();

    if (!silent) {
        // Set only once the file is in place, so a failed save claims nothing.
        WindowCaption = FileCaption();
        Doc.Menu.HasFile = true;
        if (!exitButton) ShowMessageBox(platform_, kExitButtonMessage, MsgType::Information);
        platform_.SetProgressText("Saved!", 600);
        Flags.Modified = false;
    }
    return true;
}

void EditorModel::EndRead() {
    Flags.Loading = false;
    Flags.Updating = false;
    if (RenderSuspended > 0) --RenderSuspended;
    DesignSurfaceVisible = true;
}

bool EditorModel::BinMenuOpen(const std::string& fileName, const std::string& folder, bool snapshot) {
    if (Flags.Loading) return false;
    Flags.Loading = true;
    Flags.Updating = true;
    Records.FileOpFailed = false;
    ++RenderSuspended;

    std::error_code ec;
    if (!std::filesystem::exists(folder + fileName, ec)) {
        ShowMessageBox(platform_, "Menu not found.", MsgType::Information);
        EndRead();
        return false;
    }

    // Read into a scratch copy; the document changes only once the read succeeded.
    StoredMenu start;
    start.Props = Doc.Props;
    MenuFileRead read;
    Records.OpenRecordFile(fileName, folder, false, false);
    read = ReadMenuFile(Records, start);
    Records.CloseRecordFile();

    if (read.Status == MenuReadStatus::StyleFile) {
        // Installing a style opened as a menu comes with the style list.
        ShowMessageBox(platform_, "The opened file contained a new menu style in an unrecognized format",
                       MsgType::Warning);
        EndRead();
        return false;
    }
    if (read.Status != MenuReadStatus::Ok) {
        platform_.Trace("Menu file refused: " + read.Detail);
        ShowMessageBox(platform_, kMenuUnreadable, MsgType::Error);
        EndRead();
        return false;
    }

    DesignSurfaceVisible = false;
    ApplyStoredMenu(read.Menu, read.Count, snapshot, fileName, folder);
    Doc.Menu.SelectedButton = 0;
    if (!snapshot) WindowCaption = FileCaption();
    Flags.Updating = false;
    RedrawCountdown = -1;
    if (RenderSuspended > 0) --RenderSuspended;
    Flags.Modified = false;
    if (!snapshot) {
        Doc.Menu.UndoCount = 0;
        Doc.Menu.RedoCount = 0;
    }
    Flags.Loading = false;
    DesignSurfaceVisible = true;
    return true;
}

void EditorModel::ApplyStoredMenu(const StoredMenu& stored, int buttonCount, bool snapshot,
                                  const std::string& fileName, const std::string& folder) {
    TOVMenu& m = Doc.Menu;
    if (!snapshot) {
        m.HasFile = true;
        m.Folder = folder;
        m.FileName = fileName;
    }
    m.ButtonCount = buttonCount;

    // The layout values and the photo flag are recomputed, never taken from the file.
    MenuProperties props = stored.Props;
    props.FirstButtonLeft = Doc.Props.FirstButtonLeft;
    props.FirstButtonTop = Doc.Props.FirstButtonTop;
    props.TextRect = Doc.Props.TextRect;
    props.PhotoSkin = Doc.Props.PhotoSkin;
    // No custom button style is loaded that could match the stored name.
    props.ButtonStyleName = kDefaultButtonStyleName;
    Flags.CustomStyleSelected = false;
    Doc.Props = props;

    m.Position = stored.Position;
    m.TextShadowDepth = stored.TextShadowDepth;
    m.TitleShadowDepth = stored.TitleShadowDepth;
    m.ButtonShadowDepth = stored.ButtonShadowDepth;
    m.BackgroundFile = stored.BackgroundFile;
    for (int n = 1; n <= buttonCount; ++n) {
        const StoredButton& s = stored.Buttons[size_t(n - 1)];
        TOVButton& b = m.Buttons[size_t(n)];
        b.Caption = s.Caption;
        b.Command = s.Command;
        b.Argument = s.Argument;
        b.Description = s.Description;
        b.MinimizeOnClick = s.MinimizeOnClick;
        b.ExitOnClick = s.ExitOnClick;
        b.AccessKey = s.AccessKey;
        b.MaximizeWindow = s.MaximizeWindow;
    }
}

}  // namespace orvane
