#pragma once

// The crossing between the core's rectangle and Windows' RECT, for the
// editor's Windows face and the player alike.

#include "platform/Rect.h"
#include "platform/win32/Windows.h"

namespace orvane {

inline RECT ToRECT(const Rect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }
inline Rect FromRECT(const RECT& r) { return {int(r.left), int(r.top), int(r.right), int(r.bottom)}; }

}  // namespace orvane
