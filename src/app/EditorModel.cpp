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
    : platform_(platform), records_(platform), folders_(std::move(folders)), appFolder_(folders_.Program) {
    Files().SetFolder(folders_.Documents);
    CreateStyles();
}

EditorModel::EditorModel(Platform& platform, std::filesystem::path appFolder)
    : EditorModel(platform, AppFolders::PortableIn(FolderWithSlash(Utf8FromPath(appFolder)))) {}

std::vector<std::filesystem::path> EditorModel::StyleFolders() const {
    std::vector<std::filesystem::path> folders;
    if (!folders_.BuiltinStyles.empty()) folders.emplace_back(folders_.BuiltinStyles);
    folders.emplace_back(folders_.UserStyles);
    return folders;
}

std::vector<std::filesystem::path> EditorModel::ButtonFolders() const {
    std::vector<std::filesystem::path> folders;
    if (!folders_.BuiltinButtons.empty()) folders.emplace_back(folders_.BuiltinButtons);
    folders.emplace_back(folders_.UserButtons);
    return folders;
}

std::string EditorModel::FileCaption() const {
    return doc_.Menu.FileName + " (" + doc_.Props.Title + ") - " + std::string(kAppTitle);
}

bool EditorModel::BinMenuSave(SaveMode mode, const std::string& folder, const std::string& fileName,
                              Overwrite overwrite) {
    const bool silent = mode == SaveMode::Snapshot, noPictures = silent;
    if (!silent) platform_.ShowProgress("Saving...");
    records_.FileOpFailed = false;
    if (!records_.OpenRecordFile(fileName, folder, true, overwrite == Overwrite::Ask)) {
        if (!silent) platform_.SetProgressText("Save cancelled...", 600);
        return false;
    }
    const int count = doc_.Menu.ButtonCount;
    bool exitButton = false;
    try {
        records_.WriteRecordHeader(count, noPictures ? int16_t(-1) : int16_t(count * 3 + 1));
        exitButton = WriteMenuFields(records_, doc_);
        if (!noPictures) WriteMenuPictures(records_, doc_);
        records_.WriteEnd();
        records_.CloseRecordFile();
    } catch (...) {
        // The file that was there stays; the window must not keep saying "Saving...".
        records_.CloseRecordFile();
        if (!silent) platform_.SetProgressText("Save cancelled...", 600);
        throw;
    }

    if (!silent) {
        // Set only once the file is in place, so a failed save claims nothing.
        windowCaption_ = FileCaption();
        doc_.Menu.HasFile = true;
        if (!exitButton) ShowMessageBox(platform_, kExitButtonMessage, MsgType::Information);
        platform_.SetProgressText("Saved!", 600);
        flags_.Modified = false;
    }
    return true;
}

EditorModel::EditorState EditorModel::CaptureState() const {
    return {doc_, selectedStyle_, presets_, flags_, photoControlsEnabled_, buttonStyles_.Selected,
            styles_.CustomCarrier, styles_.CustomCarrierMask, textLabel_, windowCaption_, renderer_.Layout,
            renderer_.SkinSheet, renderer_.MaskSheet, renderer_.AppliedTextVisibility,
            renderer_.AppliedTitleVisibility, redrawCountdown_};
}

void EditorModel::RestoreState(const EditorState& s) {
    doc_ = s.Doc;
    selectedStyle_ = s.SelectedStyle;
    presets_ = s.Presets;
    flags_.Modified = s.Flags.Modified;
    flags_.CustomStyleSelected = s.Flags.CustomStyleSelected;
    photoControlsEnabled_ = s.PhotoControlsEnabled;
    buttonStyles_.Selected = s.ButtonStyleSelected;
    styles_.CustomCarrier = s.CustomCarrier;
    styles_.CustomCarrierMask = s.CustomCarrierMask;
    textLabel_ = s.TextLabel;
    windowCaption_ = s.WindowCaption;
    renderer_.Layout = s.Layout;
    renderer_.SkinSheet = s.SkinSheet;
    renderer_.MaskSheet = s.MaskSheet;
    renderer_.AppliedTextVisibility = s.AppliedTextVisibility;
    renderer_.AppliedTitleVisibility = s.AppliedTitleVisibility;
    redrawCountdown_ = s.RedrawCountdown;
    styleChanging_ = false;
    PhotoChanged();
}

