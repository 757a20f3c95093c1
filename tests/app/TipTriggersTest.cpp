#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;

TEST(TipTriggers, PaletteSwitchesOfferTheirTipOnce) {
    TempFolder app;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.FormCreate();
    model.DeferredStart({});
    struct Case {
        const char* name;
        std::function<void()> trigger;   // offers the tip
        std::function<void()> quiet;     // the same control, no tip
        int tip;
    } cases[] = {
        {"title field", [&] { model.EnterTitleField(); }, [] {}, 15},
        {"display position", [&] { model.ChooseDisplayPosition(3); }, [&] { model.ChooseDisplayPosition(11); }, 5},
        {"Auto Adjust cleared", [&] { model.SetAutoAdjust(false); }, [&] { model.SetAutoAdjust(true); }, 7},
        {"Auto Size Menu clicked", [&] { model.SetAutoSizeMenu(false); }, [] {}, 9},
        {"photo aspect cleared", [&] { model.SetPhotoAspect(false); }, [&] { model.SetPhotoAspect(true); }, 10},
    };
    model.Prefs.TipShown.fill(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.TipsShown.clear();
        c.quiet();
        EXPECT_TRUE(platform.TipsShown.empty());
        platform.SuppressTips = false;
        c.trigger();
        EXPECT_EQ(platform.TipsShown, std::vector<int>{c.tip}) << "shown while not suppressed";
        platform.SuppressTips = true;
        c.trigger();
        c.trigger();
        EXPECT_EQ(platform.TipsShown, (std::vector<int>{c.tip, c.tip})) << "then suppressed by its box";
    }
    EXPECT_EQ(model.Doc.Menu.Position, 3) << "an unknown position code changes nothing";
    EXPECT_FALSE(model.Doc.Props.AutoAdjust);
    EXPECT_FALSE(model.Doc.Props.AutoSizeMenu);
    EXPECT_FALSE(model.Doc.Props.PhotoAspect);
}
