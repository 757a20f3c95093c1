#pragma once

#include "app/DesignerTarget.h"

// Stands in for the button style designer: records what the tool windows set.
struct FakeDesigner : orvane::DesignerTarget {
    uint32_t Caption = 0;
    uint32_t Shadow = 0;
    int Depth = 1;
    int Countdown = -1;
    int Composed = 0;

    void SetCaptionColor(uint32_t color) override { Caption = color; }
    void SetShadowColor(uint32_t color) override { Shadow = color; }
    int ShadowDepth() const override { return Depth; }
    void SetShadowDepth(int depth) override { Depth = depth; }
    void SetSampleCountdown(int ticks) override { Countdown = ticks; }
    void ComposeSample() override { ++Composed; }
};
