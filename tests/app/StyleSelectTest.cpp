#include "EditorFixture.h"
#include "StyleFiles.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "document/mdlfilebin.h"
#include "platform/ImageIO.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;

namespace {

using StyleFixture = EditorFixture;

}  // namespace

TEST_F(StyleFixture, SelectingAStyleAppliesItsFontsMarkersAndAnimation) {
    model.StartNewMenu();
    struct Case {
        int position;
        const char* titleFont;
        int titleSize;
        Alignment buttonAlignment;
        int animation;
        int titleShadow, textShadow, captionShadow;
    } cases[] = {
        {0, "Arial", 22, Alignment::Left, 3, 2, 0, 0},
        {2, "Times New Roman", 20, Alignment::Left, 2, 0, 0, 0},
        {7, "Arial", 24, Alignment::Left, 0, 2, 1, 1},
        {9, "Segoe UI", 16, Alignment::Left, 6, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        model.ComboBox1Select(c.position);
        const MenuStyle& style = model.Styles().At(c.position);
        EXPECT_EQ(model.SelectedStyle(), c.position);
        EXPECT_EQ(model.Doc().Props.StyleId, style.StyleId);
        EXPECT_EQ(model.Doc().Props.TitleFont.Name, c.titleFont);
        EXPECT_EQ(model.Doc().Props.TitleFont.Size, c.titleSize);
        EXPECT_EQ(model.Doc().Props.ButtonFont.Alignment, c.buttonAlignment);
        EXPECT_EQ(model.Doc().Props.ButtonAnimation, c.animation);
        EXPECT_EQ(model.Doc().Menu.TitleShadowDepth, c.titleShadow);
        EXPECT_EQ(model.Doc().Menu.TextShadowDepth, c.textShadow);
        EXPECT_EQ(model.Doc().Menu.ButtonShadowDepth, c.captionShadow);
        EXPECT_EQ(model.Doc().Props.MenuColor, model.Presets()[0]);
        // Text colours come from the artwork recoloured to the menu colour.
        const SheetTextColours colours = ReadTextColours(model.Renderer().SkinSheet.Bitmap);
        EXPECT_EQ(model.Doc().Props.ButtonFont.Color, colours.Button);
        EXPECT_EQ(model.Doc().Props.TitleFont.Color, colours.Title);
        EXPECT_EQ(model.Doc().MenuImage.Width(), model.Renderer().Layout.MenuWidth);
        EXPECT_FALSE(model.Doc().Props.PhotoSkin);
        EXPECT_EQ(model.Doc().Menu.SelectedButton, 0);
        EXPECT_FALSE(model.Flags().Updating);
        EXPECT_FALSE(model.StyleChanging());
    }
}

TEST_F(StyleFixture, PhotoStyleWithoutAPhotoAsksForOneAndFallsBack) {
    model.StartNewMenu();
    platform.DialogAnswers = {std::nullopt};
    model.ComboBox1Select(13);
    ASSERT_EQ(platform.FileDialogs.size(), 1u);
    EXPECT_EQ(platform.FileDialogs[0].Title, "Open Photo...");
    EXPECT_EQ(platform.FileDialogs[0].Filter, "Photo or Image (*.jpg;*.jpeg;*.png;*.bmp)|*.JPG;*.JPEG;*.PNG;*.BMP");
    EXPECT_EQ(model.SelectedStyle(), 0);
    EXPECT_FALSE(model.Doc().Props.PhotoSkin);

    // With a photo the style stays.
    Bitmap photo(40, 30, 0x2080C0);
    WriteFileReplacing(work.Path() / "sea.bmp", WriteBmp(photo, 24));
    platform.DialogAnswers = {work.Path() / "sea.bmp"};
    model.ComboBox1Select(13);
    EXPECT_EQ(model.SelectedStyle(), 13);
    EXPECT_TRUE(model.Doc().Props.PhotoSkin);
    EXPECT_TRUE(model.PhotoControlsEnabled());
    EXPECT_EQ(model.Doc().Menu.BackgroundFile, (work.Path() / "sea.bmp").string());
    EXPECT_EQ(model.Doc().BackgroundPhoto.Width(), 40);
}

TEST_F(StyleFixture, ADamagedPhotoIsReportedAndTheMenuStaysAsItWas) {
    model.StartNewMenu();
    WriteFileReplacing(work.Path() / "broken.jpg", std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'});
    platform.Messages.clear();
    platform.DialogAnswers = {work.Path() / "broken.jpg"};
    model.SetBackgroundImage();
    EXPECT_EQ(platform.FileDialogs.size(), 1u) << "the dialog opens once";
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_NE(platform.Messages[0].Request.Text.find("broken.jpg"), std::string::npos);
    EXPECT_EQ(model.SelectedStyle(), 5);
    EXPECT_TRUE(model.Doc().Menu.BackgroundFile.empty());
}

TEST_F(StyleFixture, NewMenuTakesTheXpStyleAndItsFirstPreset) {
    model.ComboBox1Select(3);
    // What the last menu had must not come along.
    MenuProperties& p = EditorModelAccess::Doc(model).Props;
    p.AnimateTitle = true;
    p.DisableSounds = true;
    p.TitleBoxVisibility = 7;
    p.TextBoxVisibility = 9;
    p.AutoSizeMenu = false;
    p.MenuWidth = 900;
    EditorModelAccess::Doc(model).Menu.BackgroundFile = "/photos/sea.jpg";
    EditorModelAccess::Doc(model).BackgroundPhoto = Bitmap(40, 30);
    model.StartNewMenu();
    EXPECT_FALSE(p.AnimateTitle);
    EXPECT_FALSE(p.DisableSounds);
    EXPECT_EQ(p.TitleBoxVisibility, 100);
    EXPECT_EQ(p.TextBoxVisibility, 100);
    EXPECT_TRUE(p.AutoSizeMenu);
    EXPECT_EQ(p.MenuWidth, 480);
    EXPECT_TRUE(model.Doc().Menu.BackgroundFile.empty());
    EXPECT_TRUE(model.Doc().BackgroundPhoto.IsEmpty());
    EXPECT_EQ(model.SelectedStyle(), 5);
    EXPECT_EQ(model.Doc().Props.StyleId, 5);
    EXPECT_EQ(model.Doc().Props.MenuColor, MakeColor(0, 84, 173));
    EXPECT_EQ(model.Doc().Props.TitleFont.Name, "Verdana");
    EXPECT_EQ(model.Doc().Props.ButtonFont.Alignment, Alignment::Centre);
    EXPECT_EQ(model.Doc().Menu.ButtonCount, 1);
    EXPECT_EQ(model.Doc().Menu.Buttons[1].Caption, "&Close Menu");
    EXPECT_EQ(model.Doc().Menu.SelectedButton, 1);
    EXPECT_EQ(model.WindowCaption(), "Orvane Graphic Menu Editor");
    EXPECT_EQ(model.RenderSuspended(), 0);
}

TEST_F(StyleFixture, StyleFileOpenedAsAMenuIsInstalled) {
    struct Case {
        const char* name;
        std::string magic;
        std::string message;
        MsgResult keep;
        std::vector<std::string> messages;
        bool added;
        bool copied;
    } cases[] = {
        {"kept with a message", "OVGMENUSTYLEFILE VERSION 9.0", "Enjoy!", MsgResult::Yes,
         {"The opened file contained a new menu style (Sunny), which has been added to the Menu Style list. Do you "
          "wish to keep this style for use in other menus?",
          "Enjoy!"},
         true, true},
        {"not kept, no message", "OVGMENUSTYLEFILE VERSION 9.0", "", MsgResult::No,
         {"The opened file contained a new menu style (Sunny), which has been added to the Menu Style list. Do you "
          "wish to keep this style for use in other menus?"},
         true, false},
        {"another version", "OVGMENUSTYLEFILE VERSION 8.0", "", MsgResult::Yes,
         {"The opened file contained a new menu style in an unrecognized format"}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder appFolder;
        ScriptedPlatform p;
        EditorModel m(p, appFolder.Path());
        WriteStyleFile(work.Path() / "sunny.mng", c.magic, "Sunny", c.message);
        p.Answers = {c.keep};
        EXPECT_FALSE(m.BinMenuOpen("sunny.mng", work.Folder(), false));
        EXPECT_EQ(p.MessageTexts(), c.messages);
        EXPECT_EQ(m.Styles().Count(), c.added ? 19 : 18);
        EXPECT_EQ(m.SelectedStyle(), c.added ? 18 : 5);
        EXPECT_EQ(std::filesystem::exists(appFolder.Path() / "styles" / "sunny.ovgsty"), c.copied);
        EXPECT_EQ(m.Doc().Menu.FileName, "New Menu");
        EXPECT_FALSE(m.Flags().Loading);
        if (c.added) {
            EXPECT_EQ(m.Doc().Props.TitleFont.Name, "Georgia");
            EXPECT_EQ(m.Doc().Props.MenuColor, MakeColor(10, 20, 30));
        }
    }
}

TEST_F(StyleFixture, MenuReadFallsBackToTheFirstStyleForAnUnknownIdentifier) {
    model.StartNewMenu();
    EditorModelAccess::Doc(model).Props.StyleId = 25;  // a style file removed since
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Snapshot, work.Folder(), "gone.mng"));
    ASSERT_TRUE(model.BinMenuOpen("gone.mng", work.Folder(), false));
    EXPECT_EQ(model.SelectedStyle(), 0);
    EXPECT_EQ(model.Doc().Props.StyleId, 0);
}

TEST_F(StyleFixture, CustomButtonStyleIsChosenAndRestoredByItsPath) {
    ButtonStyleFile style;
    style.Name = "Glass";
    style.Animation = 9;
    style.Font = {"Tahoma", 12, true, false, false, Alignment::Right, 0x0000FF};
    style.ShadowDepth = 2;
    style.ShadowColor = 0x00FF00;
    style.Strip = Bitmap(kStripWidth, kStripHeight, 0x123456);
    style.MaskStrip = Bitmap(kStripWidth, kStripHeight, 0xFFFFFF);
    std::filesystem::create_directories(model.ButtonsFolder());
    {
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("glass.ovgbtn", model.ButtonsFolder(), true, false));
        WriteButtonStyleRecords(f, style);
        f.CloseRecordFile();
    }
    EditorModelAccess::ButtonStyles(model).LoadCustomButtons(model.ButtonsFolder(), platform);
    model.StartNewMenu();
    EditorModelAccess::Flags(model).Modified = false;

    model.ComboBox2Select(1);
    EXPECT_TRUE(model.Flags().CustomStyleSelected);
    EXPECT_TRUE(model.Flags().Modified);
    EXPECT_EQ(model.Doc().Props.ButtonStyleName, model.ButtonsFolder() + "glass.ovgbtn");
    EXPECT_EQ(model.Doc().Props.ButtonFont, style.Font);
    EXPECT_EQ(model.Doc().Props.ButtonShadowColor, 0x00FF00u);
    EXPECT_EQ(model.Doc().Menu.ButtonShadowDepth, 2);
    EXPECT_EQ(model.Doc().Props.ButtonAnimation, 9);
    EXPECT_EQ(model.Styles().CustomCarrier.At(50, 170), 0x123456u);
    EXPECT_EQ(model.Styles().CustomCarrier.At(50, 150), 0u);

    ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, work.Folder(), "glass.mng"));
    model.StartNewMenu();
    EXPECT_FALSE(model.Flags().CustomStyleSelected);
    ASSERT_TRUE(model.BinMenuOpen("glass.mng", work.Folder(), false));
    EXPECT_TRUE(model.Flags().CustomStyleSelected);
    EXPECT_EQ(model.ButtonStyles().Selected, 1);
    EXPECT_EQ(model.Doc().Props.ButtonFont, style.Font);  // the file's font, not the style's own

    // Back to the style's own buttons.
    model.ComboBox2Select(0);
    EXPECT_FALSE(model.Flags().CustomStyleSelected);
    EXPECT_EQ(model.Doc().Props.ButtonStyleName, "[DefBtnSeld]");
    EXPECT_EQ(model.Doc().Props.ButtonFont.Name, "Verdana");
}

