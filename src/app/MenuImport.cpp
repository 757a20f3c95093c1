#include "MenuImport.h"

#include "app/EditorModel.h"
#include "document/FieldJson.h"
#include "document/MenuFields.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"

#include <optional>

namespace orvane {
namespace {

struct ImportPlan {
    StoredMenu Menu;
    std::optional<std::string> StyleName;  // the style given by name rather than by identifier
    std::vector<size_t> Given;             // the menu fields the text sets
    bool Has(std::string_view key) const {
        for (size_t i : Given)
            if (key == kMenuFields<StoredMenu>[i].Name) return true;
        return false;
    }
};

void CheckProperties(FieldImport& c, const Json& props, ImportPlan& plan) {
    if (!props.is_object()) return c.Fail("properties", "an object is expected");
    // A style may be given by its name as well.
    Json byNumber = Json::object();
    for (const auto& [key, value] : props.items()) {
        if (key == "StyleId" && value.is_string())
            plan.StyleName = value.get<std::string>();
        else
            byNumber[key] = value;
    }
    plan.Given = ImportFields(c, byNumber, kMenuFields<StoredMenu>, plan.Menu);
}

void CheckButtons(FieldImport& c, const Json& buttons, ImportPlan& plan) {
    if (!buttons.is_array()) return c.Fail("buttons", "an array is expected");
    if (buttons.empty() || buttons.size() > size_t(kMaxButtons))
        return c.Fail("buttons", std::to_string(buttons.size()) + " buttons; a menu has 1 to 30");
    for (size_t i = 0; i < buttons.size(); ++i) {
        const std::string prefix = "buttons[" + std::to_string(i) + "]";
        if (!buttons[i].is_object()) return c.Fail(prefix, "an object is expected");
        StoredButton b;
        ImportFields(c, buttons[i], kButtonFields<StoredButton>, b, prefix + ".");
        if (!c.Ok()) return;
        plan.Menu.Buttons.push_back(b);
    }
}

}  // namespace

bool ImportMenu(EditorModel& model, const Json& json, std::string& error) {
    FieldImport c;
    ImportPlan plan;
    if (!json.is_object()) {
        error = "the menu must be a JSON object";
        return false;
    }
    for (const auto& [key, value] : json.items()) {
        if (key == "properties")
            CheckProperties(c, value, plan);
        else if (key == "buttons")
            CheckButtons(c, value, plan);
        else if (key != "header" && key != "pictures")  // info's other keys may come along
            c.Fail(key, "unknown key");
        if (!c.Ok()) break;
    }

    // The style, its photo and the button style must exist before anything changes.
    const MenuProperties& given = plan.Menu.Props;
    int position = model.selectedStyle_;
    if (c.Ok() && plan.StyleName) {
        position = model.StylePositionByName(*plan.StyleName);
        if (position < 0) c.Fail("StyleId", "no menu style is named \"" + *plan.StyleName + "\"");
    } else if (c.Ok() && plan.Has("StyleId")) {
        position = model.styles_.PositionOf(given.StyleId);
        if (position < 0) c.Fail("StyleId", "no menu style has the identifier " + std::to_string(given.StyleId));
    } else if (c.Ok()) {
        position = 5;
    }
    Bitmap photo;
    if (c.Ok() && ReadMarkers(model.styles_.At(position).Background).Photo) {
        DecodeResult loaded = LoadPictureFile(PathFromUtf8(plan.Menu.BackgroundFile));
        if (!loaded.Ok())
            c.Fail("BackgroundFile", "the style shows a photo and " + loaded.Error);
        else
            photo = std::move(loaded.Picture);
    }
    int buttonStyle = 0;
    if (c.Ok() && plan.Has("ButtonStyleName") && given.ButtonStyleName != kDefaultButtonStyleName) {
        buttonStyle = model.buttonStyles_.EntryOfFile(given.ButtonStyleName);
        if (buttonStyle < 0) c.Fail("ButtonStyleName", "no button style is loaded from " + given.ButtonStyleName);
    }
    if (!c.Ok()) {
        error = c.Error;
        return false;
    }

    // Apply: the new menu, its style, then every value the text gives.
    model.StartNewMenu();
    MenuDocument& doc = model.doc_;
    doc.Menu.BackgroundFile = plan.Menu.BackgroundFile;
    if (!photo.IsEmpty()) {
        doc.BackgroundPhoto = std::move(photo);
        model.PhotoChanged();
    }
    model.ComboBox1Select(position);
    if (buttonStyle > 0) model.ComboBox2Select(buttonStyle);

    // The style and the button style were chosen above.
    const FieldsOf<StoredMenu> fields = kMenuFields<StoredMenu>;
    CopyFields(fields, plan.Menu, kMenuFields<MenuDocument>, doc, [&](size_t i) {
        const std::string_view name = fields[i].Name;
        return plan.Has(name) && name != "StyleId" && name != "ButtonStyleName";
    });

    const std::vector<StoredButton>& buttons = plan.Menu.Buttons;
    if (!buttons.empty()) {
        doc.Menu.ButtonCount = int32_t(buttons.size());
        for (size_t i = 0; i < buttons.size(); ++i) ApplyStoredButton(buttons[i], doc.Menu.Buttons[i + 1]);
    }
    if (doc.Props.PhotoSkin) model.FadeMask();
    // The text gives the colours; the artwork is recoloured without taking them.
    model.ColorSkin(false);
    return true;
}

}  // namespace orvane
