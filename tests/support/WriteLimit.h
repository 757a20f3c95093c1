#pragma once

#include "platform/FileUtil.h"

#include <cstdint>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

// While it lives, writing a file past a size fails as a full disk would. On
// Linux the system limits the file size itself; Windows has no such limit,
// so there every write fails at the file functions' seam (the tests write one
// file larger than the limit).
class WriteLimit {
public:
    explicit WriteLimit([[maybe_unused]] uint64_t bytes) {
#ifdef _WIN32
        orvane::SetFileFaultHook(
            [](orvane::FileOp op, const std::filesystem::path&) { return op == orvane::FileOp::Write; });
#else
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &small);
#endif
    }
    ~WriteLimit() {
#ifdef _WIN32
        orvane::SetFileFaultHook(nullptr);
#else
        setrlimit(RLIMIT_FSIZE, &old_);
#endif
    }
    WriteLimit(const WriteLimit&) = delete;
    WriteLimit& operator=(const WriteLimit&) = delete;

#ifndef _WIN32
private:
    rlimit old_{};
#endif
};
