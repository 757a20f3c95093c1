#include "player/PlayerBlock.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orvane::player {
namespace {

void AddU32(std::vector<uint8_t>& d, uint32_t v) {
    for (int i = 0; i < 4; ++i) d.push_back(uint8_t(v >> (8 * i)));
}

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void WriteFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream(p, std::ios::binary) << bytes;
}

class PlayerBlockFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("orvane-player-block-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(PlayerBlockFile, AppendsOnceHoweverOftenRun) {
    const auto editor = dir_ / "editor";
    const auto player = dir_ / "player.exe";
    WriteFile(editor, "\x7f" "ELF editor image");
    WriteFile(player, "MZ player");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);

    AppendPlayerBlock(editor, player);
    const std::vector<uint8_t> once = ReadFile(editor);
    std::vector<uint8_t> expected = {0x7f};
    for (char c : std::string("ELF editor imageApEXMZ player")) expected.push_back(uint8_t(c));
    AddU32(expected, 17);  // the marker's zero-based offset
    EXPECT_EQ(once, expected);
    const auto place = FindPlayerBlock(once);
    ASSERT_TRUE(place);
    EXPECT_EQ(place->Marker, 17u);
    EXPECT_EQ(place->PlayerLength, 9u);

    AppendPlayerBlock(editor, player);
    EXPECT_EQ(ReadFile(editor), once);
    EXPECT_EQ(std::filesystem::status(editor).permissions(), std::filesystem::perms::owner_all);

    // A new player replaces the old block.
    WriteFile(player, "MZ newer player");
    AppendPlayerBlock(editor, player);
    const auto replaced = FindPlayerBlock(ReadFile(editor));
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->Marker, 17u);
    EXPECT_EQ(replaced->PlayerLength, 15u);
}

TEST_F(PlayerBlockFile, RefusesSomethingThatIsNotAPlayer) {
    const auto editor = dir_ / "editor";
    WriteFile(editor, "editor");
    WriteFile(dir_ / "notes.txt", "hello");
    EXPECT_THROW(AppendPlayerBlock(editor, dir_ / "notes.txt"), std::runtime_error);
    EXPECT_THROW(AppendPlayerBlock(editor, dir_ / "missing.exe"), std::runtime_error);
    EXPECT_EQ(ReadFile(editor).size(), 6u);
    EXPECT_FALSE(FindPlayerBlock(ReadFile(editor)));
}

TEST(PlayerBlock, MarksThePlayerToRunFromTheSwapFile) {
    // "MZ", e_lfanew 0x40, "PE\0\0", a file header with characteristics
    // 0x0022, an optional header with no checksum.
    std::vector<uint8_t> image(0x40 + 24 + 240, 0);
    image[0] = 'M';
    image[1] = 'Z';
    image[0x3C] = 0x40;
    std::memcpy(image.data() + 0x40, "PE\0\0", 4);
    image[0x40 + 22] = 0x22;
    std::vector<uint8_t> marked = image;
    MarkRunFromSwap(marked);
    EXPECT_EQ(marked[0x40 + 22], 0x22);
    EXPECT_EQ(marked[0x40 + 23], 0x0C);  // removable media and network
    marked[0x40 + 23] = 0;
    EXPECT_EQ(marked, image);  // nothing else

    std::vector<uint8_t> stub = {'M', 'Z', ' ', 'p', 'l', 'a', 'y', 'e', 'r'};
    EXPECT_THROW(MarkRunFromSwap(stub), std::runtime_error);
    image[0x3C] = 0xF0;  // the header's offset points past the end
    EXPECT_THROW(MarkRunFromSwap(image), std::runtime_error);
}

}  // namespace
}  // namespace orvane::player
