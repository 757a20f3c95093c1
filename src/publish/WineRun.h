#pragma once

#include "platform/Subprocess.h"
#include "publish/TestRun.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orvane {

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
// a CD drive, in the editor's own prefix (preparing it the first time takes a
// minute).
class WineTestRun : public TestRun {
public:
    WineTestRun(WineTools tools, std::filesystem::path prefix);
    ~WineTestRun() override;
    WineTestRun(const WineTestRun&) = delete;
    WineTestRun& operator=(const WineTestRun&) = delete;

    bool Start(const std::filesystem::path& discFolder, const std::filesystem::path& executable,
               const std::function<bool()>& tick, std::string& error) override;
    bool Running() override;
    void Stop() override;
    std::vector<std::string> Finish() override;

    char DriveLetter() const override { return letter_; }
    std::string WindowsExecutable() const override { return windowsExe_; }
    std::string Launched() const override { return windowsExe_ + " under Wine"; }
    std::string RunningText() const override;
    const std::filesystem::path& Prefix() const { return prefix_; }

private:
    Subprocess::Program WineCommand(std::vector<std::string> args) const;
    bool RunWine(std::vector<std::string> args, int seconds, const std::function<bool()>& tick, std::string& error);
    bool PreparePrefix(const std::function<bool()>& tick, std::string& error);
    bool SetDriveType(const std::string& lines, const std::function<bool()>& tick, std::string& error);
    void RemoveLeftoverDrive(const std::function<bool()>& tick);

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
