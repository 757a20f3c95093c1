#include "DiscFolderFixture.h"

#include "platform/PathText.h"
#include "publish/DiscFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<Finding> Findings(const DiscFolderCheck& check) {
    std::vector<Finding> out;
    for (const DiscProblem& p : check.Problems) out.push_back(p.What);
    return out;
}

std::string AllText(const DiscFolderCheck& check) {
    std::string out;
    for (const DiscProblem& p : check.Problems) out += p.Text + "\n";
    return out;
}

struct FolderCase {
    const char* Name;
    std::function<void(DiscFolderFixture&)> Arrange;
    std::vector<Finding> Expected;
    bool Blocked;
    bool NeedsBuild;
    const char* Mentions;  // a piece of the problem's text
};

const FolderCase kFolderCases[] = {
    {"CurrentAutorun", [](DiscFolderFixture& f) { f.Standard(); }, {}, false, false, ""},
    {"MenuSavedAgainAfterTheBuild",
     [](DiscFolderFixture& f) {
         f.Standard();
         f.SaveMenu("Main.mng", "Another title", {{"&Close Menu", ""}});
         DiscFolderFixture::Shift(f.disc.Path() / "Autorun.exe", -60);
     },
     {Finding::StaleMenu}, true, true, "Main.mng was saved after Autorun.exe"},
    {"SameMenuWithANewerDate",
     [](DiscFolderFixture& f) {
         f.Standard();
         DiscFolderFixture::Shift(f.disc.Path() / "Main.mng", 60);
     },
     {}, false, false, ""},
    {"DifferentButOlderCopy",
     [](DiscFolderFixture& f) {
         f.Standard();
         f.SaveMenu("Main.mng", "Another title", {{"&Close Menu", ""}});
         DiscFolderFixture::Shift(f.disc.Path() / "Main.mng", -60);
     },
     {}, false, false, ""},
    {"NoAutorunInf",
     [](DiscFolderFixture& f) {
         f.Standard();
         fs::remove(f.disc.Path() / "Autorun.inf");
     },
     {Finding::NoAutorunInf}, true, true, "no Autorun.inf"},
    {"AutorunInfNamesAMissingProgram",
     [](DiscFolderFixture& f) {
         f.Standard();
         WriteText(f.disc.Path() / "Autorun.inf", "[autorun]\r\nopen=Start.exe\r\n");
     },
     {Finding::NoExecutable}, true, true, "Start.exe"},
    {"AutorunInfNamesAProgramInAFolder",
     [](DiscFolderFixture& f) {
         f.Standard();
         WriteText(f.disc.Path() / "Autorun.inf", "[autorun]\r\nopen=bin\\Autorun.exe\r\n");
     },
     {Finding::NotAtRoot}, true, true, "top level"},
    {"AutorunInfInOtherCase",
     [](DiscFolderFixture& f) {
         f.Standard();
         fs::rename(f.disc.Path() / "Autorun.inf", f.disc.Path() / "AUTORUN.INF");
         fs::rename(f.disc.Path() / "Autorun.exe", f.disc.Path() / "autorun.EXE");
     },
     {}, false, false, ""},
    {"ProgramWithoutMenus",
     [](DiscFolderFixture& f) {
         f.Standard();
         WriteText(f.disc.Path() / "Autorun.exe", "MZ not a menu player");
     },
     {Finding::NoPackage}, true, true, "holds no menus"},
    {"SubMenuNeitherPackedNorOnTheDisc",
     [](DiscFolderFixture& f) {
         f.SaveMenu("Main.mng", "Main", {{"&Extras", "Extras.mng"}, {"&Close Menu", ""}});
         f.Build({"Main"});
     },
     {Finding::MissingMenu}, true, true, "Extras.mng"},
    {"SubMenuOnTheDiscOnly",
     [](DiscFolderFixture& f) {
         f.SaveMenu("Main.mng", "Main", {{"&Extras", "Extras.mng"}, {"&Close Menu", ""}});
         f.Build({"Main"});
         f.SaveMenu("extras.MNG", "Extras", {{"&Close Menu", ""}});
     },
     {}, false, false, ""},
    {"DocumentNotOnTheDisc",
     [](DiscFolderFixture& f) {
         f.SaveMenu("Main.mng", "Main", {{"&Guide", "\\docs\\Guide.pdf"}, {"&Close Menu", ""}});
         f.Build({"Main"});
     },
     {Finding::MissingTarget}, false, false, "\\docs\\Guide.pdf"},
    {"DocumentOnTheDiscInOtherCase",
     [](DiscFolderFixture& f) {
         f.SaveMenu("Main.mng", "Main", {{"&Guide", "\\docs\\Guide.pdf"}, {"&Close Menu", ""}});
         f.Build({"Main"});
         WriteText(f.disc.Path() / "Docs" / "guide.PDF", "%PDF");
     },
     {}, false, false, ""},
    {"LargerThanACd",
     [](DiscFolderFixture& f) {
         f.Standard();
         std::ofstream(f.disc.Path() / "video.mp4").close();
         fs::resize_file(f.disc.Path() / "video.mp4", 800ull << 20);  // sparse: no disk used
     },
     {Finding::TooLarge}, false, false, "It needs a DVD"},
    {"LargerThanADvd",
     [](DiscFolderFixture& f) {
         f.Standard();
         std::ofstream(f.disc.Path() / "video.mp4").close();
         fs::resize_file(f.disc.Path() / "video.mp4", 5ull << 30);
     },
     {Finding::TooLarge}, false, false, "It needs a BD"},
};

