#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace orvane {

// The user's cache folder: $XDG_CACHE_HOME, else ~/.cache; on Windows the
// local application data.
std::filesystem::path UserCacheFolder();

// The disc folder's autorun application run as it would run from its disc:
// on Linux under Wine, the folder a CD drive of the editor's own prefix; on
// Windows by Windows itself, the folder a drive of its own. Finish (or the
// destructor) takes the drive away again and removes whatever the run left
// in the disc folder.
class TestRun {
public:
    virtual ~TestRun() = default;

    // "1024x768": the menu runs in a window of that size, as on such a
    // screen; empty: on the whole desktop.
    std::string Desktop;
    // Told what the run is doing while it prepares.
    std::function<void(const std::string&)> Status;

    // Gives the disc folder its drive and starts the executable (inside the
    // folder) from it. tick lets windows run and returns false to stop. False
    // with the reason when the run did not start.
    virtual bool Start(const std::filesystem::path& discFolder, const std::filesystem::path& executable,
                       const std::function<bool()>& tick, std::string& error) = 0;
    // Whether the menu or a program it started still runs.
    virtual bool Running() = 0;
    // Ends every program of the run.
    virtual void Stop() = 0;
    // Stops the run if needed, removes the drive, and removes what appeared
    // in the disc folder during the run; returns those paths, relative.
    virtual std::vector<std::string> Finish() = 0;

    // The drive the disc folder is, or 0 when it runs from the folder itself.
    virtual char DriveLetter() const = 0;
    // "D:\Autorun.exe": where the program runs from.
    virtual std::string WindowsExecutable() const = 0;
    // What was started, for a terminal: "D:\Autorun.exe under Wine".
    virtual std::string Launched() const = 0;
    // How the menu runs, for the editor's status line.
    virtual std::string RunningText() const = 0;

protected:
    // The files and folders below folder, relative (UTF-8).
    static std::set<std::string> Listing(const std::filesystem::path& folder);
    // Removes what is below folder now and was not before; a disc cannot be
    // written to, so whatever appeared came from the run.
    static std::vector<std::string> RemoveAdded(const std::filesystem::path& folder,
                                                const std::set<std::string>& before);
};

// How a test run runs the menu on this system, in the user's words.
std::string TestRunDescription();
// Empty when a test run can start on this computer, else why not, in the
// user's words.
std::string TestRunUnavailable();
// A test run for this system, keeping its own files (Wine's prefix) below
// cacheBase.
std::unique_ptr<TestRun> MakeTestRun(const std::filesystem::path& cacheBase);

}  // namespace orvane
