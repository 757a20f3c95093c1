#include "TempFolder.h"

#include "app/EditorModel.h"
#include "document/MenuFileInfo.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

using namespace orvane;

// New menu, "Blue Ribbon", a button with a command, saved as disc.mng.
TEST(TypicalRoad, FromNewMenuToASavedDisc) {
    TempFolder app, disc;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.Session().Start();
    model.Session().DeferredStart({});

    model.ComboBox1Select(model.StylePositionByName("Blue Ribbon"));
    model.Buttons().Add();
    model.Properties().SetCaption("&Setup");
    model.Properties().SetCommand("\\setup\\install.exe");
    platform.DialogAnswers = {disc.Path() / "disc.mng"};
    ASSERT_TRUE(model.Files().Save());
    EXPECT_TRUE(platform.Messages.empty()) << "the Close Menu button exits: no warning";

    RecordFile file(platform);
    file.OpenRecordFile("disc.mng", disc.Folder(), false, false);
    const MenuFileDescription d = DescribeMenuFile(file);
    ASSERT_EQ(d.Read.Status, MenuReadStatus::Ok);
    EXPECT_TRUE(d.PictureError.empty());
    const StoredMenu& m = d.Read.Menu;
    EXPECT_EQ(d.Read.Count, 2);
    EXPECT_EQ(d.Read.PictureCount, 7);
    EXPECT_EQ(m.Props.StyleId, 6);
    EXPECT_EQ(m.Props.MenuColor, MakeColor(82, 164, 214));
    EXPECT_EQ(m.Props.TitleFont.Name, "Verdana");
    EXPECT_EQ(m.Props.ButtonFont.Bold, true);
    EXPECT_EQ(m.Props.ButtonAnimation, 3);
    EXPECT_EQ(m.Buttons[0].Caption, "&Close Menu");
    EXPECT_EQ(m.Buttons[0].ExitOnClick, -1);
    EXPECT_EQ(m.Buttons[1].Caption, "&Setup");
    EXPECT_EQ(m.Buttons[1].AccessKey, "S");
    EXPECT_EQ(m.Buttons[1].Command, "\\setup\\install.exe");
    EXPECT_EQ(m.Buttons[1].Left, m.Props.FirstButtonLeft);
    EXPECT_EQ(m.Props.FirstButtonTop, 92);
    ASSERT_EQ(d.Pictures.size(), 10u);
    EXPECT_EQ(d.Pictures[0].Width, model.Renderer().Layout.MenuWidth);
    EXPECT_EQ(d.Pictures[1].Width, m.Props.ButtonWidth);
    EXPECT_EQ(d.Pictures[9].Number, 21);
    EXPECT_EQ(d.Pictures[9].Width, 21);
    EXPECT_EQ(model.WindowCaption(), "disc.mng (My Disc Menu) - Orvane Graphic Menu Editor");
}
