#pragma once

#include <cstdint>
#include <span>

namespace orvane {

// The button style designer's own pictures (PNG), embedded at build time:
// the default button of state 0 to 2, the default mask and the 189 x 137
// background the sample sits on.
std::span<const uint8_t> DesignerButtonPng(int state);
std::span<const uint8_t> DesignerMaskPng();
std::span<const uint8_t> DesignerBackgroundPng();

}  // namespace orvane
