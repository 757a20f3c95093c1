#pragma once

#include "platform/Bitmap.h"
#include "platform/win32/Windows.h"

#include <string>

namespace orvane {

// The picture window, at start-up and as the about box: what both draw.
enum class SplashMode { StartUp, About };

// The picture's see-through corners left out: the window's shape at a DPI.
HRGN SplashShape(const Bitmap& picture, int dpi);

// The picture and its texts: the version line and the short notice at
// start-up; the long notice, "[Close]" and the note in the about box.
void PaintSplash(HDC dc, HWND window, const Bitmap& picture, SplashMode mode, const std::wstring& note = {},
                 bool closeFocused = false);

// Where "[Close]" lies in the about box, in pixels at a DPI.
RECT SplashCloseLink(int dpi);

}  // namespace orvane
