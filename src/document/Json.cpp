#include "document/Json.h"

#include <nlohmann/json.hpp>

namespace orvane {
namespace {

// A text that is not UTF-8 (a file name, a drive's name) prints with U+FFFD
// rather than making the whole output fail.
std::string Scalar(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

void NewLine(std::string& out, int depth) {
    out += '\n';
    out.append(size_t(depth) * 2, ' ');
}

// A short list of numbers (a version, a rectangle, colours) reads best on one line.
bool OnOneLine(const Json& array) {
    if (array.empty()) return false;
    for (const Json& item : array)
        if (!item.is_number()) return false;
    return true;
}

void Append(std::string& out, const Json& value, int depth) {
    if (value.is_object() || value.is_array()) {
        const bool object = value.is_object();
        if (value.empty()) {
            out += object ? "{}" : "[]";
            return;
        }
        if (!object && OnOneLine(value)) {
            out += '[';
            for (auto item = value.begin(); item != value.end(); ++item) {
                if (item != value.begin()) out += ", ";
                out += Scalar(*item);
            }
            out += ']';
            return;
        }
        out += object ? '{' : '[';
        for (auto item = value.begin(); item != value.end(); ++item) {
            if (item != value.begin()) out += ',';
            NewLine(out, depth + 1);
            if (object) out += Scalar(item.key()) + ": ";
            Append(out, *item, depth + 1);
        }
        NewLine(out, depth);
        out += object ? '}' : ']';
        return;
    }
    out += Scalar(value);
}

}  // namespace

void JsonTree::Key(std::string_view key) { key_ = key; }

void JsonTree::BeginObject() { open_.push_back(&Put(Json::object())); }

void JsonTree::EndObject() { open_.pop_back(); }

void JsonTree::BeginArray() { open_.push_back(&Put(Json::array())); }

void JsonTree::EndArray() { open_.pop_back(); }

void JsonTree::String(std::string_view value) { Put(Json(value)); }

void JsonTree::Int(int64_t value) { Put(Json(value)); }

void JsonTree::Bool(bool value) { Put(Json(value)); }

// Only the innermost open value grows, so the values open around it stay
// where they are.
Json& JsonTree::Put(Json&& value) {
    Json& into = *open_.back();
    if (into.is_array()) {
        into.push_back(std::move(value));
        return into.back();
    }
    if (into.is_object()) return into[key_] = std::move(value);
    return into = std::move(value);
}

std::string JsonText(const Json& value) {
    std::string out;
    Append(out, value, 0);
    out += '\n';
    return out;
}

}  // namespace orvane
