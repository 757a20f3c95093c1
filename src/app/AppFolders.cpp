#include "AppFolders.h"

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace orvane {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::string(value) : std::string();
}

}  // namespace

std::string PrivateUndoFolder() {
    std::string base = Environment("XDG_RUNTIME_DIR");
    if (base.empty()) base = Environment("XDG_CACHE_HOME");
    if (base.empty() && !Environment("HOME").empty()) base = Environment("HOME") + "/.cache";
    if (base.empty()) return {};
    return base + "/orvane-graphic/undo-" + std::to_string(::getpid()) + "/";
}

}  // namespace orvane
