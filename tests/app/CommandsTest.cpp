#include "EditorFixture.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct CommandFixture : EditorFixture {
    void SetUp() override {
        Start();
        platform.Messages.clear();
    }
};

}  // namespace

TEST_F(CommandFixture, SaveAsNames) {
    const std::string dotted = work.Folder() + "my.discs/";
    std::filesystem::create_directories(dotted);
    const std::pair<std::string, std::string> cases[] = {
        {work.Folder() + "Demo", "Demo.mng"},
        {work.Folder() + "Demo.MNG", "Demo.MNG"},  // the name chosen, not a second file beside it
        {work.Folder() + "a.b.c", "a.mng"},
        {work.Folder() + "ready.mng", "ready.mng"},
        {dotted + "Menu", "Menu.mng"},
    };
    for (const auto& [chosen, saved] : cases) {
        SCOPED_TRACE(chosen);
        model.StartNewMenu();
        platform.DialogAnswers = {std::filesystem::path(chosen)};
        EXPECT_TRUE(model.Files().Save()) << "a new menu saves through Save As";
        EXPECT_EQ(M().FileName, saved);
        EXPECT_EQ(M().Folder, std::filesystem::path(chosen).parent_path().string() + "/");
        EXPECT_TRUE(std::filesystem::exists(M().Folder + saved));
        EXPECT_EQ(model.Files().Folder(), M().Folder);
        EXPECT_FALSE(model.Flags().Modified);
    }
    EXPECT_EQ(platform.FileDialogs.back().Title, "Save Menu As...");
    EXPECT_EQ(platform.FileDialogs.back().Filter, "Orvane Menus (*.mng)|*.MNG");
    // The menu list shows the menus of the folder last saved to.
    EXPECT_EQ(model.Files().MenuList(), std::vector<std::string>{"Menu.mng"});
}

TEST_F(CommandFixture, SaveAsIntoAFolderThatCannotBeWrittenLosesNothing) {
    platform.DialogAnswers = {std::filesystem::path(work.Folder() + "missing/folder/x.mng")};
    EditorModelAccess::Flags(model).Modified = true;
    EXPECT_FALSE(model.Files().SaveAs());
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"A problem occured when saving the menu."});
    EXPECT_EQ(M().FileName, "New Menu");
    EXPECT_FALSE(M().HasFile);
    EXPECT_TRUE(model.Flags().Modified);
}

TEST_F(CommandFixture, DeleteMovesTheLaterButtonsUp) {
    model.Buttons().Add();
    model.Buttons().Add();
    M().Buttons[1].Caption = "One";
    M().Buttons[2].Caption = "Two";
    M().Buttons[3].Caption = "Three";
    M().SelectedButton = 1;
    model.Buttons().Delete();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Two", "Three"}));
    EXPECT_EQ(M().SelectedButton, 2);
    EXPECT_FALSE(model.Renderer().Layout.ButtonVisible[3]);

    struct Refusal {
        int selected;
        int count;
        std::string message;
    } refusals[] = {
        {0, 2, "You must first select a button to delete."},
        {-1, 2, "You must first select a button to delete."},
        {1, 1, "You must have at least one button on your menu."},
    };
    for (const Refusal& r : refusals) {
        platform.Messages.clear();
        M().ButtonCount = r.count;
        M().SelectedButton = r.selected;
        const int undo = M().UndoCount;
        model.Buttons().Delete();
        EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{r.message});
        EXPECT_EQ(M().ButtonCount, r.count);
        EXPECT_EQ(M().UndoCount, undo);
    }
}

