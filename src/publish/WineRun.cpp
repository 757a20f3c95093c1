#include "WineRun.h"

#include "platform/FileUtil.h"
#include "platform/PathText.h"

#include <cctype>
#include <cstdlib>
#include <fstream>

namespace orvane {
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Remembers the drive a run added, so a run cut short is tidied by the next.
constexpr char kDriveNote[] = "orvane-test-drive";

std::string RegistryLines(char letter, bool add) {
    return std::string("\"") + letter + ":\"=" + (add ? "\"cdrom\"" : "-") + "\r\n";
}

}  // namespace

fs::path WinePrefixFolder(const fs::path& cacheBase) { return cacheBase / "orvane-graphic" / "wine"; }

std::optional<WineTools> FindWine() {
    const std::vector<fs::path> debian{"/usr/lib/wine"};
    const auto wine = FindProgram({"wine64", "wine"}, debian);
    if (!wine) return std::nullopt;
    // wineserver belongs beside the wine that was found.
    auto server = FindProgram({"wineserver"}, {wine->parent_path()});
    if (!server) server = FindProgram({"wineserver", "wineserver64"}, debian);
    if (!server) return std::nullopt;
    return WineTools{*wine, *server};
}

WineTestRun::WineTestRun(WineTools tools, fs::path prefix) : tools_(std::move(tools)), prefix_(std::move(prefix)) {}

WineTestRun::~WineTestRun() {
    if (!finished_) Finish();
}

Subprocess::Program WineTestRun::WineCommand(std::vector<std::string> args) const {
    Subprocess::Program program;
    program.Command = std::move(args);
    program.Environment = {
        {"WINEPREFIX", Utf8FromPath(prefix_)},
        {"WINEARCH", "win64"},
        {"WINEDEBUG", "-all"},
        // No Mono or Gecko installers, and no menu entries or file types
        // added to the user's desktop.
        {"WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d"},
    };
    program.Output = prefix_ / "orvane-test-run.log";
    return program;
}

bool WineTestRun::RunWine(std::vector<std::string> args, int seconds, const std::function<bool()>& tick,
                          std::string& error) {
    const std::optional<int> code = RunProgram(WineCommand(std::move(args)), std::chrono::seconds(seconds), tick, error);
    if (code && *code != 0) error = "Wine reported an error (" + std::to_string(*code) + ")";
    return code && *code == 0;
}

bool WineTestRun::PreparePrefix(const std::function<bool()>& tick, std::string& error) {
    std::error_code ec;
    if (fs::exists(prefix_ / "system.reg", ec) && fs::exists(prefix_ / "orvane-prefix-ready", ec)) return true;
    if (Status) Status("Setting up Wine for test runs. The first time takes a minute or two...");
    if (!fs::is_directory(prefix_, ec)) {
        error = "The folder " + Utf8FromPath(prefix_) + " cannot be made.";
        return false;
    }
    if (!RunWine({Utf8FromPath(tools_.Wine), "wineboot", "--init"}, 240, tick, error)) {
        error = "Wine could not set up its folder " + Utf8FromPath(prefix_) + ": " + error;
        return false;
    }
    // Windows opens text files in Notepad; a new prefix lacks the association.
    const fs::path reg = prefix_ / "orvane-setup.reg";
    {
        std::ofstream out(reg, std::ios::binary);
        out << "REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.txt]\r\n@=\"txtfile\"\r\n\r\n"
               "[HKEY_CLASSES_ROOT\\txtfile\\shell\\open\\command]\r\n@=\"notepad.exe \\\"%1\\\"\"\r\n";
    }
    const bool ok = RunWine({Utf8FromPath(tools_.Wine), "regedit", "/S", "Z:" + Utf8FromPath(reg)}, 60, tick, error);
    fs::remove(reg, ec);
    if (!ok) return false;
    std::ofstream(prefix_ / "orvane-prefix-ready") << "1\n";
    return true;
}

bool WineTestRun::SetDriveType(const std::string& lines, const std::function<bool()>& tick, std::string& error) {
    const fs::path reg = prefix_ / "orvane-drive.reg";
    {
        std::ofstream out(reg, std::ios::binary);
        out << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n" << lines;
    }
    std::string path = Utf8FromPath(reg);
    const bool ok = RunWine({Utf8FromPath(tools_.Wine), "regedit", "/S", "Z:" + path}, 60, tick, error);
    std::error_code ec;
    fs::remove(reg, ec);
    return ok;
}

