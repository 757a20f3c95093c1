#include "MenuReader.h"
#include "Placement.h"

#include "document/MenuRecords.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane::player {
namespace {

// Menu file bytes by hand, one call per field.
struct MenuBytes {
    std::vector<uint8_t> Data;

    MenuBytes& U8(uint8_t v) { return Data.push_back(v), *this; }
    MenuBytes& U32(uint32_t v) {
        for (int i = 0; i < 4; ++i) Data.push_back(uint8_t(v >> (8 * i)));
        return *this;
    }
    MenuBytes& Header(uint8_t major, uint8_t buttons) {
        Data.insert(Data.end(), {'M', 'E', 'N', 'U', 3, major, 0, 0, buttons});
        return U8(uint8_t(buttons * 3 + 1)).U8(0);
    }
    MenuBytes& Text(const std::string& s) {
        U8(4).U32(uint32_t(s.size()));
        Data.insert(Data.end(), s.begin(), s.end());
        return *this;
    }
    MenuBytes& Int(int32_t v) { return U8(2).U32(2).U32(uint32_t(v)); }
    MenuBytes& Long(uint32_t v) { return U8(3).U32(4).U32(v); }
    // Properties 2 to 55 after the title, position at 4; a mix of kinds
    // with texts of several lengths so a reader that miscounts lands astray.
    MenuBytes& Properties(int32_t position, int count) {
        Int(0).Text("Some text\r\nover two lines").Int(position);
        for (int n = 5; n <= count; ++n) {
            if (n % 7 == 0) Text(std::string(size_t(n), 'x'));
            else if (n % 3 == 0) Long(0x00112233);
            else Int(n);
        }
        return *this;
    }
    MenuBytes& Buttons(int count) {
        for (int b = 0; b < count; ++b) Text("&Go").Text("cmd").Text("").Text("desc").Int(0).Int(-1).Text("G").Int(0).Int(10).Int(20);
        return *this;
    }
    MenuBytes& Picture(int number, int32_t width, int32_t height, const std::vector<uint32_t>& pixels) {
        U8(5).U8(1).U8(uint8_t(number)).U8(0).U32(0).U32(uint32_t(width)).U32(uint32_t(height));
        std::vector<uint8_t> block;
        for (uint32_t p : pixels)
            for (int i = 0; i < 4; ++i) block.push_back(uint8_t(p >> (8 * i)));
        uLongf packed = compressBound(uLong(block.size()));
        std::vector<uint8_t> zipped(packed);
        compress2(zipped.data(), &packed, block.data(), uLong(block.size()), 9);
        zipped.resize(packed);
        U32(uint32_t(zipped.size() + 4)).U32(uint32_t(block.size()));
        Data.insert(Data.end(), zipped.begin(), zipped.end());
        return *this;
    }
};

const std::vector<uint32_t> kPixels = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xAB123456, 0, 0xFFFFFFFF};

MenuBytes Version9Menu(int32_t position = 6, int buttons = 2) {
    MenuBytes m;
    m.Header(9, uint8_t(buttons)).Text("Caf\xE9 Menu").Properties(position, 55).Buttons(buttons);
    m.Picture(0, 3, 2, kPixels).Picture(1, 1, 1, {7});
    return m;
}

