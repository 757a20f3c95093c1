#pragma once

// orvane-menu run in-process, as the fuzz targets drive it.

#include "cli/CliCommands.h"

#include <sstream>
#include <string>
#include <vector>

namespace orvane::fuzz {

struct ToolRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

inline ToolRun RunTool(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    ToolRun run;
    run.Status = RunCli(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

}  // namespace orvane::fuzz
