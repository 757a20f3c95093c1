#include "TempFolder.h"

#include "app/EditorModel.h"
#include "app/PaletteColumn.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

using States = std::array<int, PaletteColumn::kCount>;

PaletteColumn Column(States open, bool onePalette) {
    PaletteColumn c;
    c.Open = open;
    c.FullHeight = {100, 200, 300, 400, 500};
    c.OnePaletteMode = onePalette;
    return c;
}

}  // namespace

TEST(PaletteColumn, ToggleAndStacking) {
    struct Case {
        States before;
        bool onePalette;
        int toggled;
        States after;
        std::array<int, 5> tops;
    };
    const Case cases[] = {
        // One palette at a time: opening 4 closes 1 and 2.
        {{1, 1, 0, 0, 0}, true, 3, {0, 0, 0, 1, 0}, {0, 22, 44, 66, 467}},
        {{1, 1, 0, 0, 0}, false, 3, {1, 1, 0, 1, 0}, {0, 101, 302, 324, 725}},
        // Closing in one-palette mode leaves everything closed.
        {{0, 0, 1, 0, 0}, true, 2, {0, 0, 0, 0, 0}, {0, 22, 44, 66, 88}},
        {{0, 0, 1, 0, 1}, false, 4, {0, 0, 1, 0, 0}, {0, 22, 44, 345, 367}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.toggled);
        PaletteColumn column = Column(c.before, c.onePalette);
        column.Toggle(c.toggled);
        EXPECT_EQ(column.Open, c.after);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(column.Top(i), c.tops[size_t(i)]) << i;
        EXPECT_EQ(column.TotalHeight(), c.tops[4] + column.Height(4));
    }
}

TEST(PaletteColumn, TurningOnePaletteModeOnKeepsTheFirstOpenPalette) {
    const std::tuple<States, bool, States> cases[] = {
        {{0, 1, 1, 0, 1}, true, {0, 1, 0, 0, 0}},
        {{1, 0, 0, 0, 1}, true, {1, 0, 0, 0, 0}},
        {{0, 0, 0, 0, 0}, true, {0, 0, 0, 0, 0}},
        {{0, 1, 1, 0, 1}, false, {0, 1, 1, 0, 1}},
    };
    for (const auto& [before, on, after] : cases) {
        PaletteColumn column = Column(before, !on);
        column.SetOnePaletteMode(on);
        EXPECT_EQ(column.OnePaletteMode, on);
        EXPECT_EQ(column.Open, after);
    }
}

TEST(PaletteColumn, GlyphsWidthsAndWheel) {
    const std::tuple<bool, bool, int> glyphs[] = {{false, false, 0}, {false, true, 17}, {true, false, 34}, {true, true, 51}};
    for (const auto& [open, pressed, x] : glyphs) EXPECT_EQ(PaletteColumn::GlyphX(open, pressed), x);
    EXPECT_EQ(PaletteColumn::ColumnWidth(false, 17), 221);
    EXPECT_EQ(PaletteColumn::ColumnWidth(true, 17), 234);
    EXPECT_EQ(PaletteColumn::WheelScroll(10, 1, 500), 0);
    EXPECT_EQ(PaletteColumn::WheelScroll(490, -1, 500), 500);
}

TEST(PaletteColumn, OpenStatesComeFromAndGoBackToTheSettings) {
    TempFolder app;
    ScriptedPlatform platform;
    {
        Settings s = Settings::Defaults(app.Folder(), 1024, 768);
        s.PaletteOpen = {1, 0, 0, 1, 0};
        s.OnePaletteMode = false;
        WriteSettingsFile(app.Path() / "orvane-graphic.ini", s);
    }
    EditorModel model(platform, app.Path());
    model.Session().Start();
    EXPECT_EQ(model.Palettes().Open, (States{1, 0, 0, 1, 0}));
    model.Session().DeferredStart({});
    EXPECT_EQ(model.Palettes().Open, (States{1, 0, 0, 1, 1})) << "adding the first button opens Button Properties";

    // In one-palette mode a click on the title opens palette 1 alone.
    model.Palettes().SetOnePaletteMode(true);
    EXPECT_EQ(model.Palettes().Open, (States{1, 0, 0, 0, 0}));
    model.Properties().ClickButton(1);
    EXPECT_EQ(model.Palettes().Open, (States{0, 0, 0, 0, 1}));
    model.Properties().ClickTitle();
    EXPECT_EQ(model.Palettes().Open, (States{1, 0, 0, 0, 0}));
    model.Session().Shutdown();

    const Settings back = ReadSettingsFile(app.Path() / "orvane-graphic.ini", Settings{});
    EXPECT_EQ(back.PaletteOpen, (std::array<int32_t, 5>{1, 0, 0, 0, 0}));
    EXPECT_TRUE(back.OnePaletteMode);
}
