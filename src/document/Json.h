#pragma once

#include "document/JsonSink.h"

#include <nlohmann/json_fwd.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// A JSON value whose objects keep their keys in the order they were added.
using Json = nlohmann::ordered_json;

// The text the tools print: two-space indents, one member or item a line,
// a list of numbers on one line, a line break at the end.
std::string JsonText(const Json& value);

// Parses a whole JSON text. On a fault, false with a message that names the
// line and column ("line 1, column 3: the text is not UTF-8 ...").
bool ParseJson(std::string_view text, Json& value, std::string& error);

// Writes into a JSON value: into `root` itself when it is null, else as the
// members or items of the object or array it is.
class JsonTree final : public JsonSink {
public:
    explicit JsonTree(Json& root) : open_{&root} {}
    void Key(std::string_view key) override;
    void BeginObject() override;
    void EndObject() override;
    void BeginArray() override;
    void EndArray() override;
    void String(std::string_view value) override;
    void Int(int64_t value) override;
    void Bool(bool value) override;

private:
    Json& Put(Json&& value);

    std::vector<Json*> open_;  // the innermost value being filled last
    std::string key_;
};

}  // namespace orvane
