#include "DiscFolder.h"

#include "platform/AsciiCase.h"

#include "distribution/CommandLanguage.h"
#include "document/MenuRecords.h"
#include "platform/Cp1252.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "publish/DiscBurner.h"
#include "publish/DiscImage.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>

namespace orvane {
namespace fs = std::filesystem;

namespace {

std::string Trim(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return {};
    const size_t end = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(start, end - start + 1));
}

// A caption as the user reads it: without its access-key ampersands.
std::string Readable(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
        if (caption[i] == '&') ++i;
        out += caption[i];
    }
    return out;
}

bool Inside(const fs::path& folder, const fs::path& path) {
    const fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The player's idea of where it runs: the disc folder as drive D:.
std::string WindowsPath(const fs::path& relative) {
    std::string out = "D:\\";
    bool first = true;
    for (const fs::path& part : relative) {
        if (!first) out += '\\';
        out += Utf8FromPath(part);
        first = false;
    }
    return out;
}

void Add(DiscFolderCheck& check, Finding what, bool blocking, std::string text) {
    check.Problems.push_back({what, blocking, std::move(text)});
}

// The packed menus' saved copies: each compared with what was packed.
void CheckPackedMenus(DiscFolderCheck& check, const std::vector<uint8_t>& exe,
                      const std::vector<fs::path>& menuFolders) {
    std::error_code ec;
    const auto built = fs::last_write_time(check.Executable, ec);
    const std::string exeName = Utf8FromPath(check.Executable.filename());
    for (const PackagedFile& packed : check.Package.Files) {
        for (const fs::path& place : menuFolders) {
            const fs::path saved = FindIgnoringCase(place, packed.Name);
            if (saved.empty()) continue;
            const auto savedTime = fs::last_write_time(saved, ec);
            if (ec) break;
            const std::span<const uint8_t> inside = PackedBytes(exe, packed);
            std::vector<uint8_t> contents;
            try {
                contents = ReadWholeFile(saved);
            } catch (const std::exception&) {
                break;
            }
            // An identical copy is current whatever its date (copying can touch it).
            // A different one of the same time counts as saved after: file
            // times on Windows come to the second, and building again is safe.
            const bool same = std::equal(inside.begin(), inside.end(), contents.begin(), contents.end());
            if (!same && savedTime >= built)
                Add(check, Finding::StaleMenu, true,
                    "The menu " + packed.Name + " was saved after " + exeName +
                        " was built, so the disc would still show the old menu.");
            break;
        }
    }
}

// What each button of each packed menu opens, decided as the player decides it.
void CheckButtons(DiscFolderCheck& check, const std::vector<uint8_t>& exe) {
    Whereabouts here;
    here.Executable = WindowsPath(check.Executable.lexically_relative(check.Folder));
    here.Exists = [&](const std::string& path) {
        if (path.size() < 3 || AsciiLower(path.substr(0, 3)) != "d:\\") return false;
        return !FindIgnoringCase(check.Folder, path.substr(3)).empty();
    };
    std::set<std::string> reported;
    for (const PackagedFile& packed : check.Package.Files) {
        RecordFile file;
        file.OpenRecordView(PackedBytes(exe, packed));
        MenuFileRead read;
        try {
            read = ReadMenuFile(file, StoredMenu{});
        } catch (const std::exception&) {
            read.Status = MenuReadStatus::Refused;
        }
        if (read.Status != MenuReadStatus::Ok) {
            Add(check, Finding::NoPackage, true,
                "The menu " + packed.Name + " inside " + Utf8FromPath(check.Executable.filename()) + " is damaged.");
            continue;
        }
        if (&packed == &check.Package.Files.front()) check.Title = read.Menu.Props.Title;
        for (const StoredButton& button : read.Menu.Buttons) {
            const CommandPlan plan = PlanCommand(button, here, check.Package);
            const std::string where = "The button \"" + Readable(button.Caption) + "\" of the menu " + packed.Name;
            if (plan.What == CommandAction::MissingMenu && reported.insert(AsciiLower(plan.Target)).second) {
                Add(check, Finding::MissingMenu, true,
                    where + " opens the menu " + plan.Target + ", which is neither packed in " +
                        Utf8FromPath(check.Executable.filename()) + " nor in the disc folder.");
            } else if (plan.What == CommandAction::Search && reported.insert(AsciiLower(plan.Target)).second) {
                Add(check, Finding::MissingTarget, false,
                    where + " opens " + plan.Target +
                        ", which is not in the disc folder; the menu will look for it on the computer's other "
                        "drives.");
            }
        }
    }
}

void CountFiles(DiscFolderCheck& check) {
    uint64_t sectors = 0, folders = 1;
    std::error_code ec;
    const auto options = fs::directory_options::follow_directory_symlink | fs::directory_options::skip_permission_denied;
    for (fs::recursive_directory_iterator it(check.Folder, options, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::file_status status = it->status(ec);
        if (ec) {
            ec.clear();
            continue;
        }
        const fs::path relative = it->path().lexically_relative(check.Folder);
        if (fs::is_directory(status)) {
            ++folders;
            if (!CanRead(it->path()))
                Add(check, Finding::Unreadable, true, Utf8FromPath(relative) + " cannot be read (no permission).");
        } else if (fs::is_regular_file(status)) {
            uint64_t size = it->file_size(ec);
            if (ec) {
                size = 0;
                ec.clear();
            }
            ++check.FileCount;
            check.ContentBytes += size;
            sectors += (size + kSectorSize - 1) / kSectorSize;
            if (!CanRead(it->path()))
                Add(check, Finding::Unreadable, true, Utf8FromPath(relative) + " cannot be read (no permission).");
        } else if (fs::exists(status)) {
            Add(check, Finding::Skipped, false, Utf8FromPath(relative) + " is not a file or folder and is left out.");
        }
    }
    // Each folder takes at least a sector in each of the three trees; the
    // descriptors, path tables and system area take about 40 more.
    check.ImageEstimate = (sectors + folders * 3 + 40) * kSectorSize;
}

void CheckSize(DiscFolderCheck& check) {
    const DiscKind* larger = nullptr;
    for (const DiscKind& kind : kDiscKinds)
        if (check.ImageEstimate > kind.Bytes) larger = &kind;
    if (!larger) return;
    std::string text = "The disc folder holds " + SizeText(check.ImageEstimate) + ", more than a " +
                       std::string(larger->Name) + " holds (" + std::string(larger->Nominal) + ").";
    const DiscKind* next = larger + 1;
    if (next != std::end(kDiscKinds)) text += " It needs a " + std::string(next->Name) + ".";
    Add(check, Finding::TooLarge, false, text);
}

}  // namespace

bool DiscFolderCheck::Blocked() const {
    return std::any_of(Problems.begin(), Problems.end(), [](const DiscProblem& p) { return p.Blocking; });
}

bool DiscFolderCheck::NeedsBuild() const {
    for (const DiscProblem& p : Problems) {
        switch (p.What) {
            case Finding::NoAutorunInf:
            case Finding::NoOpenLine:
            case Finding::NotAtRoot:
            case Finding::NoExecutable:
            case Finding::NoPackage:
            case Finding::StaleMenu:
            case Finding::MissingMenu: return true;
            default: break;
        }
    }
    return false;
}

std::vector<std::string> DiscFolderCheck::Errors() const {
    std::vector<std::string> out;
    for (const DiscProblem& p : Problems)
        if (p.Blocking) out.push_back(p.Text);
    return out;
}

std::vector<std::string> DiscFolderCheck::Warnings() const {
    std::vector<std::string> out;
    for (const DiscProblem& p : Problems)
        if (!p.Blocking) out.push_back(p.Text);
    return out;
}

std::string AutorunInfProgram(std::string_view infText) {
    bool inSection = false;
    size_t start = 0;
    while (start < infText.size()) {
        size_t end = infText.find('\n', start);
        if (end == std::string_view::npos) end = infText.size();
        std::string line = Trim(infText.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            inSection = AsciiLower(line) == "[autorun]";
            continue;
        }
        const size_t equals = line.find('=');
        if (!inSection || equals == std::string::npos || AsciiLower(Trim(line.substr(0, equals))) != "open") continue;
        std::string value = Trim(line.substr(equals + 1));
        if (!value.empty() && value[0] == '"') {
            const size_t close = value.find('"', 1);
            value = value.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        } else {
            value = value.substr(0, value.find(' '));
        }
        return Cp1252ToUtf8(value);
    }
    return {};
}

fs::path FindIgnoringCase(const fs::path& folder, std::string_view relative) {
    fs::path at = folder;
    std::string rest(relative);
    std::replace(rest.begin(), rest.end(), '\\', '/');
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t slash = rest.find('/', start);
        const std::string part = rest.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? rest.size() + 1 : slash + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") return {};
        std::error_code ec;
        fs::path found;
        if (fs::exists(at / PathFromUtf8(part), ec)) {
            found = at / PathFromUtf8(part);
        } else {
            for (fs::directory_iterator it(at, ec), end; !ec && it != end; it.increment(ec)) {
                if (SameWindowsName(Utf8FromPath(it->path().filename()), part)) {
                    found = it->path();
                    break;
                }
            }
        }
        if (found.empty()) return {};
        at = found;
    }
    return at;
}

