#pragma once

#include <vector>

namespace orvane {

// One placement of a button's preview during the animation preview.
struct AnimationMove {
    int Slot;   // button number, 1-based
    int Left;
    int Top;
    bool Pause;  // an 8 ms pause and a run of the window messages follow
};

// A button's target place and the size of its image; index 0 = button 1.
struct AnimationButton {
    int Left, Top, Width, Height;
};

inline constexpr int kAnimationStep = 12;
inline constexpr int kSpillStep = 6;
inline constexpr int kFlyInMaxSteps = 401;
inline constexpr int kAnimationPauseMs = 8;

// The path the design surface plays for an animation code (0 to 14; 8 to 14
// are 1 to 7 bottom-up): first every button out of sight, then each button
// in order along its effect's path, ending exactly on its target.
std::vector<AnimationMove> ButtonAnimationPath(int code, const std::vector<AnimationButton>& buttons,
                                               int menuWidth, int menuHeight, int windowWidth);

}  // namespace orvane
