#include "StyleList.h"

#include "document/FieldJson.h"
#include "document/MenuFields.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/Platform.h"
#include "platform/Version.h"
#include "styles/BuiltinArtwork.h"

#include <algorithm>
#include <cctype>

namespace orvane {
namespace fs = std::filesystem;

namespace {

struct BuiltinStyle {
    const char* Name;
    int32_t StyleId;
    FontSpec TitleFont;
    int32_t TitleLeft, TitleTop;
    FontSpec TextFont;
    FontSpec ButtonFont;
    int32_t Animation;
};

constexpr Alignment kLeft = Alignment::Left;
constexpr Alignment kCentre = Alignment::Centre;

FontSpec Font(const char* name, int32_t size, bool bold = false, bool italic = false, Alignment alignment = kLeft) {
    return FontSpec{name, size, bold, italic, false, alignment, 0};
}

const std::array<BuiltinStyle, kBuiltinStyleCount>& BuiltinTable() {
    static const std::array<BuiltinStyle, kBuiltinStyleCount> table = {{
        {"Professional", 0, Font("Arial", 22, false, true), 18, 23, Font("Arial", 10), Font("Arial", 10), 3},
        {"Classic Gamer", 1, Font("Verdana", 18), 22, 22, Font("Arial", 10, true), Font("Arial", 10, true), 2},
        {"Neo-Tribal", 2, Font("Times New Roman", 20, true, false, kCentre), 46, 26, Font("Times New Roman", 12),
         Font("Times New Roman", 11, true), 2},
        {"Underground", 3, Font("Arial Black", 18, false, true), 18, 21, Font("Arial", 10, true),
         Font("Arial", 10, false, false, kCentre), 2},
        {"Panel Tablet", 4, Font("Arial", 24), 18, 18, Font("Arial", 10), Font("Arial", 10, false, false, kCentre), 0},
        {"XP Style", 5, Font("Verdana", 24), 70, 16, Font("Verdana", 10), Font("Verdana", 10, false, false, kCentre), 0},
        {"Blue Ribbon", 6, Font("Verdana", 24), 18, 16, Font("Verdana", 10), Font("Verdana", 10, true), 3},
        {"Headlines", 7, Font("Arial", 24), 32, 10, Font("Arial", 10), Font("Arial", 10, true), 0},
        {"Forum", 8, Font("Arial", 24), 32, 10, Font("Arial", 10), Font("Arial", 9, true), 6},
        {"Vista Style", 16, Font("Segoe UI", 16), 54, 34, Font("Segoe UI", 10), Font("Segoe UI", 9), 6},
        {"Cushion", 17, Font("Segoe UI", 16), 26, 22, Font("Segoe UI", 10), Font("Segoe UI", 9), 6},
        {"MyPhoto Smooth", 9, Font("Arial", 22), 30, 23, Font("Arial", 10, true), Font("Arial", 10, true, false, kCentre), 0},
        {"MyPhoto Sharp", 10, Font("Arial", 22), 26, 23, Font("Arial", 10, true), Font("Arial", 10, true, false, kCentre), 0},
        {"MyPhoto Bevelled", 11, Font("Arial", 22), 26, 15, Font("Arial", 10, true), Font("Arial", 10, true), 0},
        {"MyPhoto Light", 12, Font("Verdana", 20), 26, 23, Font("Arial", 10, true), Font("Arial", 10, true, false, kCentre), 0},
        {"MyPhoto Fashion", 13, Font("Arial", 22), 26, 23, Font("Arial", 10, true), Font("Arial", 10, true), 0},
        {"MyPhoto Frames", 14, Font("Trebuchet MS", 22), 72, 21, Font("Trebuchet MS", 10, true),
         Font("Trebuchet MS", 10, true), 0},
        {"My Background", 15, Font("Arial", 22), 26, 23, Font("Arial", 10, true), Font("Arial", 10, true, false, kCentre), 0},
    }};
    return table;
}

bool MarkerSet(const Bitmap& b, int x, int y) { return PixelRed(b.At(x, y)) > 128; }

// The renderer cuts every style as a 136 x 194 sheet: a picture of another
// size (a damaged style file) is placed on a white sheet of the right size.
Bitmap AsSheet(const Bitmap& picture, uint32_t background) {
    if (picture.Width() == kStyleSheetWidth && picture.Height() == kStyleSheetHeight) return picture;
    Bitmap sheet(kStyleSheetWidth, kStyleSheetHeight, background);
    CopyInto(picture, sheet, 0, 0);
    return sheet;
}

Bitmap DecodeEmbedded(std::span<const uint8_t> png) {
    DecodeResult decoded = ReadPng(png);
    if (!decoded.Ok()) return Bitmap(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
    return AsSheet(decoded.Picture, 0xFFFFFF);
}


// The mask is stored exactly when the artwork marks a photo style.
bool HasMask(const StyleFileRecords& r) {
    const Bitmap& b = r.Style.Background;
    return b.Width() >= kStyleSheetWidth && b.Height() >= kStyleSheetHeight && ReadMarkers(b).Photo;
}

// The records after a style file's header.
constexpr std::array<Field<StyleFileRecords>, 11> kStyleFileFields{{
    {"Identification", FieldType::Text, In<StyleFileRecords>([](auto& r) -> auto& { return r.Magic; })},
    {"Name", FieldType::Text, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.Name; })},
    {"Message", FieldType::Text, In<StyleFileRecords>([](auto& r) -> auto& { return r.Message; })},
    {"Animation", FieldType::Integer, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.Animation; }),
     {0, kAnimationCount - 1}, RangeRule::Code},
    {"TextFont", FieldType::Font, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.TextFont; })},
    {"ButtonFont", FieldType::Font, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.ButtonFont; })},
    {"TitleFont", FieldType::Font, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.TitleFont; })},
    {"TitleLeft", FieldType::Integer, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.TitleLeft; })},
    {"TitleTop", FieldType::Integer, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.TitleTop; })},
    {"Background", FieldType::Picture, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.Background; })},
    {"Mask", FieldType::Picture, In<StyleFileRecords>([](auto& r) -> auto& { return r.Style.Mask; }), kAnyValue,
     RangeRule::None, FieldNote::None, &HasMask},
}};
static_assert(MembersFitTypes(kStyleFileFields));

}  // namespace

