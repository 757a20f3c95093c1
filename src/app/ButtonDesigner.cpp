#include "app/ButtonDesigner.h"

#include "app/ColorPicker.h"
#include "app/DesignerArtwork.h"
#include "app/EditorModel.h"
#include "app/ShadowSets.h"
#include "document/ByteStream.h"
#include "document/mdlfilebin.h"
#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/Text.h"
#include "render/CoreGraphics.h"
#include "render/MenuSkin.h"

#include <algorithm>
#include <charconv>

namespace orvane {
namespace fs = std::filesystem;

namespace {

constexpr int kPicture = 32;
constexpr uint32_t kWindowTextColor = 0xFF000008;  // a system colour
constexpr uint32_t kYellow = MakeColor(255, 255, 0);

Bitmap DecodeArtwork(std::span<const uint8_t> png, int width, int height) {
    DecodeResult d = ReadPng(png);
    if (d.Ok() && d.Picture.Width() == width && d.Picture.Height() == height) return d.Picture;
    return Bitmap(width, height, MakePixel(192, 192, 192));
}

// The 32 x 32 picture at x of a strip; what the strip lacks stays black.
Bitmap CutPicture(const Bitmap& strip, int x) {
    Bitmap picture(kPicture, kPicture, 0);
    CopyInto(strip, picture, -x, 0);
    return picture;
}

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || p != end || text.empty()) return std::nullopt;
    return value;
}

std::string Quoted(const fs::path& path) { return "\"" + Utf8FromPath(path) + "\""; }

}  // namespace

const std::string TfrmCustomBtnCls::kFontSeparator = [] {
    std::string s;
    for (int i = 0; i < 12; ++i) s += "\xE2\x80\x94";
    return s;
}();

const std::array<std::string, 12> TfrmCustomBtnCls::kPopularFonts = {
    "Arial", "Times New Roman", "Arial Black", "Courier New", "Verdana",      "Comic Sans MS",
    "Courier", "Monospace",     "Sans-Serif",  "Serif",       "Trebuchet MS", "Georgia"};

TfrmCustomBtnCls::TfrmCustomBtnCls(EditorModel& editor, std::vector<std::string> installedFonts)
    : editor_(editor), platform_(editor.Desktop()) {
    FormCreate(std::move(installedFonts));
}

TfrmCustomBtnCls::~TfrmCustomBtnCls() = default;

std::string TfrmCustomBtnCls::ButtonsFolder() const { return editor_.ButtonsFolder(); }

void TfrmCustomBtnCls::FormCreate(std::vector<std::string> installedFonts) {
    NudgeLeft = 14;
    NudgeTop = -1;
    shadowDepth_ = 1;
    ShadowColor = kYellow;
    CaptionFont = FontSpec{"Arial", 9, true, false, false, Alignment::Centre, kWindowTextColor};
    SampleDelay = 2;
    SelectedSlot = 1;

    for (int s = 0; s < 3; ++s)
        SlotPictures[size_t(s + 1)] = DecodeArtwork(DesignerButtonPng(s), kPicture, kPicture);
    SlotPictures[4] = DecodeArtwork(DesignerMaskPng(), kPicture, kPicture);
    SlotPictures[5] = SlotPictures[4];
    SlotPictures[6] = SlotPictures[4];
    TextCanvas = Bitmap(kSampleWidth, kSampleHeight, 0);
    DefaultPictures = SlotPictures;
    DefaultPictures[0] = TextCanvas;
    for (auto& b : StateBitmaps) b = Bitmap(kSampleWidth, kSampleHeight, 0);
    StretchedImage = Bitmap(kSampleWidth, kSampleHeight, 0);
    StretchedMask = Bitmap(kSampleWidth, kSampleHeight, 0);
    SampleBackground = DecodeArtwork(DesignerBackgroundPng(), kBackgroundWidth, kBackgroundHeight);

    SetPhotoButton(PhotoButton);

    FontList = std::move(installedFonts);
    if (FontList.size() < size_t(kFontListHead)) FontList.resize(size_t(kFontListHead));
    std::copy(kPopularFonts.begin(), kPopularFonts.end(), FontList.begin());
    FontList[size_t(kFontListHead - 1)] = kFontSeparator;
    FontIndex = 0;

    SizeList.clear();
    for (int size = kFontSizeRange.Min; size <= kFontSizeRange.Max; ++size)
        SizeList.push_back(std::to_string(size));
    SizeText = "9";

    try {
        CreateFolders(PathFromUtf8(ButtonsFolder()));
    } catch (const FileError& e) {
        // Saving says so when it cannot write there; the designer opens all the same.
        platform_.Trace(e.what());
    }
    StyleFileName.clear();
    Modified = false;
    ArmSample();
}

