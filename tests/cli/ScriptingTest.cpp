#include "CliRun.h"
#include "TempFolder.h"

#include "cli/CliCommands.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace orvane;

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) { std::ofstream(path) << text; }

}  // namespace

TEST(Scripting, ExportThenImportKeepsEveryStoredValue) {
    TempFolder app, work;
    const std::string a = (work.Path() / "a.mng").string(), b = (work.Path() / "b.mng").string();
    ASSERT_EQ(Cli({"new", a, "--style", "Neo-Tribal", "--color", "10,200,30", "--title", "Pics", "--text",
                   "Line 1\nLine 2", "--button", "&Photos", "--app-folder", app.Path().string()})
                  .code,
              0);
    const CliRun exported = Cli({"export", a});
    ASSERT_EQ(exported.code, 0) << exported.err;
    for (const char* expected : {"\"Title\": \"Pics\"", "\"StyleId\": 2", "\"MenuColor\": 2017290",
                                 "\"MenuText\": \"Line 1\\r\\nLine 2\"", "\"Caption\": \"&Photos\""})
        EXPECT_NE(exported.out.find(expected), std::string::npos) << expected;
    EXPECT_EQ(exported.out.find("\"header\""), std::string::npos);

    WriteText(work.Path() / "a.json", exported.out);
    ASSERT_EQ(Cli({"import", (work.Path() / "a.json").string(), b, "--app-folder", app.Path().string()}).code, 0);
    EXPECT_EQ(Cli({"export", b}).out, exported.out);

    // resave refreshes the pictures and keeps the values.
    const std::string c = (work.Path() / "c.mng").string();
    ASSERT_EQ(Cli({"resave", b, c, "--app-folder", app.Path().string()}).code, 0);
    EXPECT_EQ(Cli({"export", c}).out, exported.out);
}