void WineTestRun::RemoveLeftoverDrive(const std::function<bool()>& tick) {
    std::ifstream note(prefix_ / kDriveNote);
    char letter = 0;
    if (!(note >> letter)) return;
    std::error_code ec;
    fs::remove(prefix_ / "dosdevices" / (std::string(1, letter) + ":"), ec);
    std::string ignored;
    SetDriveType(RegistryLines(letter, false), tick, ignored);
    fs::remove(prefix_ / kDriveNote, ec);
}

bool WineTestRun::Start(const fs::path& discFolder, const fs::path& executable, const std::function<bool()>& tick,
                        std::string& error) {
    disc_ = fs::absolute(discFolder).lexically_normal();
    if (!disc_.has_filename()) disc_ = disc_.parent_path();
    const fs::path relative = fs::absolute(executable).lexically_normal().lexically_relative(disc_);
    if (relative.empty() || *relative.begin() == "..") {
        error = PathForDisplay(executable) + " is not inside the disc folder.";
        return false;
    }
    std::error_code ec;
    fs::create_directories(prefix_, ec);
    std::ofstream(prefix_ / "orvane-test-run.log", std::ios::trunc);  // the log of this run only
    if (!PreparePrefix(tick, error)) return false;
    RemoveLeftoverDrive(tick);

    const fs::path devices = prefix_ / "dosdevices";
    for (char c = 'd'; c <= 'y' && !letter_; ++c)
        if (!fs::exists(fs::symlink_status(devices / (std::string(1, c) + ":"), ec))) letter_ = c;
    if (!letter_) {
        error = "Wine has no free drive letter for the disc.";
        return false;
    }
    if (Status) Status("Putting the disc folder in a CD drive...");
    before_ = Listing(disc_);
    finished_ = false;
    std::ofstream(prefix_ / kDriveNote) << letter_ << "\n";
    fs::create_directory_symlink(disc_, devices / (std::string(1, letter_) + ":"), ec);
    if (ec) {
        error = "The disc folder could not be given a drive letter: " + ec.message();
        return false;
    }
    if (!SetDriveType(RegistryLines(letter_, true), tick, error)) {
        error = "The disc folder could not be made a CD drive: " + error;
        return false;
    }

    windowsExe_ = std::string(1, char(std::toupper(letter_))) + ":";
    for (const fs::path& part : relative) windowsExe_ += "\\" + Utf8FromPath(part);
    std::vector<std::string> command{Utf8FromPath(tools_.Wine)};
    if (!Desktop.empty()) {
        command.push_back("explorer");
        command.push_back("/desktop=orvane-test," + Desktop);
    }
    command.push_back(windowsExe_);
    Subprocess::Program program = WineCommand(command);
    program.Folder = disc_;
    if (Status) Status("Starting " + Utf8FromPath(relative) + "...");
    if (!player_.Start(program, error)) return false;
    started_ = true;
    return true;
}

bool WineTestRun::Running() {
    if (!started_) return false;
    if (player_.Running()) return true;
    // Programs the menu started keep the run going until they end too.
    if (!waiter_.Running() && !waiter_.ExitCode()) {
        std::string error;
        if (!waiter_.Start(WineCommand({Utf8FromPath(tools_.Server), "-w"}), error)) return false;
        return true;
    }
    return waiter_.Running();
}

void WineTestRun::Stop() {
    if (!started_) return;
    std::string error;
    RunProgram(WineCommand({Utf8FromPath(tools_.Server), "-k"}), 20s, {}, error);
    player_.Kill();
    waiter_.Kill();
}

std::vector<std::string> WineTestRun::Finish() {
    if (finished_) return {};
    finished_ = true;
    Stop();
    std::error_code ec;
    if (letter_) {
        fs::remove(prefix_ / "dosdevices" / (std::string(1, letter_) + ":"), ec);
        std::string error;
        if (SetDriveType(RegistryLines(letter_, false), {}, error)) fs::remove(prefix_ / kDriveNote, ec);
        RunProgram(WineCommand({Utf8FromPath(tools_.Server), "-w"}), 30s, {}, error);
    }
    started_ = false;
    return RemoveAdded(disc_, before_);
}

std::string WineTestRun::RunningText() const {
    return "The menu is running from drive " + std::string(1, char(std::toupper(letter_))) +
           ":, as from a CD. Close it (and whatever it opened) to end the test.";
}

std::string TestRunDescription() {
    return "The menu runs under Wine with the disc folder as a CD drive, so its buttons open files as they will "
           "from the disc.";
}

std::string TestRunUnavailable() { return FindWine() ? std::string() : kWineMissing; }

std::unique_ptr<TestRun> MakeTestRun(const fs::path& cacheBase) {
    const std::optional<WineTools> wine = FindWine();
    if (!wine) return nullptr;
    return std::make_unique<WineTestRun>(*wine, WinePrefixFolder(cacheBase));
}

}  // namespace orvane
