#include "RecordBytes.h"

#include "document/MenuType.h"
#include "document/UBmpArray.h"
#include "document/mdlfilebin.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <random>

using namespace orvane;

TEST(AccessKey, FollowsTheFirstAmpersand) {
    const std::pair<std::string, std::string> cases[] = {
        {"E&xit", "x"}, {"&&A", "&"},   {"Exit", ""},        {"Exit&", ""},
        {"", ""},       {"&Close Menu", "C"}, {"a&b&c", "b"}, {"&é", "é"},
    };
    for (const auto& [caption, key] : cases) EXPECT_EQ(AccessKeyOf(caption), key) << caption;
}

TEST(CopyButton, CopiesPixelsAndTextsButNotThePlace) {
    TOVMenu menu;
    PrepareSlots(menu);
    TOVButton& from = menu.Buttons[2];
    from.Caption = "&Go";
    from.Command = "\\a.exe";
    from.ExitOnClick = 1;
    from.Left = 5;
    from.Images[1] = Bitmap(4, 3, 0x01020304);
    menu.Buttons[7].Left = 99;
    CopyButton(menu, 2, 7);
    EXPECT_EQ(menu.Buttons[7].Caption, "&Go");
    EXPECT_EQ(menu.Buttons[7].Command, "\\a.exe");
    EXPECT_EQ(menu.Buttons[7].ExitOnClick, 1);
    EXPECT_EQ(menu.Buttons[7].Images[1], from.Images[1]);
    EXPECT_EQ(menu.Buttons[7].Left, 99);
    // Each slot keeps its own pictures.
    menu.Buttons[7].Images[1].At(0, 0) = 0;
    EXPECT_EQ(from.Images[1].At(0, 0), 0x01020304u);
}

