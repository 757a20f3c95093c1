// The JSON import, as `orvane-menu import` runs it: the text parsed, checked
// against the editor model and applied as a new menu, rendered and saved.
// What imports must export as JSON that imports again, and exporting that
// menu gives the same JSON.
#include "FuzzSupport.h"
#include "FuzzTool.h"

namespace {

using namespace orvane::fuzz;

const Workspace& Space() {
    static const Workspace workspace("import");
    return workspace;
}

ToolRun Import(const Workspace& space, const std::string& json, const std::string& menu) {
    return Guarded("orvane-menu import", [&] {
        return RunTool({"import", json, menu, "--force", "--app-folder", space.AppFolder()});
    });
}

ToolRun Export(const std::string& menu) {
    const ToolRun run = Guarded("orvane-menu export", [&] { return RunTool({"export", menu}); });
    Check(run.Status == 0, "orvane-menu export refuses an imported menu: " + run.Err);
    Check(ParsesAsJson(run.Out), "orvane-menu export wrote JSON that does not parse");
    return run;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Workspace& space = Space();
    const std::string json = space.Write("menu.json", {data, size}).string();
    const std::string menu = space.InFolder() + "menu.mng";
    if (Import(space, json, menu).Status == 0) {
        const ToolRun exported = Export(menu);
        const std::string again = space.Write("again.json", {reinterpret_cast<const uint8_t*>(exported.Out.data()),
                                                             exported.Out.size()}).string();
        const ToolRun reimport = Import(space, again, space.InFolder() + "again.mng");
        Check(reimport.Status == 0, "orvane-menu import refuses what export wrote: " + reimport.Err);
        Check(Export(space.InFolder() + "again.mng").Out == exported.Out,
              "a menu exported and imported again exports differently");
    }
    space.Reset();
    return 0;
}
