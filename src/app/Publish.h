#pragma once

#include "platform/Platform.h"
#include "publish/DiscBurner.h"
#include "publish/DiscFolder.h"
#include "publish/DiscImage.h"
#include "publish/TestRun.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

class EditorModel;
class TfrmEXEWizCls;

// What the three publishing windows (Test Autorun, Create Disc Image, Burn
// Disc) share: the disc folder, its checks, and the offer to build the
// autorun application first when it is missing or out of date.
class DiscFolderModel {
public:
    // folder: the disc folder to start with; empty takes the open menu's.
    DiscFolderModel(EditorModel& editor, std::string folder);
    virtual ~DiscFolderModel() = default;

    std::string Folder;
    DiscFolderCheck Check;
    Platform& Desktop() { return platform_; }

    // Offers to save a changed menu first (the disc holds the saved copy);
    // false when the user cancelled.
    bool SaveFirst();
    // Checks the folder again.
    void Recheck();
    // Takes another disc folder and checks it.
    void SetFolder(const std::string& folder);
    // Lets the user pick another disc folder, then checks it.
    bool BrowseFolder();

    // When the autorun application is missing or out of date, asks whether
    // to build it now; true when the user wants the autorun wizard. Other
    // problems are the window's to show.
    bool OfferBuild();

    // Before the window opens: the save question, the check, and the offer
    // to build (rebuild runs the autorun wizard). False when cancelled.
    bool Prepare(const std::function<void()>& rebuild);
    // The autorun wizard over the editor; once it has built, its folder is
    // the disc folder. show runs the wizard's window.
    void Rebuild(const std::function<void(TfrmEXEWizCls&)>& show);

    // What the check found, a paragraph each: "Ready: ..." or the problems.
    std::vector<std::string> Findings() const;

protected:
    // The warnings, asked of the user before the real work: true to go on.
    bool AcceptWarnings(const std::string& action);
    virtual void Checked() {}

    EditorModel& editor_;
    Platform& platform_;
};

// "Test Autorun...": the autorun application run as from its disc (under
// Wine on Linux, by Windows itself there).
class TestRunModel : public DiscFolderModel {
public:
    TestRunModel(EditorModel& editor, std::string folder, std::filesystem::path cacheBase = UserCacheFolder());

    // Why a test run cannot start on this computer (Wine is missing), or empty.
    std::string Unavailable;
    // The screens the menu can be tried on: the whole desktop, or a window
    // the size of a smaller screen.
    static const std::vector<std::string> kScreens;
    // A screen as the list names it: "800 x 600 pixels, in a window".
    static std::string ScreenName(const std::string& screen);
    std::string Screen;  // one of kScreens; empty: the whole desktop
    void SetScreen(const std::string& screen) { Screen = screen; }
    std::string StatusText;  // how the run goes; before it, how it will run or why it cannot
    std::vector<std::string> Removed;  // files the run left in the disc folder, removed

    // Starts the run (after the Unavailable message when it cannot); false
    // when it did not start, after its message.
    bool Start(const std::function<bool()>& tick);
    bool Running();
    // Ends the menu and every program it started.
    void Stop();
    // Takes the drive away and tidies the disc folder once the run is over.
    void Finish();
    bool Started() const { return run_ != nullptr; }

private:
    std::filesystem::path cacheBase_;
    std::unique_ptr<TestRun> run_;
};

// "Create Disc Image...": an ISO image of the disc folder.
class DiscImageModel : public DiscFolderModel {
public:
    DiscImageModel(EditorModel& editor, std::string folder);

    std::string Label;   // always a valid volume label
    std::string Target;  // the image file; beside the disc folder unless chosen
    // Takes what the user typed, reduced to what a label allows; empty text
    // gives the default label back.
    void SetLabel(const std::string& text);
    void SetTarget(const std::string& path) { Target = path; }
    bool BrowseTarget();
    // Asks about the warnings and an existing file, writes the image and
    // says how it went. True when the image was written. The progress is
    // reported only once every question has been answered, and workEnded runs
    // before the outcome is told, so a window showing it can go first.
    bool Write(const ImageProgress& progress, const std::function<void()>& workEnded = {});
    ImageResult Result;

private:
    void Checked() override;
};

// "Burn Disc...": the disc folder, made into an image for the purpose, written
// to a blank disc and read back to compare.
class BurnModel : public DiscFolderModel {
public:
    BurnModel(EditorModel& editor, std::string folder, std::filesystem::path cacheBase = UserCacheFolder());

    std::vector<BurnDrive> Drives;
    int Selected = -1;
    MediumInfo Medium;
    std::string MediumText;  // what is in the selected drive, in words
    std::string Label;       // the disc's volume label
    // The label typed, made valid; none typed takes the folder's default.
    void SetLabel(const std::string& text);

    void ScanDrives();
    // A drive by its address (for one the scan cannot find, such as a
    // "stdio:" file); selected once added.
    void AddDrive(const std::string& address);
    void SelectDrive(int index);

    enum class Stage { Image, Writing, Verifying };
    using Progress = std::function<bool(Stage, uint64_t done, uint64_t total)>;
    // Checks, asks about the warnings, burns and verifies, and says how it
    // went. True when the disc was written and matched the image. Progress
    // and workEnded as for the image.
    bool Burn(const Progress& progress, const std::function<void()>& workEnded = {});

private:
    void Checked() override;
    std::filesystem::path cache_;
};

}  // namespace orvane
