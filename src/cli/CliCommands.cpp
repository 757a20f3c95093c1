#include "CliCommands.h"

#include "app/EditorModel.h"
#include "app/MenuImport.h"
#include "cli/ConsolePlatform.h"
#include "distribution/AutorunBuilder.h"
#include "document/Json.h"
#include "document/MenuFileInfo.h"
#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/Version.h"
#include "publish/DiscBurner.h"
#include "publish/DiscFolder.h"
#include "publish/DiscImage.h"
#include "publish/WineRun.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;

namespace {

const char* kUsage =
    "usage: orvane-menu COMMAND ...\n"
    "\n"
    "commands:\n"
    "  info FILE                        describe a menu file, undo snapshot, menu style file or\n"
    "                                   button style file as stored, as JSON\n"
    "  styles [--app-folder DIR]        list the menu styles, built-in ones first, as JSON\n"
    "  style-image NAME -o FILE.png [--mask] [--app-folder DIR]\n"
    "                                   write a style's picture (or its mask) as PNG\n"
    "  render FILE.mng -o OUT.png [--button N --state S] [--app-folder DIR]\n"
    "                                   render a menu as the editor shows it (button N in state\n"
    "                                   S: 0 normal, 1 highlighted, 2 pressed)\n"
    "  new OUT.mng [--style NAME] [--color R,G,B] [--title TEXT] [--text TEXT] [--photo FILE]\n"
    "              [--button CAPTION]... [--force] [--app-folder DIR]\n"
    "                                   make a new menu with these changes and save it; each\n"
    "                                   --button adds a button before the Close Menu button\n"
    "  export FILE.mng                  print a menu's properties and buttons as JSON\n"
    "  import MENU.json OUT.mng [--force] [--app-folder DIR]\n"
    "                                   make a menu from such JSON, render it and save it\n"
    "  resave IN.mng OUT.mng [--force] [--app-folder DIR]\n"
    "                                   open, render and save a menu (fresh pictures)\n"
    "  build-autorun OUT.exe MENU.mng... [--default NAME.mng] [--force] [--app-folder DIR]\n"
    "                                   write an autorun application holding the menus (the\n"
    "                                   first is the default) and Autorun.inf beside it\n"
    "  unpack AUTORUN.exe DIR           write the menus packed in an autorun application to DIR\n"
    "  thumbnail FILE.mng OUT.png SIZE  draw the menu's stored pictures, at most SIZE pixels a side\n"
    "  test-autorun DISC_FOLDER [AUTORUN.exe] [--screen WxH] [--timeout SECONDS]\n"
    "                                   run the disc folder's autorun application under Wine, the\n"
    "                                   folder seen as a CD drive, until it and what it opened close\n"
    "                                   (--screen: in a window that size, as on such a screen)\n"
    "  build-iso DISC_FOLDER OUT.iso [--label NAME] [--force]\n"
    "                                   write an ISO 9660 image of the disc folder with Joliet and\n"
    "                                   Rock Ridge names (label: the default menu's title)\n"
    "  drives                           list the disc drives and what is in them, as JSON\n"
    "  burn IMAGE.iso [--drive ADDRESS] burn an image to a blank disc and compare it with the image\n"
    "                                   (ADDRESS as drives lists it; stdio:FILE writes a file)\n"
    "\n"
    "--app-folder keeps everything in one folder, styles/ and buttons/ among it (default: where the\n"
    "editor keeps its files). --help shows this text, --version the version.\n";

// Message boxes use CR for line breaks; a terminal wants LF.
std::string ForTerminal(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    while (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

// Positional arguments and --options with a value; flags take no value.
struct Arguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options;
    std::vector<std::string> Buttons;  // --button, in order
    std::vector<std::string> Flags;
    std::string Error;

    bool Has(const std::string& flag) const {
        return std::find(Flags.begin(), Flags.end(), flag) != Flags.end();
    }
    std::string Option(const std::string& name, const std::string& fallback = {}) const {
        const auto it = Options.find(name);
        return it == Options.end() ? fallback : it->second;
    }
};

Arguments Parse(const std::vector<std::string>& args, const std::vector<std::string>& withValue,
                const std::vector<std::string>& flags) {
    Arguments a;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (std::find(withValue.begin(), withValue.end(), arg) != withValue.end()) {
            if (i + 1 >= args.size()) {
                a.Error = arg + " needs a value";
                return a;
            }
            a.Options[arg] = args[++i];
            if (arg == "--button") a.Buttons.push_back(a.Options[arg]);
        } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            a.Flags.push_back(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            a.Error = "unknown option " + arg;
            return a;
        } else {
            a.Positional.push_back(arg);
        }
    }
    return a;
}

// A usage fault: says what is wrong and how the command is used.
bool BadUsage(const Arguments& a, bool wrong, std::ostream& err) {
    if (a.Error.empty() && !wrong) return false;
    if (!a.Error.empty()) err << "orvane-menu: " << a.Error << "\n";
    err << kUsage;
    return true;
}

// Opens a file the command reads; false after "Menu not found." when there is none.
bool OpenInput(const fs::path& path, RecordFile& file, Platform& platform) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        ShowMessageBox(platform, "Menu not found.", MsgType::Information);
        return false;
    }
    file.OpenRecordData(ReadWholeFile(path));
    return true;
}

