#include "TempFolder.h"

#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "styles/ButtonStyles.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

ButtonStyleFile SampleStyle(const std::string& name) {
    ButtonStyleFile s;
    s.Name = name;
    s.Animation = 7;
    s.Font = {"Tahoma", 11, true, false, true, Alignment::Centre, 0x00AA00};
    s.ShadowDepth = 3;
    s.ShadowColor = 0x101010;
    s.PhotoFlag = 1;
    s.Strip = Bitmap(kStripWidth, kStripHeight, 0x336699);
    s.MaskStrip = Bitmap(kStripWidth, kStripHeight, 0xFFFFFF);
    return s;
}

void WriteStyle(const std::filesystem::path& path, const ButtonStyleFile& style) {
    ScriptedPlatform platform;
    RecordFile f(platform);
    ASSERT_TRUE(f.OpenRecordFile(path.filename().string(), path.parent_path().string() + "/", true, false));
    WriteButtonStyleRecords(f, style);
    f.CloseRecordFile();
}

}  // namespace

TEST(ButtonStyles, RoundTripThroughTheList) {
    TempFolder folder;
    ScriptedPlatform platform;
    WriteStyle(folder.Path() / "shiny.ovgbtn", SampleStyle("Shiny"));

    ButtonStyleList list;
    list.LoadCustomButtons(folder.Path(), platform);
    ASSERT_EQ(list.Entries, (std::vector<std::string>{"[Style Default]", "Shiny", "Add New..."}));
    const TOVCustomBtn& slot = list.Slots[1];
    EXPECT_EQ(slot.StyleFile, folder.Folder() + "shiny.ovgbtn");
    EXPECT_EQ(slot.Animation, 7);
    EXPECT_EQ(slot.TextStyle, (FontSpec{"Tahoma", 11, true, false, true, Alignment::Centre, 0x00AA00}));
    EXPECT_EQ(slot.ShadowDepth, 3);
    EXPECT_EQ(slot.ShadowStyle, 0x101010u);
    EXPECT_TRUE(slot.StyleFlag);
    EXPECT_EQ(slot.StyleImages[0], Bitmap(kStripWidth, kStripHeight, 0x336699));
    EXPECT_EQ(list.EntryOfFile(folder.Folder() + "shiny.ovgbtn"), 1);
    EXPECT_EQ(list.EntryOfFile(folder.Folder() + "SHINY.ovgbtn"), -1);
    EXPECT_TRUE(list.IsAddNew(2));
    EXPECT_TRUE(platform.Messages.empty());
}

TEST(ButtonStyles, FoldersAndDamagedFiles) {
    struct Case {
        const char* name;
        int goodFiles;
        bool otherVersionBetween;
        std::vector<std::string> expectedMessages;
        int expectedLoaded;
    } cases[] = {
        {"thirty-one files", 31, false, {}, 30},
        {"another version between good ones", 2, true, {}, 2},
        {"empty folder", 0, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        ScriptedPlatform platform;
        for (int i = 0; i < c.goodFiles; ++i) {
            char name[32];
            std::snprintf(name, sizeof name, "b%02d.ovgbtn", i * 2);
            WriteStyle(folder.Path() / name, SampleStyle(name));
        }
        if (c.otherVersionBetween) {
            std::vector<uint8_t> old = {4, 29, 0, 0, 0};
            const std::string magic = "OVGBUTTONSTYLEFILE VERSION 8.0";
            old.insert(old.end(), magic.begin(), magic.end());
            WriteFileReplacing(folder.Path() / "b01.ovgbtn", old);
        }
        ButtonStyleList list;
        list.LoadCustomButtons(folder.Path(), platform);
        EXPECT_EQ(list.LoadedCount(), c.expectedLoaded);
        EXPECT_EQ(int(list.Entries.size()), c.expectedLoaded + 2);
        EXPECT_EQ(platform.MessageTexts(), c.expectedMessages);
        if (c.otherVersionBetween) {
            EXPECT_EQ(list.Entries[1], "b00.ovgbtn");
            EXPECT_EQ(list.Entries[2], "b02.ovgbtn");
            EXPECT_EQ(list.Slots[2].StyleFile, folder.Folder() + "b02.ovgbtn");
        }
    }
}

TEST(ButtonStyles, RecordsAsTheFileHoldsThem) {
    TempFolder folder;
    ScriptedPlatform platform;
    WriteStyle(folder.Path() / "good.ovgbtn", SampleStyle("Good"));
    const std::vector<uint8_t> good = ReadWholeFile(folder.Path() / "good.ovgbtn");
    // The photo-button flag is the last integer before the first picture record.
    size_t flagAt = 0;
    for (size_t i = 0; i + 9 < good.size(); ++i)
        if (good[i] == 2 && good[i + 9] == 5 && good[i + 10] == 1) flagAt = i;
    ASSERT_GT(flagAt, 0u);

    auto flag2 = good;
    flag2[flagAt + 5] = 2;
    auto noEnd = good;
    noEnd.resize(good.size() - 1);
    auto cutPicture = good;
    cutPicture.resize(good.size() - 30);

    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        bool photoFlag;
        std::vector<std::string> messages;
    } cases[] = {
        {"record 13 holding 2", flag2, true, {}},
        {"no end byte", noEnd, true, {}},
        {"picture cut short", cutPicture, true, {"Error loading binary button data: case.ovgbtn"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder caseFolder;
        WriteFileReplacing(caseFolder.Path() / "case.ovgbtn", c.data);
        ScriptedPlatform p;
        ButtonStyleList list;
        list.LoadCustomButtons(caseFolder.Path(), p);
        ASSERT_EQ(list.LoadedCount(), 1);
        EXPECT_EQ(list.Entries[1], "Good");
        EXPECT_EQ(list.Slots[1].StyleFlag, c.photoFlag);
        EXPECT_EQ(p.MessageTexts(), c.messages);
        if (!c.messages.empty()) {
            EXPECT_EQ(p.Messages[0].Request.Caption, "");
        }
        // Whatever was read, the strips have the size the renderer cuts.
        EXPECT_EQ(list.Slots[1].StyleImages[1].Width(), kStripWidth);
        EXPECT_EQ(list.Slots[1].StyleImages[1].Height(), kStripHeight);
    }

    ButtonStyleList list;
    EXPECT_FALSE(list.OpenButton("absent.ovgbtn", folder.Folder(), 1, platform));
    EXPECT_EQ(platform.MessageTexts(),
              std::vector<std::string>{"Button not found: " + folder.Folder() + " | absent.ovgbtn"});
}
