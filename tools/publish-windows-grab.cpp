// Saves PNG pictures of the Test Autorun, Create Disc Image and Burn Disc
// windows over a disc folder made here (a menu and its autorun application
// built with this build's player), for the help pages:
//   publish-windows-grab [outdir] -platform offscreen
#include "app/EditorModel.h"
#include "app/Publish.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/PublishDialogs.h"

#include "SaveGrab.h"
#include "EditorModelAccess.h"

#include <QApplication>
#include <QDir>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// How a reader's own disc folder looks in the pictures, not the temporary one.
const std::string kShownFolder = "/home/anna/Discs/Summer Holiday";

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("window-grabs");
    QDir().mkpath(folder);

    const fs::path work = fs::temp_directory_path() / ("orvane-publish-grab-" + std::to_string(::getpid()));
    const fs::path disc = work / "Summer Holiday";
    fs::create_directories(disc / "docs");
    std::ofstream(disc / "docs" / "programme.txt") << "Day 1: the beach\r\n";
    bool ok = true;
    {
        orvane::ScriptedPlatform platform;
        orvane::EditorModel model(platform, work);
        model.StartNewMenu();
        orvane::EditorModelAccess::Doc(model).Props.Title = "Summer Holiday 2026";
        orvane::EditorModelAccess::Doc(model).Menu.Buttons[1].Command = "docs\\programme.txt";
        orvane::EditorModelAccess::Doc(model).Menu.FileName = "Holiday.mng";
        orvane::EditorModelAccess::Doc(model).Menu.Folder = disc.string() + "/";
        model.BinMenuSave(orvane::SaveMode::Snapshot, model.Doc().Menu.Folder, "Holiday.mng");
        orvane::AutorunBuilder builder(platform, orvane::ExecutableFolder());
        builder.CompileAutorunApp((disc / "Autorun.exe").string(), {"Holiday"}, "Holiday", disc.string());
        if (builder.FileOpFailed) {
            std::fprintf(stderr, "publish-windows-grab: the autorun application could not be built (a build "
                                 "without the player?)\n");
            return 1;
        }
        orvane::EditorModelAccess::Flags(model).Modified = false;
        auto none = [] {};

        orvane::TestRunModel run(model, disc.string());
        run.Recheck();
        run.Folder = kShownFolder;
        orvane::TestAutorunDialog test(run, none);
        ok &= SaveGrab(test, folder, "publish-test-autorun");

        orvane::DiscImageModel image(model, disc.string());
        image.Recheck();
        image.Folder = kShownFolder;
        image.Target = "/home/anna/Discs/Summer Holiday.iso";
        orvane::DiscImageDialog imaging(image, none);
        ok &= SaveGrab(imaging, folder, "publish-disc-image");

        orvane::BurnModel burn(model, disc.string());
        burn.Recheck();
        burn.Folder = kShownFolder;
        burn.Drives = {{"/dev/sr0", "DVD writer"}};
        burn.Selected = 0;
        burn.Medium = {orvane::DiscState::Blank, "DVD+R", orvane::kDiscKinds[1].Bytes};
        burn.MediumText = orvane::DescribeMedium(burn.Medium);
        orvane::BurnDialog burning(burn, none);
        ok &= SaveGrab(burning, folder, "publish-burn-disc");
    }
    std::error_code ec;
    fs::remove_all(work, ec);
    return ok ? 0 : 1;
}
