#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace orvane {

// The bytes of a data resource (RCDATA) of the running program, by number;
// nothing when the program carries none. Only Windows programs carry
// resources.
std::optional<std::vector<uint8_t>> ProgramResourceData(int id);

}  // namespace orvane
