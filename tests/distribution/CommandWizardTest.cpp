#include "distribution/CommandWizard.h"
#include "platform/ScriptedPlatform.h"

#include "FakePalette.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

std::string Option(int code) { return "Option1" + std::string(code < 10 ? "00" : "0") + std::to_string(code); }

}  // namespace

TEST(CommandWizard, PageSequences) {
    using Kind = TfrmBtnWizCls::PageKind;
    struct Case {
        int code;
        std::vector<int> forwardPages;  // pages after each press of the forward button
        int backFromLast;
        Kind third;  // what the third page asks for
    } cases[] = {
        {0, {1, 2, 3}, 1, Kind::Target},
        {4, {2, 3}, 0, Kind::Target},  // no menu-action page
        {6, {1, 3}, 0, Kind::Target},  // no target page
        {7, {1, 3}, 0, Kind::Target},
        {3, {1, 2, 3}, 1, Kind::Address},
        {8, {1, 2, 3}, 1, Kind::Address},
        {5, {1, 2, 3}, 1, Kind::Message},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ScriptedPlatform platform;
        FakePalette palette;
        TfrmBtnWizCls wizard(platform, palette, "/disc/");
        wizard.ChooseAction(Option(c.code));
        EXPECT_EQ(wizard.WizardAction, c.code);
        for (size_t i = 0; i + 1 < c.forwardPages.size(); ++i) {
            wizard.Navigate("Command2001");
            EXPECT_EQ(wizard.Page, c.forwardPages[i]);
            EXPECT_TRUE(wizard.BackEnabled);
            EXPECT_EQ(wizard.ForwardCaption, wizard.Page == 2 ? "&Finish" : "&Next >>");
            EXPECT_EQ(wizard.ShownPage(), wizard.Page == 1 ? Kind::MenuAction : c.third);
        }
        wizard.Navigate("Command2000");
        EXPECT_EQ(wizard.Page, c.backFromLast);
        EXPECT_EQ(wizard.BackEnabled, c.backFromLast != 0);
        EXPECT_EQ(wizard.Outcome, TfrmBtnWizCls::Result::Open);
    }
}

