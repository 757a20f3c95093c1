#include "DiscFolderFixture.h"

#include "app/Publish.h"
#include "EditorModelAccess.h"

#include <gtest/gtest.h>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

bool Mentions(const std::vector<std::string>& texts, const std::string& piece) {
    for (const std::string& t : texts)
        if (t.find(piece) != std::string::npos) return true;
    return false;
}

}  // namespace

// A stale autorun application: the window offers the wizard, and only a Yes opens it.
TEST(PublishModel, StaleAutorunOffersTheWizard) {
    DiscFolderFixture f;
    f.Standard();
    DiscImageModel image(f.model, f.disc.Path().string());
    image.Recheck();
    EXPECT_FALSE(image.OfferBuild());
    EXPECT_TRUE(f.platform.Messages.empty()) << "nothing to ask about a current folder";

    f.SaveMenu("Main.mng", "Changed", {{"&Close Menu", ""}});
    DiscFolderFixture::Shift(f.disc.Path() / "Autorun.exe", -60);
    image.Recheck();
    f.platform.Answers = {MsgResult::No, MsgResult::Yes};
    EXPECT_FALSE(image.OfferBuild());
    EXPECT_TRUE(image.OfferBuild());
    EXPECT_TRUE(Mentions(f.platform.MessageTexts(), "Main.mng was saved after Autorun.exe")) ;
}

// The image window: the label and the file from the folder, a warning asked
// about before anything is written, and an existing image replaced only on Yes.
TEST(PublishModel, ImageAsksBeforeWritingOnAWarning) {
    DiscFolderFixture f;
    f.SaveMenu("Main.mng", "Summer Holiday 2026", {{"&Guide", "\\docs\\Guide.pdf"}, {"&Close Menu", ""}});
    f.Build({"Main"});
    DiscImageModel image(f.model, f.disc.Folder());
    image.Recheck();
    EXPECT_EQ(image.Label, "SUMMER_HOLIDAY_2026");
    EXPECT_EQ(fs::path(image.Target).parent_path(), f.disc.Path().parent_path()) << "beside the disc folder";
    image.SetLabel("my disc!");
    EXPECT_EQ(image.Label, "MY_DISC");
    image.SetLabel("");
    EXPECT_EQ(image.Label, "SUMMER_HOLIDAY_2026");

    TempFolder out;
    image.Target = (out.Path() / "disc.iso").string();
    f.platform.Answers = {MsgResult::No};
    EXPECT_FALSE(image.Write({}));
    EXPECT_TRUE(Mentions(f.platform.MessageTexts(), "\\docs\\Guide.pdf"));
    EXPECT_FALSE(fs::exists(image.Target));

    f.platform.Answers = {MsgResult::Yes};
    if (const std::string why = DiscPublishingUnavailable(); !why.empty()) {
        // Windows: disc images are a Linux feature in this version, and the window says so.
        EXPECT_FALSE(image.Write({}));
        EXPECT_TRUE(Mentions(f.platform.MessageTexts(), why));
        EXPECT_FALSE(fs::exists(image.Target));
        return;
    }
    EXPECT_TRUE(image.Write({}));
    EXPECT_TRUE(fs::exists(image.Target));
    f.platform.Answers = {MsgResult::Yes, MsgResult::No};
    const auto written = fs::last_write_time(image.Target);
    EXPECT_FALSE(image.Write({})) << "an existing image is kept on No";
    EXPECT_EQ(fs::last_write_time(image.Target), written);
}

// The disc is made from the saved menu: a changed one is saved first, or the
// command ends on Cancel.
TEST(PublishModel, ChangedMenuIsSavedFirst) {
    DiscFolderFixture f;
    f.Standard();
    EditorModelAccess::Doc(f.model).Menu.FileName = "Main.mng";
    EditorModelAccess::Doc(f.model).Menu.Folder = f.disc.Folder();
    EditorModelAccess::Doc(f.model).Props.Title = "Saved now";
    EditorModelAccess::Flags(f.model).Modified = true;
    TestRunModel run(f.model, "");
    EXPECT_EQ(run.Folder, f.disc.Path().string()) << "the open menu's folder by default";
    f.platform.Answers = {MsgResult::Cancel};
    EXPECT_FALSE(run.SaveFirst());
    f.platform.Answers = {MsgResult::Yes};
    EXPECT_TRUE(run.SaveFirst());
    EXPECT_FALSE(f.model.Flags().Modified);
    run.Recheck();
    EXPECT_TRUE(run.Check.NeedsBuild()) << "the saved menu is newer than the autorun application";
}
