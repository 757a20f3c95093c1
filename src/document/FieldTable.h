#pragma once

#include "document/JsonSink.h"
#include "document/MenuType.h"

#include <array>
#include <climits>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>

// The fields of a record type, listed once in a table (see MenuFields.h and
// the style files' tables): what each is called, where it is kept, how it is
// stored and what values it may take. The record files' readers and writers,
// the range checks, the JSON export and the JSON import all walk these
// tables, so a field cannot be stored one way and read another.

namespace orvane {

class RecordFile;

// How a field is stored in its records and shown as JSON.
enum class FieldType : uint8_t {
    Text,          // a text record
    LineText,      // a text record whose line breaks are written as CR LF
    EditorText,    // a text record only the editor reads back (its own paths)
    Integer,       // an integer record (a number, or a code of an enum class)
    Size,          // a 32-bit record holding a number
    Colour,        // a 32-bit record holding a colour value
    Flag,          // an integer record written 1/0; on when not 0
    StyleFlag,     // an integer record written -1/0; on only for -1
    MinusOneFlag,  // an integer record written -1/0; on when not 0
    IntFlag,       // an integer record kept as stored, 0 off; JSON shows the number
    StoredFlag,    // an integer record kept as stored, 0 off; JSON shows true or false
    Font,          // the seven records of a font (kFontFields)
    Rect,          // four integer records: left, top, width, height
    Picture,       // a picture record of artwork (kArtworkPictureBounds)
};

// What reading does with a stored value outside the field's range.
enum class RangeRule : uint8_t {
    None,   // kept as stored: the range bounds only what an import accepts
    Clamp,  // brought to the nearer end
    Code,   // a code without a meaning: see BringIntoRange
};

// Something particular about one field.
enum class FieldNote : uint8_t {
    None,
    Version9,  // stored from major version 9 on
    Derived,   // worked out from other values when written or applied; an import ignores it
    Layout,    // placed by the layout; an import ignores it and a document keeps its own
    FontName,  // a font's name: an import refuses an empty one
};

inline constexpr ValueRange kAnyValue{INT32_MIN, INT32_MAX};

// The names of a Rect field's four values.
inline constexpr std::array<const char*, 4> kRectSides{"Left", "Top", "Width", "Height"};

// Where a record of type R keeps a field: a function giving the member.
template <class R>
using FieldMember = std::variant<std::string& (*)(R&), int32_t& (*)(R&), uint32_t& (*)(R&), bool& (*)(R&),
                                 FontSpec& (*)(R&), std::array<int32_t, 4>& (*)(R&), Bitmap& (*)(R&),
                                 Alignment& (*)(R&)>;
// The index of the code members in FieldMember: stored as integers.
inline constexpr size_t kCodeMemberKind = 7;

// One line of a table. A field's default is its member's value in a record
// made with R{}: the struct's own initialiser.
template <class R>
struct Field {
    const char* Name;  // the record's name and its JSON key
    FieldType Type;
    FieldMember<R> Member;
    ValueRange Range = kAnyValue;
    RangeRule Rule = RangeRule::None;
    FieldNote Note = FieldNote::None;
    bool (*Present)(const R&) = nullptr;  // stored only when this says so; null: always

