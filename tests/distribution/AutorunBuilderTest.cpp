#include "TempFolder.h"
#include "WriteLimit.h"

#include "distribution/AutorunBuilder.h"
#include "distribution/AutorunWizard.h"
#include "document/MenuRecords.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"

#include <gtest/gtest.h>



using namespace orvane;

namespace {

const std::vector<uint8_t> kPlayer = {'M', 'Z', 1, 2, 3, 4, 5, 6, 7};

// An editor executable: its own bytes, then "ApEX", the player, the marker's offset.
void WriteEditor(const TempFolder& app, bool goodMarker = true) {
    std::vector<uint8_t> editor;
    editor.reserve(200);
    editor.resize(100, 0xEE);
    const uint32_t marker = uint32_t(editor.size());
    const char* tag = goodMarker ? "ApEX" : "APEX";
    editor.insert(editor.end(), tag, tag + 4);
    editor.insert(editor.end(), kPlayer.begin(), kPlayer.end());
    for (int i = 0; i < 4; ++i) editor.push_back(uint8_t(marker >> (8 * i)));
    WriteFileReplacing(app.Path() / kEditorFileName, editor);
}

uint32_t U32(const std::vector<uint8_t>& d, size_t at) {
    return uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 | uint32_t(d[at + 3]) << 24;
}

struct BuilderFixture : ::testing::Test {
    TempFolder app, menus, out;
    ScriptedPlatform platform;
    AutorunBuilder builder{platform, app.Folder()};

    void SetUp() override { WriteEditor(app); }
    void Menu(const std::string& name, size_t size, uint8_t fill) {
        WriteFileReplacing(menus.Path() / PathFromUtf8(name), std::vector<uint8_t>(size, fill));
    }
    // A menu file whose menu is width x height.
    void MenuOfSize(const std::string& name, int width, int height) {
        MenuDocument doc;
        doc.MenuImage = Bitmap(width, height);
        RecordFile file(platform);
        ASSERT_TRUE(file.OpenRecordFile(name, menus.Folder(), true, false));
        file.WriteRecordHeader(doc.Menu.ButtonCount, int16_t(doc.Menu.ButtonCount * 3 + 1));
        WriteMenuFields(file, doc);
        WriteMenuPictures(file, doc);
        file.WriteEnd();
        file.CloseRecordFile();
    }
};

}  // namespace

TEST_F(BuilderFixture, OneMenuOfAThousandBytes) {
    Menu("Main.mng", 1000, 0x4D);
    builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Main"}, "Main", menus.Folder());
    ASSERT_FALSE(builder.FileOpFailed) << ::testing::PrintToString(platform.MessageTexts());
    const std::vector<uint8_t> exe = ReadWholeFile(out.Path() / "Start.exe");
    const size_t l = kPlayer.size();
    ASSERT_EQ(exe.size(), l + 19 + 260 + 1000 + 4);
    EXPECT_EQ(std::vector<uint8_t>(exe.begin(), exe.begin() + long(l)), kPlayer);
    const std::vector<uint8_t> head = {'F', 'P', 'A', 'K', 2, 0, 0, 4, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1};
    EXPECT_EQ(std::vector<uint8_t>(exe.begin() + long(l), exe.begin() + long(l + 19)), head);
    std::string name(exe.begin() + long(l + 19), exe.begin() + long(l + 19 + 256));
    EXPECT_EQ(name, "Main.mng" + std::string(248, ' '));
    EXPECT_EQ(U32(exe, l + 19 + 256), l + 19 + 260 + 1);
    EXPECT_EQ(exe[l + 19 + 260], 0x4D);
    EXPECT_EQ(U32(exe, exe.size() - 4), l + 1);

    const std::vector<uint8_t> inf = ReadWholeFile(out.Path() / "Autorun.inf");
    EXPECT_EQ(std::string(inf.begin(), inf.end()), "[autorun]\r\nopen=Start.exe\r\nicon=Start.exe\r\n");

    const AutorunPackage package = ReadAutorunPackage(exe);
    ASSERT_EQ(package.Error, "");
    EXPECT_EQ(package.PlayerSize, l);
    ASSERT_EQ(package.Files.size(), 1u);
    EXPECT_EQ(package.Files[0].Name, "Main.mng");
    EXPECT_EQ(package.Files[0].Size, 1000u);
}

