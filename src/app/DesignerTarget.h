#pragma once

#include <cstdint>

namespace orvane {

// What the colour picker and the shadow-set pop-up change in the button style
// designer. The designer implements it; the tool windows only see this.
class DesignerTarget {
public:
    virtual ~DesignerTarget() = default;

    virtual void SetCaptionColor(uint32_t color) = 0;
    virtual void SetShadowColor(uint32_t color) = 0;
    virtual int ShadowDepth() const = 0;
    virtual void SetShadowDepth(int depth) = 0;
    // Ticks of the designer's 10 ms timer before the sample is composed again.
    virtual void SetSampleCountdown(int ticks) = 0;
    // Composes the sample at once.
    virtual void ComposeSample() = 0;
};

}  // namespace orvane
