#include "MenuRecords.h"

namespace orvane {

const std::string kStyleFileMagic = "OVGMENUSTYLEFILE";
const std::string kMenuUnreadable = "Menu file could not be read.";

namespace {

// Reads in order and remembers whether every record had the expected kind.
class FieldReader {
public:
    explicit FieldReader(RecordFile& f) : f_(f) { f_.FileOpFailed = false; }
    bool Ok() const { return !f_.FileOpFailed; }

    void Text(std::string& v) {
        if (Ok()) v = f_.ReadText();
    }
    void EditorText(std::string& v) {
        if (Ok()) v = f_.ReadEditorText();
    }
    void Int(int32_t& v) {
        if (Ok()) v = f_.ReadInteger();
    }
    void Long(uint32_t& v) {
        if (Ok()) v = f_.ReadLong();
    }
    void LongInt(int32_t& v) {
        if (Ok()) v = int32_t(f_.ReadLong());
    }
    // Flags written as 1/0: any non-zero value is true.
    void Flag(bool& v) {
        if (Ok()) v = f_.ReadInteger() != 0;
    }
    // Font style flags: only -1 is true.
    void StyleFlag(bool& v) {
        if (Ok()) v = f_.ReadInteger() == -1;
    }
    void Font(FontSpec& font) {
        Text(font.Name);
        LongInt(font.Size);
        StyleFlag(font.Bold);
        StyleFlag(font.Italic);
        StyleFlag(font.Underline);
        Int(font.Alignment);
        Long(font.Color);
    }

private:
    RecordFile& f_;
};

}  // namespace

void ApplyStoredButton(const StoredButton& s, TOVButton& b) {
    b.Caption = s.Caption;
    b.Command = s.Command;
    b.Argument = s.Argument;
    b.Description = s.Description;
    b.MinimizeOnClick = s.MinimizeOnClick;
    b.ExitOnClick = s.ExitOnClick;
    b.AccessKey = s.AccessKey;
    b.MaximizeWindow = s.MaximizeWindow;
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

MenuFileRead ReadMenuFile(RecordFile& file, const StoredMenu& start) {
    MenuFileRead result;
    result.Menu = start;
    try {
        if (!file.ReadRecordHeader()) {
            result.Detail = "the header's kind or version is not accepted";
            return result;
        }
        result.Major = file.VersionMajor;
        result.Minor = file.VersionMinor;
        result.Release = file.VersionRelease;
        result.Count = file.HeaderCount;
        result.PictureCount = file.HeaderPictureCount;
        file.FileOpFailed = false;
        result.FirstText = file.ReadText();
        if (file.FileOpFailed) {
            result.Detail = "the first record is not a text record";
            return result;
        }
        if (result.FirstText.rfind(kStyleFileMagic, 0) == 0) {
            result.Status = MenuReadStatus::StyleFile;
            return result;
        }
        if (result.Count < 1 || result.Count > kMaxButtons) {
            result.Detail = "the header's button count " + std::to_string(result.Count) + " is not 1 to 30";
            return result;
        }
        result.Menu.Props.Title = result.FirstText;
        if (!ReadMenuFields(file, result.Major, result.Count, result.Menu)) {
            result.Detail = "a record of an unexpected kind";
            return result;
        }
    } catch (const RecordFormatError& e) {
        result.Detail = e.what();
        return result;
    }
    result.Status = MenuReadStatus::Ok;
    return result;
}

void BringIntoRange(StoredMenu& menu) {
    MenuProperties& p = menu.Props;
    p.MenuWidth = kMenuWidthRange.Clamp(p.MenuWidth);
    p.MenuHeight = kMenuHeightRange.Clamp(p.MenuHeight);
    p.ButtonWidth = kButtonWidthRange.Clamp(p.ButtonWidth);
    p.ButtonHeight = kButtonHeightRange.Clamp(p.ButtonHeight);
    p.ButtonGap = kButtonGapRange.Clamp(p.ButtonGap);
    p.TitleBoxVisibility = kVisibilityRange.Clamp(p.TitleBoxVisibility);
    p.TextBoxVisibility = kVisibilityRange.Clamp(p.TextBoxVisibility);
    for (FontSpec* font : {&p.TextFont, &p.ButtonFont, &p.TitleFont}) {
        font->Size = kFontSizeRange.Clamp(font->Size);
        if (font->Alignment < 0 || font->Alignment > 2) font->Alignment = 0;
    }
    for (int32_t* depth : {&menu.TextShadowDepth, &menu.TitleShadowDepth, &menu.ButtonShadowDepth})
        *depth = kShadowDepthRange.Clamp(*depth);
    // A code without a meaning is the first one: the middle of the screen, no animation.
    if (menu.Position < 0 || menu.Position >= kPositionCount) menu.Position = 0;
    if (p.ButtonAnimation < 0 || p.ButtonAnimation >= kAnimationCount) p.ButtonAnimation = 0;
}

bool ReadMenuFields(RecordFile& file, int majorVersion, int buttonCount, StoredMenu& menu) {
    FieldReader r(file);
    MenuProperties& p = menu.Props;
    r.Flag(p.AnimateTitle);
    r.Text(p.MenuText);
    r.Int(menu.Position);
    r.Int(p.StyleId);
    r.Long(p.MenuColor);
    r.Flag(p.AutoAdjust);
    r.Int(p.ButtonAnimation);
    r.EditorText(menu.BackgroundFile);
    r.Flag(p.AutoSizeMenu);
    r.Int(p.MenuWidth);
    r.Int(p.MenuHeight);
    r.Flag(p.PhotoAspect);
    r.Flag(p.AutoSizeButtons);
    r.Int(p.ButtonWidth);
    r.Int(p.ButtonHeight);
    r.Int(p.ButtonGap);
    r.Font(p.TextFont);
    r.Font(p.ButtonFont);
    r.Font(p.TitleFont);
    r.Int(menu.TextShadowDepth);
    r.Long(p.TextShadowColor);
    r.Int(menu.TitleShadowDepth);
    r.Long(p.TitleShadowColor);
    r.Int(menu.ButtonShadowDepth);
    r.Long(p.ButtonShadowColor);
    r.Int(p.FirstButtonLeft);
    r.Int(p.FirstButtonTop);
    for (int32_t& v : p.TextRect) r.Int(v);
    int32_t photoSkin = 0;
    r.Int(photoSkin);
    p.PhotoSkin = photoSkin == -1;
    menu.HasVersion9Fields = majorVersion > 8;
    if (menu.HasVersion9Fields) {
        r.Flag(p.DisableSounds);
        r.Int(p.TitleBoxVisibility);
        r.Int(p.TextBoxVisibility);
        r.EditorText(p.ButtonStyleName);
    }
    menu.Buttons.assign(size_t(buttonCount), StoredButton{});
    for (StoredButton& b : menu.Buttons) {
        r.Text(b.Caption);
        r.Text(b.Command);
        r.Text(b.Argument);
        r.Text(b.Description);
        r.Int(b.MinimizeOnClick);
        r.Int(b.ExitOnClick);
        r.Text(b.AccessKey);
        r.Int(b.MaximizeWindow);
        r.Int(b.Left);
        r.Int(b.Top);
    }
    BringIntoRange(menu);
    return r.Ok();
}

namespace {

std::string PictureName(int number, int state, bool strip) {
    static const char* const kStates[] = {"normal", "highlighted", "pressed"};
    const std::string which = strip ? "the window-control strip"
                              : number == 0 ? "the menu picture"
                                            : "button " + std::to_string(number);
    return which + (number == 0 && !strip ? "" : std::string(" (") + kStates[state] + ")");
}

// What each picture of a menu file may be: half again what the editor makes.
constexpr PictureBounds kButtonPictureBounds{kLargestButtonWidth * 3 / 2, kButtonHeightRange.Max * 3 / 2};
constexpr PictureBounds kStripPictureBounds{64, 64};

// Reads one picture where the writer puts it; false for a strip that refers
// to an outside file.
bool ReadExpectedPicture(RecordFile& file, int number, int state, bool strip, Bitmap& into) {
    const std::string name = PictureName(number, state, strip);
    if (file.AtEnd() || file.PeekKind() != kPictureRecord) throw RecordFormatError(name + " is missing");
    file.ReadPictureFields();
    const auto& f = file.LastPicture;
    if (strip && f.Frame == -1) return false;
    if (f.Type != 1 || f.Number != number || f.State != state || f.Frame != 0)
        throw RecordFormatError("picture " + std::to_string(f.Number) + " state " + std::to_string(f.State) +
                                " stands where " + name + " belongs");
    try {
        file.ReadPictureData(into, false,
                             strip ? kStripPictureBounds : number == 0 ? kStoredPictureBounds : kButtonPictureBounds);
    } catch (const RecordFormatError& e) {
        throw RecordFormatError(name + ": " + e.what());
    }
    return true;
}

}  // namespace

void ReadMenuPictures(RecordFile& file, int buttonCount, StoredPictures& pictures) {
    ReadExpectedPicture(file, 0, 0, false, pictures.MenuImage);
    if (pictures.MenuImage.IsEmpty()) throw RecordFormatError("the menu picture is empty");
    pictures.Buttons.assign(size_t(buttonCount), {});
    for (int n = 1; n <= buttonCount; ++n)
        for (int s = 0; s < 3; ++s) ReadExpectedPicture(file, n, s, false, pictures.Buttons[size_t(n - 1)][size_t(s)]);
    pictures.Controls = {};
    for (int s = 0; s < 3; ++s) {
        if (!ReadExpectedPicture(file, 21, s, true, pictures.Controls[size_t(s)])) {
            pictures.Controls = {};
            break;
        }
    }
}

}  // namespace orvane
