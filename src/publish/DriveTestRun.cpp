// The test run on Windows: Windows itself runs the autorun application, the
// disc folder a drive of its own as "subst" makes one, so paths without a
// drive and %CD% resolve as they will on the disc.
#include "publish/TestRun.h"

#include "platform/PathText.h"
#include "platform/Subprocess.h"
#include "platform/win32/FolderDrive.h"

#include <optional>

namespace orvane {
namespace fs = std::filesystem;

namespace {

class DriveTestRun : public TestRun {
public:
    ~DriveTestRun() override {
        if (!finished_) Finish();
    }

    bool Start(const fs::path& discFolder, const fs::path& executable, const std::function<bool()>&,
               std::string& error) override {
        disc_ = fs::absolute(discFolder).lexically_normal();
        if (!disc_.has_filename()) disc_ = disc_.parent_path();
        const fs::path relative = fs::absolute(executable).lexically_normal().lexically_relative(disc_);
        if (relative.empty() || *relative.begin() == "..") {
            error = PathForDisplay(executable) + " is not inside the disc folder.";
            return false;
        }
        before_ = Listing(disc_);
        finished_ = false;
        if (!Desktop.empty() && Status)
            Status("The menu runs on this screen: trying it at another screen size needs Linux and Wine.");

        fs::path root = disc_;
        std::string refused;
        if (Status) Status("Giving the disc folder a drive of its own...");
        if (drive_.Map(disc_, refused)) {
            root = PathFromUtf8(std::string(1, drive_.Letter()) + ":\\");
            // Some systems take the drive but do not show the folder through it.
            std::error_code ec;
            if (!fs::exists(root / relative, ec)) {
                refused = "its drive " + std::string(1, drive_.Letter()) + ": did not show the folder";
                drive_.Unmap();
                root = disc_;
            }
        }
        if (!drive_.Letter()) {
            note_ = "Windows gave the disc folder no drive of its own (" + refused +
                    "), so the menu runs from the folder itself: buttons that open files by a path without a "
                    "drive may find other files than on the disc.";
            if (Status) Status(note_);
        }
        windowsExe_ = PathForDisplay(root / relative);
        Subprocess::Program program;
        program.Command = {windowsExe_};
        program.Folder = root;
        if (Status) Status("Starting " + Utf8FromPath(relative) + "...");
        if (!menu_.Start(program, error)) return false;
        started_ = true;
        return true;
    }

    bool Running() override { return started_ && menu_.GroupRunning(); }

    void Stop() override {
        if (started_) menu_.Kill();
    }

    std::vector<std::string> Finish() override {
        if (finished_) return {};
        finished_ = true;
        Stop();
        drive_.Unmap();
        started_ = false;
        return RemoveAdded(disc_, before_);
    }

    char DriveLetter() const override { return drive_.Letter(); }
    std::string WindowsExecutable() const override { return windowsExe_; }
    std::string Launched() const override { return windowsExe_; }
    std::string RunningText() const override {
        const std::string close = " Close it (and whatever it opened) to end the test.";
        if (!drive_.Letter()) return "The menu is running from the disc folder itself. " + note_ + close;
        return "The menu is running from drive " + std::string(1, drive_.Letter()) +
               ":, the disc folder as a drive of its own, as from a disc." + close;
    }

private:
    fs::path disc_;
    std::set<std::string> before_;
    FolderDrive drive_;
    Subprocess menu_;
    std::string windowsExe_;
    std::string note_;
    bool started_ = false;
    bool finished_ = true;
};

}  // namespace

std::string TestRunDescription() {
    return "The menu runs with the disc folder as a drive of its own, so its buttons open files as they will "
           "from the disc.";
}

std::string TestRunUnavailable() { return {}; }

std::unique_ptr<TestRun> MakeTestRun(const fs::path&) { return std::make_unique<DriveTestRun>(); }

}  // namespace orvane
