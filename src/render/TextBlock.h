#pragma once

#include "document/MenuType.h"
#include "render/MenuSkin.h"

#include <string>
#include <vector>

namespace orvane {

// Breaks text into the lines a word-wrapping label shows in a given width:
// at line breaks (CR LF, CR or LF) and before a word that does not fit.
std::vector<std::string> WrapText(const std::string& text, int width,
                                  const std::function<int(std::string_view)>& widthOf);

// Draws text into box the way the menu-text label shows it: word-wrapped in
// the font, each line aligned, lines clipped to the box.
void DrawTextBlock(Bitmap& target, const Box& box, const FontSpec& font, uint32_t colour, const std::string& text);

}  // namespace orvane