TEST(Menu, ReadsTitlePositionAndPicture) {
    const struct {
        const char* name;
        MenuBytes bytes;
        int32_t position;
    } cases[] = {
        {"version 9, two buttons", Version9Menu(6, 2), 6},
        {"thirty buttons", Version9Menu(10, 30), 10},
        {"version 8 has no properties 52 to 55",
         [] {
             MenuBytes m;
             m.Header(8, 1).Text("Caf\xE9 Menu").Properties(3, 51).Buttons(1).Picture(0, 3, 2, kPixels);
             return m;
         }(),
         3},
        {"unknown position is the middle", Version9Menu(11, 1), 0},
        {"negative position is the middle", Version9Menu(-1, 1), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PlayerMenu menu = ReadMenu(c.bytes.Data);
        EXPECT_EQ(menu.Title, "Caf\xE9 Menu");
        EXPECT_EQ(menu.Position, c.position);
        EXPECT_EQ(menu.Width, 3);
        EXPECT_EQ(menu.Height, 2);
        EXPECT_EQ(menu.Pixels, kPixels);
    }
}

TEST(Menu, ReadsWhatTheEditorWrites) {
    ScriptedPlatform platform;
    RecordFile file(platform);
    MenuDocument doc;
    doc.Props.Title = "Café Menu";  // stored as Windows-1252
    doc.Menu.Position = 7;
    doc.Menu.ButtonCount = 3;
    doc.MenuImage = Bitmap(5, 4, 0x00336699);
    doc.MenuImage.Row(3)[4] = 0x00ABCDEF;
    file.WriteRecordHeader(doc.Menu.ButtonCount, int16_t(doc.Menu.ButtonCount * 3 + 1));
    WriteMenuFields(file, doc);
    WriteMenuPictures(file, doc);
    file.WriteEnd();

    const PlayerMenu menu = ReadMenu(file.Written());
    EXPECT_EQ(menu.Title, "Caf\xE9 Menu");
    EXPECT_EQ(menu.Position, 7);
    ASSERT_EQ(menu.Width, 5);
    ASSERT_EQ(menu.Height, 4);
    EXPECT_EQ(menu.Pixels[0] & 0xFFFFFF, 0x336699u);
    EXPECT_EQ(menu.Pixels[3 * 5 + 4] & 0xFFFFFF, 0xABCDEFu);  // rows top first
}

TEST(Menu, RefusesWhatItCannotShow) {
    const std::vector<uint8_t> good = Version9Menu().Data;
    const size_t title = 11;
    const size_t afterButtons = [&] {
        MenuBytes m;
        m.Header(9, 2).Text("Caf\xE9 Menu").Properties(6, 55).Buttons(2);
        return m.Data.size();
    }();
    const size_t length = afterButtons + 16;  // kind, type, number, state, frame, width, height, then L
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    const auto put = [](std::vector<uint8_t>& d, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    const struct {
        const char* name;
        Damage damage;
    } cases[] = {
        {"magic", [&](auto& d) { d[0] = 'X'; }},
        {"file kind", [&](auto& d) { d[4] = 2; }},
        {"version 7", [&](auto& d) { d[5] = 7; }},
        {"no buttons", [&](auto& d) { d[8] = 0; }},
        {"31 buttons", [&](auto& d) { d[8] = 31; }},
        {"more buttons than stored", [&](auto& d) { d[8] = 3; }},
        {"title of another kind", [&](auto& d) { d[title] = 2; }},
        {"text longer than the file", [&](auto& d) { put(d, title + 1, 0x7FFFFFF0); }},
        {"unknown record kind", [&](auto& d) { d[title + 14] = 9; }},
        {"no picture record", [&](auto& d) { d.resize(afterButtons); }},
        {"first picture is a button", [&](auto& d) { d[afterButtons + 2] = 1; }},
        {"external picture", [&](auto& d) { put(d, afterButtons + 4, 0xFFFFFFFF); }},
        {"width zero", [&](auto& d) { put(d, length - 8, 0); }},
        {"width over 16384", [&](auto& d) { put(d, length - 8, 16385); }},
        {"height negative", [&](auto& d) { put(d, length - 4, 0xFFFFFFFF); }},
        {"length past the end", [&](auto& d) { put(d, length, 0x7FFFFFFF); }},
        {"unpacked length not width x height x 4", [&](auto& d) { put(d, length + 4, 20); }},
        {"size the data cannot hold",
         [&](auto& d) {
             put(d, length - 8, 16384);
             put(d, length - 4, 16384);
             put(d, length + 4, 0);  // 16384 x 16384 x 4 wraps to 0 in 32 bits
         }},
        {"damaged stream", [&](auto& d) { d[length + 10] ^= 0xFF; }},
        {"stream cut short", [&](auto& d) { d.resize(length + 12);
                                       put(d, length, 8); }},
        {"stream without its checksum",
         [&](auto& d) {
             const uint32_t packed = uint32_t(d[length]) | uint32_t(d[length + 1]) << 8;
             d.erase(d.begin() + long(length + 4 + packed - 4), d.begin() + long(length + 4 + packed));
             put(d, length, packed - 4);
         }},
        {"style file",
         [&](auto& d) {
             MenuBytes m;
             m.Header(9, 1).Text("OVGMENUSTYLEFILE VERSION 9.0").Properties(0, 55).Buttons(1).Picture(0, 3, 2, kPixels);
             d = m.Data;
         }},
    };
    ASSERT_NO_THROW(ReadMenu(good));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> d = good;
        c.damage(d);
        EXPECT_THROW(ReadMenu(d), RecordFormatError);
    }
}

TEST(Placement, PutsTheWindowWhereThePositionSays) {
    const ScreenRect work{100, 50, 1200, 960};  // quarters at 400 and 1000, a third down at 370
    const struct {
        int position, width, left, top;
    } cases[] = {
        {0, 200, 600, 480},  {1, 200, 100, 50},   {2, 200, 1100, 50},  {3, 200, 100, 910},
        {4, 200, 1100, 910}, {5, 200, 300, 240},  {6, 200, 900, 240},  {7, 200, 300, 720},
        {8, 200, 900, 720},  {9, 200, 100, 320},  {10, 200, 1100, 320},
        {-1, 200, 600, 480}, {11, 200, 600, 480},  // unknown codes open in the middle
        {8, 1150, 150, 720},                        // kept inside the work area
        {4, 1300, 100, 910}, {0, 1300, 100, 480},  // wider than the work area: flush left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << ", width " << c.width);
        const ScreenRect r = PlaceWindow(c.position, work, c.width, 100);
        EXPECT_EQ(r.Left, c.left);
        EXPECT_EQ(r.Top, c.top);
        EXPECT_EQ(r.Width, c.width);
    }
}

}  // namespace
}  // namespace orvane::player
