#pragma once

#include <string>

namespace orvane {

// A folder for this editor's own undo snapshots outside the application
// folder: under the user's runtime folder ($XDG_RUNTIME_DIR), else the cache
// folder ($XDG_CACHE_HOME, else ~/.cache), as "orvane-graphic/undo-<pid>/".
// Empty when there is neither. Not created here.
std::string PrivateUndoFolder();

}  // namespace orvane
