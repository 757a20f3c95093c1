#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// A program started with its own environment and working folder, with what
// it starts kept together (a process group on Linux, a job on Windows) so
// that ending it ends what it started.
class Subprocess {
public:
    struct Program {
        std::vector<std::string> Command;           // the program first (UTF-8)
        std::map<std::string, std::string> Environment;  // set over the caller's
        std::filesystem::path Folder;               // empty: the caller's
        std::filesystem::path Output;               // stdout and stderr; empty: discarded
    };

    Subprocess() = default;
    ~Subprocess();
    Subprocess(const Subprocess&) = delete;
    Subprocess& operator=(const Subprocess&) = delete;

    // False with the reason when the program could not be started.
    bool Start(const Program& program, std::string& error);
    bool Running();
    // Whether the program or anything it started is still running.
    bool GroupRunning();
    // The exit status once ended: 128 + signal when a signal ended it.
    std::optional<int> ExitCode() const { return exit_; }
    // Ends the program and what it started (Linux: SIGTERM, then SIGKILL
    // after a grace period).
    void Kill();

    // Waits until the process ends, the timeout runs out (then it is killed)
    // or tick returns false (likewise). tick runs every 50 ms; it lets a
    // window's messages run. Returns the exit code, or nothing when stopped.
    std::optional<int> Wait(std::chrono::milliseconds timeout, const std::function<bool()>& tick = {});

private:
    std::intptr_t process_ = -1;  // a process id, or a Windows process handle
    std::intptr_t group_ = -1;    // the process group, or the Windows job
    std::optional<int> exit_;
};

// Runs a program to its end; the exit code, or nothing when it could not be
// started, ran out of time or was stopped (error says which).
std::optional<int> RunProgram(const Subprocess::Program& program, std::chrono::milliseconds timeout,
                              const std::function<bool()>& tick, std::string& error);

// The first of names found on PATH, then in the folders given.
std::optional<std::filesystem::path> FindProgram(const std::vector<std::string>& names,
                                                 const std::vector<std::filesystem::path>& folders = {});

}  // namespace orvane
