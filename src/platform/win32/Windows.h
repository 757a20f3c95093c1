#pragma once

// windows.h as the platform layer includes it: without the min and max macros
// and the rarely used parts. Nothing above the platform layer includes it.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