// --app-folder keeps everything in that folder; otherwise the tool finds the
// editor's files where the editor itself would.
AppFolders FoldersOf(const Arguments& a) {
    const FolderEnvironment env = FolderEnvironment::FromProcess();
    if (a.Options.count("--app-folder")) return AppFolders::PortableIn(a.Option("--app-folder"), env);
    return AppFolders::Decide(ExecutableFolder(), env);
}

void FontJson(JsonWriter& j, std::string_view key, const FontSpec& f) {
    j.Key(key).BeginObject();
    j.Field("Name", f.Name).Field("Size", f.Size).Field("Bold", f.Bold).Field("Italic", f.Italic);
    j.Field("Underline", f.Underline).Field("Alignment", f.Alignment).Field("Color", f.Color);
    j.EndObject();
}

void PictureJson(JsonWriter& j, std::string_view key, const Bitmap& b) {
    j.Key(key).BeginObject().Field("width", b.Width()).Field("height", b.Height()).EndObject();
}

int MenuStyleInfo(RecordFile& file, const fs::path& path, Platform& platform, std::ostream& out, std::ostream& err) {
    bool accepted = false;
    try {
        accepted = file.ReadRecordHeader();
    } catch (const RecordFormatError&) {
    }
    if (!accepted) {
        ShowMessageBox(platform, "Style file could not be read.", MsgType::Error);
        return 1;
    }
    const StyleFileRecords r = ReadStyleRecords(file);
    if (!r.Complete) {
        ShowMessageBox(platform, "Style file could not be read.", MsgType::Error);
        err << "orvane-menu: " << path.string() << ": " << r.Damage << "\n";
        return 1;
    }
    const MenuStyle& s = r.Style;
    const StyleMarkers markers = ReadMarkers(s.Background);
    JsonWriter j;
    j.BeginObject();
    j.Key("header").BeginObject();
    j.Field("kind", int32_t(file.HeaderKind));
    j.Key("version").BeginInlineArray().Int(file.VersionMajor).Int(file.VersionMinor).Int(file.VersionRelease).EndArray();
    j.EndObject();
    j.Key("records").BeginObject();
    j.Field("Identification", r.Magic).Field("Name", s.Name).Field("Message", r.Message);
    j.Field("Animation", s.Animation);
    FontJson(j, "TextFont", s.TextFont);
    FontJson(j, "ButtonFont", s.ButtonFont);
    FontJson(j, "TitleFont", s.TitleFont);
    j.Field("TitleLeft", s.TitleLeft).Field("TitleTop", s.TitleTop);
    PictureJson(j, "Background", s.Background);
    if (markers.Photo) PictureJson(j, "Mask", s.Mask);
    j.EndObject();
    j.EndObject();
    out << j.Text();
    return 0;
}

