#include "TempFolder.h"

#include "platform/FileUtil.h"
#include "publish/DiscBurner.h"
#include "publish/DiscImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>

using namespace orvane;
namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& b : bytes) b = uint8_t(random());
    return bytes;
}

void Put(const fs::path& path, const std::vector<uint8_t>& bytes) {
    fs::create_directories(path.parent_path());
    WriteFileReplacing(path, bytes);
}

// What a disc folder holds: each path below it, with a file's contents
// ("/" marks a folder).
std::map<std::string, std::vector<uint8_t>> Tree(const fs::path& folder) {
    std::map<std::string, std::vector<uint8_t>> tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        tree[name] = entry.is_directory() ? std::vector<uint8_t>{'/'} : ReadWholeFile(entry.path());
    }
    return tree;
}

std::vector<std::string> Names(const std::map<std::string, std::vector<uint8_t>>& tree) {
    std::vector<std::string> names;
    for (const auto& [name, contents] : tree) names.push_back(name);
    return names;
}

// The folder a disc folder's tests start from: names Windows and Linux keep
// apart from the 8.3 names of plain ISO 9660, and files of every size.
void FillDiscFolder(const fs::path& disc) {
    Put(disc / "Autorun.inf", {'[', 'a', 'u', 't', 'o', 'r', 'u', 'n', ']'});
    Put(disc / "Autorun.exe", RandomBytes(70000, 1));
    Put(disc / "Docs" / "Guide Book.pdf", RandomBytes(300000, 2));
    Put(disc / "Photos" / "\xC3\x89t\xC3\xA9 2026" / "Beach at Dawn.jpg", RandomBytes(3 << 20, 3));
    Put(disc / "Music" / "A rather long name for a song that Windows shows in full, seventy-five.mp3",
        RandomBytes(5000, 4));
    Put(disc / "empty.txt", {});
    Put(disc / ".hidden", {'x'});
    fs::create_directories(disc / "Empty Folder");
}

