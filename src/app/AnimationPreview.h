#pragma once

#include "render/ButtonAnimation.h"

#include <cstdint>
#include <vector>

namespace orvane {

class EditorModel;

// The button animation preview on the design surface: the frames the player
// shows, stepped by the window's timer. Rendering waits while it plays; a
// change to the document ends it with every button in place, then renders.
class AnimationPreview {
public:
    explicit AnimationPreview(EditorModel& model);

    // Renders a pending redraw, then starts the animation for a design
    // surface of that width; false while one is playing.
    bool Start(int windowWidth);
    bool Playing() const { return playing_; }
    // The moves due after elapsedMicroseconds since Start. After the last
    // frame, or once the document has changed, the rest at once, and the
    // preview ends.
    std::vector<AnimationMove> Step(int64_t elapsedMicroseconds);
    // Ends it now: the moves that put every button in place.
    std::vector<AnimationMove> Stop();

private:
    EditorModel& model_;
    AnimationFrames frames_;
    bool playing_ = false;
    int buttonCount_ = 0;
};

}  // namespace orvane
