#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace orvane {

// The user's preferences, carried from one run to the next in the settings
// file beside the executable: 43 lines, CR LF, then an empty line.
struct Settings {
    std::array<uint32_t, 7> CustomColors{};  // colour picker's custom swatches
    std::string MenuFolder;
    std::string SecondFolder;         // kept, not otherwise used
    std::array<int32_t, 21> TipShown{};
    std::array<int32_t, 5> PaletteOpen{0, 0, 1, 0, 1};
    bool Line36 = true;               // kept, not otherwise used
    std::array<int32_t, 4> WindowRect{};  // left, top, width, height; kept
    int32_t GradientSaturation = 100;
    bool FastScaling = true;
    bool OnePaletteMode = false;

    // The defaults without a file: grey custom colours, both folders the
    // application folder, the window centred on the screen.
    static Settings Defaults(const std::string& appFolder, int screenWidth, int screenHeight);

    // The 43 lines and the closing line break.
    std::string ToText() const;
    // Reads the lines over the values already set; lines that are missing or
    // do not parse keep those values. Returns how many lines were taken.
    int FromText(const std::string& text);

    bool operator==(const Settings&) const = default;
};

// Reads the file over defaults; a missing file leaves them as they are.
Settings ReadSettingsFile(const std::filesystem::path& path, Settings defaults);
// Writes the whole file, replacing it.
void WriteSettingsFile(const std::filesystem::path& path, const Settings& settings);

}  // namespace orvane
