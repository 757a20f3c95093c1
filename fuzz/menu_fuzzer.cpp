// A menu file as the editor and orvane-menu meet it: `orvane-menu info`
// describes it with every picture, and the editor opens it, which renders it.
// A menu that opened must save, and what was saved must open again.
#include "FuzzEditor.h"

namespace {

const orvane::fuzz::Workspace& Space() {
    static const orvane::fuzz::Workspace workspace("menu");
    return workspace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane::fuzz;
    const Workspace& space = Space();
    const std::string input = space.Write("input.mng", {data, size}).string();
    const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", input}); });
    if (info.Status == 0) Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");
    {
        FuzzEditor editor(space);
        if (editor.Open("input.mng", space.InFolder(), false)) editor.SaveAndReopen(space.InFolder(), false);
    }
    space.Reset();
    return 0;
}
