#include "FuzzSupport.h"

#include "distribution/AutorunBuilder.h"
#include "document/Json.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "styles/ButtonStyles.h"
#include "styles/StyleList.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <initializer_list>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane::fuzz {
namespace fs = std::filesystem;

namespace {

std::vector<fs::path>& OpenRoots() {
    static std::vector<fs::path> roots;
    return roots;
}

std::vector<fs::path> Below(const fs::path& root) {
    std::vector<fs::path> paths;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        paths.push_back(it->path().lexically_relative(root));
    std::sort(paths.begin(), paths.end());
    return paths;
}

void EmptyFolder(const fs::path& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        fs::remove_all(it->path(), ignored);
    }
}

// The fixed place, when it is our own folder and no other run holds it.
int LockFixedFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directory(folder, ec);
    struct stat before {};
    if (::lstat(folder.c_str(), &before) != 0 || !S_ISDIR(before.st_mode) || before.st_uid != ::geteuid()) return -1;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat held {};
    // The folder may have been removed by the run that held it until now.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &held) != 0 || ::lstat(folder.c_str(), &before) != 0 ||
        held.st_ino != before.st_ino || held.st_dev != before.st_dev) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void WriteRecords(const fs::path& path, const auto& write) {
    ScriptedPlatform platform;
    RecordFile file(platform);
    if (!file.OpenRecordFile(path.filename().string(), path.parent_path().string() + "/", true, false))
        Fail("cannot write " + path.string());
    write(file);
    file.CloseRecordFile();
}

void WriteFont(RecordFile& f, const FontSpec& font) {
    f.WriteField(kTextRecord, 0, font.Name);
    f.WriteField(kLongRecord, font.Size, {});
    f.WriteField(kIntegerRecord, font.Bold ? -1 : 0, {});
    f.WriteField(kIntegerRecord, font.Italic ? -1 : 0, {});
    f.WriteField(kIntegerRecord, font.Underline ? -1 : 0, {});
    f.WriteField(kIntegerRecord, int32_t(font.Alignment), {});
    f.WriteField(kLongRecord, int32_t(font.Color), {});
}

// The button strip of a style's artwork, where a custom style's strips go.
Bitmap StripOf(const Bitmap& sheet) {
    Bitmap strip(kStripWidth, kStripHeight);
    StretchCopy(sheet, {0, 162, kStripWidth, 162 + kStripHeight}, strip, {0, 0, kStripWidth, kStripHeight});
    return strip;
}

}  // namespace

void WriteMenuStyleFile(const fs::path& path, const MenuStyle& style, const std::string& message,
                        const std::string& magic) {
    WriteRecords(path, [&](RecordFile& f) {
        f.WriteRecordHeader(0, 0);
        f.WriteField(kTextRecord, 0, magic);
        f.WriteField(kTextRecord, 0, style.Name);
        f.WriteField(kTextRecord, 0, message);
        f.WriteField(kIntegerRecord, style.Animation, {});
        WriteFont(f, style.TextFont);
        WriteFont(f, style.ButtonFont);
        WriteFont(f, style.TitleFont);
        f.WriteField(kIntegerRecord, style.TitleLeft, {});
        f.WriteField(kIntegerRecord, style.TitleTop, {});
        f.WritePicture(1, 0, 0, 0, style.Background, {}, false);
        if (!style.Mask.IsEmpty()) f.WritePicture(1, 1, 0, 0, style.Mask, {}, false);
        f.WriteEnd();
    });
}

void MakeSampleAppFolder(const fs::path& app) {
    fs::create_directories(app / "styles");
    fs::create_directories(app / "buttons");
    StyleList builtin;
    builtin.AddBuiltinStyles();
    const MenuStyle& ribbon = builtin.At(6);
    const MenuStyle& photo = builtin.At(kSharpPhotoPosition);

    MenuStyle plain = ribbon;
    plain.Name = "Sunrise";
    WriteMenuStyleFile(app / "styles" / "Sunrise.ovgsty", plain, {}, StyleFileMagic());
    MenuStyle framed = photo;
    framed.Name = "Framed Photo";
    WriteMenuStyleFile(app / "styles" / "Framed.ovgsty", framed, "Thank you for choosing this style.", StyleFileMagic());

    for (const bool photoButton : {false, true}) {
        ButtonStyleFile s;
        s.Name = photoButton ? "Photo Glass" : "Ribbon";
        s.Animation = photoButton ? 4 : 2;
        s.Font = {"Tahoma", 11, true, false, photoButton, Alignment::Centre, 0x00AA00};
        s.ShadowDepth = 1;
        s.ShadowColor = 0x101010;
        s.PhotoFlag = photoButton ? 1 : 0;
        s.Strip = StripOf(photoButton ? photo.Background : ribbon.Background);
        s.MaskStrip = StripOf(photo.Mask);
        WriteRecords(app / "buttons" / (photoButton ? "PhotoGlass.ovgbtn" : "Ribbon.ovgbtn"),
                     [&](RecordFile& f) { WriteButtonStyleRecords(f, s); });
    }

    Bitmap picture(160, 120);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.At(x, y) = MakePixel(uint8_t(x), uint8_t(2 * y), 128);
    WriteFileReplacing(app / "photo.bmp", WriteBmp(picture, 24));

    // The editor's file: its own bytes, "ApEX", a stand-in player, the marker's offset.
    std::vector<uint8_t> editor(16, 0xEE);
    for (uint8_t b : std::initializer_list<uint8_t>{'A', 'p', 'E', 'X', 'M', 'Z', 9, 9, 16, 0, 0, 0}) editor.push_back(b);
    WriteFileReplacing(app / kEditorFileName, editor);
}

Workspace::Workspace(const std::string& target) {
    const fs::path fixed = fs::temp_directory_path() / ("orvane-fuzz-" + target);
    lock_ = LockFixedFolder(fixed);
    if (lock_ >= 0) {
        root_ = fixed;
    } else {
        std::string pattern = (fs::temp_directory_path() / ("orvane-fuzz-" + target + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) Fail("cannot make a temporary folder");
        root_ = pattern;
    }
    // What an earlier run left when it crashed.
    EmptyFolder(root_);
    OpenRoots().push_back(root_);
    fs::create_directories(In());
    MakeSampleAppFolder(App());
    baseline_ = Below(root_);
}

Workspace::~Workspace() {
    std::error_code ec;
    fs::remove_all(root_, ec);
    std::erase(OpenRoots(), root_);
    if (lock_ >= 0) ::close(lock_);
}

fs::path Workspace::Write(const std::string& name, std::span<const uint8_t> data) const {
    const fs::path path = In() / name;
    WriteFileReplacing(path, data);
    return path;
}

void Workspace::Reset() const {
    EmptyFolder(In());
    for (const fs::path& added : NewFiles()) {
        std::error_code ec;
        fs::remove_all(root_ / added, ec);
    }
}

std::vector<fs::path> Workspace::NewFiles() const {
    std::vector<fs::path> added;
    for (const fs::path& p : Below(root_))
        if (!std::binary_search(baseline_.begin(), baseline_.end(), p)) added.push_back(p);
    return added;
}

void RemoveWorkspaces() noexcept {
    for (const fs::path& root : OpenRoots()) {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
}

bool ParsesAsJson(std::string_view text) {
    Json value;
    std::string error;
    return ParseJson(text, value, error);
}

}  // namespace orvane::fuzz

// fontconfig keeps part of its configuration for the life of the process
// (.ci/lsan.supp says the same for the tests); the fuzzers carry it themselves.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