// A button style is chosen or designed for the captions: the title and the
// menu text keep the colours the user gave them.
TEST_F(StyleFixture, ButtonStylesLeaveTheTextColoursAlone) {
    ButtonStyleFile style;
    style.Name = "Glass";
    style.Font = {"Tahoma", 12, true, false, false, Alignment::Right, 0x0000FF};
    style.Strip = Bitmap(kStripWidth, kStripHeight, 0x123456);
    style.MaskStrip = Bitmap(kStripWidth, kStripHeight, 0xFFFFFF);
    std::filesystem::create_directories(model.ButtonsFolder());
    {
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("glass.ovgbtn", model.ButtonsFolder(), true, false));
        WriteButtonStyleRecords(f, style);
        f.CloseRecordFile();
    }
    EditorModelAccess::ButtonStyles(model).LoadCustomButtons(model.ButtonsFolder(), platform);
    model.StartNewMenu();
    model.ComboBox1Select(6);
    EditorModelAccess::Doc(model).Props.TextFont.Color = 10345471;
    EditorModelAccess::Doc(model).Props.TitleFont.Color = 0x123456;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"a designed style chosen", [&] { model.ComboBox2Select(1); }},
        {"the designer opened", [&] { model.AddButtonStyle1Click(); }},
        {"the style's own buttons", [&] { model.ComboBox2Select(0); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        step();
        EXPECT_EQ(model.Doc().Props.TextFont.Color, 10345471u);
        EXPECT_EQ(model.Doc().Props.TitleFont.Color, 0x123456u);
    }
}

