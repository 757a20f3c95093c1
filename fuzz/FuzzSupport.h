#pragma once

// What the fuzz targets share: a failure that names the broken property, a
// folder of the target's own for the files an input needs, and running the
// command-line tool in-process.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {
struct MenuStyle;
}

namespace orvane::fuzz {

// Removes the folders of the workspaces still open, so that a run stopped by
// a fault leaves nothing behind either.
void RemoveWorkspaces() noexcept;

// Ends the run: the code under test broke a property.
[[noreturn]] inline void Fail(std::string_view what) {
    std::fprintf(stderr, "fuzz property broken: %.*s\n", int(what.size()), what.data());
    RemoveWorkspaces();
    std::abort();
}
inline void Check(bool holds, std::string_view what) {
    if (!holds) Fail(what);
}

// Damaged content must come back as an error value, so an exception escaping
// an entry point is a fault; it ends the run naming the step and the exception.
template <class Step>
auto Guarded(std::string_view step, Step&& run) -> decltype(run()) {
    try {
        return run();
    } catch (const std::exception& e) {
        Fail(std::string(step) + " threw: " + e.what());
    }
}

// A folder of one target's own:
//   app/  the application folder, with styles/, buttons/, photo.bmp and an
//         editor file that carries a small player block
//   in/   the input and whatever the target writes for it
// It is <temp>/orvane-fuzz-<target>/ while no other run of the target holds
// that place, so a menu made for it finds the button style or photo it names
// again; otherwise a fresh folder. Removed when the run ends.
class Workspace {
public:
    explicit Workspace(const std::string& target);
    ~Workspace();
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path App() const { return root_ / "app"; }
    std::filesystem::path In() const { return root_ / "in"; }
    // As the editor writes folders: ending in "/".
    std::string AppFolder() const { return App().string() + "/"; }
    std::string InFolder() const { return In().string() + "/"; }

    // Writes a file into in/.
    std::filesystem::path Write(const std::string& name, std::span<const uint8_t> data) const;
    // Back to the state before the first input: in/ empty, app/ as made.
    void Reset() const;
    // Every file below the root that was not there before the first input.
    std::vector<std::filesystem::path> NewFiles() const;

private:
    std::filesystem::path root_;
    int lock_ = -1;
    std::vector<std::filesystem::path> baseline_;
};

// Writes a menu style file with the record file writer: header, the
// identification magic, name, message, animation, the text, button and title
// fonts, the title's place, the artwork and, when there is one, the mask.
void WriteMenuStyleFile(const std::filesystem::path& path, const MenuStyle& style, const std::string& message,
                        const std::string& magic);

// Fills an application folder with the sample files (used by Workspace and by
// the corpus maker): two button styles, a plain and a photo menu style, a
// photo and an editor file with a stand-in player.
void MakeSampleAppFolder(const std::filesystem::path& app);

// Whether text parses as JSON.
bool ParsesAsJson(std::string_view text);

}  // namespace orvane::fuzz
