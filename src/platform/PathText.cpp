#include "platform/PathText.h"

#ifdef _WIN32
#include "platform/win32/Wide.h"
#endif

namespace orvane {
namespace fs = std::filesystem;

// Windows keeps paths as UTF-16; elsewhere a path is the bytes the core holds.
#ifdef _WIN32
fs::path PathFromUtf8(std::string_view utf8) { return fs::path(WideFromUtf8(utf8)); }
std::string Utf8FromPath(const fs::path& path) { return Utf8FromWide(path.native()); }
#else
fs::path PathFromUtf8(std::string_view utf8) { return fs::path(std::string(utf8)); }
std::string Utf8FromPath(const fs::path& path) { return path.native(); }
#endif

std::string PathForDisplay(const fs::path& path) {
    fs::path shown = path;
    return Utf8FromPath(shown.make_preferred());
}

}  // namespace orvane
