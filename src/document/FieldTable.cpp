#include "document/FieldTable.h"

#include "document/MenuFields.h"
#include "document/mdlfilebin.h"

namespace orvane {

FieldReader::FieldReader(RecordFile& file) : file_(file) { file_.FileOpFailed = false; }

bool FieldReader::Ok() const { return !file_.FileOpFailed; }

void FieldReader::Read(FieldType type, std::string& value) {
    if (!Ok()) return;
    value = type == FieldType::EditorText ? file_.ReadEditorText() : file_.ReadText();
}

void FieldReader::Read(FieldType type, int32_t& value) {
    if (!Ok()) return;
    value = type == FieldType::Size ? int32_t(file_.ReadLong()) : file_.ReadInteger();
}

void FieldReader::Read(FieldType, uint32_t& value) {
    if (Ok()) value = file_.ReadLong();
}

void FieldReader::Read(FieldType type, bool& value) {
    if (!Ok()) return;
    const int32_t stored = file_.ReadInteger();
    value = type == FieldType::StyleFlag ? stored == -1 : stored != 0;
}

void FieldReader::Read(FieldType, FontSpec& value) { ReadFields(*this, kFontFields, value); }

void FieldReader::Read(FieldType, std::array<int32_t, 4>& value) {
    for (int32_t& v : value)
        if (Ok()) v = file_.ReadInteger();
}

void FieldReader::Read(FieldType, Bitmap& value) {
    if (Ok()) file_.ReadPicture(value, false, kArtworkPictureBounds);
}

void BringFontIntoRange(FontSpec& font, const FontSpec* before) {
    BringIntoRange(kFontFields, font, before);
}

void WriteValueJson(JsonSink& json, FieldType, const std::string& value) { json.String(value); }

void WriteValueJson(JsonSink& json, FieldType type, int32_t value) {
    if (type == FieldType::StoredFlag)
        json.Bool(value != 0);
    else
        json.Int(value);
}

void WriteValueJson(JsonSink& json, FieldType, uint32_t value) { json.Int(value); }

void WriteValueJson(JsonSink& json, FieldType, bool value) { json.Bool(value); }

void WriteValueJson(JsonSink& json, FieldType, const FontSpec& value) {
    json.BeginObject();
    WriteFieldsJson(json, kFontFields, value);
    json.EndObject();
}

void WriteValueJson(JsonSink& json, FieldType, const std::array<int32_t, 4>& value) {
    json.BeginObject();
    for (size_t i = 0; i < 4; ++i) {
        json.Key(kRectSides[i]);
        json.Int(value[i]);
    }
    json.EndObject();
}

void WriteValueJson(JsonSink& json, FieldType, const Bitmap& value) {
    json.BeginObject();
    json.Key("width");
    json.Int(value.Width());
    json.Key("height");
    json.Int(value.Height());
    json.EndObject();
}

}  // namespace orvane
