#include "player/Launch.h"

#include <gtest/gtest.h>

namespace orvane::player {
namespace {

TEST(Launch, TheSearchTriesDiscsFirstAndNeverItsOwnDrive) {
    const std::vector<Drive> drives = {
        {'A', DriveKind::Removable}, {'C', DriveKind::Fixed}, {'D', DriveKind::Cd}, {'E', DriveKind::Removable},
        {'F', DriveKind::Cd},        {'N', DriveKind::Network}, {'R', DriveKind::Other},
    };
    EXPECT_EQ(SearchRoots(drives, "C:\\Menus\\Autorun.exe"),
              (std::vector<std::string>{"D:\\", "F:\\", "E:\\", "N:\\"}));
    EXPECT_EQ(SearchRoots(drives, "d:\\Autorun.exe"), (std::vector<std::string>{"F:\\", "E:\\", "C:\\", "N:\\"}));
}

TEST(Launch, AFailedOpenIsToldByItsCause) {
    const struct {
        CommandAction what;
        intptr_t shell;     // SE_ERR_ code in hInstApp, 0 when the shell gave none
        uint32_t lastError;
        uint32_t told;
    } cases[] = {
        // The shell's answer wins over a last error left from something else.
        {CommandAction::OpenPath, 31, kErrorFileNotFound, kErrorNoAssociation},
        {CommandAction::OpenPath, 27, 0, kErrorNoAssociation},
        {CommandAction::OpenPath, 5, 0, 5},
        {CommandAction::OpenPath, 26, 0, 32},
        {CommandAction::OpenPath, 0, 1223, 1223},
        {CommandAction::OpenPath, 0, 0, kErrorFileNotFound},
        {CommandAction::OpenAddress, 32, 0, 1157},
        // A missing folder is a missing path.
        {CommandAction::OpenFolder, 2, 0, kErrorPathNotFound},
        {CommandAction::OpenFolder, 0, kErrorFileNotFound, kErrorPathNotFound},
        {CommandAction::OpenFolder, 5, 0, 5},
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
