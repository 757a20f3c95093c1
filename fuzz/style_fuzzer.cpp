// A menu style file: the style list reads it and appends it, as at start-up
// from styles/; `orvane-menu info` describes it; and when the menu reader
// takes it for a style file, the editor's File, Open installs it and shows
// a new menu in it.
#include "FuzzEditor.h"

#include "styles/StyleList.h"

namespace {

using namespace orvane;
using namespace orvane::fuzz;

const Workspace& Space() {
    static const Workspace workspace("style");
    return workspace;
}

// The list as the editor starts with it; copied per input so each starts alike.
const StyleList& BuiltinStyles() {
    static const StyleList list = [] {
        StyleList l;
        l.AddBuiltinStyles();
        return l;
    }();
    return list;
}

void CheckAppended(const StyleList& list, int before) {
    Check(list.Count() == before + 1, "an accepted style file was not appended");
    const int p = list.Count() - 1;
    const MenuStyle& style = list.At(p);
    Check(list.PositionOf(list.IdAt(p)) == p, "the new style's identifier does not lead back to it");
    Check(style.Background.Width() == kStyleSheetWidth && style.Background.Height() == kStyleSheetHeight,
          "the new style's artwork is not a whole sheet");
    if (ReadMarkers(style.Background).Photo)
        Check(style.Mask.Width() == kStyleSheetWidth && style.Mask.Height() == kStyleSheetHeight,
              "the new photo style's mask is not a whole sheet");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Workspace& space = Space();
    const auto path = space.Write("input.ovgsty", {data, size});

    StyleList list = BuiltinStyles();
    ScriptedPlatform platform;
    const bool appended = Guarded("OpenStyle", [&] { return list.OpenStyle(path, platform); });
    if (appended)
        CheckAppended(list, kBuiltinStyleCount);
    else
        Check(list.Count() == kBuiltinStyleCount, "a refused style file changed the list");

    const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", path.string()}); });
    if (info.Status == 0) Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");

    RecordFile probe;
    probe.OpenRecordView({data, size});
    if (ReadMenuFile(probe, StoredMenu{}).Status == MenuReadStatus::StyleFile) {
        FuzzEditor editor(space);
        Check(!editor.Open("input.ovgsty", space.InFolder(), false), "a style file opened as a menu");
    }
    space.Reset();
    return 0;
}
