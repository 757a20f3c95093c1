#include "TempFolder.h"

#include "document/mdlfilebin.h"
#include "platform/ScriptedPlatform.h"
#include "styles/StyleList.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orvane;

namespace {

struct ExpectedMarkers {
    const char* name;
    int32_t styleId;
    std::array<uint32_t, 5> presets;  // red, green, blue as colour values
    bool photo;
    int title, text, caption;
};

constexpr uint32_t C(uint8_t r, uint8_t g, uint8_t b) { return MakeColor(r, g, b); }
constexpr std::array<uint32_t, 5> kProfessional = {C(0, 153, 255), C(204, 153, 51), C(133, 85, 191), C(101, 206, 101),
                                                   C(206, 101, 101)};

const ExpectedMarkers kBuiltins[] = {
    {"Professional", 0, kProfessional, false, 2, 0, 0},
    {"Classic Gamer", 1, {C(255, 168, 80), C(199, 199, 105), C(188, 181, 134), C(148, 181, 174), C(124, 181, 198)}, false, 0, 0, 0},
    {"Neo-Tribal", 2, {C(168, 148, 43), C(132, 165, 62), C(53, 146, 168), C(131, 131, 97), C(149, 119, 91)}, false, 0, 0, 0},
    {"Underground", 3, {C(255, 203, 58), C(210, 190, 58), C(101, 208, 255), C(198, 255, 69), C(180, 12, 255)}, false, 0, 0, 0},
    {"Panel Tablet", 4, {C(146, 73, 73), C(85, 57, 150), C(84, 123, 85), C(117, 117, 58), C(0, 117, 175)}, false, 2, 0, 1},
    {"XP Style", 5, {C(0, 84, 173), C(68, 122, 67), C(150, 107, 0), C(76, 60, 121), C(131, 63, 63)}, false, 2, 0, 0},
    {"Blue Ribbon", 6, {C(82, 164, 214), C(75, 179, 154), C(76, 60, 121), C(232, 137, 58), C(135, 67, 89)}, false, 0, 0, 0},
    {"Headlines", 7, {C(144, 197, 227), C(102, 102, 204), C(109, 202, 126), C(107, 111, 62), C(131, 63, 63)}, false, 2, 1, 1},
    {"Forum", 8, {C(255, 121, 75), C(131, 63, 63), C(32, 125, 192), C(67, 202, 188), C(0, 153, 0)}, false, 2, 1, 1},
    {"Vista Style", 16, {C(149, 224, 255), C(0, 0, 0), C(9, 143, 154), C(255, 192, 255), C(255, 204, 0)}, false, 0, 0, 0},
    {"Cushion", 17, {C(226, 221, 49), C(132, 117, 159), C(119, 153, 120), C(92, 145, 195), C(218, 128, 62)}, false, 2, 1, 1},
    {"MyPhoto Smooth", 9, kProfessional, true, 2, 0, 0},
    {"MyPhoto Sharp", 10, kProfessional, true, 2, 0, 0},
    {"MyPhoto Bevelled", 11, kProfessional, true, 2, 1, 0},
    {"MyPhoto Light", 12, kProfessional, true, 0, 0, 0},
    {"MyPhoto Fashion", 13, kProfessional, true, 0, 0, 0},
    {"MyPhoto Frames", 14, kProfessional, true, 2, 0, 0},
    {"My Background", 15, kProfessional, true, 0, 0, 0},
};

// Writes a menu style file: header, the 27 field records, the picture(s).
void WriteStyleFile(const std::filesystem::path& path, const std::string& magic, const std::string& name,
                    const Bitmap& background, const Bitmap* mask) {
    ScriptedPlatform platform;
    RecordFile f(platform);
    ASSERT_TRUE(f.OpenRecordFile(path.filename().string(), path.parent_path().string() + "/", true, false));
    f.WriteRecordHeader(0, 0);
    f.WriteField(kTextRecord, 0, magic);
    f.WriteField(kTextRecord, 0, name);
    f.WriteField(kTextRecord, 0, "Welcome");
    f.WriteField(kIntegerRecord, 6, {});
    for (const char* font : {"Georgia", "Tahoma", "Impact"}) {
        f.WriteField(kTextRecord, 0, font);
        f.WriteField(kLongRecord, 14, {});
        f.WriteField(kIntegerRecord, -1, {});
        f.WriteField(kIntegerRecord, 0, {});
        f.WriteField(kIntegerRecord, 1, {});  // underline 1 is not -1: off
        f.WriteField(kIntegerRecord, 7, {});  // alignment out of range: stays left
        f.WriteField(kLongRecord, 0x123456, {});
    }
    f.WriteField(kIntegerRecord, 40, {});
    f.WriteField(kIntegerRecord, 12, {});
    f.WritePicture(1, 0, 0, 0, background, {}, false);
    if (mask) f.WritePicture(1, 1, 0, 0, *mask, {}, false);
    f.WriteEnd();
    f.CloseRecordFile();
}

Bitmap Sheet(bool photo, uint32_t fill = 0x404040) {
    Bitmap b(kStyleSheetWidth, kStyleSheetHeight, fill);
    b.At(115, 176) = photo ? MakePixel(200, 0, 0) : MakePixel(10, 0, 0);
    return b;
}

}  // namespace

