#include "Json.h"

#include "platform/Cp1252.h"

#include <cassert>
#include <cstdlib>

// The JSON reader, apart from the writer: the menu player writes JSON but
// never reads it.

namespace orvane {

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (const auto& [k, v] : Members)
        if (k == key) return &v;
    return nullptr;
}

namespace {

class JsonParser {
public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    bool Parse(JsonValue& value, std::string& error) {
        if (!Value(value, 0) || (Skip(), pos_ != text_.size())) {
            if (error_.empty()) error_ = "unexpected text";
            size_t line = 1, column = 1;
            for (size_t i = 0; i < pos_ && i < text_.size(); ++i) {
                if (text_[i] == '\n') {
                    ++line;
                    column = 1;
                } else {
                    ++column;
                }
            }
            error = "line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + error_;
            return false;
        }
        return true;
    }

private:
    void Skip() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
            ++pos_;
    }
    bool Fail(const char* message) {
        if (error_.empty()) error_ = message;
        return false;
    }
    bool Literal(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) return Fail("unknown word");
        pos_ += word.size();
        return true;
    }

    bool Value(JsonValue& v, int depth) {
        if (depth > 64) return Fail("nested too deeply");
        Skip();
        if (pos_ >= text_.size()) return Fail("the text ends early");
        const char c = text_[pos_];
        if (c == '{') return Object(v, depth);
        if (c == '[') return Array(v, depth);
        if (c == '"') {
            v.Type = JsonValue::Kind::String;
            return String(v.Text);
        }
        if (c == 't' || c == 'f') {
            v.Type = JsonValue::Kind::Bool;
            v.Boolean = c == 't';
            return Literal(v.Boolean ? "true" : "false");
        }
        if (c == 'n') {
            v.Type = JsonValue::Kind::Null;
            return Literal("null");
        }
        return NumberValue(v);
    }

    bool Object(JsonValue& v, int depth) {
        v.Type = JsonValue::Kind::Object;
        ++pos_;
        Skip();
        if (pos_ < text_.size() && text_[pos_] == '}') {
            ++pos_;
            return true;
        }
        for (;;) {
            Skip();
            std::string key;
            if (pos_ >= text_.size() || text_[pos_] != '"') return Fail("a key in double quotes was expected");
            if (!String(key)) return false;
            Skip();
            if (pos_ >= text_.size() || text_[pos_] != ':') return Fail("':' was expected");
            ++pos_;
            JsonValue member;
            if (!Value(member, depth + 1)) return false;
            v.Members.emplace_back(std::move(key), std::move(member));
            Skip();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == '}') {
                ++pos_;
                return true;
            }
            return Fail("',' or '}' was expected");
        }
    }

    bool Array(JsonValue& v, int depth) {
        v.Type = JsonValue::Kind::Array;
        ++pos_;
        Skip();
        if (pos_ < text_.size() && text_[pos_] == ']') {
            ++pos_;
            return true;
        }
        for (;;) {
            JsonValue item;
            if (!Value(item, depth + 1)) return false;
            v.Items.push_back(std::move(item));
            Skip();
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            if (pos_ < text_.size() && text_[pos_] == ']') {
                ++pos_;
                return true;
            }
            return Fail("',' or ']' was expected");
        }
    }


    bool Hex4(uint32_t& cp) {
        if (pos_ + 4 > text_.size()) return Fail("a \\u escape ends early");
        cp = 0;
        for (int i = 0; i < 4; ++i) {
            const char h = text_[pos_++];
            cp <<= 4;
            if (h >= '0' && h <= '9') cp |= uint32_t(h - '0');
            else if (h >= 'a' && h <= 'f') cp |= uint32_t(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F') cp |= uint32_t(h - 'A' + 10);
            else return Fail("a \\u escape needs four hex digits");
        }
        return true;
    }

    bool String(std::string& out) {
        ++pos_;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"') return true;
            if (uint8_t(c) < 0x20) return Fail("a control character inside a string");
            if (uint8_t(c) >= 0x80) {
                // The text goes into the menu as it is: a byte that is not
                // UTF-8 would draw one thing and be stored as another.
                const size_t length = Utf8SequenceLength(text_, pos_ - 1);
                if (length == 0) {
                    --pos_;
                    return Fail("the text is not UTF-8 (save the file as UTF-8)");
                }
                out.append(text_.substr(pos_ - 1, length));
                pos_ += length - 1;
                continue;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (pos_ >= text_.size()) break;
            const char e = text_[pos_++];
            switch (e) {
                case '"': out += '"'; break;
                case '\\': out += '\\'; break;
                case '/': out += '/'; break;
                case 'b': out += '\b'; break;
                case 'f': out += '\f'; break;
                case 'n': out += '\n'; break;
                case 'r': out += '\r'; break;
                case 't': out += '\t'; break;
                case 'u': {
                    uint32_t cp;
                    if (!Hex4(cp)) return false;
                    if (cp >= 0xD800 && cp < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
                        pos_ += 2;
                        uint32_t low;
                        if (!Hex4(low)) return false;
                        if (low >= 0xDC00 && low < 0xE000) cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    }
                    if (cp >= 0xD800 && cp < 0xE000) return Fail("a \\u escape names half of a surrogate pair");
                    AppendUtf8(out, char32_t(cp));
                    break;
                }
                default: return Fail("an unknown escape in a string");
            }
        }
        return Fail("a string is not closed");
    }

    bool NumberValue(JsonValue& v) {
        const size_t start = pos_;
        if (pos_ < text_.size() && text_[pos_] == '-') ++pos_;
        bool digits = false, integer = true;
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c >= '0' && c <= '9') {
                digits = true;
            } else if (c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-') {
                integer = false;
            } else {
                break;
            }
            ++pos_;
        }
        if (!digits) return Fail("a value was expected");
        const std::string number(text_.substr(start, pos_ - start));
        v.Type = JsonValue::Kind::Number;
        try {
            v.Number = std::stod(number);
            if (integer) {
                v.Integer = std::stoll(number);
                v.IsInteger = true;
            }
        } catch (const std::exception&) {
            return Fail("a number out of range");
        }
        return true;
    }

    std::string_view text_;
    size_t pos_ = 0;
    std::string error_;
};

}  // namespace

bool ParseJson(std::string_view text, JsonValue& value, std::string& error) {
    value = JsonValue{};
    return JsonParser(text).Parse(value, error);
}

}  // namespace orvane
