#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Text inside files is Windows-1252; text in memory is UTF-8. A character with
// no Windows-1252 form (or a malformed UTF-8 sequence) becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace orvane
