#include "EditorFixture.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "app/FormatBar.h"
#include "platform/ScriptedPlatform.h"
#include "platform/Text.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

using namespace orvane;

namespace {

struct FormatBarFixture : EditorFixture {
    std::unique_ptr<FormatBar> bar;

    void SetUp() override {
        Start();
        bar = std::make_unique<FormatBar>(model, std::vector<std::string>{"Zed Sans", "Arial"});
    }
    // Selects a target, gives the three fonts distinct formats and shows the target.
    void Select(int target) {
        M().SelectedButton = target;
        P().TitleFont = {"Georgia", 20, false, false, false, Alignment::Left, 0x112233};
        P().TextFont = {"Impact", 11, false, false, false, Alignment::Left, 0x445566};
        P().ButtonFont = {"Zed Sans", 9, false, false, false, Alignment::Centre, 0x778899};
        bar->SetToolbarFormats();
        EditorModelAccess::Flags(model).Updating = false;
        EditorModelAccess::Flags(model).Modified = false;
        platform.Messages.clear();
        EditorModelAccess::Doc(model).MenuImage = Bitmap();  // only a render fills it again
    }
    bool Recomposed() const { return !model.Doc().MenuImage.IsEmpty(); }
};

const char* TargetName(int target) { return target < 0 ? "title" : target == 0 ? "menu text" : "buttons"; }

}  // namespace

// The popularity table -------------------------------------------------------------

TEST(FontPopularity, TableIsWellFormedAndFalling) {
    const std::vector<std::string>& table = FontPopularityTable();
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table.front(), "Arial|99");
    std::set<std::string> names;
    int previous = 99, atLeastHalf = 0;
    for (const std::string& entry : table) {
        SCOPED_TRACE(entry);
        const size_t bar = entry.find('|');
        ASSERT_NE(bar, std::string::npos);
        ASSERT_EQ(entry.size(), bar + 3) << "two digits after the bar";
        const int p = std::stoi(entry.substr(bar + 1));
        EXPECT_GE(p, 10);
        EXPECT_LE(p, previous) << "falling percentage";
        previous = p;
        if (p >= 50) ++atLeastHalf;
        EXPECT_TRUE(names.insert(entry.substr(0, bar)).second) << "duplicate name";
    }
    EXPECT_EQ(atLeastHalf, 32);
    EXPECT_EQ(previous, 10) << "the table ends in entries of 10";
}

