// Build step: marks the menu player to run from the swap file when started
// from removable media or the network (the linker has no switch for it).
//   orvane-mark-player PLAYER.exe

#include "player/PlayerBlock.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PLAYER.exe\n", argv[0]);
        return 2;
    }
    try {
        std::vector<uint8_t> image;
        {
            std::ifstream in(argv[1], std::ios::binary);
            if (!in) throw std::runtime_error("cannot read the player");
            image.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        orvane::player::MarkRunFromSwap(image);
        std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
        out.close();
        if (!out) throw std::runtime_error("cannot write the player");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], e.what());
        return 1;
    }
    return 0;
}
