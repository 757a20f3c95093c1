#include "TempFolder.h"

#include "app/ButtonDesigner.h"
#include "app/ColorPicker.h"
#include "app/DesignerMenu.h"
#include "app/EditorModel.h"
#include "app/MainMenu.h"
#include "app/ShadowSets.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

using Designer = TfrmCustomBtnCls;
constexpr int W = Designer::kSampleWidth;
constexpr int H = Designer::kSampleHeight;

// A picture whose every pixel tells where it came from.
Bitmap Coded(int tag) {
    Bitmap b(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) b.At(x, y) = MakePixel(uint8_t(tag), uint8_t(x * 8), uint8_t(y * 8));
    return b;
}

struct Ink {
    int Left = 1 << 20, Top = 1 << 20, Right = -1, Bottom = -1;
};

// Where the caption changed the state picture.
Ink InkOf(const Bitmap& composed, const Bitmap& plain) {
    Ink ink;
    for (int y = 0; y < composed.Height(); ++y)
        for (int x = 0; x < composed.Width(); ++x)
            if (composed.At(x, y) != plain.At(x, y)) {
                ink.Left = std::min(ink.Left, x);
                ink.Right = std::max(ink.Right, x);
                ink.Top = std::min(ink.Top, y);
                ink.Bottom = std::max(ink.Bottom, y);
            }
    return ink;
}

void WriteBmpFile(const fs::path& path, const Bitmap& b) { WriteFileReplacing(path, WriteBmp(b, 24)); }

struct DesignerFixture : ::testing::Test {
    TempFolder app;
    TempFolder work;
    ScriptedPlatform platform;
    EditorModel model{platform, app.Path()};
    Designer designer{model, {"DejaVu Sans", "Liberation Serif"}};

    // Photo switch off, no shadow, the sample composed.
    void Plain() {
        designer.SetPhotoButton(false);
        designer.SetShadowDepth(0);
        designer.ComposeSample();
    }
    std::string SaveAsIn(const fs::path& chosen) {
        platform.DialogAnswers.push_back(chosen);
        EXPECT_TRUE(designer.SaveAs());
        return designer.StyleFolder + designer.StyleFileName;
    }
};

}  // namespace

TEST_F(DesignerFixture, CreationPreparesListsFolderAndDefaults) {
    EXPECT_TRUE(fs::is_directory(model.ButtonsFolder()));
    ASSERT_EQ(designer.FontList.size(), 13u);  // the installed fonts' first places are taken
    EXPECT_EQ(designer.FontList[0], "Arial");
    EXPECT_EQ(designer.FontList[11], "Georgia");
    EXPECT_EQ(designer.FontList[12], Designer::kFontSeparator);
    EXPECT_EQ(designer.SizeList.front(), "4");
    EXPECT_EQ(designer.SizeList.back(), "72");
    EXPECT_EQ(designer.SizeList[5], "9");
    EXPECT_EQ(designer.CaptionFont, (FontSpec{"Arial", 9, true, false, false, Alignment::Centre, 0xFF000008}));
    EXPECT_EQ(designer.ShadowColor, MakeColor(255, 255, 0));
    EXPECT_EQ(designer.ShadowDepth(), 1);
    EXPECT_EQ(designer.NudgeLeft, 14);
    EXPECT_EQ(designer.NudgeTop, -1);
    EXPECT_EQ(designer.SelectedSlot, 1);
    EXPECT_EQ(designer.SlotPictures[5], designer.SlotPictures[4]);
    EXPECT_EQ(designer.SlotPictures[6], designer.SlotPictures[4]);
    EXPECT_NE(designer.SlotPictures[1], designer.SlotPictures[2]);
    EXPECT_EQ(designer.SampleBackground.Width(), 189);
    EXPECT_EQ(designer.SampleBackground.Height(), 137);
    EXPECT_FALSE(designer.Modified);
    EXPECT_EQ(designer.SlotCaptionX(), 100);

    // Two ticks of the timer compose the sample once.
    EXPECT_EQ(designer.SampleCountdown, 2);
    designer.Tick();
    EXPECT_TRUE(designer.ComposedStates[0].IsEmpty());
    designer.Tick();
    EXPECT_EQ(designer.SampleCountdown, -1);
    EXPECT_EQ(designer.ComposedStates[0].Width(), W);
    EXPECT_EQ(designer.SknImg.Width(), 96);
}

