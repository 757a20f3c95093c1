#pragma once

#include "app/AppFolders.h"
#include "platform/FileUtil.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// One editor per settings file: a second start on the same settings hands the
// files named on its command line to the running editor and ends. Which
// editor is "the same" is decided here; each face only carries the message.

// A name for the settings file, the same for every spelling of its path
// (relative, through "..", through a link; on Windows in any case and with
// either slash) and different for two files: "orvane-graphic-" and 16 hex
// digits.
std::string InstanceKey(const std::string& settingsFile, bool ignoreCase);

// Where the running editor can be found.
struct InstanceChannel {
    std::string Key;     // also the title of the Windows face's message window
    std::string Folder;  // holds Key + ".lock" and, on Linux, the local socket Key
    std::string LockFile() const { return Folder + Key + ".lock"; }
    std::string SocketPath() const { return Folder + Key; }
};
InstanceChannel ChannelFor(const AppFolders& folders, const FolderEnvironment& env);

// The files a start names (as the command line gives them) as absolute paths,
// so that another process, in another working folder, finds them. "" and
// "\"\"" name no file.
std::vector<std::filesystem::path> FilesNamed(const std::vector<std::string>& args);

// The message the second start sends: a header, the files in UTF-8 each ended
// by a NUL, and one more NUL to end the list, so that a stream reader knows
// when it has all. An empty list asks only to be brought to the front.
std::string EncodeHandOver(const std::vector<std::filesystem::path>& files);
// Far more than any command line holds; a longer message is no hand-over.
inline constexpr size_t kMaxHandOverBytes = 1 << 20;
// Nothing when the bytes are not (yet) a whole message, or too long to be one.
std::optional<std::vector<std::filesystem::path>> DecodeHandOver(std::string_view bytes);
// What the running editor answers once it has the files.
inline constexpr char kHandOverReceived = '1';

// What one try to reach the running editor came to.
enum class Delivery {
    NotListening,  // nobody answered the call yet (still starting, or just ended): try again
    Delivered,     // it has the files
    NoAnswer,      // it took the call but never answered: it is hung
};

enum class StartRole {
    First,       // this start is the editor: it holds the lock until it ends
    HandedOver,  // the running editor has the files: end with success
    NoAnswer,    // the running editor does not answer: say so and end
};

// The start-up's decision. The lock is held while this process runs, so a
// crashed editor's lock is gone with it; a running editor that is still
// starting gets until the time limit to take the call.
class SingleInstance {
public:
    explicit SingleInstance(InstanceChannel channel) : channel_(std::move(channel)) {}

    // deliver makes one bounded try; it is called until it succeeds, the lock
    // comes free (the other editor ended) or the time limit passes.
    StartRole Decide(const std::function<Delivery()>& deliver,
                     std::chrono::milliseconds limit = std::chrono::seconds(5));
    const InstanceChannel& Channel() const { return channel_; }

private:
    InstanceChannel channel_;
    FileLock lock_;

    bool Claim();
};

// The message the second start shows when the running editor does not answer.
inline constexpr const char* kInstanceNoAnswer =
    "The menu editor is already running with the same settings, but it does not answer. "
    "Wait until it answers again, or close it, then start the editor again.";

}  // namespace orvane
