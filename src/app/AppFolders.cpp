#include "AppFolders.h"

#include "platform/AsciiCase.h"

#include "platform/FileUtil.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace orvane {
namespace fs = std::filesystem;

namespace {

// An absolute folder from the environment, as the XDG rules want it.
std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value == '/' ? std::string(value) : std::string();
}

// The documents folder as the desktop names it; empty when it cannot say.
std::string DocumentsFolder(const std::string& home) {
    std::FILE* pipe = ::popen("xdg-user-dir DOCUMENTS 2>/dev/null", "r");
    if (!pipe) return {};
    char buffer[4096];
    std::string out;
    while (size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int status = ::pclose(pipe);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    std::error_code ec;
    // The tool answers with the home folder when none is set; that is no documents folder.
    if (status != 0 || out.empty() || out[0] != '/' || FolderWithSlash(out) == FolderWithSlash(home) ||
        !fs::is_directory(PathFromUtf8(out), ec))
        return {};
    return out;
}

bool InstalledTree(const std::string& executableFolder) {
    std::error_code ec;
    return fs::is_directory(PathFromUtf8(executableFolder) / ".." / "share" / "orvane-graphic", ec);
}

// Windows compares folder names without regard to case or the kind of slash.
std::string FolderKey(std::string folder) {
    std::replace(folder.begin(), folder.end(), '\\', '/');
    return FolderWithSlash(AsciiLower(folder));
}

bool BelowProgramFiles(const std::string& program, const WindowsFolders& known) {
    const std::string key = FolderKey(program);
    return std::any_of(known.ProgramFiles.begin(), known.ProgramFiles.end(),
                       [&](const std::string& folder) { return key.rfind(FolderKey(folder), 0) == 0; });
}

constexpr const char* kWindowsFolderName = "Orvane Graphic/";

std::string WindowsUndoFolder(const WindowsFolders& known) {
    if (known.LocalAppData.empty()) return {};
    return FolderWithSlash(known.LocalAppData) + kWindowsFolderName + "undo-" + std::to_string(CurrentProcessId()) + "/";
}

AppFolders DecideOnWindows(const std::string& program, const FolderEnvironment& env) {
    const WindowsFolders& known = *env.Windows;
    const std::string settings = program + kSettingsFileName;
    std::error_code ec;
    // Program Files may be writable to an administrator; an installed editor
    // still keeps the user's files in the user's folders.
    const bool portable = !BelowProgramFiles(program, known) && CanReplace(PathFromUtf8(settings)) &&
                          (!fs::exists(PathFromUtf8(settings), ec) || CanWrite(PathFromUtf8(settings)));
    if (portable || known.RoamingAppData.empty() || known.LocalAppData.empty())
        return AppFolders::PortableIn(program, env);

    AppFolders f;
    f.Portable = false;
    f.Program = program;
    f.BuiltinStyles = program + "styles/";
    f.BuiltinButtons = program + "buttons/";
    f.Help = program + "help/";
    const std::string roaming = FolderWithSlash(known.RoamingAppData) + kWindowsFolderName;
    f.SettingsFile = roaming + kSettingsFileName;
    f.UserStyles = roaming + "styles/";
    f.UserButtons = roaming + "buttons/";
    f.Undo = WindowsUndoFolder(known);
    f.Documents = known.Documents.empty() ? roaming : FolderWithSlash(known.Documents);
    f.Cache = FolderWithSlash(known.LocalAppData) + kWindowsFolderName;
    return f;
}

}  // namespace

FolderEnvironment FolderEnvironment::FromProcess() {
    FolderEnvironment env;
    if ((env.Windows = WindowsKnownFolders())) {
        env.Documents = env.Windows->Documents;
        env.CacheHome = env.Windows->LocalAppData;
        return env;
    }
    env.Home = Variable("HOME");
    env.ConfigHome = Variable("XDG_CONFIG_HOME");
    if (env.ConfigHome.empty() && !env.Home.empty()) env.ConfigHome = env.Home + "/.config";
    env.DataHome = Variable("XDG_DATA_HOME");
    if (env.DataHome.empty() && !env.Home.empty()) env.DataHome = env.Home + "/.local/share";
    env.CacheHome = Variable("XDG_CACHE_HOME");
    if (env.CacheHome.empty() && !env.Home.empty()) env.CacheHome = env.Home + "/.cache";
    env.RuntimeDir = Variable("XDG_RUNTIME_DIR");
    env.Documents = DocumentsFolder(env.Home);
    return env;
}

