#include "cli/CliCommands.h"

#include <iostream>

#ifdef _WIN32
#include "platform/win32/Console.h"

// Wide, so that arguments keep every character whatever the ANSI code page.
int wmain(int argc, wchar_t** argv) {
    const orvane::Utf8Console console;
    std::vector<std::string> args = orvane::Utf8Arguments(argc, argv);
    args.erase(args.begin());
    return orvane::RunCli(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return orvane::RunCli(args, std::cout, std::cerr);
}
#endif
