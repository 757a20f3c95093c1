#pragma once

#include "platform/KnownFolders.h"

#include <optional>
#include <string>

namespace orvane {

// What the choice of folders reads from the user's session.
struct FolderEnvironment {
    std::string Home;        // $HOME
    std::string ConfigHome;  // $XDG_CONFIG_HOME, else ~/.config
    std::string DataHome;    // $XDG_DATA_HOME, else ~/.local/share
    std::string CacheHome;   // $XDG_CACHE_HOME, else ~/.cache
    std::string RuntimeDir;  // $XDG_RUNTIME_DIR, may be empty
    std::string Documents;   // the documents folder (xdg-user-dir DOCUMENTS), else empty
    // On Windows the known folders, which decide the layout there.
    std::optional<WindowsFolders> Windows;

    static FolderEnvironment FromProcess();
};

// Where the editor keeps everything: the one place that decides it. Every
// folder ends in "/".
//
// Portable (a build folder, or any folder the user can write): all of it
// beside the executable, as the program was always laid out. Installed (the
// program's folder takes no settings file): settings in the user's config
// folder, the user's styles and button styles in the data folder (read with
// the installed built-in ones), undo snapshots in the runtime folder, the
// first menu folder in the documents folder.
//
// On Windows the same two layouts: portable when the program's folder takes a
// new file and is not below Program Files; installed, the settings and the
// user's styles and button styles in "%APPDATA%\Orvane Graphic\", undo
// snapshots in "%LOCALAPPDATA%\Orvane Graphic\", the built-in styles and
// help beside the program, the first menu folder in Documents.
struct AppFolders {
    bool Portable = true;
    std::string Program;           // the executable's folder: the editor's own file is found here
    std::string SettingsFile;      // the full path of orvane-graphic.ini
    std::string UserStyles;        // style files: installing a style copies it here
    std::string UserButtons;       // button style files: the designer saves here
    std::string BuiltinStyles;     // installed style files, read before the user's; empty if none
    std::string BuiltinButtons;
    std::string Help;              // the help pages
    std::string Undo;              // the snapshots' folder (portable: shared, with a lock)
    std::string Documents;         // the first menu folder
    std::string Cache;             // the editor's cache: its own Wine prefix, disc images to burn

    // The layout for an executable in executableFolder. Portable exactly when
    // that folder holds a writable settings file, or can take one and is not
    // an installed tree (a folder beside ../share/orvane-graphic/, which
    // never gets files of the user's unless a settings file is already there).
    static AppFolders Decide(const std::string& executableFolder, const FolderEnvironment& env);
    // Everything in one folder (a build folder, the tools' --app-folder, tests).
    static AppFolders PortableIn(const std::string& folder, const FolderEnvironment& env);
    static AppFolders PortableIn(const std::string& folder) {
        return PortableIn(folder, FolderEnvironment::FromProcess());
    }
};

inline constexpr const char* kSettingsFileName = "orvane-graphic.ini";

// One line for the about box: which layout, and where the user's files are.
std::string LayoutDescription(const AppFolders& folders);

// A folder for this editor's own undo snapshots outside the application
// folder: under the runtime folder, else the cache folder, as
// "orvane-graphic/undo-<pid>/" (on Windows "Orvane Graphic/undo-<pid>/" in
// the local application data). Empty when there is none. Not created here.
std::string PrivateUndoFolder(const FolderEnvironment& env);
inline std::string PrivateUndoFolder() { return PrivateUndoFolder(FolderEnvironment::FromProcess()); }

// Where a running editor leaves the lock (and on Linux the socket) by which a
// second start finds it: this session's runtime folder, else the cache
// folder; on Windows the local application data.
std::string InstanceFolder(const AppFolders& folders, const FolderEnvironment& env);

}  // namespace orvane
