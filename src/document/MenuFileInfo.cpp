#include "MenuFileInfo.h"

#include "document/MenuFields.h"
#include "document/UBmpArray.h"

#include <algorithm>

namespace orvane {

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

void WriteMenuFieldsJson(JsonSink& json, const StoredMenu& m) {
    json.Key("properties");
    json.BeginObject();
    WriteFieldsJson(json, kMenuFields<StoredMenu>, m, m.HasVersion9Fields ? 9 : 8);
    json.EndObject();
    json.Key("buttons");
    json.BeginArray();
    for (const StoredButton& b : m.Buttons) {
        json.BeginObject();
        WriteFieldsJson(json, kButtonFields<StoredButton>, b);
        json.EndObject();
    }
    json.EndArray();
}

void WritePackageJson(JsonSink& json, const AutorunPackage& package) {
    json.Key("playerSize");
    json.Int(int64_t(package.PlayerSize));
    json.Key("count");
    json.Int(int64_t(package.Files.size()));
    json.Key("files");
    json.BeginArray();
    for (const PackagedFile& f : package.Files) {
        json.BeginObject();
        json.Key("name");
        json.String(f.Name);
        json.Key("offset");
        json.Int(f.Offset);
        json.Key("size");
        json.Int(f.Size);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace orvane
