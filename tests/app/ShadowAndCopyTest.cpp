#include "EditorFixture.h"
#include "FakeDesigner.h"
#include "TempFolder.h"

#include "app/ColorPicker.h"
#include "app/CopyCustom.h"
#include "app/EditorModel.h"
#include "app/PopupPlacement.h"
#include "app/ShadowSets.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;

namespace {

struct ToolWindowFixture : EditorFixture {

    ToolWindowFixture() { model.StartNewMenu(); }

    // Press and release on the entry that shows text.
    static void Pick(TfrmShadowSets& window, const std::string& text) {
        for (int i = 0; i < TfrmShadowSets::kEntryCount; ++i)
            if (window.Entries[size_t(i)].Text == text) {
                window.Press(i);
                window.Release(i);
                return;
            }
        FAIL() << "no entry " << text;
    }
};

Bitmap Strip(const Bitmap& sheet) {
    Bitmap out(96, 32);
    StretchCopy(sheet, {0, 162, 96, 194}, out, {0, 0, 96, 32});
    return out;
}

}  // namespace

// Colours applied from the picker ------------------------------------------------------

TEST_F(ToolWindowFixture, FontAndShadowColourGoToTheSelectedText) {
    const uint32_t green = MakeColor(1, 200, 3);
    struct Case {
        int selected;
        ColorTarget target;
    } cases[] = {{-1, ColorTarget::FontColor}, {0, ColorTarget::FontColor}, {1, ColorTarget::FontColor}, {-1, ColorTarget::ShadowColor}, {0, ColorTarget::ShadowColor}, {1, ColorTarget::ShadowColor}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "selected " << c.selected << " target " << int(c.target));
        model.StartNewMenu();
        TOVMenu& m = EditorModelAccess::Doc(model).Menu;
        MenuProperties& p = EditorModelAccess::Doc(model).Props;
        m.SelectedButton = c.selected;
        m.TitleShadowDepth = m.TextShadowDepth = m.ButtonShadowDepth = 0;
        model.CreateSkin();
        const Bitmap before = model.DesignSurfaceImage();
        EditorModelAccess::Flags(model).Modified = false;

        model.ApplyPickedColor(c.target, green, false);

        FontSpec& font = c.selected < 0 ? p.TitleFont : c.selected == 0 ? p.TextFont : p.ButtonFont;
        const uint32_t shadow = c.selected < 0 ? p.TitleShadowColor : c.selected == 0 ? p.TextShadowColor
                                                                                       : p.ButtonShadowColor;
        const int depth = c.selected < 0 ? m.TitleShadowDepth : c.selected == 0 ? m.TextShadowDepth
                                                                                 : m.ButtonShadowDepth;
        EXPECT_EQ(font.Color == green, c.target == ColorTarget::FontColor);
        EXPECT_EQ(shadow == green, c.target == ColorTarget::ShadowColor);
        // A shadow colour brings a shadow of one pixel with it.
        EXPECT_EQ(depth, c.target == ColorTarget::ShadowColor ? 1 : 0);
        if (c.target == ColorTarget::ShadowColor && c.selected == 0) {
            EXPECT_EQ(model.Renderer().Layout.MenuTextShadow, model.Renderer().Layout.MenuText.Moved(1, 1));
        }
        EXPECT_TRUE(model.Flags().Modified);
        EXPECT_NE(model.DesignSurfaceImage(), before);  // the change shows
    }
    // A shadow that is there keeps its depth.
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    EditorModelAccess::Doc(model).Menu.TextShadowDepth = 3;
    model.ApplyPickedColor(ColorTarget::ShadowColor, green, false);
    EXPECT_EQ(model.Doc().Menu.TextShadowDepth, 3);
}

