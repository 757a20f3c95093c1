#include "Faults.h"
#include "CliRun.h"
#include "TempFolder.h"

#include "cli/CliCommands.h"
#include "distribution/AutorunBuilder.h"
#include "platform/FileUtil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace orvane;

namespace {

// An editor file carrying a small player block.
void WriteEditor(const TempFolder& app) {
    std::vector<uint8_t> editor;
    editor.reserve(64);
    editor.resize(16, 0xEE);
    for (uint8_t b : std::initializer_list<uint8_t>{'A', 'p', 'E', 'X', 'M', 'Z', 9, 9}) editor.push_back(b);
    for (uint8_t b : std::initializer_list<uint8_t>{16, 0, 0, 0}) editor.push_back(b);
    WriteFileReplacing(app.Path() / kEditorFileName, editor);
}

// An autorun file whose single packed file has the given name.
std::vector<uint8_t> PackageNamed(const std::string& name) {
    std::vector<uint8_t> d = {'M', 'Z', 'F', 'P', 'A', 'K', 2, 0, 0, 4, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 1};
    std::string entry = name;
    entry.resize(256, ' ');
    d.insert(d.end(), entry.begin(), entry.end());
    const uint32_t offset = uint32_t(d.size() + 4 + 1);
    for (int i = 0; i < 4; ++i) d.push_back(uint8_t(offset >> (8 * i)));
    for (uint8_t b : std::initializer_list<uint8_t>{'d', 'a', 't', 'a'}) d.push_back(b);
    for (uint8_t b : std::initializer_list<uint8_t>{3, 0, 0, 0}) d.push_back(b);  // "FPAK" at one-based 3
    return d;
}

}  // namespace

TEST(AutorunCli, BuildInfoAndUnpack) {
    TempFolder app, work;
    WriteEditor(app);
    const std::string appFolder = app.Path().string();
    const std::string a = (work.Path() / "a.mng").string(), b = (work.Path() / "b.mng").string();
    ASSERT_EQ(Cli({"new", a, "--title", "First", "--app-folder", appFolder}).code, 0);
    ASSERT_EQ(Cli({"new", b, "--title", "Second", "--app-folder", appFolder}).code, 0);
    const std::string exe = (work.Path() / "out" / "Autorun.exe").string();
    std::filesystem::create_directories(work.Path() / "out");

    const CliRun built = Cli({"build-autorun", exe, a, b, "--default", "b.mng", "--app-folder", appFolder});
    ASSERT_EQ(built.code, 0) << built.err;
    const std::vector<uint8_t> data = ReadWholeFile(exe);
    EXPECT_EQ(data[0], 'M');
    EXPECT_EQ(data[1], 'Z');
    const std::vector<uint8_t> inf = ReadWholeFile(work.Path() / "out" / "Autorun.inf");
    EXPECT_EQ(std::string(inf.begin(), inf.end()), "[autorun]\r\nopen=Autorun.exe\r\nicon=Autorun.exe\r\n");

    const CliRun info = Cli({"info", exe});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("\"playerSize\": 4"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"count\": 2"), std::string::npos);
    EXPECT_LT(info.out.find("b.mng"), info.out.find("a.mng")) << "the default menu comes first";

    const CliRun unpacked = Cli({"unpack", exe, (work.Path() / "back").string()});
    ASSERT_EQ(unpacked.code, 0) << unpacked.err;
    EXPECT_EQ(ReadWholeFile(work.Path() / "back" / "a.mng"), ReadWholeFile(a));
    EXPECT_EQ(ReadWholeFile(work.Path() / "back" / "b.mng"), ReadWholeFile(b));

    // An existing output is replaced only with --force.
    EXPECT_EQ(Cli({"build-autorun", exe, a, "--app-folder", appFolder}).code, 1);
    EXPECT_EQ(Cli({"build-autorun", exe, a, "--force", "--app-folder", appFolder}).code, 0);
    const CliRun missing = Cli({"build-autorun", exe, a, (work.Path() / "gone.mng").string(), "--force",
                                 "--app-folder", appFolder});
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("Could not find all files."), std::string::npos);
}

TEST(AutorunCli, UnpackWritesOnlyInsideItsFolder) {
    TempFolder work;
    const std::pair<std::string, std::string> cases[] = {
        {"../evil.mng", "holds a folder"},
        {"sub\\x.mng", "holds a folder"},
        {"..", "holds \"..\""},
        {"C:x.mng", "holds a drive"},
    };
    for (const auto& [name, reason] : cases) {
        SCOPED_TRACE(name);
        WriteFileReplacing(work.Path() / "bad.exe", PackageNamed(name));
        const CliRun r = Cli({"unpack", (work.Path() / "bad.exe").string(), (work.Path() / "out").string()});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(reason), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(name), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(work.Path() / "out"));
        EXPECT_FALSE(std::filesystem::exists(work.Path() / "evil.mng"));
    }
    WriteFileReplacing(work.Path() / "good.exe", PackageNamed("fine.mng"));
    ASSERT_EQ(Cli({"unpack", (work.Path() / "good.exe").string(), (work.Path() / "out").string()}).code, 0);
    EXPECT_EQ(ReadWholeFile(work.Path() / "out" / "fine.mng"), (std::vector<uint8_t>{'d', 'a', 't', 'a'}));
}

// Unpacking with each file operation failing in turn: the files already in
// the folder stay whole, nothing temporary is left, one line says why.
TEST(AutorunCli, UnpackWithAFailingDiskKeepsWhatWasThere) {
    TempFolder app, work;
    WriteEditor(app);
    for (const char* name : {"a.mng", "b.mng"}) WriteFileReplacing(work.Path() / name, std::vector<uint8_t>(40, uint8_t(name[0])));
    const std::string exe = (work.Path() / "Autorun.exe").string();
    ASSERT_EQ(Cli({"build-autorun", exe, (work.Path() / "a.mng").string(), (work.Path() / "b.mng").string(), "--app-folder",
                   app.Path().string()})
                  .code,
              0);
    const auto out = work.Path() / "out";
    auto prepare = [&] {
        std::filesystem::remove_all(out);
        CreateFolders(out);
        for (const char* name : {"a.mng", "b.mng"}) WriteFileReplacing(out / name, std::vector<uint8_t>{'o', 'l', 'd'});
    };
    int operations = 0;
    {
        prepare();
        Faults count;
        ASSERT_EQ(Cli({"unpack", exe, out.string()}).code, 0);
        operations = int(count.Seen.size());
    }
    for (int k = 1; k <= operations; ++k) {
        SCOPED_TRACE("failing operation " + std::to_string(k));
        prepare();
        CliRun r;
        {
            Faults faults(k);
            r = Cli({"unpack", exe, out.string()});
        }
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        for (const char* name : {"a.mng", "b.mng"}) {
            const auto bytes = ReadWholeFile(out / name);
            EXPECT_TRUE(bytes == std::vector<uint8_t>({'o', 'l', 'd'}) || bytes == std::vector<uint8_t>(40, uint8_t(name[0])))
                << name;
        }
        EXPECT_FALSE(TemporaryLeft(work.Path()));
        EXPECT_EQ(Cli({"unpack", exe, out.string()}).code, 0) << "the next try works";
    }
}