TEST_F(BuilderFixture, DefaultMenuGoesFirst) {
    Menu("A.mng", 10, 'a');
    Menu("C.mng", 20, 'c');
    builder.CompileAutorunApp(out.Folder() + "x.exe", {"A", "C"}, "C", menus.Folder());
    ASSERT_FALSE(builder.FileOpFailed);
    const AutorunPackage package = ReadAutorunPackage(ReadWholeFile(out.Path() / "x.exe"));
    ASSERT_EQ(package.Files.size(), 2u);
    EXPECT_EQ(package.Files[0].Name, "C.mng");
    EXPECT_EQ(package.Files[0].Size, 20u);
    EXPECT_EQ(package.Files[1].Name, "A.mng");
    EXPECT_EQ(builder.PackageFiles[0], menus.Folder() + "C.mng");
}

TEST_F(BuilderFixture, LongestFileNameFitsItsDirectoryField) {
    const std::string name(251, 'n');  // 255 bytes with ".mng", the longest name this system allows
    Menu(name + ".mng", 5, 1);
    builder.CompileAutorunApp(out.Folder() + "x.exe", {name}, name, menus.Folder());
    ASSERT_FALSE(builder.FileOpFailed);
    const std::vector<uint8_t> exe = ReadWholeFile(out.Path() / "x.exe");
    EXPECT_EQ(std::string(exe.begin() + long(kPlayer.size() + 19), exe.begin() + long(kPlayer.size() + 19 + 256)),
              name + ".mng ");
}