TEST_F(DesignerFixture, CornersKeepTheirPixelsAndEdgesStretch) {
    for (int s = 1; s <= 3; ++s) designer.SlotPictures[size_t(s)] = Coded(s * 40);
    Plain();
    for (int s = 0; s < 3; ++s) {
        SCOPED_TRACE(s);
        const Bitmap& pic = designer.SlotPictures[size_t(s + 1)];
        const Bitmap& state = designer.StateBitmaps[size_t(s)];
        for (int j = 0; j < 11; ++j)
            for (int i = 0; i < 11; ++i) {
                ASSERT_EQ(state.At(i, j), pic.At(i, j));
                ASSERT_EQ(state.At(W - 11 + i, j), pic.At(21 + i, j));
                ASSERT_EQ(state.At(i, H - 11 + j), pic.At(i, 21 + j));
                ASSERT_EQ(state.At(W - 11 + i, H - 11 + j), pic.At(21 + i, 21 + j));
            }
        // Edges and the middle only take the picture's middle columns and rows.
        for (int x = 11; x < W - 11; ++x) {
            const int column = PixelGreen(state.At(x, 0)) / 8;
            ASSERT_GE(column, 11);
            ASSERT_LE(column, 20);
            EXPECT_EQ(PixelBlue(state.At(x, 0)), 0);  // top row of the picture
            const int middle = PixelBlue(state.At(x, 16)) / 8;
            ASSERT_GE(middle, 11);
            ASSERT_LE(middle, 20);
        }
        for (int y = 11; y < H - 11; ++y) EXPECT_EQ(PixelGreen(state.At(0, y)), 0);
    }
}

TEST_F(DesignerFixture, PhotoSwitchDecidesWhetherMasksCount) {
    designer.SlotPictures[1] = Bitmap(32, 32, MakePixel(200, 0, 0));
    struct Case {
        bool photo;
        uint32_t mask;
        bool showsBackground;
    } cases[] = {{true, 0, true}, {true, 0xFFFFFF, false}, {false, 0, false}, {false, 0xFFFFFF, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.photo << " " << c.mask);
        designer.SlotPictures[4] = Bitmap(32, 32, c.mask);
        designer.SetPhotoButton(c.photo);
        designer.ComposeSample();
        const Bitmap& state = designer.StateBitmaps[0];
        for (int y = 0; y < H; y += 7)
            for (int x = 0; x < W; x += 9) {
                const uint32_t expected = c.showsBackground
                                              ? designer.SampleBackground.At(Designer::kBlendX + x, Designer::kBlendY + y)
                                              : MakePixel(200, 0, 0);
                ASSERT_EQ(state.At(x, y) & 0xFFFFFF, expected & 0xFFFFFF) << x << "," << y;
            }
        EXPECT_EQ(designer.MaskColumnVisible(), c.photo);
        EXPECT_EQ(designer.SlotCaptionX(), c.photo ? 100 : 60);
    }
    EXPECT_FALSE(designer.Modified);  // the switch is not a change of the style
}

