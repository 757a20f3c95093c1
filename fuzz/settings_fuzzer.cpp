// The settings file the editor reads at start-up. Whatever it reads, it
// writes back as a file that reads as exactly the same settings, every line
// taken, whatever the defaults.
#include "FuzzSupport.h"

#include "app/Settings.h"

namespace {

const orvane::fuzz::Workspace& Space() {
    static const orvane::fuzz::Workspace workspace("settings");
    return workspace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    using namespace orvane::fuzz;
    const Workspace& space = Space();
    const auto path = space.Write("orvane-graphic.ini", {data, size});
    const Settings read = Guarded("ReadSettingsFile", [&] {
        return ReadSettingsFile(path, Settings::Defaults(space.AppFolder(), 1024, 768));
    });

    const auto again = space.In() / "again.ini";
    WriteSettingsFile(again, read);
    Settings other = Settings::Defaults("/elsewhere/", 640, 480);
    other.FastScaling = !read.FastScaling;
    other.OnePaletteMode = !read.OnePaletteMode;
    other.Line36 = !read.Line36;
    Check(Guarded("ReadSettingsFile", [&] { return ReadSettingsFile(again, other); }) == read,
          "settings written and read again differ");
    Check(Settings{}.FromText(read.ToText()) == 43, "written settings do not give all 43 lines");
    space.Reset();
    return 0;
}
