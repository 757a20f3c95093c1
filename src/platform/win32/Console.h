#pragma once

#include <string>
#include <vector>

namespace orvane {

// The command line of a wide entry point (wmain) as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);

// While it lives, a console shows the UTF-8 the program writes; the console's
// own code page comes back afterwards. Standard output and error carry the
// bytes as written, "\n" without an added "\r", so what a command prints is
// what it prints on Linux.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned output_;
};

}  // namespace orvane
