#pragma once

#include "platform/win32/Windows.h"

#include <functional>

namespace orvane {

class TestRunModel;

// "Test Autorun...": the disc folder and what its check found, the screen to
// try the menu on, and Start/End Test; the run itself is the model's. rebuild
// runs the autorun wizard for the disc folder. Returns once the window has
// closed and the run has ended.
void ShowTestAutorun(HWND owner, TestRunModel& model, const std::function<void()>& rebuild);

}  // namespace orvane