TEST_F(CommandFixture, BeepsTakeNoSnapshot) {
    model.Buttons().Add();
    model.Buttons().Add();
    struct Case {
        const char* name;
        int selected;
        std::function<void()> command;
    } cases[] = {
        {"move up the first", 1, [&] { model.Buttons().MoveUp(); }},
        {"move down the last", 3, [&] { model.Buttons().MoveDown(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        M().SelectedButton = c.selected;
        const int beeps = platform.Beeps, undo = M().UndoCount;
        const auto captions = Captions();
        c.command();
        EXPECT_EQ(platform.Beeps, beeps + 1);
        EXPECT_EQ(M().UndoCount, undo);
        EXPECT_EQ(Captions(), captions);
    }
    while (M().ButtonCount < 30) model.Buttons().Add();
    const int undo = M().UndoCount;
    const int beeps = platform.Beeps;
    model.Buttons().Add();
    model.Buttons().Paste();
    EXPECT_EQ(platform.Beeps, beeps + 2);
    EXPECT_EQ(M().ButtonCount, 30);
    EXPECT_EQ(M().UndoCount, undo);
}

TEST_F(CommandFixture, MoveCutCopyPaste) {
    model.Buttons().Add();
    model.Buttons().Add();
    M().Buttons[1].Caption = "A";
    M().Buttons[2].Caption = "B";
    M().Buttons[3].Caption = "C";
    M().SelectedButton = 3;
    model.Buttons().MoveUp();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_EQ(M().SelectedButton, 2);
    model.Buttons().MoveDown();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(M().SelectedButton, 3);

    M().SelectedButton = 1;
    model.Buttons().Cut();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"B", "C"}));
    model.Buttons().Paste();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(M().SelectedButton, 3);
    M().SelectedButton = 1;
    model.Buttons().Copy();
    model.Buttons().Paste();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"B", "C", "A", "B"}));

    // Cut on a one-button menu leaves the clipboard as it was.
    while (M().ButtonCount > 1) {
        M().SelectedButton = 1;
        model.Buttons().Delete();
    }
    M().SelectedButton = 1;
    platform.Messages.clear();
    model.Buttons().Cut();
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"You must have at least one button on your menu."});
    EXPECT_EQ(M().Buttons[kClipboardSlot].Caption, "B");
}

TEST_F(CommandFixture, PreviousAndNextWrap) {
    model.Buttons().Add();
    model.Buttons().Add();
    const std::tuple<int, bool, int> cases[] = {{1, false, 3}, {3, true, 1}, {2, true, 3}, {0, true, 1}, {-1, true, 1}};
    for (const auto& [from, next, to] : cases) {
        M().SelectedButton = from;
        next ? model.Buttons().Next() : model.Buttons().Previous();
        EXPECT_EQ(M().SelectedButton, to) << from;
    }
}

TEST_F(CommandFixture, FieldsAndTheDeferredRedraw) {
    EditorModelAccess::Flags(model).Modified = false;
    M().SelectedButton = 1;
    model.Properties().SetCaption("E&xit");
    EXPECT_EQ(M().Buttons[1].Caption, "E&xit");
    EXPECT_TRUE(model.Flags().Modified);
    EXPECT_EQ(model.RedrawCountdown(), 10);

    EditorModelAccess::Flags(model).Modified = false;
    EditorModelAccess::RedrawCountdown(model) = -1;
    model.Properties().SetCommand("\\setup.exe");
    EXPECT_TRUE(model.Flags().Modified);
    EXPECT_EQ(model.RedrawCountdown(), -1);

    {
        FlagSet filling = model.FillingControls();
        model.Properties().SetArgument("-x");
        EXPECT_EQ(M().Buttons[1].Argument, "");
    }

    EditorModelAccess::Flags(model).Modified = false;
    model.Properties().SetTitle("Holiday");
    EXPECT_TRUE(model.Flags().Modified) << "typed titles must not be lost on closing";
    EXPECT_EQ(model.RedrawCountdown(), 10);
}