TEST(CommandWizard, CommandsWritten) {
    struct Case {
        const char* name;
        int code;
        std::function<void(TfrmBtnWizCls&)> fill;
        TfrmBtnWizCls::MenuAction action;
        std::string command;
        bool minimize, exit, maximize;
        bool message;
    } cases[] = {
        {"document", 0, [](auto& w) { w.Target = "\\docs\\a.pdf"; }, TfrmBtnWizCls::MenuAction::Remain,
         "\\docs\\a.pdf", false, false, true, true},
        {"folder typed", 2, [](auto& w) { w.Target = "Photos\\"; }, TfrmBtnWizCls::MenuAction::Minimize, "Photos\\",
         true, false, true, true},
        {"internet", 3, [](auto& w) { w.Address = "http://example.org/"; }, TfrmBtnWizCls::MenuAction::Close,
         "http://example.org/", false, true, true, false},
        {"mail", 8, [](auto& w) { w.Address = "info"; w.Subject = "Hi you"; }, TfrmBtnWizCls::MenuAction::Remain,
         "mailto:info?Subject=Hi you", false, false, true, false},
        {"sub-menu", 4, [](auto& w) { w.Target = "Intro"; }, TfrmBtnWizCls::MenuAction::Close, "Intro.mng", false,
         false, false, false},
        {"message", 5, [](auto& w) { w.Message = "A\r\nB"; }, TfrmBtnWizCls::MenuAction::Remain, "$A\xC2\xB6" "B",
         false, false, true, false},
        {"no action with sound", 6, [](auto&) {}, TfrmBtnWizCls::MenuAction::Close, "*", false, true, true, false},
        {"no action", 7, [](auto&) {}, TfrmBtnWizCls::MenuAction::Remain, "", false, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform platform;
        FakePalette palette;
        TfrmBtnWizCls wizard(platform, palette, "/disc/");
        wizard.ChooseAction(Option(c.code));
        wizard.Action = c.action;
        wizard.Maximize = true;
        c.fill(wizard);
        while (wizard.Outcome == TfrmBtnWizCls::Result::Open) wizard.Navigate("Command2001");
        EXPECT_EQ(palette.Command, c.command);
        EXPECT_EQ(palette.Argument, "arg");
        EXPECT_EQ(palette.Minimize, c.minimize);
        EXPECT_EQ(palette.Exit, c.exit);
        EXPECT_EQ(palette.Maximize, c.maximize);
        EXPECT_EQ(platform.Messages.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_EQ(platform.Messages[0].Request.Text, TfrmBtnWizCls::kFinishedMessage);
        }
    }
}

// Finish with nothing to build the command from says so and stays on the page.
TEST(CommandWizard, AnEmptyTargetIsNotFinished) {
    for (const int code : {0, 1, 2, 3, 4, 5, 8}) {
        SCOPED_TRACE(code);
        ScriptedPlatform platform;
        FakePalette palette;
        TfrmBtnWizCls wizard(platform, palette, "/disc/");
        wizard.ChooseAction(Option(code));
        wizard.Target = wizard.Address = wizard.Message = "  ";
        wizard.Subject = "Hello";
        while (wizard.Page < 2) wizard.Navigate("Command2001");
        wizard.Navigate("Command2001");
        wizard.Navigate("Command2001");
        EXPECT_EQ(wizard.Outcome, TfrmBtnWizCls::Result::Open);
        EXPECT_EQ(wizard.Page, 2);
        EXPECT_EQ(wizard.ForwardCaption, "&Finish");
        EXPECT_TRUE(wizard.FocusFirstField);
        EXPECT_TRUE(palette.Untouched());
        ASSERT_EQ(platform.Messages.size(), 2u) << "said each time";
        EXPECT_NE(platform.Messages[0].Request.Text, TfrmBtnWizCls::kFinishedMessage);
    }
}

TEST(CommandWizard, ExitButtonShortcut) {
    ScriptedPlatform platform;
    FakePalette palette;
    TfrmBtnWizCls wizard(platform, palette, "/disc/");
    wizard.ChooseAction("Option1009");
    EXPECT_EQ(wizard.ForwardCaption, "&Finish");
    wizard.Navigate("Command2001");
    EXPECT_EQ(wizard.Outcome, TfrmBtnWizCls::Result::Finished);
    EXPECT_EQ(palette.Command, "");
    EXPECT_EQ(palette.Argument, "");
    EXPECT_FALSE(palette.Minimize);
    EXPECT_TRUE(palette.Exit);
    EXPECT_TRUE(palette.Maximize) << "left as it was";
}

TEST(CommandWizard, BrowseTargets) {
    struct Case {
        int code;
        std::filesystem::path chosen;
        std::string target;
        std::string title;
    } cases[] = {
        {1, "/disc/Setup/setup.exe", "\\Setup\\setup.exe", "Open Target Application"},
        {0, "/disc/docs/a.pdf", "\\docs\\a.pdf", "Open Target File"},
        {4, "/disc/menus/Intro.mng", "Intro.mng", "Open Target Menu"},
        {2, "/disc/Photos", "\\Photos", ""},
        {2, "/disc", "\\", ""},  // the disc's root itself
        {2, "/disc/", "\\", ""},
    };
    for (const Case& c : cases) {
        ScriptedPlatform platform;
        FakePalette palette;
        TfrmBtnWizCls wizard(platform, palette, "/disc/");
        wizard.ChooseAction(Option(c.code));
        wizard.Target = "typed";
        platform.DialogAnswers = {std::nullopt, c.chosen};
        wizard.Browse();
        EXPECT_EQ(wizard.Target, "typed") << "a cancelled dialog changes nothing";
        wizard.Browse();
        EXPECT_EQ(wizard.Target, c.target);
        const std::string title = c.code == 2 ? platform.FolderDialogs[0].Title : platform.FileDialogs[0].Title;
        EXPECT_EQ(title, c.code == 2 ? "Open Target Folder" : c.title);
    }
}

TEST(CommandWizard, BrowsedTargetsStayOnTheDisc) {
    TempFolder disc;
    std::filesystem::create_directories(disc.Path() / "docs" / "deep");
    // Outside the disc folder: a warning, and the field keeps what it had.
    for (int code : {0, 2, 4}) {
        SCOPED_TRACE(code);
        ScriptedPlatform platform;
        FakePalette palette;
        TfrmBtnWizCls wizard(platform, palette, disc.Folder());
        wizard.ChooseAction(Option(code));
        wizard.Target = "\\docs\\deep\\a.pdf";
        platform.DialogAnswers = {std::filesystem::path("/elsewhere/b.mng")};
        wizard.Browse();
        EXPECT_EQ(wizard.Target, "\\docs\\deep\\a.pdf");
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Warning);
        EXPECT_NE(platform.Messages[0].Request.Text.find("/elsewhere/b.mng"), std::string::npos);
        // The dialog started where the field's path lies on the disc.
        const std::filesystem::path start =
            code == 2 ? platform.FolderDialogs[0].InitialFolder : platform.FileDialogs[0].InitialFolder;
        EXPECT_EQ(start, code == 4 ? disc.Folder() : disc.Folder() + "docs/deep/");
    }

    // A menu never saved: saving first gives the root; without a save nothing is browsed.
    const struct {
        MsgResult answer;
        bool saves;
        std::string target;
    } unsaved[] = {
        {MsgResult::Yes, true, "\\docs\\a.pdf"},
        {MsgResult::Yes, false, "typed"},  // the save dialog was cancelled
        {MsgResult::No, false, "typed"},
    };
    for (const auto& c : unsaved) {
        ScriptedPlatform platform;
        FakePalette palette;
        int saves = 0;
        TfrmBtnWizCls wizard(platform, palette, "", [&] {
            ++saves;
            return c.saves ? disc.Folder() : std::string();
        });
        wizard.ChooseAction(Option(0));
        wizard.Target = "typed";
        platform.Answers = {c.answer};
        platform.DialogAnswers = {disc.Path() / "docs" / "a.pdf"};
        wizard.Browse();
        EXPECT_EQ(platform.MessageTexts().front(), TfrmBtnWizCls::kSaveFirstQuestion);
        EXPECT_EQ(saves, c.answer == MsgResult::Yes ? 1 : 0);
        EXPECT_EQ(wizard.Target, c.target);
        EXPECT_EQ(platform.FileDialogs.size(), c.saves ? 1u : 0u);
    }
}
