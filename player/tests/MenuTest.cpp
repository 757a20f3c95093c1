#include "player/Placement.h"
#include "player/ShownMenu.h"

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
    // Properties 2 to count after the title, each of the kind the editor
    // writes, with texts of several lengths so a reader that miscounts
    // lands astray.
    MenuBytes& Properties(int32_t position, int count) {
        const std::string kinds = "-itiiliitiiiiiiiitliiiil" "tliiiil" "tliiiil" "ilililiiiiiiiiiit";
        for (int n = 2; n <= count; ++n) {
            switch (kinds[size_t(n - 1)]) {
                case 't': Text(n == 3 ? "Some text\r\nover two lines" : std::string(size_t(n % 7), 'x')); break;
                case 'l': Long(0x00112233); break;
                default: Int(n == 4 ? position : n == 8 ? 0 : n); break;
            }
        }
        return *this;
    }
    MenuBytes& Buttons(int count) {
        for (int b = 0; b < count; ++b) Text("&Go").Text("cmd").Text("").Text("desc").Int(0).Int(-1).Text("G").Int(0).Int(10).Int(20);
        return *this;
    }
    MenuBytes& Picture(int number, int32_t width, int32_t height, const std::vector<uint32_t>& pixels, int state = 0) {
        U8(5).U8(1).U8(uint8_t(number)).U8(uint8_t(state)).U32(0).U32(uint32_t(width)).U32(uint32_t(height));
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

// Every picture after the fields: the menu, three states of each button, the strip.
MenuBytes& Pictures(MenuBytes& m, int buttons) {
    m.Picture(0, 3, 2, kPixels);
    for (int n = 1; n <= buttons; ++n)
        for (int s = 0; s < 3; ++s) m.Picture(n, 2, 1, {uint32_t(n), uint32_t(s)}, s);
    for (int s = 0; s < 3; ++s) m.Picture(21, 21, 9, std::vector<uint32_t>(21 * 9, uint32_t(s)), s);
    return m;
}

MenuBytes Version9Menu(int32_t position = 6, int buttons = 2) {
    MenuBytes m;
    m.Header(9, uint8_t(buttons)).Text("Caf\xE9 Menu").Properties(position, 55).Buttons(buttons);
    return Pictures(m, buttons);
}

TEST(Menu, ReadsHandBuiltFiles) {
    const struct {
        const char* name;
        MenuBytes bytes;
        int32_t position;
        int buttons;
    } cases[] = {
        {"version 9, two buttons", Version9Menu(6, 2), 6, 2},
        {"thirty buttons", Version9Menu(10, 30), 10, 30},
        {"version 8 has no properties 52 to 55",
         [] {
             MenuBytes m;
             m.Header(8, 1).Text("Caf\xE9 Menu").Properties(3, 51).Buttons(1);
             return Pictures(m, 1);
         }(),
         3, 1},
        {"unknown position is the middle", Version9Menu(11, 1), 0, 1},
        {"negative position is the middle", Version9Menu(-1, 1), 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const MenuLoad load = ReadShownMenu(c.bytes.Data, "m.mng");
        ASSERT_TRUE(load.Menu) << load.Error;
        const ShownMenu& menu = *load.Menu;
        EXPECT_EQ(menu.Stored.Props.Title, "Caf\u00e9 Menu");
        EXPECT_EQ(menu.Stored.Position, c.position);
        EXPECT_EQ(menu.Width(), 3);
        EXPECT_EQ(menu.Height(), 2);
        ASSERT_EQ(menu.ButtonCount(), c.buttons);
        EXPECT_EQ(menu.Pictures.MenuImage.At(2, 1), kPixels[5]);
        EXPECT_EQ(menu.Pictures.Buttons.back()[2].At(1, 0), 2u);  // the pressed picture of the last button
        EXPECT_EQ(menu.Pictures.Controls[1].At(20, 8), 1u);
        EXPECT_EQ(menu.ButtonRect(0), (Rect{10, 20, 12, 21}));
    }
}

TEST(Menu, LoadsWhatTheEditorWrites) {
    ScriptedPlatform platform;
    RecordFile file(platform);
    MenuDocument doc;
    doc.Props.Title = "Café Menu";  // stored as Windows-1252
    doc.Props.ButtonAnimation = 12;
    doc.Menu.Position = 7;
    doc.Menu.ButtonCount = 3;
    doc.MenuImage = Bitmap(80, 40, 0x00336699);
    doc.MenuImage.Row(39)[79] = 0x00ABCDEF;
    for (int n = 1; n <= 3; ++n) {
        TOVButton& b = doc.Menu.Buttons[size_t(n)];
        b.Caption = "&Button " + std::to_string(n);
        b.Command = "\\docs\\" + std::to_string(n) + ".pdf";
        b.Left = 50;
        b.Top = 10 * n;
        for (int s = 0; s < 3; ++s) b.Images[size_t(s)] = Bitmap(20, 8, uint32_t(n * 16 + s));
    }
    for (int s = 0; s < 3; ++s) doc.Menu.Buttons[kControlSlot].Images[size_t(s)] = Bitmap(21, 9, uint32_t(0x70 + s));
    file.WriteRecordHeader(doc.Menu.ButtonCount, int16_t(doc.Menu.ButtonCount * 3 + 1));
    WriteMenuFields(file, doc);
    WriteMenuPictures(file, doc);
    file.WriteEnd();

    const MenuLoad load = ReadShownMenu(file.Written(), "Main.mng");
    ASSERT_TRUE(load.Menu) << load.Error;
    const ShownMenu& menu = *load.Menu;
    EXPECT_EQ(menu.FileName, "Main.mng");
    EXPECT_EQ(menu.Stored.Props.Title, "Café Menu");
    EXPECT_EQ(menu.Stored.Position, 7);
    EXPECT_EQ(menu.Stored.Props.ButtonAnimation, 12);
    EXPECT_EQ(menu.Pictures.MenuImage, doc.MenuImage);
    ASSERT_EQ(menu.ButtonCount(), 3);
    EXPECT_EQ(menu.Button(2).Command, "\\docs\\3.pdf");
    EXPECT_EQ(menu.Button(0).AccessKey, "B");
    EXPECT_EQ(menu.ButtonRect(2), (Rect{50, 30, 70, 38}));
    EXPECT_EQ(menu.Pictures.Buttons[1][2], doc.Menu.Buttons[2].Images[2]);
    EXPECT_EQ(menu.Pictures.Controls[2], doc.Menu.Buttons[kControlSlot].Images[2]);
    EXPECT_EQ(menu.ControlsRect(), (Rect{58, 5, 75, 14}));  // 22 from the right edge, as the editor shows it
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
    const size_t firstButton = [&] {
        MenuBytes m;
        m.Header(9, 2).Text("Caf\xE9 Menu").Properties(6, 55).Buttons(2).Picture(0, 3, 2, kPixels);
        return m.Data.size();
    }();
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    const auto put = [](std::vector<uint8_t>& d, size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    const struct {
        const char* name;
        Damage damage;
    } cases[] = {
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
        {"external menu picture", [&](auto& d) { put(d, afterButtons + 4, 0xFFFFFFFF); }},
        {"width zero", [&](auto& d) { put(d, length - 8, 0); put(d, length + 4, 0); }},
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
        {"button pictures out of order", [&](auto& d) { d[firstButton + 3] = 1; }},
        {"a button's pictures missing", [&](auto& d) { d.resize(firstButton); }},
        {"style file",
         [&](auto& d) {
             MenuBytes m;
             m.Header(9, 1).Text("OVGMENUSTYLEFILE VERSION 9.0").Properties(0, 55).Buttons(1);
             d = Pictures(m, 1).Data;
         }},
    };
    ASSERT_TRUE(ReadShownMenu(good, "good.mng").Menu);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> d = good;
        c.damage(d);
        const MenuLoad load = ReadShownMenu(d, "bad.mng");
        EXPECT_FALSE(load.Menu);
        EXPECT_FALSE(load.Error.empty());
    }
}

TEST(Menu, AStripKeptOutsideLeavesTheWindowControlsOut) {
    MenuBytes m;
    m.Header(9, 1).Text("Menu").Properties(0, 55).Buttons(1).Picture(0, 40, 20, std::vector<uint32_t>(800, 1));
    for (int s = 0; s < 3; ++s) m.Picture(1, 2, 1, {1, 2}, s);
    m.U8(5).U8(1).U8(21).U8(0).U32(0xFFFFFFFF).U8(0);  // frame -1: a file name follows, no pixels
    const MenuLoad load = ReadShownMenu(m.Data, "old.mng");
    ASSERT_TRUE(load.Menu) << load.Error;
    EXPECT_TRUE(load.Menu->ControlsRect().IsEmpty());
}

TEST(Placement, PutsTheWindowWhereThePositionSays) {
    // 1000 x 800 free: quarters at 250 and 750 across, 200 and 600 down.
    const Rect work = Rect::FromSize(100, 50, 1200, 900);
    const struct {
        int position, width, left, top;
    } cases[] = {
        {0, 200, 600, 450},  {1, 200, 100, 50},   {2, 200, 1100, 50},  {3, 200, 100, 850},
        {4, 200, 1100, 850}, {5, 200, 350, 250},  {6, 200, 850, 250},  {7, 200, 350, 650},
        {8, 200, 850, 650},  {9, 200, 100, 250},  {10, 200, 1100, 250},
        {-1, 200, 600, 450}, {11, 200, 600, 450},  // unknown codes open in the middle
        {4, 1300, 100, 850}, {0, 1300, 100, 450},  // wider than the work area: flush left
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "position " << c.position << ", width " << c.width);
        const Rect r = PlaceWindow(c.position, work, c.width, 100);
        EXPECT_EQ(r.Left, c.left);
        EXPECT_EQ(r.Top, c.top);
        EXPECT_EQ(r.Width(), c.width);
    }
}

TEST(Menu, ScreenReadersHearTheCaptionWithoutItsMarker) {
    EXPECT_EQ(SpokenCaption("&Close Menu"), "Close Menu");
    EXPECT_EQ(SpokenCaption("Save && Exit"), "Save & Exit");  // as drawn: the second "&" is the key
    EXPECT_EQ(SpokenCaption("Photos"), "Photos");
}

TEST(Placement, ShowsTheMenuAtTheMonitorsScaleFittedToTheWorkArea) {
    const Rect work{0, 0, 1024, 768};
    const int bar = 17;
    const struct {
        int dpi, width, height;
        Zoom scale;
        int shownWidth, shownHeight, windowWidth, windowHeight;
        bool across, down;
    } cases[] = {
        {96, 480, 320, {1, 1}, 480, 320, 480, 320, false, false},
        {119, 480, 320, {1, 1}, 480, 320, 480, 320, false, false},
        {120, 480, 320, {5, 4}, 600, 400, 600, 400, false, false},
        {144, 480, 320, {3, 2}, 720, 480, 720, 480, false, false},
        {192, 480, 320, {2, 1}, 960, 640, 960, 640, false, false},
        // Too large at the monitor's scale: as large as fits.
        {192, 600, 400, {128, 75}, 1024, 682, 1024, 682, false, false},
        {96, 1828, 1219, {256, 457}, 1024, 682, 1024, 682, false, false},
        // Not even half size fits: half size, scrolling where it does not fit.
        {96, 4096, 4669, {1, 2}, 2048, 2334, 1024, 768, true, true},
        {96, 1000, 1700, {1, 2}, 500, 850, 517, 768, false, true},
        {96, 2400, 700, {1, 2}, 1200, 350, 1024, 367, true, false},
        {96, 1020, 1560, {1, 2}, 510, 780, 527, 768, false, true},
        // One scroll bar takes the room the other direction needed.
        {96, 2040, 1560, {1, 2}, 1020, 780, 1024, 768, true, true},
        {96, 2100, 1520, {1, 2}, 1050, 760, 1024, 768, true, true},
        // Half of what the monitor's scale asks for.
        {144, 1400, 900, {3, 4}, 1050, 675, 1024, 692, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI, " << c.width << " x " << c.height);
        const MenuView v = ViewMenu(c.dpi, c.width, c.height, work, bar, bar);
        EXPECT_TRUE(v.Scale == c.scale) << v.Scale.Num << "/" << v.Scale.Den;
        EXPECT_EQ(v.Width, c.shownWidth);
        EXPECT_EQ(v.Height, c.shownHeight);
        EXPECT_EQ(v.WindowWidth, c.windowWidth);
        EXPECT_EQ(v.WindowHeight, c.windowHeight);
        EXPECT_EQ(v.HorizontalBar, c.across);
        EXPECT_EQ(v.VerticalBar, c.down);
    }
}

TEST(Placement, MapsMenuPixelsBothWays) {
    const Zoom z{3, 2};
    EXPECT_EQ(z.Of(101), 151);
    EXPECT_EQ(z.Of(-20), -30);
    EXPECT_EQ(z.Of(-21), -32);  // down, also below 0: a button coming in from the left
    EXPECT_EQ(z.Back(151), 100);
    EXPECT_EQ(z.Back(-1), -1);
    // Scrolled so that a button shows whole, moving as little as possible.
    EXPECT_EQ(ScrollToShow(0, 300, 350, 400), 100);
    EXPECT_EQ(ScrollToShow(200, 300, 100, 150), 100);
    EXPECT_EQ(ScrollToShow(100, 300, 150, 200), 100);
    EXPECT_EQ(ClampScroll(900, 1000, 300), 700);
}

}  // namespace
}  // namespace orvane::player