    template <class T>
    T& Of(R& record) const {
        return std::get<T& (*)(R&)>(Member)(record);
    }
};

// A table given to the functions below; the record argument decides R.
template <class R>
using FieldsOf = std::type_identity_t<std::span<const Field<R>>>;

// The member a field is kept in, from a lambda that fits every record type
// holding the field:  In<R>([](auto& m) -> auto& { return m.Props.Title; })
template <class R, class Get>
constexpr FieldMember<R> In(Get get) {
    using T = std::remove_reference_t<decltype(get(std::declval<R&>()))>;
    return static_cast<T& (*)(R&)>(get);
}

// The member type a field type is kept in, as an index into FieldMember.
constexpr size_t MemberKind(FieldType type) {
    switch (type) {
        case FieldType::Text:
        case FieldType::LineText:
        case FieldType::EditorText: return 0;
        case FieldType::Integer:
        case FieldType::Size:
        case FieldType::IntFlag:
        case FieldType::StoredFlag: return 1;
        case FieldType::Colour: return 2;
        case FieldType::Flag:
        case FieldType::StyleFlag:
        case FieldType::MinusOneFlag: return 3;
        case FieldType::Font: return 4;
        case FieldType::Rect: return 5;
        case FieldType::Picture: return 6;
    }
    return 8;
}

// Whether each field's type and member agree, and only numbers have range
// rules; checked once per table.
template <class R, size_t N>
constexpr bool MembersFitTypes(const std::array<Field<R>, N>& table) {
    for (const Field<R>& f : table) {
        const bool code = f.Member.index() == kCodeMemberKind && f.Type == FieldType::Integer;
        if (f.Member.index() != MemberKind(f.Type) && !code) return false;
        if (f.Rule != RangeRule::None && f.Member.index() != MemberKind(FieldType::Integer) && !code) return false;
    }
    return true;
}

// The field of a table with this name; a name not in the table does not compile
// where the lookup is a constant.
template <class R, size_t N>
consteval const Field<R>& FieldNamed(const std::array<Field<R>, N>& table, std::string_view name) {
    for (const Field<R>& f : table)
        if (name == f.Name) return f;
    throw "no field has this name";
}

template <class R, size_t N>
consteval size_t FieldIndex(const std::array<Field<R>, N>& table, std::string_view name) {
    for (size_t i = 0; i < N; ++i)
        if (name == table[i].Name) return i;
    throw "no field has this name";
}

// --- Reading ---------------------------------------------------------------

// Reads the records of a table in order. After a record of an unexpected kind
// it reads no more (the file's FileOpFailed stays set), so the fields after it
// keep the values they had. Data that ends early throws RecordFormatError.
class FieldReader {
public:
    explicit FieldReader(RecordFile& file);
    bool Ok() const;

    void Read(FieldType type, std::string& value);
    void Read(FieldType type, int32_t& value);
    void Read(FieldType type, uint32_t& value);
    void Read(FieldType type, bool& value);
    void Read(FieldType type, FontSpec& value);
    void Read(FieldType type, std::array<int32_t, 4>& value);
    void Read(FieldType type, Bitmap& value);
    template <class Code>
        requires std::is_enum_v<Code>
    void Read(FieldType type, Code& value) {
        int32_t stored = int32_t(value);
        Read(type, stored);
        value = Code(stored);
    }

private:
    RecordFile& file_;
};

// Reads the fields stored by a file of this major version; returns how many
// were read whole (the rest keep their values).
template <class R>
size_t ReadFields(FieldReader& reader, FieldsOf<R> table, R& record, int majorVersion = INT_MAX) {
    size_t read = 0;
    for (const Field<R>& f : table) {
        if (f.Note == FieldNote::Version9 && majorVersion < 9) continue;
        if (f.Present && !f.Present(record)) continue;
        if (!reader.Ok()) break;
        std::visit([&](auto member) { reader.Read(f.Type, member(record)); }, f.Member);
        if (reader.Ok()) ++read;
    }
    return read;
}

// Brings every field that has a range into it: a size to the nearer end, a
// code without a meaning back to what `before` holds (a carrier keeps its
// value) or, without `before`, to the field's default.
void BringFontIntoRange(FontSpec& font, const FontSpec* before);

template <class R>
void BringIntoRange(FieldsOf<R> table, R& record, const std::type_identity_t<R>* before = nullptr) {
    static const R defaults{};
    for (const Field<R>& f : table) {
        if (f.Type == FieldType::Font) {
            const auto member = std::get<FontSpec& (*)(R&)>(f.Member);
            BringFontIntoRange(member(record), before ? &member(const_cast<R&>(*before)) : nullptr);
            continue;
        }
        if (f.Rule == RangeRule::None) continue;
        std::visit(
            [&](auto member) {
                using T = std::remove_reference_t<decltype(member(record))>;
                if constexpr (std::is_same_v<T, int32_t> || std::is_enum_v<T>) {
                    T& v = member(record);
                    const auto stored = int32_t(v);
                    if (f.Rule == RangeRule::Clamp)
                        v = T(f.Range.Clamp(stored));
                    else if (stored < f.Range.Min || stored > f.Range.Max)
                        v = member(const_cast<R&>(before ? *before : defaults));
                }
            },
            f.Member);
    }
}

// --- Writing (the editor's side; the player never writes) ------------------

void WriteValue(RecordFile& file, FieldType type, const std::string& value);
void WriteValue(RecordFile& file, FieldType type, int32_t value);
void WriteValue(RecordFile& file, FieldType type, uint32_t value);
void WriteValue(RecordFile& file, FieldType type, bool value);
void WriteValue(RecordFile& file, FieldType type, const FontSpec& value);
void WriteValue(RecordFile& file, FieldType type, const std::array<int32_t, 4>& value);
template <class Code>
    requires std::is_enum_v<Code>
void WriteValue(RecordFile& file, FieldType type, Code value) {
    WriteValue(file, type, int32_t(value));
}
// Pictures are numbered by their place among the table's pictures.
void WritePictureValue(RecordFile& file, int number, const Bitmap& value);

template <class R>
void WriteFields(RecordFile& file, FieldsOf<R> table, const R& record) {
    int picture = 0;
    for (const Field<R>& f : table) {
        if (f.Present && !f.Present(record)) continue;
        std::visit(
            [&](auto member) {
                const auto& value = member(const_cast<R&>(record));
                if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Bitmap>)
                    WritePictureValue(file, picture++, value);
                else
                    WriteValue(file, f.Type, value);
            },
            f.Member);
    }
}

