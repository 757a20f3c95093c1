#pragma once

// The menu player as a resource (RCDATA) of the Windows programs, where the
// autorun builder reads it. Included by the resource script as well.
#define ORVANE_PLAYER_RESOURCE 101