TEST(Scripting, RefusalsNameTheKeyAndWriteNothing) {
    TempFolder app, work;
    const std::string out = (work.Path() / "out.mng").string();
    struct Case {
        const char* name;
        std::string json;
        std::string message;
    } cases[] = {
        {"unknown property", R"({"properties": {"Titel": "x"}})", "\"Titel\": unknown key"},
        {"width out of range", R"({"properties": {"MenuWidth": 2000}})", "\"MenuWidth\": 2000 is not 80 to 1024"},
        {"font size", R"({"properties": {"TextFont": {"Size": 3}}})", "\"TextFont.Size\": 3 is not 4 to 72"},
        {"unknown style", R"({"properties": {"StyleId": "Rainbow"}})", "no menu style is named \"Rainbow\""},
        {"photo style without photo", R"({"properties": {"StyleId": 12}})", "\"BackgroundFile\""},
        {"too many buttons", R"({"buttons": [)" + std::string(30 * 3, ' ') + R"({},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{},{}]})",
         "\"buttons\": 31 buttons"},
        {"unknown button key", R"({"buttons": [{"Cmd": "x"}]})", "\"buttons[0].Cmd\": unknown key"},
        {"colour", R"({"properties": {"MenuColor": -1}})", "\"MenuColor\": -1 is not a colour value"},
        {"not JSON", R"({"properties": )", "line 1, column 16"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteText(work.Path() / "in.json", c.json);
        const CliRun r = Cli({"import", (work.Path() / "in.json").string(), out, "--app-folder", app.Path().string()});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
}

TEST(Scripting, ExistingFilesAreReplacedOnlyWithForce) {
    TempFolder app, work;
    const std::string menu = (work.Path() / "m.mng").string();
    WriteFileReplacing(menu, std::vector<uint8_t>{'o', 'l', 'd'});
    const CliRun refused = Cli({"new", menu, "--app-folder", app.Path().string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("add --force"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(menu), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Cli({"new", menu, "--force", "--app-folder", app.Path().string()}).code, 0);
    EXPECT_EQ(Cli({"info", menu}).code, 0);

    const CliRun badColour = Cli({"new", menu, "--force", "--color", "300,0,0", "--app-folder", app.Path().string()});
    EXPECT_EQ(badColour.code, 2);
    const CliRun photoStyle = Cli({"new", menu, "--force", "--style", "MyPhoto Sharp", "--app-folder", app.Path().string()});
    EXPECT_EQ(photoStyle.code, 1);
    EXPECT_NE(photoStyle.err.find("--photo"), std::string::npos);
}

TEST(Scripting, RenderWritesTheDesignSurface) {
    TempFolder app, work;
    const std::string menu = (work.Path() / "m.mng").string(), png = (work.Path() / "m.png").string();
    ASSERT_EQ(Cli({"new", menu, "--button", "Go", "--app-folder", app.Path().string()}).code, 0);
    ASSERT_EQ(Cli({"render", menu, "-o", png, "--button", "2", "--state", "2", "--app-folder", app.Path().string()}).code, 0);
    EXPECT_TRUE(std::filesystem::exists(png));
    EXPECT_EQ(Cli({"render", menu, "-o", png, "--button", "3", "--app-folder", app.Path().string()}).code, 2);
    EXPECT_EQ(Cli({"render", menu, "-o", png, "--state", "4", "--app-folder", app.Path().string()}).code, 2);
}

// A file manager's thumbnail: the stored pictures, shrunk to fit, never grown.
TEST(Scripting, ThumbnailDrawsTheStoredPictures) {
    TempFolder app, work;
    const std::string menu = (work.Path() / "m.mng").string(), png = (work.Path() / "t.png").string(),
                      full = (work.Path() / "full.png").string();
    ASSERT_EQ(Cli({"new", menu, "--button", "Go", "--app-folder", app.Path().string()}).code, 0);
    ASSERT_EQ(Cli({"render", menu, "-o", full, "--app-folder", app.Path().string()}).code, 0);
    const Bitmap rendered = ReadPng(ReadWholeFile(full)).Picture;
    const int longest = std::max(rendered.Width(), rendered.Height());

    ASSERT_EQ(Cli({"thumbnail", menu, png, "128"}).code, 0);
    const Bitmap small = ReadPng(ReadWholeFile(png)).Picture;
    EXPECT_EQ(std::max(small.Width(), small.Height()), 128);
    EXPECT_NEAR(double(small.Width()) / small.Height(), double(rendered.Width()) / rendered.Height(), 0.02);

    // Large enough: the menu as stored, which outside its text is what the editor renders.
    ASSERT_EQ(Cli({"thumbnail", menu, png, std::to_string(longest + 100)}).code, 0);
    const Bitmap whole = ReadPng(ReadWholeFile(png)).Picture;
    ASSERT_EQ(whole.Width(), rendered.Width());
    ASSERT_EQ(whole.Height(), rendered.Height());
    for (int y = 0; y < 100; ++y)  // the title band, the window controls and the first button
        for (int x = 0; x < whole.Width(); ++x) ASSERT_EQ(whole.At(x, y), rendered.At(x, y)) << x << ", " << y;

    EXPECT_EQ(Cli({"thumbnail", menu, png, "0"}).code, 2);
    WriteFileReplacing(work.Path() / "bad.mng", std::vector<uint8_t>{'M', 'E', 'N', 'U'});
    const CliRun bad = Cli({"thumbnail", (work.Path() / "bad.mng").string(), png, "64"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("Menu file could not be read."), std::string::npos);
}

// Every command answers --help and takes --app-folder, as the README says.
TEST(Scripting, EveryCommandAnswersHelpAndTakesTheAppFolder) {
    for (const std::string command : {"info", "styles", "style-image", "render", "new", "export", "import", "resave",
                                      "build-autorun", "unpack", "thumbnail", "test-autorun", "build-iso", "drives",
                                      "burn"}) {
        const CliRun help = Cli({command, "--help"});
        EXPECT_EQ(help.code, 0) << command << "\n" << help.err;
        EXPECT_NE(help.out.find("usage: orvane-menu " + command), std::string::npos) << help.out;
        EXPECT_NE(help.out.find("--app-folder"), std::string::npos) << help.out;
    }
    TempFolder app, work;
    const std::string menu = (work.Path() / "m.mng").string(), folder = app.Path().string();
    ASSERT_EQ(Cli({"new", menu, "--app-folder", folder}).code, 0);
    const std::vector<std::string> runs[] = {
        {"info", menu, "--app-folder", folder},
        {"--app-folder", folder, "export", menu},
        {"unpack", "--app-folder", folder, menu, (work.Path() / "out").string()},
    };
    for (const auto& args : runs) {
        const CliRun o = Cli(args);
        EXPECT_NE(o.code, 2) << args[0] << "\n" << o.err;
    }
}

TEST(Scripting, VersionAndHelp) {
    EXPECT_EQ(Cli({"--version"}).out, "orvane-menu 9.0.0.0\n");
    const CliRun help = Cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("thumbnail FILE.mng OUT.png SIZE"), std::string::npos);
}
