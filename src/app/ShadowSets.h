#pragma once

#include "platform/Bitmap.h"

#include <array>
#include <string>
#include <string_view>

namespace orvane {

class DesignerTarget;
class EditorModel;

// The depth an entry's name stands for: its last two digits, "06" meaning 0
// ("None"). -1 for a name without them.
int ShadowDepthOfName(std::string_view name);

// The shadow-set pop-up: a borderless window that chooses a shadow depth,
// "None" or 1 to 5, for the selected text of the menu or, with PickerTarget
// ColorTarget::DesignerDepth, for the button style designer's caption.
class TfrmShadowSets {
public:
    static constexpr int kWidth = 148;
    static constexpr int kHeight = 69;
    static constexpr int kEntryCount = 6;

    struct Entry {
        std::string Name;  // "Shadow06" for "None", "Shadow01" to "Shadow05"
        std::string Text;  // "None", "1" to "5"
        Rect Bounds;
    };

    explicit TfrmShadowSets(EditorModel& editor, DesignerTarget* designer = nullptr);

    // "None" first, then "1" to "5".
    std::array<Entry, kEntryCount> Entries;
    int FramedEntry = -1;   // index into Entries; -1: no frame
    int PressedEntry = -1;
    bool Closed = false;

    // The depth the window opened on.
    int CurrentDepth() const;
    // The entry under a window point; -1 for none.
    int EntryAt(int x, int y) const;
    // The frame around the framed entry; empty when there is none.
    Rect FrameRect() const;

    void Press(int entry);
    // Release over an entry (-1: elsewhere). Only the pressed entry chooses.
    void Release(int entry);
    void LoseFocus() { Closed = true; }

    // Keys: the arrows move the frame between "None" above and "1" to "5"
    // below (from no frame: "None"); Enter chooses the framed entry as a
    // click on it does.
    int EntryNeighbour(int from, int dx, int dy) const;
    void MoveFrame(int dx, int dy) { FramedEntry = EntryNeighbour(FramedEntry, dx, dy); }
    void ChooseFramed();

private:
    void Choose(int depth);

    EditorModel& editor_;
    DesignerTarget* designer_;
};

}  // namespace orvane