TEST(FontPopularity, LookupIsExact) {
    const struct {
        const char* name;
        int expected;
    } cases[] = {
        {"Arial", 99},         {"Times New Roman", 99},       {"Georgia", 95},     {"Impact", 95},
        {"Script", 52},        {"Sylfaen", 46},               {"Papyrus", 45},     {"Arial Rounded MT Bold", 43},
        {"Lucida Sans", 37},   {"Gill Sans MT", 21},          {"MS Gothic", 14},   {"MS Reference Sans Serif", 10},
        {"arial", 0},          {"Arial ", 0},                 {"", 0},             {"Arial|99", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(FontPopularity(c.name), c.expected) << '"' << c.name << '"';
}

// The two lists -----------------------------------------------------------------------

TEST(FontLists, NameListPutsPopularFontsAroundTheSeparator) {
    const std::vector<std::string> list = FontNameList({"Zed Sans", "Arial"});
    ASSERT_EQ(list.size(), 16u);
    const struct {
        size_t index;
        std::string expected;
    } cases[] = {
        {0, "Arial"},        {1, "Times New Roman"}, {10, "Trebuchet MS"}, {11, "Georgia"},
        {12, "\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94"
             "\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94\xE2\x80\x94"},
        {13, "Impact"},      {14, "Zed Sans"},       {15, "Arial"},
    };
    for (const auto& c : cases) EXPECT_EQ(list[c.index], c.expected) << "entry " << c.index;
    EXPECT_EQ(FontNameList({}).size(), 14u);

    const std::vector<std::string> sizes = FontSizeList();
    EXPECT_EQ(sizes.size(), 69u);
    EXPECT_EQ(sizes.front() + sizes[8] + sizes.back(), "41272");
}

// The availability indicator and its message -------------------------------------------

TEST_F(FormatBarFixture, AvailabilityIndicatorAndMessage) {
    const std::string around = "% of computers have the font you have selected.\r\r"
                               "If the user does not have the font you select Windows will\r"
                               "substitute the font for one they do have.";
    const std::string rendered =
        "Title and Button text will be rendered into images, therefore the user does not need this font on "
        "their system.";
    using G = FormatBar::Glyph;
    const struct {
        int target;
        const char* font;
        const char* hint;
        int percentage;
        G glyph;
        std::string message;
    } cases[] = {
        {0, "Arial", "99% popularity", 99, G::Bar, "Around 99" + around},
        {0, "Georgia", "95% popularity", 95, G::Bar, "Around 95" + around},
        {0, "Lucida Sans", "37% popularity", 37, G::Bar, "Around 37" + around},
        {0, "MS Reference Sans Serif", "10% popularity", 10, G::Bar, "Less than 10" + around},
        {0, "Zed Sans", "Less than 10% popularity", 0, G::Low, "Less than 10" + around},
        {0, kFontListSeparator.c_str(), "Less than 10% popularity", 0, G::Low, "Less than 10" + around},
        {-1, "Arial", "Font Safe: text will be rendered into menu", -1, G::Safe, rendered},
        {1, "Georgia", "Font Safe: text will be rendered into menu", -1, G::Safe, rendered},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << TargetName(c.target) << " in " << c.font);
        Select(c.target);
        bar->FontNameChanged(c.font);
        EXPECT_EQ(bar->AvailabilityHint, c.hint);
        EXPECT_EQ(bar->Percentage, c.percentage);
        EXPECT_EQ(bar->AvailabilityGlyph, c.glyph);

        bar->ShowAvailabilityMessage();
        ASSERT_FALSE(platform.Messages.empty());
        EXPECT_EQ(platform.Messages.back().Request.Text, c.message);
        EXPECT_EQ(platform.Messages.back().Request.Type, MsgType::Information);
    }
    EXPECT_EQ(AvailabilityMessage(11), "Around 11" + around);
}

TEST(PopularityBar, PixelsFollowTheColourRampAndTheTemplate) {
    // Full-strength template except column 4 at half; red and green of the
    // template must not matter.
    Bitmap barTemplate(16, 16, MakePixel(9, 9, 255));
    for (int y = 0; y < 16; ++y) barTemplate.At(4, y) = MakePixel(200, 200, 128);
    const struct {
        int percentage, x, y;
        uint32_t expected;
    } cases[] = {
        {99, 3, 0, MakePixel(5, 192, 0)},    {99, 12, 15, MakePixel(5, 192, 0)},  {99, 4, 0, MakePixel(2, 96, 0)},
        {99, 2, 15, 0},                      {99, 13, 15, 0},                     {50, 3, 8, MakePixel(255, 192, 0)},
        {50, 3, 7, 0},                       {50, 4, 8, MakePixel(128, 96, 0)},   {51, 3, 8, MakePixel(249, 192, 0)},
        {10, 3, 14, MakePixel(255, 38, 0)},  {10, 3, 13, 0},                      {32, 3, 10, MakePixel(255, 122, 0)},
        {32, 3, 9, 0},                       {64, 7, 5, MakePixel(183, 192, 0)},  {64, 7, 4, 0},
        {80, 3, 3, MakePixel(102, 192, 0)},  {80, 3, 2, 0},
    };
    for (const auto& c : cases) {
        const Bitmap glyph = PopularityBarGlyph(c.percentage, barTemplate);
        ASSERT_EQ(glyph.Width(), 16);
        ASSERT_EQ(glyph.Height(), 16);
        EXPECT_EQ(glyph.At(c.x, c.y), c.expected) << c.percentage << "% at " << c.x << "," << c.y;
    }
}

// The colour strips -----------------------------------------------------------------------

TEST(BoxColor, KeyAvoidsTheStripColour) {
    Bitmap glyph(16, 16, MakePixel(1, 2, 3));
    glyph.At(5, 5) = MakePixel(0, 255, 0);  // the glyph's own transparent pixel
    const struct {
        uint32_t colour, key;
    } cases[] = {
        {MakeColor(255, 0, 0), 0x00FF00},
        {MakeColor(0, 0, 0), 0x00FF00},
        {MakeColor(0, 254, 0), 0x00FF00},
        {MakeColor(0, 255, 0), 0xFF00FF},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.colour);
        EXPECT_EQ(BoxColorKey(c.colour), c.key);
        const Bitmap painted = BoxColorGlyph(glyph, c.colour);
        EXPECT_EQ(painted.At(5, 5), ColorToPixel(c.key)) << "transparent pixels carry the key";
        EXPECT_EQ(painted.At(6, 11), MakePixel(1, 2, 3)) << "the glyph above the strip stays";
        EXPECT_EQ(painted.At(0, 12), ColorToPixel(c.colour));
        EXPECT_EQ(painted.At(15, 15), ColorToPixel(c.colour));
    }
}

