// Writes a sample menu file: what a new menu saves, so `make run` has a file
// to describe until the editor window exists.
#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make-sample-menu OUT.mng\n";
        return 2;
    }
    const std::filesystem::path out = argv[1];
    orvane::ScriptedPlatform platform;
    platform.DefaultAnswer = orvane::MsgResult::Yes;
    orvane::EditorModel model(platform, out.parent_path());
    orvane::ResetToNewMenu(orvane::EditorModelAccess::Doc(model));
    orvane::EditorModelAccess::Doc(model).Menu.Buttons[1].Command.clear();
    const bool saved = model.BinMenuSave(orvane::SaveMode::Menu, out.parent_path().string() + "/",
                                         out.filename().string());
    return saved ? 0 : 1;
}
