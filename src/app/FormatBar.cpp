#include "app/FormatBar.h"

#include "app/EditorModel.h"
#include "platform/Platform.h"
#include "platform/Text.h"
#include "render/ColourSkins.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <optional>
#include <unordered_map>

namespace orvane {

namespace {

constexpr int kFontListHeads = 13;  // the most popular fonts put at the top of the name list
constexpr int kSeparatorPosition = 12;
constexpr int kGlyphSide = 16;
constexpr int kBarLeft = 3, kBarRight = 12;  // inclusive columns

const std::string kFontSafeHint = "Font Safe: text will be rendered into menu";
const std::string kLowPopularityHint = "Less than 10% popularity";
const std::string kRenderedMessage =
    "Title and Button text will be rendered into images, therefore the user does not need this font on "
    "their system.";

std::string NameOf(const std::string& entry) { return entry.substr(0, entry.find('|')); }

int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    const auto it = std::find(list.begin(), list.end(), text);
    return it == list.end() ? -1 : int(it - list.begin());
}

// Whole numbers as the toolkit converts them: leading blanks, a sign, digits,
// nothing after them, within 32 bits.
std::optional<int> ParseWholeNumber(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > 1LL + INT_MAX) return std::nullopt;
    }
    if (negative) value = -value;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return int(value);
}

}  // namespace

