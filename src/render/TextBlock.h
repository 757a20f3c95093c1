#pragma once

#include "document/MenuType.h"
#include "render/MenuSkin.h"
#include "render/TextWrap.h"

#include <string>
#include <vector>

namespace orvane {

// Draws text into box the way the menu-text label shows it: word-wrapped in
// the font, each line aligned, lines clipped to the box.
void DrawTextBlock(Bitmap& target, const Rect& box, const FontSpec& font, uint32_t colour, const std::string& text);

}  // namespace orvane
