#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

using namespace orvane;

TEST(CommandPalette, WizardWritesThroughTheChangeHandlers) {
    TempFolder app;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.StartNewMenu();

    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    EXPECT_EQ(model.OpenCommandWizard(), nullptr);
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"You must first select a button to add the command for."});

    EditorModelAccess::Doc(model).Menu.SelectedButton = 1;
    EditorModelAccess::Flags(model).Modified = false;
    auto wizard = model.OpenCommandWizard();
    ASSERT_NE(wizard, nullptr);
    wizard->ChooseAction("Option1003");
    wizard->Address = "http://example.org";
    while (wizard->Outcome == TfrmBtnWizCls::Result::Open) wizard->Navigate("Command2001");
    EXPECT_EQ(model.Doc().Menu.Buttons[1].Command, "http://example.org");
    EXPECT_TRUE(model.Flags().Modified);

    // Filling the palette: from the button, or emptied without a selection.
    EditorModelAccess::Doc(model).Menu.Buttons[1].MaximizeWindow = 1;
    model.Properties().ShowButtonProps();
    EXPECT_EQ(model.Properties().ButtonPanel().Command, "http://example.org");
    EXPECT_TRUE(model.Properties().ButtonPanel().Maximize);
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    model.Properties().ShowButtonProps();
    EXPECT_EQ(model.Properties().ButtonPanel().Command, "");
    EXPECT_EQ(model.Properties().ButtonPanel().Caption, "");
    EXPECT_FALSE(model.Properties().ButtonPanel().Exit);
    EXPECT_TRUE(model.Properties().ButtonPanel().Maximize) << "the maximise box keeps its state";

    // Programmatic changes while the palette is filled store nothing.
    EditorModelAccess::Doc(model).Menu.SelectedButton = 1;
    EditorModelAccess::Flags(model).Updating = true;
    EditorModelAccess::Flags(model).Modified = false;
    model.Properties().SetCommand("x");
    model.Properties().SetExitOnClick(false);
    EXPECT_EQ(model.Doc().Menu.Buttons[1].Command, "http://example.org");
    EXPECT_FALSE(model.Flags().Modified);
    EditorModelAccess::Flags(model).Updating = false;

    platform.Messages.clear();
    model.Properties().QuickInfo();
    EXPECT_EQ(platform.MessageTexts()[0],
              "Typical use DOES NOT require any use of Commandline Arguments.\r\r"
              "Use %CD% to indicate the CD drive, such that G:\\dir\\doc.ext would be %CD%:\\dir\\doc.ext\r"
              " Please note the retention of the colon sign (:) in the argument above.\r\r"
              "See Help for full instructions (Press F1 after you click OK below)");
}

TEST(CommandPalette, AutorunWizardOffersToSaveFirst) {
    TempFolder app, disc;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.StartNewMenu();
    EditorModelAccess::Flags(model).Modified = true;
    platform.Answers = {MsgResult::Cancel};
    EXPECT_EQ(model.OpenAutorunWizard(), nullptr);
    EXPECT_EQ(platform.MessageTexts()[0],
              "Your autorun application will be created using the last saved\rcopy of your menu, do you want to save "
              "your menu now?");

    platform.Answers = {MsgResult::Yes};
    platform.DialogAnswers = {disc.Path() / "Main"};
    auto wizard = model.OpenAutorunWizard();
    ASSERT_NE(wizard, nullptr);
    EXPECT_EQ(wizard->NameField, disc.Folder() + "Autorun.exe");
    EXPECT_EQ(wizard->ListedFiles(), std::vector<std::string>{"Main.mng"});

    // Yes, then the save dialog cancelled: the save that did not happen ends the command, silently.
    EditorModelAccess::Flags(model).Modified = true;
    platform.Answers = {MsgResult::Yes};
    platform.DialogAnswers = {std::nullopt};
    EditorModelAccess::Doc(model).Menu.FileName = "New Menu";
    const size_t shown = platform.Messages.size();
    EXPECT_EQ(model.OpenAutorunWizard(), nullptr);
    EXPECT_EQ(platform.Messages.size(), shown + 1);  // the question alone
}

TEST(CommandPalette, AddNewOpensTheDesignerAndListsWhatItSaved) {
    TempFolder app;
    ScriptedPlatform platform;
    EditorModel model(platform, app.Path());
    model.StartNewMenu();
    bool opened = false;
    model.SetDesignerWindow([&] {
        opened = true;
        // What the designer leaves behind: a saved style in buttons/.
        ButtonStyleFile style;
        style.Name = "Fresh";
        style.Strip = style.MaskStrip = Bitmap(96, 32);
        std::filesystem::create_directories(model.ButtonsFolder());
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("fresh.ovgbtn", model.ButtonsFolder(), true, false));
        WriteButtonStyleRecords(f, style);
        f.CloseRecordFile();
    });
    model.ComboBox2Select(int(model.ButtonStyles().Entries.size()) - 1);  // "Add New..."
    EXPECT_TRUE(opened);
    EXPECT_EQ(model.ButtonStyles().Entries,
              (std::vector<std::string>{"[Style Default]", "Fresh", "Add New..."}));
    EXPECT_EQ(model.ButtonStyles().Selected, 0);
    EXPECT_EQ(platform.TipsShown.back(), 18);
}
