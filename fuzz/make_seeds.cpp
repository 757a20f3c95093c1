// Makes the raw seed inputs of the fuzz targets with the project's own
// writers and tools (orvane-menu, the editor model and its undo, the record
// file, settings and picture writers) into OUT/<target>/, plus a few nearly
// valid variants of each. fuzz/make-corpus minimises them into corpus/.
//
// Each target's inputs are made in that target's workspace, so the paths a
// menu stores (its photo, its button style) are the ones its fuzzer finds.
#include "FuzzSupport.h"
#include "FuzzTool.h"

#include "app/EditorModel.h"
#include "app/Settings.h"
#include "document/mdlfilebin.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "styles/ButtonStyles.h"
#include "styles/StyleList.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace orvane;
using namespace orvane::fuzz;
namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

[[noreturn]] void Die(const std::string& what) {
    std::fprintf(stderr, "orvane-fuzz-seeds: %s\n", what.c_str());
    std::exit(1);
}

class Seeds {
public:
    Seeds(const fs::path& out, const std::string& target) : folder_(out / target) { fs::create_directories(folder_); }

    void Add(const std::string& name, std::span<const uint8_t> data) const { WriteFileReplacing(folder_ / name, data); }
    void Add(const std::string& name, const std::string& text) const {
        Add(name, {reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    }
    void Copy(const std::string& name, const fs::path& from) const { Add(name, ReadWholeFile(from)); }
    // The first half, and everything but the last byte.
    void Truncated(const std::string& name, const Bytes& data) const {
        Add("cut-half-" + name, std::span(data).first(data.size() / 2));
        Add("cut-end-" + name, std::span(data).first(data.size() - 1));
    }

private:
    fs::path folder_;
};

ToolRun Tool(std::vector<std::string> args) {
    const ToolRun run = RunTool(args);
    if (run.Status != 0) Die(args[0] + ": " + run.Err);
    return run;
}

// `orvane-menu new` into the workspace's in/, with its application folder.
fs::path NewMenu(const Workspace& space, const std::string& name, std::vector<std::string> options) {
    const fs::path path = space.In() / name;
    std::vector<std::string> args = {"new", path.string(), "--force", "--app-folder", space.AppFolder()};
    args.insert(args.end(), options.begin(), options.end());
    Tool(args);
    return path;
}

fs::path Import(const Workspace& space, const std::string& name, const std::string& json) {
    const fs::path source = space.In() / (name + ".json");
    WriteFileReplacing(source, {reinterpret_cast<const uint8_t*>(json.data()), json.size()});
    const fs::path path = space.In() / name;
    Tool({"import", source.string(), path.string(), "--force", "--app-folder", space.AppFolder()});
    return path;
}

std::string Slug(std::string name) {
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? char(std::tolower(c)) : '-';
    return name;
}

// Menus in every built-in style, a file style, a custom button style, a
// missing photo, thirty buttons, and damaged copies.
void MenuSeeds(const fs::path& out) {
    const Workspace space("menu");
    const Seeds seeds(out, "menu");
    const std::string photo = space.AppFolder() + "photo.bmp";
    StyleList styles;
    styles.AddBuiltinStyles();
    for (int p = 0; p < styles.Count(); ++p) {
        const MenuStyle& s = styles.At(p);
        std::vector<std::string> options = {"--style", s.Name, "--button", "&Open", "--title", s.Name};
        if (ReadMarkers(s.Background).Photo) options.insert(options.end(), {"--photo", photo});
        seeds.Copy("style-" + Slug(s.Name) + ".mng", NewMenu(space, "m.mng", options));
    }
    seeds.Copy("file-style.mng", NewMenu(space, "m.mng", {"--style", "Sunrise", "--color", "200,40,40"}));
    seeds.Copy("file-photo-style.mng", NewMenu(space, "m.mng", {"--style", "Framed Photo", "--photo", photo}));
    seeds.Copy("button-style.mng",
               Import(space, "m.mng",
                      "{\"properties\": {\"ButtonStyleName\": \"" + space.AppFolder() +
                          "buttons/Ribbon.ovgbtn\", \"ButtonAnimation\": 5},\n"
                          " \"buttons\": [{\"Caption\": \"&Guide\", \"Command\": \"docs\\\\guide.pdf\"},\n"
                          "  {\"Caption\": \"E&xit\", \"ExitOnClick\": 1}]}\n"));

    const fs::path gone = space.In() / "gone.bmp";
    fs::copy_file(photo, gone);
    const fs::path missing = NewMenu(space, "m.mng", {"--style", "MyPhoto Frames", "--photo", gone.string()});
    fs::remove(gone);
    seeds.Copy("missing-photo.mng", missing);

    std::vector<std::string> many = {"--text", "A long menu text\nover two lines with a shadow"};
    for (int i = 1; i < kMaxButtons; ++i) many.insert(many.end(), {"--button", "Button &" + std::to_string(i)});
    seeds.Copy("thirty-buttons.mng", NewMenu(space, "m.mng", many));

    const fs::path plain = NewMenu(space, "plain.mng", {"--button", "&Photos", "--button", "&Videos"});
    Tool({"resave", plain.string(), (space.In() / "resaved.mng").string(), "--force", "--app-folder",
          space.AppFolder()});
    seeds.Copy("resaved.mng", space.In() / "resaved.mng");
    Bytes data = ReadWholeFile(plain);
    seeds.Truncated("plain.mng", data);
    data[5] = 8;  // a version-8 header over version-9 fields
    seeds.Add("version-8.mng", data);
    seeds.Copy("style-file-opened.ovgsty", space.App() / "styles" / "Sunrise.ovgsty");
}

// The editor's own undo snapshots, taken by a session of edits.
void SnapshotSeeds(const fs::path& out) {
    const Workspace space("snapshot");
    const Seeds seeds(out, "snapshot");
    ScriptedPlatform platform;
    platform.SuppressTips = true;
    platform.DialogAnswers.push_back(space.App() / "photo.bmp");
    EditorModel model(platform, space.App());
    model.Session().Start();
    model.Session().DeferredStart({});
    if (model.Undo().Folder() != space.AppFolder()) Die("the undo folder is not the application folder");
    model.Buttons().Add();
    model.Properties().SetTitle("Snapshot");
    model.ComboBox1Select(6);
    model.Properties().ChoosePreset(2);
    model.Buttons().Add();
    model.ComboBox2Select(model.ButtonStyles().EntryOfFile(space.AppFolder() + "buttons/Ribbon.ovgbtn"));
    model.ComboBox1Select(kSharpPhotoPosition);
    model.Properties().SetMenuText("After the photo");
    model.ComboBox1Select(model.StylePositionByName("Sunrise"));
    model.Properties().SetTitle("Last");
    for (int n = 1; n <= model.Doc().Menu.UndoCount; ++n) {
        const std::string name = UndoHistory::SnapshotName(false, n);
        seeds.Copy(name, space.App() / name);
    }
    const Bytes first = ReadWholeFile(space.App() / UndoHistory::SnapshotName(false, 1));
    seeds.Truncated("UD001.und", first);
    model.Session().Shutdown();
}

// The sample style files and variants: another version, artwork of another
// size, a photo style without its mask, damaged copies.
void StyleSeeds(const fs::path& out) {
    const Workspace space("style");
    const Seeds seeds(out, "style");
    for (const char* name : {"Sunrise.ovgsty", "Framed.ovgsty"}) seeds.Copy(name, space.App() / "styles" / name);
    seeds.Truncated("Framed.ovgsty", ReadWholeFile(space.App() / "styles" / "Framed.ovgsty"));

    StyleList styles;
    styles.AddBuiltinStyles();
    MenuStyle style = styles.At(3);
    style.Name = "Old";
    WriteMenuStyleFile(space.In() / "s", style, {}, "OVGMENUSTYLEFILE VERSION 8.0");
    seeds.Copy("other-version.ovgsty", space.In() / "s");
    style.Name = "Small";
    style.Background = Bitmap(40, 30, 0x336699);
    WriteMenuStyleFile(space.In() / "s", style, "Small artwork", StyleFileMagic());
    seeds.Copy("small-artwork.ovgsty", space.In() / "s");
    MenuStyle photo = styles.At(kSharpPhotoPosition);
    photo.Name = "No Mask";
    photo.Mask = Bitmap();
    photo.TitleFont.Size = 72;
    WriteMenuStyleFile(space.In() / "s", photo, {}, StyleFileMagic());
    seeds.Copy("photo-without-mask.ovgsty", space.In() / "s");
}

void ButtonStyleSeeds(const fs::path& out) {
    const Workspace space("button_style");
    const Seeds seeds(out, "button_style");
    for (const char* name : {"Ribbon.ovgbtn", "PhotoGlass.ovgbtn"}) seeds.Copy(name, space.App() / "buttons" / name);
    Bytes data = ReadWholeFile(space.App() / "buttons" / "Ribbon.ovgbtn");
    seeds.Truncated("Ribbon.ovgbtn", data);
    const std::string magic = ButtonStyleFileMagic();
    const auto at = std::search(data.begin(), data.end(), magic.begin(), magic.end());
    if (at == data.end()) Die("no magic in a button style file");
    *(at + long(magic.size()) - 3) = '8';  // "... VERSION 8.0"
    seeds.Add("other-version.ovgbtn", data);

    ButtonStyleFile small;
    small.Name = "Small";
    small.Strip = Bitmap(10, 10, 0x808080);
    small.MaskStrip = Bitmap(200, 40, 0xFFFFFF);
    ScriptedPlatform platform;
    RecordFile file(platform);
    file.OpenRecordFile("small.ovgbtn", space.InFolder(), true, false);
    WriteButtonStyleRecords(file, small);
    file.CloseRecordFile();
    seeds.Copy("odd-strips.ovgbtn", space.In() / "small.ovgbtn");
}

Bitmap Gradient(int width, int height) {
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.At(x, y) = MakePixel(uint8_t(x * 255 / width), uint8_t(y * 255 / height), uint8_t((x ^ y) * 16));
    return b;
}

// The project's own picture writers; ImageMagick adds the other variants.
void PictureSeeds(const fs::path& out) {
    const Seeds bmp(out, "bmp");
    bmp.Add("writer-24bit-7x5.bmp", WriteBmp(Gradient(7, 5), 24));
    bmp.Add("writer-32bit-6x4.bmp", WriteBmp(Gradient(6, 4), 32));
    const Seeds png(out, "png");
    png.Add("writer-9x7.png", WritePng(Gradient(9, 7)));
    png.Truncated("writer-9x7.png", WritePng(Gradient(9, 7)));
}

void SettingsSeeds(const fs::path& out) {
    const Workspace space("settings");
    const Seeds seeds(out, "settings");
    const fs::path path = space.In() / "orvane-graphic.ini";
    Settings s = Settings::Defaults("/home/user/Menus/", 1920, 1080);
    WriteSettingsFile(path, s);
    seeds.Copy("defaults.ini", path);
    s.MenuFolder = "/home/user/Médias/";
    s.TipShown[3] = 1;
    s.PaletteOpen = {1, 1, 0, 0, 1};
    s.FastScaling = false;
    s.OnePaletteMode = true;
    s.GradientSaturation = -5;
    WriteSettingsFile(path, s);
    const Bytes data = ReadWholeFile(path);
    seeds.Add("changed.ini", data);
    std::string text(data.begin(), data.end());
    seeds.Add("short.ini", text.substr(0, text.size() / 3));
    std::string lf;
    for (char c : text)
        if (c != '\r') lf += c;
    seeds.Add("lf-only.ini", lf);
    seeds.Add("bad-numbers.ini", "x\r\n99999999999\r\n-1\r\n0x10\r\n\r\n");
}

// Autorun applications from the stand-in player of the application folder.
void AutorunSeeds(const fs::path& out) {
    const Workspace space("autorun");
    const Seeds seeds(out, "autorun");
    const fs::path one = NewMenu(space, "Intro.mng", {"--style", "Professional", "--button", "&More"});
    const fs::path two = NewMenu(space, "More.mng", {"--style", "Headlines", "--title", "More"});
    const fs::path three = NewMenu(space, "Extra Menü.mng", {"--style", "Forum"});
    const fs::path exe = space.In() / "Autorun.exe";
    auto build = [&](const std::string& name, std::vector<std::string> menus) {
        std::vector<std::string> args = {"build-autorun", exe.string(), "--force", "--app-folder", space.AppFolder()};
        args.insert(args.end(), menus.begin(), menus.end());
        Tool(args);
        seeds.Copy(name, exe);
    };
    build("one-menu.exe", {one.string()});
    build("three-menus.exe", {one.string(), two.string(), three.string(), "--default", "More.mng"});
    Bytes data = ReadWholeFile(exe);
    seeds.Truncated("three-menus.exe", data);
    data[data.size() - 4] ^= 1;  // the trailer points beside the package
    seeds.Add("moved-trailer.exe", data);
}

// What `orvane-menu export` writes, and hand-written texts near it.
void ImportSeeds(const fs::path& out) {
    const Workspace space("import");
    const Seeds seeds(out, "import");
    const std::string photo = space.AppFolder() + "photo.bmp";
    auto exported = [&](const std::string& name, std::vector<std::string> options) {
        seeds.Add(name, Tool({"export", NewMenu(space, "m.mng", options).string()}).Out);
    };
    exported("new.json", {});
    exported("ribbon.json", {"--style", "Blue Ribbon", "--button", "&Photos", "--button", "&Videos"});
    exported("photo.json", {"--style", "MyPhoto Light", "--photo", photo});
    seeds.Add("button-style.json", "{\"properties\": {\"ButtonStyleName\": \"" + space.AppFolder() +
                                       "buttons/PhotoGlass.ovgbtn\", \"StyleId\": \"Sunrise\"},\n"
                                       " \"buttons\": [{\"Caption\": \"&Go\", \"MinimizeOnClick\": true}]}\n");
    seeds.Add("minimal.json", "{\"buttons\": [{\"Caption\": \"&A\"}]}\n");
    seeds.Add("unknown-key.json", "{\"properties\": {\"Colour\": 3}}\n");
    seeds.Add("out-of-range.json", "{\"properties\": {\"MenuWidth\": 5000, \"AutoSizeMenu\": false}}\n");
    seeds.Add("no-such-style.json", "{\"properties\": {\"StyleId\": \"No Such Style\"}}\n");
    seeds.Add("syntax.json", "{\"properties\": {\"Title\": \"a\\u00e9\",}}\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvane-fuzz-seeds OUT\n");
        return 2;
    }
    const fs::path out = argv[1];
    MenuSeeds(out);
    SnapshotSeeds(out);
    StyleSeeds(out);
    ButtonStyleSeeds(out);
    PictureSeeds(out);
    SettingsSeeds(out);
    AutorunSeeds(out);
    ImportSeeds(out);
    return 0;
}
