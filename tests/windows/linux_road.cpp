// The typical road as the Windows editor's test takes it by keys, taken here by
// the Linux editor's model with the calls its windows make, so the test can
// compare the files both write.
//
//     linux_road APP_FOLDER DISC_FOLDER
//
// DISC_FOLDER holds tools/setup.exe; disc.mng, Autorun.exe and Autorun.inf
// are written into it.
#include "app/EditorModel.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"

#include <iostream>

using namespace orvane;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: linux_road APP_FOLDER DISC_FOLDER\n";
        return 2;
    }
    const std::filesystem::path app = PathFromUtf8(argv[1]), disc = PathFromUtf8(argv[2]);
    ScriptedPlatform platform;
    EditorModel model(platform, app);
    model.Session().Start();
    model.Session().DeferredStart({});

    // The Menu Style palette's list, one down from "XP Style".
    model.ComboBox1Select(model.StylePositionByName("Blue Ribbon"));
    model.Buttons().Add();
    // The command wizard, opened and cancelled once, as the test tries Escape on it.
    model.OpenCommandWizard()->Cancel();
    auto command = model.OpenCommandWizard();
    command->ChooseAction("Option1001");  // "Start an application."
    command->Navigate("Command2001");
    command->Navigate("Command2001");
    // Browse saves the menu first (Yes), as disc.mng, then picks the program.
    platform.Answers = {MsgResult::Yes};
    platform.DialogAnswers = {disc / "disc.mng", disc / "tools" / "setup.exe"};
    command->Browse();
    command->Navigate("Command2001");  // Finish
    command.reset();
    model.Files().Save();
    // The autorun wizard: the name it offers, the menus ticked, the default menu, built.
    auto autorun = model.OpenAutorunWizard();
    if (!autorun) {
        std::cerr << "linux_road: the autorun wizard did not open\n";
        return 1;
    }
    for (int page = 0; page < 3; ++page) autorun->Navigate("Command3001");
    autorun->Close();
    for (const auto& shown : platform.Messages)
        if (shown.Request.Type == MsgType::Error) {
            std::cerr << "linux_road: " << shown.Request.Text << "\n";
            return 1;
        }
    return 0;
}