int ButtonStyleInfo(RecordFile& file, const fs::path& path, Platform& platform, std::ostream& out,
                    std::ostream& err) {
    const ButtonStyleRecords r = ReadButtonStyleRecords(file);
    if (!r.PicturesRead || r.Magic != ButtonStyleFileMagic()) {
        if (r.Magic == ButtonStyleFileMagic()) {
            MessageBoxRequest request;
            request.Text = "Error loading binary button data: " + path.filename().string();
            request.Type = MsgType::Warning;
            platform.ShowMessageBox(request);
        }
        err << "orvane-menu: " << path.string() << ": "
            << (r.Damage.empty() ? "a button style file of another version" : r.Damage) << "\n";
        return 1;
    }
    const ButtonStyleFile& s = r.Style;
    JsonWriter j;
    j.BeginObject();
    j.Key("records").BeginObject();
    j.Field("Identification", r.Magic).Field("Name", s.Name).Field("Animation", s.Animation);
    FontJson(j, "Font", s.Font);
    j.Field("ShadowDepth", s.ShadowDepth).Field("ShadowColor", s.ShadowColor).Field("PhotoButton", s.PhotoFlag != 0);
    PictureJson(j, "Buttons", s.Strip);
    PictureJson(j, "Masks", s.MaskStrip);
    j.EndObject();
    j.EndObject();
    out << j.Text();
    return 0;
}

int AutorunInfo(const fs::path& path, std::ostream& out, std::ostream& err) {
    const std::vector<uint8_t> data = ReadWholeFile(path);
    const AutorunPackage package = ReadAutorunPackage(data);
    if (!package.Error.empty()) {
        err << "orvane-menu: " << path.string() << ": " << package.Error << "\n";
        return 1;
    }
    JsonWriter j;
    j.BeginObject();
    WritePackageJson(j, package);
    j.EndObject();
    out << j.Text();
    return 0;
}

int MenuInfo(RecordFile& file, const fs::path& path, Platform& platform, std::ostream& out, std::ostream& err) {
    const MenuFileDescription description = DescribeMenuFile(file);
    const std::string& problem =
        description.Read.Status != MenuReadStatus::Ok ? description.Read.Detail : description.PictureError;
    if (!problem.empty() || description.Read.Status != MenuReadStatus::Ok) {
        ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
        if (!problem.empty()) err << "orvane-menu: " << path.string() << ": " << problem << "\n";
        return 1;
    }
    out << MenuFileJson(description);
    return 0;
}

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {}, {});
    if (BadUsage(a, a.Positional.size() != 1, err)) return 2;
    ConsolePlatform platform(err);
    const fs::path path = a.Positional[0];
    RecordFile file(platform);
    if (!OpenInput(path, file, platform)) return 1;
    const FileKind kind = KindOfStored(ReadWholeFile(path));
    switch (kind) {
        case FileKind::MenuStyle: return MenuStyleInfo(file, path, platform, out, err);
        case FileKind::ButtonStyle: return ButtonStyleInfo(file, path, platform, out, err);
        case FileKind::Autorun: return AutorunInfo(path, out, err);
        case FileKind::Menu: break;
    }
    return MenuInfo(file, path, platform, out, err);
}

int Styles(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder"}, {});
    if (BadUsage(a, !a.Positional.empty(), err)) return 2;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    JsonWriter j;
    j.BeginArray();
    for (int p = 0; p < model.Styles.Count(); ++p) {
        const MenuStyle& s = model.Styles.At(p);
        const StyleMarkers m = ReadMarkers(s.Background);
        j.BeginObject();
        j.Field("position", p).Field("name", s.Name).Field("StyleId", s.StyleId).Field("photo", m.Photo);
        j.Key("presets").BeginInlineArray();
        for (uint32_t c : m.Presets) j.Int(c);
        j.EndArray();
        j.Key("shadows").BeginInlineArray().Int(m.TitleShadowDepth).Int(m.TextShadowDepth).Int(m.ButtonShadowDepth).EndArray();
        j.EndObject();
    }
    j.EndArray();
    out << j.Text() << "\n";
    return 0;
}

