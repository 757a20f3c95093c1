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
#include "platform/PathText.h"
#include "platform/Version.h"
#include "publish/DiscBurner.h"
#include "publish/DiscFolder.h"
#include "publish/DiscImage.h"
#include "publish/TestRun.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <map>
#include <thread>

namespace orvane {
namespace fs = std::filesystem;

namespace {

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

// What CLI11 parsed for one command, by name: its positional arguments in
// order, its options' values and the flags given.
struct Arguments {
    std::vector<std::string> Positional;
    std::map<std::string, std::string> Options;
    std::vector<std::string> Buttons;  // new's --button, in order
    std::vector<std::string> Flags;
    std::string Usage;                 // the command's usage line

    bool Has(const std::string& flag) const {
        return std::find(Flags.begin(), Flags.end(), flag) != Flags.end();
    }
    std::string Option(const std::string& name, const std::string& fallback = {}) const {
        const auto it = Options.find(name);
        return it == Options.end() ? fallback : it->second;
    }
};

// A usage fault the parser cannot see (a value out of its range): how the
// command is used.
bool BadUsage(const Arguments& a, bool wrong, std::ostream& err) {
    if (!wrong) return false;
    err << a.Usage;
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
        err << "orvane-menu: " << Utf8FromPath(path) << ": " << r.Damage << "\n";
        return 1;
    }
    Json json = Json::object();
    json["header"] = {{"kind", file.HeaderKind},
                      {"version", {file.VersionMajor, file.VersionMinor, file.VersionRelease}}};
    json["records"] = StyleRecordsJson(r);
    out << JsonText(json);
    return 0;
}

int ButtonStyleInfo(RecordFile& file, const fs::path& path, Platform& platform, std::ostream& out,
                    std::ostream& err) {
    const ButtonStyleRecords r = ReadButtonStyleRecords(file);
    if (!r.PicturesRead || r.Magic != ButtonStyleFileMagic()) {
        if (r.Magic == ButtonStyleFileMagic()) {
            MessageBoxRequest request;
            request.Text = "Error loading binary button data: " + Utf8FromPath(path.filename());
            request.Type = MsgType::Warning;
            platform.ShowMessageBox(request);
        }
        err << "orvane-menu: " << Utf8FromPath(path) << ": "
            << (r.Damage.empty() ? "a button style file of another version" : r.Damage) << "\n";
        return 1;
    }
    Json json = Json::object();
    json["records"] = ButtonStyleRecordsJson(r);
    out << JsonText(json);
    return 0;
}

int AutorunInfo(const fs::path& path, std::ostream& out, std::ostream& err) {
    const std::vector<uint8_t> data = ReadWholeFile(path);
    const AutorunPackage package = ReadAutorunPackage(data);
    if (!package.Error.empty()) {
        err << "orvane-menu: " << Utf8FromPath(path) << ": " << package.Error << "\n";
        return 1;
    }
    Json json = Json::object();
    JsonTree tree(json);
    WritePackageJson(tree, package);
    out << JsonText(json);
    return 0;
}

int MenuInfo(RecordFile& file, const fs::path& path, Platform& platform, std::ostream& out, std::ostream& err) {
    const MenuFileDescription description = DescribeMenuFile(file);
    const std::string& problem =
        description.Read.Status != MenuReadStatus::Ok ? description.Read.Detail : description.PictureError;
    if (!problem.empty() || description.Read.Status != MenuReadStatus::Ok) {
        ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
        if (!problem.empty()) err << "orvane-menu: " << Utf8FromPath(path) << ": " << problem << "\n";
        return 1;
    }
    out << MenuFileJson(description);
    return 0;
}

int Info(const Arguments& a, std::ostream& out, std::ostream& err) {
    ConsolePlatform platform(err);
    const fs::path path = PathFromUtf8(a.Positional[0]);
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

int Styles(const Arguments& a, std::ostream& out, std::ostream& err) {
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    Json list = Json::array();
    for (int p = 0; p < model.Styles().Count(); ++p) {
        const MenuStyle& s = model.Styles().At(p);
        const StyleMarkers m = ReadMarkers(s.Background);
        list.push_back({{"position", p}, {"name", s.Name}, {"StyleId", s.StyleId}, {"photo", m.Photo},
                        {"presets", m.Presets},
                        {"shadows", {m.TitleShadowDepth, m.TextShadowDepth, m.ButtonShadowDepth}}});
    }
    out << JsonText(list);
    return 0;
}

int StyleImage(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (BadUsage(a, a.Option("-o").empty(), err)) return 2;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const std::string& name = a.Positional[0];
    for (int p = 0; p < model.Styles().Count(); ++p) {
        const MenuStyle& s = model.Styles().At(p);
        if (s.Name != name) continue;
        const bool mask = a.Has("--mask");
        if (mask && !ReadMarkers(s.Background).Photo) {
            err << "orvane-menu: the style \"" << name << "\" has no mask\n";
            return 1;
        }
        WriteFileReplacing(PathFromUtf8(a.Option("-o")), WritePng(mask ? s.Mask : s.Background));
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
    return {Utf8FromPath(absolute.filename()), Utf8FromPath(absolute.parent_path()) + "/"};
}

// The menu as its file stores it, without rendering: the picture, the window
// controls and each button in its normal state, scaled to fit size x size.
int Thumbnail(const Arguments& a, std::ostream& out, std::ostream& err) {
    int size = 0;
    if (BadUsage(a, !ParseInt(a.Positional[2], 1, 4096, size), err)) return 2;
    RecordFile file;
    file.OpenRecordData(ReadWholeFile(PathFromUtf8(a.Positional[0])));
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
    WriteFileReplacing(PathFromUtf8(a.Positional[1]), WritePng(picture));
    out << a.Positional[1] << "\n";
    return 0;
}

int Render(const Arguments& a, std::ostream& out, std::ostream& err) {
    int button = 0, state = 0;
    const bool badButton = !a.Option("--button").empty() && !ParseInt(a.Option("--button"), 1, kMaxButtons, button);
    const bool badState = !a.Option("--state").empty() && !ParseInt(a.Option("--state"), 0, 2, state);
    if (BadUsage(a, a.Option("-o").empty() || badButton || badState, err)) return 2;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const auto [name, folder] = SplitPath(PathFromUtf8(a.Positional[0]));
    if (!model.BinMenuOpen(name, folder, false)) return 1;
    if (button > model.Doc().Menu.ButtonCount) {
        err << "orvane-menu: the menu has " << model.Doc().Menu.ButtonCount << " buttons\n";
        return 2;
    }
    if (button) model.Properties().HoverButton(button);
    WriteFileReplacing(PathFromUtf8(a.Option("-o")), WritePng(model.DesignSurfaceImage(button, state)));
    out << a.Option("-o") << "\n";
    return 0;
}

// Refuses an existing target unless --force; true when writing may go on.
bool MayWrite(const fs::path& target, const Arguments& a, std::ostream& err) {
    std::error_code ec;
    if (fs::exists(target, ec) && !a.Has("--force")) {
        err << "orvane-menu: " << Utf8FromPath(target) << " exists; add --force to replace it\n";
        return false;
    }
    return true;
}

bool SaveModel(EditorModel& model, const fs::path& target) {
    return model.Files().SaveTo(Utf8FromPath(target.parent_path()) + "/", Utf8FromPath(target.filename()));
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

int New(const Arguments& a, std::ostream& out, std::ostream& err) {
    if (BadUsage(a, a.Buttons.size() >= size_t(kMaxButtons), err)) return 2;
    uint32_t colour = 0;
    if (!a.Option("--color").empty() && !ParseColour(a.Option("--color"), colour)) {
        err << "orvane-menu: --color takes R,G,B with each part 0 to 255\n";
        return 2;
    }
    const fs::path target = fs::absolute(PathFromUtf8(a.Positional[0]));
    if (!MayWrite(target, a, err)) return 1;

    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    model.StartNewMenu();
    if (!a.Option("--photo").empty()) {
        DecodeResult photo = LoadPictureFile(PathFromUtf8(a.Option("--photo")));
        if (!photo.Ok()) {
            err << "orvane-menu: " << photo.Error << "\n";
            return 1;
        }
        model.SetPhoto(Utf8FromPath(fs::absolute(PathFromUtf8(a.Option("--photo")))), std::move(photo.Picture));
    }
    if (!a.Option("--style").empty()) {
        const int position = model.StylePositionByName(a.Option("--style"));
        if (position < 0) {
            err << "orvane-menu: no menu style is named \"" << a.Option("--style") << "\"\n";
            return 1;
        }
        if (ReadMarkers(model.Styles().At(position).Background).Photo && model.Doc().BackgroundPhoto.IsEmpty()) {
            err << "orvane-menu: the style \"" << a.Option("--style") << "\" shows a photo: add --photo FILE\n";
            return 1;
        }
        model.ComboBox1Select(position);
    }
    if (!a.Option("--color").empty()) model.SetMenuColor(colour);
    if (!a.Buttons.empty()) model.Buttons().Replace(a.Buttons);
    model.Describe(a.Option("--title"), WithLineBreaks(a.Option("--text")));
    model.CreateSkin();

    if (!SaveModel(model, target)) return 1;
    out << Utf8FromPath(target) << "\n";
    return 0;
}

int Export(const Arguments& a, std::ostream& out, std::ostream& err) {
    ConsolePlatform platform(err);
    const fs::path path = PathFromUtf8(a.Positional[0]);
    RecordFile file(platform);
    if (!OpenInput(path, file, platform)) return 1;
    const MenuFileRead read = ReadMenuFile(file, StoredMenu{});
    if (read.Status != MenuReadStatus::Ok) {
        ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
        if (!read.Detail.empty()) err << "orvane-menu: " << Utf8FromPath(path) << ": " << read.Detail << "\n";
        return 1;
    }
    Json json = Json::object();
    JsonTree tree(json);
    WriteMenuFieldsJson(tree, read.Menu);
    out << JsonText(json);
    return 0;
}

int Import(const Arguments& a, std::ostream& out, std::ostream& err) {
    const std::vector<uint8_t> data = ReadWholeFile(PathFromUtf8(a.Positional[0]));
    Json json;
    std::string error;
    if (!ParseJson(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), json, error)) {
        err << "orvane-menu: " << a.Positional[0] << ": " << error << "\n";
        return 1;
    }
    const fs::path target = fs::absolute(PathFromUtf8(a.Positional[1]));
    if (!MayWrite(target, a, err)) return 1;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    if (!ImportMenu(model, json, error)) {
        err << "orvane-menu: " << a.Positional[0] << ": " << error << "\n";
        return 1;
    }
    if (!SaveModel(model, target)) return 1;
    out << Utf8FromPath(target) << "\n";
    return 0;
}

int Resave(const Arguments& a, std::ostream& out, std::ostream& err) {
    const fs::path target = fs::absolute(PathFromUtf8(a.Positional[1]));
    if (!MayWrite(target, a, err)) return 1;
    ConsolePlatform platform(err);
    EditorModel model(platform, FoldersOf(a));
    model.LoadStyleFolders();
    const auto [name, folder] = SplitPath(PathFromUtf8(a.Positional[0]));
    if (!model.BinMenuOpen(name, folder, false)) return 1;
    if (!SaveModel(model, target)) return 1;
    out << Utf8FromPath(target) << "\n";
    return 0;
}

int BuildAutorun(const Arguments& a, std::ostream& out, std::ostream& err) {
    const fs::path target = fs::absolute(PathFromUtf8(a.Positional[0]));
    std::vector<std::string> menus;
    for (size_t i = 1; i < a.Positional.size(); ++i)
        menus.push_back(Utf8FromPath(fs::absolute(PathFromUtf8(a.Positional[i]))));
    if (!a.Option("--default").empty()) {
        const auto it = std::find_if(menus.begin(), menus.end(), [&](const std::string& m) {
            return Utf8FromPath(PathFromUtf8(m).filename()) == a.Option("--default");
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
    builder.WriteMenuExecutable(Utf8FromPath(target.parent_path()) + "/", Utf8FromPath(target.filename()));
    if (builder.FileOpFailed) {
        ShowMessageBox(platform, "Error, application compile failed", MsgType::Error);
        return 1;
    }
    builder.WriteAutorunInf(Utf8FromPath(target.parent_path()), Utf8FromPath(target.filename()));
    if (builder.FileOpFailed) return 1;
    out << Utf8FromPath(target) << "\n" << Utf8FromPath(target.parent_path() / "Autorun.inf") << "\n";
    return 0;
}

// A packed name that could leave the folder it is written to.
int Unpack(const Arguments& a, std::ostream& out, std::ostream& err) {
    const std::vector<uint8_t> data = ReadWholeFile(PathFromUtf8(a.Positional[0]));
    const AutorunPackage package = ReadAutorunPackage(data);
    if (!package.Error.empty()) {
        err << "orvane-menu: " << a.Positional[0] << ": " << package.Error << "\n";
        return 1;
    }
    const fs::path folder = PathFromUtf8(a.Positional[1]);
    CreateFolders(folder);
    for (const PackagedFile& f : package.Files) {
        WriteFileReplacing(folder / PathFromUtf8(f.Name), PackedBytes(data, f));
        out << Utf8FromPath(folder / PathFromUtf8(f.Name)) << "\n";
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

int TestAutorun(const Arguments& a, std::ostream& out, std::ostream& err) {
    int timeout = 0;
    const bool badTimeout = !a.Option("--timeout").empty() && !ParseInt(a.Option("--timeout"), 1, 86400, timeout);
    const std::string screen = a.Option("--screen");
    const bool badScreen = !screen.empty() && screen.find_first_not_of("0123456789x") != std::string::npos;
    if (BadUsage(a, badTimeout || badScreen, err)) return 2;
    fs::path exe = a.Positional.size() > 1 ? PathFromUtf8(a.Positional[1]) : fs::path();
    std::error_code ec;
    // "Start.exe" names the one in the disc folder unless there is one here.
    if (exe.is_relative() && !exe.empty() && !fs::exists(exe, ec)) exe = PathFromUtf8(a.Positional[0]) / exe;
    const DiscFolderCheck check = CheckDiscFolder(PathFromUtf8(a.Positional[0]), {}, exe);
    if (!ReportChecks(check, err)) return 1;
    const std::unique_ptr<TestRun> test = MakeTestRun(PathFromUtf8(FoldersOf(a).Cache));
    if (!test) {
        err << ForTerminal(TestRunUnavailable()) << "\n";
        return 1;
    }
    TestRun& run = *test;
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
        out << "running " << run.Launched() << "; close the menu to end the test" << std::endl;
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

int BuildIso(const Arguments& a, std::ostream& out, std::ostream& err) {
    const DiscFolderCheck check = CheckDiscFolder(PathFromUtf8(a.Positional[0]));
    if (!ReportChecks(check, err)) return 1;
    const fs::path target = fs::absolute(PathFromUtf8(a.Positional[1]));
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
    out << Utf8FromPath(target) << "\n";
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

int Drives(const Arguments&, std::ostream& out, std::ostream&) {
    Json list = Json::array();
    for (const BurnDrive& drive : ListBurnDrives()) {
        Json entry = {{"address", drive.Address}, {"name", drive.Name}};
        std::string error;
        if (const auto burner = DiscBurner::Open(drive.Address, error)) {
            const MediumInfo& m = burner->Medium();
            entry["disc"] = StateName(m.State);
            entry["kind"] = m.Kind;
            entry["freeBytes"] = m.FreeBytes;
        } else {
            entry["error"] = error;
        }
        list.push_back(std::move(entry));
    }
    out << JsonText(list);
    return 0;
}

int Burn(const Arguments& a, std::ostream& out, std::ostream& err) {
    const fs::path image = PathFromUtf8(a.Positional[0]);
    std::error_code ec;
    if (!fs::is_regular_file(image, ec)) {
        err << "orvane-menu: no such image: " << Utf8FromPath(image) << "\n";
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

// The commands ----------------------------------------------------------------------

using Runner = int (*)(const Arguments&, std::ostream&, std::ostream&);

struct PositionalSpec {
    const char* Name;
    const char* Help;
    bool Optional = false;
    bool Many = false;  // takes the rest
};

struct OptionSpec {
    const char* Name;
    const char* Value;  // null for a flag
    const char* Help;
    bool Required = false;
    bool Repeated = false;
};

struct CommandSpec {
    const char* Name;
    const char* Summary;
    std::vector<PositionalSpec> Positionals;
    std::vector<OptionSpec> Options;
    Runner Run;
};

const OptionSpec kForce{"--force", nullptr, "replace a file that is there"};

const std::vector<CommandSpec>& Commands() {
    static const std::vector<CommandSpec> commands = {
        {"info", "describe a menu file, undo snapshot, menu style file, button style file or autorun application "
                 "as stored, as JSON",
         {{"FILE", "the file"}}, {}, Info},
        {"styles", "list the menu styles, built-in ones first, as JSON", {}, {}, Styles},
        {"style-image", "write a style's picture (or its mask) as PNG",
         {{"NAME", "the style's name as the Menu Style list shows it"}},
         {{"-o", "FILE.png", "the picture to write", true}, {"--mask", nullptr, "the photo style's mask instead"}},
         StyleImage},
        {"render", "render a menu as the editor shows it",
         {{"FILE.mng", "the menu"}},
         {{"-o", "OUT.png", "the picture to write", true},
          {"--button", "N", "draw button N (1 to 30) in the state --state gives"},
          {"--state", "S", "0 normal, 1 highlighted, 2 pressed"}},
         Render},
        {"new", "make a new menu with these changes and save it",
         {{"OUT.mng", "the menu to write"}},
         {{"--style", "NAME", "the menu style"},
          {"--color", "R,G,B", "the menu colour, each part 0 to 255"},
          {"--title", "TEXT", "the title"},
          {"--text", "TEXT", "the menu text"},
          {"--photo", "FILE", "the background photo (BMP, JPEG or PNG) of a photo style"},
          {"--button", "CAPTION", "a button before the Close Menu button; once for each", false, true},
          kForce},
         New},
        {"export", "print a menu's properties and buttons as JSON", {{"FILE.mng", "the menu"}}, {}, Export},
        {"import", "make a menu from such JSON, render it and save it",
         {{"MENU.json", "the JSON"}, {"OUT.mng", "the menu to write"}}, {kForce}, Import},
        {"resave", "open, render and save a menu (fresh pictures)",
         {{"IN.mng", "the menu"}, {"OUT.mng", "the menu to write"}}, {kForce}, Resave},
        {"build-autorun", "write an autorun application holding the menus (the first is the default) and "
                          "Autorun.inf beside it",
         {{"OUT.exe", "the autorun application"}, {"MENU.mng", "the menus", false, true}},
         {{"--default", "NAME.mng", "the menu shown first"}, kForce},
         BuildAutorun},
        {"unpack", "write the menus packed in an autorun application to DIR",
         {{"AUTORUN.exe", "the autorun application"}, {"DIR", "the folder to write them to"}}, {}, Unpack},
        {"thumbnail", "draw the menu's stored pictures, at most SIZE pixels a side",
         {{"FILE.mng", "the menu"}, {"OUT.png", "the picture to write"}, {"SIZE", "1 to 4096"}}, {}, Thumbnail},
        {"test-autorun", "run the disc folder's autorun application under Wine, the folder seen as a CD drive, until "
                         "it and what it opened close",
         {{"DISC_FOLDER", "the disc folder"}, {"AUTORUN.exe", "the autorun application, if not Autorun.inf's", true}},
         {{"--screen", "WxH", "in a window that size, as on such a screen"},
          {"--timeout", "SECONDS", "end the test after this long"}},
         TestAutorun},
        {"build-iso", "write an ISO 9660 image of the disc folder with Joliet and Rock Ridge names",
         {{"DISC_FOLDER", "the disc folder"}, {"OUT.iso", "the image to write"}},
         {{"--label", "NAME", "the volume label (default: the default menu's title)"}, kForce},
         BuildIso},
        {"drives", "list the disc drives and what is in them, as JSON", {}, {}, Drives},
        {"burn", "burn an image to a blank disc and compare it with the image",
         {{"IMAGE.iso", "the image"}},
         {{"--drive", "ADDRESS", "the drive as drives lists it; stdio:FILE writes a file"}},
         Burn},
    };
    return commands;
}

const OptionSpec kAppFolder{"--app-folder", "DIR",
                            "keep everything in this folder, styles/ and buttons/ among it (default: where the editor "
                            "keeps its files)"};

// "render FILE.mng -o OUT.png [--button N] ..."
std::string Synopsis(const CommandSpec& c) {
    std::string s = c.Name;
    for (const PositionalSpec& p : c.Positionals)
        s += std::string(" ") + (p.Optional ? "[" : "") + p.Name + (p.Many ? "..." : "") + (p.Optional ? "]" : "");
    std::vector<OptionSpec> options = c.Options;
    options.push_back(kAppFolder);
    for (const OptionSpec& o : options) {
        std::string text = std::string(o.Name) + (o.Value ? std::string(" ") + o.Value : "");
        s += " " + (o.Required ? text : "[" + text + "]") + (o.Repeated ? "..." : "");
    }
    return s;
}

std::string Overview() {
    std::string s = "usage: orvane-menu COMMAND ...\n\ncommands:\n";
    for (const CommandSpec& c : Commands()) s += "  " + Synopsis(c) + "\n      " + c.Summary + "\n";
    s += "\n" + std::string(kAppFolder.Name) + " " + kAppFolder.Value + ": " + kAppFolder.Help +
         ".\nCOMMAND --help tells more of a command; --version shows the version.\n";
    return s;
}

// CLI11's help with the command's usage in the tool's own form.
class UsageFormatter : public CLI::Formatter {
public:
    explicit UsageFormatter(const CommandSpec& command) : command_(command) {}
    std::string make_usage(const CLI::App*, std::string) const override {
        return "usage: orvane-menu " + Synopsis(command_) + "\n";
    }
    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override {
        return make_usage(app, name) + "\n" + command_.Summary + ".\n" + make_positionals(app) + make_groups(app, mode);
    }

private:
    const CommandSpec& command_;
};

// One command's parser, writing into the given slots.
struct Parsed {
    std::string Single[3];
    std::vector<std::string> Many[3];
    std::map<std::string, std::string> Options;
    std::map<std::string, std::vector<std::string>> Repeated;
    std::map<std::string, bool> Flags;
};

void AddOption(CLI::App& app, const OptionSpec& o, Parsed& into) {
    CLI::Option* option = nullptr;
    if (!o.Value)
        option = app.add_flag(o.Name, into.Flags[o.Name], o.Help);
    else if (o.Repeated)
        option = app.add_option(o.Name, into.Repeated[o.Name], o.Help)->type_name(o.Value);
    else
        option = app.add_option(o.Name, into.Options[o.Name], o.Help)->type_name(o.Value);
    if (o.Required) option->required();
}

Arguments Collect(const CommandSpec& c, const CLI::App& app, const Parsed& parsed) {
    Arguments a;
    for (size_t i = 0; i < c.Positionals.size(); ++i) {
        const PositionalSpec& p = c.Positionals[i];
        if (p.Many)
            a.Positional.insert(a.Positional.end(), parsed.Many[i].begin(), parsed.Many[i].end());
        else if (app.count(p.Name) > 0)
            a.Positional.push_back(parsed.Single[i]);
    }
    std::vector<OptionSpec> options = c.Options;
    options.push_back(kAppFolder);
    for (const OptionSpec& o : options) {
        if (app.count(o.Name) == 0) continue;
        if (!o.Value)
            a.Flags.push_back(o.Name);
        else if (o.Repeated)
            a.Buttons = parsed.Repeated.at(o.Name);
        else
            a.Options[o.Name] = parsed.Options.at(o.Name);
    }
    a.Usage = "usage: orvane-menu " + Synopsis(c) + "\n";
    return a;
}

}  // namespace

MsgResult ConsolePlatform::ShowMessageBox(const MessageBoxRequest& request) {
    ++MessagesShown;
    err_ << ForTerminal(request.Text) << "\n";
    return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::No : MsgResult::Ok;
}


int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::vector<CommandSpec>& commands = Commands();
    auto known = [&](const std::string& name) {
        return std::any_of(commands.begin(), commands.end(), [&](const CommandSpec& c) { return name == c.Name; });
    };
    if (args.empty()) {
        err << Overview();
        return 2;
    }
    if (args[0] == "help" && args.size() == 1) {
        out << Overview();
        return 0;
    }
    if (!args[0].empty() && args[0][0] != '-' && !known(args[0]) && args[0] != "help") {
        err << "orvane-menu: unknown command \"" << args[0] << "\"\n" << Overview();
        return 2;
    }

    CLI::App app("", "orvane-menu");
    app.set_help_flag("-h,--help", "show the commands");
    bool version = false;
    std::string globalFolder;
    app.add_flag("--version", version, "show the version");
    app.add_option(kAppFolder.Name, globalFolder, kAppFolder.Help)->type_name(kAppFolder.Value);
    app.require_subcommand(0, 1);
    std::vector<Parsed> parsed(commands.size());
    std::vector<CLI::App*> subs;
    for (size_t i = 0; i < commands.size(); ++i) {
        const CommandSpec& c = commands[i];
        CLI::App* sub = app.add_subcommand(c.Name, c.Summary);
        sub->set_help_flag("-h,--help", "show this help");
        sub->formatter(std::make_shared<UsageFormatter>(c));
        for (size_t p = 0; p < c.Positionals.size(); ++p) {
            const PositionalSpec& positional = c.Positionals[p];
            CLI::Option* option = positional.Many ? sub->add_option(positional.Name, parsed[i].Many[p], positional.Help)
                                            : sub->add_option(positional.Name, parsed[i].Single[p], positional.Help);
            option->type_name("");
            if (!positional.Optional) option->required();
        }
        for (const OptionSpec& o : c.Options) AddOption(*sub, o, parsed[i]);
        AddOption(*sub, kAppFolder, parsed[i]);
        subs.push_back(sub);
    }
    // "help COMMAND" is "COMMAND --help".
    std::vector<std::string> words = args;
    if (words[0] == "help") {
        words.erase(words.begin());
        words.push_back("--help");
    }
    auto chosen = [&]() -> int {
        for (size_t i = 0; i < subs.size(); ++i)
            if (subs[i]->parsed()) return int(i);
        return -1;
    };
    try {
        app.parse(std::vector<std::string>(words.rbegin(), words.rend()));
    } catch (const CLI::CallForHelp&) {
        if (chosen() < 0)
            out << Overview();
        else
            out << app.help();
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "orvane-menu: " << e.what() << "\n";
        const int i = chosen();
        err << (i < 0 ? Overview() : "usage: orvane-menu " + Synopsis(commands[size_t(i)]) + "\n");
        return 2;
    }
    if (version) {
        out << "orvane-menu " << VersionText() << "\n";
        return 0;
    }
    const int i = chosen();
    if (i < 0) {
        err << Overview();
        return 2;
    }
    const CommandSpec& command = commands[size_t(i)];
    if (const std::string_view name = command.Name; name == "build-iso" || name == "drives" || name == "burn") {
        if (const std::string why = DiscPublishingUnavailable(); !why.empty()) {
            err << "orvane-menu: " << why << "\n";
            return 1;
        }
    }
    Arguments a = Collect(command, *subs[size_t(i)], parsed[size_t(i)]);
    if (!a.Options.count(kAppFolder.Name) && app.count(kAppFolder.Name)) a.Options[kAppFolder.Name] = globalFolder;
    try {
        return command.Run(a, out, err);
    } catch (const FileError& e) {
        err << "orvane-menu: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace orvane
