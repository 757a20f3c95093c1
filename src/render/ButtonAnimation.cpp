#include "render/ButtonAnimation.h"

#include <algorithm>

#include <cstddef>
#include <utility>

namespace orvane {

namespace {

// The path of an animation code; codes above 7 run the same paths bottom-up.
enum class Effect { Snap = 0, FromTop, FromRight, FromBottom, FromLeft, FlyIn, SpillOut, GlideAndSpill };

class PathBuilder {
public:
    PathBuilder(const std::vector<Rect>& buttons, int menuWidth, int menuHeight, int windowWidth)
        : buttons_(buttons), left_(buttons.size()), top_(buttons.size()), w_(menuWidth), h_(menuHeight) {
        for (size_t i = 0; i < buttons.size(); ++i) Place(int(i) + 1, windowWidth, -buttons[i].Height(), false);
    }

    std::vector<AnimationMove> Take() { return std::move(moves_); }

    void GlideFromTop(int slot) {
        const Rect& b = At(slot);
        for (int y = -b.Height();; y += kAnimationStep) {
            if (y > b.Top) return Finish(slot);
            Place(slot, b.Left, y);
        }
    }

    void GlideFromRight(int slot) {
        const Rect& b = At(slot);
        for (int x = w_ + 2 - kAnimationStep; x >= b.Left; x -= kAnimationStep) Place(slot, x, b.Top);
        Finish(slot);
    }

    void GlideFromBottom(int slot) {
        const Rect& b = At(slot);
        for (int y = h_;; y -= kAnimationStep) {
            if (y < b.Top) return Finish(slot);
            Place(slot, b.Left, y);
        }
    }

    void GlideFromLeft(int slot) {
        const Rect& b = At(slot);
        for (int x = -b.Width();; x += kAnimationStep) {
            if (x > b.Left) return Finish(slot);
            Place(slot, x, b.Top);
        }
    }

    void FlyInFromCorner(int slot) {
        const Rect& b = At(slot);
        Place(slot, -b.Width(), -b.Height());
        for (int n = 0; n < kFlyInMaxSteps; ++n) {
            const size_t k = size_t(slot - 1);
            // Integer division truncates toward zero, as the 1/7 steps are meant to.
            int nx = (b.Left - left_[k]) / 7 + left_[k] + 1;
            int ny = (b.Top - top_[k]) / 7 + top_[k] + 1;
            int hits = 0;
            if (nx > b.Left) {
                nx = b.Left;
                ++hits;
            }
            if (ny > b.Top) {
                ny = b.Top;
                ++hits;
            }
            if (hits == 2) break;
            Place(slot, nx, ny);
        }
        Finish(slot);
    }

    // Slides out from behind the neighbour placed before it.
    void Spill(int slot, int neighbour, bool bottomUp) {
        const Rect& b = At(slot);
        int y = top_[size_t(neighbour - 1)];
        Place(slot, b.Left, y);
        do {
            y += bottomUp ? -kSpillStep : kSpillStep;
            Place(slot, b.Left, y);
        } while (bottomUp ? y >= b.Top : y <= b.Top);
        Finish(slot);
    }

    void Finish(int slot) { Place(slot, At(slot).Left, At(slot).Top); }

private:
    const Rect& At(int slot) const { return buttons_[size_t(slot - 1)]; }

    void Place(int slot, int left, int top, bool pause = true) {
        left_[size_t(slot - 1)] = left;
        top_[size_t(slot - 1)] = top;
        moves_.push_back({slot, left, top, pause});
    }

    const std::vector<Rect>& buttons_;
    std::vector<int> left_, top_;
    int w_, h_;
    std::vector<AnimationMove> moves_;
};

}  // namespace

std::vector<AnimationMove> ButtonAnimationPath(int code, const std::vector<Rect>& buttons,
                                               int menuWidth, int menuHeight, int windowWidth) {
    PathBuilder path(buttons, menuWidth, menuHeight, windowWidth);
    const int n = int(buttons.size());
    if (n == 0) return path.Take();
    const bool bottomUp = code > 7;
    const auto effect = Effect(bottomUp ? code - 7 : code);
    const int first = bottomUp ? n : 1;
    const int last = bottomUp ? 1 : n;
    // One button counts as top-down whatever the code.
    const int step = last - first + 0.2 > 0 ? 1 : -1;
    for (int slot = first;; slot += step) {
        const bool isFirst = slot == first;
        switch (effect) {
        case Effect::FromTop: path.GlideFromTop(slot); break;
        case Effect::FromRight: path.GlideFromRight(slot); break;
        case Effect::FromBottom: path.GlideFromBottom(slot); break;
        case Effect::FromLeft: path.GlideFromLeft(slot); break;
        case Effect::FlyIn: path.FlyInFromCorner(slot); break;
        case Effect::SpillOut:
            if (isFirst)
                path.Finish(slot);
            else
                path.Spill(slot, slot - step, step < 0);
            break;
        case Effect::GlideAndSpill:
            if (isFirst)
                path.GlideFromRight(slot);
            else
                path.Spill(slot, slot - step, step < 0);
            break;
        default: path.Finish(slot); break;
        }
        if (slot == last) break;
    }
    return path.Take();
}

size_t FrameDue(int64_t elapsedMicroseconds, size_t frames) {
    if (frames == 0 || elapsedMicroseconds <= 0) return 0;
    const int64_t frame = elapsedMicroseconds / (int64_t(kAnimationPauseMs) * 1000);
    return size_t(std::min<int64_t>(frame, int64_t(frames) - 1));
}

AnimationFrames::AnimationFrames(std::vector<AnimationMove> path) : path_(std::move(path)) {
    for (size_t i = 0; i < path_.size(); ++i)
        if (path_[i].Pause || i + 1 == path_.size()) frameEnds_.push_back(i + 1);
}

std::vector<AnimationMove> AnimationFrames::ShowFrame(size_t frame) {
    if (frameEnds_.empty()) return {};
    frame = std::min(frame, frameEnds_.size() - 1);
    const size_t from = next_;
    next_ = std::max(next_, frameEnds_[frame]);
    shown_ = std::max(shown_, frame);
    return {path_.begin() + std::ptrdiff_t(from), path_.begin() + std::ptrdiff_t(next_)};
}

std::vector<AnimationMove> AnimationFrames::Finish() {
    const size_t from = next_;
    next_ = path_.size();
    if (!frameEnds_.empty()) shown_ = frameEnds_.size() - 1;
    return {path_.begin() + std::ptrdiff_t(from), path_.end()};
}

}  // namespace orvane