class DiscFolderChecks : public ::testing::TestWithParam<FolderCase> {};

}  // namespace

TEST_P(DiscFolderChecks, FindWhatIsWrong) {
    const FolderCase& c = GetParam();
    DiscFolderFixture f;
    c.Arrange(f);
    const DiscFolderCheck check = CheckDiscFolder(f.disc.Path());
    EXPECT_EQ(Findings(check), c.Expected) << AllText(check);
    EXPECT_EQ(check.Blocked(), c.Blocked);
    EXPECT_EQ(check.NeedsBuild(), c.NeedsBuild);
    EXPECT_NE(AllText(check).find(c.Mentions), std::string::npos) << AllText(check);
}

INSTANTIATE_TEST_SUITE_P(Cases, DiscFolderChecks, ::testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// The editor keeps its menus in another folder than the disc's: the copy
// there is what the wizard packed, so that is the one to compare.
TEST(DiscFolderCheck, StaleMenuInTheMenuFolder) {
    DiscFolderFixture f;
    TempFolder menus;
    f.SaveMenu("Main.mng", "Main", {{"&Close Menu", ""}}, menus.Path());
    f.Build({"Main"}, menus.Path());
    EXPECT_TRUE(CheckDiscFolder(f.disc.Path(), {menus.Path()}).Problems.empty());
    f.SaveMenu("Main.mng", "Changed", {{"&Close Menu", ""}}, menus.Path());
    DiscFolderFixture::Shift(f.disc.Path() / "Autorun.exe", -60);
    EXPECT_EQ(Findings(CheckDiscFolder(f.disc.Path(), {menus.Path()})), std::vector<Finding>{Finding::StaleMenu});
}

TEST(DiscFolderCheck, TitleAndNamedExecutable) {
    DiscFolderFixture f;
    f.Standard();
    fs::remove(f.disc.Path() / "Autorun.inf");
    const DiscFolderCheck named = CheckDiscFolder(f.disc.Path(), {}, f.disc.Path() / "Autorun.exe");
    EXPECT_EQ(Findings(named), std::vector<Finding>{Finding::NoAutorunInf});
    EXPECT_FALSE(named.Blocked()) << "a named program needs no Autorun.inf";
    EXPECT_EQ(named.Title, "Summer Holiday 2026");
    TempFolder elsewhere;
    EXPECT_EQ(Findings(CheckDiscFolder(f.disc.Path(), {}, elsewhere.Path() / "Autorun.exe")),
              std::vector<Finding>{Finding::OutsideFolder});
}

TEST(AutorunInf, ProgramItOpens) {
    const std::pair<const char*, const char*> cases[] = {
        {"[autorun]\r\nopen=Autorun.exe\r\nicon=Autorun.exe\r\n", "Autorun.exe"},
        {"[AutoRun]\nOPEN = \"My Menu.exe\" /fast\n", "My Menu.exe"},
        {"; written by hand\n[autorun]\nopen=start.exe /fast\n", "start.exe"},
        {"[other]\nopen=a.exe\n[autorun]\nicon=x.ico\n", ""},
        {"open=a.exe\n", ""},
        {"", ""},
    };
    for (const auto& [text, program] : cases) EXPECT_EQ(AutorunInfProgram(text), program) << text;
}

TEST(VolumeLabel, FromTitles) {
    const std::pair<const char*, const char*> cases[] = {
        {"Summer Holiday 2026", "SUMMER_HOLIDAY_2026"},
        {"Caf\xC3\xA9 & Cr\xC3\xA8me \xE2\x80\x94 vol. 2", "CAFE_CREME_VOL_2"},
        {"  --Hello--  ", "HELLO"},
        {"\xE6\x97\xA5\xE6\x9C\xAC", ""},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ12345 6789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ12345"},
        {"abcdefghijklmnopqrstuvwxyz0123456789", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},
    };
    for (const auto& [title, label] : cases) EXPECT_EQ(VolumeLabelFrom(title), label) << title;

    DiscFolderCheck check;
    check.Title = "\xE6\x97\xA5";
    check.Folder = PathFromUtf8("/discs/My Disc");
    EXPECT_EQ(DefaultVolumeLabel(check), "MY_DISC");
    check.Folder = PathFromUtf8("/discs/\xE6\x97\xA5");
    EXPECT_EQ(DefaultVolumeLabel(check), "AUTORUN_DISC");
}
