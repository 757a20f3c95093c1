#include "document/Json.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iterator>

// The JSON reader, apart from the writer: the menu player writes JSON but
// never reads it.

namespace orvane {
namespace {

constexpr int kDeepest = 64;

// Walks the text for the parser and counts what it has read, so a fault the
// parser itself cannot see (a number too large, nesting too deep) can be
// placed too.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* at, size_t* read) : at_(at), read_(read) {}
    reference operator*() const { return *at_; }
    CountingIterator& operator++() {
        ++at_;
        ++*read_;
        return *this;
    }
    CountingIterator operator++(int) {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at_ == other.at_; }

private:
    const char* at_;
    size_t* read_;
};

// The library's document builder, with a limit on nesting, whole numbers
// kept within 64 bits and the fault kept for a message in our words.
class Builder : public nlohmann::detail::json_sax_dom_parser<Json> {
public:
    Builder(Json& value, const size_t& read) : json_sax_dom_parser(value, false), read_(read) {}

    std::string Fault;
    size_t FaultAt = 0;  // characters read when the fault was met

    bool start_object(std::size_t size) { return Deeper() && json_sax_dom_parser::start_object(size); }
    bool start_array(std::size_t size) { return Deeper() && json_sax_dom_parser::start_array(size); }
    bool end_object() {
        --depth_;
        return json_sax_dom_parser::end_object();
    }
    bool end_array() {
        --depth_;
        return json_sax_dom_parser::end_array();
    }
    bool number_unsigned(number_unsigned_t value) {
        if (value > number_unsigned_t(INT64_MAX)) return Refuse("a number out of range");
        return json_sax_dom_parser::number_unsigned(value);
    }
    bool number_float(number_float_t value, const string_t& text) {
        // A whole number too large for 64 bits comes as a float.
        if (text.find_first_of(".eE") == string_t::npos) return Refuse("a number out of range");
        return json_sax_dom_parser::number_float(value, text);
    }
    template <class Exception>
    bool parse_error(std::size_t position, const std::string&, const Exception& e) {
        Fault = InOurWords(e.what());
        FaultAt = position;
        return false;
    }

private:
    bool Deeper() { return ++depth_ <= kDeepest || Refuse("nested too deeply"); }
    bool Refuse(const char* what) {
        Fault = what;
        FaultAt = read_;
        return false;
    }

    // The parser's message, as the editor says it. Its messages end in
    // "; expected ..." when a token was out of place.
    static std::string InOurWords(std::string_view message) {
        static const std::pair<const char*, const char*> kSayings[] = {
            {"; expected end of input", "unexpected text"},
            {"ill-formed UTF-8", "the text is not UTF-8 (save the file as UTF-8)"},
            {"surrogate", "a \\u escape names half of a surrogate pair"},
            {"control character", "a control character inside a string"},
            {"missing closing quote", "a string is not closed"},
            {"forbidden character after backslash", "an unknown escape in a string"},
            {"must be followed by 4 hex digits", "a \\u escape needs four hex digits"},
            {"unexpected end of input", "the text ends early"},
            {"; expected ':'", "':' was expected"},
            {"; expected string literal", "a key in double quotes was expected"},
            {"; expected '}'", "',' or '}' was expected"},
            {"; expected ']'", "',' or ']' was expected"},
            {"invalid literal", "unknown word"},
            {"invalid number", "a malformed number"},
            {"number overflow", "a number out of range"},
            {"; expected '[', '{', or a literal", "a value was expected"},
        };
        for (const auto& [theirs, ours] : kSayings)
            if (message.find(theirs) != std::string_view::npos) return ours;
        return "the text is not JSON";
    }

    const size_t& read_;
    int depth_ = 0;
};

std::string Place(std::string_view text, size_t read) {
    // The fault is at the last character read; past the end when the text ended early.
    const size_t at = read == 0 ? 0 : read - 1;
    size_t line = 1, column = 1;
    for (size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

bool ParseJson(std::string_view text, Json& value, std::string& error) {
    value = Json();
    size_t read = 0;
    Builder builder(value, read);
    const CountingIterator begin(text.data(), &read), end(text.data() + text.size(), &read);
    if (Json::sax_parse(begin, end, &builder)) return true;
    value = Json();
    error = Place(text, builder.FaultAt) + ": " + (builder.Fault.empty() ? "the text is not JSON" : builder.Fault);
    return false;
}

}  // namespace orvane
