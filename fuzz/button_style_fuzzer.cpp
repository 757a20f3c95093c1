// A button style file: read into a slot of the button style list, as at
// start-up from buttons/, and described by `orvane-menu info`. What the
// reader took from a file of this version, written again, reads back the same.
#include "FuzzSupport.h"
#include "FuzzTool.h"

#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "styles/ButtonStyles.h"

namespace {

using namespace orvane;
using namespace orvane::fuzz;

const Workspace& Space() {
    static const Workspace workspace("button_style");
    return workspace;
}

void CheckSlot(const ButtonStyleList& list, const std::string& file) {
    const TOVCustomBtn& slot = list.Slots[1];
    Check(slot.StyleFile == file, "the slot does not name its file");
    for (const Bitmap& strip : slot.StyleImages)
        Check(strip.Width() == kStripWidth && strip.Height() == kStripHeight, "a slot's strip is not 96 x 32");
}

bool SameRecords(const ButtonStyleFile& a, const ButtonStyleFile& b) {
    return a.Name == b.Name && a.Animation == b.Animation && a.Font == b.Font && a.ShadowDepth == b.ShadowDepth &&
           a.ShadowColor == b.ShadowColor && a.PhotoFlag == b.PhotoFlag && a.Strip == b.Strip &&
           a.MaskStrip == b.MaskStrip;
}

void CheckRewrite(const Workspace& space, std::span<const uint8_t> data) {
    RecordFile first;
    first.OpenRecordView(data);
    const ButtonStyleRecords read = Guarded("ReadButtonStyleRecords", [&] { return ReadButtonStyleRecords(first); });
    if (read.Magic != ButtonStyleFileMagic() || !read.PicturesRead || !read.Damage.empty()) return;
    ScriptedPlatform platform;
    RecordFile out(platform);
    Check(out.OpenRecordFile("again.ovgbtn", space.InFolder(), true, false), "the rewrite was refused");
    WriteButtonStyleRecords(out, read.Style);
    out.CloseRecordFile();
    RecordFile second;
    second.OpenRecordData(ReadWholeFile(space.In() / "again.ovgbtn"));
    const ButtonStyleRecords again = Guarded("ReadButtonStyleRecords", [&] { return ReadButtonStyleRecords(second); });
    Check(again.PicturesRead && again.Damage.empty() && SameRecords(read.Style, again.Style),
          "a button style written again does not read back the same");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Workspace& space = Space();
    const auto path = space.Write("input.ovgbtn", {data, size});

    ButtonStyleList list;
    list.Entries = {kStyleDefaultEntry};
    ScriptedPlatform platform;
    const bool taken =
        Guarded("OpenButton", [&] { return list.OpenButton("input.ovgbtn", space.InFolder(), 1, platform); });
    Check(list.Entries.size() == (taken ? 2u : 1u), "the list's entries do not match what was taken");
    if (taken) CheckSlot(list, path.string());

    const ToolRun info = Guarded("orvane-menu info", [&] { return RunTool({"info", path.string()}); });
    if (info.Status == 0) Check(ParsesAsJson(info.Out), "orvane-menu info wrote JSON that does not parse");

    CheckRewrite(space, {data, size});
    space.Reset();
    return 0;
}
