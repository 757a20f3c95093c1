#include "document/AutorunPackage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orvane {
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
    const Autorun a({{"Main.mng", "first menu"}, {longName, "second"}, {"Men\xFC.MNG", "third"}});
    const AutorunPackage p = ReadAutorunPackage(a.Data);
    ASSERT_TRUE(p.Ok()) << p.Error;
    ASSERT_EQ(p.Files.size(), 3u);
    EXPECT_EQ(p.PlayerSize, a.PlayerLength);
    EXPECT_EQ(p.Files[0].Name, "Main.mng");
    EXPECT_EQ(p.Files[0].Offset, a.Contents);
    EXPECT_EQ(Text(PackedBytes(a.Data, p.Files[0])), "first menu");
    EXPECT_EQ(p.Files[1].Name, longName);  // a full field has no padding
    EXPECT_EQ(Text(PackedBytes(a.Data, p.Files[1])), "second");
    EXPECT_EQ(p.Files[2].Name, "Men\u00fc.MNG");  // Windows-1252 in the directory
    // Found as Windows finds files: without regard to case.
    ASSERT_TRUE(p.Find("MAIN.MNG"));
    EXPECT_EQ(p.Find("MAIN.MNG")->Name, "Main.mng");
    ASSERT_TRUE(p.Find("M\u00c9N\u00dc.mng") == nullptr);
    ASSERT_TRUE(p.Find("MEN\u00dc.mng"));
    EXPECT_FALSE(p.Find("Other.mng"));
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
        {"second field of another kind", [&](auto& d) { d[good.PlayerLength + 12] = 2; }},
        {"offset inside the directory", [&](auto& d) { PutU32(d, good.OffsetField(1), uint32_t(good.Directory + 1)); }},
        // Names the player looks up and unpack writes to disk.
        {"empty name", [&](auto& d) { std::fill_n(d.begin() + long(good.Directory), 5, ' '); }},
        {"name with a folder", [&](auto& d) { d[good.Directory + 1] = '\\'; }},
        {"name with a slash", [&](auto& d) { d[good.Directory + 1] = '/'; }},
        {"name with a drive", [&](auto& d) { d[good.Directory + 1] = ':'; }},
        {"name \"..\"", [&](auto& d) { d[good.Directory] = '.'; d[good.Directory + 1] = '.'; }},
        {"name with a control character", [&](auto& d) { d[good.Directory + 2] = '\n'; }},
        {"the same name twice", [&](auto& d) { d[good.Directory + 260] = 'a'; }},
    };
    ASSERT_TRUE(ReadAutorunPackage(good.Data).Ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> d = good.Data;
        c.damage(d);
        const AutorunPackage p = ReadAutorunPackage(d);
        EXPECT_FALSE(p.Ok());
        EXPECT_TRUE(p.Files.empty());
    }
}

}  // namespace
}  // namespace orvane
