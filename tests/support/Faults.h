#pragma once

#include "platform/FileUtil.h"

#include <filesystem>
#include <map>
#include <utility>
#include <vector>

// Fails the failAt-th file operation (from 1) while it lives; counts them all.
class Faults {
public:
    explicit Faults(int failAt = 0) : failAt_(failAt) {
        orvane::SetFileFaultHook([this](orvane::FileOp op, const std::filesystem::path& path) {
            Seen.push_back({op, path});
            return int(Seen.size()) == failAt_;
        });
    }
    ~Faults() { orvane::SetFileFaultHook(nullptr); }
    Faults(const Faults&) = delete;
    Faults& operator=(const Faults&) = delete;
    std::vector<std::pair<orvane::FileOp, std::filesystem::path>> Seen;

private:
    int failAt_;
};

inline std::map<std::filesystem::path, std::vector<uint8_t>> FilesUnder(const std::filesystem::path& root) {
    std::map<std::filesystem::path, std::vector<uint8_t>> files;
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec)) files[it->path()] = orvane::ReadWholeFile(it->path());
    return files;
}

// Whether a temporary file of the editor's writers is left below root.
inline bool TemporaryLeft(const std::filesystem::path& root) {
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().rfind(".orvane-", 0) == 0) return true;
    return false;
}