TEST_F(DesignerFixture, CaptionFollowsAlignmentNudgesAndPress) {
    for (int s = 1; s <= 3; ++s) designer.SlotPictures[size_t(s)] = Bitmap(32, 32, MakePixel(255, 255, 255));
    designer.SetCaptionColor(MakeColor(0, 0, 0));
    Plain();
    auto inkAfter = [&](Alignment alignment, void (Designer::*nudge)(), int state = 0) {
        designer.NudgeLeft = 14;
        designer.NudgeTop = -1;
        designer.SetAlignment(alignment);
        if (nudge) (designer.*nudge)();
        designer.ComposeSample();
        return InkOf(designer.ComposedStates[size_t(state)], designer.StateBitmaps[size_t(state)]);
    };
    const Ink left = inkAfter(Alignment::Left, nullptr);
    const Ink right = inkAfter(Alignment::Right, nullptr);
    const Ink centre = inkAfter(Alignment::Centre, nullptr);
    EXPECT_GE(left.Left, 14);
    EXPECT_LE(left.Left, 16);
    EXPECT_LE(right.Right, W - 14 - 1);
    EXPECT_GE(right.Right, W - 14 - 3);
    EXPECT_NEAR((centre.Left + centre.Right) / 2.0, W / 2.0, 2.0);

    struct Case {
        int alignment;
        void (Designer::*nudge)();
        int dx, dy;
    } cases[] = {
        {0, &Designer::NudgeTextRight, 1, 0}, {0, &Designer::NudgeTextLeft, -1, 0},
        {1, &Designer::NudgeTextRight, -1, 0}, {1, &Designer::NudgeTextLeft, 1, 0},
        {2, &Designer::NudgeTextRight, 0, 0}, {2, &Designer::NudgeTextLeft, 0, 0},
        {2, &Designer::NudgeTextUp, 0, -1},   {0, &Designer::NudgeTextDown, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        const Ink before = inkAfter(Alignment(c.alignment), nullptr);
        const Ink after = inkAfter(Alignment(c.alignment), c.nudge);
        EXPECT_EQ(after.Left - before.Left, c.dx);
        EXPECT_EQ(after.Top - before.Top, c.dy);
    }
    for (int alignment = 0; alignment < 3; ++alignment) {
        const Ink normal = inkAfter(Alignment(alignment), nullptr, 0);
        const Ink pressed = inkAfter(Alignment(alignment), nullptr, 2);
        EXPECT_EQ(pressed.Left, normal.Left + 1);
        EXPECT_EQ(pressed.Top, normal.Top + 1);
    }
    // A new composition shows the normal state, whatever the pointer did before.
    designer.PointerEnter();
    designer.ComposeSample();
    EXPECT_EQ(&designer.ShownSample(), &designer.ComposedStates[0]);
}

TEST_F(DesignerFixture, ShadowDepthZeroDrawsNoShadow) {
    designer.SetPhotoButton(false);
    for (int depth : {0, 1, 3}) {
        designer.SetShadowDepth(depth);
        designer.SetShadowColor(MakeColor(255, 0, 0));
        designer.ComposeSample();
        const Bitmap red = designer.ComposedStates[0];
        designer.SetShadowColor(MakeColor(0, 0, 255));
        designer.ComposeSample();
        EXPECT_EQ(red == designer.ComposedStates[0], depth == 0) << depth;
    }
}

TEST_F(DesignerFixture, FormattingControlsAndTheirModifiedRule) {
    struct Case {
        const char* what;
        std::function<void(Designer&)> act;
        std::function<bool(const Designer&)> holds;
        bool modifies;
    } cases[] = {
        {"font entry", [](Designer& d) { d.FormatFontEntry("&Georgia"); },
         [](const Designer& d) { return d.CaptionFont.Name == "Georgia" && d.FontIndex == 11; }, true},
        {"Impact", [](Designer& d) { d.FormatFontEntry("&Impact"); },
         [](const Designer& d) { return d.CaptionFont.Name == "Arial" && d.FontIndex == 0; }, true},
        {"separator", [](Designer& d) { d.SelectFontEntry(12); },
         [](const Designer& d) { return d.CaptionFont.Name == "Arial"; }, true},
        {"typed font", [](Designer& d) { d.SetFontText("Liberation Serif"); },
         [](const Designer& d) { return d.CaptionFont.Name == "Liberation Serif"; }, true},
        {"size entry", [](Designer& d) { d.FormatSizeEntry("1&8"); },
         [](const Designer& d) { return d.CaptionFont.Size == 18 && d.SizeText == "18"; }, true},
        {"size not a number", [](Designer& d) { d.SetSizeText("12pt"); },
         [](const Designer& d) { return d.CaptionFont.Size == 9; }, false},
        {"size zero", [](Designer& d) { d.SetSizeText("0"); },
         [](const Designer& d) { return d.CaptionFont.Size == 9; }, false},
        {"size past the list", [](Designer& d) { d.SetSizeText("73"); },  // files keep 4 to 72
         [](const Designer& d) { return d.CaptionFont.Size == 9; }, false},
        {"italic entry", [](Designer& d) { d.FlipItalic(); },
         [](const Designer& d) { return d.CaptionFont.Italic && d.CaptionFont.Bold; }, true},
        {"bold off", [](Designer& d) { d.SetBold(false); }, [](const Designer& d) { return !d.CaptionFont.Bold; }, true},
        {"align right", [](Designer& d) { d.SetAlignment(Alignment::Right); },
         [](const Designer& d) { return d.CaptionFont.Alignment == Alignment::Right; }, true},
        {"nudge up", [](Designer& d) { d.NudgeTextUp(); }, [](const Designer& d) { return d.NudgeTop == -2; }, true},
        {"photo off", [](Designer& d) { d.SetPhotoButton(false); },
         [](const Designer& d) { return !d.PhotoButton; }, false},
        {"slot by name", [](Designer& d) { d.SelectSlotByName("MskImg03"); },
         [](const Designer& d) { return d.SelectedSlot == 3; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Designer d(model);
        d.SampleCountdown = -1;
        c.act(d);
        EXPECT_TRUE(c.holds(d));
        EXPECT_EQ(d.Modified, c.modifies);
    }
}

TEST_F(DesignerFixture, ToolWindowsWorkOnTheDesignerTargets) {
    auto picker = designer.OpenFontColor();
    EXPECT_EQ(model.PickerTarget(), ColorTarget::DesignerCaption);
    picker = designer.OpenShadowColor();
    EXPECT_EQ(model.PickerTarget(), ColorTarget::DesignerShadow);
    EXPECT_EQ(model.PickedColor(), MakeColor(255, 255, 0));
    auto sets = designer.OpenShadowDepth();
    EXPECT_EQ(model.PickerTarget(), ColorTarget::DesignerDepth);
    sets->Press(0);  // "None"
    sets->Release(0);
    EXPECT_EQ(designer.ShadowDepth(), 0);
    EXPECT_TRUE(designer.Modified);
}

TEST_F(DesignerFixture, SaveAsNamesFoldersAndTip17) {
    fs::create_directories(work.Path() / "disc.v2");
    struct Case {
        fs::path chosen;
        fs::path written;
        bool tip;
    } cases[] = {
        {fs::path(model.ButtonsFolder()) / "my.style", fs::path(model.ButtonsFolder()) / "my.ovgbtn", false},
        {fs::path(model.ButtonsFolder()) / "MY.OVGBTN", fs::path(model.ButtonsFolder()) / "MY.ovgbtn", false},
        {work.Path() / "disc.v2" / "name", work.Path() / "disc.v2" / "name.ovgbtn", true},
        {work.Path() / "disc.v2" / "a.b.ovgbtn", work.Path() / "disc.v2" / "a.b.ovgbtn", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.string());
        platform.TipsShown.clear();
        designer.Modified = true;
        const std::string written = SaveAsIn(c.chosen);
        EXPECT_EQ(PathFromUtf8(written), c.written);
        EXPECT_TRUE(fs::exists(c.written));
        EXPECT_EQ(PathFromUtf8(designer.StyleFolder), c.written.parent_path() / "");
        EXPECT_EQ(model.Files().Folder(), designer.StyleFolder);
        EXPECT_EQ(platform.TipsShown == std::vector<int>{17}, c.tip);
        EXPECT_FALSE(designer.Modified);
        EXPECT_TRUE(designer.HasStyleFile);
    }
    ASSERT_EQ(platform.FileDialogs.back().Title, "Save Button File...");
    EXPECT_EQ(platform.FileDialogs.back().Filter, "Orvane Buttons (*.ovgbtn)|*.OVGBTN");

    // Declining the read-only question: the progress window says so, for 0.6 s.
    const fs::path locked = fs::path(model.ButtonsFolder()) / "my.ovgbtn";
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::remove);
    platform.ProgressTexts.clear();
    platform.Answers = {MsgResult::No};
    platform.DialogAnswers.push_back(locked);
    EXPECT_FALSE(designer.SaveAs());
    EXPECT_EQ(platform.ProgressTexts, (std::vector<std::string>{"Saving...", "Save cancelled..."}));
    EXPECT_EQ(platform.ProgressCloseDelays.back(), 600);
}

TEST_F(DesignerFixture, StyleReadsBackFieldByFieldAndPictureByPicture) {
    for (int s = 1; s <= 6; ++s) designer.SlotPictures[size_t(s)] = Coded(s * 30);
    designer.StyleName = "Glassy";
    designer.Animation = 9;
    designer.SetFontText("Georgia");
    designer.SetSizeText("14");
    designer.SetBold(false);
    designer.SetItalic(true);
    designer.SetUnderline(true);
    designer.SetAlignment(Alignment::Left);
    designer.SetCaptionColor(MakeColor(1, 2, 3));
    designer.SetShadowDepth(3);
    designer.SetShadowColor(MakeColor(4, 5, 6));
    designer.SetPhotoButton(false);
    // Saved before the sample caught up with the new pictures.
    const std::string path = SaveAsIn(fs::path(model.ButtonsFolder()) / "glassy");

    ButtonStyleList list;
    ASSERT_TRUE(list.OpenButton("glassy.ovgbtn", model.ButtonsFolder(), 1, platform));
    const TOVCustomBtn& s = list.Slots[1];
    EXPECT_EQ(list.Entries.back(), "Glassy");
    EXPECT_EQ(s.Animation, 9);
    EXPECT_EQ(s.TextStyle, (FontSpec{"Georgia", 14, false, true, true, Alignment::Left, MakeColor(1, 2, 3)}));
    EXPECT_EQ(s.ShadowDepth, 3);
    EXPECT_EQ(s.ShadowStyle, MakeColor(4, 5, 6));
    EXPECT_FALSE(s.StyleFlag);
    for (int k = 0; k < 3; ++k) {
        Bitmap face(32, 32), mask(32, 32);
        CopyInto(s.StyleImages[0], face, -32 * k, 0);
        CopyInto(s.StyleImages[1], mask, -32 * k, 0);
        EXPECT_EQ(face, designer.SlotPictures[size_t(k + 1)]) << k;
        EXPECT_EQ(mask, designer.SlotPictures[size_t(k + 4)]) << k;
    }

    // And into a fresh designer.
    Designer other(model);
    other.ReadStyleFile("glassy.ovgbtn", model.ButtonsFolder());
    EXPECT_EQ(other.StyleName, "Glassy");
    EXPECT_EQ(other.CaptionFont, designer.CaptionFont);
    EXPECT_EQ(other.FontIndex, 11);
    EXPECT_EQ(other.SizeText, "14");
    EXPECT_EQ(other.ShadowDepth(), 3);
    EXPECT_FALSE(other.PhotoButton);
    EXPECT_EQ(other.SlotPictures, designer.SlotPictures);
    EXPECT_EQ(other.StyleFileName, "glassy.ovgbtn");
    EXPECT_TRUE(other.HasStyleFile);
    EXPECT_FALSE(other.Modified);
    (void)path;
}

TEST_F(DesignerFixture, NewStyleStoresTheDefaultPictures) {
    SaveAsIn(fs::path(model.ButtonsFolder()) / "plain");
    ButtonStyleList list;
    ASSERT_TRUE(list.OpenButton("plain.ovgbtn", model.ButtonsFolder(), 1, platform));
    Bitmap face(32, 32);
    CopyInto(list.Slots[1].StyleImages[0], face, -64, 0);
    EXPECT_EQ(face, designer.DefaultPictures[3]);
    Bitmap mask(32, 32);
    CopyInto(list.Slots[1].StyleImages[1], mask, -32, 0);
    EXPECT_EQ(mask, designer.DefaultPictures[4]);
}

TEST_F(DesignerFixture, OtherVersionsAndDamagedFilesLeaveTheStateAsSaid) {
    designer.StyleName = "Damaged";
    designer.SetFontText("Verdana");
    const std::string good = SaveAsIn(fs::path(model.ButtonsFolder()) / "good");
    std::vector<uint8_t> bytes = ReadWholeFile(good);

    {   // Another version: nothing taken.
        RecordFile f(platform);
        ASSERT_TRUE(f.OpenRecordFile("old.ovgbtn", work.Folder(), true, false));
        f.WriteField(kTextRecord, 0, "OVGBUTTONSTYLEFILE VERSION 8.0");
        f.WriteField(kTextRecord, 0, "Old");
        f.WriteEnd();
        f.CloseRecordFile();
    }
    // Cut inside the picture records.
    WriteFileReplacing(work.Path() / "cut.ovgbtn",
                       std::span<const uint8_t>(bytes.data(), bytes.size() - 200));
    WriteFileReplacing(work.Path() / "empty.ovgbtn", std::span<const uint8_t>());

    struct Case {
        const char* file;
        const char* message;
        bool fieldsTaken;
    } cases[] = {
        {"old.ovgbtn", "The opened file contained a button style in an unrecognized format.", false},
        {"empty.ovgbtn", "The opened file contained a button style in an unrecognized format.", false},
        {"cut.ovgbtn", "Error loading binary button data.", true},
        {"gone.ovgbtn", "Button not found.", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Designer d(model);
        d.SetSizeText("20");  // an unsaved change
        const auto pictures = d.SlotPictures;
        platform.Messages.clear();
        d.ReadStyleFile(c.file, work.Folder());
        ASSERT_EQ(platform.Messages.size(), 1u);
        EXPECT_EQ(platform.Messages[0].Request.Text, c.message);
        EXPECT_EQ(d.StyleName, c.fieldsTaken ? "Damaged" : "MyStyle");
        EXPECT_EQ(d.CaptionFont.Name, c.fieldsTaken ? "Verdana" : "Arial");
        EXPECT_EQ(d.SlotPictures, pictures);  // unreadable pictures keep the slots
        EXPECT_TRUE(d.StyleFileName.empty());
        EXPECT_FALSE(d.HasStyleFile);
        EXPECT_TRUE(d.Modified);
    }
}

TEST_F(DesignerFixture, OpenCommandWithProgressAndMissingFile) {
    designer.StyleName = "Opened";
    SaveAsIn(fs::path(model.ButtonsFolder()) / "opened");
    Designer d(model);
    platform.DialogAnswers.push_back(fs::path(model.ButtonsFolder()) / "opened.ovgbtn");
    d.OpenStyle();
    EXPECT_EQ(d.StyleName, "Opened");
    EXPECT_EQ(platform.FileDialogs.back().Title, "Open Button File...");
    EXPECT_EQ(platform.FileDialogs.back().InitialFolder, fs::path(model.ButtonsFolder()));
    EXPECT_EQ(platform.ProgressTexts, (std::vector<std::string>{"Loading Button...", "Button Loaded."}));
    EXPECT_EQ(platform.ProgressCloseDelays.back(), 600);

    const fs::path gone = fs::path(model.ButtonsFolder()) / "gone.ovgbtn";
    platform.DialogAnswers.push_back(gone);
    d.OpenStyle();
    EXPECT_EQ(platform.Messages.back().Request.Text, "The button \"" + gone.string() + "\" could no be found.");
}

TEST_F(DesignerFixture, SaveQuestionNewAndClose) {
    designer.SelectSlotByName("BtnImg02");
    designer.StyleName = "Kept";
    designer.SlotPictures[2] = Coded(7);
    designer.SetAlignment(Alignment::Left);
    designer.NudgeTextDown();

    platform.Answers = {MsgResult::Cancel};
    EXPECT_FALSE(designer.CloseQuery());
    designer.NewStyle();  // cancelled: nothing restored
    EXPECT_EQ(designer.CaptionFont.Alignment, Alignment::Left);
    EXPECT_EQ(platform.Messages.back().Request.Text, "Do you want to save the changes you made to ");

    // Yes without a file goes to Save As; a cancelled Save As keeps the changes.
    platform.Answers = {MsgResult::Yes};
    platform.DialogAnswers.push_back(std::nullopt);
    designer.NewStyle();
    EXPECT_EQ(designer.CaptionFont.Alignment, Alignment::Left);
    EXPECT_TRUE(designer.Modified);

    platform.Answers = {MsgResult::No};
    designer.CloseMenu();
    for (int s = 1; s <= 6; ++s) EXPECT_EQ(designer.SlotPictures[size_t(s)], designer.DefaultPictures[size_t(s)]);
    EXPECT_EQ(designer.CaptionFont, (FontSpec{"Arial", 9, true, false, false, Alignment::Centre, 0}));
    EXPECT_EQ(designer.NudgeTop, -1);
    EXPECT_EQ(designer.StyleName, "Kept");
    EXPECT_EQ(designer.SelectedSlot, 2);
    EXPECT_FALSE(designer.Modified);
    EXPECT_TRUE(designer.CloseQuery());  // nothing to ask
}

TEST_F(DesignerFixture, PicturesFromFilesAndTheClipboard) {
    Bitmap big(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) big.At(x, y) = MakePixel(uint8_t(x * 4), 30, uint8_t(y * 4));
    WriteBmpFile(work.Path() / "big.bmp", big);

    for (bool fast : {true, false}) {
        SCOPED_TRACE(fast);
        EditorModelAccess::FastScaling(model) = fast;
        EditorModelAccess::DesignerScaledLast(model) = false;
        designer.Modified = false;
        designer.SelectSlotByName("MskImg02");
        platform.DialogAnswers.push_back(work.Path() / "big.bmp");
        designer.LoadPicture(true);
        const Bitmap& mask = designer.SlotPictures[5];
        ASSERT_EQ(mask.Width(), 32);
        ASSERT_EQ(mask.Height(), 32);
        bool varied = false;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint32_t p = mask.At(x, y);
                ASSERT_EQ(PixelRed(p), PixelGreen(p));
                ASSERT_EQ(PixelGreen(p), PixelBlue(p));
                varied |= p != mask.At(0, 0);
            }
        EXPECT_TRUE(varied);
        EXPECT_TRUE(designer.Modified);
        EXPECT_EQ(model.DesignerScaledLast(), !fast);
        EXPECT_EQ(designer.LastImageFolder, work.Folder());
    }
    EXPECT_EQ(platform.FileDialogs.back().Title, "Open Image...");
    EXPECT_EQ(platform.FileDialogs.back().Filter, "All Images (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png");

    // A missing picture.
    platform.DialogAnswers.push_back(work.Path() / "none.bmp");
    designer.LoadPicture(false);
    EXPECT_EQ(platform.Messages.back().Request.Text,
              "The image \"" + (work.Path() / "none.bmp").string() + "\" could no be found.");

    // Clipboard: copy, paste elsewhere, paste with nothing there.
    designer.CopyPicture(true);
    ASSERT_TRUE(platform.Clipboard);
    designer.SelectSlotByName("Label03");
    designer.PastePicture(true);
    EXPECT_EQ(designer.SlotPictures[6], designer.SlotPictures[5]);
    const auto before = designer.SlotPictures;
    platform.Clipboard.reset();
    designer.PastePicture(false);
    EXPECT_EQ(designer.SlotPictures, before);

    designer.CopyButtonMap();
    ASSERT_TRUE(platform.Clipboard);
    EXPECT_EQ(platform.Messages.back().Request.Text,
              "The button map, showing the cut points, has been placed in the clipboard.");
    const Bitmap& map = *platform.Clipboard;
    struct Probe {
        int x, y;
        uint32_t pixel;
    } probes[] = {{0, 0, MakePixel(255, 255, 0)},     {10, 10, MakePixel(255, 255, 0)}, {11, 0, MakePixel(255, 0, 0)},
                  {31, 10, MakePixel(255, 0, 255)},   {0, 11, MakePixel(0, 0, 255)},    {20, 20, MakePixel(0, 255, 0)},
                  {21, 20, MakePixel(0, 255, 255)},   {10, 21, MakePixel(128, 0, 255)}, {15, 31, MakePixel(255, 128, 0)},
                  {31, 31, MakePixel(0, 128, 128)}};
    for (const Probe& p : probes) EXPECT_EQ(map.At(p.x, p.y), p.pixel) << p.x << "," << p.y;
}

TEST_F(DesignerFixture, SavingAPictureForcesBmpAndAsksBeforeOverwriting) {
    designer.SlotPictures[1] = Coded(99);
    platform.DialogAnswers.push_back(work.Path() / "face");
    designer.SavePicture(false);
    const fs::path face = work.Path() / "face.bmp";
    ASSERT_TRUE(fs::exists(face));
    const DecodeResult read = LoadPictureFile(face);
    ASSERT_TRUE(read.Ok());
    EXPECT_EQ(read.Picture.At(5, 7) & 0xFFFFFF, designer.SlotPictures[1].At(5, 7));

    designer.SlotPictures[1] = Coded(10);
    for (MsgResult answer : {MsgResult::No, MsgResult::Cancel, MsgResult::Yes}) {
        platform.Answers = {answer};
        platform.DialogAnswers.push_back(work.Path() / "face.jpg");
        designer.SavePicture(false);
        EXPECT_EQ(platform.Messages.back().Request.Text,
                  "Are you sure you wish to overwrite the existing " + face.string() + " image?");
        EXPECT_EQ(LoadPictureFile(face).Picture.At(0, 0) & 0xFF0000, answer == MsgResult::Yes ? 10u << 16 : 99u << 16);
    }
}

TEST_F(DesignerFixture, SavedStyleIsListedAndDrawsTheMenuButtons) {
    const uint32_t face = MakePixel(170, 60, 30);  // no key pixel: the recolouring leaves it
    Bitmap faceFile(48, 48, face);
    WriteBmpFile(work.Path() / "face.bmp", faceFile);
    Bitmap white(40, 40, 0xFFFFFF);
    WriteBmpFile(work.Path() / "white.bmp", white);
    for (const char* slot : {"BtnImg01", "BtnImg02", "BtnImg03"}) {
        designer.SelectSlotByName(slot);
        platform.DialogAnswers.push_back(work.Path() / "face.bmp");
        designer.LoadPicture(false);
        platform.DialogAnswers.push_back(work.Path() / "white.bmp");
        designer.LoadPicture(true);
    }
    designer.StyleName = "Leafy";
    designer.Animation = 4;
    designer.SetFontText("Georgia");
    designer.SetAlignment(Alignment::Right);
    designer.SetCaptionColor(MakeColor(250, 250, 250));
    designer.SetShadowDepth(2);
    designer.SetShadowColor(MakeColor(0, 0, 0));
    platform.DialogAnswers.push_back(fs::path(model.ButtonsFolder()) / "leafy");
    ASSERT_TRUE(designer.Save());
    ASSERT_TRUE(designer.CloseQuery());

    EditorModelAccess::ButtonStyles(model).LoadCustomButtons(model.ButtonsFolder(), platform);
    ASSERT_EQ(model.ButtonStyles().Entries,
              (std::vector<std::string>{"[Style Default]", "Leafy", "Add New..."}));
    for (bool photo : {false, true}) {
        SCOPED_TRACE(photo);
        model.StartNewMenu();
        EditorModelAccess::Doc(model).Props.PhotoSkin = photo;
        model.ComboBox2Select(1);
        model.CreateSkin();
        EXPECT_EQ(model.Doc().Props.ButtonFont.Name, "Georgia");
        EXPECT_EQ(model.Doc().Props.ButtonFont.Alignment, Alignment::Right);
        EXPECT_EQ(model.Doc().Menu.ButtonShadowDepth, 2);
        EXPECT_EQ(model.Doc().Props.ButtonAnimation, 4);
        const Bitmap& image = model.Doc().Menu.Buttons[1].Images[0];
        ASSERT_FALSE(image.IsEmpty());
        size_t faces = 0;
        for (size_t i = 0; i < image.PixelCount(); ++i) faces += (image.Data()[i] & 0xFFFFFF) == face;
        EXPECT_GT(faces, image.PixelCount() / 2);
    }
}

TEST_F(DesignerFixture, NameAndAnimationCountAsChanges) {
    struct Case {
        const char* name;
        std::function<void()> edit;
        bool modified;
    } cases[] = {
        {"new name", [&] { designer.SetStyleName("Sunset"); }, true},
        {"same name", [&] { designer.SetStyleName(designer.StyleName); }, false},
        {"animation", [&] { designer.SetAnimation(6); }, true},
        {"animation out of range", [&] { designer.SetAnimation(15); }, false},
    };
    for (const Case& c : cases) {
        designer.Modified = false;
        c.edit();
        EXPECT_EQ(designer.Modified, c.modified) << c.name;
    }
    EXPECT_EQ(designer.StyleName, "Sunset");
    EXPECT_EQ(designer.Animation, 6);
}

// The menu bar and tool rows both faces build: each menu shortcut is one key
// of its own, the alignments keep the file's codes, and the mask's commands
// stand still while the photo switch is off.
TEST_F(DesignerFixture, MenuAndToolTables) {
    std::set<std::tuple<bool, bool, std::string_view>> keys;
    for (const DesignerItem& item : DesignerMenuItems()) {
        if (DesignerItemKey(item).empty()) continue;
        const auto parsed = ParseShortcut(DesignerItemKey(item));
        ASSERT_TRUE(parsed) << DesignerItemKey(item);
        EXPECT_TRUE(keys.insert({parsed->Ctrl, parsed->Shift, parsed->Key}).second) << DesignerItemKey(item);
    }

    auto item = [](std::span<const DesignerItem> items, std::string_view text) {
        for (const DesignerItem& i : items)
            if (DesignerItemText(i) == text) return i;
        ADD_FAILURE() << text;
        return DesignerItem{};
    };
    const struct {
        std::string_view Menu, Tool;
        orvane::Alignment Aligned;
    } alignments[] = {{"Align &Right", "Align Right", Alignment::Right},
                      {"Align &Left", "Align Left", Alignment::Left},
                      {"Align &Center", "Center", Alignment::Centre}};
    for (const auto& a : alignments) {
        RunDesignerCommand(designer, item(DesignerMenuItems(), a.Menu));
        EXPECT_EQ(designer.CaptionFont.Alignment, a.Aligned) << a.Menu;
        EXPECT_TRUE(DesignerCommandChecked(designer, item(DesignerToolItems(), a.Tool))) << a.Tool;
    }

    platform.Clipboard = Coded(7);
    designer.SetPhotoButton(false);
    const DesignerItem pasteMask = item(DesignerMenuItems(), "Paste Mask");
    EXPECT_FALSE(DesignerCommandEnabled(designer, pasteMask));
    const Bitmap mask = designer.SlotPictures[4];
    RunDesignerCommand(designer, pasteMask);
    EXPECT_EQ(designer.SlotPictures[4], mask);
    designer.SetPhotoButton(true);
    RunDesignerCommand(designer, pasteMask);
    EXPECT_NE(designer.SlotPictures[4], mask);
    EXPECT_EQ(designer.SlotPictures[1], designer.DefaultPictures[1]);  // the mask only
}