int FontPopularity(const std::string& name) {
    static const std::unordered_map<std::string, int> byName = [] {
        std::unordered_map<std::string, int> map;
        for (const std::string& entry : FontPopularityTable()) {
            const size_t bar = entry.find('|');
            if (bar == std::string::npos) continue;
            map.emplace(entry.substr(0, bar), std::stoi(entry.substr(bar + 1, 2)));
        }
        return map;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? 0 : it->second;
}

std::vector<std::string> FontNameList(const std::vector<std::string>& installed) {
    const std::vector<std::string>& table = FontPopularityTable();
    std::vector<std::string> list;
    list.reserve(installed.size() + kFontListHeads + 1);
    for (int i = 0; i < kFontListHeads && i < int(table.size()); ++i) list.push_back(NameOf(table[size_t(i)]));
    list.insert(list.begin() + std::min<ptrdiff_t>(kSeparatorPosition, ptrdiff_t(list.size())), kFontListSeparator);
    list.insert(list.end(), installed.begin(), installed.end());
    return list;
}

std::vector<std::string> FontSizeList() {
    std::vector<std::string> sizes;
    for (int size = 4; size <= 72; ++size) sizes.push_back(std::to_string(size));
    return sizes;
}

std::string AvailabilityMessage(int percentage) {
    if (percentage < 0) return kRenderedMessage;
    // The indicator already calls 10 a popularity; the message stays cautious.
    const std::string share = percentage > 10 ? "Around " + std::to_string(percentage) : "Less than 10";
    return share +
           "% of computers have the font you have selected.\r\r"
           "If the user does not have the font you select Windows will\r"
           "substitute the font for one they do have.";
}

Bitmap PopularityBarGlyph(int percentage, const Bitmap& barTemplate) {
    Bitmap glyph(kGlyphSide, kGlyphSide, 0);
    const int p = std::clamp(percentage, 0, 100);
    // Exact in integers: p / 6.4, p * 3.84 and (100 - p) * 5.1, truncated.
    const int top = kGlyphSide - 1 - p * 5 / 32;
    const int red = p <= 50 ? 255 : (100 - p) * 51 / 10;
    const int green = p <= 50 ? p * 384 / 100 : 192;
    for (int y = std::max(top, 0); y < kGlyphSide; ++y)
        for (int x = kBarLeft; x <= kBarRight; ++x) {
            // Template pixels it lacks shade at full strength.
            const int intensity =
                x < barTemplate.Width() && y < barTemplate.Height() ? PixelBlue(barTemplate.At(x, y)) : 255;
            glyph.At(x, y) = MakePixel(uint8_t(red * intensity / 255), uint8_t(green * intensity / 255), 0);
        }
    return glyph;
}

uint32_t BoxColorKey(uint32_t colour) { return SetBoxColor(Bitmap(), 0, ResolveColor(colour)).TransparentKey; }

Bitmap BoxColorGlyph(const Bitmap& glyph16, uint32_t colour) {
    return SetBoxColor(glyph16, MakePixel(0, 255, 0), ResolveColor(colour)).Picture;
}

// The toolbar ------------------------------------------------------------------

FormatBar::FormatBar(EditorModel& editor) : FormatBar(editor, {}) {}

void FormatBar::ListFonts() {
    const std::string shown = FontName;
    FontNames = FontNameList(InstalledFontFamilies());
    FontNameIndex = IndexOf(FontNames, shown);
}

FormatBar::FormatBar(EditorModel& editor, const std::vector<std::string>& installedFonts)
    : FontNames(FontNameList(installedFonts)), FontSizes(FontSizeList()), editor_(editor) {
    FontName = FontNames.empty() ? std::string() : FontNames.front();
    FontNameIndex = FontNames.empty() ? -1 : 0;
}

FontSpec& FormatBar::TargetFont() {
    MenuProperties& p = editor_.doc_.Props;
    const int s = editor_.doc_.Menu.SelectedButton;
    return s < 0 ? p.TitleFont : s == 0 ? p.TextFont : p.ButtonFont;
}

uint32_t& FormatBar::TargetShadowColor() {
    MenuProperties& p = editor_.doc_.Props;
    const int s = editor_.doc_.Menu.SelectedButton;
    return s < 0 ? p.TitleShadowColor : s == 0 ? p.TextShadowColor : p.ButtonShadowColor;
}

int32_t& FormatBar::TargetShadowDepth() {
    TOVMenu& m = editor_.doc_.Menu;
    return m.SelectedButton < 0 ? m.TitleShadowDepth : m.SelectedButton == 0 ? m.TextShadowDepth
                                                                             : m.ButtonShadowDepth;
}

void FormatBar::SetToolbarFormats() {
    const bool wasUpdating = editor_.flags_.Updating;
    editor_.flags_.Updating = true;
    const FontSpec& font = TargetFont();
    // A font missing from the list leaves the name box as it was.
    if (const int index = IndexOf(FontNames, font.Name); index >= 0) {
        FontNameIndex = index;
        FontName = font.Name;
    }
    UpdateAvailability();
    FontSize = font.Size;
    FontColor = font.Color;
    Bold = font.Bold;
    Italic = font.Italic;
    Underline = font.Underline;
    Alignment = font.Alignment;
    ShadowColor = TargetShadowColor();
    editor_.flags_.Updating = wasUpdating;
}

void FormatBar::UpdateAvailability() {
    // Only the menu text is drawn by the player with the user's own fonts.
    if (editor_.doc_.Menu.SelectedButton != 0) {
        AvailabilityHint = kFontSafeHint;
        Percentage = -1;
        AvailabilityGlyph = Glyph::Safe;
        return;
    }
    Percentage = FontPopularity(TargetFont().Name);
    if (Percentage >= 10) {
        AvailabilityHint = std::to_string(Percentage) + "% popularity";
        AvailabilityGlyph = Glyph::Bar;
    } else {
        AvailabilityHint = kLowPopularityHint;
        AvailabilityGlyph = Glyph::Low;
    }
}

void FormatBar::FontNameChanged(const std::string& text) {
    FontName = text;
    FontNameIndex = IndexOf(FontNames, text);
    editor_.Undo().Make();
    if (editor_.flags_.Updating) return;
    // The design surface draws the menu text and its shadow from TextFont.
    TargetFont().Name = text;
    editor_.CreateSkin();
    UpdateAvailability();
}

void FormatBar::FontSizeChanged(const std::string& text) {
    editor_.Undo().Make();
    if (editor_.flags_.Updating) {
        if (const std::optional<int> size = ParseWholeNumber(text)) FontSize = *size;
        return;
    }
    const std::optional<int> size = ParseWholeNumber(text);
    if (!size) {
        ShowMessageBox(editor_.Desktop(), "'" + text + "' is not a valid integer value", MsgType::Error);
        return;
    }
    FontSize = *size;
    TargetFont().Size = *size;
    editor_.CreateSkin();
}

void FormatBar::SetStyle(bool FontSpec::*style, bool& shown, bool down) {
    editor_.Undo().Make();
    shown = down;
    TargetFont().*style = down;
    editor_.CreateSkin();
}

void FormatBar::SetBold(bool down) { SetStyle(&FontSpec::Bold, Bold, down); }
void FormatBar::SetItalic(bool down) { SetStyle(&FontSpec::Italic, Italic, down); }
void FormatBar::SetUnderline(bool down) { SetStyle(&FontSpec::Underline, Underline, down); }

void FormatBar::SetAlignment(orvane::Alignment alignment) {
    if (editor_.flags_.Updating) return;
    editor_.Undo().Make();
    TargetFont().Alignment = alignment;
    editor_.CreateSkin();
    Alignment = alignment;
}

void FormatBar::ShowAvailabilityMessage() {
    ShowMessageBox(editor_.Desktop(), AvailabilityMessage(Percentage), MsgType::Information);
}

}  // namespace orvane