int StyleImage(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder", "-o"}, {"--mask"});
    if (BadUsage(a, a.Positional.size() != 1 || a.Option("-o").empty(), err)) return 2;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const std::string& name = a.Positional[0];
    for (int p = 0; p < model.Styles.Count(); ++p) {
        const MenuStyle& s = model.Styles.At(p);
        if (s.Name != name) continue;
        const bool mask = a.Has("--mask");
        if (mask && !ReadMarkers(s.Background).Photo) {
            err << "orvane-menu: the style \"" << name << "\" has no mask\n";
            return 1;
        }
        WriteFileReplacing(a.Option("-o"), WritePng(mask ? s.Mask : s.Background));
        out << a.Option("-o") << "\n";
        return 0;
    }
    err << "orvane-menu: no menu style is named \"" << name << "\"\n";
    return 1;
}

bool ParseInt(const std::string& text, int low, int high, int& value) {
    try {
        size_t used = 0;
        const int v = std::stoi(text, &used);
        if (used != text.size() || v < low || v > high) return false;
        value = v;
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::pair<std::string, std::string> SplitPath(const fs::path& path) {
    const fs::path absolute = fs::absolute(path);
    return {absolute.filename().string(), absolute.parent_path().string() + "/"};
}

// The menu as its file stores it, without rendering: the picture, the window
// controls and each button in its normal state, scaled to fit size x size.
int Thumbnail(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {}, {});
    int size = 0;
    if (BadUsage(a, a.Positional.size() != 3 || !ParseInt(a.Positional[2], 1, 4096, size), err)) return 2;
    RecordFile file;
    file.OpenRecordData(ReadWholeFile(a.Positional[0]));
    const MenuFileRead read = ReadMenuFile(file, StoredMenu{});
    StoredPictures pictures;
    std::string problem = read.Status == MenuReadStatus::Ok ? "" : (read.Detail.empty() ? "not a menu" : read.Detail);
    if (problem.empty()) {
        try {
            ReadMenuPictures(file, read.Count, pictures);
        } catch (const RecordFormatError& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) {
        err << "orvane-menu: " << a.Positional[0] << ": " << kMenuUnreadable << " (" << problem << ")\n";
        return 1;
    }
    Bitmap menu = pictures.MenuImage;
    if (!read.Menu.Props.PhotoSkin && !pictures.Controls[0].IsEmpty())
        StretchCopy(pictures.Controls[0], {0, 0, 17, 9}, menu, {menu.Width() - 22, 5, menu.Width() - 5, 14});
    for (size_t i = 0; i < pictures.Buttons.size(); ++i)
        CopyInto(pictures.Buttons[i][0], menu, read.Menu.Buttons[i].Left, read.Menu.Buttons[i].Top);
    // Never larger than the menu itself.
    const double scale = std::min(1.0, double(size) / std::max(menu.Width(), menu.Height()));
    Bitmap picture = menu;
    if (scale < 1.0) {
        CoreGraphics graphics;
        graphics.ScaleSmooth(menu, picture, std::max(1, int(menu.Width() * scale)), std::max(1, int(menu.Height() * scale)),
                             true);
    }
    WriteFileReplacing(a.Positional[1], WritePng(picture));
    out << a.Positional[1] << "\n";
    return 0;
}

int Render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder", "-o", "--button", "--state"}, {});
    int button = 0, state = 0;
    const bool badButton = !a.Option("--button").empty() && !ParseInt(a.Option("--button"), 1, kMaxButtons, button);
    const bool badState = !a.Option("--state").empty() && !ParseInt(a.Option("--state"), 0, 2, state);
    if (BadUsage(a, a.Positional.size() != 1 || a.Option("-o").empty() || badButton || badState, err)) return 2;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const auto [name, folder] = SplitPath(a.Positional[0]);
    if (!model.BinMenuOpen(name, folder, false)) return 1;
    if (button > model.Doc.Menu.ButtonCount) {
        err << "orvane-menu: the menu has " << model.Doc.Menu.ButtonCount << " buttons\n";
        return 2;
    }
    if (button) model.HoverButton(button);
    WriteFileReplacing(a.Option("-o"), WritePng(model.DesignSurfaceImage(button, state)));
    out << a.Option("-o") << "\n";
    return 0;
}

// Refuses an existing target unless --force; true when writing may go on.
bool MayWrite(const fs::path& target, const Arguments& a, std::ostream& err) {
    std::error_code ec;
    if (fs::exists(target, ec) && !a.Has("--force")) {
        err << "orvane-menu: " << target.string() << " exists; add --force to replace it\n";
        return false;
    }
    return true;
}

bool SaveModel(EditorModel& model, const fs::path& target) {
    model.Doc.Menu.FileName = target.filename().string();
    model.Doc.Menu.Folder = target.parent_path().string() + "/";
    if (!model.BinMenuSave(true, false, false, false, model.Doc.Menu.Folder, model.Doc.Menu.FileName)) return false;
    model.WarnIfLarge();
    return true;
}

// "R,G,B" with each part 0 to 255, as a colour value.
bool ParseColour(const std::string& text, uint32_t& colour) {
    int rgb[3];
    size_t start = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i == 2;
        if (last != (comma == std::string::npos)) return false;
        const std::string part = text.substr(start, last ? std::string::npos : comma - start);
        if (!ParseInt(part, 0, 255, rgb[i])) return false;
        start = comma + 1;
    }
    colour = MakeColor(uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2]));
    return true;
}

