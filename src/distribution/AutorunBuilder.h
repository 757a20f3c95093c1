#pragma once

#include "document/AutorunPackage.h"
#include "platform/FileUtil.h"
#include "platform/Platform.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// The editor's own executable, which carries the player block at its end.
// A Windows program carries the player as a resource instead, which the
// builder takes first; programs without one (the tests) fall back to this file.
inline const std::string kEditorFileName = std::string("orvane-graphic") + kProgramSuffix;

// The player block of an editor executable: "ApEX", the player, the marker's
// offset. Empty with an error when the file carries none.
std::vector<uint8_t> ReadPlayerBlock(std::span<const uint8_t> editorFile, std::string& error);

// Writes autorun executables: the player copied out of the editor's file,
// then the "FPAK" package of the menu files.
class AutorunBuilder {
public:
    AutorunBuilder(Platform& platform, std::string appFolder);

    std::vector<std::string> PackageFiles;  // full paths, the default menu first
    bool FileOpFailed = false;
    // Replace an existing executable without asking (the wizard has settled
    // it; the command line was given --force).
    bool Overwrite = false;

    // Packs checked menu names (without ".mng") of menuFolder into the
    // executable named by nameField, the default one first, and writes
    // Autorun.inf beside it.
    void CompileAutorunApp(const std::string& nameField, const std::vector<std::string>& checked,
                           const std::string& defaultMenu, const std::string& menuFolder);

    // Writes folder + name from the editor's player and PackageFiles.
    void WriteMenuExecutable(const std::string& folder, const std::string& name);

    // "[autorun]", "open=" and "icon=" naming the executable, CR LF each.
    void WriteAutorunInf(const std::string& folder, const std::string& exeName);

    std::string EditorFile() const { return appFolder_ + kEditorFileName; }

private:
    void Error(const std::string& text);

    Platform& platform_;
    std::string appFolder_;
    bool writeFailed_ = false;  // the output could not be written (said already)
};

}  // namespace orvane
