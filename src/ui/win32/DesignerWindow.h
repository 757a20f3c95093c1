#pragma once

#include "platform/win32/Windows.h"

namespace orvane {

class EditorModel;
class Win32Platform;

// The "Custom Button Style" window over a new designer model: its own menu
// bar and shortcuts, two tool rows, the slot pictures and the live sample;
// its colour and shadow buttons open the colour picker and the shadow sets.
// Modal; returns when the window has closed.
void ShowButtonDesigner(HWND owner, EditorModel& editor, Win32Platform& platform);

}  // namespace orvane
