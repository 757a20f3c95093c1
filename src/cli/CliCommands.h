#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orvane {

// Runs one orvane-menu command; returns the process exit code.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace orvane