TEST_F(ToolWindowFixture, MenuColourRecoloursTheStyleWithItsTip) {
    const uint32_t red = MakeColor(200, 20, 20);
    EditorModelAccess::Flags(model).Modified = false;
    const Bitmap before = model.Doc().MenuImage;
    model.ApplyPickedColor(ColorTarget::MenuColor, red, false);
    EXPECT_EQ(model.Doc().Props.MenuColor, red);
    EXPECT_NE(model.Doc().MenuImage, before);
    // The text colours are taken again from the recoloured artwork.
    EXPECT_EQ(model.Doc().Props.TitleFont.Color, ReadTextColours(model.Renderer().SkinSheet.Bitmap).Title);
    EXPECT_EQ(platform.TipsShown.back(), 6);
    EXPECT_TRUE(model.Flags().Modified);
}

TEST_F(ToolWindowFixture, PickedColourTakesAnUndoSnapshotWhenAsked) {
    model.Undo().Start();
    ASSERT_EQ(model.Undo().Folder(), app.Folder());
    for (bool snapshot : {false, true, true}) {
        const int before = model.Doc().Menu.UndoCount;
        model.ApplyPickedColor(ColorTarget::FontColor, MakeColor(5, 6, 7), snapshot);
        EXPECT_EQ(model.Doc().Menu.UndoCount, before + (snapshot ? 1 : 0));
    }
    // Targets the main window does not have change nothing.
    EditorModelAccess::Flags(model).Modified = false;
    for (ColorTarget target : {ColorTarget::None, ColorTarget::DesignerCaption, ColorTarget::DesignerDepth})
        model.ApplyPickedColor(target, MakeColor(5, 6, 7), true);
    EXPECT_FALSE(model.Flags().Modified);
    EXPECT_EQ(model.Doc().Menu.UndoCount, 2);
}

TEST_F(ToolWindowFixture, ThePickerStartsOnTheTargetsColourAndAppliesToIt) {
    MenuProperties& p = EditorModelAccess::Doc(model).Props;
    EditorModelAccess::Doc(model).Menu.SelectedButton = -1;
    p.TitleFont.Color = MakeColor(1, 1, 1);
    p.TitleShadowColor = MakeColor(2, 2, 2);
    p.MenuColor = MakeColor(3, 3, 3);
    for (ColorTarget target : {ColorTarget::FontColor, ColorTarget::ShadowColor, ColorTarget::MenuColor}) {
        auto picker = model.OpenColorPicker(target);
        EXPECT_EQ(model.PickerTarget(), target);
        const uint8_t n = uint8_t(target);
        EXPECT_EQ(model.PickedColor(), MakeColor(n, n, n));
        EXPECT_EQ(picker->CurrentColor, model.PickedColor());
    }
    auto picker = model.OpenColorPicker(ColorTarget::ShadowColor);
    picker->SwatchPress(2);
    picker->SwatchRelease(2);
    EXPECT_TRUE(picker->Closed);
    EXPECT_EQ(p.TitleShadowColor, MakeColor(255, 51, 0));
}

// Shadow-set pop-up ----------------------------------------------------------------------

TEST_F(ToolWindowFixture, ShadowPopupFramesTheCurrentDepth) {
    FakeDesigner designer;
    struct Case {
        ColorTarget target;
        int selected, depth;
        const char* framed;  // nullptr: no frame
    } cases[] = {
        {ColorTarget::FontColor, -1, 0, "None"}, {ColorTarget::FontColor, 0, 3, "3"}, {ColorTarget::FontColor, 2, 5, "5"}, {ColorTarget::FontColor, 1, 7, nullptr},
        {ColorTarget::DesignerDepth, 0, 1, "1"}, {ColorTarget::DesignerDepth, 0, -1, nullptr},
    };
    model.Buttons().Add();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.selected << " depth " << c.depth);
        TOVMenu& m = EditorModelAccess::Doc(model).Menu;
        m.SelectedButton = c.selected;
        m.TitleShadowDepth = m.TextShadowDepth = m.ButtonShadowDepth = 9;
        (c.selected < 0 ? m.TitleShadowDepth : c.selected == 0 ? m.TextShadowDepth : m.ButtonShadowDepth) = c.depth;
        designer.Depth = c.depth;
        EditorModelAccess::PickerTarget(model) = c.target;
        TfrmShadowSets window(model, &designer);
        if (c.framed) {
            ASSERT_GE(window.FramedEntry, 0);
            EXPECT_EQ(window.Entries[size_t(window.FramedEntry)].Text, c.framed);
            EXPECT_FALSE(window.FrameRect().IsEmpty());
        } else {
            EXPECT_EQ(window.FramedEntry, -1);
            EXPECT_TRUE(window.FrameRect().IsEmpty());
        }
    }
}

