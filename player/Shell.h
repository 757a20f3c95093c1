#pragma once

#include "player/Launch.h"
#include "player/SelfTest.h"
#include "player/Win32Text.h"

#include <optional>
#include <string>

namespace orvane::player {

// Opens an address, a document, a program or a folder with the shell's
// "open" verb; a document no program opens goes to Windows' own "open with"
// chooser. On failure returns the system's error text for the cause (none
// when the user cancelled the chooser).
std::optional<std::wstring> OpenWithShell(HWND owner, const CommandPlan& plan);

// Whether a file or folder exists, without the system's "no disc in the
// drive" box.
bool PathExists(const std::string& path);

// The drives of this computer and their kinds.
std::vector<Drive> LocalDrives();

enum class SearchEnd { Found, NotFound, Cancelled };
struct SearchResult {
    SearchEnd End = SearchEnd::NotFound;
    std::string Path;
};

// Looks for relative below each root in turn, in a small "Searching..."
// window with a Cancel button (laid out in dialog units, so it grows with the
// DPI and its font); the owner is disabled meanwhile.
// The "Searching..." window for relative as Windows lays it out on this
// computer, without showing it: for the test mode.
WindowLayout SearchWindowLayout(const std::string& relative);

SearchResult SearchDrives(HWND owner, const std::wstring& caption, const std::string& relative,
                          const std::vector<std::string>& roots);

}  // namespace orvane::player
