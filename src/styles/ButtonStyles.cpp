#include "ButtonStyles.h"

#include "document/FieldJson.h"
#include "document/MenuFields.h"
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

// The records of a button style file, which has no header: its
// identification, the style and its two strips.
constexpr std::array<Field<ButtonStyleRecords>, 9> kButtonStyleFields{{
    {"Identification", FieldType::Text, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Magic; })},
    {"Name", FieldType::Text, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.Name; })},
    {"Animation", FieldType::Integer, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.Animation; }),
     {0, kAnimationCount - 1}, RangeRule::Code},
    {"Font", FieldType::Font, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.Font; })},
    {"ShadowDepth", FieldType::Integer, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.ShadowDepth; }),
     kShadowDepthRange, RangeRule::Clamp},
    {"ShadowColor", FieldType::Colour, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.ShadowColor; })},
    {"PhotoButton", FieldType::StoredFlag, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.PhotoFlag; })},
    {"Buttons", FieldType::Picture, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.Strip; })},
    {"Masks", FieldType::Picture, In<ButtonStyleRecords>([](auto& r) -> auto& { return r.Style.MaskStrip; })},
}};
static_assert(MembersFitTypes(kButtonStyleFields));

}  // namespace

std::string ButtonStyleFileMagic() {
    const EditorVersion v = CompiledVersion();
    return "OVGBUTTONSTYLEFILE VERSION " + std::to_string(v.Major) + "." + std::to_string(v.Minor);
}

void WriteButtonStyleRecords(RecordFile& f, const ButtonStyleFile& s) {
    ButtonStyleRecords records;
    records.Magic = ButtonStyleFileMagic();
    records.Style = s;
    WriteFields(f, kButtonStyleFields, records);
    f.WriteEnd();
}

ButtonStyleRecords ReadButtonStyleRecords(RecordFile& file, const ButtonStyleFile& start) {
    ButtonStyleRecords r;
    r.Style = start;
    const ButtonStyleRecords before = r;
    const FieldsOf<ButtonStyleRecords> fields = kButtonStyleFields;
    try {
        FieldReader reader(file);
        ReadFields(reader, fields.first(1), r);
        if (r.Magic.rfind("OVGBUTTONSTYLEFILE", 0) != 0) return r;
        r.NameRead = ReadFields(reader, fields.subspan(1, 1), r) == 1;
        const size_t read = ReadFields(reader, fields.subspan(2), r);
        r.PicturesRead = reader.Ok();
        if (!r.PicturesRead)
            r.Damage = read + 2 >= FieldIndex(kButtonStyleFields, "Buttons") ? "a picture record of an unexpected kind"
                                                                             : "a record of an unexpected kind";
    } catch (const RecordFormatError& e) {
        r.Damage = e.what();
    }
    BringIntoRange(fields, r, &before);
    return r;
}

Json ButtonStyleRecordsJson(const ButtonStyleRecords& records) { return FieldsJson(kButtonStyleFields, records); }

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
