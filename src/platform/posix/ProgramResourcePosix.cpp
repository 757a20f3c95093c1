#include "platform/ProgramResource.h"

namespace orvane {

// A Linux executable has no resources; what it carries it appends.
std::optional<std::vector<uint8_t>> ProgramResourceData(int) { return std::nullopt; }

}  // namespace orvane
