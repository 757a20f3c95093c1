#include "platform/KnownFolders.h"

namespace orvane {

// Linux names its folders by the XDG variables, which the application's
// folders read themselves.
std::optional<WindowsFolders> WindowsKnownFolders() { return std::nullopt; }

}  // namespace orvane