void TfrmCustomBtnCls::Tick() {
    if (SampleCountdown <= -1) return;
    --SampleCountdown;
    if (SampleCountdown == 0) {
        SampleCountdown = -1;
        ComposeSample();
        SampleCountdown = -1;
    }
}

void TfrmCustomBtnCls::CompileBtnSkn() {
    Bitmap strip(kStripWidth, kStripHeight, 0);
    Bitmap mask(kStripWidth, kStripHeight, 0);
    for (int s = 0; s < 3; ++s) {
        CopyInto(CutPicture(SlotPictures[size_t(s + 1)], 0), strip, kPicture * s, 0);
        CopyInto(CutPicture(SlotPictures[size_t(s + 4)], 0), mask, kPicture * s, 0);
    }
    SknImg = std::move(strip);
    SknMsk = std::move(mask);
}

void TfrmCustomBtnCls::StretchPieces(Bitmap& state, int x0) {
    constexpr int W = kSampleWidth, H = kSampleHeight;
    struct Piece {
        Rect Source, Destination;
    };
    // Corners last, so they are never stretched.
    const Piece pieces[] = {
        {{x0 + 11, 11, x0 + 21, 21}, {11, 5, W - 11, H - 4}},
        {{x0 + 11, 0, x0 + 21, 11}, {11, 0, W - 10, 11}},
        {{x0 + 11, 21, x0 + 21, 32}, {11, H - 11, W - 10, H}},
        {{x0, 11, x0 + 11, 21}, {0, 10, 11, H - 10}},
        {{x0 + 21, 11, x0 + 32, 21}, {W - 11, 10, W, H - 10}},
        {{x0, 0, x0 + 11, 11}, {0, 0, 11, 11}},
        {{x0 + 21, 0, x0 + 32, 11}, {W - 11, 0, W, 11}},
        {{x0, 21, x0 + 11, 32}, {0, H - 11, 11, H}},
        {{x0 + 21, 21, x0 + 32, 32}, {W - 11, H - 11, W, H}},
    };
    state = Bitmap(W, H, 0);
    for (const Piece& p : pieces) StretchCopy(SkinStrip, p.Source, state, p.Destination);
}

void TfrmCustomBtnCls::ComposeSample() {
    constexpr int W = kSampleWidth, H = kSampleHeight;
    const bool photo = PhotoButton;
    CompileBtnSkn();
    SkinStrip = SknImg;
    const TextFont font = ToTextFont(CaptionFont);
    CoreGraphics& graphics = editor_.renderer_.Graphics;

    for (int s = 0; s < 3; ++s) {
        const int x0 = kPicture * s;
        Bitmap& state = StateBitmaps[size_t(s)];
        StretchPieces(state, x0);
        if (photo) {
            StretchedImage = state;
            SavedStrip = SkinStrip;
            SkinStrip = SknMsk;
            StretchPieces(state, x0);
            StretchedMask = state;
            SkinStrip = SavedStrip;
        }
        const int h = MeasureText(font, "X").Height;
        int y = (H - h) / 2 + NudgeTop;
        if (photo) graphics.MaskBlend(SampleBackground, StretchedImage, StretchedMask, state, kBlendX, kBlendY);
        TextCanvas = state;

        const int width = MeasureText(font, kSampleCaption).Width;
        int x = AlignedX(CaptionFont.Alignment, W, width, NudgeLeft, NudgeLeft);
        if (s == 2) {
            ++x;
            ++y;
        }
        if (shadowDepth_ > 0)
            DrawTransparentText(TextCanvas, x + shadowDepth_, y + shadowDepth_, font, ShadowColor, kSampleCaption);
        DrawTransparentText(TextCanvas, x, y, font, CaptionFont.Color, kSampleCaption);
        ComposedStates[size_t(s)] = TextCanvas;
    }
    ShownState = 0;
}

