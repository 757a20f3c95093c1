#include "MenuRecords.h"

namespace orvane {
namespace {

int32_t Flag10(bool on) { return on ? 1 : 0; }
int32_t FlagMinus1(bool on) { return on ? -1 : 0; }

void WriteFont(RecordFile& f, const FontSpec& font) {
    f.WriteField(kTextRecord, 0, font.Name);
    f.WriteField(kLongRecord, font.Size, {});
    f.WriteField(kIntegerRecord, FlagMinus1(font.Bold), {});
    f.WriteField(kIntegerRecord, FlagMinus1(font.Italic), {});
    f.WriteField(kIntegerRecord, FlagMinus1(font.Underline), {});
    f.WriteField(kIntegerRecord, font.Alignment, {});
    f.WriteField(kLongRecord, int32_t(font.Color), {});
}

// Reads in order and remembers whether every record had the expected kind.
class FieldReader {
public:
    explicit FieldReader(RecordFile& f) : f_(f) { f_.FileOpFailed = false; }
    bool Ok() const { return !f_.FileOpFailed; }

    void Text(std::string& v) {
        if (Ok()) v = f_.ReadText();
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

bool WriteMenuFields(RecordFile& f, MenuDocument& doc) {
    const MenuProperties& p = doc.Props;
    TOVMenu& m = doc.Menu;
    f.WriteField(kTextRecord, 0, p.Title);
    f.WriteField(kIntegerRecord, Flag10(p.AnimateTitle), {});
    f.WriteField(kTextRecord, 0, WithCrLf(p.MenuText));
    f.WriteField(kIntegerRecord, m.Position, {});
    f.WriteField(kIntegerRecord, p.StyleId, {});
    f.WriteField(kLongRecord, int32_t(p.MenuColor), {});
    f.WriteField(kIntegerRecord, Flag10(p.AutoAdjust), {});
    f.WriteField(kIntegerRecord, p.ButtonAnimation, {});
    f.WriteField(kTextRecord, 0, m.BackgroundFile);
    f.WriteField(kIntegerRecord, Flag10(p.AutoSizeMenu), {});
    f.WriteField(kIntegerRecord, p.MenuWidth, {});
    f.WriteField(kIntegerRecord, p.MenuHeight, {});
    f.WriteField(kIntegerRecord, Flag10(p.PhotoAspect), {});
    f.WriteField(kIntegerRecord, Flag10(p.AutoSizeButtons), {});
    f.WriteField(kIntegerRecord, p.ButtonWidth, {});
    f.WriteField(kIntegerRecord, p.ButtonHeight, {});
    f.WriteField(kIntegerRecord, p.ButtonGap, {});
    WriteFont(f, p.TextFont);
    WriteFont(f, p.ButtonFont);
    WriteFont(f, p.TitleFont);
    f.WriteField(kIntegerRecord, m.TextShadowDepth, {});
    f.WriteField(kLongRecord, int32_t(p.TextShadowColor), {});
    f.WriteField(kIntegerRecord, m.TitleShadowDepth, {});
    f.WriteField(kLongRecord, int32_t(p.TitleShadowColor), {});
    f.WriteField(kIntegerRecord, m.ButtonShadowDepth, {});
    f.WriteField(kLongRecord, int32_t(p.ButtonShadowColor), {});
    f.WriteField(kIntegerRecord, p.FirstButtonLeft, {});
    f.WriteField(kIntegerRecord, p.FirstButtonTop, {});
    for (int32_t v : p.TextRect) f.WriteField(kIntegerRecord, v, {});
    f.WriteField(kIntegerRecord, FlagMinus1(p.PhotoSkin), {});
    f.WriteField(kIntegerRecord, FlagMinus1(p.DisableSounds), {});
    f.WriteField(kIntegerRecord, p.TitleBoxVisibility, {});
    f.WriteField(kIntegerRecord, p.TextBoxVisibility, {});
    f.WriteField(kTextRecord, 0, p.ButtonStyleName);

    bool exitButton = false;
    for (int n = 1; n <= m.ButtonCount; ++n) {
        TOVButton& b = m.Buttons[size_t(n)];
        b.AccessKey = AccessKeyOf(b.Caption);
        f.WriteField(kTextRecord, 0, b.Caption);
        f.WriteField(kTextRecord, 0, b.Command);
        f.WriteField(kTextRecord, 0, b.Argument);
        f.WriteField(kTextRecord, 0, b.Description);
        f.WriteField(kIntegerRecord, b.MinimizeOnClick, {});
        f.WriteField(kIntegerRecord, b.ExitOnClick, {});
        f.WriteField(kTextRecord, 0, b.AccessKey);
        f.WriteField(kIntegerRecord, b.MaximizeWindow, {});
        f.WriteField(kIntegerRecord, b.Left, {});
        f.WriteField(kIntegerRecord, b.Top, {});
        if (b.Command.empty() && b.ExitOnClick != 0) exitButton = true;
    }
    return exitButton;
}

void WriteMenuPictures(RecordFile& f, const MenuDocument& doc) {
    const TOVMenu& m = doc.Menu;
    f.WritePicture(1, 0, 0, 0, doc.MenuImage, {}, false);
    for (int n = 1; n <= m.ButtonCount; ++n)
        for (int s = 0; s < 3; ++s) f.WritePicture(1, n, s, 0, m.Buttons[size_t(n)].Images[size_t(s)], {}, false);
    for (int s = 0; s < 3; ++s) f.WritePicture(1, 21, s, 0, m.Buttons[kControlSlot].Images[size_t(s)], {}, false);
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
    r.Text(menu.BackgroundFile);
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
        r.Text(p.ButtonStyleName);
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
    return r.Ok();
}

}  // namespace orvane