TEST_F(BuilderFixture, FailuresLeaveNothingBehind) {
    Menu("Main.mng", 50, 7);
    struct Case {
        const char* name;
        std::function<void()> arrange;
        std::vector<std::string> messages;
    } cases[] = {
        {"editor missing", [&] { std::filesystem::remove(app.Path() / kEditorFileName); },
         {"The wizard cannot locate the Menu Editor (" + kEditorFileName +
              ") which is required to create the autorun application.",
          "Error, application compile failed"}},
        {"marker wrong", [&] { WriteEditor(app, false); },
         {"Could not retrieve menu executable", "Error, application compile failed"}},
        {"menu vanished", [&] { std::filesystem::remove(menus.Path() / "Main.mng"); },
         {"Could not find all files.", "Error, application compile failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteEditor(app);
        Menu("Main.mng", 50, 7);
        c.arrange();
        platform.Messages.clear();
        builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Main"}, "Main", menus.Folder());
        EXPECT_TRUE(builder.FileOpFailed);
        EXPECT_EQ(platform.MessageTexts(), c.messages);
        for (const auto& m : platform.Messages) EXPECT_EQ(m.Request.Type, MsgType::Error);
        EXPECT_FALSE(std::filesystem::exists(out.Path() / "Start.exe"));
        EXPECT_FALSE(std::filesystem::exists(out.Path() / "Autorun.inf"));
    }

    // Too many menus are refused instead of overflowing the one-byte count.
    WriteEditor(app);
    platform.Messages.clear();
    builder.CompileAutorunApp(out.Folder() + "Start.exe", std::vector<std::string>(100, "Main"), "Main", menus.Folder());
    EXPECT_TRUE(builder.FileOpFailed);
    EXPECT_FALSE(std::filesystem::exists(out.Path() / "Start.exe"));

    // An output that cannot be written leaves no half-written file and no Autorun.inf.
    Menu("Big.mng", 200000, 9);
    platform.Messages.clear();
    {
        const WriteLimit limit(100000);
        builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Big"}, "Big", menus.Folder());
    }
    EXPECT_TRUE(builder.FileOpFailed);
    EXPECT_FALSE(std::filesystem::exists(out.Path() / "Start.exe"));
    EXPECT_FALSE(std::filesystem::exists(out.Path() / "Autorun.inf"));
}

TEST_F(BuilderFixture, OldExecutableThatCannotBeDeletedOrAnOverwriteDeclined) {
    Menu("Main.mng", 50, 7);
    // A folder in the executable's place cannot be deleted as a file.
    std::filesystem::create_directories(out.Path() / "Start.exe" / "inside");
    builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Main"}, "Main", menus.Folder());
    EXPECT_TRUE(builder.FileOpFailed);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Orvane Graphic Menu Editor could not create the destination EXE.\r\r"
                                       "Check that you do not have the autorun exe currently open and\r"
                                       "try again."});
    EXPECT_TRUE(std::filesystem::exists(out.Path() / "Start.exe" / "inside"));
    EXPECT_FALSE(std::filesystem::exists(out.Path() / "Autorun.inf"));

    // An output that appeared meanwhile: the question, and No keeps it.
    platform.Messages.clear();
    WriteFileReplacing(out.Path() / "Other.exe", std::vector<uint8_t>{'o', 'l', 'd'});
    builder.PackageFiles = {menus.Folder() + "Main.mng"};
    builder.FileOpFailed = false;
    platform.Answers = {MsgResult::No};
    builder.WriteMenuExecutable(out.Folder(), "Other.exe");
    EXPECT_TRUE(builder.FileOpFailed);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"File exists, do you wish to overwrite it?"});
    EXPECT_EQ(ReadWholeFile(out.Path() / "Other.exe"), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST_F(BuilderFixture, MenusAreFoundByTheirOwnNameAndNoTwoPackedAsOne) {
    // Listed and ticked as "Intro": packed under the file's own name.
    Menu("Intro.MNG", 30, 0x49);
    builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Intro"}, "Intro", menus.Folder());
    ASSERT_FALSE(builder.FileOpFailed) << ::testing::PrintToString(platform.MessageTexts());
    const AutorunPackage package = ReadAutorunPackage(ReadWholeFile(out.Path() / "Start.exe"));
    ASSERT_EQ(package.Files.size(), 1u);
    EXPECT_EQ(package.Files[0].Name, "Intro.MNG");

    // Names that become one on the disc, or that Windows-1252 cannot spell.
    TempFolder other;
    WriteFileReplacing(other.Path() / "a.mng", std::vector<uint8_t>(5, 2));
    for (const char* name : {"a.mng", "A.MNG", "\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.mng"}) Menu(name, 5, 1);
    const struct {
        const char* name;
        std::vector<std::string> files;
        const char* says;
    } cases[] = {
        {"the same name from two folders", {menus.Folder() + "a.mng", other.Folder() + "a.mng"}, "one name"},
        {"names that differ in case only", {menus.Folder() + "a.mng", menus.Folder() + "A.MNG"}, "one name"},
        {"a name Windows-1252 cannot spell", {menus.Folder() + "\xD0\xBC\xD0\xB5\xD0\xBD\xD1\x8E.mng"}, "cannot show"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform.Messages.clear();
        builder.PackageFiles = c.files;
        builder.FileOpFailed = false;
        builder.WriteMenuExecutable(out.Folder(), "Clash.exe");
        EXPECT_TRUE(builder.FileOpFailed);
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_NE(platform.Messages[0].Request.Text.find(c.says), std::string::npos) << platform.Messages[0].Request.Text;
        EXPECT_FALSE(std::filesystem::exists(out.Path() / "Clash.exe")) << "nothing is written";
    }
}

TEST_F(BuilderFixture, WarnsOfMenusLargerThanMostLaptopScreens) {
    const struct {
        int width, height;
        bool warned;
    } cases[] = {{1366, 728, false}, {1367, 728, true}, {1366, 729, true}, {300, 200, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        MenuOfSize("Main.mng", c.width, c.height);
        platform.Messages.clear();
        builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Main"}, "Main", menus.Folder());
        ASSERT_FALSE(builder.FileOpFailed) << ::testing::PrintToString(platform.MessageTexts());
        ASSERT_EQ(platform.Messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Warning);
        }
    }
    // One warning names the large menus, and only those.
    MenuOfSize("Photos.mng", 1828, 1219);
    MenuOfSize("Wide.mng", 2000, 700);
    platform.Messages.clear();
    builder.CompileAutorunApp(out.Folder() + "Start.exe", {"Main", "Photos", "Wide"}, "Main", menus.Folder());
    ASSERT_EQ(platform.MessageTexts().size(), 1u);
    EXPECT_EQ(platform.MessageTexts()[0].rfind("The menus \"Photos.mng\" (1828 x 1219 pixels) and \"Wide.mng\" "
                                               "(2000 x 700 pixels) are larger than 1366 x 728",
                                               0),
              0u)
        << platform.MessageTexts()[0];
}

TEST(AutorunWizard, PagesAndChecks) {
    TempFolder app, disc;
    WriteEditor(app);
    for (const char* name : {"A.mng", "B.mng", "C.mng"})
        WriteFileReplacing(disc.Path() / name, std::vector<uint8_t>(10, uint8_t(name[0])));
    ScriptedPlatform platform;
    AutorunBuilder builder(platform, app.Folder());
    TfrmEXEWizCls wizard(platform, builder, "B.mng", disc.Folder(), "/");
    EXPECT_EQ(wizard.NameField, disc.Folder() + "Autorun.exe");
    EXPECT_EQ(wizard.ListedFiles(), (std::vector<std::string>{"A.mng", "B.mng", "C.mng"}));

    wizard.Navigate("Command3001");
    ASSERT_EQ(wizard.Page, 2);
    ASSERT_EQ(wizard.ChkOptn.size(), 3u);
    EXPECT_EQ(wizard.ChkOptn[0].Caption, "B");
    EXPECT_TRUE(wizard.ChkOptn[0].Checked);
    EXPECT_EQ(wizard.ChkOptn[1].Caption, "A");
    EXPECT_EQ(wizard.ChkOptn[2].Caption, "C");
    EXPECT_EQ(wizard.ChkOptn[2].Name, "ChkOptn3");
    EXPECT_EQ(wizard.ForwardCaption, "N&ext >");

    wizard.ChkOptn[0].Checked = false;
    wizard.Navigate("Command3001");
    EXPECT_EQ(platform.MessageTexts().back(), "You must select your saved settings file.");
    EXPECT_EQ(wizard.Page, 2);

    wizard.ChkOptn[1].Checked = true;
    wizard.ChkOptn[2].Checked = true;
    wizard.Navigate("Command3001");
    ASSERT_EQ(wizard.RadOptn.size(), 2u);
    EXPECT_TRUE(wizard.RadOptn[0].Checked);
    wizard.ChooseRadio(1);
    wizard.Navigate("Command3001");
    EXPECT_EQ(wizard.Page, 4);
    EXPECT_FALSE(wizard.ForwardEnabled);
    const AutorunPackage package = ReadAutorunPackage(ReadWholeFile(disc.Path() / "Autorun.exe"));
    ASSERT_EQ(package.Files.size(), 2u);
    EXPECT_EQ(package.Files[0].Name, "C.mng");
    EXPECT_EQ(package.Files[1].Name, "A.mng");

    // A failed build stays on the third page.
    std::filesystem::remove(app.Path() / kEditorFileName);
    wizard.Navigate("Command3000");
    wizard.Navigate("Command3001");
    EXPECT_EQ(wizard.Page, 3);
    EXPECT_EQ(wizard.VisiblePage, 3);
    EXPECT_FALSE(wizard.ForwardEnabled);
}

TEST(AutorunWizard, NameRules) {
    TempFolder app, disc;
    WriteFileReplacing(disc.Path() / "Main.mng", std::vector<uint8_t>(4, 1));
    const std::string question8 =
        "For compatibility with all Microsoft\xC2\xAE Windows\xC2\xAE operating systems we recommend\r"
        "the application name is no longer than eight characters.\r\rWould you like to continue?";
    const std::string questionSpace =
        "For compatibility with all Microsoft\xC2\xAE Windows\xC2\xAE operating systems we recommend\r"
        "the application name does not contain spaces.\r\rWould you like to continue?";
    struct Case {
        std::string field;
        std::vector<std::string> questions;
        bool asksForFolder;
        std::string result;
    } cases[] = {
        {"Start", {}, true, disc.Folder() + "Start.exe"},
        {disc.Folder() + "MyDiscMenu.exe", {question8}, false, ""},
        {disc.Folder() + "Autorun.exe", {}, false, disc.Folder() + "Autorun.exe"},
        {disc.Folder() + "Ménüs-é.exe", {}, false, disc.Folder() + "Ménüs-é.exe"},  // 11 characters, 14 bytes
        {disc.Folder() + "My Menu.exe", {questionSpace}, false, ""},
        {"", {"You must specify a filename."}, false, ""},
    };
    {
        // No saved menu in the listed folder.
        TempFolder empty;
        ScriptedPlatform platform;
        AutorunBuilder builder(platform, app.Folder());
        TfrmEXEWizCls wizard(platform, builder, "New Menu", "", empty.Folder());
        wizard.NameField = empty.Folder() + "Autorun.exe";
        wizard.Navigate("Command3001");
        EXPECT_EQ(platform.MessageTexts(),
                  std::vector<std::string>{"No saved menus could be found.\r\rPlease open or save the menu you wish "
                                           "to use to create your autorun EXE"});
        EXPECT_EQ(wizard.Page, 1);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        ScriptedPlatform platform;
        platform.DefaultAnswer = MsgResult::No;
        platform.DialogAnswers = {disc.Path()};
        AutorunBuilder builder(platform, app.Folder());
        TfrmEXEWizCls wizard(platform, builder, "New Menu", "", disc.Folder());
        wizard.NameField = c.field;
        wizard.Navigate("Command3001");
        EXPECT_EQ(platform.MessageTexts(), c.questions);
        EXPECT_EQ(platform.FolderDialogs.size(), c.asksForFolder ? 1u : 0u);
        if (c.asksForFolder) {
            EXPECT_EQ(platform.FolderDialogs[0].Title, "Create Autorun EXE in...");
        }
        EXPECT_EQ(wizard.Page, c.result.empty() ? 1 : 2);
        if (!c.result.empty()) {
            EXPECT_EQ(wizard.NameField, c.result);
        }
    }

    {
        // A cancelled folder question ends the step, silently: nothing goes to the disk's root.
        ScriptedPlatform platform;
        platform.DialogAnswers = {std::nullopt};
        AutorunBuilder builder(platform, app.Folder());
        TfrmEXEWizCls wizard(platform, builder, "New Menu", "", disc.Folder());
        wizard.NameField = "Start";
        wizard.Navigate("Command3001");
        EXPECT_EQ(platform.FolderDialogs.size(), 1u);
        EXPECT_TRUE(platform.Messages.empty());
        EXPECT_EQ(wizard.Page, 1);
        EXPECT_EQ(wizard.NameField.find('/'), std::string::npos) << wizard.NameField;
    }

    // Browse to a menu file: its name with ".exe".
    ScriptedPlatform platform;
    platform.DialogAnswers = {disc.Path() / "Main.mng"};
    AutorunBuilder builder(platform, app.Folder());
    TfrmEXEWizCls wizard(platform, builder, "Main.mng", disc.Folder(), "/");
    wizard.Browse();
    EXPECT_EQ(PathFromUtf8(wizard.NameField), disc.Path() / "Main.exe");
    EXPECT_EQ(platform.FileDialogs[0].Filter, "Autorun Application (*.exe)|*.EXE");
}
