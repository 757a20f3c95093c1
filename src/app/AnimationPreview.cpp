// The button animation preview, stepped by the clock as the player steps it.
#include "app/AnimationPreview.h"

#include "app/EditorModel.h"

namespace orvane {

AnimationPreview::AnimationPreview(EditorModel& model) : model_(model) {}

bool AnimationPreview::Start(int windowWidth) {
    if (playing_) return false;
    frames_ = AnimationFrames(model_.ButtAniPath(windowWidth));
    buttonCount_ = model_.doc_.Menu.ButtonCount;
    model_.renderSuspended_ = 1;
    model_.renderMissed_ = false;
    playing_ = true;
    return true;
}

std::vector<AnimationMove> AnimationPreview::Step(int64_t elapsedMicroseconds) {
    if (!playing_) return {};
    // A render asked for, text typed or a slider moved, or a button added or
    // removed: the buttons being moved are no longer the document's.
    const bool changed =
        model_.renderMissed_ || model_.redrawCountdown_ > 0 || model_.doc_.Menu.ButtonCount != buttonCount_;
    if (changed) return Stop();
    std::vector<AnimationMove> moves = frames_.ShowFrame(FrameDue(elapsedMicroseconds, frames_.Frames()));
    if (!frames_.Animating()) {
        std::vector<AnimationMove> rest = Stop();
        moves.insert(moves.end(), rest.begin(), rest.end());
    }
    return moves;
}

std::vector<AnimationMove> AnimationPreview::Stop() {
    if (!playing_) return {};
    std::vector<AnimationMove> moves = frames_.Finish();
    playing_ = false;
    model_.renderSuspended_ = 0;
    // Commands run meanwhile could not render; show what they did now.
    if (model_.renderMissed_) {
        model_.renderMissed_ = false;
        model_.ColorSkin(false);
    }
    return moves;
}

}  // namespace orvane
