#include "MenuImport.h"

#include "app/EditorModel.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"

#include <functional>
#include <map>
#include <optional>

namespace orvane {
namespace {

using Kind = JsonValue::Kind;

// Reads typed values out of JSON members, naming the key of the first fault.
class Checker {
public:
    std::string Error;
    bool Ok() const { return Error.empty(); }

    void Fail(const std::string& key, const std::string& what) {
        if (Error.empty()) Error = "\"" + key + "\": " + what;
    }
    void Integer(const std::string& key, const JsonValue& v, int64_t low, int64_t high, int32_t& out) {
        if (v.Type != Kind::Number || !v.IsInteger) return Fail(key, "a whole number is expected");
        if (v.Integer < low || v.Integer > high)
            return Fail(key, std::to_string(v.Integer) + " is not " + std::to_string(low) + " to " + std::to_string(high));
        out = int32_t(v.Integer);
    }
    void Colour(const std::string& key, const JsonValue& v, uint32_t& out) {
        if (v.Type != Kind::Number || !v.IsInteger) return Fail(key, "a colour value is expected");
        const bool rgb = v.Integer >= 0 && v.Integer <= 0xFFFFFF;
        const bool system = v.Integer >= 0xFF000000LL && v.Integer <= 0xFF0000FFLL;
        if (!rgb && !system) return Fail(key, std::to_string(v.Integer) + " is not a colour value");
        out = uint32_t(v.Integer);
    }
    void Flag(const std::string& key, const JsonValue& v, bool& out) {
        if (v.Type != Kind::Bool) return Fail(key, "true or false is expected");
        out = v.Boolean;
    }
    void IntFlag(const std::string& key, const JsonValue& v, int32_t& out) {
        if (v.Type == Kind::Bool) {
            out = v.Boolean ? 1 : 0;
            return;
        }
        Integer(key, v, INT32_MIN, INT32_MAX, out);
    }
    void Text(const std::string& key, const JsonValue& v, std::string& out) {
        if (v.Type != Kind::String) return Fail(key, "a text is expected");
        out = v.Text;
    }
    void Font(const std::string& key, const JsonValue& v, FontSpec& font) {
        if (v.Type != Kind::Object) return Fail(key, "a font object is expected");
        for (const auto& [k, m] : v.Members) {
            const std::string name = key + "." + k;
            if (k == "Name") {
                Text(name, m, font.Name);
                if (Ok() && font.Name.empty()) Fail(name, "a font name is expected");
            } else if (k == "Size") {
                Integer(name, m, 4, 72, font.Size);
            } else if (k == "Bold") {
                Flag(name, m, font.Bold);
            } else if (k == "Italic") {
                Flag(name, m, font.Italic);
            } else if (k == "Underline") {
                Flag(name, m, font.Underline);
            } else if (k == "Alignment") {
                Integer(name, m, 0, 2, font.Alignment);
            } else if (k == "Color") {
                Colour(name, m, font.Color);
            } else {
                Fail(name, "unknown key");
            }
        }
    }
};

struct ImportPlan {
    MenuProperties Props;
    std::optional<std::string> StyleName;
    std::optional<int32_t> StyleId;
    int32_t Position = 0;
    int32_t TextShadowDepth = 0, TitleShadowDepth = 0, ButtonShadowDepth = 0;
    std::string BackgroundFile;
    std::vector<StoredButton> Buttons;
    std::vector<std::string> Given;  // the property keys the text sets
    bool Has(const std::string& key) const { return std::find(Given.begin(), Given.end(), key) != Given.end(); }
};

void CheckProperties(Checker& c, const JsonValue& props, ImportPlan& plan) {
    MenuProperties& p = plan.Props;
    using Handler = std::function<void(const std::string&, const JsonValue&)>;
    const auto ignored = [](const std::string&, const JsonValue&) {};  // computed by the render
    const std::map<std::string, Handler> handlers = {
        {"Title", [&](auto& k, auto& v) { c.Text(k, v, p.Title); }},
        {"AnimateTitle", [&](auto& k, auto& v) { c.Flag(k, v, p.AnimateTitle); }},
        {"MenuText", [&](auto& k, auto& v) { c.Text(k, v, p.MenuText); }},
        {"Position", [&](auto& k, auto& v) { c.Integer(k, v, 0, kPositionCount - 1, plan.Position); }},
        {"StyleId",
         [&](auto& k, auto& v) {
             if (v.Type == Kind::String) {
                 plan.StyleName = v.Text;
             } else {
                 int32_t id = 0;
                 c.Integer(k, v, 0, 255, id);
                 plan.StyleId = id;
             }
         }},
        {"MenuColor", [&](auto& k, auto& v) { c.Colour(k, v, p.MenuColor); }},
        {"AutoAdjust", [&](auto& k, auto& v) { c.Flag(k, v, p.AutoAdjust); }},
        {"ButtonAnimation", [&](auto& k, auto& v) { c.Integer(k, v, 0, kAnimationCount - 1, p.ButtonAnimation); }},
        {"BackgroundFile", [&](auto& k, auto& v) { c.Text(k, v, plan.BackgroundFile); }},
        {"AutoSizeMenu", [&](auto& k, auto& v) { c.Flag(k, v, p.AutoSizeMenu); }},
        {"MenuWidth", [&](auto& k, auto& v) { c.Integer(k, v, 80, 1024, p.MenuWidth); }},
        {"MenuHeight", [&](auto& k, auto& v) { c.Integer(k, v, 60, 768, p.MenuHeight); }},
        {"PhotoAspect", [&](auto& k, auto& v) { c.Flag(k, v, p.PhotoAspect); }},
        {"AutoSizeButtons", [&](auto& k, auto& v) { c.Flag(k, v, p.AutoSizeButtons); }},
        {"ButtonWidth", [&](auto& k, auto& v) { c.Integer(k, v, 10, 240, p.ButtonWidth); }},
        {"ButtonHeight", [&](auto& k, auto& v) { c.Integer(k, v, 10, 120, p.ButtonHeight); }},
        {"ButtonGap", [&](auto& k, auto& v) { c.Integer(k, v, 0, 32, p.ButtonGap); }},
        {"TextFont", [&](auto& k, auto& v) { c.Font(k, v, p.TextFont); }},
        {"ButtonFont", [&](auto& k, auto& v) { c.Font(k, v, p.ButtonFont); }},
        {"TitleFont", [&](auto& k, auto& v) { c.Font(k, v, p.TitleFont); }},
        {"TextShadowDepth", [&](auto& k, auto& v) { c.Integer(k, v, 0, 5, plan.TextShadowDepth); }},
        {"TextShadowColor", [&](auto& k, auto& v) { c.Colour(k, v, p.TextShadowColor); }},
        {"TitleShadowDepth", [&](auto& k, auto& v) { c.Integer(k, v, 0, 5, plan.TitleShadowDepth); }},
        {"TitleShadowColor", [&](auto& k, auto& v) { c.Colour(k, v, p.TitleShadowColor); }},
        {"ButtonShadowDepth", [&](auto& k, auto& v) { c.Integer(k, v, 0, 5, plan.ButtonShadowDepth); }},
        {"ButtonShadowColor", [&](auto& k, auto& v) { c.Colour(k, v, p.ButtonShadowColor); }},
        {"FirstButtonLeft", ignored},
        {"FirstButtonTop", ignored},
        {"TextRect", ignored},
        {"PhotoSkin", ignored},
        {"DisableSounds", [&](auto& k, auto& v) { c.Flag(k, v, p.DisableSounds); }},
        {"TitleBoxVisibility", [&](auto& k, auto& v) { c.Integer(k, v, 0, 100, p.TitleBoxVisibility); }},
        {"TextBoxVisibility", [&](auto& k, auto& v) { c.Integer(k, v, 0, 100, p.TextBoxVisibility); }},
        {"ButtonStyleName", [&](auto& k, auto& v) { c.Text(k, v, p.ButtonStyleName); }},
    };
    if (props.Type != Kind::Object) return c.Fail("properties", "an object is expected");
    for (const auto& [key, value] : props.Members) {
        const auto handler = handlers.find(key);
        if (handler == handlers.end()) return c.Fail(key, "unknown key");
        handler->second(key, value);
        plan.Given.push_back(key);
        if (!c.Ok()) return;
    }
}

void CheckButtons(Checker& c, const JsonValue& buttons, ImportPlan& plan) {
    if (buttons.Type != Kind::Array) return c.Fail("buttons", "an array is expected");
    if (buttons.Items.empty() || buttons.Items.size() > size_t(kMaxButtons))
        return c.Fail("buttons", std::to_string(buttons.Items.size()) + " buttons; a menu has 1 to 30");
    for (size_t i = 0; i < buttons.Items.size(); ++i) {
        const JsonValue& item = buttons.Items[i];
        const std::string prefix = "buttons[" + std::to_string(i) + "]";
        if (item.Type != Kind::Object) return c.Fail(prefix, "an object is expected");
        StoredButton b;
        for (const auto& [k, v] : item.Members) {
            const std::string key = prefix + "." + k;
            if (k == "Caption") c.Text(key, v, b.Caption);
            else if (k == "Command") c.Text(key, v, b.Command);
            else if (k == "Argument") c.Text(key, v, b.Argument);
            else if (k == "Description") c.Text(key, v, b.Description);
            else if (k == "MinimizeOnClick") c.IntFlag(key, v, b.MinimizeOnClick);
            else if (k == "ExitOnClick") c.IntFlag(key, v, b.ExitOnClick);
            else if (k == "MaximizeWindow") c.IntFlag(key, v, b.MaximizeWindow);
            else if (k == "AccessKey" || k == "Left" || k == "Top") {
                // Taken from the caption and the layout.
            } else {
                c.Fail(key, "unknown key");
            }
            if (!c.Ok()) return;
        }
        plan.Buttons.push_back(b);
    }
}

}  // namespace

bool ImportMenu(EditorModel& model, const JsonValue& json, std::string& error) {
    Checker c;
    ImportPlan plan;
    plan.Props = MenuProperties{};
    if (json.Type != Kind::Object) {
        error = "the menu must be a JSON object";
        return false;
    }
    for (const auto& [key, value] : json.Members) {
        if (key == "properties")
            CheckProperties(c, value, plan);
        else if (key == "buttons")
            CheckButtons(c, value, plan);
        else if (key != "header" && key != "pictures")  // info's other keys may come along
            c.Fail(key, "unknown key");
        if (!c.Ok()) break;
    }

    // The style, its photo and the button style must exist before anything changes.
    int position = model.SelectedStyle;
    if (c.Ok() && plan.StyleName) {
        position = model.StylePositionByName(*plan.StyleName);
        if (position < 0) c.Fail("StyleId", "no menu style is named \"" + *plan.StyleName + "\"");
    } else if (c.Ok() && plan.StyleId) {
        position = model.Styles.PositionOf(*plan.StyleId);
        if (position < 0) c.Fail("StyleId", "no menu style has the identifier " + std::to_string(*plan.StyleId));
    } else if (c.Ok()) {
        position = 5;
    }
    Bitmap photo;
    if (c.Ok() && ReadMarkers(model.Styles.At(position).Background).Photo) {
        DecodeResult loaded = LoadPictureFile(PathFromUtf8(plan.BackgroundFile));
        if (!loaded.Ok())
            c.Fail("BackgroundFile", "the style shows a photo and " + loaded.Error);
        else
            photo = std::move(loaded.Picture);
    }
    int buttonStyle = 0;
    if (c.Ok() && plan.Has("ButtonStyleName") && plan.Props.ButtonStyleName != kDefaultButtonStyleName) {
        buttonStyle = model.ButtonStyles.EntryOfFile(plan.Props.ButtonStyleName);
        if (buttonStyle < 0) c.Fail("ButtonStyleName", "no button style is loaded from " + plan.Props.ButtonStyleName);
    }
    if (!c.Ok()) {
        error = c.Error;
        return false;
    }

    // Apply: the new menu, its style, then every value the text gives.
    model.StartNewMenu();
    MenuDocument& doc = model.Doc;
    doc.Menu.BackgroundFile = plan.BackgroundFile;
    if (!photo.IsEmpty()) {
        doc.BackgroundPhoto = std::move(photo);
        model.PhotoChanged();
    }
    model.ComboBox1Select(position);
    if (buttonStyle > 0) model.ComboBox2Select(buttonStyle);

    const MenuProperties& from = plan.Props;
    MenuProperties& to = doc.Props;
    auto take = [&](const char* key, auto member) {
        if (plan.Has(key)) to.*member = from.*member;
    };
    take("Title", &MenuProperties::Title);
    take("AnimateTitle", &MenuProperties::AnimateTitle);
    take("MenuText", &MenuProperties::MenuText);
    take("MenuColor", &MenuProperties::MenuColor);
    take("AutoAdjust", &MenuProperties::AutoAdjust);
    take("ButtonAnimation", &MenuProperties::ButtonAnimation);
    take("AutoSizeMenu", &MenuProperties::AutoSizeMenu);
    take("MenuWidth", &MenuProperties::MenuWidth);
    take("MenuHeight", &MenuProperties::MenuHeight);
    take("PhotoAspect", &MenuProperties::PhotoAspect);
    take("AutoSizeButtons", &MenuProperties::AutoSizeButtons);
    take("ButtonWidth", &MenuProperties::ButtonWidth);
    take("ButtonHeight", &MenuProperties::ButtonHeight);
    take("ButtonGap", &MenuProperties::ButtonGap);
    take("TextFont", &MenuProperties::TextFont);
    take("ButtonFont", &MenuProperties::ButtonFont);
    take("TitleFont", &MenuProperties::TitleFont);
    take("TextShadowColor", &MenuProperties::TextShadowColor);
    take("TitleShadowColor", &MenuProperties::TitleShadowColor);
    take("ButtonShadowColor", &MenuProperties::ButtonShadowColor);
    take("DisableSounds", &MenuProperties::DisableSounds);
    take("TitleBoxVisibility", &MenuProperties::TitleBoxVisibility);
    take("TextBoxVisibility", &MenuProperties::TextBoxVisibility);
    if (plan.Has("Position")) doc.Menu.Position = plan.Position;
    if (plan.Has("TextShadowDepth")) doc.Menu.TextShadowDepth = plan.TextShadowDepth;
    if (plan.Has("TitleShadowDepth")) doc.Menu.TitleShadowDepth = plan.TitleShadowDepth;
    if (plan.Has("ButtonShadowDepth")) doc.Menu.ButtonShadowDepth = plan.ButtonShadowDepth;

    if (!plan.Buttons.empty()) {
        doc.Menu.ButtonCount = int32_t(plan.Buttons.size());
        for (size_t i = 0; i < plan.Buttons.size(); ++i) ApplyStoredButton(plan.Buttons[i], doc.Menu.Buttons[i + 1]);
    }
    if (doc.Props.PhotoSkin) model.FadeMask();
    // The text gives the colours; the artwork is recoloured without taking them.
    model.ColorSkin(false);
    return true;
}

}  // namespace orvane
