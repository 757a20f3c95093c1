#include "document/Json.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

using namespace orvane;

TEST(Json, PrintsInTheToolsLayoutAndParsesItBack) {
    Json j = Json::object();
    j["text"] = "a \"quoted\"\r\nline\t\x01 é";
    j["n"] = -42;
    j["b"] = true;
    j["list"] = {1, 2};
    j["empty"] = Json::array();
    j["rows"] = Json::array({{"x", 1}, Json::array({3, 4})});
    const std::string text = JsonText(j);
    EXPECT_EQ(text,
              "{\n"
              "  \"text\": \"a \\\"quoted\\\"\\r\\nline\\t\\u0001 é\",\n"
              "  \"n\": -42,\n"
              "  \"b\": true,\n"
              "  \"list\": [1, 2],\n"
              "  \"empty\": [],\n"
              "  \"rows\": [\n"
              "    [\n"
              "      \"x\",\n"
              "      1\n"
              "    ],\n"
              "    [3, 4]\n"
              "  ]\n"
              "}\n");
    Json back;
    std::string error;
    ASSERT_TRUE(ParseJson(text, back, error)) << error;
    EXPECT_EQ(back, j);
}

TEST(Json, EscapesAndErrors) {
    Json v;
    std::string error;
    ASSERT_TRUE(ParseJson(R"(["\u00e9\ud83d\ude00", 1.5, null, false, "é�"])", v, error)) << error;
    EXPECT_EQ(v[0], "é\xF0\x9F\x98\x80");
    EXPECT_EQ(v[4], "é\xEF\xBF\xBD");
    EXPECT_FALSE(v[1].is_number_integer());
    const std::pair<const char*, const char*> bad[] = {
        {"{", "line 1, column 2"},
        {"{\"a\" 1}", "':' was expected"},
        {"[1,]", "a value was expected"},
        {"\"open", "a string is not closed"},
        {"[1] x", "unexpected text"},
        {"{\n  \"a\": tru}", "line 2"},
        {"99999999999999999999999", "out of range"},
        {"[18446744073709551615]", "out of range"},
        {"[\"\xAF&A\"]", "line 1, column 3: the text is not UTF-8"},  // a Latin-1 file
        {"[\"\xC3\"]", "not UTF-8"},                                // cut short
        {"[\"\xC0\xAF\"]", "not UTF-8"},                            // overlong
        {"[\"\xED\xA0\x80\"]", "not UTF-8"},                        // a surrogate
        {"[\"\\ud83d\"]", "half of a surrogate pair"},
        {"[\"\\ude00\"]", "half of a surrogate pair"},
    };
    for (const auto& [text, message] : bad) {
        EXPECT_FALSE(ParseJson(text, v, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << text << ": " << error;
    }
    std::string deep(100, '[');
    EXPECT_FALSE(ParseJson(deep, v, error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
}
