#pragma once

#include <cstdint>
#include <string_view>

namespace orvane {

// Where JSON is written, value by value: a tree of nlohmann-json values in
// the editor and its tools (JsonTree), a text written as it goes in the menu
// player, which must stay small. Inside an object each value follows its Key.
class JsonSink {
public:
    virtual ~JsonSink() = default;
    virtual void Key(std::string_view key) = 0;
    virtual void BeginObject() = 0;
    virtual void EndObject() = 0;
    virtual void BeginArray() = 0;
    virtual void EndArray() = 0;
    virtual void String(std::string_view value) = 0;
    virtual void Int(int64_t value) = 0;
    virtual void Bool(bool value) = 0;
};

}  // namespace orvane
