#include "Json.h"

#include <cassert>

namespace orvane {

std::string JsonQuote(std::string_view text) {
    static const char* hex = "0123456789abcdef";
    std::string out = "\"";
    for (char ch : text) {
        const auto c = uint8_t(ch);
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += hex[c >> 4];
                    out += hex[c & 15];
                } else {
                    out += char(c);
                }
        }
    }
    return out + "\"";
}

void JsonWriter::NewLine() {
    if (!inline_.empty() && inline_.back()) {
        if (hasItems_.back()) out_ += ' ';
        return;
    }
    out_ += '\n';
    out_.append(hasItems_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItems_.empty()) {
        const bool first = !hasItems_.back();
        if (!first) out_ += ',';
        if (!first || !inline_.back()) NewLine();
        hasItems_.back() = true;
    }
}

JsonWriter& JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    hasItems_.push_back(false);
    inline_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::EndObject() {
    assert(!hasItems_.empty() && "EndObject without BeginObject");
    const bool any = hasItems_.back();
    hasItems_.pop_back();
    inline_.pop_back();
    if (any) NewLine();
    out_ += '}';
    if (hasItems_.empty()) out_ += '\n';
    return *this;
}

JsonWriter& JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    hasItems_.push_back(false);
    inline_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::BeginInlineArray() {
    BeforeValue();
    out_ += '[';
    hasItems_.push_back(false);
    inline_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::EndArray() {
    assert(!hasItems_.empty() && "EndArray without BeginArray");
    const bool any = hasItems_.back() && !inline_.back();
    hasItems_.pop_back();
    inline_.pop_back();
    if (any) NewLine();
    out_ += ']';
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    BeforeValue();
    out_ += JsonQuote(key);
    out_ += ": ";
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
    BeforeValue();
    out_ += JsonQuote(value);
    return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
    BeforeValue();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
    return *this;
}

JsonValue::JsonValue() = default;
JsonValue::JsonValue(const JsonValue&) = default;
JsonValue::JsonValue(JsonValue&&) noexcept = default;
JsonValue& JsonValue::operator=(const JsonValue&) = default;
JsonValue& JsonValue::operator=(JsonValue&&) noexcept = default;
JsonValue::~JsonValue() = default;

}  // namespace orvane