TEST(BuiltinStyles, CarryTheTableAndTheirMarkers) {
    StyleList list;
    list.AddBuiltinStyles();
    ASSERT_EQ(list.Count(), 18);
    for (int p = 0; p < 18; ++p) {
        const ExpectedMarkers& e = kBuiltins[p];
        const MenuStyle& s = list.At(p);
        SCOPED_TRACE(e.name);
        EXPECT_EQ(s.Name, e.name);
        EXPECT_EQ(s.StyleId, e.styleId);
        EXPECT_EQ(list.PositionOf(e.styleId), p);
        ASSERT_EQ(s.Background.Width(), 136);
        ASSERT_EQ(s.Background.Height(), 194);
        const StyleMarkers m = ReadMarkers(s.Background);
        EXPECT_EQ(m.Presets, e.presets);
        EXPECT_EQ(m.Photo, e.photo);
        EXPECT_EQ(m.TitleShadowDepth, e.title);
        EXPECT_EQ(m.TextShadowDepth, e.text);
        EXPECT_EQ(m.ButtonShadowDepth, e.caption);
        EXPECT_EQ(!s.Mask.IsEmpty(), e.photo);
        if (e.photo) {
            EXPECT_EQ(s.Mask.Width(), 136);
            EXPECT_EQ(s.Mask.Height(), 194);
        }
    }
    EXPECT_EQ(list.MyBackgroundPosition(), 17);
    EXPECT_EQ(list.PositionOf(18), -1);
}

TEST(BuiltinStyles, StretchBandsAreUniform) {
    StyleList list;
    list.AddBuiltinStyles();
    struct Band {
        const char* name;
        Rect r;
        bool alongX;  // stretched horizontally: every column equal
    } bands[] = {
        {"title stretch column", {64, 0, 72, 76}, true},
        {"text panel top edge", {33, 76, 46, 117}, true},
        {"text panel bottom edge", {33, 129, 46, 162}, true},
        {"text panel left edge", {0, 117, 33, 129}, false},
        {"text panel right edge", {46, 117, 79, 129}, false},
        {"text panel centre rows", {33, 117, 46, 129}, false},
        {"text panel centre columns", {33, 117, 46, 129}, true},
        {"button column stretch", {103, 76, 112, 162}, true},
        {"button row", {79, 92, 136, 124}, false},
        {"gap", {79, 124, 136, 140}, false},
        {"filler", {79, 140, 136, 146}, false},
    };
    for (int p = 0; p < list.Count(); ++p) {
        for (const Bitmap* sheet : {&list.At(p).Background, &list.At(p).Mask}) {
            if (sheet->IsEmpty()) continue;
            for (const Band& band : bands) {
                SCOPED_TRACE(list.At(p).Name + ": " + band.name);
                bool uniform = true;
                for (int y = band.r.Top; y < band.r.Bottom; ++y)
                    for (int x = band.r.Left; x < band.r.Right; ++x) {
                        const uint32_t first = band.alongX ? sheet->At(band.r.Left, y) : sheet->At(x, band.r.Top);
                        uniform = uniform && (sheet->At(x, y) & 0xFFFFFF) == (first & 0xFFFFFF);
                    }
                EXPECT_TRUE(uniform);
            }
        }
    }
}

TEST(Markers, SetAboveRed128) {
    const std::pair<uint8_t, bool> cases[] = {{0, false}, {128, false}, {129, true}, {255, true}};
    for (auto [red, set] : cases) {
        Bitmap b = Sheet(false);
        for (int y : {164, 168, 172}) b.At(123, y) = MakePixel(red, 255, 255);
        b.At(115, 176) = MakePixel(red, 0, 0);
        const StyleMarkers m = ReadMarkers(b);
        EXPECT_EQ(m.Photo, set) << int(red);
        EXPECT_EQ(m.TitleShadowDepth, set ? 2 : 0) << int(red);
        EXPECT_EQ(m.TextShadowDepth, set ? 1 : 0) << int(red);
        EXPECT_EQ(m.ButtonShadowDepth, set ? 1 : 0) << int(red);
    }
}

