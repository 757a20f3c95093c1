#pragma once

#include "app/SingleInstance.h"

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace orvane {

// The running editor's end: a message-only window, titled with the instance
// key, that takes the files of a second start on the same settings file.
class InstanceWindow {
public:
    using Receiver = std::function<void(std::vector<std::filesystem::path>)>;
    InstanceWindow(const std::string& key, Receiver received);
    ~InstanceWindow();
    InstanceWindow(const InstanceWindow&) = delete;
    InstanceWindow& operator=(const InstanceWindow&) = delete;

private:
    HWND window_ = nullptr;
    Receiver received_;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// The second start's end: one bounded try to hand message to the running editor.
Delivery DeliverTo(const std::string& key, const std::string& message);

}  // namespace orvane
