#include "player/CommandPlan.h"

#include <gtest/gtest.h>

#include <set>

namespace orvane::player {
namespace {

// An autorun package holding Main.mng and Extras.MNG.
AutorunPackage Packed() {
    AutorunPackage p;
    p.Files = {{"Main.mng", 0, 0}, {"Extras.MNG", 0, 0}};
    return p;
}

TEST(CommandPlan, EveryFormResolvesToItsAction) {
    const std::set<std::string> disc = {
        "G:\\Disc\\docs\\guide.pdf", "G:\\Disc\\setup.exe", "G:\\Disc\\Photos\\", "G:\\readme.txt",
        "G:\\Disc\\sub.mng",         "G:\\Disc\\docs\\",  "G:\\Disc\\",
    };
    const Whereabouts here{"G:\\Disc\\Autorun.exe", [&](const std::string& p) { return disc.count(p) > 0; }};
    const struct {
        const char* command;
        const char* argument;
        Action what;
        const char* target;
        const char* folder;
        const char* parameters;
    } cases[] = {
        {"", "", Action::Nothing, "", "", ""},
        {"*", "", Action::NoActionSound, "", "", ""},
        {"mailto:info@example.com?Subject=Hi there", "", Action::OpenAddress, "mailto:info@example.com?Subject=Hi there", "", ""},
        {"http://example.com/a", "", Action::OpenAddress, "http://example.com/a", "", ""},
        {"HTTPS://example.com", "", Action::OpenAddress, "HTTPS://example.com", "", ""},
        {"ftp://files.example.com", "", Action::OpenAddress, "ftp://files.example.com", "", ""},
        {"www.example.com", "", Action::OpenAddress, "http://www.example.com", "", ""},
        // Drive-less paths: beside the executable first, then at its drive's root.
        {"\\docs\\guide.pdf", "", Action::OpenPath, "G:\\Disc\\docs\\guide.pdf", "G:\\Disc\\docs", ""},
        {"docs\\guide.pdf", "", Action::OpenPath, "G:\\Disc\\docs\\guide.pdf", "G:\\Disc\\docs", ""},
        {"\\readme.txt", "", Action::OpenPath, "G:\\readme.txt", "G:\\", ""},
        {"\\setup.exe", "/S %CD%:\\log.txt", Action::OpenPath, "G:\\Disc\\setup.exe", "G:\\Disc", "/S G:\\log.txt"},
        {"setup.exe", "%cd%", Action::OpenPath, "G:\\Disc\\setup.exe", "G:\\Disc", "G"},
        {"\\Photos\\", "", Action::OpenFolder, "G:\\Disc\\Photos\\", "", ""},
        {"\\", "", Action::OpenFolder, "G:\\Disc\\", "", ""},
        // With a drive or a UNC path: as it stands.
        {"C:\\Windows\\notepad.exe", "x", Action::OpenPath, "C:\\Windows\\notepad.exe", "C:\\Windows", "x"},
        {"\\\\server\\share\\a.doc", "", Action::OpenPath, "\\\\server\\share\\a.doc", "\\\\server\\share", ""},
        {"%CD%:\\setup.exe", "", Action::OpenPath, "G:\\setup.exe", "G:\\", ""},
        // Sub-menus: the package first, without regard to case, then the disc.
        {"main.MNG", "", Action::PackedMenu, "Main.mng", "", ""},
        {"menus\\extras.mng", "", Action::PackedMenu, "Extras.MNG", "", ""},
        {"sub.mng", "", Action::MenuFile, "G:\\Disc\\sub.mng", "", ""},
        {"gone.mng", "", Action::MissingMenu, "gone.mng", "", ""},
        // Found nowhere: searched for on the other drives.
        {"\\video\\intro.avi", "", Action::Search, "\\video\\intro.avi", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        StoredButton b;
        b.Command = c.command;
        b.Argument = c.argument;
        const CommandPlan plan = PlanCommand(b, here, Packed());
        EXPECT_EQ(plan.What, c.what);
        EXPECT_EQ(plan.Target, c.target);
        EXPECT_EQ(plan.Folder, c.folder);
        EXPECT_EQ(plan.Parameters, c.parameters);
    }
}

TEST(CommandPlan, MessagesBreakAtThePilcrow) {
    StoredButton b;
    b.Command = "$Line one\u00b6Line two\u00b6";
    const Whereabouts here{"G:\\Autorun.exe", [](const std::string&) { return false; }};
    const CommandPlan plan = PlanCommand(b, here, {});
    EXPECT_EQ(plan.What, Action::Message);
    EXPECT_EQ(plan.Text, "Line one\r\nLine two\r\n");
}

TEST(CommandPlan, ASearchedTargetRunsFromWhereItWasFound) {
    StoredButton b;
    b.Command = "\\video\\intro.avi";
    b.Argument = "%CD%:\\x";
    b.MaximizeWindow = 1;
    const CommandPlan plan = PlanFound(b, "E:\\video\\intro.avi", "C:\\Copy\\Autorun.exe");
    EXPECT_EQ(plan.What, Action::OpenPath);
    EXPECT_EQ(plan.Folder, "E:\\video");
    EXPECT_EQ(plan.Parameters, "C:\\x");  // %CD% stays the menu's own drive
    EXPECT_TRUE(plan.Maximize);
}

TEST(CommandPlan, TheSearchTriesDiscsFirstAndNeverItsOwnDrive) {
    const std::vector<Drive> drives = {
        {'A', DriveKind::Removable}, {'C', DriveKind::Fixed}, {'D', DriveKind::Cd}, {'E', DriveKind::Removable},
        {'F', DriveKind::Cd},        {'N', DriveKind::Network}, {'R', DriveKind::Other},
    };
    EXPECT_EQ(SearchRoots(drives, "C:\\Menus\\Autorun.exe"),
              (std::vector<std::string>{"D:\\", "F:\\", "E:\\", "N:\\"}));
    EXPECT_EQ(SearchRoots(drives, "d:\\Autorun.exe"), (std::vector<std::string>{"F:\\", "E:\\", "C:\\", "N:\\"}));
}

TEST(CommandPlan, DriveRoots) {
    EXPECT_EQ(DriveRoot("G:\\Disc\\Autorun.exe"), "G:\\");
    EXPECT_EQ(DriveRoot("\\\\server\\share\\menu\\Autorun.exe"), "\\\\server\\share\\");
    EXPECT_EQ(DriveRoot("\\\\server"), "");
    EXPECT_EQ(ExpandDrive("%CD%", "\\\\server\\share\\Autorun.exe"), "%CD%");  // no drive letter to give
}

TEST(CommandPlan, AFailedOpenIsToldByItsCause) {
    const struct {
        Action what;
        intptr_t shell;     // SE_ERR_ code in hInstApp, 0 when the shell gave none
        uint32_t lastError;
        uint32_t told;
    } cases[] = {
        // The shell's answer wins over a last error left from something else.
        {Action::OpenPath, 31, kErrorFileNotFound, kErrorNoAssociation},
        {Action::OpenPath, 27, 0, kErrorNoAssociation},
        {Action::OpenPath, 5, 0, 5},
        {Action::OpenPath, 26, 0, 32},
        {Action::OpenPath, 0, 1223, 1223},
        {Action::OpenPath, 0, 0, kErrorFileNotFound},
        {Action::OpenAddress, 32, 0, 1157},
        // A missing folder is a missing path.
        {Action::OpenFolder, 2, 0, kErrorPathNotFound},
        {Action::OpenFolder, 0, kErrorFileNotFound, kErrorPathNotFound},
        {Action::OpenFolder, 5, 0, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.what) << ", " << c.shell << ", " << c.lastError);
        EXPECT_EQ(OpenFailure(c.what, c.shell, c.lastError), c.told);
    }
    CommandPlan folder;
    folder.Target = "\\photos\\";
    EXPECT_EQ(NotFoundAnywhere(folder), "The folder could not be found on this disc or on any other drive.");
    folder.Target = "\\photos\\a.jpg";
    EXPECT_EQ(NotFoundAnywhere(folder), "The file could not be found on this disc or on any other drive.");
}

}  // namespace
}  // namespace orvane::player
