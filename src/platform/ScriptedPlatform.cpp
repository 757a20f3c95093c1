#include "ScriptedPlatform.h"

#include <stdexcept>

namespace orvane {

MsgResult ScriptedPlatform::ShowMessageBox(const MessageBoxRequest& request) {
    MsgResult answer = MsgResult::Ok;
    if (request.Buttons == MsgButtons::YesNoCancel) {
        if (Answers.empty()) {
            answer = DefaultAnswer;
        } else {
            answer = Answers.front();
            Answers.pop_front();
        }
    }
    Messages.push_back({request, answer});
    if (WhileMessageShown) WhileMessageShown(request);
    return answer;
}

std::optional<std::filesystem::path> ScriptedPlatform::NextDialogAnswer() {
    if (DialogAnswers.empty()) return std::nullopt;
    auto answer = DialogAnswers.front();
    DialogAnswers.pop_front();
    return answer;
}

std::optional<std::filesystem::path> ScriptedPlatform::OpenFileDialog(const FileDialogRequest& request) {
    FileDialogs.push_back(request);
    return NextDialogAnswer();
}

std::optional<std::filesystem::path> ScriptedPlatform::SaveFileDialog(const FileDialogRequest& request) {
    FileDialogs.push_back(request);
    return NextDialogAnswer();
}

std::optional<std::filesystem::path> ScriptedPlatform::BrowseForFolder(const FolderRequest& request) {
    FolderDialogs.push_back(request);
    return NextDialogAnswer();
}

std::vector<std::string> ScriptedPlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : Messages) texts.push_back(m.Request.Text);
    return texts;
}

void ScriptedPlatform::SetProgressText(std::string_view text, int closeAfterMs) {
    if (!ProgressOpen) throw std::logic_error("progress text \"" + std::string(text) + "\" with no progress window open");
    ProgressTexts.emplace_back(text);
    ProgressCloseDelays.push_back(closeAfterMs);
    ProgressOpen = false;
}

}  // namespace orvane
