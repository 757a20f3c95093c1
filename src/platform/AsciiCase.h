#pragma once

// Case-insensitive comparisons of file names and commands, by ASCII letters
// only (as Windows compares the names the editor writes), whatever the locale.

#include <string>
#include <string_view>

namespace orvane {

inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

inline std::string AsciiLower(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}

// Whether text starts or ends with a lower-case prefix or suffix, ignoring case.
inline bool StartsWithNoCase(std::string_view text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i)
        if (AsciiLower(text[i]) != lowerPrefix[i]) return false;
    return true;
}

inline bool EndsWithNoCase(std::string_view text, std::string_view lowerSuffix) {
    return text.size() >= lowerSuffix.size() && StartsWithNoCase(text.substr(text.size() - lowerSuffix.size()), lowerSuffix);
}

}  // namespace orvane
