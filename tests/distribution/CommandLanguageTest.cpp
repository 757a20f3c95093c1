#include "distribution/CommandLanguage.h"
#include "distribution/CommandWizard.h"
#include "platform/ScriptedPlatform.h"

#include "FakePalette.h"

#include <gtest/gtest.h>

#include <set>

using namespace orvane;

namespace {

constexpr int kTyped = -1;  // typed into the palette's command field, no wizard

std::string Option(int code) { return "Option100" + std::to_string(code); }

// What the wizard leaves in the palette for a row's inputs.
FakePalette Written(int code, const std::string& typed, const std::string& subject, const char* browsed,
                    const std::string& argument) {
    FakePalette palette;
    palette.Argument = argument;
    if (code == kTyped) {
        palette.Command = typed;
        return palette;
    }
    ScriptedPlatform platform;
    TfrmBtnWizCls wizard(platform, palette, "/disc/");
    wizard.ChooseAction(Option(code));
    wizard.Target = wizard.Message = typed;
    wizard.Address = typed;
    wizard.Subject = subject;
    if (browsed) {
        platform.DialogAnswers = {std::filesystem::path(browsed)};
        wizard.Browse();
    }
    for (int presses = 0; wizard.Outcome == TfrmBtnWizCls::Result::Open && presses < 4; ++presses)
        wizard.Navigate("Command2001");
    EXPECT_EQ(wizard.Outcome, TfrmBtnWizCls::Result::Finished);
    return palette;
}

}  // namespace

