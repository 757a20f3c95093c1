#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A small streaming JSON writer: objects keep the order in which keys are
// written, strings are UTF-8 with the required escapes.
class JsonWriter {
public:
    JsonWriter& BeginObject();
    JsonWriter& EndObject();
    JsonWriter& BeginArray();
    // An array of a few numbers, kept on one line.
    JsonWriter& BeginInlineArray();
    JsonWriter& EndArray();
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view value);
    JsonWriter& Int(int64_t value);
    JsonWriter& Bool(bool value);

    // Shortcuts for a key and its value.
    JsonWriter& Field(std::string_view key, std::string_view value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, const char* value) { return Key(key).String(value); }
    JsonWriter& Field(std::string_view key, int64_t value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, int32_t value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, uint32_t value) { return Key(key).Int(value); }
    JsonWriter& Field(std::string_view key, bool value) { return Key(key).Bool(value); }

    const std::string& Text() const { return out_; }

private:
    void BeforeValue();
    void NewLine();

    std::string out_;
    std::vector<bool> hasItems_;
    std::vector<bool> inline_;
    bool afterKey_ = false;
};

std::string JsonQuote(std::string_view text);

// A parsed JSON value. Objects keep their keys in file order.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind Type = Kind::Null;
    bool Boolean = false;
    double Number = 0;
    bool IsInteger = false;  // written without fraction or exponent
    int64_t Integer = 0;
    std::string Text;
    std::vector<JsonValue> Items;
    std::vector<std::pair<std::string, JsonValue>> Members;

    // Defined where std::pair<std::string, JsonValue> is complete: clang with
    // libstdc++ in C++20 instantiates the inline ones too early.
    JsonValue();
    JsonValue(const JsonValue&);
    JsonValue(JsonValue&&) noexcept;
    JsonValue& operator=(const JsonValue&);
    JsonValue& operator=(JsonValue&&) noexcept;
    ~JsonValue();

    const JsonValue* Find(std::string_view key) const;
};

// Parses a whole JSON text; on a syntax error returns false with a message
// naming the line and column.
bool ParseJson(std::string_view text, JsonValue& value, std::string& error);

}  // namespace orvane
