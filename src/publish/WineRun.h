#pragma once

#include "publish/Subprocess.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvane {

// The user's cache folder: $XDG_CACHE_HOME, else ~/.cache.
std::filesystem::path UserCacheFolder();
// Where the editor keeps its own Wine prefix, below a cache folder. Kept
// between runs because making one takes a minute; never the user's ~/.wine.
std::filesystem::path WinePrefixFolder(const std::filesystem::path& cacheBase);

struct WineTools {
    std::filesystem::path Wine;    // wine64 or wine
    std::filesystem::path Server;  // wineserver
};
// Wine on PATH, then in /usr/lib/wine where Debian puts wine64.
std::optional<WineTools> FindWine();

inline const std::string kWineMissing =
    "Testing the autorun application here needs Wine, which runs Windows programs on Linux, "
    "and Wine is not installed.\r\r"
    "On Debian, install it in a terminal with\r"
    "    sudo apt install wine64\r"
    "then choose Test Autorun again.";

// The autorun application of a disc folder run under Wine, the folder seen as
// a CD drive, in the editor's own prefix. Finish (or the destructor) takes the
// drive away again and removes whatever the run left in the disc folder.
class WineTestRun {
public:
    WineTestRun(WineTools tools, std::filesystem::path prefix);
    ~WineTestRun();
    WineTestRun(const WineTestRun&) = delete;
    WineTestRun& operator=(const WineTestRun&) = delete;

    // "1024x768": the menu runs in a window of that size, as on such a
    // screen; empty: on the whole desktop.
    std::string Desktop;
    // Told what the run is doing while it prepares (the first time takes a minute).
    std::function<void(const std::string&)> Status;

    // Prepares the prefix, maps the disc folder as a CD drive and starts the
    // executable (inside the folder) from it. tick lets windows run and
    // returns false to stop. False with the reason when the run did not start.
    bool Start(const std::filesystem::path& discFolder, const std::filesystem::path& executable,
               const std::function<bool()>& tick, std::string& error);
    // Whether the menu or a program it started still runs.
    bool Running();
    // Ends every program of the run.
    void Stop();
    // Stops the run if needed, removes the drive, and removes what appeared
    // in the disc folder during the run; returns those paths, relative.
    std::vector<std::string> Finish();

    char DriveLetter() const { return letter_; }
    // "D:\Autorun.exe": where the program runs from under Wine.
    std::string WindowsExecutable() const { return windowsExe_; }
    const std::filesystem::path& Prefix() const { return prefix_; }

private:
    Subprocess::Program WineCommand(std::vector<std::string> args) const;
    bool RunWine(std::vector<std::string> args, int seconds, const std::function<bool()>& tick, std::string& error);
    bool PreparePrefix(const std::function<bool()>& tick, std::string& error);
    bool SetDriveType(const std::string& lines, const std::function<bool()>& tick, std::string& error);
    void RemoveLeftoverDrive(const std::function<bool()>& tick);
    std::set<std::string> Listing() const;

    WineTools tools_;
    std::filesystem::path prefix_;
    std::filesystem::path disc_;
    std::string windowsExe_;
    char letter_ = 0;
    bool started_ = false;
    bool finished_ = true;
    std::set<std::string> before_;
    Subprocess player_;
    Subprocess waiter_;  // wineserver -w, once the player has ended
};

}  // namespace orvane
