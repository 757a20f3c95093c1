#include "RecordWalk.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "cli/CliCommands.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace orvane;

namespace {

struct InfoFixture : ::testing::Test {
    TempFolder folder;
    std::vector<uint8_t> menu;

    void SetUp() override {
        ScriptedPlatform platform;
        EditorModel model(platform, folder.Path());
        ResetToNewMenu(model.Doc);
        model.Doc.Menu.ButtonCount = 2;
        model.Doc.Menu.Buttons[2].Caption = "&Readme";
        model.Doc.Menu.Buttons[2].Command = "\\readme.txt";
        model.Doc.MenuImage = Bitmap(30, 20, 0xFFFFFF);
        model.Doc.Menu.Buttons[1].Images[0] = Bitmap(7, 5);
        ASSERT_TRUE(model.BinMenuSave(true, false, false, false, folder.Folder(), "menu.mng"));
        ASSERT_TRUE(model.BinMenuSave(true, false, true, true, folder.Folder(), "UD001.und"));
        menu = ReadWholeFile(folder.Path() / "menu.mng");
    }

    int Run(const std::string& file, std::string& out, std::string& err) {
        std::ostringstream o, e;
        const int code = RunCli({"info", (folder.Path() / file).string()}, o, e);
        out = o.str();
        err = e.str();
        return code;
    }
};

}  // namespace

TEST_F(InfoFixture, DescribesAMenuAsStored) {
    std::string out, err;
    ASSERT_EQ(Run("menu.mng", out, err), 0) << err;
    EXPECT_EQ(err, "");
    for (const char* expected : {"\"kind\": 3", "\"count\": 2", "\"pictureCount\": 7", "\"Title\": \"My Disc Menu\"",
                                 "\"AnimateTitle\": false", "\"AutoAdjust\": true", "\"ButtonStyleName\": \"[DefBtnSeld]\"",
                                 "\"Caption\": \"&Readme\"", "\"AccessKey\": \"R\"", "\"Command\": \"\\\\readme.txt\"",
                                 "\"width\": 30", "\"height\": 20", "\"Bold\": false", "\"ExitOnClick\": -1"})
        EXPECT_NE(out.find(expected), std::string::npos) << expected;
    // 1 menu image + 2 x 3 button states + 3 strip states.
    size_t pictures = 0;
    for (size_t at = out.find("\"frame\""); at != std::string::npos; at = out.find("\"frame\"", at + 1)) ++pictures;
    EXPECT_EQ(pictures, 10u);
}

TEST_F(InfoFixture, DescribesAnUndoSnapshotWithoutPictures) {
    std::string out, err;
    ASSERT_EQ(Run("UD001.und", out, err), 0) << err;
    EXPECT_NE(out.find("\"pictureCount\": -1"), std::string::npos);
    EXPECT_NE(out.find("\"pictures\": []"), std::string::npos);
}

TEST_F(InfoFixture, RefusesWhatTheEditorRefusesWithItsMessages) {
    const auto starts = RecordStarts(menu);
    auto with = [&](size_t at, uint8_t v) {
        auto d = menu;
        d[at] = v;
        return d;
    };
    auto cut = [&](size_t n) { return std::vector<uint8_t>(menu.begin(), menu.begin() + long(n)); };
    const size_t firstPicture = starts[55 + 20];
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        std::vector<std::string> messages;
    } cases[] = {
        {"version 7", with(5, 7), {"This is not an Orvane Graphic Version 8", "Menu file could not be read."}},
        {"wrong record kind", with(starts[3], 4), {"Menu file could not be read."}},
        {"cut inside the buttons", cut(starts[60]), {"Menu file could not be read."}},
        {"damaged picture", cut(firstPicture + 30), {"Menu file could not be read.", "picture record 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileReplacing(folder.Path() / "bad.mng", c.data);
        std::string out, err;
        EXPECT_EQ(Run("bad.mng", out, err), 1);
        EXPECT_EQ(out, "");
        for (const std::string& m : c.messages) EXPECT_NE(err.find(m), std::string::npos) << err;
    }

    std::string out, err;
    EXPECT_EQ(Run("absent.mng", out, err), 1);
    EXPECT_EQ(err, "Menu not found.\n");
}

TEST(Cli, UnknownCommandsAndMissingArguments) {
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{}, 2}, {{"frobnicate"}, 2}, {{"info"}, 2}, {{"info", "a", "b"}, 2}, {{"--help"}, 0}};
    for (const auto& [args, code] : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(args, out, err), code);
    }
}
