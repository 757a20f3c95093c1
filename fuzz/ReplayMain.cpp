// Runs a fuzz target over every file of the folders (or the files) it is
// given: the regression test built with the ordinary compiler, without
// libFuzzer. A broken property aborts, naming the input last started; so does
// an input that takes over 25 s or grows the process past 1 GB, which no
// sound input comes near, since the faults found include such inputs.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Present when the sanitizers are: called before a report ends the process.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace fs = std::filesystem;

namespace {

constexpr auto kTimeLimit = std::chrono::seconds(25);
constexpr long kMemoryLimitMb = 1024;

std::atomic<long> inputStarted{0};  // steady-clock seconds; 0 between inputs

long Now() {
    return long(std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch())
                    .count());
}

long ResidentMb() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024) / 1024;
}

[[noreturn]] void Watch() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const long started = inputStarted.load();
        if (started != 0 && Now() - started > kTimeLimit.count()) {
            orvane::fuzz::Fail("the input took longer than " + std::to_string(kTimeLimit.count()) + " s");
        }
        if (const long mb = ResidentMb(); mb > kMemoryLimitMb) {
            orvane::fuzz::Fail("the process grew to " + std::to_string(mb) + " MB, over " +
                               std::to_string(kMemoryLimitMb) + " MB");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given = argv[i];
        std::error_code ec;
        if (fs::is_regular_file(given, ec)) {
            inputs.push_back(given);
            continue;
        }
        if (!fs::is_directory(given, ec)) {
            std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
            return 2;
        }
        for (const auto& entry : fs::recursive_directory_iterator(given))
            if (entry.is_regular_file() && entry.path().filename() != "README.md") inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    std::thread(Watch).detach();
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(orvane::fuzz::RemoveWorkspaces);
    for (const fs::path& input : inputs) {
        std::fprintf(stderr, "%s\n", input.c_str());
        std::ifstream in(input, std::ios::binary);
        const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
            return 2;
        }
        // Never a null pointer, as libFuzzer passes it.
        static const uint8_t kNothing = 0;
        inputStarted = Now();
        LLVMFuzzerTestOneInput(data.empty() ? &kNothing : data.data(), data.size());
        inputStarted = 0;
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