TEST(BitmapRecord, CompressedRoundTripKeepsEveryByte) {
    std::mt19937 random(7);
    ScriptedPlatform platform;
    for (auto [w, h] : {std::pair{21, 9}, {1, 1}, {37, 5}, {0, 0}, {3, 0}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        TBmpArray a;
        a.Bitmap = Bitmap(w, h);
        for (size_t i = 0; i < a.Bitmap.PixelCount(); ++i) a.Bitmap.Data()[i] = uint32_t(random());
        a.FromBitmap();
        ByteSink sink;
        a.WriteCompressed(sink, &platform);

        ByteSource source(sink.Data());
        TBmpArray b;
        b.ReadCompressed(source);
        b.ToBitmap();
        EXPECT_EQ(b.Bitmap, a.Bitmap);
        EXPECT_TRUE(source.AtEnd());
        // Uncompressed-length field at offset 12.
        const auto& d = sink.Data();
        EXPECT_EQ(uint32_t(d[12] | d[13] << 8 | d[14] << 16 | d[15] << 24), uint32_t(w * h * 4));
    }
    EXPECT_EQ(platform.TraceLines.at(0), "**** BitmapZipBinaryWrite Called, Reading Width and Height ****");
    EXPECT_EQ(platform.TraceLines.at(1), "**** LWidth: 21 ****");
    EXPECT_EQ(platform.TraceLines.at(2), "**** LHeight: 9 ****");
}

TEST(BitmapRecord, RawRoundTrip) {
    TBmpArray a;
    a.Bitmap = Bitmap(5, 3);
    for (size_t i = 0; i < a.Bitmap.PixelCount(); ++i) a.Bitmap.Data()[i] = uint32_t(0xFF000000u + i);
    a.FromBitmap();
    ByteSink sink;
    a.WriteRaw(sink);
    EXPECT_EQ(sink.Size(), 8u + 5 * 3 * 4);
    ByteSource source(sink.Data());
    TBmpArray b;
    b.ReadRaw(source);
    b.ToBitmap();
    EXPECT_EQ(b.Bitmap, a.Bitmap);
}

TEST(BitmapRecord, DamagedRecordsAreRefusedBeforeAllocating) {
    ScriptedPlatform platform;
    TBmpArray good;
    good.Bitmap = Bitmap(4, 4, 0x00FF00);
    good.FromBitmap();
    ByteSink sink;
    good.WriteCompressed(sink, &platform);
    const std::vector<uint8_t> valid = sink.Data();

    auto patched = [&](size_t at, uint32_t value) {
        auto d = valid;
        for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(value >> (8 * i));
        return d;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
    } cases[] = {
        {"negative width", patched(0, uint32_t(-4))},
        {"negative height", patched(4, uint32_t(-1))},
        {"width above 16384", patched(0, 16385)},
        {"height above 16384", patched(4, 20000)},
        {"wider than any picture the editor makes, though sound", [&] {
             TBmpArray wide;
             wide.Bitmap = Bitmap(kStoredPictureBounds.MaxWidth + 1, 1);
             wide.FromBitmap();
             ByteSink out;
             wide.WriteCompressed(out, nullptr);
             return out.Data();
         }()},
        {"compressed length past the end", patched(8, uint32_t(valid.size()))},
        {"compressed length below 4", patched(8, 3)},
        {"stated length not width x height x 4", patched(12, 60)},
        {"huge picture from a few bytes", [&] {
             auto d = patched(0, 16384);
             for (int i = 0; i < 4; ++i) d[4 + size_t(i)] = uint8_t(16384 >> (8 * i));
             const uint32_t len = 16384u * 16384u * 4u;
             for (int i = 0; i < 4; ++i) d[12 + size_t(i)] = uint8_t(len >> (8 * i));
             return d;
         }()},
        {"zlib stream damaged", [&] {
             auto d = valid;
             for (size_t i = 18; i < d.size(); ++i) d[i] ^= 0x5A;
             return d;
         }()},
        {"zlib stream cut short", [&] {
             auto d = valid;
             d.resize(d.size() - 6);
             const uint32_t len = uint32_t(d.size() - 12);
             for (int i = 0; i < 4; ++i) d[8 + size_t(i)] = uint8_t(len >> (8 * i));
             return d;
         }()},
        {"record cut before the length", std::vector<uint8_t>(valid.begin(), valid.begin() + 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteSource source(c.data);
        TBmpArray a;
        EXPECT_THROW(a.ReadCompressed(source), RecordFormatError);
        EXPECT_TRUE(a.Pixels.empty());
    }
}

TEST(RecordFile, FieldRecordsAsStored) {
    ScriptedPlatform platform;
    RecordFile file(platform);
    file.WriteField(kTextRecord, 0, "");
    file.WriteField(kTextRecord, 0, "Ä€?");
    file.WriteField(kIntegerRecord, -1, {});
    file.WriteField(kLongRecord, 0x00FFEEDD, {});
    file.WriteField(kByteRecord, 200, {});
    const std::vector<uint8_t> expected = RecordBytes()
                                              .Text("")
                                              .Text("\xC4\x80?")  // Windows-1252: Ä and €
                                              .Int(-1)
                                              .Long(0x00FFEEDD)
                                              .Raw({1, 1, 0, 0, 0, 200})
                                              .Data;
    EXPECT_EQ(file.Written(), expected);

    file.OpenRecordData(expected);
    EXPECT_EQ(file.ReadText(), "");
    EXPECT_EQ(file.ReadText(), "Ä€?");
    EXPECT_EQ(file.ReadInteger(), -1);
    EXPECT_EQ(file.ReadLong(), 0x00FFEEDDu);
    EXPECT_EQ(file.ReadByte(), 200);
    EXPECT_FALSE(file.FileOpFailed);
    EXPECT_TRUE(file.AtEnd());
}

TEST(RecordFile, RecordOfTheWrongKindYieldsNothingAndFlagsIt) {
    ScriptedPlatform platform;
    RecordFile file(platform);
    file.OpenRecordData(RecordBytes().Int(42).Text("abc").Data);
    EXPECT_EQ(file.ReadText(), "");
    EXPECT_TRUE(file.FileOpFailed);
}