std::string LayoutDescription(const AppFolders& f) {
    const std::string home = Variable("HOME");
    auto shown = [&](std::string folder) {
        if (!home.empty() && folder.rfind(FolderWithSlash(home), 0) == 0) folder = "~/" + folder.substr(FolderWithSlash(home).size());
        return FolderWithSlash(folder);
    };
    if (f.Portable) return "Portable: settings, styles and undo in " + shown(f.Program);
    return "Installed: settings in " + shown(Utf8FromPath(PathFromUtf8(f.SettingsFile).parent_path())) +
           ", styles in " + shown(Utf8FromPath(PathFromUtf8(f.UserStyles).parent_path().parent_path()));
}

std::string PrivateUndoFolder(const FolderEnvironment& env) {
    if (env.Windows) return WindowsUndoFolder(*env.Windows);
    const std::string base = !env.RuntimeDir.empty() ? env.RuntimeDir : env.CacheHome;
    if (base.empty()) return {};
    return FolderWithSlash(base) + "orvane-graphic/undo-" + std::to_string(CurrentProcessId()) + "/";
}

std::string InstanceFolder(const AppFolders& folders, const FolderEnvironment& env) {
    if (env.Windows && !env.Windows->LocalAppData.empty())
        return FolderWithSlash(env.Windows->LocalAppData) + kWindowsFolderName;
    if (!env.RuntimeDir.empty()) return FolderWithSlash(env.RuntimeDir) + "orvane-graphic/";
    return folders.Cache;
}

AppFolders AppFolders::PortableIn(const std::string& folder, const FolderEnvironment& env) {
    AppFolders f;
    f.Portable = true;
    f.Program = FolderWithSlash(folder);
    f.SettingsFile = f.Program + kSettingsFileName;
    f.UserStyles = f.Program + "styles/";
    f.UserButtons = f.Program + "buttons/";
    f.Help = f.Program + "help/";
    f.Undo = f.Program;
    f.Documents = f.Program;
    f.Cache = FolderWithSlash(env.CacheHome.empty() ? f.Program + ".cache" : env.CacheHome);
    return f;
}

AppFolders AppFolders::Decide(const std::string& executableFolder, const FolderEnvironment& env) {
    const std::string program = FolderWithSlash(executableFolder);
    if (env.Windows) return DecideOnWindows(program, env);
    const fs::path settings = PathFromUtf8(program + kSettingsFileName);
    std::error_code ec;
    const bool settingsThere = fs::exists(settings, ec);
    const bool portable = settingsThere ? CanWrite(settings) && CanReplace(settings)
                                        : CanReplace(settings) && !InstalledTree(program);
    // Without a home there is nowhere else to go.
    if (portable || env.Home.empty()) return PortableIn(program, env);

    AppFolders f;
    f.Portable = false;
    f.Program = program;
    const std::string data =
        FolderWithSlash(Utf8FromPath((PathFromUtf8(program) / ".." / "share" / "orvane-graphic").lexically_normal()));
    f.BuiltinStyles = data + "styles/";
    f.BuiltinButtons = data + "buttons/";
    f.Help = data + "help/";
    f.SettingsFile = FolderWithSlash(env.ConfigHome) + "orvane-graphic/" + kSettingsFileName;
    f.UserStyles = FolderWithSlash(env.DataHome) + "orvane-graphic/styles/";
    f.UserButtons = FolderWithSlash(env.DataHome) + "orvane-graphic/buttons/";
    f.Undo = PrivateUndoFolder(env);
    f.Documents = FolderWithSlash(env.Documents.empty() ? env.Home : env.Documents);
    f.Cache = FolderWithSlash(env.CacheHome);
    return f;
}

}  // namespace orvane