std::string WithLineBreaks(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n' && (out.empty() || out.back() != '\r')) out += '\r';
        out += c;
    }
    return out;
}

int New(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a =
        Parse(args, {"--app-folder", "--style", "--color", "--title", "--text", "--photo", "--button"}, {"--force"});
    if (BadUsage(a, a.Positional.size() != 1 || a.Buttons.size() >= size_t(kMaxButtons), err)) return 2;
    uint32_t colour = 0;
    if (!a.Option("--color").empty() && !ParseColour(a.Option("--color"), colour)) {
        err << "orvane-menu: --color takes R,G,B with each part 0 to 255\n";
        return 2;
    }
    const fs::path target = fs::absolute(a.Positional[0]);
    if (!MayWrite(target, a, err)) return 1;

    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    model.StartNewMenu();
    if (!a.Option("--photo").empty()) {
        DecodeResult photo = LoadPictureFile(a.Option("--photo"));
        if (!photo.Ok()) {
            err << "orvane-menu: " << photo.Error << "\n";
            return 1;
        }
        model.Doc.Menu.BackgroundFile = fs::absolute(a.Option("--photo")).string();
        model.Doc.BackgroundPhoto = std::move(photo.Picture);
        model.PhotoChanged();
    }
    if (!a.Option("--style").empty()) {
        const int position = model.StylePositionByName(a.Option("--style"));
        if (position < 0) {
            err << "orvane-menu: no menu style is named \"" << a.Option("--style") << "\"\n";
            return 1;
        }
        if (ReadMarkers(model.Styles.At(position).Background).Photo && model.Doc.BackgroundPhoto.IsEmpty()) {
            err << "orvane-menu: the style \"" << a.Option("--style") << "\" shows a photo: add --photo FILE\n";
            return 1;
        }
        model.ComboBox1Select(position);
    }
    if (!a.Option("--color").empty()) {
        model.Doc.Props.MenuColor = colour;
        model.ColorSkin(true);
    }
    if (!a.Buttons.empty()) {
        // The new menu's Close Menu button stays last.
        TOVMenu& m = model.Doc.Menu;
        const int count = int(a.Buttons.size()) + 1;
        CopyButton(m, 1, count);
        for (int i = 1; i < count; ++i) {
            TOVButton& b = m.Buttons[size_t(i)];
            b = TOVButton{};
            b.Caption = a.Buttons[size_t(i - 1)];
        }
        m.ButtonCount = count;
    }
    if (!a.Option("--title").empty()) model.Doc.Props.Title = a.Option("--title");
    if (!a.Option("--text").empty()) model.Doc.Props.MenuText = WithLineBreaks(a.Option("--text"));
    model.CreateSkin();

    if (!SaveModel(model, target)) return 1;
    out << target.string() << "\n";
    return 0;
}