TEST(StyleFiles, AreReadWithAndWithoutThePhotoMarker) {
    TempFolder folder;
    ScriptedPlatform platform;
    const Bitmap mask(kStyleSheetWidth, kStyleSheetHeight, 0xFFFFFF);
    WriteStyleFile(folder.Path() / "plain.ovgsty", StyleFileMagic(), "Plain", Sheet(false), nullptr);
    WriteStyleFile(folder.Path() / "photo.ovgsty", StyleFileMagic(), "Photo", Sheet(true), &mask);
    WriteStyleFile(folder.Path() / "old.ovgsty", "OVGMENUSTYLEFILE VERSION 8.0", "Old", Sheet(false), nullptr);

    StyleList list;
    list.AddBuiltinStyles();
    list.GetStyles(folder.Path(), platform);
    ASSERT_EQ(list.Count(), 21);
    EXPECT_TRUE(platform.Messages.empty());
    // Listed by name: old, photo, plain. Record 1 is not checked here.
    EXPECT_EQ(list.At(18).Name, "Old");
    EXPECT_EQ(list.At(19).Name, "Photo");
    EXPECT_EQ(list.At(20).Name, "Plain");
    for (int p = 18; p < 21; ++p) {
        EXPECT_EQ(list.At(p).StyleId, p);
        EXPECT_EQ(list.PositionOf(p), p);
    }
    const MenuStyle& photo = list.At(19);
    EXPECT_EQ(photo.Mask, mask);
    EXPECT_TRUE(list.At(20).Mask.IsEmpty());
    EXPECT_EQ(photo.Animation, 6);
    EXPECT_EQ(photo.TitleFont.Name, "Impact");
    EXPECT_EQ(photo.TextFont.Name, "Georgia");
    EXPECT_TRUE(photo.TitleFont.Bold);
    EXPECT_FALSE(photo.TitleFont.Underline);
    EXPECT_EQ(photo.TitleFont.Alignment, Alignment::Left);
    EXPECT_EQ(photo.TitleFont.Size, 14);
    EXPECT_EQ(photo.TitleLeft, 40);
    EXPECT_EQ(photo.TitleTop, 12);
}

TEST(StyleFiles, RefusedHeadersAndDamagedRecords) {
    TempFolder folder;
    ScriptedPlatform platform;
    WriteStyleFile(folder.Path() / "good.ovgsty", StyleFileMagic(), "Good", Sheet(false), nullptr);
    auto data = [&] {
        std::ifstream in(folder.Path() / "good.ovgsty", std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }();
    auto write = [&](const std::string& name, std::vector<char> bytes) {
        std::ofstream(folder.Path() / name, std::ios::binary).write(bytes.data(), long(bytes.size()));
    };
    auto kind2 = data;
    kind2[4] = 2;
    write("kind2.ovgsty", kind2);
    auto cutPicture = data;
    cutPicture.resize(cutPicture.size() - 40);
    write("damaged-picture.ovgsty", cutPicture);
    std::filesystem::remove(folder.Path() / "good.ovgsty");

    StyleList list;
    list.AddBuiltinStyles();
    list.GetStyles(folder.Path(), platform);
    // The damaged picture still gives an entry, with a sheet of the size the renderer cuts.
    ASSERT_EQ(list.Count(), 19);
    EXPECT_EQ(list.At(18).Name, "Good");
    EXPECT_EQ(list.At(18).Background.Width(), 136);
    EXPECT_EQ(list.At(18).Background.Height(), 194);
    EXPECT_EQ(platform.MessageTexts(), (std::vector<std::string>{kVersionMessage, "Style file could not be read."}));
}

TEST(StyleFiles, ListHoldsThirtyOneEntries) {
    TempFolder folder;
    ScriptedPlatform platform;
    for (int i = 0; i < 15; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "s%02d.ovgsty", i);
        WriteStyleFile(folder.Path() / name, StyleFileMagic(), name, Sheet(false), nullptr);
    }
    StyleList list;
    list.AddBuiltinStyles();
    list.GetStyles(folder.Path(), platform);
    EXPECT_EQ(list.Count(), 31);
    EXPECT_EQ(list.At(30).Name, "s12.ovgsty");
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_NE(platform.Messages[0].Request.Text.find("s13.ovgsty\rs14.ovgsty"), std::string::npos);
}