DiscFolderCheck CheckDiscFolder(const fs::path& folder, const std::vector<fs::path>& menuFolders,
                                const fs::path& executable) {
    DiscFolderCheck check;
    std::error_code ec;
    check.Folder = fs::absolute(folder, ec).lexically_normal();
    if (!check.Folder.empty() && !check.Folder.has_filename()) check.Folder = check.Folder.parent_path();
    if (!fs::is_directory(check.Folder, ec)) {
        Add(check, Finding::NoFolder, true, "The disc folder " + Utf8FromPath(check.Folder) + " does not exist.");
        return check;
    }
    CountFiles(check);
    CheckSize(check);

    const fs::path inf = FindIgnoringCase(check.Folder, "Autorun.inf");
    std::string program;
    if (!inf.empty()) {
        try {
            const std::vector<uint8_t> text = ReadWholeFile(inf);
            program = AutorunInfProgram(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
        } catch (const std::exception&) {
        }
    }
    if (!executable.empty()) {
        check.Executable = fs::absolute(executable, ec).lexically_normal();
        if (!Inside(check.Folder, check.Executable)) {
            Add(check, Finding::OutsideFolder, true,
                Utf8FromPath(check.Executable) + " is not inside the disc folder " + Utf8FromPath(check.Folder) + ".");
            return check;
        }
        if (inf.empty())
            Add(check, Finding::NoAutorunInf, false,
                "The disc folder has no Autorun.inf, so Windows will not offer to start the menu by itself.");
    } else if (inf.empty()) {
        Add(check, Finding::NoAutorunInf, true, "The disc folder has no Autorun.inf at its top level.");
        return check;
    } else if (program.empty()) {
        Add(check, Finding::NoOpenLine, true, "Autorun.inf does not name a program to start (an open= line).");
        return check;
    } else if (program.find_first_of("\\/:") != std::string::npos) {
        Add(check, Finding::NotAtRoot, true,
            "Autorun.inf starts " + program + "; the autorun application must be at the top level of the disc.");
        return check;
    } else {
        check.Executable = FindIgnoringCase(check.Folder, program);
        if (check.Executable.empty() || !fs::is_regular_file(check.Executable, ec)) {
            Add(check, Finding::NoExecutable, true,
                "Autorun.inf starts " + program + ", which is not in the disc folder.");
            check.Executable = check.Folder / PathFromUtf8(program);
            return check;
        }
    }
    if (!fs::is_regular_file(check.Executable, ec)) {
        Add(check, Finding::NoExecutable, true,
            Utf8FromPath(check.Executable.filename()) + " is not in the disc folder.");
        return check;
    }

    std::vector<uint8_t> exe;
    try {
        exe = ReadWholeFile(check.Executable);
    } catch (const std::exception& e) {
        Add(check, Finding::Unreadable, true, e.what());
        return check;
    }
    check.Package = ReadAutorunPackage(exe);
    if (!check.Package.Ok()) {
        Add(check, Finding::NoPackage, true,
            Utf8FromPath(check.Executable.filename()) +
                " holds no menus: it was not built by this editor, or it is damaged.");
        return check;
    }
    std::vector<fs::path> places{check.Folder};
    places.insert(places.end(), menuFolders.begin(), menuFolders.end());
    CheckPackedMenus(check, exe, places);
    CheckButtons(check, exe);
    return check;
}

std::string VolumeLabelFrom(std::string_view text) {
    // Latin-1 letters 0xC0 to 0xFF without their accents; '*' has no plain form.
    static const char kPlain[] = "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO*OUUUUYTY";
    const std::string cp = Utf8ToCp1252(text);
    std::string label;
    bool gap = false;
    for (unsigned char c : cp) {
        char plain = 0;
        if (std::isalnum(c)) {
            plain = char(std::toupper(c));
        } else if (c >= 0xC0 && kPlain[c - 0xC0] != '*') {
            plain = kPlain[c - 0xC0];
        } else if (c == 0x8A || c == 0x9A) {
            plain = 'S';
        } else if (c == 0x8E || c == 0x9E) {
            plain = 'Z';
        } else if (c == 0x9F) {
            plain = 'Y';
        }
        if (!plain) {
            gap = !label.empty();
            continue;
        }
        if (gap) label += '_';
        gap = false;
        label += plain;
    }
    if (label.size() > 32) label.resize(32);
    while (!label.empty() && label.back() == '_') label.pop_back();
    return label;
}

std::string DefaultVolumeLabel(const DiscFolderCheck& check) {
    std::string label = VolumeLabelFrom(check.Title);
    if (label.empty()) label = VolumeLabelFrom(Utf8FromPath(check.Folder.filename()));
    return label.empty() ? "AUTORUN_DISC" : label;
}

std::string SizeText(uint64_t bytes) {
    char text[32];
    const double mb = double(bytes) / (1024.0 * 1024.0);
    if (mb < 10)
        std::snprintf(text, sizeof text, "%.1f MB", mb);
    else if (bytes < 1000000000ull)
        std::snprintf(text, sizeof text, "%.0f MB", mb);
    else
        std::snprintf(text, sizeof text, "%.1f GB", double(bytes) / 1e9);
    return text;
}

// Shared by the image writer and the burner, whichever this system builds.

std::string ImageTargetProblem(const fs::path& folder, const fs::path& target) {
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(fs::absolute(folder, ec), ec);
    const fs::path place = fs::weakly_canonical(fs::absolute(target, ec), ec);
    const fs::path relative = place.lexically_relative(base);
    if (!relative.empty() && *relative.begin() != "..")
        return "The image cannot be saved inside the disc folder it is made of. Choose another folder.";
    if (fs::is_directory(place, ec)) return PathForDisplay(place) + " is a folder. Choose a file name for the image.";
    return {};
}

std::string DescribeMedium(const MediumInfo& medium) {
    switch (medium.State) {
        case DiscState::NoDisc: return "no disc";
        case DiscState::Blank: return "blank " + medium.Kind + ", " + SizeText(medium.FreeBytes) + " free";
        case DiscState::Appendable: return medium.Kind + " with data on it";
        case DiscState::Full: return "full " + medium.Kind;
        case DiscState::Unknown: break;
    }
    return "disc not recognised";
}

}  // namespace orvane
