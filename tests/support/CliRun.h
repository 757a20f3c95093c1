#pragma once

#include "cli/CliCommands.h"

#include <sstream>
#include <string>
#include <vector>

// One run of orvane-menu, as a script sees it.
struct CliRun {
    int code;
    std::string out, err;
};

inline CliRun Cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = orvane::RunCli(args, out, err);
    return {code, out.str(), err.str()};
}
