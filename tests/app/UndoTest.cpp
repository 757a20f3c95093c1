#include "EditorFixture.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct UndoFixture : EditorFixture {
    void SetUp() override { Start(); }
};

}  // namespace

TEST_F(UndoFixture, ThirtyLevelsOfUndo) {
    ASSERT_EQ(M().UndoCount, 0);
    // 31 changes: add buttons 2..30, then move the last one up twice.
    std::vector<std::vector<std::string>> states;
    for (int i = 0; i < 29; ++i) {
        states.push_back(Captions());
        model.Buttons().Add();
    }
    states.push_back(Captions());
    model.Buttons().MoveUp();
    states.push_back(Captions());
    model.Buttons().MoveUp();
    EXPECT_EQ(M().UndoCount, 30);
    EXPECT_TRUE(model.Flags().Modified);

    for (int k = 0; k < 30; ++k) model.Undo().Undo();
    EXPECT_EQ(Captions(), states[1]) << "thirty undos restore the state before the second change";
    EXPECT_EQ(M().UndoCount, 0);
    model.Undo().Undo();
    EXPECT_EQ(Captions(), states[1]) << "a thirty-first undo does nothing";

    // Redo walks forward again.
    model.Undo().Redo();
    EXPECT_EQ(Captions(), states[2]);
}

TEST_F(UndoFixture, UndoThenRedoRestoresTheDocumentExactly) {
    model.Buttons().Add();
    model.Buttons().Add();
    model.Properties().SetCaption("Third");
    model.ComboBox1Select(6);
    EditorModelAccess::Doc(model).Menu.SelectedButton = 3;
    model.Buttons().MoveUp();  // Third moves above Button 2
    const MenuProperties props = model.Doc().Props;
    const auto captions = Captions();

    model.Undo().Undo();
    EXPECT_NE(Captions(), captions);
    model.Undo().Redo();
    EXPECT_EQ(Captions(), captions);
    EXPECT_EQ(model.Doc().Props.TitleFont, props.TitleFont);
    EXPECT_EQ(model.Doc().Props.MenuColor, props.MenuColor);
    EXPECT_EQ(model.Doc().Props.StyleId, props.StyleId);
    EXPECT_EQ(model.SelectedStyle(), 6);
    EXPECT_EQ(M().SelectedButton, -1);
}

TEST_F(UndoFixture, ChangeAfterUndoDropsTheRedo) {
    model.Buttons().Add();
    model.Undo().Undo();
    EXPECT_EQ(M().RedoCount, 1);
    model.Buttons().Add();
    EXPECT_EQ(M().RedoCount, 0);
    const auto captions = Captions();
    model.Undo().Redo();
    EXPECT_EQ(Captions(), captions);
}

TEST_F(UndoFixture, NoSnapshotWhileReadingAndTheCaptionStays) {
    model.Buttons().Add();
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, app.Folder(), "menu.mng"));
    const int undo = M().UndoCount;
    EditorModelAccess::Flags(model).Loading = true;
    model.Undo().Make();
    model.Undo().Undo();
    EXPECT_EQ(M().UndoCount, undo);
    EditorModelAccess::Flags(model).Loading = false;

    ASSERT_TRUE(model.BinMenuOpen("menu.mng", app.Folder(), false));
    EXPECT_EQ(M().UndoCount, 0) << "opening a file starts a fresh history";
    model.Buttons().Add();
    model.Undo().Undo();
    EXPECT_EQ(model.WindowCaption(), "menu.mng (My Disc Menu) - Orvane Graphic Menu Editor");
    EXPECT_EQ(M().FileName, "menu.mng");
    EXPECT_TRUE(M().HasFile);
}

TEST_F(UndoFixture, SnapshotsLiveInTheApplicationFolderUntilShutdown) {
    model.Buttons().Add();
    EXPECT_TRUE(std::filesystem::exists(app.Path() / "UD001.und"));
    model.Undo().Undo();
    EXPECT_TRUE(std::filesystem::exists(app.Path() / "RD001.und"));

    // A second editor from the same folder keeps its snapshots apart.
    ScriptedPlatform otherPlatform;
    EditorModel other(otherPlatform, app.Path());
    other.Session().Start();
    EXPECT_NE(other.Undo().Folder(), model.Undo().Folder());
    other.StartNewMenu();
    other.Buttons().Add();
    model.Undo().Redo();
    EXPECT_EQ(M().ButtonCount, 2) << "the other editor did not overwrite our snapshot";
    other.Session().Shutdown();

    model.Session().Shutdown();
    for (const auto& entry : std::filesystem::directory_iterator(app.Path()))
        EXPECT_NE(entry.path().extension(), ".und") << entry.path();
}

// A photo style chosen with its photo (and a photo that brings its style) is
// one step: undo and redo across it give back whole states and ask for nothing.
TEST_F(UndoFixture, PhotoStyleAndItsPhotoAreOneStep) {
    TempFolder work;
    WriteFileReplacing(work.Path() / "sea.bmp", WriteBmp(Bitmap(40, 30, 0x2080C0), 24));
    model.ComboBox1Select(6);
    model.Properties().ChoosePreset(2);
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    model.ApplyPickedColor(ColorTarget::FontColor, 0x9DDBFF, true);
    const int steps = M().UndoCount;

    platform.DialogAnswers = {work.Path() / "sea.bmp"};
    model.ComboBox1Select(12);
    ASSERT_EQ(model.SelectedStyle(), 12);
    EXPECT_EQ(M().UndoCount, steps + 1);
    const uint32_t photoText = model.Doc().Props.TextFont.Color;
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    model.ApplyPickedColor(ColorTarget::FontColor, 0x00FF00, true);

    platform.Messages.clear();
    platform.FileDialogs.clear();
    model.Undo().Undo();
    EXPECT_EQ(model.Doc().Props.TextFont.Color, photoText);
    model.Undo().Undo();
    EXPECT_EQ(model.SelectedStyle(), 6);
    EXPECT_EQ(model.Doc().Props.TextFont.Color, 0x9DDBFFu);
    model.Undo().Redo();
    EXPECT_EQ(model.SelectedStyle(), 12);
    EXPECT_EQ(model.Doc().Props.TextFont.Color, photoText);
    EXPECT_EQ(M().BackgroundFile, (work.Path() / "sea.bmp").string());
    EXPECT_TRUE(platform.Messages.empty()) << platform.MessageTexts()[0];
    EXPECT_TRUE(platform.FileDialogs.empty());

    // "Set Background Image..." on a style without a photo: one step too.
    model.ComboBox1Select(6);
    const int before = M().UndoCount;
    platform.DialogAnswers = {work.Path() / "sea.bmp"};
    model.SetBackgroundImage();
    EXPECT_EQ(model.SelectedStyle(), 12);
    EXPECT_EQ(M().UndoCount, before + 1);
    model.Undo().Undo();
    EXPECT_EQ(model.SelectedStyle(), 6);
    EXPECT_TRUE(platform.Messages.empty());
}
