#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#include <string_view>

namespace orvane::player {

// The core keeps text as UTF-8; Windows wants UTF-16.
inline std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(size_t(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
    return out;
}

inline std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

// A number in decimal; the C library's wide printf would double the
// player's size for this one use.
inline std::wstring Decimal(unsigned long long n) {
    std::wstring digits;
    do {
        digits.insert(digits.begin(), wchar_t(L'0' + n % 10));
        n /= 10;
    } while (n);
    return digits;
}

// The system's own text for an error code. Some texts name what failed as
// "%1", which becomes what (the caller shows the path below the text).
inline std::wstring SystemErrorText(DWORD code, std::wstring_view what = L"this file") {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring out = n && text ? std::wstring(text, n) : L"Error " + Decimal(code) + L".";
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == L'\r' || out.back() == L'\n' || out.back() == L' ')) out.pop_back();
    const std::wstring name(what);
    for (size_t at = out.find(L"%1"); at != std::wstring::npos; at = out.find(L"%1", at + name.size()))
        out.replace(at, 2, name);
    return out;
}

}  // namespace orvane::player
