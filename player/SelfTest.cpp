#include "SelfTest.h"

#include "Session.h"

#include "document/Json.h"
#include "document/MenuFileInfo.h"

namespace orvane::player {
namespace {

void RectJson(JsonWriter& j, std::string_view key, int left, int top, int width, int height) {
    j.Key(key).BeginObject();
    j.Field("Left", left).Field("Top", top).Field("Width", width).Field("Height", height);
    j.EndObject();
}

}  // namespace

std::string DamagedPackageMessage(const std::string& detail) {
    return "The menus of this program are damaged, so they cannot be shown.\r\n\r\n(" + detail + ")";
}

std::string DamagedMenuMessage(const std::string& fileName, const std::string& detail) {
    return "The menu \"" + fileName + "\" is damaged and cannot be shown.\r\n\r\n(" + detail + ")";
}

std::string SelfTestJson(const AutorunPackage& package, const std::vector<SelfTestMenu>& menus,
                         const ScreenRect& workArea, int dpi, const WindowLayout& searchWindow,
                         const std::string& error) {
    JsonWriter j;
    j.BeginObject();
    j.Field("ok", error.empty());
    if (!error.empty()) j.Field("error", error);
    WritePackageJson(j, package);
    RectJson(j, "workArea", workArea.Left, workArea.Top, workArea.Width, workArea.Height);
    j.Field("dpi", dpi);
    j.Key("searchWindow").BeginObject();
    j.Field("width", searchWindow.Width).Field("height", searchWindow.Height);
    j.Key("controls").BeginArray();
    for (const LaidOutControl& c : searchWindow.Controls) {
        j.BeginObject().Field("name", c.Name).Field("textHeight", c.TextHeight);
        RectJson(j, "box", c.Box.Left, c.Box.Top, c.Box.Width, c.Box.Height);
        j.EndObject();
    }
    j.EndArray().EndObject();
    j.Key("menus").BeginArray();
    for (const SelfTestMenu& m : menus) {
        j.BeginObject();
        j.Field("file", m.FileName);
        if (!m.Menu) {
            j.Field("error", m.Error);
            j.EndObject();
            continue;
        }
        const ShownMenu& menu = *m.Menu;
        j.Field("title", menu.Stored.Props.Title);
        j.Field("width", menu.Width()).Field("height", menu.Height());
        RectJson(j, "place", m.Place.Left, m.Place.Top, m.Place.Width, m.Place.Height);
        j.Key("scale").BeginInlineArray().Int(m.View.Scale.Num).Int(m.View.Scale.Den).EndArray();
        j.Field("shownWidth", m.View.Width).Field("shownHeight", m.View.Height);
        j.Field("scrolls", m.View.Scrolls());
        const Session session(menu, Sound::None);
        j.Field("frames", int64_t(session.Frames()));
        j.Field("animationMs", int64_t(session.Frames()) * kAnimationPauseMs);
        const Rect controls = menu.ControlsRect();
        if (!controls.IsEmpty()) RectJson(j, "controls", controls.Left, controls.Top, controls.Width(), controls.Height());
        j.Key("rects").BeginArray();
        for (int i = 0; i < menu.ButtonCount(); ++i) {
            const Rect r = menu.ButtonRect(i);
            j.BeginInlineArray().Int(r.Left).Int(r.Top).Int(r.Width()).Int(r.Height()).EndArray();
        }
        j.EndArray();
        WriteMenuFieldsJson(j, menu.Stored);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    return j.Text();
}

}  // namespace orvane::player
