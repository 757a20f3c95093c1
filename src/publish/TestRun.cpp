#include "publish/TestRun.h"

#include "platform/KnownFolders.h"
#include "platform/PathText.h"

#include <cstdlib>

namespace orvane {
namespace fs = std::filesystem;

fs::path UserCacheFolder() {
    if (const auto windows = WindowsKnownFolders(); windows && !windows->LocalAppData.empty())
        return PathFromUtf8(windows->LocalAppData);
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && *cache == '/') return cache;
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".cache";
    return fs::temp_directory_path();
}

std::set<std::string> TestRun::Listing(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec))
        names.insert(Utf8FromPath(it->path().lexically_relative(folder)));
    return names;
}

std::vector<std::string> TestRun::RemoveAdded(const fs::path& folder, const std::set<std::string>& before) {
    std::vector<std::string> removed;
    std::error_code ec;
    for (const std::string& name : Listing(folder)) {
        if (before.count(name)) continue;
        const fs::path parent = PathFromUtf8(name).parent_path();
        if (!parent.empty() && !before.count(Utf8FromPath(parent))) continue;  // inside a new folder, removed with it
        fs::remove_all(folder / PathFromUtf8(name), ec);
        removed.push_back(name);
    }
    return removed;
}

}  // namespace orvane
