#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <functional>

using namespace orvane;

TEST(TipTriggers, PaletteSwitchesOfferTheirTipOnce) {
    TempFolder app;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.Session().Start();
    model.Session().DeferredStart({});
    struct Case {
        const char* name;
        std::function<void()> trigger;   // offers the tip
        std::function<void()> quiet;     // the same control, no tip
        int tip;
    } cases[] = {
        {"title field", [&] { model.Properties().EnterTitleField(); }, [] {}, 15},
        {"display position", [&] { model.Properties().ChooseDisplayPosition(3); }, [&] { model.Properties().ChooseDisplayPosition(11); }, 5},
        {"Auto Adjust cleared", [&] { model.Properties().SetAutoAdjust(false); }, [&] { model.Properties().SetAutoAdjust(true); }, 7},
        {"Auto Size Menu clicked", [&] { model.Properties().SetAutoSizeMenu(false); }, [] {}, 9},
        {"photo aspect cleared", [&] { model.Properties().SetPhotoAspect(false); }, [&] { model.Properties().SetPhotoAspect(true); }, 10},
    };
    EditorModelAccess::Prefs(model).TipShown.fill(0);
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
    EXPECT_EQ(model.Doc().Menu.Position, 3) << "an unknown position code changes nothing";
    EXPECT_FALSE(model.Doc().Props.AutoAdjust);
    EXPECT_FALSE(model.Doc().Props.AutoSizeMenu);
    EXPECT_FALSE(model.Doc().Props.PhotoAspect);
}
