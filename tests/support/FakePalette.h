#pragma once

#include "distribution/CommandWizard.h"

#include <string>

// The palette's command controls, as the command wizard leaves them.
struct FakePalette : orvane::CommandTarget {
    std::string Command = "old", Argument = "arg";
    bool Minimize = true, Exit = false, Maximize = true;
    void SetCommand(const std::string& t) override { Command = t; }
    void SetArgument(const std::string& t) override { Argument = t; }
    void SetMinimizeOnClick(bool on) override { Minimize = on; }
    void SetExitOnClick(bool on) override { Exit = on; }
    void SetMaximizeWindow(bool on) override { Maximize = on; }
    bool Untouched() const { return Command == "old" && Argument == "arg" && Minimize && !Exit && Maximize; }
};
