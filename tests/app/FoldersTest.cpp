// Where the editor keeps its files: beside itself in a folder it may write
// (portable), in the user's folders when installed.
#include "StyleFiles.h"
#include "TempFolder.h"

#include "app/AppFolders.h"
#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

// A scratch install tree (prefix/bin, prefix/share/orvane-graphic) and a home.
struct Tree {
    TempFolder root;
    std::string bin = root.Folder() + "usr/bin/";
    std::string share = root.Folder() + "usr/share/orvane-graphic/";
    FolderEnvironment env;

    Tree() {
        fs::create_directories(bin);
        fs::create_directories(share + "help");
        const std::string home = root.Folder() + "home/ann";
        fs::create_directories(home + "/Documents");
        env.Home = home;
        env.ConfigHome = home + "/.config";
        env.DataHome = home + "/.local/share";
        env.CacheHome = home + "/.cache";
        env.RuntimeDir = root.Folder() + "run";
        env.Documents = home + "/Documents";
        fs::create_directories(env.RuntimeDir);
    }
    std::set<std::string> FilesUnder(const std::string& folder) const {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder)) files.insert(entry.path().string());
        return files;
    }
};

}  // namespace

TEST(Folders, TheLayoutIsDecidedByTheProgramsFolder) {
    Tree t;
    const AppFolders installed = AppFolders::Decide(t.bin, t.env);
    EXPECT_FALSE(installed.Portable) << "an install tree takes no settings file of its own";
    EXPECT_EQ(installed.Program, t.bin);
    EXPECT_EQ(installed.SettingsFile, t.env.ConfigHome + "/orvane-graphic/orvane-graphic.ini");
    EXPECT_EQ(installed.UserStyles, t.env.DataHome + "/orvane-graphic/styles/");
    EXPECT_EQ(installed.UserButtons, t.env.DataHome + "/orvane-graphic/buttons/");
    // Compared as paths: on Windows the normalised folder has "\" where this one has "/".
    EXPECT_EQ(PathFromUtf8(installed.BuiltinStyles), PathFromUtf8(t.share + "styles/"));
    EXPECT_EQ(PathFromUtf8(installed.Help), PathFromUtf8(t.share + "help/"));
    EXPECT_EQ(installed.Undo.rfind(t.env.RuntimeDir + "/orvane-graphic/undo-", 0), 0u);
    EXPECT_EQ(installed.Documents, t.env.Documents + "/");

    // Without a documents folder the first menu folder is the home folder.
    FolderEnvironment bare = t.env;
    bare.Documents.clear();
    EXPECT_EQ(AppFolders::Decide(t.bin, bare).Documents, t.env.Home + "/");

    // A settings file beside the program makes even an install tree portable.
    WriteFileReplacing(t.bin + "orvane-graphic.ini", std::vector<uint8_t>{});
    const AppFolders chosen = AppFolders::Decide(t.bin, t.env);
    EXPECT_TRUE(chosen.Portable);
    EXPECT_EQ(chosen.SettingsFile, t.bin + "orvane-graphic.ini");

    // A build folder, which no share folder stands beside: portable.
    TempFolder build;
    const AppFolders portable = AppFolders::Decide(build.Folder(), t.env);
    EXPECT_TRUE(portable.Portable);
    EXPECT_EQ(portable.UserStyles, build.Folder() + "styles/");
    EXPECT_EQ(portable.Help, build.Folder() + "help/");
    EXPECT_EQ(portable.Undo, build.Folder());
    EXPECT_TRUE(portable.BuiltinStyles.empty());
}

TEST(Folders, OnWindowsProgramFilesMeansInstalled) {
    TempFolder root;
    const std::string base = root.Folder();
    FolderEnvironment env;
    env.Windows = WindowsFolders{base + "Roaming", base + "Local", base + "Documents", {base + "Program Files"}};
    const std::string installedProgram = base + "PROGRAM FILES/Orvane Graphic/";  // Windows ignores the case
    const std::string copiedProgram = base + "Program Files (x86) copy/";
    for (const std::string& folder : {installedProgram, copiedProgram}) fs::create_directories(PathFromUtf8(folder));

    const AppFolders installed = AppFolders::Decide(installedProgram, env);
    EXPECT_FALSE(installed.Portable) << "below Program Files, though the folder takes files here";
    EXPECT_EQ(installed.SettingsFile, base + "Roaming/Orvane Graphic/orvane-graphic.ini");
    EXPECT_EQ(installed.UserStyles, base + "Roaming/Orvane Graphic/styles/");
    EXPECT_EQ(installed.UserButtons, base + "Roaming/Orvane Graphic/buttons/");
    EXPECT_EQ(installed.Undo, base + "Local/Orvane Graphic/undo-" + std::to_string(CurrentProcessId()) + "/");
    EXPECT_EQ(installed.BuiltinStyles, installedProgram + "styles/");
    EXPECT_EQ(installed.Help, installedProgram + "help/");
    EXPECT_EQ(installed.Documents, base + "Documents/");

    // A folder merely named like Program Files, which takes files: portable.
    const AppFolders portable = AppFolders::Decide(copiedProgram, env);
    EXPECT_TRUE(portable.Portable);
    EXPECT_EQ(portable.SettingsFile, copiedProgram + "orvane-graphic.ini");
    for (const auto& entry : fs::recursive_directory_iterator(root.Path()))
        EXPECT_FALSE(entry.is_regular_file()) << "deciding leaves nothing behind: " << entry.path();
}