void TfrmCustomBtnCls::SelectSlotByName(const std::string& controlName) {
    if (controlName.size() < 2) return;
    const std::string tail = controlName.substr(controlName.size() - 2);
    if (tail == "01") SelectedSlot = 1;
    else if (tail == "02") SelectedSlot = 2;
    else if (tail == "03") SelectedSlot = 3;
}

// Formatting -------------------------------------------------------------------

void TfrmCustomBtnCls::ApplyFontList() {
    // The separator line is no font; choosing it keeps the caption's font.
    if (FontIndex >= 0 && size_t(FontIndex) < FontList.size() && FontList[size_t(FontIndex)] != kFontSeparator)
        CaptionFont.Name = FontList[size_t(FontIndex)];
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SelectFontEntry(int index) {
    if (index < 0 || size_t(index) >= FontList.size()) return;
    FontIndex = index;
    ApplyFontList();
}

void TfrmCustomBtnCls::SetFontText(const std::string& text) {
    const auto it = std::find(FontList.begin(), FontList.end(), text);
    FontIndex = it == FontList.end() ? -1 : int(it - FontList.begin());
    if (!text.empty() && text != kFontSeparator) CaptionFont.Name = text;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SetSizeText(const std::string& text) {
    SizeText = text;
    const std::optional<int> size = WholeNumber(text);
    if (!size || *size != kFontSizeRange.Clamp(*size)) return;
    CaptionFont.Size = *size;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::FormatFontEntry(const std::string& caption) {
    std::string name = caption;
    std::erase(name, '&');
    const size_t head = std::min(FontList.size(), size_t(kFontListHead));
    for (size_t i = 0; i < head; ++i)
        if (FontList[i] == name) {
            FontIndex = int(i);
            break;
        }
    ApplyFontList();
}

void TfrmCustomBtnCls::FormatSizeEntry(const std::string& caption) {
    std::string number = caption;
    std::erase(number, '&');
    SetSizeText(number);
}

void TfrmCustomBtnCls::SetBold(bool on) {
    CaptionFont.Bold = on;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SetItalic(bool on) {
    CaptionFont.Italic = on;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SetUnderline(bool on) {
    CaptionFont.Underline = on;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SetAlignment(Alignment alignment) {
    CaptionFont.Alignment = alignment;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::NudgeTextLeft() {
    --NudgeLeft;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::NudgeTextRight() {
    ++NudgeLeft;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::NudgeTextUp() {
    --NudgeTop;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::NudgeTextDown() {
    ++NudgeTop;
    Modified = true;
    ArmSample();
}

void TfrmCustomBtnCls::SetPhotoButton(bool on) {
    PhotoButton = on;
    ArmSample();
}

// Colours come back from the picker and the shadow-set pop-up; they are
// changes to the style like any other, so the save question must see them.
void TfrmCustomBtnCls::SetCaptionColor(uint32_t color) {
    CaptionFont.Color = color;
    Modified = true;
}

void TfrmCustomBtnCls::SetShadowColor(uint32_t color) {
    ShadowColor = color;
    Modified = true;
}

void TfrmCustomBtnCls::SetShadowDepth(int depth) {
    shadowDepth_ = depth;
    Modified = true;
}

std::unique_ptr<TfrmColorsCls> TfrmCustomBtnCls::OpenFontColor() {
    editor_.pickerTarget_ = ColorTarget::DesignerCaption;
    editor_.pickedColor_ = ResolveColor(CaptionFont.Color);
    return std::make_unique<TfrmColorsCls>(editor_, this);
}

std::unique_ptr<TfrmColorsCls> TfrmCustomBtnCls::OpenShadowColor() {
    editor_.pickerTarget_ = ColorTarget::DesignerShadow;
    editor_.pickedColor_ = ResolveColor(ShadowColor);
    return std::make_unique<TfrmColorsCls>(editor_, this);
}

std::unique_ptr<TfrmShadowSets> TfrmCustomBtnCls::OpenShadowDepth() {
    editor_.pickerTarget_ = ColorTarget::DesignerDepth;
    return std::make_unique<TfrmShadowSets>(editor_, this);
}

// Commands ---------------------------------------------------------------------

bool TfrmCustomBtnCls::SaveQuestion() {
    if (!Modified) return true;
    const MsgResult answer = ShowMessageBox(platform_, "Do you want to save the changes you made to " + StyleFileName,
                                            MsgType::Warning, MsgButtons::YesNoCancel);
    if (answer == MsgResult::Cancel) return false;
    // A save that did not happen must not let the changes be thrown away.
    if (answer == MsgResult::Yes) return HasStyleFile ? Save() : SaveAs();
    return true;
}

void TfrmCustomBtnCls::ResetCaption() {
    FontIndex = 0;
    ApplyFontList();
    SetSizeText(SizeList[5]);
    NudgeLeft = 14;
    NudgeTop = -1;
    CaptionFont.Alignment = Alignment::Centre;
    CaptionFont.Bold = true;
    CaptionFont.Italic = false;
    CaptionFont.Underline = false;
    CaptionFont.Color = MakeColor(0, 0, 0);
    shadowDepth_ = 1;
    ShadowColor = kYellow;
}

void TfrmCustomBtnCls::NewStyle() {
    if (!SaveQuestion()) return;
    for (size_t i = 1; i < SlotPictures.size(); ++i) SlotPictures[i] = DefaultPictures[i];
    TextCanvas = DefaultPictures[0];
    HasStyleFile = false;
    StyleFileName.clear();
    StyleFolder.clear();
    ResetCaption();
    Modified = false;
    ArmSample();
}

void TfrmCustomBtnCls::CloseMenu() { NewStyle(); }

void TfrmCustomBtnCls::OpenStyle() {
    if (!SaveQuestion()) return;
    FileDialogRequest request;
    request.Title = "Open Button File...";
    request.Filter = "Orvane Graphic Button (*.ovgbtn)|*.OVGBTN";
    request.InitialFolder = PathFromUtf8(ButtonsFolder());
    const std::optional<fs::path> chosen = platform_.OpenFileDialog(request);
    if (!chosen) return;
    platform_.ShowProgress("Loading Button...");
    std::error_code ec;
    if (fs::exists(*chosen, ec)) {
        ReadStyleFile(Utf8FromPath(chosen->filename()), FolderWithSlash(Utf8FromPath(chosen->parent_path())));
        platform_.SetProgressText("Button Loaded.", 600);
        ArmSample();
    } else {
        ShowMessageBox(platform_, "The button " + Quoted(*chosen) + " could no be found.", MsgType::Information);
    }
}

void TfrmCustomBtnCls::ReadStyleFile(const std::string& fileName, const std::string& folder) {
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(folder + fileName), ec)) {
        ShowMessageBox(platform_, "Button not found.", MsgType::Information);
        return;
    }
    auto damaged = [this] {
        MessageBoxRequest request;
        request.Text = "Error loading binary button data.";
        request.Type = MsgType::Warning;
        request.Caption.clear();
        platform_.ShowMessageBox(request);
    };

    RecordFile file(platform_);
    try {
        file.OpenRecordFile(fileName, folder, false, false);
    } catch (const FileError& e) {
        platform_.Trace("Button style " + fileName + " cannot be read: " + e.what());
        damaged();
        return;
    }
    // Read over the designer's own values, so a damaged file leaves what came
    // before the damage and the designer's values after it.
    ButtonStyleFile current = StyleForFile();
    current.Strip = {};
    current.MaskStrip = {};
    const ButtonStyleRecords records = ReadButtonStyleRecords(file, current);
    file.CloseRecordFile();
    if (records.Magic != ButtonStyleFileMagic()) {
        ShowMessageBox(platform_, "The opened file contained a button style in an unrecognized format.",
                       MsgType::Warning);
        return;
    }
    if (!records.Damage.empty()) platform_.Trace("Button style " + fileName + " is damaged: " + records.Damage);

    const ButtonStyleFile& read = records.Style;
    StyleName = read.Name;
    Animation = read.Animation;
    CaptionFont = read.Font;
    const auto match = std::find(FontList.begin(), FontList.end(), CaptionFont.Name);
    FontIndex = match == FontList.end() ? -1 : int(match - FontList.begin());
    SizeText = std::to_string(CaptionFont.Size);
    shadowDepth_ = read.ShadowDepth;
    ShadowColor = read.ShadowColor;
    SetPhotoButton(read.PhotoFlag != 0);
    // A picture that could not be read leaves the slots as they were.
    if (!read.Strip.IsEmpty()) {
        SknImg = read.Strip;
        for (int s = 0; s < 3; ++s) SlotPictures[size_t(s + 1)] = CutPicture(read.Strip, kPicture * s);
    }
    if (!read.MaskStrip.IsEmpty()) {
        SknMsk = read.MaskStrip;
        for (int s = 0; s < 3; ++s) SlotPictures[size_t(s + 4)] = CutPicture(read.MaskStrip, kPicture * s);
    }
    if (!records.PicturesRead) {
        damaged();
    } else {
        StyleFileName = fileName;
        StyleFolder = folder;
        HasStyleFile = true;
        Modified = false;
    }
    ArmSample();
}

bool TfrmCustomBtnCls::Save() {
    if (StyleFileName.empty()) return SaveAs();
    return WriteStyleFile(StyleFileName, StyleFolder);
}

std::string TfrmCustomBtnCls::ForceExtension(const std::string& path, const std::string& extension) {
    // The file name as this system splits paths (Windows takes "\" as well as "/").
    const std::string name = Utf8FromPath(PathFromUtf8(path).filename());
    const size_t nameStart = path.size() - name.size();
    if (name.size() >= extension.size() && name.compare(name.size() - extension.size(), extension.size(), extension) == 0)
        return path;
    const size_t point = name.find('.');
    return path.substr(0, nameStart) + name.substr(0, point) + extension;
}

bool TfrmCustomBtnCls::SaveAs() {
    FileDialogRequest request;
    request.Title = "Save Button File...";
    request.Filter = "Orvane Buttons (*.ovgbtn)|*.OVGBTN";
    request.InitialFolder = PathFromUtf8(ButtonsFolder());
    const std::optional<fs::path> chosen = platform_.SaveFileDialog(request);
    if (!chosen) return false;
    const fs::path path = PathFromUtf8(ForceExtension(Utf8FromPath(*chosen), ".ovgbtn"));
    StyleFileName = Utf8FromPath(path.filename());
    StyleFolder = FolderWithSlash(Utf8FromPath(path.parent_path()));
    editor_.Files().SetFolder(StyleFolder);
    return WriteStyleFile(StyleFileName, StyleFolder);
}

ButtonStyleFile TfrmCustomBtnCls::StyleForFile() const {
    ButtonStyleFile style;
    style.Name = StyleName;
    style.Animation = Animation;
    style.Font = CaptionFont;
    style.ShadowDepth = shadowDepth_;
    style.ShadowColor = ShadowColor;
    style.PhotoFlag = PhotoButton ? 1 : 0;
    style.Strip = SknImg;
    style.MaskStrip = SknMsk;
    return style;
}

bool TfrmCustomBtnCls::WriteStyleFile(const std::string& fileName, const std::string& folder) {
    if (PathFromUtf8(folder).lexically_normal() != PathFromUtf8(ButtonsFolder()).lexically_normal())
        editor_.Session().ShowTip(Tip::ButtonsFolder);
    // The strips must hold the pictures as they are now, even when the sample
    // has not been composed since the last change.
    CompileBtnSkn();
    RecordFile file(platform_);
    try {
        if (!file.OpenRecordFile(fileName, folder, true, false)) {
            platform_.ShowProgress("Saving...");
            platform_.SetProgressText("Save cancelled...", 600);
            return false;
        }
        WriteButtonStyleRecords(file, StyleForFile());
        file.CloseRecordFile();
    } catch (const FileError& e) {
        platform_.Trace("Button style " + folder + fileName + " not written: " + e.what());
        ShowMessageBox(platform_, "The button style could not be saved.\r\r" + std::string(e.what()), MsgType::Error);
        return false;
    }
    Modified = false;
    HasStyleFile = true;
    return true;
}

void TfrmCustomBtnCls::TakePicture(Bitmap picture, bool mask) {
    if (picture.IsEmpty()) return;
    CoreGraphics& graphics = editor_.renderer_.Graphics;
    // The smooth scaler's cache holds the main window's photo; it must not
    // stand in for this picture, nor this picture for the photo afterwards.
    graphics.ScaleCacheDirty = true;
    Bitmap scaled;
    if (editor_.fastScaling_) {
        graphics.ScaleFast(picture, scaled, kPicture, kPicture, true);
    } else {
        graphics.ScaleSmooth(picture, scaled, kPicture, kPicture, true);
        editor_.designerScaledLast_ = true;
    }
    graphics.ScaleCacheDirty = true;
    if (mask) CoreGraphics::GreyBitmap(scaled);
    SelectedPicture(mask) = std::move(scaled);
    ArmSample();
    Modified = true;
}

void TfrmCustomBtnCls::LoadPicture(bool mask) {
    FileDialogRequest request;
    request.Title = "Open Image...";
    request.Filter = "All Images (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png";
    request.InitialFolder = PathFromUtf8(LastImageFolder);
    const std::optional<fs::path> chosen = platform_.OpenFileDialog(request);
    if (!chosen) return;
    LastImageFolder = FolderWithSlash(Utf8FromPath(chosen->parent_path()));
    std::error_code ec;
    if (!fs::is_regular_file(*chosen, ec)) {
        ShowMessageBox(platform_, "The image " + Quoted(*chosen) + " could no be found.", MsgType::Information);
        return;
    }
    DecodeResult picture = LoadPictureFile(*chosen);
    if (!picture.Ok()) {
        platform_.Trace("Image " + Utf8FromPath(*chosen) + " not loaded: " + picture.Error);
        ShowMessageBox(platform_, "The image " + Quoted(*chosen) + " could not be loaded.", MsgType::Warning);
        return;
    }
    TakePicture(std::move(picture.Picture), mask);
}

void TfrmCustomBtnCls::PastePicture(bool mask) {
    std::optional<Bitmap> picture = platform_.GetClipboardBitmap();
    if (!picture || picture->IsEmpty()) return;
    TakePicture(std::move(*picture), mask);
}

void TfrmCustomBtnCls::CopyPicture(bool mask) {
    const Bitmap& picture = SelectedPicture(mask);
    if (picture.IsEmpty()) {
        ShowMessageBox(platform_, "No image to copy.", MsgType::Information);
        return;
    }
    platform_.SetClipboardBitmap(picture);
}

void TfrmCustomBtnCls::SavePicture(bool mask) {
    FileDialogRequest request;
    request.Title = "Save Image As...";
    request.Filter = "Bitmaps (*.bmp)|*.bmp";
    request.InitialFolder = PathFromUtf8(LastImageFolder);
    const std::optional<fs::path> chosen = platform_.SaveFileDialog(request);
    if (!chosen) return;
    const fs::path path = PathFromUtf8(ForceExtension(Utf8FromPath(*chosen), ".bmp"));
    std::error_code ec;
    if (fs::exists(path, ec)) {
        const MsgResult answer =
            ShowMessageBox(platform_,
                           "Are you sure you wish to overwrite the existing " + Utf8FromPath(path) + " image?",
                           MsgType::Warning, MsgButtons::YesNoCancel);
        if (answer != MsgResult::Yes) return;
    }
    const Bitmap& picture = SelectedPicture(mask);
    if (picture.IsEmpty()) return;
    try {
        const std::vector<uint8_t> bmp = WriteBmp(picture, 24);
        WriteFileReplacing(path, bmp);
    } catch (const FileError& e) {
        platform_.Trace("Image " + Utf8FromPath(path) + " not written: " + e.what());
        ShowMessageBox(platform_, "The image " + Quoted(path) + " could not be saved.", MsgType::Warning);
    }
}

Bitmap TfrmCustomBtnCls::ButtonMap() {
    static constexpr uint8_t kFields[3][3][3] = {
        {{255, 255, 0}, {255, 0, 0}, {255, 0, 255}},
        {{0, 0, 255}, {0, 255, 0}, {0, 255, 255}},
        {{128, 0, 255}, {255, 128, 0}, {0, 128, 128}},
    };
    auto band = [](int v) { return v <= 10 ? 0 : v <= 20 ? 1 : 2; };
    Bitmap map(kPicture, kPicture, 0);
    for (int y = 0; y < kPicture; ++y)
        for (int x = 0; x < kPicture; ++x) {
            const uint8_t* c = kFields[band(y)][band(x)];
            map.At(x, y) = MakePixel(c[0], c[1], c[2]);
        }
    return map;
}

void TfrmCustomBtnCls::CopyButtonMap() {
    platform_.SetClipboardBitmap(ButtonMap());
    ShowMessageBox(platform_, "The button map, showing the cut points, has been placed in the clipboard.",
                   MsgType::Information);
}

void TfrmCustomBtnCls::SetStyleName(const std::string& name) {
    if (name == StyleName) return;
    StyleName = name;
    Modified = true;
}

void TfrmCustomBtnCls::SetAnimation(int animation) {
    if (animation < 0 || animation >= kAnimationCount || animation == Animation) return;
    Animation = animation;
    Modified = true;
}

}  // namespace orvane