// Showing a target's format and editing it ----------------------------------------------------

TEST_F(FormatBarFixture, ToolbarShowsTheSelectedTarget) {
    const struct {
        int target;
        FontSpec font;
        uint32_t shadow;
    } cases[] = {
        {-1, {"Georgia", 30, true, false, true, Alignment::Centre, 0x0000FF}, 0x010203},
        {0, {"Impact", 14, false, true, false, Alignment::Right, 0x00FF00}, 0x040506},
        {1, {"Zed Sans", 8, true, true, true, Alignment::Left, 0xFF0000}, 0x070809},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TargetName(c.target));
        Select(c.target);
        bar->TargetFont() = c.font;
        bar->TargetShadowColor() = c.shadow;
        bar->SetToolbarFormats();
        const FontSpec shown{bar->FontName, bar->FontSize, bar->Bold,     bar->Italic,
                             bar->Underline, bar->Alignment, bar->FontColor};
        EXPECT_EQ(shown, c.font);
        EXPECT_EQ(bar->FontNames[size_t(bar->FontNameIndex)], c.font.Name);
        EXPECT_EQ(bar->ShadowColor, c.shadow);
        EXPECT_FALSE(model.Flags().Updating);
        EXPECT_FALSE(model.Flags().Modified) << "showing is no edit";
    }
    // A name missing from the list leaves the name box; a caller's Updating stays set.
    P().ButtonFont.Name = "Not Installed";
    EditorModelAccess::Flags(model).Updating = true;
    bar->SetToolbarFormats();
    EXPECT_TRUE(model.Flags().Updating);
    EXPECT_EQ(bar->FontName, "Zed Sans");
    EXPECT_EQ(bar->FontNameIndex, 14);
}

TEST_F(FormatBarFixture, EditsGoToTheTargetWithSnapshotAndRender) {
    const struct {
        const char* name;
        std::function<void(FormatBar&)> act;
        std::function<void(FontSpec&)> expect;  // what the edit does to the target font
    } edits[] = {
        {"name", [](FormatBar& b) { b.FontNameChanged("Arial"); }, [](FontSpec& f) { f.Name = "Arial"; }},
        {"size", [](FormatBar& b) { b.FontSizeChanged("36"); }, [](FontSpec& f) { f.Size = 36; }},
        {"bold", [](FormatBar& b) { b.SetBold(true); }, [](FontSpec& f) { f.Bold = true; }},
        {"italic", [](FormatBar& b) { b.SetItalic(true); }, [](FontSpec& f) { f.Italic = true; }},
        {"underline", [](FormatBar& b) { b.SetUnderline(true); }, [](FontSpec& f) { f.Underline = true; }},
        {"align right", [](FormatBar& b) { b.SetAlignment(Alignment::Right); }, [](FontSpec& f) { f.Alignment = Alignment::Right; }},
        {"align centre", [](FormatBar& b) { b.SetAlignment(Alignment::Centre); }, [](FontSpec& f) { f.Alignment = Alignment::Centre; }},
    };
    for (int target : {-1, 0, 1}) {
        for (const auto& e : edits) {
            SCOPED_TRACE(testing::Message() << e.name << " on the " << TargetName(target));
            Select(target);
            FontSpec fonts[] = {P().TitleFont, P().TextFont, P().ButtonFont};
            e.expect(fonts[std::min(target + 1, 2)]);
            const int undo = M().UndoCount;
            e.act(*bar);
            EXPECT_EQ(M().UndoCount, undo + 1);
            EXPECT_TRUE(model.Flags().Modified);
            EXPECT_TRUE(Recomposed());
            EXPECT_EQ(P().TitleFont, fonts[0]);
            EXPECT_EQ(P().TextFont, fonts[1]);
            EXPECT_EQ(P().ButtonFont, fonts[2]);
            const FontSpec& f = bar->TargetFont();
            const FontSpec shown{bar->FontName, bar->FontSize, bar->Bold,     bar->Italic,
                                 bar->Underline, bar->Alignment, f.Color};
            EXPECT_EQ(shown, f) << "the toolbar shows the edit";
        }
    }
    // Releasing a style button takes the style off again.
    P().ButtonFont.Italic = true;
    bar->SetItalic(false);
    EXPECT_FALSE(P().ButtonFont.Italic);
}

