#pragma once

#include "document/MenuType.h"
#include "platform/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// Fonts by the share of computers that have them: "Arial|99" ..., ordered by
// falling percentage (10 to 99).
const std::vector<std::string>& FontPopularityTable();
// The percentage of the entry whose name equals name exactly; 0 when absent.
int FontPopularity(const std::string& name);

// Twelve em dashes: the separator entry of the font name list.
inline const std::string kFontListSeparator =
    "\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014\u2014";
// The font name list: the twelve most popular fonts, the separator, the
// thirteenth, then the installed fonts as given (duplicates kept).
std::vector<std::string> FontNameList(const std::vector<std::string>& installed);
// "4" to "72".
std::vector<std::string> FontSizeList();

// The text of the availability message for a stored percentage (-1: the
// font is rendered into pictures).
std::string AvailabilityMessage(int percentage);
// The indicator's 16 x 16 bar for a percentage of 10 or more, shaded by the
// blue channel of barTemplate; pixels outside the bar are 0 (transparent).
Bitmap PopularityBarGlyph(int percentage, const Bitmap& barTemplate);

// The transparency key of a colour strip glyph: green (0x00FF00), or magenta
// (0xFF00FF) when the colour itself is that green. A colour value.
uint32_t BoxColorKey(uint32_t colour);
// A 16 x 16 toolbar glyph with its bottom four rows filled with colour. The
// glyph's pure green pixels are its transparent ones; they come out in
// BoxColorKey(colour). System colours are resolved first.
Bitmap BoxColorGlyph(const Bitmap& glyph16, uint32_t colour);

class EditorModel;

// The formatting toolbar without its widgets: what it shows and what its
// controls do to the selected title, menu text or button captions.
class FormatBar {
public:
    // The name list starts with the popular fonts only; ListFonts adds the
    // installed ones, which only a window showing the list needs.
    explicit FormatBar(EditorModel& editor);
    FormatBar(EditorModel& editor, const std::vector<std::string>& installedFonts);
    // Adds the fonts installed on this computer to the name list.
    void ListFonts();

    // The two lists.
    std::vector<std::string> FontNames;
    std::vector<std::string> FontSizes;

    // What the toolbar shows.
    std::string FontName;
    int FontNameIndex = 0;  // the selected list entry; -1 for a typed name not in the list
    int FontSize = 12;
    uint32_t FontColor = 0, ShadowColor = 0;  // colour strips 1 and 2
    bool Bold = false, Italic = false, Underline = false;
    orvane::Alignment Alignment = orvane::Alignment::Left;
    std::string AvailabilityHint = "Font Availability";
    int Percentage = -1;
    enum class Glyph { Safe, Low, Bar } AvailabilityGlyph = Glyph::Safe;

    // The format target of SelectedButton: -1 title, 0 menu text, >0 buttons.
    FontSpec& TargetFont();
    uint32_t& TargetShadowColor();
    int32_t& TargetShadowDepth();

    // Shows the current target's format; Updating is set meanwhile, so the
    // controls' change handlers leave the document alone.
    void SetToolbarFormats();
    void UpdateAvailability();

    // The controls' handlers.
    void FontNameChanged(const std::string& text);
    // Text that is not a whole number shows the conversion error and leaves
    // the font's size alone.
    void FontSizeChanged(const std::string& text);
    void SetBold(bool down);
    void SetItalic(bool down);
    void SetUnderline(bool down);
    void SetAlignment(orvane::Alignment alignment);
    void ShowAvailabilityMessage();

private:
    void SetStyle(bool FontSpec::*style, bool& shown, bool down);

    EditorModel& editor_;
};

}  // namespace orvane
