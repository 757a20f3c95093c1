#include "EditorFixture.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "app/Tips.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/PathText.h"
#include "platform/ScriptedPlatform.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <regex>
#include <set>
#include <sstream>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

// The help pages as they are installed beside the editor. (The source folder
// comes from the build: a compiler cache may shorten __FILE__ to a relative path.)
const fs::path kHelpSource = PathFromUtf8(ORVANE_SOURCE_DIR) / "help";

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The local targets of a page's href and src attributes, without anchors.
std::vector<std::string> LocalLinks(const std::string& html) {
    static const std::regex attribute(R"re((?:href|src)="([^"#]*)(?:#[^"]*)?")re");
    std::vector<std::string> links;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), attribute); it != std::sregex_iterator(); ++it) {
        const std::string target = (*it)[1];
        if (target.empty() || target.find(':') != std::string::npos) continue;  // anchors, mailto:, http:
        links.push_back(target);
    }
    return links;
}

using TipsFixture = EditorFixture;

constexpr int kPhotoStyle = 13;

}  // namespace

TEST(TipTexts, EveryTipHasItsBoxStateAndALabelText) {
    const bool checked[kTipCount] = {false, true,  true,  true,  true,  true,  false, false, false, true,
                                     true,  false, true,  false, false, false, true,  false, true};
    for (int tip = 0; tip < kTipCount; ++tip) {
        SCOPED_TRACE(tip);
        const auto content = TipContent(Tip(tip));
        ASSERT_TRUE(content);
        EXPECT_EQ(content->DoNotShowAgain, checked[tip]);
        EXPECT_FALSE(content->Text.empty());
        EXPECT_EQ(content->Text.find("\xC2\xB6"), std::string::npos) << "paragraph marks become line breaks";
        EXPECT_EQ(content->Text.find("&&"), std::string::npos);
    }
    for (int none : {-1, 19, 20, 21}) EXPECT_FALSE(TipContent(Tip(none))) << none;
}

TEST(TipTexts, LabelTextBreaksParagraphsAndUndoublesAmpersands) {
    const std::pair<std::string, std::string> cases[] = {
        {"One.\xC2\xB6Two.", "One.\r\n\r\nTwo."},
        {"a\xC2\xB6\xC2\xB6" "b", "a\r\n\r\n\r\n\r\nb"},
        {"an ampersand (&&) here", "an ampersand (&) here"},
        {"&&&&", "&&"},
        {"a single & stays", "a single & stays"},
        {"caf\xC3\xA9 \xC2\xB5", "caf\xC3\xA9 \xC2\xB5"},  // other characters of the same lead byte
        {"", ""},
    };
    for (const auto& [text, label] : cases) EXPECT_EQ(TipLabelText(text), label) << text;

    EXPECT_NE(TipContent(Tip::AccessKeys)->Text.find("ampersand (&) in"), std::string::npos);
    EXPECT_NE(TipContent(Tip::ButtonsFolder)->Text.find("the \"Buttons\" folder"), std::string::npos);
    EXPECT_NE(TipContent(Tip::GettingStarted)->Text.find("autorun EXE.\r\n\r\nFor detailed help"), std::string::npos);
    EXPECT_EQ(TipContent(Tip::CommandArgument)->Text.substr(TipContent(Tip::CommandArgument)->Text.size() - 5), "etc. ");
}