std::string Shell(const std::string& command) {
    std::string out;
    if (std::FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// The volume label of the descriptor of a type (1 ISO 9660, 2 Joliet) in the
// image's descriptor set; Joliet's is UCS-2, read here for ASCII labels.
std::string DescriptorLabel(const std::vector<uint8_t>& image, uint8_t type) {
    for (size_t sector = 16; (sector + 1) * 2048 <= image.size(); ++sector) {
        const uint8_t* d = image.data() + sector * 2048;
        if (d[0] == 255) break;
        if (d[0] != type) continue;
        std::string label;
        for (size_t i = 40; i < 72; i += type == 2 ? 2 : 1) label += char(d[type == 2 ? i + 1 : i]);
        while (!label.empty() && (label.back() == ' ' || label.back() == 0)) label.pop_back();
        return label;
    }
    return "(none)";
}

}  // namespace

// The image as other systems read it: every file under its Rock Ridge name
// (what Linux shows) and its Joliet name (what Windows shows), with the same
// bytes; the label in both descriptors.
TEST(DiscImage, ReadBackWithJolietAndRockRidgeNames) {
    TempFolder work;
    const fs::path disc = work.Path() / "disc";
    FillDiscFolder(disc);
    const fs::path image = work.Path() / "disc.iso";
    std::vector<uint64_t> reported;
    const ImageResult result = WriteDiscImage(disc, image, "SUMMER_HOLIDAY_2026", [&](uint64_t done, uint64_t total) {
        reported.push_back(done);
        EXPECT_LE(done, total);
        return true;
    });
    ASSERT_EQ(result.Outcome, ImageOutcome::Written) << result.Error;
    EXPECT_EQ(result.Bytes, fs::file_size(image));
    EXPECT_EQ(result.Bytes % 2048, 0u);
    ASSERT_GT(reported.size(), 2u);
    EXPECT_EQ(reported.back(), result.Bytes);

    const auto expected = Tree(disc);
    const std::pair<const char*, const char*> readers[] = {{"Rock Ridge", ""}, {"Joliet", "-read_fs norock "}};
    for (const auto& [what, option] : readers) {
        const fs::path out = work.Path() / what;
        Shell(std::string(ORVANE_XORRISO) + " " + option + "-osirrox on -indev " + Quoted(image) + " -extract / " +
            Quoted(out));
        ASSERT_TRUE(fs::is_directory(out)) << what << ": xorriso extracted nothing";
        const auto tree = Tree(out);
        EXPECT_EQ(Names(tree), Names(expected)) << what;
        EXPECT_TRUE(tree == expected) << what << ": contents differ";
    }
    // Plain ISO 9660, for readers of neither: the two files Windows looks for at the root.
    const std::string plain =
        Shell(std::string(ORVANE_XORRISO) + " -read_fs ecma119 -indev " + Quoted(image) + " -find / -maxdepth 1");
    EXPECT_NE(plain.find("'/AUTORUN.INF'"), std::string::npos) << plain;
    EXPECT_NE(plain.find("'/AUTORUN.EXE'"), std::string::npos) << plain;

    const std::vector<uint8_t> bytes = ReadWholeFile(image);
    EXPECT_EQ(DescriptorLabel(bytes, 1), "SUMMER_HOLIDAY_2026");
    EXPECT_EQ(DescriptorLabel(bytes, 2), "SUMMER_HOLIDAY_2") << "Joliet holds 16 characters";
}

// However the image stops, no file is left, and an image already at the
// target stays as it was.
TEST(DiscImage, CancelledOrRefusedLeavesNothing) {
    struct Case {
        const char* Name;
        bool InsideFolder;
        int CancelAtCall;  // -1: never
    };
    const Case cases[] = {{"cancelled before the first byte", false, 0},
                          {"cancelled half way", false, 3},
                          {"target inside the disc folder", true, -1}};
    for (const Case& c : cases) {
        TempFolder work;
        const fs::path disc = work.Path() / "disc";
        FillDiscFolder(disc);
        const fs::path target = c.InsideFolder ? disc / "disc.iso" : work.Path() / "out" / "disc.iso";
        fs::create_directories(target.parent_path());
        const std::vector<uint8_t> old = {'o', 'l', 'd'};
        WriteFileReplacing(target, old);
        const auto before = Tree(work.Path());
        int calls = 0;
        const ImageResult result = WriteDiscImage(disc, target, "LABEL", [&](uint64_t, uint64_t) {
            return calls++ != c.CancelAtCall;
        });
        EXPECT_EQ(result.Outcome, c.InsideFolder ? ImageOutcome::Failed : ImageOutcome::Cancelled) << c.Name;
        EXPECT_TRUE(Tree(work.Path()) == before) << c.Name << ": something was left or changed";
        EXPECT_EQ(ReadWholeFile(target), old) << c.Name;
    }
}

// libburn's file pseudo-drive stands for a blank disc: the burn must give back
// the image byte for byte, through the temporary file, also over an older file.
TEST(DiscBurn, ToAFilePseudoDrive) {
    TempFolder work;
    const fs::path disc = work.Path() / "disc";
    FillDiscFolder(disc);
    const fs::path image = work.Path() / "disc.iso";
    ASSERT_EQ(WriteDiscImage(disc, image, "BURN_TEST").Outcome, ImageOutcome::Written);
    const fs::path out = work.Path() / "burned" / "disc.img";
    fs::create_directories(out.parent_path());

    for (int round = 0; round < 2; ++round) {
        std::string error;
        const auto burner = DiscBurner::Open("stdio:" + out.string(), error);
        ASSERT_NE(burner, nullptr) << error;
        EXPECT_EQ(burner->Medium().State, DiscState::Blank);
        EXPECT_EQ(burner->Unsuitable(fs::file_size(image)), "");
        std::vector<DiscBurner::Stage> stages;
        const BurnResult result = burner->Burn(image, [&](DiscBurner::Stage stage, uint64_t, uint64_t) {
            if (stages.empty() || stages.back() != stage) stages.push_back(stage);
            return true;
        });
        ASSERT_EQ(result.Outcome, BurnOutcome::Verified) << result.Error;
        EXPECT_EQ(stages, (std::vector{DiscBurner::Stage::Writing, DiscBurner::Stage::Verifying}));
        EXPECT_TRUE(ReadWholeFile(out) == ReadWholeFile(image)) << "round " << round;
        EXPECT_EQ(Names(Tree(out.parent_path())), std::vector<std::string>{"disc.img"}) << "no temporary file left";
    }
}

TEST(DiscBurn, CancelledLeavesNoFile) {
    TempFolder work;
    const fs::path disc = work.Path() / "disc";
    FillDiscFolder(disc);
    const fs::path image = work.Path() / "disc.iso";
    ASSERT_EQ(WriteDiscImage(disc, image, "BURN_TEST").Outcome, ImageOutcome::Written);
    const fs::path out = work.Path() / "burned" / "disc.img";
    fs::create_directories(out.parent_path());
    std::string error;
    {
        const auto burner = DiscBurner::Open("stdio:" + out.string(), error);
        ASSERT_NE(burner, nullptr) << error;
        // The last moment to stop: the disc is written and being checked.
        const BurnResult result = burner->Burn(
            image, [](DiscBurner::Stage stage, uint64_t, uint64_t) { return stage != DiscBurner::Stage::Verifying; });
        EXPECT_EQ(result.Outcome, BurnOutcome::Cancelled);
    }
    EXPECT_TRUE(fs::is_empty(out.parent_path()));
}
