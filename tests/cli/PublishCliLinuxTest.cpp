#include "CliRun.h"
#include "DiscFolderFixture.h"

#include "cli/CliCommands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace orvane;
namespace fs = std::filesystem;


TEST(PublishCli, BuildIsoAndBurn) {
    DiscFolderFixture f;
    f.Standard();
    TempFolder work, bare;
    const std::string disc = f.disc.Path().string(), iso = (work.Path() / "disc.iso").string();
    struct Case {
        std::vector<std::string> Args;
        int Code;
        const char* Says;
    };
    const Case cases[] = {
        {{"build-iso", disc}, 2, "usage"},
        {{"build-iso", (work.Path() / "none").string(), iso}, 1, "does not exist"},
        {{"build-iso", bare.Path().string(), iso}, 1, "no Autorun.inf"},
        {{"build-iso", disc, (f.disc.Path() / "disc.iso").string()}, 1, "inside the disc folder"},
        {{"build-iso", disc, iso, "--label", "!!"}, 2, "--label"},
        {{"build-iso", disc, iso, "--label", "my disc"}, 0, "the label is MY_DISC"},
        {{"build-iso", disc, iso}, 1, "--force"},
        {{"build-iso", disc, iso, "--force"}, 0, ""},
        {{"burn", (work.Path() / "none.iso").string(), "--drive", "stdio:/dev/null"}, 1, "no such image"},
        {{"burn", iso, "--drive", "stdio:" + (work.Path() / "burned.img").string()}, 0, ""},
        {{"test-autorun", bare.Path().string()}, 1, "no Autorun.inf"},
    };
    for (const Case& c : cases) {
        const CliRun o = Cli(c.Args);
        EXPECT_EQ(o.code, c.Code) << c.Args[0] << " " << c.Args[1] << "\n" << o.err;
        EXPECT_NE((o.err + o.out).find(c.Says), std::string::npos) << o.err;
    }
    EXPECT_FALSE(fs::exists(f.disc.Path() / "disc.iso"));
    EXPECT_TRUE(ReadWholeFile(work.Path() / "burned.img") == ReadWholeFile(iso));
}
