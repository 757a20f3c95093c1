// One editor per settings file: which start is the editor, and what a second
// start hands over.
#include "TempFolder.h"

#include "app/SingleInstance.h"
#include "platform/PathText.h"

#include <gtest/gtest.h>

#include <memory>

using namespace orvane;
namespace fs = std::filesystem;

TEST(SingleInstance, KeyIsTheFileNotItsSpelling) {
    TempFolder root;
    fs::create_directories(root.Path() / "a" / "sub");
    fs::create_directories(root.Path() / "b");
    const std::string a = root.Folder() + "a/orvane-graphic.ini";
    const std::string key = InstanceKey(a, false);
    EXPECT_EQ(key.size(), 31u);
    EXPECT_EQ(key.rfind("orvane-graphic-", 0), 0u);
    std::error_code ec;
    fs::create_directory_symlink(root.Path() / "a", root.Path() / "link", ec);
    std::vector<std::string> sameFile = {root.Folder() + "a/sub/../orvane-graphic.ini", root.Folder() + "a/./orvane-graphic.ini"};
    if (!ec) sameFile.push_back(root.Folder() + "link/orvane-graphic.ini");
    for (const std::string& spelling : sameFile) EXPECT_EQ(InstanceKey(spelling, false), key) << spelling;
    EXPECT_NE(InstanceKey(root.Folder() + "b/orvane-graphic.ini", false), key);
    // Windows: one file whatever the case of its letters or the kind of slash.
    EXPECT_EQ(InstanceKey("C:\\Menus\\Orvane\\orvane-graphic.ini", true), InstanceKey("c:/menus/orvane/ORVANE-GRAPHIC.INI", true));
    EXPECT_NE(InstanceKey("/Menus/orvane-graphic.ini", false), InstanceKey("/menus/orvane-graphic.ini", false));
}

TEST(SingleInstance, HandOverKeepsEveryName) {
    const std::vector<std::vector<fs::path>> lists = {
        {},
        {PathFromUtf8("/home/ana/My Menus/disc one.mng")},
        {PathFromUtf8("/tmp/Menü für Kunden.mng"), PathFromUtf8("/tmp/スタイル.ovgsty"),
         PathFromUtf8("/tmp/a\nb.ovgbtn")},
    };
    for (const auto& files : lists) {
        const std::string bytes = EncodeHandOver(files);
        const auto back = DecodeHandOver(bytes);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(*back, files);
        // A reader of a stream acts only on the whole message.
        for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(DecodeHandOver(bytes.substr(0, cut))) << cut;
        EXPECT_FALSE(DecodeHandOver(bytes + "x"));
    }
    EXPECT_FALSE(DecodeHandOver(std::string("some other program\n\0\0", 21)));
}

TEST(SingleInstance, FilesNamedAreAbsolute) {
    const fs::path absolute = fs::current_path() / "style.ovgsty";
    const auto files = FilesNamed({"", "\"\"", "disc.mng", Utf8FromPath(absolute)});
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0], fs::current_path() / "disc.mng");
    EXPECT_EQ(files[1], absolute);
}

TEST(SingleInstance, SecondStartHandsOverOrSaysSo) {
    TempFolder root;
    const InstanceChannel channel{"orvane-graphic-test", root.Folder() + "run/"};
    auto first = std::make_unique<SingleInstance>(channel);
    int calls = 0;
    auto never = [&] { ++calls; return Delivery::Delivered; };
    ASSERT_EQ(first->Decide(never), StartRole::First);
    EXPECT_EQ(calls, 0);

    struct Case { Delivery answer; StartRole role; };
    for (const Case& c : {Case{Delivery::Delivered, StartRole::HandedOver}, Case{Delivery::NoAnswer, StartRole::NoAnswer},
                          Case{Delivery::NotListening, StartRole::NoAnswer}}) {
        SingleInstance second(channel);
        calls = 0;
        EXPECT_EQ(second.Decide([&] { ++calls; return c.answer; }, std::chrono::milliseconds(0)), c.role);
        EXPECT_EQ(calls, 1);  // a call taken but unanswered is never sent twice
    }

    // The running editor ends while a second start waits: that start is the editor.
    {
        SingleInstance second(channel);
        EXPECT_EQ(second.Decide([&] { first.reset(); return Delivery::NotListening; }), StartRole::First);
    }
    calls = 0;
    // The lock file of an editor that is gone stays; nobody holds it.
    {
        SingleInstance crashed(channel);
        ASSERT_EQ(crashed.Decide(never), StartRole::First);
    }
    ASSERT_TRUE(fs::exists(PathFromUtf8(channel.LockFile())));
    SingleInstance next(channel);
    EXPECT_EQ(next.Decide(never, std::chrono::milliseconds(0)), StartRole::First);
    EXPECT_EQ(calls, 0);
}