TEST_F(StyleFixture, DeferredRedrawAndSuspendedRendering) {
    model.StartNewMenu();
    EditorModelAccess::Doc(model).Props.Title = "A much longer title for the menu";
    const int before = model.Renderer().Layout.MenuWidth;
    EditorModelAccess::RedrawCountdown(model) = EditorModel::RedrawDelay;
    for (int tick = 1; tick < 10; ++tick) {
        model.Tick();
        EXPECT_EQ(model.RedrawCountdown(), 10 - tick);
        EXPECT_EQ(model.Renderer().Layout.MenuWidth, before) << "rendered before the delay ran out";
    }
    model.Tick();
    EXPECT_EQ(model.RedrawCountdown(), -1);
    EXPECT_GT(model.Renderer().Layout.MenuWidth, before);
    model.Tick();
    EXPECT_EQ(model.RedrawCountdown(), -1);

    // While rendering is suspended nothing is drawn.
    EditorModelAccess::RenderSuspended(model) = 1;
    EditorModelAccess::Doc(model).Props.Title = "T";
    model.ColorSkin(true);
    EXPECT_GT(model.Renderer().Layout.MenuWidth, before);
    EditorModelAccess::RenderSuspended(model) = 0;
    model.ColorSkin(true);
    EXPECT_EQ(model.Renderer().Layout.MenuWidth, before);
}

TEST_F(StyleFixture, VisibilityChangeFadesTheMaskBeforeTheRedraw) {
    Bitmap photo(40, 30, 0x2080C0);
    WriteFileReplacing(work.Path() / "sea.bmp", WriteBmp(photo, 24));
    platform.DialogAnswers = {work.Path() / "sea.bmp"};
    model.StartNewMenu();
    model.ComboBox1Select(12);
    ASSERT_TRUE(model.Doc().Props.PhotoSkin);
    EXPECT_EQ(model.Renderer().AppliedTextVisibility, 100);
    EditorModelAccess::Doc(model).Props.TextBoxVisibility = 30;
    EditorModelAccess::RedrawCountdown(model) = 1;
    model.Tick();
    EXPECT_EQ(model.Renderer().AppliedTextVisibility, 30);
    EXPECT_EQ(PixelRed(model.Renderer().MaskSheet.Bitmap.At(40, 100)),
              uint8_t(float(PixelRed(model.Styles().At(12).Mask.At(40, 100))) * 0.3f));
}
