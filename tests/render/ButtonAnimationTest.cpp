#include "render/ButtonAnimation.h"

#include <gtest/gtest.h>

#include <map>

using namespace orvane;

namespace {

constexpr int kMenuW = 480, kMenuH = 320, kWindowW = 900;

// Three 100 x 28 buttons in a column, 8 apart.
const std::vector<Rect> kThree = {Rect::FromSize(40, 60, 100, 28), Rect::FromSize(40, 96, 100, 28),
                                  Rect::FromSize(40, 132, 100, 28)};

std::vector<AnimationMove> Path(int code, const std::vector<Rect>& buttons = kThree) {
    return ButtonAnimationPath(code, buttons, kMenuW, kMenuH, kWindowW);
}

// The animated moves of one slot, after the moves that hide every button.
std::vector<AnimationMove> MovesOf(const std::vector<AnimationMove>& path, int slot, size_t hidden) {
    std::vector<AnimationMove> out;
    for (size_t i = hidden; i < path.size(); ++i)
        if (path[i].Slot == slot) out.push_back(path[i]);
    return out;
}

// The slots in the order they are animated, each listed once per run of moves.
std::vector<int> Runs(const std::vector<AnimationMove>& path, size_t hidden) {
    std::vector<int> runs;
    for (size_t i = hidden; i < path.size(); ++i)
        if (runs.empty() || runs.back() != path[i].Slot) runs.push_back(path[i].Slot);
    return runs;
}

}  // namespace

TEST(ButtonAnimation, EveryCodeHidesThenPlacesEachButtonOnceOnItsTarget) {
    for (int code = 0; code <= 14; ++code) {
        SCOPED_TRACE(code);
        const auto path = Path(code);
        ASSERT_GT(path.size(), kThree.size());
        for (size_t i = 0; i < kThree.size(); ++i) {
            const AnimationMove& m = path[i];
            EXPECT_EQ(m.Slot, int(i) + 1);
            EXPECT_EQ(m.Left, kWindowW);
            EXPECT_EQ(m.Top, -kThree[i].Height());
            EXPECT_FALSE(m.Pause);
        }
        for (size_t i = kThree.size(); i < path.size(); ++i) EXPECT_TRUE(path[i].Pause);
        EXPECT_EQ(Runs(path, 3), code > 7 ? (std::vector<int>{3, 2, 1}) : (std::vector<int>{1, 2, 3}));
        for (int slot = 1; slot <= 3; ++slot) {
            const AnimationMove last = MovesOf(path, slot, 3).back();
            EXPECT_EQ(last.Left, kThree[size_t(slot - 1)].Left);
            EXPECT_EQ(last.Top, kThree[size_t(slot - 1)].Top);
        }
    }
}

TEST(ButtonAnimation, OneButtonAnimatesOnceInBottomUpCodes) {
    const std::vector<Rect> one = {Rect::FromSize(20, 50, 90, 30)};
    for (int code = 8; code <= 14; ++code) {
        SCOPED_TRACE(code);
        const auto path = Path(code, one);
        EXPECT_EQ(Runs(path, 1), std::vector<int>{1});
        EXPECT_EQ(path.back().Left, 20);
        EXPECT_EQ(path.back().Top, 50);
    }
}

TEST(ButtonAnimation, GlidesStepTwelvePixelsFromTheirEdge) {
    struct Case {
        int code;
        bool vertical;  // which coordinate moves
        int start;
        int step;
    };
    const Case cases[] = {
        {1, true, -28, 12},            // from the top: y = -h, -h + 12, ...
        {2, false, kMenuW + 2 - 12, -12},  // from the right
        {3, true, kMenuH, -12},        // from the bottom
        {4, false, -100, 12},          // from the left: x = -w, ...
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const auto moves = MovesOf(Path(c.code), 2, 3);
        const Rect& target = kThree[1];
        ASSERT_GE(moves.size(), 3u);
        for (size_t i = 0; i + 1 < moves.size(); ++i) {
            const int moving = c.vertical ? moves[i].Top : moves[i].Left;
            const int fixed = c.vertical ? moves[i].Left : moves[i].Top;
            EXPECT_EQ(moving, c.start + int(i) * c.step) << i;
            EXPECT_EQ(fixed, c.vertical ? target.Left : target.Top) << i;
            // No step lands beyond the target before the snap.
            const int goal = c.vertical ? target.Top : target.Left;
            EXPECT_TRUE(c.step > 0 ? moving <= goal : moving >= goal) << i;
        }
    }
}

TEST(ButtonAnimation, SpillOutSlidesFromTheNeighbourAlreadyPlaced) {
    struct Case {
        int code;
        int firstSlot;
        int step;  // of the slot order
    };
    for (const Case c : {Case{6, 1, 1}, Case{13, 3, -1}}) {
        SCOPED_TRACE(c.code);
        const auto path = Path(c.code);
        const auto first = MovesOf(path, c.firstSlot, 3);
        ASSERT_EQ(first.size(), 1u) << "the first button snaps at once";
        for (int slot = c.firstSlot + c.step; slot >= 1 && slot <= 3; slot += c.step) {
            const auto moves = MovesOf(path, slot, 3);
            const int neighbourTop = kThree[size_t(slot - c.step - 1)].Top;
            const int target = kThree[size_t(slot - 1)].Top;
            ASSERT_GE(moves.size(), 3u);
            EXPECT_EQ(moves.front().Top, neighbourTop);
            for (size_t i = 1; i + 1 < moves.size(); ++i) EXPECT_EQ(moves[i].Top - moves[i - 1].Top, 6 * c.step);
            // The last step passes the target, then the top snaps back onto it.
            const int passed = moves[moves.size() - 2].Top;
            EXPECT_TRUE(c.step > 0 ? passed > target : passed < target);
            EXPECT_EQ(moves.back().Top, target);
            for (const AnimationMove& m : moves) EXPECT_EQ(m.Left, kThree[size_t(slot - 1)].Left);
        }
    }
}

TEST(ButtonAnimation, FlyInStopsOnTheTargetAndWithinItsStepLimit) {
    const Rect cases[] = {
        Rect::FromSize(30, 50, 100, 28),
        Rect::FromSize(0, 0, 1, 1),         // 1/7 of nothing: the +1 overshoots at once
        Rect::FromSize(-500, 40, 100, 28),  // left of the corner: steps back, then overshoots
        Rect::FromSize(4000, 3000, 100, 28),
    };
    for (const Rect& b : cases) {
        SCOPED_TRACE(b.Left);
        const auto moves = MovesOf(Path(5, {b}), 1, 1);
        EXPECT_LE(moves.size(), 1u + 401u + 1u) << "corner, at most 401 steps, snap";
        EXPECT_EQ(moves.front().Left, -b.Width());
        EXPECT_EQ(moves.front().Top, -b.Height());
        for (size_t i = 1; i + 1 < moves.size(); ++i) EXPECT_LE(moves[i].Top, b.Top);
        EXPECT_EQ(moves.back().Left, b.Left);
        EXPECT_EQ(moves.back().Top, b.Top);
    }
}
