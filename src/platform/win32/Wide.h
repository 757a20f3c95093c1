#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Windows speaks UTF-16; the core UTF-8. Malformed input becomes U+FFFD
// rather than failing, so a damaged name still reaches its message.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The core's texts break lines with a lone CR; message boxes and static
// controls break them only at CR LF.
std::wstring WideLinesFromUtf8(std::string_view utf8);

// The system's own words for an error code (GetLastError), as UTF-8.
std::string SystemErrorText(unsigned long code);

}  // namespace orvane