TEST_F(TipsFixture, StartUpTipComesAfterTheSplashUnlessAFileIsOpened) {
    {
        ScriptedPlatform p;
        EditorModel writer(p, app.Path());
        writer.StartNewMenu();
        ASSERT_TRUE(writer.BinMenuSave(SaveMode::Menu, work.Folder(), "disc.mng"));
    }
    struct Case {
        const char* name;
        std::vector<std::string> args;
        bool tip0Suppressed;
        int splashDelay;
        std::vector<int> tips;
    } cases[] = {
        {"first start", {}, false, 1400, {13, 0}},
        {"tip 0 suppressed", {}, true, 1400, {13, 1}},
        {"empty quotes are no file", {"\"\""}, false, 1400, {13, 0}},
        {"menu file given", {(work.Path() / "disc.mng").string()}, false, 400, {13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPlatform p;
        EditorModel m(p, app.Path());
        m.Session().Start();
        EditorModelAccess::Prefs(m).TipShown[0] = c.tip0Suppressed ? 1 : 0;
        m.Session().DeferredStart(c.args);
        EXPECT_EQ(p.SplashDelays, std::vector<int>{c.splashDelay});
        EXPECT_EQ(p.TipsShown, c.tips);
        // Only the Add Button run of start-up offers its tip while the splash is up.
        EXPECT_EQ(p.TipsOverSplash, std::vector<int>{13});
    }
}

TEST_F(TipsFixture, PhotoStyleShowsTipTwoThenThreeOrFour) {
    Start();
    struct Case {
        const char* name;
        bool tip3Suppressed;
        std::vector<int> tips;
    } cases[] = {
        {"tip 3 not yet seen", false, {2, 3}},
        {"tip 3 suppressed", true, {2, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorModelAccess::Prefs(model).TipShown.fill(0);
        EditorModelAccess::Prefs(model).TipShown[3] = c.tip3Suppressed ? 1 : 0;
        model.ComboBox1Select(0);
        platform.TipsShown.clear();
        platform.DialogAnswers = {Photo()};
        EditorModelAccess::Doc(model).BackgroundPhoto = Bitmap();
        model.ComboBox1Select(kPhotoStyle);
        ASSERT_TRUE(model.Doc().Props.PhotoSkin);
        EXPECT_EQ(platform.TipsShown, c.tips);
    }
}

TEST_F(TipsFixture, MyBackgroundIsAPhotoStyleWithATipOfItsOwn) {
    Start();
    platform.SuppressTips = true;
    platform.TipsShown.clear();
    // My Background is the user's own picture: without one it is not chosen.
    platform.DialogAnswers = {std::nullopt};
    model.ComboBox1Select(model.Styles().MyBackgroundPosition());
    EXPECT_EQ(platform.TipsShown, (std::vector<int>{2}));
    platform.DialogAnswers = {Photo()};
    model.ComboBox1Select(model.Styles().MyBackgroundPosition());
    EXPECT_EQ(platform.TipsShown, (std::vector<int>{2, 3, 8}));
    // Each once; with tip 3 suppressed its follow-up, tip 4, comes next.
    model.ComboBox1Select(0);
    model.ComboBox1Select(model.Styles().MyBackgroundPosition());
    model.ComboBox1Select(model.Styles().MyBackgroundPosition());
    EXPECT_EQ(platform.TipsShown, (std::vector<int>{2, 3, 8, 4}));
}

TEST_F(TipsFixture, ButtonTriggersFireOnceAndNotWhenSuppressed) {
    Start();
    struct Case {
        const char* name;
        std::function<void()> trigger;
        int tip;
    } cases[] = {
        {"Add New Button", [&] { model.Buttons().Add(); }, 13},
        {"command field", [&] { model.Properties().EnterCommandField(); }, 12},
        {"argument field", [&] { model.Properties().EnterArgumentField(); }, 14},
        {"command wizard", [&] { model.OpenCommandWizard(); }, 11},
    };
    EditorModelAccess::Prefs(model).TipShown.fill(0);
    platform.SuppressTips = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform.TipsShown.clear();
        c.trigger();
        c.trigger();
        EXPECT_EQ(platform.TipsShown, std::vector<int>{c.tip});
        EXPECT_EQ(model.Session().Prefs().TipShown[size_t(c.tip)], 1);
    }
    // Filling the fields from a button is not the user entering them.
    EditorModelAccess::Prefs(model).TipShown.fill(0);
    platform.TipsShown.clear();
    {
        FlagSet filling = model.FillingControls();
        model.Properties().EnterCommandField();
        model.Properties().EnterArgumentField();
    }
    EXPECT_TRUE(platform.TipsShown.empty());
    // Without a selected button the wizard does not open, and offers no tip.
    EditorModelAccess::Doc(model).Menu.SelectedButton = 0;
    EXPECT_FALSE(model.OpenCommandWizard());
    EXPECT_TRUE(platform.TipsShown.empty());
}

TEST_F(TipsFixture, NoTipWhileRenderingIsSuspended) {
    Start();
    platform.TipsShown.clear();
    // A file opened while the animation plays suspends rendering twice over.
    for (const int suspended : {1, 2}) {
        EditorModelAccess::RenderSuspended(model) = suspended;
        for (int tip = 0; tip <= 20; ++tip) model.Session().ShowTip(Tip(tip));
        model.Buttons().Add();
        EXPECT_TRUE(platform.TipsShown.empty()) << suspended;
    }
    EditorModelAccess::RenderSuspended(model) = 0;

    // Opening a photo-style menu applies its style while loading: no tip either.
    platform.DialogAnswers = {Photo()};
    model.ComboBox1Select(kPhotoStyle);
    EditorModelAccess::Doc(model).Menu.FileName = "photo.mng";
    EditorModelAccess::Doc(model).Menu.Folder = work.Folder();
    ASSERT_TRUE(model.Files().Save());
    EditorModelAccess::Prefs(model).TipShown.fill(0);
    platform.TipsShown.clear();
    platform.DialogAnswers = {work.Path() / "photo.mng"};
    model.Files().Open();
    ASSERT_TRUE(model.Doc().Props.PhotoSkin);
    EXPECT_TRUE(platform.TipsShown.empty());
}

TEST_F(TipsFixture, ResetMakesEveryTipShowAgain) {
    Start();
    EditorModelAccess::Prefs(model).TipShown.fill(1);
    platform.TipsShown.clear();
    model.Buttons().Add();
    EXPECT_TRUE(platform.TipsShown.empty());

    platform.Messages.clear();
    model.Session().ResetTips();
    EXPECT_EQ(model.Session().Prefs().TipShown, (std::array<int32_t, 21>{}));
    ASSERT_EQ(platform.Messages.size(), 1u);
    EXPECT_EQ(platform.Messages[0].Request.Text, "Tips have now been reset.");
    EXPECT_EQ(platform.Messages[0].Request.Type, MsgType::Information);
    EXPECT_EQ(platform.Messages[0].Request.Caption, "Information");

    model.Buttons().Add();
    platform.DialogAnswers = {Photo()};
    model.ComboBox1Select(model.Styles().MyBackgroundPosition());
    EXPECT_EQ(platform.TipsShown, (std::vector<int>{13, 2, 3, 8}));

    // The flags travel through the settings file.
    EditorModelAccess::Prefs(model).TipShown[5] = 1;
    model.Session().Shutdown();
    EXPECT_EQ(ReadSettingsFile(model.Folders().SettingsFile, Settings{}).TipShown, model.Session().Prefs().TipShown);
}

TEST_F(TipsFixture, ProgressTextsOfSavingAndLoading) {
    Start();
    const fs::path readOnly = work.Path() / "locked.mng";
    EditorModelAccess::Doc(model).Menu.FileName = "locked.mng";
    EditorModelAccess::Doc(model).Menu.Folder = work.Folder();
    ASSERT_TRUE(model.Files().Save());
    fs::permissions(readOnly, fs::perms::owner_write, fs::perm_options::remove);
    WriteFileReplacing(work.Path() / "broken.mng", std::vector<uint8_t>{'n', 'o'});

    struct Case {
        const char* name;
        std::function<void()> run;
        std::vector<std::string> texts;
        size_t messages = 0;
    } cases[] = {
        {"save",
         [&] {
             EditorModelAccess::Doc(model).Menu.FileName = "disc.mng";
             model.Files().Save();
         },
         {"Saving...", "Saved!"}},
        {"save declined over a read-only file",
         [&] {
             EditorModelAccess::Doc(model).Menu.FileName = "locked.mng";
             platform.Answers = {MsgResult::No};
             model.Files().Save();
         },
         {"Saving...", "Save cancelled..."},
         1},  // the question, and no error after it
        {"open",
         [&] {
             platform.DialogAnswers = {work.Path() / "disc.mng"};
             model.Files().Open();
         },
         {"Loading Menu...", "Menu Loaded."}},
        {"open a damaged file",
         [&] {
             platform.DialogAnswers = {work.Path() / "broken.mng"};
             model.Files().Open();
         },
         {"Loading Menu...", "Menu file could not be read."},
         1},
        {"undo snapshot", [&] { model.Undo().Make(); }, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EditorModelAccess::Flags(model).Modified = false;
        platform.ProgressTexts.clear();
        platform.ProgressCloseDelays.clear();
        platform.Messages.clear();
        c.run();
        EXPECT_EQ(platform.ProgressTexts, c.texts);
        EXPECT_EQ(platform.Messages.size(), c.messages);
        // Every result closes the window 0.6 s later.
        EXPECT_EQ(platform.ProgressCloseDelays, std::vector<int>(c.texts.empty() ? 0 : 1, 600));
    }
}

TEST(Help, EveryEntryNamesAnInstalledPageAndEveryPageItsLinks) {
    ASSERT_TRUE(fs::is_directory(kHelpSource)) << kHelpSource;
    std::set<std::string> files;
    for (int p = 0; p < kHelpPageCount; ++p) {
        const std::string file(HelpPageFile(HelpPage(p)));
        EXPECT_TRUE(files.insert(file).second) << "two pages share " << file;
        EXPECT_TRUE(fs::is_regular_file(kHelpSource / file)) << file;
    }
    int aboutEntries = 0;
    for (const HelpEntry& entry : kHelpEntries) {
        if (!entry.Page) {
            ++aboutEntries;
            continue;
        }
        EXPECT_TRUE(fs::is_regular_file(kHelpSource / HelpPageFile(*entry.Page))) << entry.Text;
    }
    EXPECT_EQ(aboutEntries, 1);

    // Links resolve, and every page can be reached from the contents.
    std::set<std::string> reached{"contents.html"};
    std::vector<std::string> todo{"contents.html"};
    while (!todo.empty()) {
        const std::string page = todo.back();
        todo.pop_back();
        const std::string html = ReadText(kHelpSource / page);
        EXPECT_NE(html.find("<title>"), std::string::npos) << page;
        for (const std::string& link : LocalLinks(html)) {
            EXPECT_TRUE(fs::is_regular_file(kHelpSource / link)) << page << " links to missing " << link;
            if (link.ends_with(".html") && reached.insert(link).second) todo.push_back(link);
        }
    }
    EXPECT_EQ(reached, files);

    EXPECT_EQ(HelpPagePath(AppFolders::PortableIn("/opt/og/").Help, HelpPage::Contents), "/opt/og/help/contents.html");
}
