#include "Settings.h"

#include "platform/Cp1252.h"
#include "platform/FileUtil.h"

#include <charconv>

namespace orvane {
namespace {

bool ParseInteger(const std::string& line, int64_t& value) {
    const char* end = line.data() + line.size();
    const auto result = std::from_chars(line.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

}  // namespace

Settings Settings::Defaults(const std::string& appFolder, int screenWidth, int screenHeight) {
    Settings s;
    for (int k = 1; k <= 7; ++k) {
        const auto level = uint32_t((7 - k) * 42.5);
        s.CustomColors[size_t(k - 1)] = level | (level << 8) | (level << 16);
    }
    s.MenuFolder = appFolder;
    s.SecondFolder = appFolder;
    s.WindowRect = {(screenWidth - 640) / 2, (screenHeight - 360) / 2, 640, 360};
    return s;
}

std::string Settings::ToText() const {
    std::vector<std::string> lines;
    for (uint32_t c : CustomColors) lines.push_back(std::to_string(c));
    lines.push_back(EncodeEditorText(MenuFolder));
    lines.push_back(EncodeEditorText(SecondFolder));
    for (int32_t t : TipShown) lines.push_back(std::to_string(t));
    for (int32_t p : PaletteOpen) lines.push_back(std::to_string(p));
    lines.push_back(Line36 ? "-1" : "0");
    for (int32_t v : WindowRect) lines.push_back(std::to_string(v));
    lines.push_back(std::to_string(GradientSaturation));
    lines.push_back(FastScaling ? "-1" : "0");
    lines.push_back(OnePaletteMode ? "-1" : "0");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text + "\r\n";
}

int Settings::FromText(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size() && lines.size() < 43) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    int taken = 0;
    size_t at = 0;
    auto integer = [&](auto& value, int64_t low, int64_t high) {
        int64_t v = 0;
        if (at < lines.size() && ParseInteger(lines[at], v) && v >= low && v <= high) {
            value = static_cast<std::remove_reference_t<decltype(value)>>(v);
            ++taken;
        }
        ++at;
    };
    auto flag = [&](bool& value) {
        int64_t v = 0;
        if (at < lines.size() && ParseInteger(lines[at], v)) {
            value = v != 0;
            ++taken;
        }
        ++at;
    };
    auto folder = [&](std::string& value) {
        if (at < lines.size()) {
            value = DecodeEditorText(lines[at]);
            ++taken;
        }
        ++at;
    };
    for (uint32_t& c : CustomColors) integer(c, 0, 0xFFFFFFFF);
    folder(MenuFolder);
    folder(SecondFolder);
    for (int32_t& t : TipShown) integer(t, INT32_MIN, INT32_MAX);
    for (int32_t& p : PaletteOpen) integer(p, INT32_MIN, INT32_MAX);
    flag(Line36);
    for (int32_t& v : WindowRect) integer(v, INT32_MIN, INT32_MAX);
    integer(GradientSaturation, INT32_MIN, INT32_MAX);
    flag(FastScaling);
    flag(OnePaletteMode);
    return taken;
}

Settings ReadSettingsFile(const std::filesystem::path& path, Settings defaults) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return defaults;
    const std::vector<uint8_t> data = ReadWholeFile(path);
    defaults.FromText(std::string(data.begin(), data.end()));
    return defaults;
}

void WriteSettingsFile(const std::filesystem::path& path, const Settings& settings) {
    const std::string text = settings.ToText();
    // Installed, the settings live in a folder of the user's that may not exist yet.
    CreateFolders(path.parent_path());
    WriteFileReplacing(path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace orvane
