#include "AutorunBuilder.h"

#include "distribution/MenuSize.h"
#include "distribution/PlayerResource.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"
#include "platform/ProgramResource.h"

#include <algorithm>
#include <filesystem>

namespace orvane {
namespace fs = std::filesystem;

namespace {

uint32_t U32At(std::span<const uint8_t> d, size_t at) {
    return uint32_t(d[at]) | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) | (uint32_t(d[at + 3]) << 24);
}

void PutU32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + size_t(i)] = uint8_t(v >> (8 * i));
}

void AppendU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

std::string FileNameOf(const std::string& path) { return Utf8FromPath(PathFromUtf8(path).filename()); }

}  // namespace

std::vector<uint8_t> ReadPlayerBlock(std::span<const uint8_t> file, std::string& error) {
    if (file.size() < 12) {
        error = "the file is too short to carry a player";
        return {};
    }
    const uint32_t marker = U32At(file, file.size() - 4);
    if (size_t(marker) + 8 > file.size() || !std::equal(file.begin() + marker, file.begin() + marker + 4, "ApEX")) {
        error = "no player block";
        return {};
    }
    return std::vector<uint8_t>(file.begin() + marker + 4, file.end() - 4);
}

AutorunBuilder::AutorunBuilder(Platform& platform, std::string appFolder)
    : platform_(platform), appFolder_(FolderWithSlash(std::move(appFolder))) {}

void AutorunBuilder::Error(const std::string& text) {
    ShowMessageBox(platform_, text, MsgType::Error);
    FileOpFailed = true;
}

void AutorunBuilder::CompileAutorunApp(const std::string& nameField, const std::vector<std::string>& checked,
                                       const std::string& defaultMenu, const std::string& menuFolder) {
    const std::string folder = FolderWithSlash(menuFolder);
    FileOpFailed = false;
    // The count is one byte, and the player reads at most 99 files.
    if (checked.size() > kMaxPackageFiles) {
        Error("An autorun application can hold at most 99 menus; " + std::to_string(checked.size()) +
              " are selected.");
        return;
    }
    PackageFiles.clear();
    // A caption is a file's name less its extension, whatever the extension's case.
    const std::vector<fs::path> listed = FilesWithExtension(PathFromUtf8(folder), ".mng");
    auto fileOf = [&](const std::string& caption) {
        for (const fs::path& file : listed) {
            const std::string name = Utf8FromPath(file.filename());
            if (name.substr(0, name.size() - 4) == caption) return name;
        }
        return caption + ".mng";
    };
    for (const std::string& caption : checked) PackageFiles.push_back(fileOf(caption));
    const std::string defaultName = fileOf(defaultMenu);
    if (!PackageFiles.empty() && PackageFiles[0] != defaultName) {
        const auto it = std::find(PackageFiles.begin() + 1, PackageFiles.end(), defaultName);
        if (it != PackageFiles.end()) std::iter_swap(PackageFiles.begin(), it);
    }
    for (std::string& entry : PackageFiles) entry = folder + entry;

    const fs::path target = PathFromUtf8(nameField);
    const std::string targetFolder = FolderWithSlash(Utf8FromPath(target.parent_path()));
    const std::string targetName = Utf8FromPath(target.filename());
    // The old executable is replaced only by a complete new one, so a failed
    // build keeps it; what matters here is whether it can be replaced.
    if (!CanReplace(PathFromUtf8(targetFolder + targetName))) {
        Error(std::string(kAppTitle) +
              " could not create the destination EXE.\r\r"
              "Check that you do not have the autorun exe currently open and\r"
              "try again.");
        return;
    }
    Overwrite = true;
    writeFailed_ = false;
    WriteMenuExecutable(targetFolder, targetName);
    Overwrite = false;
    if (FileOpFailed) {
        // A failed write has shown the system's own message; that is all.
        if (!writeFailed_) Error("Error, application compile failed");
        return;
    }
    WriteAutorunInf(targetFolder, targetName);
}

void AutorunBuilder::WriteAutorunInf(const std::string& folder, const std::string& exeName) {
    const std::string name = Utf8ToCp1252(exeName);
    const std::string inf = "[autorun]\r\nopen=" + name + "\r\nicon=" + name + "\r\n";
    try {
        WriteFileReplacing(PathFromUtf8(FolderWithSlash(folder) + "Autorun.inf"),
                           std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(inf.data()), inf.size()));
    } catch (const FileError& e) {
        Error(e.what());
    }
}

