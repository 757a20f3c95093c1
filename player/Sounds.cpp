#include "player/Sounds.h"

#include "player/Win32Text.h"
#include "player/resource.h"

#include <mmsystem.h>

namespace orvane::player {
namespace {

int ResourceOf(Sound sound) {
    switch (sound) {
        case Sound::Start: return IDW_START;
        case Sound::Select: return IDW_SELECT;
        case Sound::Change: return IDW_CHANGE;
        case Sound::Click: return IDW_CLICK;
        case Sound::Exit: return IDW_EXIT;
        case Sound::NoAction: return IDW_NOACTION;
        case Sound::None: break;
    }
    return 0;
}

void Play(Sound sound, DWORD how) {
    const int id = ResourceOf(sound);
    if (!id) return;
    PlaySoundW(MAKEINTRESOURCEW(id), GetModuleHandleW(nullptr), SND_RESOURCE | SND_NODEFAULT | how);
}

}  // namespace

void PlayAsync(Sound sound) { Play(sound, SND_ASYNC); }
void PlayToEnd(Sound sound) { Play(sound, SND_SYNC); }

}  // namespace orvane::player
