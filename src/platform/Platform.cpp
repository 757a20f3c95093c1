#include "Platform.h"

namespace orvane {

void Platform::Trace(std::string_view text) {
    std::string line = "**** ";
    line += text;
    line += " ****";
    DebugOutput(line);
}

MsgResult ShowMessageBox(Platform& platform, std::string text, MsgType type, MsgButtons buttons,
                         std::optional<MsgResult> defaultButton) {
    MessageBoxRequest request;
    request.Text = std::move(text);
    request.Type = type;
    request.Buttons = buttons;
    request.DefaultButton = defaultButton;
    return platform.ShowMessageBox(request);
}

}  // namespace orvane