TEST_F(ToolWindowFixture, ShadowForTheMenuTextMovesItsLabel) {
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    EditorModelAccess::Doc(model).Menu.TextShadowDepth = 2;
    model.CreateSkin();
    const Rect text = model.Renderer().Layout.MenuText;
    struct Step {
        const char* entry;
        int depth;
    } steps[] = {{"3", 3}, {"None", 0}, {"5", 5}};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.entry);
        auto window = model.OpenShadowSets();
        const int processed = platform.MessagesProcessed;
        Pick(*window, s.entry);
        EXPECT_TRUE(window->Closed);
        EXPECT_EQ(model.Doc().Menu.TextShadowDepth, s.depth);
        EXPECT_EQ(model.Renderer().Layout.MenuTextShadow, text.Moved(s.depth, s.depth));
        EXPECT_GE(platform.MessagesProcessed, processed + 1);
    }
    // "None" draws no shadow: the surface is the same as with no shadow colour at all.
    auto window = model.OpenShadowSets();
    Pick(*window, "None");
    const Bitmap none = model.DesignSurfaceImage();
    EditorModelAccess::Doc(model).Props.TextShadowColor = MakeColor(255, 0, 255);
    EXPECT_EQ(model.DesignSurfaceImage(), none);
}

TEST_F(ToolWindowFixture, ShadowForTitleAndButtonsRebuildsTheMenu) {
    struct Case {
        int selected;
        int32_t TOVMenu::*depth;
    } cases[] = {{-1, &TOVMenu::TitleShadowDepth}, {1, &TOVMenu::ButtonShadowDepth}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        EditorModelAccess::Doc(model).Menu.SelectedButton = c.selected;
        EditorModelAccess::Doc(model).Menu.*c.depth = 0;
        model.CreateSkin();
        const Bitmap before = model.DesignSurfaceImage();
        EditorModelAccess::Flags(model).Modified = false;
        auto window = model.OpenShadowSets();
        Pick(*window, "4");
        EXPECT_EQ(model.Doc().Menu.*c.depth, 4);
        EXPECT_NE(model.DesignSurfaceImage(), before);
        // The document changed: closing the editor must ask to save it.
        EXPECT_TRUE(model.Flags().Modified);
    }
}

TEST_F(ToolWindowFixture, ShadowChoiceNeedsPressAndReleaseOnOneEntry) {
    EditorModelAccess::Doc(model).Menu.SelectedButton = -1;
    EditorModelAccess::Doc(model).Menu.TitleShadowDepth = 2;
    EditorModelAccess::Flags(model).Modified = false;
    auto window = model.OpenShadowSets();
    window->Press(4);
    EXPECT_EQ(window->FramedEntry, 4);  // the frame follows the press
    window->Release(5);
    window->Release(4);  // a second release without a press
    EXPECT_FALSE(window->Closed);
    EXPECT_EQ(model.Doc().Menu.TitleShadowDepth, 2);
    // The same depth again is no change.
    window->Press(2);
    window->Release(2);
    EXPECT_TRUE(window->Closed);
    EXPECT_FALSE(model.Flags().Modified);
    window = model.OpenShadowSets();
    window->LoseFocus();
    EXPECT_TRUE(window->Closed);
}

