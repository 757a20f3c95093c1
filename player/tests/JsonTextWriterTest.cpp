#include "player/JsonTextWriter.h"

#include "document/Json.h"
#include "document/MenuFileInfo.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

namespace orvane::player {
namespace {

// What the player and `orvane-menu info` print of the same menu must be the
// same text: the player writes it itself, the tool through nlohmann-json.
void WriteSample(JsonSink& j, const StoredMenu& menu, const AutorunPackage& package) {
    j.BeginObject();
    WritePackageJson(j, package);
    j.Key("rects");
    j.BeginArray();
    for (int row = 0; row < 2; ++row) {
        j.BeginArray();
        for (int v : {row, 2, 30, -4}) j.Int(v);
        j.EndArray();
    }
    j.EndArray();
    j.Key("none");
    j.BeginArray();
    j.EndArray();
    WriteMenuFieldsJson(j, menu);
    j.EndObject();
}

TEST(JsonTextWriter, PrintsWhatTheToolsPrint) {
    StoredMenu menu;
    menu.Props.Title = "A \"quoted\" title\twith\b\f\x01 and é";
    menu.Props.MenuText = "Line one\r\nLine two\\";
    menu.Props.MenuColor = 0xFF000005;
    menu.Buttons.resize(2);
    menu.Buttons[0].Caption = "&Open";
    menu.Buttons[1].ExitOnClick = -1;
    AutorunPackage package;
    package.PlayerSize = 384000;
    package.Files.push_back({"main.mng", 12, 345});

    for (const bool version9 : {true, false}) {
        menu.HasVersion9Fields = version9;
        JsonTextWriter player;
        WriteSample(player, menu, package);
        Json json;
        JsonTree tool(json);
        WriteSample(tool, menu, package);
        EXPECT_EQ(player.Text(), JsonText(json)) << version9;
    }
}

}  // namespace
}  // namespace orvane::player
