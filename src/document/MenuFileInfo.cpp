#include "MenuFileInfo.h"

#include "document/Json.h"
#include "document/UBmpArray.h"

#include <algorithm>

namespace orvane {
namespace {

void FontJson(JsonWriter& j, std::string_view key, const FontSpec& f) {
    j.Key(key).BeginObject();
    j.Field("Name", f.Name).Field("Size", f.Size).Field("Bold", f.Bold).Field("Italic", f.Italic);
    j.Field("Underline", f.Underline).Field("Alignment", f.Alignment).Field("Color", f.Color);
    j.EndObject();
}

}  // namespace

FileKind KindOfStored(std::span<const uint8_t> data) {
    auto startsWith = [&](size_t at, std::string_view text) {
        if (data.size() < at + text.size()) return false;
        return std::equal(text.begin(), text.end(), data.begin() + long(at));
    };
    // A button style file has no header: it starts with its magic text record.
    if (!data.empty() && data[0] == kTextRecord && startsWith(5, "OVGBUTTONSTYLEFILE")) return FileKind::ButtonStyle;
    if (data.size() > 11 && data[11] == kTextRecord && startsWith(16, "OVGMENUSTYLEFILE")) return FileKind::MenuStyle;
    if (startsWith(0, "MZ")) return FileKind::Autorun;
    return FileKind::Menu;
}

MenuFileDescription DescribeMenuFile(RecordFile& file) {
    MenuFileDescription d;
    d.Read = ReadMenuFile(file, StoredMenu{});
    if (d.Read.Status != MenuReadStatus::Ok) return d;
    try {
        while (file.Remaining() > 1) {
            Bitmap picture;
            if (file.PeekKind() != kPictureRecord) {
                d.PictureError = "a record of kind " + std::to_string(file.PeekKind()) + " among the pictures";
                return d;
            }
            file.ReadPicture(picture, false);
            const auto& f = file.LastPicture;
            d.Pictures.push_back({f.Type, f.Number, f.State, f.Frame, picture.Width(), picture.Height()});
        }
    } catch (const RecordFormatError& e) {
        d.PictureError = "picture record " + std::to_string(d.Pictures.size() + 1) + ": " + e.what();
    }
    return d;
}

void WriteMenuFieldsJson(JsonWriter& j, const StoredMenu& m) {
    const MenuProperties& p = m.Props;
    j.Key("properties").BeginObject();
    j.Field("Title", p.Title).Field("AnimateTitle", p.AnimateTitle).Field("MenuText", p.MenuText);
    j.Field("Position", m.Position).Field("StyleId", p.StyleId).Field("MenuColor", p.MenuColor);
    j.Field("AutoAdjust", p.AutoAdjust).Field("ButtonAnimation", p.ButtonAnimation);
    j.Field("BackgroundFile", m.BackgroundFile).Field("AutoSizeMenu", p.AutoSizeMenu);
    j.Field("MenuWidth", p.MenuWidth).Field("MenuHeight", p.MenuHeight).Field("PhotoAspect", p.PhotoAspect);
    j.Field("AutoSizeButtons", p.AutoSizeButtons).Field("ButtonWidth", p.ButtonWidth);
    j.Field("ButtonHeight", p.ButtonHeight).Field("ButtonGap", p.ButtonGap);
    FontJson(j, "TextFont", p.TextFont);
    FontJson(j, "ButtonFont", p.ButtonFont);
    FontJson(j, "TitleFont", p.TitleFont);
    j.Field("TextShadowDepth", m.TextShadowDepth).Field("TextShadowColor", p.TextShadowColor);
    j.Field("TitleShadowDepth", m.TitleShadowDepth).Field("TitleShadowColor", p.TitleShadowColor);
    j.Field("ButtonShadowDepth", m.ButtonShadowDepth).Field("ButtonShadowColor", p.ButtonShadowColor);
    j.Field("FirstButtonLeft", p.FirstButtonLeft).Field("FirstButtonTop", p.FirstButtonTop);
    j.Key("TextRect").BeginObject();
    j.Field("Left", p.TextRect[0]).Field("Top", p.TextRect[1]).Field("Width", p.TextRect[2]).Field("Height", p.TextRect[3]);
    j.EndObject();
    j.Field("PhotoSkin", p.PhotoSkin);
    if (m.HasVersion9Fields) {
        j.Field("DisableSounds", p.DisableSounds).Field("TitleBoxVisibility", p.TitleBoxVisibility);
        j.Field("TextBoxVisibility", p.TextBoxVisibility).Field("ButtonStyleName", p.ButtonStyleName);
    }
    j.EndObject();

    j.Key("buttons").BeginArray();
    for (const StoredButton& b : m.Buttons) {
        j.BeginObject();
        j.Field("Caption", b.Caption).Field("Command", b.Command).Field("Argument", b.Argument);
        j.Field("Description", b.Description).Field("MinimizeOnClick", b.MinimizeOnClick);
        j.Field("ExitOnClick", b.ExitOnClick).Field("AccessKey", b.AccessKey);
        j.Field("MaximizeWindow", b.MaximizeWindow).Field("Left", b.Left).Field("Top", b.Top);
        j.EndObject();
    }
    j.EndArray();

}

void WritePackageJson(JsonWriter& j, const AutorunPackage& package) {
    j.Field("playerSize", int64_t(package.PlayerSize)).Field("count", int64_t(package.Files.size()));
    j.Key("files").BeginArray();
    for (const PackagedFile& f : package.Files) {
        j.BeginObject();
        j.Field("name", f.Name).Field("offset", int64_t(f.Offset)).Field("size", int64_t(f.Size));
        j.EndObject();
    }
    j.EndArray();
}

std::string MenuFileJson(const MenuFileDescription& d) {
    const StoredMenu& m = d.Read.Menu;
    JsonWriter j;
    j.BeginObject();

    j.Key("header").BeginObject();
    j.Field("kind", int32_t(kRecordFileKind));
    j.Key("version").BeginInlineArray().Int(d.Read.Major).Int(d.Read.Minor).Int(d.Read.Release).EndArray();
    j.Field("count", d.Read.Count);
    j.Field("pictureCount", int32_t(d.Read.PictureCount));
    j.EndObject();

    WriteMenuFieldsJson(j, m);

    j.Key("pictures").BeginArray();
    for (const StoredPicture& s : d.Pictures) {
        j.BeginObject();
        j.Field("type", s.Type).Field("number", s.Number).Field("state", s.State).Field("frame", s.Frame);
        j.Field("width", s.Width).Field("height", s.Height);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    return j.Text();
}

}  // namespace orvane