TEST_F(ToolWindowFixture, ShadowKeysMoveTheFrameAndEnterChooses) {
    EditorModelAccess::Doc(model).Menu.SelectedButton = -1;
    EditorModelAccess::Doc(model).Menu.TitleShadowDepth = 7;  // no frame
    auto window = model.OpenShadowSets();
    struct Case {
        int from, dx, dy, to;
    } cases[] = {
        {-1, 1, 0, 0}, {0, 0, 1, 1}, {0, 1, 0, 0}, {1, 0, -1, 0}, {3, 1, 0, 4}, {5, 1, 0, 5}, {1, -1, 0, 1}, {4, 0, 1, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(window->EntryNeighbour(c.from, c.dx, c.dy), c.to) << c.from << " " << c.dx << "," << c.dy;
    window->ChooseFramed();  // nothing framed
    EXPECT_FALSE(window->Closed);
    window->MoveFrame(0, 1);
    window->MoveFrame(0, 1);
    window->MoveFrame(1, 0);
    window->ChooseFramed();
    EXPECT_TRUE(window->Closed);
    EXPECT_EQ(model.Doc().Menu.TitleShadowDepth, 2);
}

TEST_F(ToolWindowFixture, ShadowDepthForTheDesigner) {
    FakeDesigner designer;
    designer.Depth = 1;
    EditorModelAccess::PickerTarget(model) = ColorTarget::DesignerDepth;
    const TOVMenu before = model.Doc().Menu;
    TfrmShadowSets window(model, &designer);
    Pick(window, "None");
    EXPECT_EQ(designer.Depth, 0);
    EXPECT_EQ(designer.Countdown, 5);
    EXPECT_EQ(model.Doc().Menu.TitleShadowDepth, before.TitleShadowDepth);
    EXPECT_EQ(model.Doc().Menu.ButtonShadowDepth, before.ButtonShadowDepth);
    EXPECT_TRUE(window.Closed);
}

// Copy custom -------------------------------------------------------------------------------

struct CopyCustomFixture : ToolWindowFixture {
    int myBackground = model.Styles().MyBackgroundPosition();

    CopyCustomFixture() {
        // "My Background" is a photo style: it asks for the user's picture once.
        const auto photo = app.Path() / "own.bmp";
        WriteFileReplacing(photo, WriteBmp(Bitmap(60, 40, 0x336699), 24));
        platform.DialogAnswers = {photo};
    }
    void CopyFrom(int entry) {
        model.CopyButtonStyle1Click([entry](TfrmCopyCustom& w) {
            w.Select(entry);
            w.Ok();
        });
    }
};

TEST_F(CopyCustomFixture, EntriesAreTheBuiltInStylesByIdentifier) {
    ASSERT_EQ(TfrmCopyCustom::kEntries.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        std::string entry(TfrmCopyCustom::kEntries[size_t(i)]);
        std::string name = model.Styles().At(model.Styles().PositionOf(i)).Name;
        entry.erase(std::remove(entry.begin(), entry.end(), ' '), entry.end());
        name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
        EXPECT_EQ(entry, name) << i;
    }
    EXPECT_EQ(TfrmCopyCustom(model).Choice, 0);
}

TEST_F(CopyCustomFixture, CopiesFacesAndMasksIntoMyBackground) {
    struct Case {
        int entry;
        bool photo;
    } cases[] = {{0, false}, {14, true}, {3, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        const MenuStyle& source = model.Styles().At(model.Styles().PositionOf(c.entry));
        const Bitmap maskBefore = model.Styles().At(myBackground).Mask;
        CopyFrom(c.entry);
        const MenuStyle& target = model.Styles().At(myBackground);
        EXPECT_EQ(model.SelectedStyle(), myBackground);
        EXPECT_EQ(Strip(target.Background), Strip(source.Background));
        if (c.photo)
            EXPECT_EQ(Strip(target.Mask), Strip(source.Mask));
        else
            EXPECT_EQ(Strip(target.Mask), Bitmap(96, 32, 0xFFFFFF));  // buttons fully opaque
        // Only the strip changes.
        Bitmap outside = target.Mask;
        FillRect(outside, {0, 162, 96, 194}, 0);
        Bitmap outsideBefore = maskBefore;
        FillRect(outsideBefore, {0, 162, 96, 194}, 0);
        EXPECT_EQ(outside, outsideBefore);
        EXPECT_EQ(model.CopyCustomChoice(), c.entry);
        EXPECT_EQ(TfrmCopyCustom(model).Choice, c.entry);
    }
    // The photo was asked for once.
    EXPECT_EQ(platform.FileDialogs.size(), 1u);
}

TEST_F(CopyCustomFixture, CancelChangesNoPictureButAppliesTheStyleAgain) {
    std::vector<Bitmap> before;
    for (int p = 0; p < model.Styles().Count(); ++p) {
        before.push_back(model.Styles().At(p).Background);
        before.push_back(model.Styles().At(p).Mask);
    }
    EditorModelAccess::Doc(model).Props.MenuColor = MakeColor(1, 2, 3);
    EditorModelAccess::Doc(model).Props.TitleFont.Name = "Courier";
    model.CopyButtonStyle1Click([](TfrmCopyCustom& w) {
        w.Select(7);
        w.Cancel();
        EXPECT_TRUE(w.Closed);
    });
    for (int p = 0; p < model.Styles().Count(); ++p) {
        EXPECT_EQ(model.Styles().At(p).Background, before[size_t(2 * p)]) << p;
        EXPECT_EQ(model.Styles().At(p).Mask, before[size_t(2 * p + 1)]) << p;
    }
    EXPECT_EQ(model.SelectedStyle(), 5);
    EXPECT_EQ(model.Doc().Props.MenuColor, model.Presets()[0]);
    EXPECT_EQ(model.Doc().Props.TitleFont.Name, "Verdana");
    EXPECT_EQ(model.CopyCustomChoice(), 0);
    EXPECT_TRUE(platform.FileDialogs.empty());
}

// Pop-up placement -----------------------------------------------------------------------------

TEST(PopupPlacement, BelowTheButtonAndKeptOnScreen) {
    const Rect screen{0, 0, 1024, 768};
    struct Case {
        const char* what;
        Rect button;
        int width, height;
        Rect screen;
        ScreenPoint at;
    } cases[] = {
        {"plain", {100, 50, 123, 72}, 158, 154, screen, {101, 73}},
        {"right edge", {1000, 50, 1023, 72}, 158, 154, screen, {866, 73}},
        {"bottom: above the button", {100, 700, 123, 722}, 148, 69, screen, {101, 630}},
        {"just fits below", {100, 600, 123, 622}, 148, 145, screen, {101, 623}},
        {"no room above or below", {100, 100, 123, 122}, 158, 700, {0, 0, 1024, 768}, {101, 68}},
        {"second screen to the left", {-300, 10, -277, 32}, 408, 300, {-1280, 0, 0, 1024}, {-408, 33}},
        {"wider than the screen", {10, 10, 33, 32}, 2000, 100, screen, {0, 33}},
        {"screen with an offset", {1930, 1030, 1953, 1052}, 148, 69, {1920, 24, 3840, 1080}, {1931, 960}},
    };
    for (const Case& c : cases) EXPECT_EQ(PopupTopLeft(c.button, c.width, c.height, c.screen), c.at) << c.what;
}

TEST(PopupPlacement, AWindowThatGrewComesBackOnScreen) {
    const Rect screen{0, 0, 1024, 768};
    struct Case {
        Rect window, screen;
        ScreenPoint at;
    } cases[] = {
        {{100, 100, 508, 400}, screen, {100, 100}},
        {{900, 600, 1308, 900}, screen, {616, 468}},
        {{-50, -5, 100, 50}, screen, {0, 0}},
        {{10, 10, 2010, 60}, screen, {0, 10}},  // wider than the screen: its left part shows
        {{1900, 1000, 2308, 1300}, {1920, 24, 3840, 1080}, {1920, 780}},
    };
    for (const Case& c : cases) EXPECT_EQ(KeepOnScreen(c.window, c.screen), c.at);
}