bool EditorModel::BinMenuOpen(const std::string& fileName, const std::string& folder, bool snapshot) {
    if (flags_.Loading) return false;
    FlagSet loading(flags_.Loading);
    FlagSet updating(flags_.Updating);
    CountUp paused(renderSuspended_);
    OnExit shown([this] { designSurfaceVisible_ = true; });
    records_.FileOpFailed = false;

    std::error_code ec;
    if (!std::filesystem::exists(PathFromUtf8(folder + fileName), ec)) {
        ShowMessageBox(platform_, "Menu not found.", MsgType::Information);
        return false;
    }

    // Read into a scratch copy; the document changes only once the read succeeded.
    StoredMenu start;
    start.Props = doc_.Props;
    MenuFileRead read;
    try {
        records_.OpenRecordFile(fileName, folder, false, false);
        read = ReadMenuFile(records_, start);
    } catch (const FileError& e) {
        read.Status = MenuReadStatus::Refused;
        read.Detail = e.what();
    }
    records_.CloseRecordFile();

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
        designSurfaceVisible_ = false;
        // Held back until the style has been applied.
        const uint32_t menuColor = read.Menu.Props.MenuColor;
        const int32_t animation = read.Menu.Props.ButtonAnimation;
        ApplyStoredMenu(read.Menu, read.Count, snapshot, fileName, folder);
        doc_.Menu.SelectedButton = 0;

        // A style file removed since the menu was saved leaves an identifier
        // without an entry: the menu falls back to the first style.
        int position = styles_.PositionOf(doc_.Props.StyleId);
        if (position < 0 || position >= styles_.Count()) position = 0;
        selectedStyle_ = position;
        for (;;) {
            doc_.Props.PhotoSkin = ReadMarkers(styles_.At(selectedStyle_).Background).Photo;
            if (!doc_.Props.PhotoSkin) break;
            LoadStoredPhoto(folder);
            if (!doc_.BackgroundPhoto.IsEmpty()) break;
            selectedStyle_ = 0;
        }
        if (!snapshot) windowCaption_ = FileCaption();
        ComboBox1Select(selectedStyle_);
        updating.End();
        redrawCountdown_ = -1;
        paused.End();
        doc_.Props.ButtonAnimation = animation;
        doc_.Props.MenuColor = menuColor;
        ColorSkin(false);
        flags_.Modified = false;
        if (!snapshot) {
            doc_.Menu.UndoCount = 0;
            doc_.Menu.RedoCount = 0;
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
    std::string& stored = doc_.Menu.BackgroundFile;
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
            doc_.BackgroundPhoto = std::move(photo.Picture);
            stored = path;
        } else {
            platform_.Trace(photo.Error);
            ShowMessageBox(platform_, PictureUnreadable(path), MsgType::Error);
            if (doc_.BackgroundPhoto.IsEmpty()) SetBackgroundImage();
        }
        PhotoChanged();
        return;
    }
    const bool ask = doc_.BackgroundPhoto.IsEmpty();
    // A snapshot taken before any photo was chosen names none: nothing to look for.
    if (!stored.empty()) {
        std::string text = "Could not locate original source background: \r\r" + stored;
        if (ask)
            text += "\r\rChoose the photo in the window that follows. If you cancel, the menu takes the style \"" +
                    styles_.At(0).Name + "\" instead.";
        ShowMessageBox(platform_, text, MsgType::Information);
    }
    if (ask) SetBackgroundImage();
}

void EditorModel::ApplyStoredMenu(const StoredMenu& stored, int buttonCount, bool snapshot,
                                  const std::string& fileName, const std::string& folder) {
    TOVMenu& m = doc_.Menu;
    if (!snapshot) {
        m.HasFile = true;
        m.Folder = folder;
        m.FileName = fileName;
    }
    m.ButtonCount = buttonCount;

    // The layout values and the photo flag are recomputed, never taken from
    // the file; the button style is chosen below.
    const FieldsOf<StoredMenu> fields = kMenuFields<StoredMenu>;
    CopyFields(fields, stored, kMenuFields<MenuDocument>, doc_, [&](size_t i) {
        return fields[i].Note != FieldNote::Layout && fields[i].Note != FieldNote::Derived &&
               std::string_view(fields[i].Name) != "ButtonStyleName";
    });
    // The stored name picks the loaded button style with exactly that file,
    // or the style's own buttons.
    doc_.Props.ButtonStyleName = kDefaultButtonStyleName;
    flags_.CustomStyleSelected = false;
    buttonStyles_.Selected = 0;
    if (const int entry = buttonStyles_.EntryOfFile(stored.Props.ButtonStyleName);
        stored.HasVersion9Fields && entry > 0)
        ComboBox2Select(entry);

    textLabel_ = doc_.Props.MenuText;
    for (int n = 1; n <= buttonCount; ++n) ApplyStoredButton(stored.Buttons[size_t(n - 1)], m.Buttons[size_t(n)]);
}

}  // namespace orvane

