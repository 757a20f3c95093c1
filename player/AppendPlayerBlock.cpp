// Build step: appends the menu player to the editor executable.
//   orvane-append-player-block TARGET PLAYER.exe

#include "player/PlayerBlock.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s TARGET PLAYER.exe\n", argv[0]);
        return 2;
    }
    try {
        orvane::player::AppendPlayerBlock(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
        return 1;
    }
    return 0;
}
