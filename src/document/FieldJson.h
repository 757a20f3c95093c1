#pragma once

#include "document/FieldTable.h"
#include "document/Json.h"

#include <nlohmann/json.hpp>

// The editor's JSON side of the field tables: a record as a JSON value, and a
// JSON object taken into a record.

namespace orvane {

// The fields a file of this major version stores, as one JSON object.
template <class R>
Json FieldsJson(FieldsOf<R> table, const R& record, int majorVersion = INT_MAX) {
    Json object;
    JsonTree tree(object);
    tree.BeginObject();
    WriteFieldsJson(tree, table, record, majorVersion);
    tree.EndObject();
    return object;
}

// Takes typed values out of imported JSON, naming the key of the first fault
// in the editor's words.
class FieldImport {
public:
    std::string Error;
    bool Ok() const { return Error.empty(); }
    void Fail(const std::string& key, const std::string& what);

    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note,
              std::string& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, int32_t& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, uint32_t& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, bool& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, FontSpec& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note,
              std::array<int32_t, 4>& out);
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, Bitmap& out);
    template <class Code>
        requires std::is_enum_v<Code>
    void Take(const std::string& key, const Json& v, FieldType type, ValueRange range, FieldNote note, Code& out) {
        int32_t n = int32_t(out);
        Take(key, v, type, range, note, n);
        out = Code(n);
    }
};

// Whether an import takes a field at all: derived and layout values are
// worked out again, so an import accepts and ignores them.
inline bool Imported(FieldNote note) { return note != FieldNote::Derived && note != FieldNote::Layout; }

// Takes the members of a JSON object into a record through its table: a key
// not in the table is refused, a value of the wrong type or out of range too.
// `prefix` leads every key named in a fault ("TextFont." for a font). Returns
// the indices of the fields it took, in the object's order, or stops at the
// first fault.
template <class R>
std::vector<size_t> ImportFields(FieldImport& c, const Json& object, FieldsOf<R> table, R& record,
                                 const std::string& prefix = {}) {
    std::vector<size_t> given;
    for (auto member = object.begin(); member != object.end(); ++member) {
        const std::string key = prefix + member.key();
        size_t i = 0;
        while (i < table.size() && member.key() != table[i].Name) ++i;
        if (i == table.size()) {
            c.Fail(key, "unknown key");
            break;
        }
        const Field<R>& f = table[i];
        if (!Imported(f.Note)) continue;
        std::visit([&](auto get) { c.Take(key, member.value(), f.Type, f.Range, f.Note, get(record)); }, f.Member);
        if (!c.Ok()) break;
        given.push_back(i);
    }
    return given;
}

}  // namespace orvane