TEST_F(CommandFixture, OpeningMenus) {
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, work.Folder(), "one.mng"));
    model.Files().SetFolder(work.Folder());
    model.Files().RefreshMenuList();
    ASSERT_EQ(model.Files().MenuList(), std::vector<std::string>{"one.mng"});

    // A menu-list entry opens at once, without the save question.
    EditorModelAccess::Flags(model).Modified = true;
    platform.Messages.clear();
    model.Files().OpenMenuListEntry(0);
    EXPECT_TRUE(platform.Messages.empty());
    EXPECT_EQ(M().FileName, "one.mng");

    // An entry whose file vanished.
    std::filesystem::remove(work.Path() / "one.mng");
    model.Files().OpenMenuListEntry(0);
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"The following menu could no be found:\r\r" + work.Folder() + "one.mng"});
    EXPECT_TRUE(model.Files().MenuList().empty());

    // Open of a missing file.
    platform.Messages.clear();
    EditorModelAccess::Flags(model).Modified = false;
    platform.DialogAnswers = {work.Path() / "gone.mng"};
    model.Files().Open();
    EXPECT_EQ(platform.MessageTexts(), std::vector<std::string>{"The menu \"gone.mng\" could no be found."});
    EXPECT_EQ(platform.FileDialogs.back().Title, "Open Menu...");
    EXPECT_EQ(platform.FileDialogs.back().Filter, "Orvane Graphic Menu (*.mng)|*.MNG");
    EXPECT_EQ(M().FileName, "one.mng");
}

TEST_F(CommandFixture, SaveQuestionOnNewAndClose) {
    const std::string question = "Do you want to save the changes you made to New Menu";
    struct Case {
        const char* name;
        std::vector<MsgResult> answers;
        std::vector<std::optional<std::filesystem::path>> dialogs;
        bool closes;
        bool newMenu;
    } cases[] = {
        {"cancel keeps the window", {MsgResult::Cancel}, {}, false, false},
        {"no closes without saving", {MsgResult::No}, {}, true, true},
        {"yes then cancelled save keeps the window", {MsgResult::Yes}, {std::nullopt}, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        model.StartNewMenu();
        EditorModelAccess::Flags(model).Modified = true;
        platform.Messages.clear();
        platform.Answers.assign(c.answers.begin(), c.answers.end());
        platform.DialogAnswers.assign(c.dialogs.begin(), c.dialogs.end());
        EXPECT_EQ(model.Session().CloseQuery(), c.closes);
        ASSERT_FALSE(platform.Messages.empty());
        EXPECT_EQ(platform.Messages[0].Request.Text, question);
        EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Warning);

        // New abandons itself when its Save As was cancelled.
        EditorModelAccess::Flags(model).Modified = true;
        M().Buttons[1].Caption = "kept";
        platform.Answers.assign(c.answers.begin(), c.answers.end());
        platform.DialogAnswers.assign(c.dialogs.begin(), c.dialogs.end());
        model.Files().New();
        EXPECT_EQ(M().Buttons[1].Caption == "&Close Menu", c.newMenu);

        // Open likewise: a save that did not happen opens nothing.
        EditorModelAccess::Flags(model).Modified = true;
        platform.FileDialogs.clear();
        platform.Answers.assign(c.answers.begin(), c.answers.end());
        platform.DialogAnswers.assign(c.dialogs.begin(), c.dialogs.end());
        model.Files().Open();
        const bool openAsked = !platform.FileDialogs.empty() && platform.FileDialogs.back().Title == "Open Menu...";
        EXPECT_EQ(openAsked, c.closes);
    }
}

TEST_F(CommandFixture, SavingAMenuLargerThanMostLaptopScreensWarnsOncePerSize) {
    auto warnings = [&] {
        int n = 0;
        for (const auto& m : platform.Messages) n += m.Request.Type == MsgType::Warning;
        return n;
    };
    platform.DialogAnswers = {std::filesystem::path(work.Folder() + "large.mng")};
    ASSERT_TRUE(model.Files().SaveAs());
    EXPECT_EQ(warnings(), 0);  // the new menu fits
    EditorModelAccess::Doc(model).MenuImage = Bitmap(1828, 1219);
    ASSERT_TRUE(model.Files().Save());
    ASSERT_EQ(warnings(), 1);
    EXPECT_NE(platform.Messages.back().Request.Text.find("\"large.mng\" (1828 x 1219 pixels)"), std::string::npos);
    ASSERT_TRUE(model.Files().Save());
    EXPECT_EQ(warnings(), 1);  // told already
    EditorModelAccess::Doc(model).MenuImage = Bitmap(1366, 729);
    ASSERT_TRUE(model.Files().Save());
    EXPECT_EQ(warnings(), 2);
}
