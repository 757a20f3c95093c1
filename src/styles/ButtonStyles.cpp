#include "ButtonStyles.h"

#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/Platform.h"
#include "platform/Version.h"

#include <algorithm>
#include <cctype>

namespace orvane {
namespace fs = std::filesystem;

namespace {

// The renderer cuts faces from 96 x 32 strips: a damaged picture is placed on
// a strip of that size.
Bitmap AsStrip(const Bitmap& picture) {
    if (picture.Width() == kStripWidth && picture.Height() == kStripHeight) return picture;
    Bitmap strip(kStripWidth, kStripHeight, 0);
    CopyInto(picture, strip, 0, 0);
    return strip;
}


}  // namespace

std::string ButtonStyleFileMagic() {
    const EditorVersion v = CompiledVersion();
    return "OVGBUTTONSTYLEFILE VERSION " + std::to_string(v.Major) + "." + std::to_string(v.Minor);
}

void WriteButtonStyleRecords(RecordFile& f, const ButtonStyleFile& s) {
    f.WriteField(kTextRecord, 0, ButtonStyleFileMagic());
    f.WriteField(kTextRecord, 0, s.Name);
    f.WriteField(kIntegerRecord, s.Animation, {});
    f.WriteField(kTextRecord, 0, s.Font.Name);
    f.WriteField(kLongRecord, s.Font.Size, {});
    f.WriteField(kIntegerRecord, s.Font.Bold ? -1 : 0, {});
    f.WriteField(kIntegerRecord, s.Font.Italic ? -1 : 0, {});
    f.WriteField(kIntegerRecord, s.Font.Underline ? -1 : 0, {});
    f.WriteField(kIntegerRecord, s.Font.Alignment, {});
    f.WriteField(kLongRecord, int32_t(s.Font.Color), {});
    f.WriteField(kIntegerRecord, s.ShadowDepth, {});
    f.WriteField(kLongRecord, int32_t(s.ShadowColor), {});
    f.WriteField(kIntegerRecord, s.PhotoFlag, {});
    f.WritePicture(1, 0, 0, 0, s.Strip, {}, false);
    f.WritePicture(1, 1, 0, 0, s.MaskStrip, {}, false);
    f.WriteEnd();
}

ButtonStyleRecords ReadButtonStyleRecords(RecordFile& file) {
    ButtonStyleRecords r;
    ButtonStyleFile& s = r.Style;
    try {
        r.Magic = file.ReadText();
        if (r.Magic.rfind("OVGBUTTONSTYLEFILE", 0) != 0) return r;
        s.Name = file.ReadText();
        r.NameRead = !file.FileOpFailed;
        s.Animation = file.ReadInteger();
        if (s.Animation < 0 || s.Animation >= kAnimationCount) s.Animation = 0;
        s.Font.Name = file.ReadText();
        s.Font.Size = kFontSizeRange.Clamp(int32_t(file.ReadLong()));
        s.Font.Bold = file.ReadInteger() == -1;
        s.Font.Italic = file.ReadInteger() == -1;
        s.Font.Underline = file.ReadInteger() == -1;
        const int32_t alignment = file.ReadInteger();
        if (alignment >= 0 && alignment <= 2) s.Font.Alignment = alignment;
        s.Font.Color = file.ReadLong();
        s.ShadowDepth = kShadowDepthRange.Clamp(file.ReadInteger());
        s.ShadowColor = file.ReadLong();
        s.PhotoFlag = file.ReadInteger();
        file.FileOpFailed = false;
        file.ReadPicture(s.Strip, false, kArtworkPictureBounds);
        file.ReadPicture(s.MaskStrip, false, kArtworkPictureBounds);
        r.PicturesRead = !file.FileOpFailed;
        if (!r.PicturesRead) r.Damage = "a picture record of an unexpected kind";
    } catch (const RecordFormatError& e) {
        r.Damage = e.what();
    }
    return r;
}

ButtonStyleList::ButtonStyleList() : Entries{kStyleDefaultEntry, kAddNewEntry} {}

int ButtonStyleList::EntryOfFile(const std::string& styleFile) const {
    for (int k = 1; k <= LoadedCount(); ++k)
        if (Slots[size_t(k)].StyleFile == styleFile) return k;
    return -1;
}

void ButtonStyleList::LoadCustomButtons(const std::vector<fs::path>& folders, Platform& platform) {
    for (auto& slot : Slots) slot = TOVCustomBtn{};
    Entries = {kStyleDefaultEntry};

    int slot = 1;
    for (const fs::path& file : FilesOfFolders(folders, ".ovgbtn")) {
        if (slot > kMaxButtonStyles) break;
        if (OpenButton(Utf8FromPath(file.filename()), Utf8FromPath(file.parent_path()) + "/", slot, platform)) ++slot;
    }
    Entries.push_back(kAddNewEntry);
    Selected = 0;
}

bool ButtonStyleList::OpenButton(const std::string& fileName, const std::string& folder, int slot,
                                 Platform& platform) {
    std::error_code ec;
    if (!fs::exists(PathFromUtf8(folder + fileName), ec)) {
        ShowMessageBox(platform, "Button not found: " + folder + " | " + fileName, MsgType::Information);
        return false;
    }
    RecordFile file(platform);
    file.OpenRecordFile(fileName, folder, false, false);
    ButtonStyleRecords records = ReadButtonStyleRecords(file);
    file.CloseRecordFile();
    if (records.Magic != ButtonStyleFileMagic()) return false;

    const ButtonStyleFile& f = records.Style;
    TOVCustomBtn& s = Slots.at(size_t(slot));
    s = TOVCustomBtn{};
    s.StyleFile = folder + fileName;
    Entries.push_back(records.NameRead ? f.Name : fileName);
    s.Animation = f.Animation;
    s.TextStyle = f.Font;
    s.ShadowDepth = f.ShadowDepth;
    s.ShadowStyle = f.ShadowColor;
    s.StyleFlag = f.PhotoFlag != 0;
    s.StyleImages = {AsStrip(f.Strip), AsStrip(f.MaskStrip)};
    const bool damaged = !records.PicturesRead;
    if (!records.Damage.empty()) platform.Trace("Button style " + fileName + " is damaged: " + records.Damage);
    if (damaged) {
        MessageBoxRequest request;
        request.Text = "Error loading binary button data: " + fileName;
        request.Type = MsgType::Warning;
        request.Caption.clear();
        platform.ShowMessageBox(request);
    }
    return true;
}

}  // namespace orvane
