// An autorun application: the package at its end as `orvane-menu info` and
// `orvane-menu unpack` read it, and as the player reads it in its test mode,
// every packed menu loaded and the report written. Unpacking writes exactly
// the packed files, each into the folder it was given and nowhere else.
#include "FuzzSupport.h"
#include "FuzzTool.h"

#include "player/Placement.h"
#include "player/SelfTest.h"
#include "player/ShownMenu.h"
#include "document/AutorunPackage.h"
#include "platform/Cp1252.h"
#include "platform/FileUtil.h"

#include <algorithm>
#include <deque>

namespace {

using namespace orvane;
using namespace orvane::fuzz;
namespace fs = std::filesystem;

const Workspace& Space() {
    static const Workspace workspace("autorun");
    return workspace;
}

void CheckPackage(const AutorunPackage& package, std::span<const uint8_t> data) {
    Check(!package.Files.empty() && package.Files.size() <= kMaxPackageFiles, "the package's file count");
    size_t end = data.size() - 4;
    for (size_t k = package.Files.size(); k-- > 0;) {
        const PackagedFile& f = package.Files[k];
        Check(size_t(f.Offset) + f.Size == end, "the packed files do not lie back to back up to the trailer");
        end = f.Offset;
        Check(UnusableFileName(f.Name).empty(), "a packed name is unusable: " + f.Name);
        for (size_t j = 0; j < k; ++j)
            Check(!SameWindowsName(package.Files[j].Name, f.Name), "a name is packed twice: " + f.Name);
    }
    Check(end > package.PlayerSize, "the packed files overlap the package head");
}

// Runs unpack into in/a/b/out, so that a name leading out of the folder
// would be seen among the workspace's new files.
void CheckUnpack(const Workspace& space, const fs::path& exe, const AutorunPackage& package,
                 std::span<const uint8_t> data) {
    const fs::path out = space.In() / "a" / "b" / "out";
    for (const PackagedFile& f : package.Files)
        Check((out / f.Name).lexically_normal().parent_path() == out, "a packed name leads out of the folder: " + f.Name);
    const ToolRun unpack = Guarded("orvane-menu unpack", [&] { return RunTool({"unpack", exe.string(), out.string()}); });
    if (package.Ok()) {
        // A name too long for this file system is the one refusal left.
        Check(unpack.Status == 0 || unpack.Err.find("orvane-menu: Cannot") != std::string::npos,
              "orvane-menu unpack refuses a sound package: " + unpack.Err);
    } else {
        Check(unpack.Status == 1, "orvane-menu unpack takes a package the reader refuses");
    }
    std::vector<fs::path> allowed = {"in/Autorun.exe", "in/a", "in/a/b", "in/a/b/out"};
    for (const PackagedFile& f : package.Files) allowed.push_back(fs::path("in/a/b/out") / f.Name);
    for (const fs::path& written : space.NewFiles())
        Check(std::find(allowed.begin(), allowed.end(), written) != allowed.end(),
              "orvane-menu unpack wrote " + written.string());
    if (unpack.Status != 0) return;
    for (const PackagedFile& f : package.Files) {
        const std::vector<uint8_t> bytes = ReadWholeFile(out / f.Name);
        const auto packed = PackedBytes(data, f);
        Check(std::equal(bytes.begin(), bytes.end(), packed.begin(), packed.end()),
              "an unpacked file differs from what was packed: " + f.Name);
    }
}

// What the player's test mode does with the package.
void CheckPlayer(const AutorunPackage& package, std::span<const uint8_t> data) {
    const Rect work{0, 0, 1920, 1040};
    std::deque<player::ShownMenu> loaded;
    std::vector<player::SelfTestMenu> report;
    std::string error = package.Ok() ? std::string() : player::DamagedPackageMessage(package.Error);
    for (const PackagedFile& file : package.Files) {
        player::MenuLoad load = Guarded("ReadPackagedMenu", [&] { return player::ReadPackagedMenu(data, file); });
        player::SelfTestMenu entry;
        entry.FileName = file.Name;
        if (load.Menu) {
            loaded.push_back(std::move(*load.Menu));
            const player::ShownMenu& menu = loaded.back();
            Check(menu.Width() > 0 && menu.Height() > 0, "the player loaded a menu without a picture");
            entry.Menu = &menu;
            entry.View = player::ViewMenu(192, menu.Width(), menu.Height(), work, 34, 34);
            entry.Place = player::PlaceWindow(menu.Stored.Position, work, entry.View.WindowWidth, entry.View.WindowHeight);
        } else {
            entry.Error = load.Error;
            if (error.empty()) error = player::DamagedMenuMessage(file.Name, load.Error);
        }
        report.push_back(std::move(entry));
    }
    const std::string json = Guarded("SelfTestJson", [&] { return SelfTestJson(package, report, work, 192, {}, error); });
    Check(ParsesAsJson(json), "the player's report does not parse as JSON");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Workspace& space = Space();
    const std::span<const uint8_t> bytes(data, size);
    const fs::path exe = space.Write("Autorun.exe", bytes);

    const AutorunPackage package = Guarded("ReadAutorunPackage", [&] { return ReadAutorunPackage(bytes); });
    if (package.Ok()) CheckPackage(package, bytes);

    const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", exe.string()}); });
    if (info.Status == 0) Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");

    CheckUnpack(space, exe, package, bytes);
    CheckPlayer(package, bytes);
    space.Reset();
    return 0;
}
