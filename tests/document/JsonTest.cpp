#include "document/Json.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(Json, ParsesWhatTheWriterWrites) {
    JsonWriter w;
    w.BeginObject().Field("text", "a \"quoted\"\r\nline\t\x01 é").Field("n", int64_t(-42)).Field("b", true);
    w.Key("list").BeginInlineArray().Int(1).Int(2).EndArray();
    w.Key("empty").BeginArray().EndArray();
    w.EndObject();
    JsonValue v;
    std::string error;
    ASSERT_TRUE(ParseJson(w.Text(), v, error)) << error << w.Text();
    EXPECT_EQ(v.Find("text")->Text, "a \"quoted\"\r\nline\t\x01 é");
    EXPECT_EQ(v.Find("n")->Integer, -42);
    EXPECT_TRUE(v.Find("b")->Boolean);
    EXPECT_EQ(v.Find("list")->Items.size(), 2u);
    EXPECT_TRUE(v.Find("empty")->Items.empty());
    EXPECT_NE(w.Text().find("\"list\": [1, 2]"), std::string::npos);
}

TEST(Json, EscapesAndErrors) {
    JsonValue v;
    std::string error;
    ASSERT_TRUE(ParseJson(R"(["\u00e9\ud83d\ude00", 1.5, null, false, "é�"])", v, error)) << error;
    EXPECT_EQ(v.Items[0].Text, "é\xF0\x9F\x98\x80");
    EXPECT_EQ(v.Items[4].Text, "é\xEF\xBF\xBD");
    EXPECT_FALSE(v.Items[1].IsInteger);
    const std::pair<const char*, const char*> bad[] = {
        {"{", "line 1, column 2"},
        {"{\"a\" 1}", "':' was expected"},
        {"[1,]", "a value was expected"},
        {"\"open", "a string is not closed"},
        {"[1] x", "unexpected text"},
        {"{\n  \"a\": tru}", "line 2"},
        {"99999999999999999999999", "out of range"},
        {"[\"\xAF&A\"]", "line 1, column 3: the text is not UTF-8"},  // a Latin-1 file
        {"[\"\xC3\"]", "not UTF-8"},                                // cut short
        {"[\"\xC0\xAF\"]", "not UTF-8"},                            // overlong
        {"[\"\xED\xA0\x80\"]", "not UTF-8"},                        // a surrogate
        {"[\"\\ud83d\"]", "half of a surrogate pair"},
    };
    for (const auto& [text, message] : bad) {
        EXPECT_FALSE(ParseJson(text, v, error)) << text;
        EXPECT_NE(error.find(message), std::string::npos) << text << ": " << error;
    }
    std::string deep(100, '[');
    EXPECT_FALSE(ParseJson(deep, v, error));
    EXPECT_NE(error.find("nested too deeply"), std::string::npos);
}
