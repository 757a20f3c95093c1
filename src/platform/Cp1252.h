#pragma once

#include <string>
#include <string_view>

namespace orvane {

// Text inside files is Windows-1252; text in memory is UTF-8. A character with
// no Windows-1252 form (or a malformed UTF-8 sequence) becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view cp1252);

// The character as the files hold it: itself, or "?" when Windows-1252 has no
// form for it (U+FFFD, standing for a malformed sequence, included).
char32_t AsStoredCharacter(char32_t codePoint);

// Lower-cases Windows-1252 text the way Windows compares file names: ASCII,
// the Latin-1 capitals and the four capitals of 0x80 to 0x9F.
std::string LowerCp1252(std::string_view cp1252);

// Whether two UTF-8 file names are the same name to Windows once written in
// Windows-1252 (a character without a Windows-1252 form counts as "?").
bool SameWindowsName(std::string_view utf8a, std::string_view utf8b);

// Text only the editor reads back (its own paths): Windows-1252 when that
// holds it exactly, so older editors read it as before; otherwise UTF-8
// behind a byte-order mark, which no Windows-1252 path begins with.
std::string EncodeEditorText(std::string_view utf8);
std::string DecodeEditorText(std::string_view stored);

// Decodes one UTF-8 sequence at text[i] and advances i past it; a malformed
// sequence is one U+FFFD. Every reader of UTF-8 in the editor decodes with
// this, so the pictures and the files agree on what a text holds.
char32_t DecodeUtf8(std::string_view text, size_t& i);

// The length of the well-formed UTF-8 sequence at text[i], or 0 when the bytes
// there are malformed (overlong, a surrogate, cut short, a stray byte).
size_t Utf8SequenceLength(std::string_view text, size_t i);

// The number of characters (code points) of UTF-8 text.
size_t CharacterCount(std::string_view utf8);

// Appends one code point as UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace orvane