namespace orvane {

void EditorModel::CreateStyles() {
    styles_.AddBuiltinStyles();
    presets_ = ReadMarkers(styles_.At(selectedStyle_).Background).Presets;
}

// The working copy once the renderer has one, else the style's own artwork.
void EditorModel::LoadStyleFolders() {
    styles_.GetStyles(StyleFolders(), platform_);
    buttonStyles_.LoadCustomButtons(ButtonFolders(), platform_);
}

int EditorModel::StylePositionByName(const std::string& name) const {
    for (int p = 0; p < styles_.Count(); ++p)
        if (styles_.At(p).Name == name) return p;
    return -1;
}

const Bitmap& EditorModel::CurrentSheet() const {
    const Bitmap& sheet = renderer_.SkinSheet.Bitmap;
    if (sheet.Width() == kStyleSheetWidth && sheet.Height() == kStyleSheetHeight) return sheet;
    return styles_.At(selectedStyle_).Background;
}

void EditorModel::LoadSheet() {
    TBmpArray& grid = renderer_.SkinSheet;
    grid.Bitmap = styles_.At(selectedStyle_).Background;
    if (flags_.CustomStyleSelected)
        StretchCopy(styles_.CustomCarrier, {0, 162, 96, 194}, grid.Bitmap, {0, 162, 96, 194});
    grid.FromBitmap();
}

void EditorModel::TakeTextColours(bool fromSheet) {
    MenuProperties& p = doc_.Props;
    const SheetTextColours c = ReadTextColours(renderer_.SkinSheet.Bitmap);
    if (!fromSheet) {
        const TOVCustomBtn& slot = buttonStyles_.Slots[size_t(std::clamp(buttonStyles_.Selected, 0, kMaxButtonStyles))];
        doc_.Menu.ButtonShadowDepth = slot.ShadowDepth;
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
    if (styleChanging_) return;
    if (!doc_.Props.AutoAdjust) {
        NewColorSkin(takeTextColours);
        return;
    }
    if (renderSuspended_ > 0) {
        renderMissed_ = true;
        return;
    }
    LoadSheet();
    RecolourKeepingShading(renderer_.SkinSheet, doc_.Props.MenuColor);
    renderer_.SkinSheet.ToBitmap();
    if (takeTextColours) TakeTextColours(!flags_.CustomStyleSelected);
    CreateSkin();
}

void EditorModel::NewColorSkin(bool takeTextColours) {
    if (renderSuspended_ > 0) {
        renderMissed_ = true;
        return;
    }
    LoadSheet();
    RecolourByBrightness(renderer_.SkinSheet, doc_.Props.MenuColor);
    renderer_.SkinSheet.ToBitmap();
    if (takeTextColours) TakeTextColours(true);
    CreateSkin();
}

void EditorModel::CreateSkin() {
    if (renderSuspended_ > 0) {
        renderMissed_ = true;
        return;
    }
    FlagSet updating(flags_.Updating);
    platform_.ProcessMessages();
    SkinInputs in{styles_.At(selectedStyle_)};
    in.IsMyBackground = IsMyBackground();
    in.CustomStyleSelected = flags_.CustomStyleSelected;
    in.CustomMask = &styles_.CustomCarrierMask;
    in.FastScaling = fastScaling_;
    in.ReloadPhoto = renderer_.Graphics.ScaleCacheDirty || designerScaledLast_;
    renderer_.CreateSkin(doc_, in);
    ++renderCount_;
    designerScaledLast_ = false;
    platform_.ProcessMessages();
}

Bitmap EditorModel::DesignSurfaceImage(int button, int state) const {
    const DesignLayout& layout = renderer_.Layout;
    Bitmap out = doc_.MenuImage;
    DrawWindowControls(out);
    for (int i = 1; i <= doc_.Menu.ButtonCount; ++i) {
        const Rect& b = layout.Buttons[size_t(i)];
        const int s = i == button ? std::clamp(state, 0, 2) : 0;
        CopyInto(doc_.Menu.Buttons[size_t(i)].Images[size_t(s)], out, b.Left, b.Top);
    }
    DrawTextLabel(out);
    return out;
}

void EditorModel::DesignSurfaceBack(Bitmap& out) const {
    out = doc_.MenuImage;
    DrawWindowControls(out);
    DrawTextLabel(out);
}

// The example of the player's minimise and close glyphs, as the player draws them.
void EditorModel::DrawWindowControls(Bitmap& out) const {
    const DesignLayout& layout = renderer_.Layout;
    if (layout.WindowControlsVisible && !layout.WindowControlsImage.IsEmpty())
        CopyInto(layout.WindowControlsImage, out, layout.WindowControls.Left, layout.WindowControls.Top);
}

// The label shows a button's description while the pointer is on it (HoverButton).
void EditorModel::DrawTextLabel(Bitmap& out) const {
    const DesignLayout& layout = renderer_.Layout;
    const MenuProperties& p = doc_.Props;
    if (doc_.Menu.TextShadowDepth > 0)
        DrawTextBlock(out, layout.MenuTextShadow, p.TextFont, p.TextShadowColor, textLabel_);
    DrawTextBlock(out, layout.MenuText, p.TextFont, p.TextFont.Color, textLabel_);
}

int EditorModel::ButtonAt(int x, int y) const {
    for (int i = 1; i <= doc_.Menu.ButtonCount; ++i)
        if (renderer_.Layout.Buttons[size_t(i)].Contains(x, y)) return i;
    return 0;
}

void EditorModel::FadeMask() {
    renderer_.FadeMask(styles_.At(selectedStyle_).Mask, doc_.Props.TextBoxVisibility, doc_.Props.TitleBoxVisibility);
}

void EditorModel::Tick() {
    if (redrawCountdown_ > -1) --redrawCountdown_;
    if (redrawCountdown_ != 0) return;
    redrawCountdown_ = -1;
    if (doc_.Props.PhotoSkin && (renderer_.AppliedTextVisibility != doc_.Props.TextBoxVisibility ||
                                renderer_.AppliedTitleVisibility != doc_.Props.TitleBoxVisibility))
        FadeMask();
    CreateSkin();
    redrawCountdown_ = -1;
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
    copy(doc_.Props.TitleFont, style.TitleFont);
    copy(doc_.Props.TextFont, style.TextFont);
    copy(doc_.Props.ButtonFont, style.ButtonFont);
}

void EditorModel::ComboBox1Select(int position) {
    // A photo it asks for is part of the same step.
    const auto step = Undo().OneStep();
    Undo().Make();
    OnExit done([this] {
        styleChanging_ = false;
        flags_.Updating = false;
    });
    for (;;) {
        styleChanging_ = true;
        if (position < 0 || position >= styles_.Count()) {
            styleChanging_ = false;
            break;
        }
        selectedStyle_ = position;
        doc_.Props.StyleId = styles_.IdAt(position);
        flags_.Updating = true;

        const MenuStyle& style = styles_.At(position);
        const StyleMarkers markers = ReadMarkers(style.Background);
        presets_ = markers.Presets;
        doc_.Props.MenuColor = presets_[0];
        doc_.Props.PhotoSkin = markers.Photo;
        if (markers.Photo) FadeMask();
        photoControlsEnabled_ = markers.Photo;
        if (flags_.Loading) {
            styleChanging_ = false;
            break;
        }

        ComboBox2Select(0);
        doc_.Props.AutoAdjust = true;
        doc_.Menu.TitleShadowDepth = markers.TitleShadowDepth;
        doc_.Menu.TextShadowDepth = markers.TextShadowDepth;
        doc_.Menu.ButtonShadowDepth = markers.ButtonShadowDepth;
        ApplyStyleFonts(style);
        doc_.Props.ButtonAnimation = style.Animation;
        doc_.Menu.SelectedButton = 0;
        flags_.Updating = true;

        if (markers.Photo && doc_.BackgroundPhoto.IsEmpty()) {
            SetBackgroundImage();
            if (doc_.BackgroundPhoto.IsEmpty()) {
                position = 0;
                continue;
            }
        }
        styleChanging_ = false;
        ColorSkin(true);
        // The auto-sized menu follows the photo; the sliders must too, or
        // unticking "Auto Size Menu" would lose the proportion.
        if (doc_.Props.PhotoSkin && doc_.Props.AutoSizeMenu) Properties().KeepPhotoAspect();
        break;
    }
    flags_.Updating = false;
    styleChanging_ = false;
    Session().ShowTip(Tip::StyleAndColor);
    if (doc_.Props.PhotoSkin) Session().ShowTip(Session().TipSuppressed(Tip::PhotoStyles) ? Tip::PhotoScaling : Tip::PhotoStyles);
    if (selectedStyle_ == styles_.MyBackgroundPosition()) Session().ShowTip(Tip::MyBackground);
}

void EditorModel::ComboBox2Select(int entry) {
    if (entry < 0 || entry >= int(buttonStyles_.Entries.size())) return;
    if (buttonStyles_.IsAddNew(entry)) {
        AddButtonStyle1Click();
        return;
    }
    buttonStyles_.Selected = entry;
    const bool custom = entry > 0;
    flags_.CustomStyleSelected = custom;
    if (!custom) {
        doc_.Props.ButtonStyleName = kDefaultButtonStyleName;
        if (flags_.Loading) return;
        const MenuStyle& style = styles_.At(selectedStyle_);
        doc_.Menu.ButtonShadowDepth = ReadMarkers(style.Background).ButtonShadowDepth;
        const SheetTextColours colours = ReadTextColours(CurrentSheet());
        doc_.Props.ButtonFont = style.ButtonFont;
        doc_.Props.ButtonFont.Color = colours.Button;
        doc_.Props.ButtonShadowColor = colours.ButtonShadow;
        doc_.Props.ButtonAnimation = style.Animation;
    } else {
        const TOVCustomBtn& slot = buttonStyles_.Slots[size_t(entry)];
        doc_.Props.ButtonStyleName = slot.StyleFile;
        StretchCopy(slot.StyleImages[0], {0, 0, kStripWidth, kStripHeight}, styles_.CustomCarrier,
                    {0, 162, kStripWidth, 162 + kStripHeight});
        StretchCopy(slot.StyleImages[1], {0, 0, kStripWidth, kStripHeight}, styles_.CustomCarrierMask,
                    {0, 162, kStripWidth, 162 + kStripHeight});
        if (flags_.Loading) return;
        doc_.Menu.ButtonShadowDepth = slot.ShadowDepth;
        doc_.Props.ButtonFont = slot.TextStyle;
        doc_.Props.ButtonShadowColor = slot.ShadowStyle;
        doc_.Props.ButtonAnimation = slot.Animation;
    }
    doc_.Menu.SelectedButton = 0;
    flags_.Modified = true;
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
    FlagSet updating(flags_.Updating);
    CountUp paused(renderSuspended_);
    designSurfaceVisible_ = false;
    OnExit shown([this] { designSurfaceVisible_ = true; });

    windowCaption_ = std::string(kAppTitle);
    ResetToNewMenu(doc_);
    textLabel_ = doc_.Props.MenuText;
    flags_.CustomStyleSelected = false;

    doc_.Props.AutoSizeMenu = true;
    doc_.Props.AutoSizeButtons = true;
    doc_.Props.PhotoAspect = true;
    doc_.Props.ButtonGap = 8;
    ComboBox1Select(5);
    ComboBox2Select(0);
    doc_.Props.MenuColor = presets_[0];

    doc_.Menu.SelectedButton = 1;
    updating.End();
    flags_.Loading = false;
    paused.End();
    ColorSkin(true);
    redrawCountdown_ = -1;
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
    if (selectedStyle_ < kFirstPhotoPosition) ComboBox1Select(kSharpPhotoPosition);
    if (!flags_.Updating) CreateSkin();
}

bool EditorModel::UsePhoto(const std::filesystem::path& path) {
    DecodeResult photo = LoadPictureFile(path);
    if (!photo.Ok()) {
        platform_.Trace(photo.Error);
        ShowMessageBox(platform_, PictureUnreadable(Utf8FromPath(path)), MsgType::Error);
        return false;
    }
    Undo().Make();
    SetPhoto(Utf8FromPath(path), std::move(photo.Picture));
    return true;
}

void EditorModel::SetPhoto(const std::string& file, Bitmap photo) {
    doc_.Menu.BackgroundFile = file;
    doc_.BackgroundPhoto = std::move(photo);
    PhotoChanged();
}

void EditorModel::SetMenuColor(uint32_t color) {
    doc_.Props.MenuColor = color;
    ColorSkin(true);
}

void EditorModel::Describe(const std::string& title, const std::string& text) {
    if (!title.empty()) doc_.Props.Title = title;
    if (!text.empty()) doc_.Props.MenuText = text;
}

void EditorModel::DropPhoto(const std::filesystem::path& path) {
    if (!doc_.Props.PhotoSkin || !UsePhoto(path)) return;
    CreateSkin();
    // The size sliders follow the new photo's proportion, as for a photo style chosen.
    if (doc_.Props.AutoSizeMenu) Properties().KeepPhotoAspect();
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
        if (styles_.Count() >= kMaxStyles) {
            ShowMessageBox(platform_, "The Menu Style list is full: the style (" + name + ") was not added.",
                           MsgType::Information);
            StartNewMenu();
            return;
        }
        if (!styles_.OpenStyle(PathFromUtf8(folder + fileName), platform_)) {
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
    ComboBox1Select(styles_.Count() - 1);
}

// The animation preview ----------------------------------------------------------------

std::vector<AnimationMove> EditorModel::ButtAniPath(int windowWidth) {
    // The animation shows the current layout, not the one before the last edit.
    if (redrawCountdown_ > 0) {
        redrawCountdown_ = -1;
        CreateSkin();
    }
    std::vector<Rect> buttons;
    for (int i = 1; i <= doc_.Menu.ButtonCount; ++i) {
        const Rect& place = renderer_.Layout.Buttons[size_t(i)];
        const Bitmap& image = doc_.Menu.Buttons[size_t(i)].Images[0];
        buttons.push_back(Rect::FromSize(place.Left, place.Top, image.Width(), image.Height()));
    }
    return ButtonAnimationPath(doc_.Props.ButtonAnimation, buttons, doc_.MenuImage.Width(), doc_.MenuImage.Height(),
                               windowWidth);
}

// Button styles, the command wizard and the autorun wizard --------------------------------

void EditorModel::AddButtonStyle1Click() {
    // The style's own buttons, recoloured; the title and the menu text keep
    // the colours the user gave them, which have nothing to do with buttons.
    ComboBox2Select(0);
    platform_.ProcessMessages();
    if (openDesignerWindow_) openDesignerWindow_();
    buttonStyles_.LoadCustomButtons(ButtonFolders(), platform_);
    Session().ShowTip(Tip::CustomButtonStyle);
}

std::unique_ptr<TfrmBtnWizCls> EditorModel::OpenCommandWizard() {
    if (doc_.Menu.SelectedButton < 1) {
        ShowMessageBox(platform_, "You must first select a button to add the command for.", MsgType::Information);
        return nullptr;
    }
    Session().ShowTip(Tip::CommandWizard);
    // Paths on the disc are made from the saved menu's folder; an unsaved menu
    // is offered a save first.
    return std::make_unique<TfrmBtnWizCls>(platform_, properties_, doc_.Menu.HasFile ? doc_.Menu.Folder : std::string(), [this] {
        Files().SaveAs();
        return doc_.Menu.HasFile ? doc_.Menu.Folder : std::string();
    });
}

std::unique_ptr<TfrmEXEWizCls> EditorModel::OpenAutorunWizard() {
    try {
        if (flags_.Modified) {
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
        return std::make_unique<TfrmEXEWizCls>(platform_, builder_, doc_.Menu.FileName, doc_.Menu.Folder,
                                               Utf8FromPath(std::filesystem::current_path(ec)) + "/");
    } catch (const std::exception&) {
        ShowMessageBox(platform_, "Please open a menu you wish to create an application from first.",
                       MsgType::Information);
        return nullptr;
    }
}

}  // namespace orvane
