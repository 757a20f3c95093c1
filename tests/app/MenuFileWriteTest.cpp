#include "EditorFixture.h"
#include "RecordBytes.h"
#include "TempFolder.h"
#include "WriteLimit.h"

#include "app/EditorModel.h"
#include "document/MenuRecords.h"
#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>



using namespace orvane;

namespace {

// A new menu with every font and colour set to known values.
void MakeKnownMenu(MenuDocument& doc) {
    ResetToNewMenu(doc);
    doc.Props.TextFont = {"Verdana", 10, false, false, false, Alignment::Left, 0x000000};
    doc.Props.ButtonFont = {"Verdana", 10, true, false, false, Alignment::Centre, 0x112233};
    doc.Props.TitleFont = {"Verdana", 24, false, true, false, Alignment::Left, 0xFFFFFF};
    doc.Props.MenuColor = MakeColor(0, 84, 173);
    doc.Props.TextShadowColor = 0x010203;
    doc.Props.TitleShadowColor = 0x040506;
    doc.Props.ButtonShadowColor = 0x070809;
    doc.Menu.TitleShadowDepth = 2;
    doc.Menu.TextShadowDepth = 0;
    doc.Menu.ButtonShadowDepth = 1;
}

// The 55 property records and ten button records that MakeKnownMenu stores.
RecordBytes KnownMenuRecords(RecordBytes r) {
    r.Text("My Disc Menu")                                  // Title
        .Int(0)                                             // AnimateTitle, 1/0
        .Text("Welcome to my menu, here you can access the contents of my disc.")
        .Int(0)                                             // Position
        .Int(5)                                             // StyleId
        .Long(0xAD5400)                                     // MenuColor: red in the low byte
        .Int(1)                                             // AutoAdjust
        .Int(0)                                             // ButtonAnimation
        .Text("")                                           // BackgroundFile
        .Int(1).Int(480).Int(320)                           // AutoSizeMenu, MenuWidth, MenuHeight
        .Int(1)                                             // PhotoAspect
        .Int(1).Int(100).Int(28).Int(8)                     // AutoSizeButtons, ButtonWidth, ButtonHeight, ButtonGap
        .Font("Verdana", 10, false, false, false, 0, 0)     // TextFont
        .Font("Verdana", 10, true, false, false, 2, 0x112233)  // ButtonFont: bold is -1
        .Font("Verdana", 24, false, true, false, 0, 0xFFFFFF)  // TitleFont
        .Int(0).Long(0x010203)                              // text shadow
        .Int(2).Long(0x040506)                              // title shadow
        .Int(1).Long(0x070809)                              // caption shadow
        .Int(0).Int(0)                                      // FirstButtonLeft, FirstButtonTop
        .Int(0).Int(0).Int(0).Int(0)                        // TextRect
        .Int(0)                                             // PhotoSkin, -1/0
        .Int(0)                                             // DisableSounds
        .Int(100).Int(100)                                  // box visibilities
        .Text("[DefBtnSeld]")                               // ButtonStyleName
        // button 1
        .Text("&Close Menu").Text("").Text("").Text("")     // Caption, Command, Argument, Description
        .Int(0).Int(-1)                                     // MinimizeOnClick, ExitOnClick
        .Text("C")                                          // AccessKey from the caption
        .Int(0).Int(0).Int(0);                              // MaximizeWindow, Left, Top
    return r;
}

using WriteFixture = EditorFixture;

}  // namespace

TEST_F(WriteFixture, UndoSnapshotIsByteExact) {
    MakeKnownMenu(EditorModelAccess::Doc(model));
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Snapshot, app.Folder(), "UD001.und"));

    RecordBytes expected = KnownMenuRecords(RecordBytes().Header(3, 9, 1, -1)).End();
    EXPECT_EQ(Saved("UD001.und"), expected.Data);
    // A silent save shows nothing and leaves the file identity alone.
    EXPECT_TRUE(platform.Messages.empty());
    EXPECT_TRUE(platform.ProgressTexts.empty());
    EXPECT_FALSE(model.Doc().Menu.HasFile);
}

TEST_F(WriteFixture, NewMenuWithPicturesStartsAsStoredAndEndsWithTheStrip) {
    MakeKnownMenu(EditorModelAccess::Doc(model));
    EditorModelAccess::Doc(model).MenuImage = Bitmap(3, 2, 0xAABBCCDD);
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, app.Folder(), "new.mng"));
    const auto data = Saved("new.mng");

    const std::vector<uint8_t> start = {0x4D, 0x45, 0x4E, 0x55, 0x03, 0x09, 0x00, 0x00, 0x01, 0x04, 0x00,
                                        0x04, 0x0C, 0x00, 0x00, 0x00, 'M',  'y',  ' ',  'D',  'i',  's',
                                        'c',  ' ',  'M',  'e',  'n',  'u',  0x02, 0x02, 0x00, 0x00, 0x00,
                                        0x00, 0x00, 0x00, 0x00};
    ASSERT_GE(data.size(), start.size());
    EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + long(start.size())), start);

    const auto fields = KnownMenuRecords(RecordBytes().Header(3, 9, 1, 4)).Data;
    ASSERT_GT(data.size(), fields.size());
    EXPECT_EQ(std::vector<uint8_t>(data.begin(), data.begin() + long(fields.size())), fields);
    // The first picture record follows: kind 5, type 1, number 0, state 0, frame 0, width 3, height 2.
    const std::vector<uint8_t> picture = {5, 1, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(data.begin() + long(fields.size()), data.begin() + long(fields.size() + 16)),
              picture);
    EXPECT_EQ(data.back(), 0);

    EXPECT_EQ(model.Doc().Menu.HasFile, true);
    EXPECT_EQ(model.WindowCaption(), "New Menu (My Disc Menu) - Orvane Graphic Menu Editor");
    EXPECT_EQ(platform.ProgressTexts, (std::vector<std::string>{"Saving...", "Saved!"}));
}

