#pragma once

#include "app/EditorModel.h"

namespace orvane {

// Test set-up only: the editor's state that a case starts from and that no
// command reaches directly (a document built field by field, a pending
// redraw, a paused render, the picker's target). The cases then drive the
// model through its commands and read it through its accessors.
struct EditorModelAccess {
    static MenuDocument& Doc(EditorModel& m) { return m.doc_; }
    static EditorFlags& Flags(EditorModel& m) { return m.flags_; }
    static Settings& Prefs(EditorModel& m) { return m.session_.prefs_; }
    static ButtonStyleList& ButtonStyles(EditorModel& m) { return m.buttonStyles_; }
    static SkinRenderer& Renderer(EditorModel& m) { return m.renderer_; }
    static AutorunBuilder& Builder(EditorModel& m) { return m.builder_; }
    static std::string& WindowCaption(EditorModel& m) { return m.windowCaption_; }
    static int& RedrawCountdown(EditorModel& m) { return m.redrawCountdown_; }
    static int& RenderSuspended(EditorModel& m) { return m.renderSuspended_; }
    static bool& PhotoControlsEnabled(EditorModel& m) { return m.photoControlsEnabled_; }
    static bool& FastScaling(EditorModel& m) { return m.fastScaling_; }
    static bool& DesignerScaledLast(EditorModel& m) { return m.designerScaledLast_; }
    static ColorTarget& PickerTarget(EditorModel& m) { return m.pickerTarget_; }
    static uint32_t& PickedColor(EditorModel& m) { return m.pickedColor_; }
};

}  // namespace orvane