int Export(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {}, {});
    if (BadUsage(a, a.Positional.size() != 1, err)) return 2;
    ConsolePlatform platform(err);
    const fs::path path = a.Positional[0];
    RecordFile file(platform);
    if (!OpenInput(path, file, platform)) return 1;
    const MenuFileRead read = ReadMenuFile(file, StoredMenu{});
    if (read.Status != MenuReadStatus::Ok) {
        ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
        if (!read.Detail.empty()) err << "orvane-menu: " << path.string() << ": " << read.Detail << "\n";
        return 1;
    }
    JsonWriter j;
    j.BeginObject();
    WriteMenuFieldsJson(j, read.Menu);
    j.EndObject();
    out << j.Text();
    return 0;
}

int Import(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder"}, {"--force"});
    if (BadUsage(a, a.Positional.size() != 2, err)) return 2;
    const std::vector<uint8_t> data = ReadWholeFile(a.Positional[0]);
    JsonValue json;
    std::string error;
    if (!ParseJson(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), json, error)) {
        err << "orvane-menu: " << a.Positional[0] << ": " << error << "\n";
        return 1;
    }
    const fs::path target = fs::absolute(a.Positional[1]);
    if (!MayWrite(target, a, err)) return 1;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    if (!ImportMenu(model, json, error)) {
        err << "orvane-menu: " << a.Positional[0] << ": " << error << "\n";
        return 1;
    }
    if (!SaveModel(model, target)) return 1;
    out << target.string() << "\n";
    return 0;
}

int Resave(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder"}, {"--force"});
    if (BadUsage(a, a.Positional.size() != 2, err)) return 2;
    const fs::path target = fs::absolute(a.Positional[1]);
    if (!MayWrite(target, a, err)) return 1;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const auto [name, folder] = SplitPath(a.Positional[0]);
    if (!model.BinMenuOpen(name, folder, false)) return 1;
    if (!SaveModel(model, target)) return 1;
    out << target.string() << "\n";
    return 0;
}

int BuildAutorun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--app-folder", "--default"}, {"--force"});
    if (BadUsage(a, a.Positional.size() < 2, err)) return 2;
    const fs::path target = fs::absolute(a.Positional[0]);
    std::vector<std::string> menus;
    for (size_t i = 1; i < a.Positional.size(); ++i) menus.push_back(fs::absolute(a.Positional[i]).string());
    if (!a.Option("--default").empty()) {
        const auto it = std::find_if(menus.begin(), menus.end(), [&](const std::string& m) {
            return fs::path(m).filename().string() == a.Option("--default");
        });
        if (it == menus.end()) {
            err << "orvane-menu: --default names none of the menus: " << a.Option("--default") << "\n";
            return 2;
        }
        std::iter_swap(menus.begin(), it);
    }
    if (!MayWrite(target, a, err)) return 1;

    ConsolePlatform platform(err);
    AutorunBuilder builder(platform, FoldersOf(a).Program);
    builder.PackageFiles = menus;
    builder.Overwrite = true;  // MayWrite has settled it
    builder.WriteMenuExecutable(target.parent_path().string() + "/", target.filename().string());
    if (builder.FileOpFailed) {
        ShowMessageBox(platform, "Error, application compile failed", MsgType::Error);
        return 1;
    }
    builder.WriteAutorunInf(target.parent_path().string(), target.filename().string());
    if (builder.FileOpFailed) return 1;
    out << target.string() << "\n" << (target.parent_path() / "Autorun.inf").string() << "\n";
    return 0;
}

// A packed name that could leave the folder it is written to.
int Unpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {}, {});
    if (BadUsage(a, a.Positional.size() != 2, err)) return 2;
    const std::vector<uint8_t> data = ReadWholeFile(a.Positional[0]);
    const AutorunPackage package = ReadAutorunPackage(data);
    if (!package.Error.empty()) {
        err << "orvane-menu: " << a.Positional[0] << ": " << package.Error << "\n";
        return 1;
    }
    const fs::path folder = a.Positional[1];
    CreateFolders(folder);
    for (const PackagedFile& f : package.Files) {
        WriteFileReplacing(folder / f.Name, PackedBytes(data, f));
        out << (folder / f.Name).string() << "\n";
    }
    return 0;
}

