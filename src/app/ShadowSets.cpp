#include "ShadowSets.h"

#include "app/DesignerTarget.h"
#include "app/EditorModel.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr int kDesignerCountdown = 5;
}  // namespace

int ShadowDepthOfName(std::string_view name) {
    if (name.size() < 2) return -1;
    const char a = name[name.size() - 2], b = name[name.size() - 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
    const int n = (a - '0') * 10 + (b - '0');
    return n == 6 ? 0 : n;
}

TfrmShadowSets::TfrmShadowSets(EditorModel& editor, DesignerTarget* designer) : editor_(editor), designer_(designer) {
    Entries[0] = {"Shadow06", "None", {3, 3, 145, 33}};
    for (int d = 1; d <= 5; ++d) {
        const int left = 3 + 29 * (d - 1);
        Entries[size_t(d)] = {"Shadow0" + std::to_string(d), std::to_string(d), {left, 37, left + 26, 66}};
    }
    const int depth = CurrentDepth();
    FramedEntry = -1;
    for (int i = 0; i < kEntryCount; ++i)
        if (ShadowDepthOfName(Entries[size_t(i)].Name) == depth) FramedEntry = i;
}

int TfrmShadowSets::CurrentDepth() const {
    if (editor_.pickerTarget_ == ColorTarget::DesignerDepth) return designer_ ? designer_->ShadowDepth() : -1;
    const TOVMenu& m = editor_.doc_.Menu;
    if (m.SelectedButton < 0) return m.TitleShadowDepth;
    if (m.SelectedButton == 0) return m.TextShadowDepth;
    return m.ButtonShadowDepth;
}

int TfrmShadowSets::EntryAt(int x, int y) const {
    for (int i = 0; i < kEntryCount; ++i) {
        const Rect& b = Entries[size_t(i)].Bounds;
        if (x >= b.Left && x < b.Right && y >= b.Top && y < b.Bottom) return i;
    }
    return -1;
}

Rect TfrmShadowSets::FrameRect() const {
    if (FramedEntry < 0 || FramedEntry >= kEntryCount) return {};
    const Rect& b = Entries[size_t(FramedEntry)].Bounds;
    return {b.Left - 2, b.Top - 2, b.Right + 2, b.Bottom + 2};
}

void TfrmShadowSets::Press(int entry) {
    if (entry < 0 || entry >= kEntryCount) return;
    PressedEntry = entry;
    FramedEntry = entry;
}

void TfrmShadowSets::Release(int entry) {
    const int pressed = PressedEntry;
    PressedEntry = -1;
    if (pressed < 0 || entry != pressed) return;
    Choose(ShadowDepthOfName(Entries[size_t(entry)].Name));
    editor_.Desktop().ProcessMessages();
    Closed = true;
}

int TfrmShadowSets::EntryNeighbour(int from, int dx, int dy) const {
    if (from < 0 || from >= kEntryCount) return 0;
    if (from == 0) return dy > 0 ? 1 : 0;
    if (dy < 0) return 0;
    return std::clamp(from + dx, 1, kEntryCount - 1);
}

void TfrmShadowSets::ChooseFramed() {
    if (FramedEntry < 0 || FramedEntry >= kEntryCount) return;
    const int entry = FramedEntry;
    Press(entry);
    Release(entry);
}

void TfrmShadowSets::Choose(int depth) {
    if (editor_.pickerTarget_ == ColorTarget::DesignerDepth) {
        if (!designer_) return;
        designer_->SetShadowDepth(depth);
        designer_->SetSampleCountdown(kDesignerCountdown);
        return;
    }
    TOVMenu& m = editor_.doc_.Menu;
    int32_t& stored = m.SelectedButton < 0    ? m.TitleShadowDepth
                      : m.SelectedButton == 0 ? m.TextShadowDepth
                                              : m.ButtonShadowDepth;
    // A new depth is a change of the document like any other format change:
    // it can be undone, and closing the editor asks to save it.
    if (stored != depth) editor_.Undo().Make();
    stored = depth;
    if (m.SelectedButton == 0) {
        DesignLayout& layout = editor_.renderer_.Layout;
        layout.MenuTextShadow = layout.MenuText.Moved(depth, depth);
    } else {
        editor_.CreateSkin();
    }
}

}  // namespace orvane