// From what the user gives the wizard (or types as the command), through the
// command stored byte for byte, to what the player does with it on the disc:
// the menu's folder G:\Disc holds the player; Main.mng and Extras.MNG are
// packed in it.
TEST(CommandLanguage, FromTheWizardToThePlayer) {
    const std::set<std::string> disc = {
        "G:\\Disc\\",          "G:\\Disc\\docs\\",         "G:\\Disc\\docs\\read me.pdf", "G:\\Disc\\tools\\setup.exe",
        "G:\\Disc\\Photos\\",  "G:\\Disc\\Intro.mng",       "G:\\readme.txt",              "G:\\Disc\\setup.exe",
    };
    const Whereabouts here{"G:\\Disc\\Autorun.exe", [&](const std::string& p) { return disc.count(p) > 0; }};
    AutorunPackage package;
    package.Files = {{"Main.mng", 0, 0}, {"Extras.MNG", 0, 0}};

    using A = CommandAction;
    const struct {
        const char* name;
        int code;             // the wizard's action, or kTyped
        std::string typed;    // the target, address or message field; or the command typed
        std::string subject;
        const char* browsed;  // a file or folder chosen with "Browse..."
        std::string argument;
        std::string written;  // the stored command
        A what;
        std::string opens;  // the target, or a message's text
        std::string folder;
        std::string parameters;
    } cases[] = {
        // Documents and programs: beside the player first, then at its drive's root.
        {"document with spaces", 0, "\\docs\\read me.pdf", "", nullptr, "", "\\docs\\read me.pdf", A::OpenPath,
         "G:\\Disc\\docs\\read me.pdf", "G:\\Disc\\docs", ""},
        {"document browsed", 0, "", "", "/disc/docs/read me.pdf", "", "\\docs\\read me.pdf", A::OpenPath,
         "G:\\Disc\\docs\\read me.pdf", "G:\\Disc\\docs", ""},
        {"program on the disc, drive in its argument", 1, "\\tools\\setup.exe", "", nullptr, "/S %CD%:\\log.txt",
         "\\tools\\setup.exe", A::OpenPath, "G:\\Disc\\tools\\setup.exe", "G:\\Disc\\tools", "/S G:\\log.txt"},
        {"program browsed", 1, "", "", "/disc/tools/setup.exe", "-q", "\\tools\\setup.exe", A::OpenPath,
         "G:\\Disc\\tools\\setup.exe", "G:\\Disc\\tools", "-q"},
        {"program relative", 1, "tools\\setup.exe", "", nullptr, "%cd%", "tools\\setup.exe", A::OpenPath,
         "G:\\Disc\\tools\\setup.exe", "G:\\Disc\\tools", "G"},
        {"at the drive's root", 0, "\\readme.txt", "", nullptr, "", "\\readme.txt", A::OpenPath, "G:\\readme.txt",
         "G:\\", ""},
        {"absolute", 1, "C:\\Program Files\\App\\app.exe", "", nullptr, "x y", "C:\\Program Files\\App\\app.exe",
         A::OpenPath, "C:\\Program Files\\App\\app.exe", "C:\\Program Files\\App", "x y"},
        {"absolute in quotes, as Windows copies a path", 1, "\"C:\\Program Files\\App\\app.exe\"", "", nullptr, "",
         "\"C:\\Program Files\\App\\app.exe\"", A::OpenPath, "C:\\Program Files\\App\\app.exe",
         "C:\\Program Files\\App", ""},
        {"relative in quotes", 0, "\"\\docs\\read me.pdf\"", "", nullptr, "", "\"\\docs\\read me.pdf\"", A::OpenPath,
         "G:\\Disc\\docs\\read me.pdf", "G:\\Disc\\docs", ""},
        {"network path", 0, "\\\\server\\share\\a.doc", "", nullptr, "", "\\\\server\\share\\a.doc", A::OpenPath,
         "\\\\server\\share\\a.doc", "\\\\server\\share", ""},
        {"the drive in the command", kTyped, "%CD%:\\setup.exe", "", nullptr, "", "%CD%:\\setup.exe", A::OpenPath,
         "G:\\setup.exe", "G:\\", ""},
        {"not on the disc: searched for", 0, "\\video\\intro.avi", "", nullptr, "", "\\video\\intro.avi", A::Search,
         "\\video\\intro.avi", "", ""},
        // Folders.
        {"folder typed", 2, "Photos", "", nullptr, "", "Photos\\", A::OpenFolder, "G:\\Disc\\Photos\\", "", ""},
        {"folder browsed", 2, "", "", "/disc/Photos", "", "\\Photos\\", A::OpenFolder, "G:\\Disc\\Photos\\", "", ""},
        {"the disc's root", 2, "", "", "/disc", "", "\\", A::OpenFolder, "G:\\Disc\\", "", ""},
        // Addresses.
        {"web page", 3, "http://example.com/a b", "", nullptr, "", "http://example.com/a b", A::OpenAddress,
         "http://example.com/a b", "", ""},
        {"web page without a scheme", 3, " example.org/disc ", "", nullptr, "", "https://example.org/disc",
         A::OpenAddress, "https://example.org/disc", "", ""},
        {"web page with a port", 3, "example.org:8080/x", "", nullptr, "", "https://example.org:8080/x",
         A::OpenAddress, "https://example.org:8080/x", "", ""},
        {"another scheme", 3, "FTP://example.org/a", "", nullptr, "", "FTP://example.org/a", A::OpenAddress,
         "FTP://example.org/a", "", ""},
        {"a scheme without slashes", 3, "news:comp.lang.c", "", nullptr, "", "news:comp.lang.c", A::OpenAddress,
         "news:comp.lang.c", "", ""},
        {"an e-mail address as a site", 3, "info@example.org", "", nullptr, "", "mailto:info@example.org",
         A::OpenAddress, "mailto:info@example.org", "", ""},
        {"www typed as the command", kTyped, "www.example.com", "", nullptr, "", "www.example.com", A::OpenAddress,
         "http://www.example.com", "", ""},
        {"mail", 8, "info", "", nullptr, "", "mailto:info", A::OpenAddress, "mailto:info", "", ""},
        {"mail with a subject", 8, "info@x.org", "Hi \"you\" & co", nullptr, "",
         "mailto:info@x.org?Subject=Hi \"you\" & co", A::OpenAddress, "mailto:info@x.org?Subject=Hi \"you\" & co", "",
         ""},
        // Sub-menus: the package first, without regard to case, then the disc.
        {"sub-menu packed", 4, "main", "", nullptr, "", "main.mng", A::PackedMenu, "Main.mng", "", ""},
        {"sub-menu packed, typed with its extension", 4, "Extras.MNG", "", nullptr, "", "Extras.MNG", A::PackedMenu,
         "Extras.MNG", "", ""},
        {"sub-menu browsed", 4, "", "", "/disc/menus/extras.mng", "", "extras.mng", A::PackedMenu, "Extras.MNG", "",
         ""},
        {"sub-menu on the disc", 4, "Intro", "", nullptr, "", "Intro.mng", A::MenuFile, "G:\\Disc\\Intro.mng", "", ""},
        {"sub-menu in a folder", kTyped, "menus\\extras.mng", "", nullptr, "", "menus\\extras.mng", A::PackedMenu,
         "Extras.MNG", "", ""},
        {"sub-menu nowhere", 4, "gone", "", nullptr, "", "gone.mng", A::MissingMenu, "gone.mng", "", ""},
        // The rest.
        {"message", 5, "Line one\r\n\"Line two\"\r\n", "", nullptr, "", "$Line one\xC2\xB6\"Line two\"\xC2\xB6",
         A::Message, "Line one\r\n\"Line two\"\r\n", "", ""},
        {"no action with its sound", 6, "", "", nullptr, "", "*", A::NoActionSound, "", "", ""},
        {"no action", 7, "", "", nullptr, "", "", A::Nothing, "", "", ""},
        {"exit button", 9, "", "", nullptr, "arg", "", A::Nothing, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FakePalette palette = Written(c.code, c.typed, c.subject, c.browsed, c.argument);
        EXPECT_EQ(palette.Command, c.written);

        StoredButton button;
        button.Command = palette.Command;
        button.Argument = palette.Argument;
        const CommandPlan plan = PlanCommand(button, here, package);
        EXPECT_EQ(plan.What, c.what);
        EXPECT_EQ(plan.What == A::Message ? plan.Text : plan.Target, c.opens);
        EXPECT_EQ(plan.Folder, c.folder);
        EXPECT_EQ(plan.Parameters, c.parameters);
    }
}

TEST(CommandLanguage, DiscPaths) {
    const std::pair<std::string, std::string> paths[] = {
        {"D:\\Setup\\setup.exe", "\\Setup\\setup.exe"},
        {"E:\\Photos", "\\Photos"},
        {"/home/ann/disc/docs/a.pdf", "\\docs\\a.pdf"},
        {"/home/ann/elsewhere/b.pdf", "\\home\\ann\\elsewhere\\b.pdf"},
        {"/home/ann/discs/c.pdf", "\\home\\ann\\discs\\c.pdf"},  // a sibling folder with a longer name
    };
    for (const auto& [chosen, stored] : paths) EXPECT_EQ(DiscPath(chosen, "/home/ann/disc/"), stored) << chosen;
    EXPECT_FALSE(IsOnDisc("/home/ann/discs/c.pdf", "/home/ann/disc"));
    EXPECT_EQ(FolderCommand(""), "\\");
    EXPECT_EQ(SubMenuCommand(""), ".mng");
}

TEST(CommandLanguage, ASearchedTargetRunsFromWhereItWasFound) {
    StoredButton b;
    b.Command = "\\video\\intro.avi";
    b.Argument = "%CD%:\\x";
    b.MaximizeWindow = 1;
    const CommandPlan plan = PlanFound(b, "E:\\video\\intro.avi", "C:\\Copy\\Autorun.exe");
    EXPECT_EQ(plan.What, CommandAction::OpenPath);
    EXPECT_EQ(plan.Folder, "E:\\video");
    EXPECT_EQ(plan.Parameters, "C:\\x");  // %CD% stays the menu's own drive
    EXPECT_TRUE(plan.Maximize);
}

TEST(CommandLanguage, DriveRoots) {
    EXPECT_EQ(DriveRoot("G:\\Disc\\Autorun.exe"), "G:\\");
    EXPECT_EQ(DriveRoot("\\\\server\\share\\menu\\Autorun.exe"), "\\\\server\\share\\");
    EXPECT_EQ(DriveRoot("\\\\server"), "");
    EXPECT_EQ(ExpandDrive("%CD%", "\\\\server\\share\\Autorun.exe"), "%CD%");  // no drive letter to give
}