TEST_F(WriteFixture, PicturesAreNumberedButtonByButtonThenTheStripAs21) {
    ResetToNewMenu(EditorModelAccess::Doc(model));
    EditorModelAccess::Doc(model).Menu.ButtonCount = 22;
    ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, app.Folder(), "many.mng"));

    RecordFile file(platform);
    file.OpenRecordFile("many.mng", app.Folder(), false, false);
    const MenuFileRead read = ReadMenuFile(file, StoredMenu{});
    ASSERT_EQ(read.Status, MenuReadStatus::Ok);
    EXPECT_EQ(read.PictureCount, 22 * 3 + 1);
    std::vector<std::pair<int, int>> order;
    Bitmap picture;
    while (file.Remaining() > 1 && file.ReadPicture(picture, false))
        order.emplace_back(file.LastPicture.Number, file.LastPicture.State);

    std::vector<std::pair<int, int>> expected = {{0, 0}};
    for (int n = 1; n <= 22; ++n)
        for (int s = 0; s < 3; ++s) expected.emplace_back(n, s);
    for (int s = 0; s < 3; ++s) expected.emplace_back(21, s);
    EXPECT_EQ(order, expected);
}

TEST_F(WriteFixture, ExitButtonWarningOnlyWithoutAnExitButton) {
    struct Case {
        const char* name;
        std::string command;
        int32_t exitOnClick;
        bool warned;
    } cases[] = {
        {"exit without command", "", -1, false},
        {"exit set by a check box", "", 1, false},
        {"command that also exits", "\\setup.exe", 1, true},
        {"plain button", "", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.Messages.clear();
        ResetToNewMenu(EditorModelAccess::Doc(model));
        EditorModelAccess::Doc(model).Menu.Buttons[1].Command = c.command;
        EditorModelAccess::Doc(model).Menu.Buttons[1].ExitOnClick = c.exitOnClick;
        EditorModelAccess::Flags(model).Modified = true;
        ASSERT_TRUE(model.BinMenuSave(SaveMode::Menu, app.Folder(), "exit.mng"));
        EXPECT_EQ(platform.Messages.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(platform.Messages[0].Request.Text, kExitButtonMessage);
            EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Information);
        }
        EXPECT_FALSE(model.Flags().Modified);
    }
}

TEST_F(WriteFixture, DecliningAQuestionLeavesTheFileUntouched) {
    struct Case {
        const char* name;
        bool ask;
        bool readOnly;
        std::vector<MsgResult> answers;
        bool saved;
        size_t questions;
    } cases[] = {
        {"overwrite declined", true, false, {MsgResult::No}, false, 1},
        {"overwrite cancelled", true, false, {MsgResult::Cancel}, false, 1},
        {"overwrite accepted", true, false, {MsgResult::Yes}, true, 1},
        {"no question asked", false, false, {}, true, 0},
        {"read-only declined", false, true, {MsgResult::No}, false, 1},
        {"read-only accepted", false, true, {MsgResult::Yes}, true, 1},
        {"both accepted", true, true, {MsgResult::Yes, MsgResult::Yes}, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = app.Path() / "old.mng";
        std::error_code ec;
        std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, ec);
        WriteFileReplacing(path, std::vector<uint8_t>{'o', 'l', 'd'});
        if (c.readOnly)
            std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::remove);
        platform.Messages.clear();
        platform.ProgressTexts.clear();
        platform.Answers.assign(c.answers.begin(), c.answers.end());
        ResetToNewMenu(EditorModelAccess::Doc(model));
        EXPECT_EQ(model.BinMenuSave(SaveMode::Menu, app.Folder(), "old.mng", c.ask ? Overwrite::Ask : Overwrite::Replace), c.saved);
        EXPECT_EQ(Saved("old.mng") == std::vector<uint8_t>({'o', 'l', 'd'}), !c.saved);
        // The questions only: the new menu's button exits, so no warning follows a save.
        EXPECT_EQ(platform.Messages.size(), c.questions);
        if (!c.saved) {
            EXPECT_EQ(platform.ProgressTexts.back(), "Save cancelled...");
        }
    }
}

TEST_F(WriteFixture, FailedWriteLeavesTheOldFileIntact) {
    const auto path = app.Path() / "keep.mng";
    WriteFileReplacing(path, std::vector<uint8_t>(100, 7));
    ResetToNewMenu(EditorModelAccess::Doc(model));
    EditorModelAccess::Doc(model).MenuImage = Bitmap(400, 300);
    for (size_t i = 0; i < EditorModelAccess::Doc(model).MenuImage.PixelCount(); ++i)
        EditorModelAccess::Doc(model).MenuImage.Data()[i] = uint32_t(i * 2654435761u);

    // A file size limit makes the write fail part-way, as a full disc would.
    {
        const WriteLimit limit(4096);
        EXPECT_THROW(model.BinMenuSave(SaveMode::Menu, app.Folder(), "keep.mng"), FileError);
    }

    EXPECT_EQ(Saved("keep.mng"), std::vector<uint8_t>(100, 7));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(app.Path())) ++files;
    EXPECT_EQ(files, 1u) << "the temporary file was left behind";
    EXPECT_FALSE(model.Doc().Menu.HasFile);
}
