#include "document/FieldJson.h"

#include "document/MenuFields.h"

namespace orvane {

void FieldImport::Fail(const std::string& key, const std::string& what) {
    if (Error.empty()) Error = "\"" + key + "\": " + what;
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType, ValueRange, FieldNote note,
                       std::string& out) {
    if (!v.is_string()) return Fail(key, "a text is expected");
    const std::string& text = v.get_ref<const std::string&>();
    if (note == FieldNote::FontName && text.empty()) return Fail(key, "a font name is expected");
    out = text;
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote,
                       int32_t& out) {
    if (type == FieldType::IntFlag && v.is_boolean()) {
        out = v.get<bool>() ? 1 : 0;
        return;
    }
    if (type == FieldType::StoredFlag) {
        if (!v.is_boolean()) return Fail(key, "true or false is expected");
        out = v.get<bool>() ? 1 : 0;
        return;
    }
    // The parser refuses whole numbers beyond 64 bits.
    if (!v.is_number_integer()) return Fail(key, "a whole number is expected");
    const int64_t n = v.get<int64_t>();
    if (n < range.Min || n > range.Max)
        return Fail(key,
                    std::to_string(n) + " is not " + std::to_string(range.Min) + " to " + std::to_string(range.Max));
    out = int32_t(n);
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType, ValueRange, FieldNote, uint32_t& out) {
    if (!v.is_number_integer()) return Fail(key, "a colour value is expected");
    const int64_t n = v.get<int64_t>();
    const bool rgb = n >= 0 && n <= 0xFFFFFF;
    const bool system = n >= 0xFF000000LL && n <= 0xFF0000FFLL;
    if (!rgb && !system) return Fail(key, std::to_string(n) + " is not a colour value");
    out = uint32_t(n);
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType, ValueRange, FieldNote, bool& out) {
    if (!v.is_boolean()) return Fail(key, "true or false is expected");
    out = v.get<bool>();
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType, ValueRange, FieldNote, FontSpec& out) {
    if (!v.is_object()) return Fail(key, "a font object is expected");
    ImportFields(*this, v, kFontFields, out, key + ".");
}

void FieldImport::Take(const std::string& key, const Json& v, FieldType, ValueRange, FieldNote,
                       std::array<int32_t, 4>& out) {
    if (!v.is_object()) return Fail(key, "an object is expected");
    std::array<int32_t, 4> rect = out;
    for (const auto& [side, value] : v.items()) {
        size_t i = 0;
        while (i < 4 && side != kRectSides[i]) ++i;
        if (i == 4) return Fail(key + "." + side, "unknown key");
        Take(key + "." + side, value, FieldType::Integer, kAnyValue, FieldNote::None, rect[i]);
        if (!Ok()) return;
    }
    out = rect;
}

void FieldImport::Take(const std::string& key, const Json&, FieldType, ValueRange, FieldNote, Bitmap&) {
    Fail(key, "a picture cannot be given as JSON");
}

}  // namespace orvane
