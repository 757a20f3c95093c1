#pragma once

#include "document/JsonSink.h"

#include <string>
#include <vector>

namespace orvane::player {

// The player's JSON: written as it goes, in the layout the editor's tools
// print (two-space indents, one member or item a line, a list of numbers on
// one line, a line break at the end). The tools build their JSON with
// nlohmann-json, which would take the player past its size.
class JsonTextWriter final : public JsonSink {
public:
    void Key(std::string_view key) override;
    void BeginObject() override;
    void EndObject() override;
    void BeginArray() override;
    void EndArray() override;
    void String(std::string_view value) override;
    void Int(int64_t value) override;
    void Bool(bool value) override;

    const std::string& Text() const { return out_; }

private:
    struct Level {
        bool Array = false;
        bool OneLine = false;  // an array whose first item is a number
        size_t Items = 0;
    };
    void BeforeValue(bool number);
    void Close(char bracket);
    void Quote(std::string_view text);

    std::string out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace orvane::player
