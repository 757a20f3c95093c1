#pragma once

#include "document/AutorunPackage.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

inline constexpr uint64_t kSectorSize = 2048;

// What a blank disc of each kind holds: an 80-minute CD-R, a single-layer
// DVD-R and a single-layer BD-R, in whole sectors.
struct DiscKind {
    std::string_view Name;     // "CD"
    std::string_view Nominal;  // "700 MB", as the box says
    uint64_t Bytes;
};
inline constexpr DiscKind kDiscKinds[] = {
    {"CD", "700 MB", 360000 * kSectorSize},
    {"DVD", "4.7 GB", 2295104 * kSectorSize},
    {"BD", "25 GB", 12219392 * kSectorSize},
};

enum class Finding {
    NoFolder,        // the disc folder is missing
    NoAutorunInf,    // no Autorun.inf at the root
    NoOpenLine,      // Autorun.inf names no program to start
    NotAtRoot,       // it names one in a folder
    OutsideFolder,   // the program named instead is not in the disc folder
    NoExecutable,    // the program it names is not there
    NoPackage,       // the program carries no menus (not made by this editor, or damaged)
    StaleMenu,       // a packed menu was saved again after the program was built
    MissingMenu,     // a button opens a menu neither packed nor on the disc
    MissingTarget,   // a button opens a drive-less file that is not on the disc
    Unreadable,      // a file of the folder cannot be read
    Skipped,         // a special file (pipe, device) that cannot go on a disc
    TooLarge,        // more than a CD, DVD or BD holds
};

struct DiscProblem {
    Finding What;
    bool Blocking;  // false: a warning the user may pass
    std::string Text;
};

struct DiscFolderCheck {
    std::filesystem::path Folder;
    std::filesystem::path Executable;  // the autorun application, inside Folder
    std::string Title;                 // the default menu's title
    AutorunPackage Package;
    uint64_t FileCount = 0;
    uint64_t ContentBytes = 0;  // the files' sizes
    uint64_t ImageEstimate = 0;  // the files in whole sectors, with the image's own structures
    std::vector<DiscProblem> Problems;

    bool Blocked() const;
    // Building the autorun application again would mend a blocking problem.
    bool NeedsBuild() const;
    std::vector<std::string> Errors() const;
    std::vector<std::string> Warnings() const;
};

// The checks before a disc folder is tried, imaged or burned. menuFolders are
// where packed menus may also be saved (the open menu's folder), searched
// after the disc folder. executable, when not empty, is the autorun
// application to use instead of the one Autorun.inf names; Autorun.inf is then
// not needed.
DiscFolderCheck CheckDiscFolder(const std::filesystem::path& folder,
                                const std::vector<std::filesystem::path>& menuFolders = {},
                                const std::filesystem::path& executable = {});

// The program an Autorun.inf's [autorun] section opens (its open= line without
// arguments or quotes), UTF-8; empty when there is none.
std::string AutorunInfProgram(std::string_view infText);

// A file or folder below folder whose path matches relative ('\' or '/'
// separated) as Windows matches names, ignoring case; empty when none.
std::filesystem::path FindIgnoringCase(const std::filesystem::path& folder, std::string_view relative);

// An ISO 9660 volume label from any text: letters (accents dropped) and
// digits upper-cased, every other run of characters one "_", at most 32.
// Empty when nothing usable is left.
std::string VolumeLabelFrom(std::string_view text);
// The label a disc folder's image gets unless the user types another: the
// default menu's title, else the folder's name, else "AUTORUN_DISC".
std::string DefaultVolumeLabel(const DiscFolderCheck& check);

// "712 MB", "4.8 GB": MB of 2^20 bytes below 10^9 bytes, GB of 10^9 above, as
// disc boxes count.
std::string SizeText(uint64_t bytes);

}  // namespace orvane
