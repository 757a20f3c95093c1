#pragma once

#include <cstdint>
#include <span>

namespace orvane {

// The PNG files of the built-in styles, embedded at build time. A style
// without a mask gives an empty span.
std::span<const uint8_t> BuiltinStyleImage(int position);
std::span<const uint8_t> BuiltinStyleMask(int position);

}  // namespace orvane