void AutorunBuilder::WriteMenuExecutable(const std::string& folder, const std::string& name) {
    std::error_code ec;
    std::vector<uint8_t> player;
    if (std::optional<std::vector<uint8_t>> own = ProgramResourceData(ORVANE_PLAYER_RESOURCE)) {
        player = std::move(*own);
    } else {
        if (!fs::exists(PathFromUtf8(EditorFile()), ec)) {
            Error("The wizard cannot locate the Menu Editor (" + kEditorFileName +
                  ") which is required to create the autorun application.");
            return;
        }
        std::string blockError;
        try {
            player = ReadPlayerBlock(ReadWholeFile(PathFromUtf8(EditorFile())), blockError);
        } catch (const FileError& e) {
            // The disk failed, not the block: that is what the user hears, once.
            writeFailed_ = true;
            Error(e.what());
            return;
        }
        if (player.empty()) {
            platform_.Trace(blockError);
            Error("Could not retrieve menu executable");
            return;
        }
    }
    std::vector<std::string> files;
    for (const std::string& entry : PackageFiles) {
        if (entry.empty() || files.size() == kMaxPackageFiles + 1) break;
        files.push_back(entry);
    }
    for (const std::string& file : files) {
        if (!fs::is_regular_file(PathFromUtf8(file), ec)) {
            Error("Could not find all files.");
            return;
        }
        if (Utf8ToCp1252(FileNameOf(file)).size() > kDirectoryName) {
            Error("The file name " + FileNameOf(file) + " is longer than 256 characters.");
            return;
        }
    }
    if (files.empty() || files.size() > kMaxPackageFiles) {
        Error("An autorun application holds 1 to 99 menus.");
        return;
    }
    // The player finds a menu by its name as Windows spells it: two names that
    // become one, or one Windows cannot spell, would leave a menu unreachable.
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = FileNameOf(files[i]);
        if (Cp1252ToUtf8(Utf8ToCp1252(name)) != name) {
            Error("The menu name \"" + name +
                  "\" has characters the autorun application cannot show on Windows.\r\r"
                  "Rename the menu file with letters of Western European languages, then create the application again.");
            return;
        }
        for (size_t k = 0; k < i; ++k) {
            if (SameWindowsName(FileNameOf(files[k]), name)) {
                Error("Two menus would be packed under one name: \"" + files[k] + "\" and \"" + files[i] +
                      "\".\r\rThe autorun application could show only one of them. Rename one and try again.");
                return;
            }
        }
    }
    const std::string path = folder + name;
    if (!Overwrite && fs::exists(PathFromUtf8(path), ec)) {
        if (ShowMessageBox(platform_, "File exists, do you wish to overwrite it?", MsgType::Confirmation,
                           MsgButtons::YesNoCancel) != MsgResult::Yes) {
            FileOpFailed = true;
            return;
        }
    }

    try {
        std::vector<uint8_t> out = std::move(player);
        const size_t playerSize = out.size();
        out.insert(out.end(), std::begin(kPackageHead), std::end(kPackageHead));
        out.push_back(uint8_t(files.size()));
        std::vector<size_t> offsetFields;
        for (const std::string& file : files) {
            std::string entry = Utf8ToCp1252(FileNameOf(file));
            entry.resize(kDirectoryName, ' ');
            out.insert(out.end(), entry.begin(), entry.end());
            offsetFields.push_back(out.size());
            AppendU32(out, 99999);
        }
        std::vector<MenuSize> sizes;
        for (size_t i = 0; i < files.size(); ++i) {
            const uint32_t offset = uint32_t(out.size() + 1);
            const std::vector<uint8_t> content = ReadWholeFile(PathFromUtf8(files[i]));
            if (const auto size = StoredMenuSize(content, FileNameOf(files[i]))) sizes.push_back(*size);
            out.insert(out.end(), content.begin(), content.end());
            PutU32(out, offsetFields[i], offset);
        }
        AppendU32(out, uint32_t(playerSize + 1));
        // Written beside the target and renamed over it: a failure leaves no half-written file.
        WriteFileReplacing(PathFromUtf8(path), out);
        if (const std::string warning = LargeMenuWarning(sizes); !warning.empty())
            ShowMessageBox(platform_, warning, MsgType::Warning);
    } catch (const FileError& e) {
        writeFailed_ = true;
        Error(e.what());
    }
}

}  // namespace orvane
