#pragma once

#include "document/Json.h"

#include <string>

namespace orvane {

class EditorModel;

// Makes a new menu in the editor model and applies every property and button
// that json gives ({"properties": {...}, "buttons": [...]}, as
// `orvane-menu export` prints them; the style by name or identifier). Checks
// the whole text first: an unknown key or a value out of range returns false
// with a message naming the key, and the model is left as it was.
bool ImportMenu(EditorModel& model, const Json& json, std::string& error);

}  // namespace orvane
