#include "platform/win32/Console.h"

#include "platform/win32/Wide.h"
#include "platform/win32/Windows.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace orvane {

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(Utf8FromWide(argv[i]));
    return args;
}

Utf8Console::Utf8Console() : output_(GetConsoleOutputCP()) {
    if (output_) SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

Utf8Console::~Utf8Console() {
    if (output_) SetConsoleOutputCP(output_);
}

}  // namespace orvane
