#pragma once

#include "platform/Rect.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// One placement of a button's preview during the animation preview.
struct AnimationMove {
    int Slot;   // button number, 1-based
    int Left;
    int Top;
    bool Pause;  // an 8 ms pause and a run of the window messages follow
};

inline constexpr int kAnimationStep = 12;
inline constexpr int kSpillStep = 6;
inline constexpr int kFlyInMaxSteps = 401;
inline constexpr int kAnimationPauseMs = 8;

// The path the design surface plays for an animation code (0 to 14; 8 to 14
// are 1 to 7 bottom-up): first every button out of sight, then each button
// in order along its effect's path, ending exactly on its target. buttons:
// each button's target place with the size of its image; index 0 = button 1.
std::vector<AnimationMove> ButtonAnimationPath(int code, const std::vector<Rect>& buttons,
                                               int menuWidth, int menuHeight, int windowWidth);

// The frame of an animation due after a time since its first frame: one
// frame per pause (kAnimationPauseMs); frames that fall due while an earlier
// one is drawn are skipped, never slowed down.
size_t FrameDue(int64_t elapsedMicroseconds, size_t frames);

// An animation path played by the clock, as the player and the editor's
// preview both play it: a frame ends at each pause and at the path's end.
class AnimationFrames {
public:
    AnimationFrames() = default;
    explicit AnimationFrames(std::vector<AnimationMove> path);

    // True while buttons are still coming in.
    bool Animating() const { return next_ < path_.size(); }
    size_t Frames() const { return frameEnds_.size(); }
    size_t FrameShown() const { return shown_; }
    // The moves that bring the buttons to where frame f has them (nothing
    // for a frame already shown).
    std::vector<AnimationMove> ShowFrame(size_t frame);
    // The moves that put every button in place at once.
    std::vector<AnimationMove> Finish();

private:
    std::vector<AnimationMove> path_;
    std::vector<size_t> frameEnds_;  // where in path_ each frame ends
    size_t next_ = 0;
    size_t shown_ = 0;
};

}  // namespace orvane
