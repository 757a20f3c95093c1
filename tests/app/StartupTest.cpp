#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orvane;

TEST(Startup, FirstStartWithoutSettings) {
    TempFolder app;
    ScriptedPlatform platform;
    {
        ScriptedPlatform p;
        EditorModel writer(p, app.Path());
        writer.StartNewMenu();
        ASSERT_TRUE(writer.BinMenuSave(SaveMode::Menu, app.Folder(), "readme.mng"));
    }
    EditorModel model(platform, app.Path());
    model.Session().Start();
    model.Session().DeferredStart({});
    EXPECT_EQ(model.Session().Prefs().PaletteOpen, (std::array<int32_t, 5>{0, 0, 1, 0, 1}));
    EXPECT_EQ(model.Files().Folder(), app.Folder());
    EXPECT_EQ(model.Files().MenuList(), std::vector<std::string>{"readme.mng"});
    EXPECT_EQ(model.Doc().Menu.FileName, "New Menu");
    EXPECT_EQ(model.SelectedStyle(), 5);
    EXPECT_EQ(model.Doc().Menu.UndoCount, 0);
    EXPECT_FALSE(model.Flags().Modified);
    EXPECT_EQ(model.Session().Prefs().CustomColors[1], 13948116u);
    EXPECT_EQ(model.Session().Prefs().WindowRect, (std::array<int32_t, 4>{192, 204, 640, 360}));

    model.Session().Shutdown();
    EXPECT_TRUE(std::filesystem::exists(app.Path() / "orvane-graphic.ini"));
}

TEST(Startup, StartWithAMenuFile) {
    TempFolder app, work;
    {
        ScriptedPlatform p;
        EditorModel writer(p, app.Path());
        writer.StartNewMenu();
        EditorModelAccess::Doc(writer).Props.Title = "Disc";
        ASSERT_TRUE(writer.BinMenuSave(SaveMode::Menu, work.Folder(), "disc.mng"));
    }
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{(work.Path() / "disc.mng").string()}, "disc.mng (Disc) - Orvane Graphic Menu Editor"},
        {{"\"\""}, "Orvane Graphic Menu Editor"},
        {{}, "Orvane Graphic Menu Editor"},
    };
    for (const auto& [args, caption] : cases) {
        ScriptedPlatform platform;
        EditorModel model(platform, app.Path());
        model.Session().Start();
        model.Session().DeferredStart(args);
        EXPECT_EQ(model.WindowCaption(), caption);
        EXPECT_EQ(model.Doc().Menu.UndoCount, 0);
        EXPECT_EQ(model.Doc().Menu.RedoCount, 0);
        EXPECT_FALSE(model.Flags().Modified);
        model.Session().Shutdown();
    }
}

TEST(Settings, RoundTripOfAllLines) {
    TempFolder app;
    Settings s = Settings::Defaults(app.Folder(), 1920, 1080);
    for (size_t i = 0; i < 7; ++i) s.CustomColors[i] = uint32_t(0x010203 * (i + 1));
    s.MenuFolder = "/home/\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0/\xE5\x85\x89\xE7\x9B\x98/";  // Cyrillic and Chinese
    s.SecondFolder = "/home/ann/other café/";
    for (size_t i = 0; i < 21; ++i) s.TipShown[i] = int32_t(i % 2);
    s.PaletteOpen = {1, 0, 1, 1, 0};
    s.Line36 = false;
    s.WindowRect = {-5, 10, 800, 600};
    s.GradientSaturation = 37;
    s.FastScaling = false;
    s.OnePaletteMode = true;
    WriteSettingsFile(app.Path() / "x.ini", s);
    EXPECT_EQ(ReadSettingsFile(app.Path() / "x.ini", Settings{}), s);

    const std::string text = s.ToText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 44);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\n\r\n");
}

TEST(Settings, ShortOrDamagedFilesKeepTheDefaults) {
    const Settings defaults = Settings::Defaults("/app/", 1024, 768);
    Settings s = defaults;
    EXPECT_EQ(s.FromText("1\r\nnot a number\r\n3\r\n"), 2);
    EXPECT_EQ(s.CustomColors[0], 1u);
    EXPECT_EQ(s.CustomColors[1], defaults.CustomColors[1]);
    EXPECT_EQ(s.CustomColors[2], 3u);
    EXPECT_EQ(s.MenuFolder, "/app/");
    EXPECT_TRUE(s.FastScaling);
    EXPECT_EQ(s.PaletteOpen, defaults.PaletteOpen);
}

TEST(Startup, TipsAreOfferedOnceAndNotWhenSuppressed) {
    TempFolder app;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.Session().Start();
    platform.SuppressTips = true;
    model.Session().DeferredStart({});
    // The start-up Add Button run offers tip 13, then the start tip 0; the new
    // menu's style is applied while rendering is suspended, without its tip.
    EXPECT_EQ(platform.TipsShown, (std::vector<int>{13, 0}));
    platform.TipsShown.clear();
    model.Buttons().Add();
    model.ComboBox1Select(3);
    model.ComboBox1Select(4);
    EXPECT_EQ(platform.TipsShown, std::vector<int>{2}) << "each tip once; suppressed ones stay away";
    model.Session().Shutdown();

    ScriptedPlatform second;
    EditorModel next(second, app.Path());
    next.Session().Start();
    next.Session().DeferredStart({});
    EXPECT_EQ(second.TipsShown, std::vector<int>{1}) << "tip 1 replaces tip 0 once tip 0 is suppressed";
}
