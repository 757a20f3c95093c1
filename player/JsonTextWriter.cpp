#include "player/JsonTextWriter.h"

namespace orvane::player {

void JsonTextWriter::BeforeValue(bool number) {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (level.Array && level.Items == 0) level.OneLine = number;
    if (level.Items > 0) out_ += level.OneLine ? ", " : ",";
    if (!level.OneLine) {
        out_ += '\n';
        out_.append(levels_.size() * 2, ' ');
    }
    ++level.Items;
}

void JsonTextWriter::Close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.Items > 0 && !level.OneLine) {
        out_ += '\n';
        out_.append(levels_.size() * 2, ' ');
    }
    out_ += bracket;
    if (levels_.empty()) out_ += '\n';
}

// Escaped as nlohmann-json escapes, so both sides print the same text.
void JsonTextWriter::Quote(std::string_view text) {
    static const char* const kHex = "0123456789abcdef";
    out_ += '"';
    for (const char ch : text) {
        const auto c = uint8_t(ch);
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\b': out_ += "\\b"; break;
            case '\f': out_ += "\\f"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (c < 0x20) {
                    out_ += "\\u00";
                    out_ += kHex[c >> 4];
                    out_ += kHex[c & 15];
                } else {
                    out_ += ch;
                }
        }
    }
    out_ += '"';
}

void JsonTextWriter::Key(std::string_view key) {
    BeforeValue(false);
    Quote(key);
    out_ += ": ";
    afterKey_ = true;
}

void JsonTextWriter::BeginObject() {
    BeforeValue(false);
    out_ += '{';
    levels_.push_back({});
}

void JsonTextWriter::EndObject() { Close('}'); }

void JsonTextWriter::BeginArray() {
    BeforeValue(false);
    out_ += '[';
    levels_.push_back({true, false, 0});
}

void JsonTextWriter::EndArray() { Close(']'); }

void JsonTextWriter::String(std::string_view value) {
    BeforeValue(false);
    Quote(value);
}

void JsonTextWriter::Int(int64_t value) {
    BeforeValue(true);
    out_ += std::to_string(value);
}

void JsonTextWriter::Bool(bool value) {
    BeforeValue(false);
    out_ += value ? "true" : "false";
}

}  // namespace orvane::player