// Prints the checks' findings; false when one blocks.
bool ReportChecks(const DiscFolderCheck& check, std::ostream& err) {
    for (const DiscProblem& p : check.Problems)
        err << "orvane-menu: " << (p.Blocking ? "" : "warning: ") << p.Text << "\n";
    if (check.NeedsBuild())
        err << "orvane-menu: build the autorun application into the disc folder first (orvane-menu build-autorun)\n";
    return !check.Blocked();
}

volatile std::sig_atomic_t stopRequested = 0;
extern "C" void RequestStop(int) { stopRequested = 1; }

int TestAutorun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--screen", "--timeout"}, {});
    int timeout = 0;
    const bool badTimeout = !a.Option("--timeout").empty() && !ParseInt(a.Option("--timeout"), 1, 86400, timeout);
    const std::string screen = a.Option("--screen");
    const bool badScreen = !screen.empty() && screen.find_first_not_of("0123456789x") != std::string::npos;
    if (BadUsage(a, a.Positional.empty() || a.Positional.size() > 2 || badTimeout || badScreen, err)) return 2;
    fs::path exe = a.Positional.size() > 1 ? fs::path(a.Positional[1]) : fs::path();
    std::error_code ec;
    // "Start.exe" names the one in the disc folder unless there is one here.
    if (exe.is_relative() && !exe.empty() && !fs::exists(exe, ec)) exe = fs::path(a.Positional[0]) / exe;
    const DiscFolderCheck check = CheckDiscFolder(a.Positional[0], {}, exe);
    if (!ReportChecks(check, err)) return 1;
    const std::optional<WineTools> wine = FindWine();
    if (!wine) {
        err << ForTerminal(kWineMissing) << "\n";
        return 1;
    }
    WineTestRun run(*wine, WinePrefixFolder(FoldersOf(a).Cache));
    run.Desktop = screen;
    run.Status = [&](const std::string& text) { err << "orvane-menu: " << text << "\n"; };
    stopRequested = 0;
    const auto oldInt = std::signal(SIGINT, RequestStop);
    const auto oldTerm = std::signal(SIGTERM, RequestStop);
    std::string error;
    const bool started = run.Start(check.Folder, check.Executable, [] { return !stopRequested; }, error);
    int code = 0;
    if (!started) {
        err << "orvane-menu: the test run could not start: " << error << "\n";
        code = 1;
    } else {
        out << "running " << run.WindowsExecutable() << " under Wine; close the menu to end the test" << std::endl;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(timeout);
        while (run.Running() && !stopRequested && (!timeout || std::chrono::steady_clock::now() < end))
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (const std::string& name : run.Finish()) err << "orvane-menu: removed " << name << ", left by the test run\n";
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    if (started) out << "the test run has ended" << std::endl;
    return code;
}

int BuildIso(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--label"}, {"--force"});
    if (BadUsage(a, a.Positional.size() != 2, err)) return 2;
    const DiscFolderCheck check = CheckDiscFolder(a.Positional[0]);
    if (!ReportChecks(check, err)) return 1;
    const fs::path target = fs::absolute(a.Positional[1]);
    if (const std::string problem = ImageTargetProblem(check.Folder, target); !problem.empty()) {
        err << "orvane-menu: " << problem << "\n";
        return 1;
    }
    if (!MayWrite(target, a, err)) return 1;
    std::string label = DefaultVolumeLabel(check);
    if (!a.Option("--label").empty()) {
        label = VolumeLabelFrom(a.Option("--label"));
        if (label.empty()) {
            err << "orvane-menu: --label needs letters or digits\n";
            return 2;
        }
        if (label != a.Option("--label")) err << "orvane-menu: the label is " << label << "\n";
    }
    const ImageResult result = WriteDiscImage(check.Folder, target, label);
    if (result.Outcome != ImageOutcome::Written) {
        err << "orvane-menu: " << result.Error << "\n";
        return 1;
    }
    out << target.string() << "\n";
    return 0;
}

