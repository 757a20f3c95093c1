#pragma once

#include "player/Session.h"

namespace orvane::player {

// Plays a built-in sound without waiting for it; a new sound cuts the one
// before. A computer without sound plays nothing, silently.
void PlayAsync(Sound sound);
// Plays the sound to its end (the exit sound, after the window is gone).
void PlayToEnd(Sound sound);

}  // namespace orvane::player
