#include "RecordWalk.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "cli/CliCommands.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "styles/ButtonStyles.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

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
        ResetToNewMenu(EditorModelAccess::Doc(model));
        EditorModelAccess::Doc(model).Menu.ButtonCount = 2;
        EditorModelAccess::Doc(model).Menu.Buttons[2].Caption = "&Readme";
        EditorModelAccess::Doc(model).Menu.Buttons[2].Command = "\\readme.txt";
        EditorModelAccess::Doc(model).MenuImage = Bitmap(30, 20, 0xFFFFFF);
        EditorModelAccess::Doc(model).Menu.Buttons[1].Images[0] = Bitmap(7, 5);
        ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, folder.Folder(), "menu.mng"));
        ASSERT_TRUE(model.BinMenuSave(SaveMode::Snapshot, folder.Folder(), "UD001.und"));
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

TEST(CliStyles, ListsBuiltinStylesThenStyleFiles) {
    TempFolder app;
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"styles", "--app-folder", app.Path().string()}, out, err), 0) << err.str();
    const std::string json = out.str();
    for (const char* expected :
         {"\"position\": 0,\n    \"name\": \"Professional\",\n    \"StyleId\": 0,\n    \"photo\": false,\n    \"presets\": "
          "[16750848, 3381708, 12539269, 6671973, 6645198],\n    \"shadows\": [2, 0, 0]",
          "\"name\": \"Vista Style\",\n    \"StyleId\": 16", "\"name\": \"My Background\",\n    \"StyleId\": 15,\n    "
                                                            "\"photo\": true"})
        EXPECT_NE(json.find(expected), std::string::npos) << expected;
}

TEST(CliStyles, WritesAStylePictureOrItsMask) {
    TempFolder folder;
    struct Case {
        std::vector<std::string> args;
        int code;
    } cases[] = {
        {{"style-image", "Cushion", "-o", (folder.Path() / "c.png").string()}, 0},
        {{"style-image", "MyPhoto Frames", "--mask", "-o", (folder.Path() / "m.png").string()}, 0},
        {{"style-image", "Cushion", "--mask", "-o", (folder.Path() / "x.png").string()}, 1},
        {{"style-image", "No Such Style", "-o", (folder.Path() / "y.png").string()}, 1},
        {{"style-image", "Cushion"}, 2},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(RunCli(c.args, out, err), c.code) << c.args[1] << err.str();
    }
    const DecodeResult picture = LoadPictureFile(folder.Path() / "c.png");
    ASSERT_TRUE(picture.Ok()) << picture.Error;
    EXPECT_EQ(picture.Picture.Width(), 136);
    EXPECT_EQ(picture.Picture.Height(), 194);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "x.png"));
}

TEST(CliInfo, DescribesStyleFilesAndButtonStyleFiles) {
    TempFolder folder;
    ScriptedPlatform platform;
    {
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("s.ovgsty", folder.Folder(), true, false));
        f.WriteRecordHeader(0, 0);
        for (const char* text : {"OVGMENUSTYLEFILE VERSION 9.0", "Sunny", ""}) f.WriteField(kTextRecord, 0, text);
        f.WriteField(kIntegerRecord, 4, {});
        for (int i = 0; i < 3; ++i) {
            f.WriteField(kTextRecord, 0, "Georgia");
            f.WriteField(kLongRecord, 13, {});
            for (int k = 0; k < 4; ++k) f.WriteField(kIntegerRecord, k == 0 ? -1 : 0, {});
            f.WriteField(kLongRecord, 0, {});
        }
        f.WriteField(kIntegerRecord, 20, {});
        f.WriteField(kIntegerRecord, 21, {});
        Bitmap sheet(136, 194, 0);
        sheet.At(115, 176) = MakePixel(255, 0, 0);
        f.WritePicture(1, 0, 0, 0, sheet, {}, false);
        f.WritePicture(1, 1, 0, 0, Bitmap(136, 194, 0xFFFFFF), {}, false);
        f.WriteEnd();
        f.CloseRecordFile();

        ButtonStyleFile b;
        b.Name = "Glass";
        b.PhotoFlag = 2;
        b.Strip = b.MaskStrip = Bitmap(96, 32);
        ASSERT_TRUE(f.OpenRecordFile("b.ovgbtn", folder.Folder(), true, false));
        WriteButtonStyleRecords(f, b);
        f.CloseRecordFile();
    }
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"info", (folder.Path() / "s.ovgsty").string()}, out, err), 0) << err.str();
    for (const char* expected : {"\"Name\": \"Sunny\"", "\"TitleLeft\": 20", "\"TitleTop\": 21", "\"Bold\": true",
                                 "\"Mask\": {\n      \"width\": 136"})
        EXPECT_NE(out.str().find(expected), std::string::npos) << expected << out.str();

    std::ostringstream out2, err2;
    ASSERT_EQ(RunCli({"info", (folder.Path() / "b.ovgbtn").string()}, out2, err2), 0) << err2.str();
    for (const char* expected : {"\"Name\": \"Glass\"", "\"PhotoButton\": true", "\"Buttons\": {\n      \"width\": 96"})
        EXPECT_NE(out2.str().find(expected), std::string::npos) << expected << out2.str();
}

// A style file whose picture is smaller than a style sheet has no marker
// pixels to read: it is described without a mask, never read past its end.
TEST(CliInfo, StyleFileWithASmallPicture) {
    TempFolder folder;
    ScriptedPlatform platform;
    {
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("small.ovgsty", folder.Folder(), true, false));
        f.WriteRecordHeader(0, 0);
        for (const char* text : {"OVGMENUSTYLEFILE VERSION 9.0", "Tiny", ""}) f.WriteField(kTextRecord, 0, text);
        f.WriteField(kIntegerRecord, 0, {});
        for (int i = 0; i < 3; ++i) {
            f.WriteField(kTextRecord, 0, "Arial");
            f.WriteField(kLongRecord, 10, {});
            for (int k = 0; k < 4; ++k) f.WriteField(kIntegerRecord, 0, {});
            f.WriteField(kLongRecord, 0, {});
        }
        f.WriteField(kIntegerRecord, 0, {});
        f.WriteField(kIntegerRecord, 0, {});
        f.WritePicture(1, 0, 0, 0, Bitmap(10, 10, 0xFFFFFF), {}, false);
        f.WriteEnd();
        f.CloseRecordFile();
    }
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"info", (folder.Path() / "small.ovgsty").string()}, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("\"Background\": {\n      \"width\": 10"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("\"Mask\""), std::string::npos) << out.str();
}