// --- Copying between two record types of one table -------------------------

// Copies the fields `take` accepts (given each field's index) from one record
// to another; both tables must be the same table for two record types.
template <class From, class To, class Take>
void CopyFields(FieldsOf<From> fromTable, const From& from, FieldsOf<To> toTable, To& to, Take take) {
    for (size_t i = 0; i < fromTable.size() && i < toTable.size(); ++i) {
        if (!take(i)) continue;
        std::visit(
            [&](auto get) {
                using T = std::remove_reference_t<decltype(get(const_cast<From&>(from)))>;
                toTable[i].template Of<T>(to) = get(const_cast<From&>(from));
            },
            fromTable[i].Member);
    }
}

// --- JSON ------------------------------------------------------------------

void WriteValueJson(JsonSink& json, FieldType type, const std::string& value);
void WriteValueJson(JsonSink& json, FieldType type, int32_t value);
void WriteValueJson(JsonSink& json, FieldType type, uint32_t value);
void WriteValueJson(JsonSink& json, FieldType type, bool value);
void WriteValueJson(JsonSink& json, FieldType type, const FontSpec& value);
void WriteValueJson(JsonSink& json, FieldType type, const std::array<int32_t, 4>& value);
void WriteValueJson(JsonSink& json, FieldType type, const Bitmap& value);
template <class Code>
    requires std::is_enum_v<Code>
void WriteValueJson(JsonSink& json, FieldType type, Code value) {
    WriteValueJson(json, type, int32_t(value));
}

// The fields a file of this major version stores, as the members of the JSON
// object being written, in the table's order.
template <class R>
void WriteFieldsJson(JsonSink& json, FieldsOf<R> table, const R& record, int majorVersion = INT_MAX) {
    for (const Field<R>& f : table) {
        if (f.Note == FieldNote::Version9 && majorVersion < 9) continue;
        if (f.Present && !f.Present(record)) continue;
        json.Key(f.Name);
        std::visit([&](auto member) { WriteValueJson(json, f.Type, member(const_cast<R&>(record))); }, f.Member);
    }
}

}  // namespace orvane
