#include "EditorModel.h"

#include "document/MenuFields.h"
#include "platform/Errors.h"
#include "platform/ImageIO.h"
#include "render/ColourSkins.h"
#include "render/TextBlock.h"

#include "app/Guards.h"
#include "platform/PathText.h"

#include <algorithm>

#include <filesystem>

namespace orvane {

EditorModel::EditorModel(Platform& platform, AppFolders folders)
    : platform_(platform), Records(platform), Folders(std::move(folders)), AppFolder(Folders.Program) {
    Files().SetFolder(Folders.Documents);
    CreateStyles();
}

EditorModel::EditorModel(Platform& platform, std::filesystem::path appFolder)
    : EditorModel(platform, AppFolders::PortableIn(FolderWithSlash(Utf8FromPath(appFolder)))) {}

std::vector<std::filesystem::path> EditorModel::StyleFolders() const {
    std::vector<std::filesystem::path> folders;
    if (!Folders.BuiltinStyles.empty()) folders.emplace_back(Folders.BuiltinStyles);
    folders.emplace_back(Folders.UserStyles);
    return folders;
}

std::vector<std::filesystem::path> EditorModel::ButtonFolders() const {
    std::vector<std::filesystem::path> folders;
    if (!Folders.BuiltinButtons.empty()) folders.emplace_back(Folders.BuiltinButtons);
    folders.emplace_back(Folders.UserButtons);
    return folders;
}

std::string EditorModel::FileCaption() const {
    return Doc.Menu.FileName + " (" + Doc.Props.Title + ") - " + std::string(kAppTitle);
}

bool EditorModel::BinMenuSave(SaveMode mode, const std::string& folder, const std::string& fileName,
                              Overwrite overwrite) {
    const bool silent = mode == SaveMode::Snapshot, noPictures = silent;
    if (!silent) platform_.ShowProgress("Saving...");
    Records.FileOpFailed = false;
    if (!Records.OpenRecordFile(fileName, folder, true, overwrite == Overwrite::Ask)) {
        if (!silent) platform_.SetProgressText("Save cancelled...", 600);
        return false;
    }
    const int count = Doc.Menu.ButtonCount;
    bool exitButton = false;
    try {
        Records.WriteRecordHeader(count, noPictures ? int16_t(-1) : int16_t(count * 3 + 1));
        exitButton = WriteMenuFields(Records, Doc);
        if (!noPictures) WriteMenuPictures(Records, Doc);
        Records.WriteEnd();
        Records.CloseRecordFile();
    } catch (...) {
        // The file that was there stays; the window must not keep saying "Saving...".
        Records.CloseRecordFile();
        if (!silent) platform_.SetProgressText("Save cancelled...", 600);
        throw;
    }

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

EditorModel::EditorState EditorModel::CaptureState() const {
    return {Doc, SelectedStyle, Presets, Flags, PhotoControlsEnabled, ButtonStyles.Selected, Styles.CustomCarrier,
            Styles.CustomCarrierMask, TextLabel, WindowCaption, Renderer.Layout, Renderer.SkinSheet,
            Renderer.MaskSheet, Renderer.AppliedTextVisibility, Renderer.AppliedTitleVisibility, RedrawCountdown};
}

void EditorModel::RestoreState(const EditorState& s) {
    Doc = s.Doc;
    SelectedStyle = s.SelectedStyle;
    Presets = s.Presets;
    Flags.Modified = s.Flags.Modified;
    Flags.CustomStyleSelected = s.Flags.CustomStyleSelected;
    PhotoControlsEnabled = s.PhotoControlsEnabled;
    ButtonStyles.Selected = s.ButtonStyleSelected;
    Styles.CustomCarrier = s.CustomCarrier;
    Styles.CustomCarrierMask = s.CustomCarrierMask;
    TextLabel = s.TextLabel;
    WindowCaption = s.WindowCaption;
    Renderer.Layout = s.Layout;
    Renderer.SkinSheet = s.SkinSheet;
    Renderer.MaskSheet = s.MaskSheet;
    Renderer.AppliedTextVisibility = s.AppliedTextVisibility;
    Renderer.AppliedTitleVisibility = s.AppliedTitleVisibility;
    RedrawCountdown = s.RedrawCountdown;
    StyleChanging = false;
    PhotoChanged();
}

bool EditorModel::BinMenuOpen(const std::string& fileName, const std::string& folder, bool snapshot) {
    if (Flags.Loading) return false;
    FlagSet loading(Flags.Loading);
    FlagSet updating(Flags.Updating);
    CountUp paused(RenderSuspended);
    OnExit shown([this] { DesignSurfaceVisible = true; });
    Records.FileOpFailed = false;

    std::error_code ec;
    if (!std::filesystem::exists(PathFromUtf8(folder + fileName), ec)) {
        ShowMessageBox(platform_, "Menu not found.", MsgType::Information);
        return false;
    }

    // Read into a scratch copy; the document changes only once the read succeeded.
    StoredMenu start;
    start.Props = Doc.Props;
    MenuFileRead read;
    try {
        Records.OpenRecordFile(fileName, folder, false, false);
        read = ReadMenuFile(Records, start);
    } catch (const FileError& e) {
        read.Status = MenuReadStatus::Refused;
        read.Detail = e.what();
    }
    Records.CloseRecordFile();

    if (read.Status == MenuReadStatus::StyleFile) {
        loading.End();
        updating.End();
        paused.End();
        InstallStyleFile(fileName, folder, read.FirstText);
        return false;
    }
    if (read.Status != MenuReadStatus::Ok) {
        platform_.Trace("Menu file refused: " + read.Detail);
        ShowMessageBox(platform_, kMenuUnreadable, MsgType::Error);
        return false;
    }

    // Applying and rendering can still fail (memory, a damaged style): then
    // the editor goes back to the document it had, whole.
    const EditorState before = CaptureState();
    try {
        DesignSurfaceVisible = false;
        // Held back until the style has been applied.
        const uint32_t menuColor = read.Menu.Props.MenuColor;
        const int32_t animation = read.Menu.Props.ButtonAnimation;
        ApplyStoredMenu(read.Menu, read.Count, snapshot, fileName, folder);
        Doc.Menu.SelectedButton = 0;

        // A style file removed since the menu was saved leaves an identifier
        // without an entry: the menu falls back to the first style.
        int position = Styles.PositionOf(Doc.Props.StyleId);
        if (position < 0 || position >= Styles.Count()) position = 0;
        SelectedStyle = position;
        for (;;) {
            Doc.Props.PhotoSkin = ReadMarkers(Styles.At(SelectedStyle).Background).Photo;
            if (!Doc.Props.PhotoSkin) break;
            LoadStoredPhoto(folder);
            if (!Doc.BackgroundPhoto.IsEmpty()) break;
            SelectedStyle = 0;
        }
        if (!snapshot) WindowCaption = FileCaption();
        ComboBox1Select(SelectedStyle);
        updating.End();
        RedrawCountdown = -1;
        paused.End();
        Doc.Props.ButtonAnimation = animation;
        Doc.Props.MenuColor = menuColor;
        ColorSkin(false);
        Flags.Modified = false;
        if (!snapshot) {
            Doc.Menu.UndoCount = 0;
            Doc.Menu.RedoCount = 0;
        }
    } catch (const std::exception& e) {
        RestoreState(before);
        platform_.Trace(std::string("Menu could not be applied: ") + e.what());
        ShowMessageBox(platform_, kMenuUnreadable, MsgType::Error);
        return false;
    }
    return true;
}

void EditorModel::LoadStoredPhoto(const std::string& menuFolder) {
    namespace fs = std::filesystem;
    std::string& stored = Doc.Menu.BackgroundFile;
    std::error_code ec;
    std::string path = stored;
    if (!stored.empty() && !fs::exists(PathFromUtf8(stored), ec)) {
        // Moved with its menu, to another folder or computer: the file name
        // after the last separator of either system, beside the menu.
        const size_t cut = stored.find_last_of("/\\");
        const fs::path beside =
            (PathFromUtf8(menuFolder) / PathFromUtf8(stored.substr(cut == std::string::npos ? 0 : cut + 1))).lexically_normal();
        if (fs::is_regular_file(beside, ec)) path = Utf8FromPath(beside);
    }
    if (!path.empty() && fs::exists(PathFromUtf8(path), ec)) {
        DecodeResult photo = LoadPictureFile(PathFromUtf8(path));
        if (photo.Ok()) {
            Doc.BackgroundPhoto = std::move(photo.Picture);
            stored = path;
        } else {
            platform_.Trace(photo.Error);
            ShowMessageBox(platform_, PictureUnreadable(path), MsgType::Error);
            if (Doc.BackgroundPhoto.IsEmpty()) SetBackgroundImage();
        }
        PhotoChanged();
        return;
    }
    const bool ask = Doc.BackgroundPhoto.IsEmpty();
    // A snapshot taken before any photo was chosen names none: nothing to look for.
    if (!stored.empty()) {
        std::string text = "Could not locate original source background: \r\r" + stored;
        if (ask)
            text += "\r\rChoose the photo in the window that follows. If you cancel, the menu takes the style \"" +
                    Styles.At(0).Name + "\" instead.";
        ShowMessageBox(platform_, text, MsgType::Information);
    }
    if (ask) SetBackgroundImage();
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

    // The layout values and the photo flag are recomputed, never taken from
    // the file; the button style is chosen below.
    const FieldsOf<StoredMenu> fields = kMenuFields<StoredMenu>;
    CopyFields(fields, stored, kMenuFields<MenuDocument>, Doc, [&](size_t i) {
        return fields[i].Note != FieldNote::Layout && fields[i].Note != FieldNote::Derived &&
               std::string_view(fields[i].Name) != "ButtonStyleName";
    });
    // The stored name picks the loaded button style with exactly that file,
    // or the style's own buttons.
    Doc.Props.ButtonStyleName = kDefaultButtonStyleName;
    Flags.CustomStyleSelected = false;
    ButtonStyles.Selected = 0;
    if (const int entry = ButtonStyles.EntryOfFile(stored.Props.ButtonStyleName);
        stored.HasVersion9Fields && entry > 0)
        ComboBox2Select(entry);

    TextLabel = Doc.Props.MenuText;
    for (int n = 1; n <= buttonCount; ++n) ApplyStoredButton(stored.Buttons[size_t(n - 1)], m.Buttons[size_t(n)]);
}

}  // namespace orvane

namespace orvane {

void EditorModel::CreateStyles() {
    Styles.AddBuiltinStyles();
    Presets = ReadMarkers(Styles.At(SelectedStyle).Background).Presets;
}

// The working copy once the renderer has one, else the style's own artwork.
void EditorModel::LoadStyleFolders() {
    Styles.GetStyles(StyleFolders(), platform_);
    ButtonStyles.LoadCustomButtons(ButtonFolders(), platform_);
}

int EditorModel::StylePositionByName(const std::string& name) const {
    for (int p = 0; p < Styles.Count(); ++p)
        if (Styles.At(p).Name == name) return p;
    return -1;
}

const Bitmap& EditorModel::CurrentSheet() const {
    const Bitmap& sheet = Renderer.SkinSheet.Bitmap;
    if (sheet.Width() == kStyleSheetWidth && sheet.Height() == kStyleSheetHeight) return sheet;
    return Styles.At(SelectedStyle).Background;
}

void EditorModel::LoadSheet() {
    TBmpArray& grid = Renderer.SkinSheet;
    grid.Bitmap = Styles.At(SelectedStyle).Background;
    if (Flags.CustomStyleSelected)
        StretchCopy(Styles.CustomCarrier, {0, 162, 96, 194}, grid.Bitmap, {0, 162, 96, 194});
    grid.FromBitmap();
}

void EditorModel::TakeTextColours(bool fromSheet) {
    MenuProperties& p = Doc.Props;
    const SheetTextColours c = ReadTextColours(Renderer.SkinSheet.Bitmap);
    if (!fromSheet) {
        const TOVCustomBtn& slot = ButtonStyles.Slots[size_t(std::clamp(ButtonStyles.Selected, 0, kMaxButtonStyles))];
        Doc.Menu.ButtonShadowDepth = slot.ShadowDepth;
        p.ButtonFont = slot.TextStyle;
        p.ButtonShadowColor = slot.ShadowStyle;
        return;
    }
    p.TitleFont.Color = c.Title;
    p.TextFont.Color = c.Text;
    p.ButtonFont.Color = c.Button;
    p.TitleShadowColor = c.TitleShadow;
    p.TextShadowColor = c.TextShadow;
    p.ButtonShadowColor = c.ButtonShadow;
}

void EditorModel::ColorSkin(bool takeTextColours) {
    if (StyleChanging) return;
    if (!Doc.Props.AutoAdjust) {
        NewColorSkin(takeTextColours);
        return;
    }
    if (RenderSuspended > 0) {
        RenderMissed = true;
        return;
    }
    LoadSheet();
    RecolourKeepingShading(Renderer.SkinSheet, Doc.Props.MenuColor);
    Renderer.SkinSheet.ToBitmap();
    if (takeTextColours) TakeTextColours(!Flags.CustomStyleSelected);
    CreateSkin();
}

void EditorModel::NewColorSkin(bool takeTextColours) {
    if (RenderSuspended > 0) {
        RenderMissed = true;
        return;
    }
    LoadSheet();
    RecolourByBrightness(Renderer.SkinSheet, Doc.Props.MenuColor);
    Renderer.SkinSheet.ToBitmap();
    if (takeTextColours) TakeTextColours(true);
    CreateSkin();
}

void EditorModel::CreateSkin() {
    if (RenderSuspended > 0) {
        RenderMissed = true;
        return;
    }
    FlagSet updating(Flags.Updating);
    platform_.ProcessMessages();
    SkinInputs in{Styles.At(SelectedStyle)};
    in.IsMyBackground = IsMyBackground();
    in.CustomStyleSelected = Flags.CustomStyleSelected;
    in.CustomMask = &Styles.CustomCarrierMask;
    in.FastScaling = FastScaling;
    in.ReloadPhoto = Renderer.Graphics.ScaleCacheDirty || DesignerScaledLast;
    Renderer.CreateSkin(Doc, in);
    ++RenderCount;
    DesignerScaledLast = false;
    platform_.ProcessMessages();
}

Bitmap EditorModel::DesignSurfaceImage(int button, int state) const {
    const DesignLayout& layout = Renderer.Layout;
    Bitmap out = Doc.MenuImage;
    DrawWindowControls(out);
    for (int i = 1; i <= Doc.Menu.ButtonCount; ++i) {
        const Rect& b = layout.Buttons[size_t(i)];
        const int s = i == button ? std::clamp(state, 0, 2) : 0;
        CopyInto(Doc.Menu.Buttons[size_t(i)].Images[size_t(s)], out, b.Left, b.Top);
    }
    DrawTextLabel(out);
    return out;
}

void EditorModel::DesignSurfaceBack(Bitmap& out) const {
    out = Doc.MenuImage;
    DrawWindowControls(out);
    DrawTextLabel(out);
}

// The example of the player's minimise and close glyphs, as the player draws them.
void EditorModel::DrawWindowControls(Bitmap& out) const {
    const DesignLayout& layout = Renderer.Layout;
    if (layout.WindowControlsVisible && !layout.WindowControlsImage.IsEmpty())
        CopyInto(layout.WindowControlsImage, out, layout.WindowControls.Left, layout.WindowControls.Top);
}

// The label shows a button's description while the pointer is on it (HoverButton).
void EditorModel::DrawTextLabel(Bitmap& out) const {
    const DesignLayout& layout = Renderer.Layout;
    const MenuProperties& p = Doc.Props;
    if (Doc.Menu.TextShadowDepth > 0)
        DrawTextBlock(out, layout.MenuTextShadow, p.TextFont, p.TextShadowColor, TextLabel);
    DrawTextBlock(out, layout.MenuText, p.TextFont, p.TextFont.Color, TextLabel);
}

int EditorModel::ButtonAt(int x, int y) const {
    for (int i = 1; i <= Doc.Menu.ButtonCount; ++i)
        if (Renderer.Layout.Buttons[size_t(i)].Contains(x, y)) return i;
    return 0;
}

void EditorModel::FadeMask() {
    Renderer.FadeMask(Styles.At(SelectedStyle).Mask, Doc.Props.TextBoxVisibility, Doc.Props.TitleBoxVisibility);
}

void EditorModel::Tick() {
    if (RedrawCountdown > -1) --RedrawCountdown;
    if (RedrawCountdown != 0) return;
    RedrawCountdown = -1;
    if (Doc.Props.PhotoSkin && (Renderer.AppliedTextVisibility != Doc.Props.TextBoxVisibility ||
                                Renderer.AppliedTitleVisibility != Doc.Props.TitleBoxVisibility))
        FadeMask();
    CreateSkin();
    RedrawCountdown = -1;
}

void EditorModel::ApplyStyleFonts(const MenuStyle& style) {
    auto copy = [](FontSpec& to, const FontSpec& from) {
        to.Name = from.Name;
        to.Size = from.Size;
        to.Bold = from.Bold;
        to.Italic = from.Italic;
        to.Underline = from.Underline;
        to.Alignment = from.Alignment;
    };
    copy(Doc.Props.TitleFont, style.TitleFont);
    copy(Doc.Props.TextFont, style.TextFont);
    copy(Doc.Props.ButtonFont, style.ButtonFont);
}

void EditorModel::ComboBox1Select(int position) {
    // A photo it asks for is part of the same step.
    const auto step = Undo().OneStep();
    Undo().Make();
    OnExit done([this] {
        StyleChanging = false;
        Flags.Updating = false;
    });
    for (;;) {
        StyleChanging = true;
        if (position < 0 || position >= Styles.Count()) {
            StyleChanging = false;
            break;
        }
        SelectedStyle = position;
        Doc.Props.StyleId = Styles.IdAt(position);
        Flags.Updating = true;

        const MenuStyle& style = Styles.At(position);
        const StyleMarkers markers = ReadMarkers(style.Background);
        Presets = markers.Presets;
        Doc.Props.MenuColor = Presets[0];
        Doc.Props.PhotoSkin = markers.Photo;
        if (markers.Photo) FadeMask();
        PhotoControlsEnabled = markers.Photo;
        if (Flags.Loading) {
            StyleChanging = false;
            break;
        }

        ComboBox2Select(0);
        Doc.Props.AutoAdjust = true;
        Doc.Menu.TitleShadowDepth = markers.TitleShadowDepth;
        Doc.Menu.TextShadowDepth = markers.TextShadowDepth;
        Doc.Menu.ButtonShadowDepth = markers.ButtonShadowDepth;
        ApplyStyleFonts(style);
        Doc.Props.ButtonAnimation = style.Animation;
        Doc.Menu.SelectedButton = 0;
        Flags.Updating = true;

        if (markers.Photo && Doc.BackgroundPhoto.IsEmpty()) {
            SetBackgroundImage();
            if (Doc.BackgroundPhoto.IsEmpty()) {
                position = 0;
                continue;
            }
        }
        StyleChanging = false;
        ColorSkin(true);
        // The auto-sized menu follows the photo; the sliders must too, or
        // unticking "Auto Size Menu" would lose the proportion.
        if (Doc.Props.PhotoSkin && Doc.Props.AutoSizeMenu) Properties().KeepPhotoAspect();
        break;
    }
    Flags.Updating = false;
    StyleChanging = false;
    Session().ShowTip(Tip::StyleAndColor);
    if (Doc.Props.PhotoSkin) Session().ShowTip(Session().TipSuppressed(Tip::PhotoStyles) ? Tip::PhotoScaling : Tip::PhotoStyles);
    if (SelectedStyle == Styles.MyBackgroundPosition()) Session().ShowTip(Tip::MyBackground);
}

void EditorModel::ComboBox2Select(int entry) {
    if (entry < 0 || entry >= int(ButtonStyles.Entries.size())) return;
    if (ButtonStyles.IsAddNew(entry)) {
        AddButtonStyle1Click();
        return;
    }
    ButtonStyles.Selected = entry;
    const bool custom = entry > 0;
    Flags.CustomStyleSelected = custom;
    if (!custom) {
        Doc.Props.ButtonStyleName = kDefaultButtonStyleName;
        if (Flags.Loading) return;
        const MenuStyle& style = Styles.At(SelectedStyle);
        Doc.Menu.ButtonShadowDepth = ReadMarkers(style.Background).ButtonShadowDepth;
        const SheetTextColours colours = ReadTextColours(CurrentSheet());
        Doc.Props.ButtonFont = style.ButtonFont;
        Doc.Props.ButtonFont.Color = colours.Button;
        Doc.Props.ButtonShadowColor = colours.ButtonShadow;
        Doc.Props.ButtonAnimation = style.Animation;
    } else {
        const TOVCustomBtn& slot = ButtonStyles.Slots[size_t(entry)];
        Doc.Props.ButtonStyleName = slot.StyleFile;
        StretchCopy(slot.StyleImages[0], {0, 0, kStripWidth, kStripHeight}, Styles.CustomCarrier,
                    {0, 162, kStripWidth, 162 + kStripHeight});
        StretchCopy(slot.StyleImages[1], {0, 0, kStripWidth, kStripHeight}, Styles.CustomCarrierMask,
                    {0, 162, kStripWidth, 162 + kStripHeight});
        if (Flags.Loading) return;
        Doc.Menu.ButtonShadowDepth = slot.ShadowDepth;
        Doc.Props.ButtonFont = slot.TextStyle;
        Doc.Props.ButtonShadowColor = slot.ShadowStyle;
        Doc.Props.ButtonAnimation = slot.Animation;
    }
    Doc.Menu.SelectedButton = 0;
    Flags.Modified = true;
    ColorSkin(false);
}

void EditorModel::StartNewMenu() {
    // A new menu that fails halfway leaves the old one, whole.
    const EditorState before = CaptureState();
    try {
        ResetDocument();
    } catch (...) {
        RestoreState(before);
        throw;
    }
}

void EditorModel::ResetDocument() {
    FlagSet updating(Flags.Updating);
    CountUp paused(RenderSuspended);
    DesignSurfaceVisible = false;
    OnExit shown([this] { DesignSurfaceVisible = true; });

    WindowCaption = std::string(kAppTitle);
    ResetToNewMenu(Doc);
    TextLabel = Doc.Props.MenuText;
    Flags.CustomStyleSelected = false;

    Doc.Props.AutoSizeMenu = true;
    Doc.Props.AutoSizeButtons = true;
    Doc.Props.PhotoAspect = true;
    Doc.Props.ButtonGap = 8;
    ComboBox1Select(5);
    ComboBox2Select(0);
    Doc.Props.MenuColor = Presets[0];

    Doc.Menu.SelectedButton = 1;
    updating.End();
    Flags.Loading = false;
    paused.End();
    ColorSkin(true);
    RedrawCountdown = -1;
}

void EditorModel::SetBackgroundImage() {
    // The style that shows the photo is part of the same step.
    const auto step = Undo().OneStep();
    FileDialogRequest request;
    request.Title = "Open Photo...";
    request.Filter = "Photo or Image (*.jpg;*.jpeg;*.png;*.bmp)|*.JPG;*.JPEG;*.PNG;*.BMP";
    request.InitialFolder = PathFromUtf8(Files().Folder());
    if (const auto chosen = platform_.OpenFileDialog(request))
        if (!UsePhoto(*chosen)) return;  // said once, naming the file; the menu stays as it was
    if (SelectedStyle < kFirstPhotoPosition) ComboBox1Select(kSharpPhotoPosition);
    if (!Flags.Updating) CreateSkin();
}

bool EditorModel::UsePhoto(const std::filesystem::path& path) {
    DecodeResult photo = LoadPictureFile(path);
    if (!photo.Ok()) {
        platform_.Trace(photo.Error);
        ShowMessageBox(platform_, PictureUnreadable(Utf8FromPath(path)), MsgType::Error);
        return false;
    }
    Undo().Make();
    Doc.Menu.BackgroundFile = Utf8FromPath(path);
    Doc.BackgroundPhoto = std::move(photo.Picture);
    PhotoChanged();
    return true;
}

void EditorModel::DropPhoto(const std::filesystem::path& path) {
    if (!Doc.Props.PhotoSkin || !UsePhoto(path)) return;
    CreateSkin();
    // The size sliders follow the new photo's proportion, as for a photo style chosen.
    if (Doc.Props.AutoSizeMenu) Properties().KeepPhotoAspect();
}

void EditorModel::InstallStyleFile(const std::string& fileName, const std::string& folder, const std::string& magic) {
    if (magic != StyleFileMagic()) {
        ShowMessageBox(platform_, "The opened file contained a new menu style in an unrecognized format",
                       MsgType::Warning);
        StartNewMenu();
        return;
    }
    std::string name, message;
    try {
        RecordFile file(platform_);
        file.OpenRecordFile(fileName, folder, false, false);
        try {
            file.ReadRecordHeader();
            file.ReadText();
            name = file.ReadText();
            message = file.ReadText();
        } catch (const RecordFormatError&) {
        }
        file.CloseRecordFile();
        if (Styles.Count() >= kMaxStyles) {
            ShowMessageBox(platform_, "The Menu Style list is full: the style (" + name + ") was not added.",
                           MsgType::Information);
            StartNewMenu();
            return;
        }
        if (!Styles.OpenStyle(PathFromUtf8(folder + fileName), platform_)) {
            StartNewMenu();
            return;
        }
    } catch (const FileError& e) {
        // The file went away or became unreadable since it was opened.
        platform_.Trace(e.what());
        ShowMessageBox(platform_, kMenuUnreadable, MsgType::Error);
        return;
    }
    const std::string question = "The opened file contained a new menu style (" + name +
                                 "), which has been added to the Menu Style list. Do you wish to keep this style "
                                 "for use in other menus?";
    if (ShowMessageBox(platform_, question, MsgType::Confirmation, MsgButtons::YesNoCancel) == MsgResult::Yes) {
        namespace fs = std::filesystem;
        const fs::path target =
            PathFromUtf8(StylesFolder()) / PathFromUtf8(fileName).stem().concat(".ovgsty");
        if (PathFromUtf8(folder + fileName) != target) {
            try {
                CreateFolders(PathFromUtf8(StylesFolder()));
                CopyFileReplacing(PathFromUtf8(folder + fileName), target);
            } catch (const FileError& e) {
                ShowMessageBox(platform_,
                               "The style could not be copied to " + Utf8FromPath(target) + ":\r\r" + e.what(),
                               MsgType::Error);
            }
        }
    }
    if (!message.empty()) ShowMessageBox(platform_, message, MsgType::Information);
    StartNewMenu();
    ComboBox1Select(Styles.Count() - 1);
}

// The animation preview ----------------------------------------------------------------

std::vector<AnimationMove> EditorModel::ButtAniPath(int windowWidth) {
    // The animation shows the current layout, not the one before the last edit.
    if (RedrawCountdown > 0) {
        RedrawCountdown = -1;
        CreateSkin();
    }
    std::vector<Rect> buttons;
    for (int i = 1; i <= Doc.Menu.ButtonCount; ++i) {
        const Rect& place = Renderer.Layout.Buttons[size_t(i)];
        const Bitmap& image = Doc.Menu.Buttons[size_t(i)].Images[0];
        buttons.push_back(Rect::FromSize(place.Left, place.Top, image.Width(), image.Height()));
    }
    return ButtonAnimationPath(Doc.Props.ButtonAnimation, buttons, Doc.MenuImage.Width(), Doc.MenuImage.Height(),
                               windowWidth);
}

// Button styles, the command wizard and the autorun wizard --------------------------------

void EditorModel::AddButtonStyle1Click() {
    // The style's own buttons, recoloured; the title and the menu text keep
    // the colours the user gave them, which have nothing to do with buttons.
    ComboBox2Select(0);
    platform_.ProcessMessages();
    if (OpenDesignerWindow) OpenDesignerWindow();
    ButtonStyles.LoadCustomButtons(ButtonFolders(), platform_);
    Session().ShowTip(Tip::CustomButtonStyle);
}

std::unique_ptr<TfrmBtnWizCls> EditorModel::OpenCommandWizard() {
    if (Doc.Menu.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to add the command for.", MsgType::Information);
        return nullptr;
    }
    Session().ShowTip(Tip::CommandWizard);
    // Paths on the disc are made from the saved menu's folder; an unsaved menu
    // is offered a save first.
    return std::make_unique<TfrmBtnWizCls>(platform_, properties_, Doc.Menu.HasFile ? Doc.Menu.Folder : std::string(), [this] {
        Files().SaveAs();
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
            if (answer == MsgResult::Yes && !Files().Save()) return nullptr;
        }
        std::error_code ec;
        return std::make_unique<TfrmEXEWizCls>(platform_, Builder, Doc.Menu.FileName, Doc.Menu.Folder,
                                               Utf8FromPath(std::filesystem::current_path(ec)) + "/");
    } catch (const std::exception&) {
        ShowMessageBox(platform_, "Please open a menu you wish to create an application from first.",
                       MsgType::Information);
        return nullptr;
    }
}

}  // namespace orvane
