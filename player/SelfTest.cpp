#include "player/SelfTest.h"

#include "player/JsonTextWriter.h"
#include "player/Session.h"

#include "document/MenuFileInfo.h"

namespace orvane::player {
namespace {

void Member(JsonSink& j, std::string_view key, int64_t value) {
    j.Key(key);
    j.Int(value);
}

void Member(JsonSink& j, std::string_view key, std::string_view value) {
    j.Key(key);
    j.String(value);
}

void RectJson(JsonSink& j, std::string_view key, const Rect& r) {
    j.Key(key);
    j.BeginObject();
    Member(j, "Left", r.Left);
    Member(j, "Top", r.Top);
    Member(j, "Width", r.Width());
    Member(j, "Height", r.Height());
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
                         const Rect& workArea, int dpi, const WindowLayout& searchWindow,
                         const std::string& error) {
    JsonTextWriter j;
    j.BeginObject();
    j.Key("ok");
    j.Bool(error.empty());
    if (!error.empty()) Member(j, "error", error);
    WritePackageJson(j, package);
    RectJson(j, "workArea", workArea);
    Member(j, "dpi", dpi);
    j.Key("searchWindow");
    j.BeginObject();
    Member(j, "width", searchWindow.Width);
    Member(j, "height", searchWindow.Height);
    j.Key("controls");
    j.BeginArray();
    for (const LaidOutControl& c : searchWindow.Controls) {
        j.BeginObject();
        Member(j, "name", c.Name);
        Member(j, "textHeight", c.TextHeight);
        RectJson(j, "box", c.Box);
        j.EndObject();
    }
    j.EndArray();
    j.EndObject();
    j.Key("menus");
    j.BeginArray();
    for (const SelfTestMenu& m : menus) {
        j.BeginObject();
        Member(j, "file", m.FileName);
        if (!m.Menu) {
            Member(j, "error", m.Error);
            j.EndObject();
            continue;
        }
        const ShownMenu& menu = *m.Menu;
        Member(j, "title", menu.Stored.Props.Title);
        Member(j, "width", menu.Width());
        Member(j, "height", menu.Height());
        RectJson(j, "place", m.Place);
        j.Key("scale");
        j.BeginArray();
        j.Int(m.View.Scale.Num);
        j.Int(m.View.Scale.Den);
        j.EndArray();
        Member(j, "shownWidth", m.View.Width);
        Member(j, "shownHeight", m.View.Height);
        j.Key("scrolls");
        j.Bool(m.View.Scrolls());
        const Session session(menu, Sound::None);
        Member(j, "frames", int64_t(session.Frames()));
        Member(j, "animationMs", int64_t(session.Frames()) * kAnimationPauseMs);
        const Rect controls = menu.ControlsRect();
        if (!controls.IsEmpty()) RectJson(j, "controls", controls);
        j.Key("rects");
        j.BeginArray();
        for (int i = 0; i < menu.ButtonCount(); ++i) {
            const Rect r = menu.ButtonRect(i);
            j.BeginArray();
            for (const int v : {r.Left, r.Top, r.Width(), r.Height()}) j.Int(v);
            j.EndArray();
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