TEST(Folders, AnInstalledEditorWritesOnlyInTheUsersFolders) {
    Tree t;
    // A built-in style shipped with the program, and a file the user opens from elsewhere.
    fs::create_directories(t.share + "styles");
    WriteStyleFile(t.share + "styles/Shipped.ovgsty", StyleFileMagic(), "Shipped", "");
    TempFolder downloads;
    WriteStyleFile(downloads.Path() / "Sunny.ovgsty", StyleFileMagic(), "Sunny", "");
    const auto before = t.FilesUnder(t.root.Folder() + "usr");

    ScriptedPlatform platform;
    platform.Answers = {MsgResult::Yes};  // keep the opened style
    {
        EditorModel model(platform, AppFolders::Decide(t.bin, t.env));
        model.Session().Start();
        EXPECT_EQ(model.Files().Folder(), t.env.Documents + "/");
        model.Session().DeferredStart({(downloads.Path() / "Sunny.ovgsty").string()});
        EXPECT_EQ(model.Styles().At(18).Name, "Shipped") << "the installed styles are read";
        EXPECT_EQ(model.Styles().At(model.Styles().Count() - 1).Name, "Sunny");
        EXPECT_TRUE(fs::exists(t.env.DataHome + "/orvane-graphic/styles/Sunny.ovgsty")) << "installed in the user's folder";
        model.Buttons().Add();
        EXPECT_EQ(model.Doc().Menu.UndoCount, 1);
        EXPECT_EQ(fs::path(model.Undo().Folder()).parent_path().parent_path(), fs::path(t.env.RuntimeDir) / "orvane-graphic");
        model.Session().Shutdown();
        EXPECT_FALSE(fs::exists(model.Undo().Folder())) << "the undo folder goes with the editor";
    }
    EXPECT_TRUE(fs::exists(t.env.ConfigHome + "/orvane-graphic/orvane-graphic.ini"));
    EXPECT_EQ(t.FilesUnder(t.root.Folder() + "usr"), before) << "nothing is written under the install prefix";
}

TEST(Folders, TheCommandLineOpensWhatItCan) {
    TempFolder app, files;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    std::vector<std::string> said;
    model.Session().Report = [&](const std::string& text) { said.push_back(text); };
    model.Session().Start();
    // A menu style, a button style, two menus and a damaged file.
    WriteStyleFile(files.Path() / "Sunny.ovgsty", StyleFileMagic(), "Sunny", "");
    {
        EditorModel maker(platform, app.Path());
        maker.StartNewMenu();
        EditorModelAccess::Doc(maker).Props.Title = "First";
        ASSERT_TRUE(maker.BinMenuSave(SaveMode::Menu, files.Folder(), "first.mng"));
        EditorModelAccess::Doc(maker).Props.Title = "Second";
        ASSERT_TRUE(maker.BinMenuSave(SaveMode::Menu, files.Folder(), "second.mng"));
        ButtonStyleFile style;
        style.Name = "Pebble";
        style.Strip = Bitmap(96, 32, 0x808080);
        style.MaskStrip = Bitmap(96, 32, 0xFFFFFF);
        RecordFile file(platform);
        ASSERT_TRUE(file.OpenRecordFile("pebble.ovgbtn", files.Folder(), true, false));
        WriteButtonStyleRecords(file, style);
        file.CloseRecordFile();
    }
    WriteFileReplacing(files.Path() / "broken.mng", std::vector<uint8_t>{'M', 'E', 'N', 'U'});
    platform.Answers = {MsgResult::No};  // the style is used, not kept
    platform.Messages.clear();
    model.Session().DeferredStart({(files.Path() / "Sunny.ovgsty").string(), (files.Path() / "pebble.ovgbtn").string(),
                         (files.Path() / "broken.mng").string(), (files.Path() / "first.mng").string(),
                         (files.Path() / "second.mng").string()});
    EXPECT_EQ(model.Doc().Props.Title, "First") << "the first menu opens";
    EXPECT_EQ(model.Styles().At(model.Styles().Count() - 1).Name, "Sunny");
    EXPECT_TRUE(fs::exists(model.ButtonsFolder() + "pebble.ovgbtn"));
    EXPECT_EQ(model.ButtonStyles().Entries[1], "Pebble");
    ASSERT_EQ(said.size(), 2u);
    EXPECT_NE(said[0].find("broken.mng: Menu file could not be read."), std::string::npos) << said[0];
    EXPECT_NE(said[1].find("second.mng: one menu is open at a time"), std::string::npos) << said[1];
}
