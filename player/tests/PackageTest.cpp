#include "PackageReader.h"
#include "PlayerBlock.h"

#include "document/ByteStream.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace orvane::player {
namespace {

void PutU32(std::vector<uint8_t>& d, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) d[at + size_t(i)] = uint8_t(v >> (8 * i));
}
void AddU32(std::vector<uint8_t>& d, uint32_t v) {
    d.resize(d.size() + 4);
    PutU32(d, d.size() - 4, v);
}

// An autorun executable laid out as the builder writes it.
struct Autorun {
    std::vector<uint8_t> Data;
    size_t PlayerLength = 0;
    size_t Count = 0;      // position of N
    size_t Directory = 0;  // first directory entry
    size_t Contents = 0;   // first file's first byte

    Autorun(const std::vector<std::pair<std::string, std::string>>& files, size_t playerLength = 300) {
        PlayerLength = playerLength;
        Data.assign(playerLength, 0x90);
        Data[0] = 'M';
        Data[1] = 'Z';
        for (char c : std::string("FPAK")) Data.push_back(uint8_t(c));
        Data.insert(Data.end(), {2, 0, 0});           // version
        Data.insert(Data.end(), {4, 0, 0, 0, 0});     // empty text record
        Data.insert(Data.end(), {1, 1, 0, 0, 0, 0});  // byte record, 0
        Count = Data.size();
        Data.push_back(uint8_t(files.size()));
        Directory = Data.size();
        for (const auto& [name, body] : files) {
            std::string padded = name;
            padded.resize(256, ' ');
            Data.insert(Data.end(), padded.begin(), padded.end());
            AddU32(Data, 99999);
        }
        Contents = Data.size();
        for (size_t k = 0; k < files.size(); ++k) {
            PutU32(Data, Directory + k * 260 + 256, uint32_t(Data.size() + 1));
            Data.insert(Data.end(), files[k].second.begin(), files[k].second.end());
        }
        AddU32(Data, uint32_t(playerLength + 1));
    }
    size_t OffsetField(size_t k) const { return Directory + k * 260 + 256; }
};

std::string Text(std::span<const uint8_t> bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Package, ReadsEveryFileInOrder) {
    const std::string longName(256, 'n');
    const Autorun a({{"Main.mng", "first menu"}, {longName, "second"}});
    const auto files = ReadPackage(a.Data);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].Name, "Main.mng");
    EXPECT_EQ(files[0].Offset, a.Contents);
    EXPECT_EQ(Text(FileBytes(a.Data, files[0])), "first menu");
    EXPECT_EQ(files[1].Name, longName);  // a full field has no padding
    EXPECT_EQ(Text(FileBytes(a.Data, files[1])), "second");
}

TEST(Package, RefusesDamagedFields) {
    const Autorun good({{"A.mng", "aaaa"}, {"B.mng", "bbbbbb"}});
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    const auto trailerAt = [](std::vector<uint8_t>& d) { return d.size() - 4; };
    const struct {
        const char* name;
        Damage damage;
    } cases[] = {
        {"marker", [&](auto& d) { d[good.PlayerLength + 3] = 'X'; }},
        {"version", [&](auto& d) { d[good.PlayerLength + 4] = 3; }},
        {"first field kind", [&](auto& d) { d[good.PlayerLength + 7] = 2; }},
        {"text field longer than the file", [&](auto& d) { PutU32(d, good.PlayerLength + 8, 0x7FFFFFFF); }},
        {"N = 0", [&](auto& d) { d[good.Count] = 0; }},
        {"N = 100", [&](auto& d) { d[good.Count] = 100; }},
        {"N larger than the directory", [&](auto& d) { d[good.Count] = 3; }},
        {"offset past the end", [&](auto& d) { PutU32(d, good.OffsetField(1), uint32_t(d.size() + 10)); }},
        {"offset zero", [&](auto& d) { PutU32(d, good.OffsetField(0), 0); }},
        {"offsets out of order",
         [&](auto& d) {
             PutU32(d, good.OffsetField(1), uint32_t(good.Contents + 1));
             PutU32(d, good.OffsetField(0), uint32_t(good.Contents + 3));
         }},
        {"gap after the directory", [&](auto& d) { PutU32(d, good.OffsetField(0), uint32_t(good.Contents + 2)); }},
        {"truncated directory",
         [&](auto& d) {
             d.resize(good.Directory + 100);
             AddU32(d, uint32_t(good.PlayerLength + 1));
         }},
        {"trailer past the end", [&](auto& d) { PutU32(d, trailerAt(d), uint32_t(d.size() + 1)); }},
        {"trailer at the trailer", [&](auto& d) { PutU32(d, trailerAt(d), uint32_t(d.size() - 3)); }},
        {"trailer zero", [&](auto& d) { PutU32(d, trailerAt(d), 0); }},
        {"trailer off by one", [&](auto& d) { PutU32(d, trailerAt(d), uint32_t(good.PlayerLength)); }},
        {"shorter than a trailer", [&](auto& d) { d.resize(3); }},
        {"no package at all", [&](auto& d) { d.resize(good.PlayerLength); }},
    };
    ASSERT_NO_THROW(ReadPackage(good.Data));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> d = good.Data;
        c.damage(d);
        EXPECT_THROW(ReadPackage(d), RecordFormatError);
    }
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

}  // namespace
}  // namespace orvane::player
