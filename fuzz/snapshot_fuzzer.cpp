// An undo snapshot, opened as undo and redo open it: from the undo folder,
// by its snapshot name, without touching the document's file name. A snapshot
// that opened must be taken again and open again.
#include "FuzzEditor.h"

namespace {

const orvane::fuzz::Workspace& Space() {
    static const orvane::fuzz::Workspace workspace("snapshot");
    return workspace;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvane;
    using namespace orvane::fuzz;
    const Workspace& space = Space();
    {
        FuzzEditor editor(space);
        const std::string& folder = editor.Model.Undo().Folder();
        Check(folder == space.AppFolder(), "the undo folder is not the application folder");
        const std::string name = UndoHistory::SnapshotName(false, 1);
        WriteFileReplacing(folder + name, {data, size});
        const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", folder + name}); });
        if (info.Status == 0) Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");
        if (editor.Open(name, folder, true)) editor.SaveAndReopen(folder, true);
    }
    space.Reset();
    return 0;
}
