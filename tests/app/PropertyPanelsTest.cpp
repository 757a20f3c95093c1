#include "EditorFixture.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace orvane;

namespace {

struct PanelFixture : EditorFixture {
    void SetUp() override {
        Start();
        EditorModelAccess::Doc(model).BackgroundPhoto = Bitmap(640, 480);
        EditorModelAccess::PhotoControlsEnabled(model) = true;
    }
};

}  // namespace

TEST_F(PanelFixture, MenuSizeSlidersFollowThePhotoAspect) {
    struct Case {
        bool enabled, checked, width;  // width: which slider moves
        int value, expectedWidth, expectedHeight;
    };
    const Case cases[] = {
        {true, true, true, 480, 480, 360},     {true, true, false, 300, 400, 300},
        {true, true, true, 5000, 1024, 768},   {true, true, false, 10, 80, 60},
        {false, true, true, 600, 600, 320},    {true, false, false, 100, 480, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EditorModelAccess::PhotoControlsEnabled(model) = c.enabled;
        P().PhotoAspect = c.checked;
        P().MenuWidth = 480;
        P().MenuHeight = 320;
        c.width ? model.Properties().SetMenuWidth(c.value) : model.Properties().SetMenuHeight(c.value);
        EXPECT_EQ(P().MenuWidth, c.expectedWidth);
        EXPECT_EQ(P().MenuHeight, c.expectedHeight);
    }
    // Ticking the box keeps the side of the current menu that would shrink.
    const std::tuple<int, int, int, int> ticks[] = {{800, 400, 800, 600}, {300, 400, 533, 400}};
    for (const auto& [menuW, menuH, width, height] : ticks) {
        EditorModelAccess::Doc(model).MenuImage = Bitmap(menuW, menuH);
        EditorModelAccess::RenderSuspended(model) = 1;  // keep the menu image as set
        model.Properties().SetPhotoAspect(true);
        EditorModelAccess::RenderSuspended(model) = 0;
        EXPECT_EQ(P().MenuWidth, width);
        EXPECT_EQ(P().MenuHeight, height);
    }
}

TEST_F(PanelFixture, APhotoStyleChosenWhileAutoSizedKeepsTheSlidersInProportion) {
    EditorModelAccess::Doc(model).BackgroundPhoto = Bitmap(400, 100, 0x336699);
    P().AutoSizeMenu = true;
    P().PhotoAspect = true;
    model.ComboBox1Select(kSharpPhotoPosition);
    const Bitmap& menu = model.Doc().MenuImage;
    ASSERT_EQ(menu.Width(), 4 * menu.Height()) << "the auto-sized menu takes the photo's shape";
    EXPECT_EQ(P().MenuWidth, menu.Width());
    EXPECT_EQ(P().MenuHeight, menu.Height());
}

TEST_F(PanelFixture, SlidersClampAndStoreNothingWhileUpdating) {
    using Setter = void (PropertyPanels::*)(int);
    const std::tuple<Setter, int32_t MenuProperties::*, int, int> cases[] = {
        {&PropertyPanels::SetButtonWidth, &MenuProperties::ButtonWidth, 10, 240},
        {&PropertyPanels::SetButtonHeight, &MenuProperties::ButtonHeight, 10, 120},
        {&PropertyPanels::SetButtonGap, &MenuProperties::ButtonGap, 0, 32},
        {&PropertyPanels::SetTextBoxVisibility, &MenuProperties::TextBoxVisibility, 0, 100},
        {&PropertyPanels::SetTitleBoxVisibility, &MenuProperties::TitleBoxVisibility, 0, 100},
    };
    P().AutoSizeButtons = false;
    for (const auto& [set, field, min, max] : cases) {
        (model.Properties().*set)(min - 1);
        EXPECT_EQ(P().*field, min);
        (model.Properties().*set)(max + 1);
        EXPECT_EQ(P().*field, max);
        EditorModelAccess::RedrawCountdown(model) = -1;
        {
            FlagSet filling = model.FillingControls();
            (model.Properties().*set)(min + 1);
        }
        EXPECT_EQ(P().*field, max);
        EXPECT_EQ(model.RedrawCountdown(), -1);
    }
    // The button size sliders arm the redraw only while auto-size is off.
    P().AutoSizeButtons = true;
    model.Properties().SetButtonWidth(50);
    EXPECT_EQ(model.RedrawCountdown(), -1);
}

TEST_F(PanelFixture, OneDragOneUndoStepAndOneRenderAfterTyping) {
    const int undo = M().UndoCount;
    model.Properties().SliderFocus();
    for (int w : {200, 240, 280}) model.Properties().SetMenuWidth(w);
    EXPECT_EQ(M().UndoCount, undo + 1);

    EditorModelAccess::RedrawCountdown(model) = -1;
    const int renders = model.RenderCount();
    for (const char* text : {"M", "Me", "Men"}) {
        model.Properties().SetTitle(text);
        model.Tick();
        model.Tick();
    }
    for (int t = 0; t < 7; ++t) model.Tick();
    EXPECT_EQ(model.RenderCount(), renders) << "nine ticks after the last key";
    for (int t = 0; t < 20; ++t) model.Tick();
    EXPECT_EQ(model.RenderCount(), renders + 1);
}

TEST_F(PanelFixture, SwitchesTakeAnUndoStepAndRenderAsTheyShould) {
    struct Case {
        const char* name;
        std::function<void()> click;
        int renders;
        std::function<bool()> check;
    };
    const Case cases[] = {
        {"auto size buttons off", [&] { model.Properties().SetAutoSizeButtons(false); }, 0,
         [&] { return model.Properties().ButtonSizeEnabled(); }},
        {"auto size buttons on", [&] { model.Properties().SetAutoSizeButtons(true); }, 1,
         [&] { return !model.Properties().ButtonSizeEnabled(); }},
        {"auto size menu off", [&] { model.Properties().SetAutoSizeMenu(false); }, 1,
         [&] { return model.Properties().MenuSizeEnabled(); }},
        {"preset 3", [&] { model.Properties().ChoosePreset(2); }, 1,
         [&] { return P().MenuColor == model.Presets()[2]; }},
        {"animation list", [&] { model.Properties().EnterAnimationList(); }, 0, [] { return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int undo = M().UndoCount, renders = model.RenderCount();
        c.click();
        EXPECT_EQ(M().UndoCount, undo + 1);
        EXPECT_EQ(model.RenderCount() - renders, c.renders);
        EXPECT_TRUE(c.check());
    }
    EXPECT_TRUE(model.Properties().ChooseAnimation(9));
    EXPECT_EQ(P().ButtonAnimation, 9);
    {
        FlagSet filling = model.FillingControls();
        EXPECT_FALSE(model.Properties().ChooseAnimation(3)) << "no preview while the editor fills the list";
    }
    const bool quality = model.Properties().HighQualityScaling();
    model.Properties().ToggleHighQualityScaling();
    EXPECT_NE(model.Properties().HighQualityScaling(), quality);
}

TEST_F(PanelFixture, PreviousNextAndAnimateTitle) {
    while (M().ButtonCount < 4) model.Buttons().Add();
    const std::tuple<int, bool, int> cases[] = {{1, false, 4}, {4, true, 1}, {2, true, 3}};
    for (const auto& [from, next, to] : cases) {
        M().SelectedButton = from;
        next ? model.Buttons().Next() : model.Buttons().Previous();
        EXPECT_EQ(M().SelectedButton, to);
        EXPECT_EQ(model.Properties().ButtonPanel().Caption, M().Buttons[size_t(to)].Caption) << "the palette is refilled";
    }
    M().Buttons[2].MinimizeOnClick = 1;
    for (const int selected : {0, 1, 2}) {
        M().SelectedButton = selected;
        model.Properties().ShowButtonProps();
        EditorModelAccess::Flags(model).Modified = false;
        model.Properties().AnimateTitleClicked(true, model.Properties().ButtonPanel().Minimize);
        EXPECT_TRUE(P().AnimateTitle && model.Flags().Modified);
        EXPECT_EQ(M().Buttons[1].MinimizeOnClick + M().Buttons[2].MinimizeOnClick, 1) << "no button changes";
    }
}

TEST_F(PanelFixture, TheTextLabelShowsDescriptionsWhileHovering) {
    M().Buttons[1].Description = "Opens the photos";
    model.Buttons().Add();
    const std::string text = P().MenuText;
    const std::pair<int, std::string> steps[] = {{1, "Opens the photos"}, {2, text}, {1, "Opens the photos"}, {0, text}};
    for (const auto& [slot, label] : steps) {
        slot == 0 ? model.Properties().HoverBackground() : model.Properties().HoverButton(slot);
        EXPECT_EQ(model.TextLabel(), label) << slot;
    }
    const Bitmap plain = model.DesignSurfaceImage();
    model.Properties().HoverButton(1);
    EXPECT_NE(model.DesignSurfaceImage(), plain) << "the surface draws what the label shows";
    // The editor filling the field still updates the label and the redraw.
    {
        FlagSet filling = model.FillingControls();
        model.Properties().SetMenuText("Shown");
    }
    EXPECT_EQ(model.TextLabel(), "Shown");
    EXPECT_EQ(model.RedrawCountdown(), 10);
    EXPECT_EQ(P().MenuText, text);
}

TEST_F(PanelFixture, TheSurfaceShowsTheWindowControlsWhereThePlayerDrawsThem) {
    const DesignLayout& layout = model.Renderer().Layout;
    ASSERT_TRUE(layout.WindowControlsVisible);
    const Bitmap surface = model.DesignSurfaceImage();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x)
            ASSERT_EQ(surface.At(layout.WindowControls.Left + x, 5 + y), layout.WindowControlsImage.At(x, y))
                << x << ", " << y;
}

TEST_F(PanelFixture, AnimationPathRendersAPendingRedrawFirst) {
    model.Buttons().Add();
    P().ButtonAnimation = 6;
    for (const int countdown : {-1, 4}) {
        EditorModelAccess::RedrawCountdown(model) = countdown;
        const int renders = model.RenderCount();
        const auto path = model.ButtAniPath(1000);
        EXPECT_EQ(model.RenderCount() - renders, countdown > 0 ? 1 : 0);
        for (int slot = 1; slot <= 2; ++slot) {
            const Rect& target = model.Renderer().Layout.Buttons[size_t(slot)];
            const auto last = std::find_if(path.rbegin(), path.rend(), [&](const AnimationMove& m) { return m.Slot == slot; });
            ASSERT_NE(last, path.rend());
            EXPECT_EQ(std::pair(last->Left, last->Top), std::pair(target.Left, target.Top));
        }
    }
}

// The preview ends with every button on its target after its last frame; a
// change to the document while it plays ends it at the next step, and what
// the change asked for is rendered.
TEST_F(PanelFixture, AnimationPreviewEndsInPlaceOrAtAChange) {
    model.Buttons().Add();
    P().ButtonAnimation = 6;
    const std::function<void()> changes[] = {
        nullptr,
        [this] { model.Buttons().Add(); },
        [this] { model.Properties().SetTitle("Changed"); },
    };
    for (const auto& change : changes) {
        ASSERT_TRUE(model.Preview().Start(1000));
        EXPECT_FALSE(model.Preview().Start(1000)) << "one preview at a time";
        std::map<int, std::pair<int, int>> places;
        const auto move = [&](const std::vector<AnimationMove>& moves) {
            for (const AnimationMove& m : moves) places[m.Slot] = {m.Left, m.Top};
        };
        move(model.Preview().Step(0));
        ASSERT_TRUE(model.Preview().Playing());
        EXPECT_EQ(model.RenderSuspended(), 1);
        if (change) {
            change();
            const int renders = model.RenderCount();
            move(model.Preview().Step(8000));
            EXPECT_FALSE(model.Preview().Playing());
            // A redraw armed by typing is the timer's, as ever.
            for (int tick = 0; tick < EditorModel::RedrawDelay; ++tick) model.Tick();
            EXPECT_GT(model.RenderCount(), renders) << "the change is rendered";
        } else {
            for (int64_t t = 8000; model.Preview().Playing(); t += 8000) move(model.Preview().Step(t));
        }
        EXPECT_EQ(model.RenderSuspended(), 0);
        if (change) continue;
        for (int slot = 1; slot <= 2; ++slot) {
            const Rect& target = model.Renderer().Layout.Buttons[size_t(slot)];
            EXPECT_EQ(places[slot], std::pair(target.Left, target.Top)) << slot;
        }
    }
}
