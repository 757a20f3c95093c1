#include "Cp1252.h"

#include <array>
#include <cstdint>

namespace orvane {
namespace {

// Code points of bytes 0x80 to 0x9F; 0 where Windows-1252 leaves the byte undefined.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

}  // namespace

char32_t DecodeUtf8(std::string_view text, size_t& i) {
    const auto lead = uint8_t(text[i++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= text.size() || (uint8_t(text[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (uint8_t(text[i++]) & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

size_t Utf8SequenceLength(std::string_view text, size_t i) {
    size_t next = i;
    const char32_t cp = DecodeUtf8(text, next);
    // U+FFFD itself is three well-formed bytes; the decoder returns it for
    // malformed ones too.
    if (cp == 0xFFFD && text.substr(i, 3) != "\xEF\xBF\xBD") return 0;
    return next - i;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    for (char c : cp1252) {
        const auto b = uint8_t(c);
        char32_t cp = b;
        // Undefined bytes keep their C1 code point so nothing is lost on a round trip.
        if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0) cp = kHighControls[b - 0x80];
        AppendUtf8(out, cp);
    }
    return out;
}

namespace {

// The Windows-1252 byte of a code point, or -1 when it has none.
int Cp1252Byte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
    for (size_t k = 0; k < kHighControls.size(); ++k) {
        const bool undefinedByte = kHighControls[k] == 0 && cp == char32_t(0x80 + k);
        if (kHighControls[k] == cp || undefinedByte) return int(0x80 + k);
    }
    return -1;
}

}  // namespace

char32_t AsStoredCharacter(char32_t cp) { return Cp1252Byte(cp) < 0 ? U'?' : cp; }

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const int byte = Cp1252Byte(DecodeUtf8(utf8, i));
        out += byte < 0 ? '?' : char(byte);
    }
    return out;
}

std::string LowerCp1252(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        const auto b = uint8_t(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = char(b + 0x20);
        else if (b == 0x8A || b == 0x8C || b == 0x8E)  // Š Œ Ž
            c = char(b + 0x10);
        else if (b == 0x9F)  // Ÿ
            c = char(0xFF);
    }
    return out;
}

bool SameWindowsName(std::string_view a, std::string_view b) {
    return LowerCp1252(Utf8ToCp1252(a)) == LowerCp1252(Utf8ToCp1252(b));
}

size_t CharacterCount(std::string_view utf8) {
    size_t count = 0;
    for (size_t i = 0; i < utf8.size();) {
        DecodeUtf8(utf8, i);
        ++count;
    }
    return count;
}

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool ValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();)
        if (DecodeUtf8(text, i) == 0xFFFD) return false;
    return true;
}

}  // namespace

std::string EncodeEditorText(std::string_view utf8) {
    std::string cp1252 = Utf8ToCp1252(utf8);
    if (Cp1252ToUtf8(cp1252) == utf8) return cp1252;
    return std::string(kByteOrderMark) + std::string(utf8);
}

std::string DecodeEditorText(std::string_view stored) {
    if (stored.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        const std::string_view rest = stored.substr(kByteOrderMark.size());
        if (ValidUtf8(rest)) return std::string(rest);
    }
    return Cp1252ToUtf8(stored);
}

}  // namespace orvane