StyleMarkers ReadMarkers(const Bitmap& b) {
    StyleMarkers m;
    for (int i = 0; i < 5; ++i) m.Presets[size_t(i)] = PixelToColor(b.At(98 + 4 * i, 191));
    m.Photo = MarkerSet(b, 115, 176);
    m.TitleShadowDepth = MarkerSet(b, 123, 164) ? 2 : 0;
    m.TextShadowDepth = MarkerSet(b, 123, 168) ? 1 : 0;
    m.ButtonShadowDepth = MarkerSet(b, 123, 172) ? 1 : 0;
    return m;
}

SheetTextColours ReadTextColours(const Bitmap& s) {
    return {PixelToColor(s.At(115, 164)), PixelToColor(s.At(115, 168)), PixelToColor(s.At(115, 172)),
            PixelToColor(s.At(119, 164)), PixelToColor(s.At(119, 168)), PixelToColor(s.At(119, 172))};
}

StyleFileRecords ReadStyleRecords(RecordFile& file) {
    StyleFileRecords r;
    try {
        FieldReader reader(file);
        ReadFields(reader, kStyleFileFields, r);
        r.Complete = reader.Ok();
        if (!r.Complete) r.Damage = "a record of an unexpected kind";
    } catch (const RecordFormatError& e) {
        r.Damage = e.what();
    }
    BringIntoRange(kStyleFileFields, r);
    return r;
}

Json StyleRecordsJson(const StyleFileRecords& records) { return FieldsJson(kStyleFileFields, records); }

std::string StyleFileMagic() {
    const EditorVersion v = CompiledVersion();
    return kStyleFileMagicPrefix + std::to_string(v.Major) + "." + std::to_string(v.Minor);
}

void StyleList::AddBuiltinStyles() {
    for (int p = 0; p < kBuiltinStyleCount; ++p) {
        const BuiltinStyle& b = BuiltinTable()[size_t(p)];
        MenuStyle style;
        style.Name = b.Name;
        style.StyleId = b.StyleId;
        style.TitleFont = b.TitleFont;
        style.TitleLeft = b.TitleLeft;
        style.TitleTop = b.TitleTop;
        style.TextFont = b.TextFont;
        style.ButtonFont = b.ButtonFont;
        style.Animation = b.Animation;
        style.Background = DecodeEmbedded(BuiltinStyleImage(p));
        if (const auto mask = BuiltinStyleMask(p); !mask.empty()) style.Mask = DecodeEmbedded(mask);
        if (stylePositions_.size() <= size_t(b.StyleId)) stylePositions_.resize(size_t(b.StyleId) + 1, -1);
        stylePositions_[size_t(b.StyleId)] = p;
        entries_.push_back(std::move(style));
    }
}

int StyleList::PositionOf(int32_t styleId) const {
    if (styleId < 0 || size_t(styleId) >= stylePositions_.size()) return -1;
    return stylePositions_[size_t(styleId)];
}

bool StyleList::OpenStyle(const fs::path& path, Platform& platform) {
    RecordFile file(platform);
    bool accepted = false;
    try {
        file.OpenRecordFile(Utf8FromPath(path.filename()), Utf8FromPath(path.parent_path()) + "/", false, false);
        accepted = file.ReadRecordHeader();
    } catch (const RecordFormatError&) {
        accepted = false;
    }
    if (!accepted || Count() >= kMaxStyles) {
        file.CloseRecordFile();
        ShowMessageBox(platform, "Style file could not be read.", MsgType::Error);
        return false;
    }

    StyleFileRecords records = ReadStyleRecords(file);
    if (!records.Complete) platform.Trace("Style file " + Utf8FromPath(path) + " is damaged: " + records.Damage);
    const int p = Count();
    MenuStyle style = std::move(records.Style);
    style.StyleId = p;
    file.CloseRecordFile();
    style.Background = AsSheet(style.Background, 0xFFFFFF);
    if (ReadMarkers(style.Background).Photo) style.Mask = AsSheet(style.Mask, 0xFFFFFF);

    if (stylePositions_.size() <= size_t(p)) stylePositions_.resize(size_t(p) + 1, -1);
    stylePositions_[size_t(p)] = p;
    entries_.push_back(std::move(style));
    return true;
}

void StyleList::GetStyles(const std::vector<fs::path>& folders, Platform& platform) {
    // Sorted, so every start lists the styles in the same order.
    const std::vector<fs::path> files = FilesOfFolders(folders, ".ovgsty");

    std::string skipped;
    for (const fs::path& file : files) {
        if (Count() >= kMaxStyles) {
            skipped += "\r" + Utf8FromPath(file.filename());
            continue;
        }
        OpenStyle(file, platform);
    }
    if (!skipped.empty())
        ShowMessageBox(platform,
                       "The Menu Style list can hold " + std::to_string(kMaxStyles - kBuiltinStyleCount) +
                           " style files. These were not loaded:\r" + skipped,
                       MsgType::Information);
}

}  // namespace orvane