TEST_F(FormatBarFixture, ChangesWhileUpdatingLeaveTheDocument) {
    const struct {
        const char* name;
        std::function<void(FormatBar&)> act;
        bool snapshot;  // the name and size boxes snapshot before they look at the flag
    } cases[] = {
        {"name", [](FormatBar& b) { b.FontNameChanged("Arial"); }, true},
        {"size", [](FormatBar& b) { b.FontSizeChanged("40"); }, true},
        {"bad size", [](FormatBar& b) { b.FontSizeChanged("x"); }, true},
        {"alignment", [](FormatBar& b) { b.SetAlignment(Alignment::Right); }, false},
    };
    for (int target : {-1, 0, 1}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << " on the " << TargetName(target));
            Select(target);
            const FontSpec before = bar->TargetFont();
            const int undo = M().UndoCount;
            EditorModelAccess::Flags(model).Updating = true;
            c.act(*bar);
            EXPECT_EQ(bar->TargetFont(), before);
            EXPECT_FALSE(Recomposed());
            EXPECT_EQ(M().UndoCount, undo + (c.snapshot ? 1 : 0));
            EXPECT_TRUE(model.Flags().Updating);
            EXPECT_TRUE(platform.Messages.empty());
        }
    }
}

TEST_F(FormatBarFixture, FontSizeMustBeAWholeNumber) {
    const struct {
        std::string text;
        int size;  // 0: refused
    } cases[] = {
        {"abc", 0}, {"", 0},    {"1.5", 0},   {"14 ", 0},   {"12x", 0},
        {"-", 0},   {"99999999999", 0}, {" 14", 14}, {"+16", 16}, {"072", 72},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE('"' + c.text + '"');
        Select(0);
        const int undo = M().UndoCount;
        bar->FontSizeChanged(c.text);
        EXPECT_EQ(M().UndoCount, undo + 1) << "the snapshot comes first";
        EXPECT_EQ(P().TextFont.Size, c.size ? c.size : 11) << "a refused size leaves the font";
        if (c.size) {
            EXPECT_TRUE(platform.Messages.empty());
        } else {
            ASSERT_EQ(platform.Messages.size(), 1u);
            EXPECT_EQ(platform.Messages[0].Request.Text, "'" + c.text + "' is not a valid integer value");
            EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Error);
        }
    }
}

TEST_F(FormatBarFixture, InstalledFontsFollowTheSeparatorSortedOnce) {
    const std::vector<std::string> installed = InstalledFontFamilies();
    EXPECT_TRUE(std::is_sorted(installed.begin(), installed.end()));
    EXPECT_EQ(std::adjacent_find(installed.begin(), installed.end()), installed.end());
    FormatBar own(model);
    own.ListFonts();
    EXPECT_EQ(own.FontNames.size(), installed.size() + 14);
    EXPECT_EQ(own.FontName + std::to_string(own.FontSize), "Arial12") << "first name and 12 selected";
}
