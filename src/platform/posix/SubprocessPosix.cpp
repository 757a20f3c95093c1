// Programs started with fork and exec, each in a process group of its own.
#include "platform/Subprocess.h"

#include "platform/PathText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orvane {
namespace fs = std::filesystem;

Subprocess::~Subprocess() {
    if (Running()) Kill();
}

bool Subprocess::Start(const Program& program, std::string& error) {
    if (program.Command.empty()) {
        error = "no program to start";
        return false;
    }
    // Everything the child needs is prepared before fork: after it, only
    // async-signal-safe calls.
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        if (!program.Environment.count(name)) env.push_back(entry);
    }
    for (const auto& [name, value] : program.Environment) env.push_back(name + "=" + value);
    std::vector<char*> envp, argv;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = program.Command;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string folder = program.Folder.native();
    const std::string output = program.Output.empty() ? "/dev/null" : program.Output.native();

    // A pipe closed on exec tells the parent whether exec worked.
    int report[2];
    if (::pipe2(report, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        error = std::strerror(errno);
        ::close(report[0]);
        ::close(report[1]);
        return false;
    }
    if (pid == 0) {
        ::setpgid(0, 0);
        const int in = ::open("/dev/null", O_RDONLY);
        const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (in >= 0) ::dup2(in, 0);
        if (out >= 0) {
            ::dup2(out, 1);
            ::dup2(out, 2);
        }
        int failure = 0;
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) failure = errno;
        if (!failure) {
            ::execve(argv[0], argv.data(), envp.data());
            failure = errno;
        }
        [[maybe_unused]] const ssize_t n = ::write(report[1], &failure, sizeof failure);
        ::_exit(127);
    }
    ::setpgid(pid, pid);  // also here, so Kill works whichever side runs first
    ::close(report[1]);
    int failure = 0;
    const ssize_t n = ::read(report[0], &failure, sizeof failure);
    ::close(report[0]);
    if (n == sizeof failure) {
        ::waitpid(pid, nullptr, 0);
        error = "cannot start " + program.Command[0] + ": " + std::strerror(failure);
        return false;
    }
    process_ = pid;
    group_ = pid;
    exit_.reset();
    return true;
}

bool Subprocess::Running() {
    if (process_ < 0) return false;
    int status = 0;
    const pid_t pid = pid_t(process_);
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0) return true;
    if (r == pid) exit_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    process_ = -1;
    return false;
}

bool Subprocess::GroupRunning() {
    if (Running()) return true;
    return group_ >= 0 && (::kill(-pid_t(group_), 0) == 0 || errno == EPERM);
}

void Subprocess::Kill() {
    if (process_ < 0) return;
    const pid_t pid = pid_t(process_);
    ::kill(-pid, SIGTERM);
    for (int i = 0; i < 40 && Running(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (process_ < 0) return;
    ::kill(-pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    process_ = -1;
}

std::optional<fs::path> FindProgram(const std::vector<std::string>& names, const std::vector<fs::path>& folders) {
    std::vector<fs::path> places;
    if (const char* path = std::getenv("PATH")) {
        std::string all = path;
        size_t start = 0;
        while (start <= all.size()) {
            const size_t colon = all.find(':', start);
            const std::string part = all.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
            if (!part.empty()) places.emplace_back(part);
            if (colon == std::string::npos) break;
            start = colon + 1;
        }
    }
    places.insert(places.end(), folders.begin(), folders.end());
    for (const std::string& name : names) {
        for (const fs::path& place : places) {
            const fs::path candidate = place / name;
            if (::access(candidate.c_str(), X_OK) == 0 && fs::is_regular_file(candidate)) return candidate;
        }
    }
    return std::nullopt;
}

}  // namespace orvane
