#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// Breaks text into the lines a word-wrapping label shows in a given width:
// at line breaks (CR LF, CR or LF) and before a word that does not fit. The
// editor and the player wrap menu text with this, each measuring with its
// own text layer.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(std::string_view)>& widthOf);

}  // namespace orvane