std::string StateName(DiscState state) {
    switch (state) {
        case DiscState::NoDisc: return "none";
        case DiscState::Blank: return "blank";
        case DiscState::Appendable: return "appendable";
        case DiscState::Full: return "full";
        case DiscState::Unknown: break;
    }
    return "unknown";
}

int Drives(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {}, {});
    if (BadUsage(a, !a.Positional.empty(), err)) return 2;
    JsonWriter j;
    j.BeginArray();
    for (const BurnDrive& drive : ListBurnDrives()) {
        j.BeginObject().Field("address", drive.Address).Field("name", drive.Name);
        std::string error;
        if (const auto burner = DiscBurner::Open(drive.Address, error)) {
            const MediumInfo& m = burner->Medium();
            j.Field("disc", StateName(m.State)).Field("kind", m.Kind).Field("freeBytes", int64_t(m.FreeBytes));
        } else {
            j.Field("error", error);
        }
        j.EndObject();
    }
    j.EndArray();
    out << j.Text() << "\n";
    return 0;
}

int Burn(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments a = Parse(args, {"--drive"}, {});
    if (BadUsage(a, a.Positional.size() != 1, err)) return 2;
    const fs::path image = a.Positional[0];
    std::error_code ec;
    if (!fs::is_regular_file(image, ec)) {
        err << "orvane-menu: no such image: " << image.string() << "\n";
        return 1;
    }
    std::string address = a.Option("--drive");
    if (address.empty()) {
        const std::vector<BurnDrive> drives = ListBurnDrives();
        if (drives.empty()) {
            err << "orvane-menu: no disc drive was found (a drive needs read and write permission: the \"cdrom\" "
                   "group on Debian)\n";
            return 1;
        }
        if (drives.size() > 1) {
            err << "orvane-menu: several drives were found; choose one with --drive:\n";
            for (const BurnDrive& d : drives) err << "  " << d.Address << "  " << d.Name << "\n";
            return 2;
        }
        address = drives[0].Address;
    }
    std::string error;
    const std::unique_ptr<DiscBurner> burner = DiscBurner::Open(address, error);
    if (!burner) {
        err << "orvane-menu: " << error << "\n";
        return 1;
    }
    const BurnResult result = burner->Burn(image, {});
    if (result.Outcome != BurnOutcome::Verified) {
        err << "orvane-menu: " << result.Error << "\n";
        return 1;
    }
    out << address << ": written and verified\n";
    return 0;
}

}  // namespace

MsgResult ConsolePlatform::ShowMessageBox(const MessageBoxRequest& request) {
    ++MessagesShown;
    err_ << ForTerminal(request.Text) << "\n";
    return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::No : MsgResult::Ok;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "orvane-menu " << VersionText() << "\n";
        return 0;
    }
    try {
        if (args[0] == "info") return Info(args, out, err);
        if (args[0] == "styles") return Styles(args, out, err);
        if (args[0] == "style-image") return StyleImage(args, out, err);
        if (args[0] == "render") return Render(args, out, err);
        if (args[0] == "new") return New(args, out, err);
        if (args[0] == "export") return Export(args, out, err);
        if (args[0] == "import") return Import(args, out, err);
        if (args[0] == "resave") return Resave(args, out, err);
        if (args[0] == "build-autorun") return BuildAutorun(args, out, err);
        if (args[0] == "unpack") return Unpack(args, out, err);
        if (args[0] == "thumbnail") return Thumbnail(args, out, err);
        if (args[0] == "test-autorun") return TestAutorun(args, out, err);
        if (args[0] == "build-iso") return BuildIso(args, out, err);
        if (args[0] == "drives") return Drives(args, out, err);
        if (args[0] == "burn") return Burn(args, out, err);
    } catch (const FileError& e) {
        err << "orvane-menu: " << e.what() << "\n";
        return 1;
    }
    err << "orvane-menu: unknown command \"" << args[0] << "\"\n" << kUsage;
    return 2;
}

}  // namespace orvane
