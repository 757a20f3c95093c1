// What starting programs means on every system; the starting itself is in
// posix/ and win32/.
#include "platform/Subprocess.h"

#include "platform/PathText.h"

#include <thread>

namespace orvane {
namespace fs = std::filesystem;

std::optional<int> Subprocess::Wait(std::chrono::milliseconds timeout, const std::function<bool()>& tick) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end || (tick && !tick())) {
            Kill();
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return exit_;
}

std::optional<int> RunProgram(const Subprocess::Program& program, std::chrono::milliseconds timeout,
                              const std::function<bool()>& tick, std::string& error) {
    Subprocess process;
    if (!process.Start(program, error)) return std::nullopt;
    const auto start = std::chrono::steady_clock::now();
    bool stopped = false;
    const std::optional<int> code = process.Wait(timeout, [&] {
        if (tick && !tick()) stopped = true;
        return !stopped;
    });
    if (!code) {
        const bool late = std::chrono::steady_clock::now() - start >= timeout;
        error = Utf8FromPath(PathFromUtf8(program.Command[0]).filename()) +
                (stopped || !late ? " was stopped" : " did not finish in time");
    }
    return code;
}

}  // namespace orvane
