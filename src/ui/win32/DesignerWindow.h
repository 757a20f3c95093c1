#pragma once

#include "platform/win32/Windows.h"

#include <functional>

namespace orvane {

class EditorModel;
class TfrmColorsCls;
class TfrmShadowSets;
class Win32Platform;

// The tool windows the designer's "Font Color", "Shadow Color" and "Shadow
// Depth" buttons open: each shows its model next to the anchor (screen
// pixels) and returns when it has closed. A button whose window is not given
// stays greyed.
struct DesignerPopups {
    std::function<void(HWND owner, TfrmColorsCls& picker, RECT anchor)> ColorPicker;
    std::function<void(HWND owner, TfrmShadowSets& sets, RECT anchor)> ShadowSets;
};

// The "Custom Button Style" window over a new designer model: its own menu
// bar and shortcuts, two tool rows, the slot pictures and the live sample.
// Modal; returns when the window has closed.
void ShowButtonDesigner(HWND owner, EditorModel& editor, Win32Platform& platform, const DesignerPopups& popups);

}  // namespace orvane
