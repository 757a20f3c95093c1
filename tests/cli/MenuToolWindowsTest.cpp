// orvane-menu.exe itself, started as Windows starts it (CreateProcessW), on a
// menu and a folder whose names the ANSI code page would spell otherwise.
#include "TempFolder.h"

#include "document/AutorunPackage.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/Subprocess.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int Code = -1;
    std::string Output;  // stdout and stderr
};

ToolRun Menu(const TempFolder& work, std::vector<std::string> args) {
    Subprocess::Program program;
    program.Command = {ExecutableFolder() + ORVANE_MENU_EXE};
    program.Command.insert(program.Command.end(), args.begin(), args.end());
    program.Output = work.Path() / "output.txt";
    std::error_code ec;
    fs::remove(program.Output, ec);
    std::string error;
    const std::optional<int> code = RunProgram(program, std::chrono::seconds(60), {}, error);
    const std::vector<uint8_t> text = ReadWholeFile(program.Output);
    return {code.value_or(-1), error + std::string(text.begin(), text.end())};
}

// The names the folder holds, as Windows spells them.
std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST(MenuToolOnWindows, NonAsciiNamesSurviveEveryCommand) {
    TempFolder work;
    const std::string folder = work.Folder() + "\xC3\x9C" "berraschung";  // Überraschung
    const std::string menu = folder + "\\Men\xC3\xBC \xE2\x82\xAC.mng";     // Menü €.mng
    const std::string title = "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC";        // Grüße €
    CreateFolders(PathFromUtf8(folder));

    ToolRun r = Menu(work, {"new", menu, "--title", title, "--button", "&Spa\xC3\x9F"});
    ASSERT_EQ(r.Code, 0) << r.Output;
    EXPECT_NE(r.Output.find("\xC3\x9C" "berraschung\\Men\xC3\xBC \xE2\x82\xAC.mng"), std::string::npos)
        << "it names the file it wrote: " << r.Output;
    EXPECT_EQ(Names(PathFromUtf8(folder)), std::vector<std::string>{"Men\xC3\xBC \xE2\x82\xAC.mng"});

    r = Menu(work, {"render", menu, "-o", folder + "\\Men\xC3\xBC \xE2\x82\xAC.png"});
    ASSERT_EQ(r.Code, 0) << r.Output;
    const DecodeResult picture = LoadPictureFile(PathFromUtf8(folder + "\\Men\xC3\xBC \xE2\x82\xAC.png"));
    ASSERT_TRUE(picture.Ok()) << picture.Error;
    EXPECT_GT(picture.Picture.Width(), 100);

    // Opened and saved again under a second name, then read back.
    const std::string copy = folder + "\\Men\xC3\xBC \xE2\x82\xAC 2.mng";
    r = Menu(work, {"resave", menu, copy});
    ASSERT_EQ(r.Code, 0) << r.Output;
    r = Menu(work, {"export", copy});
    ASSERT_EQ(r.Code, 0) << r.Output;
    EXPECT_NE(r.Output.find("\"Title\": \"" + title + "\""), std::string::npos) << r.Output;

    const std::string autorun = folder + "\\Autorun.exe";
    r = Menu(work, {"build-autorun", autorun, menu});
    ASSERT_EQ(r.Code, 0) << r.Output;
    const std::vector<uint8_t> exe = ReadWholeFile(PathFromUtf8(autorun));
    const AutorunPackage package = ReadAutorunPackage(exe);
    ASSERT_EQ(package.Error, "");
    ASSERT_EQ(package.Files.size(), 1u);
    EXPECT_EQ(package.Files[0].Name, "Men\xC3\xBC \xE2\x82\xAC.mng");
    EXPECT_EQ(std::string(exe.begin(), exe.begin() + 2), "MZ") << "the player carried as the program's resource";

    const std::string unpacked = folder + "\\Ausgepackt";
    r = Menu(work, {"unpack", autorun, unpacked});
    ASSERT_EQ(r.Code, 0) << r.Output;
    EXPECT_EQ(ReadWholeFile(PathFromUtf8(unpacked + "\\Men\xC3\xBC \xE2\x82\xAC.mng")),
              ReadWholeFile(PathFromUtf8(menu)));
}

TEST(MenuToolOnWindows, DiscImagesAndBurningSayHowWindowsDoesThem) {
    TempFolder work;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"build-iso", work.Folder(), "x.iso"},
                                                 std::vector<std::string>{"drives"},
                                                 std::vector<std::string>{"burn", "x.iso"}}) {
        SCOPED_TRACE(args[0]);
        const ToolRun r = Menu(work, args);
        EXPECT_EQ(r.Code, 1);
        EXPECT_EQ(std::count(r.Output.begin(), r.Output.end(), '\n'), 1) << "one line: " << r.Output;
        EXPECT_NE(r.Output.find("Linux features"), std::string::npos) << r.Output;
        EXPECT_NE(r.Output.find("Burn disc image"), std::string::npos) << r.Output;
    }
}
