#include "CliCommands.h"

#include "cli/ConsolePlatform.h"
#include "document/MenuFileInfo.h"
#include "platform/Errors.h"

#include <filesystem>

namespace orvane {
namespace {

const char* kUsage =
    "usage: orvane-menu COMMAND ...\n"
    "\n"
    "commands:\n"
    "  info FILE    describe a menu file or undo snapshot as stored, as JSON\n";

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

int Info(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 2) {
        err << kUsage;
        return 2;
    }
    ConsolePlatform platform(err);
    const std::filesystem::path path = args[1];
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        ShowMessageBox(platform, "Menu not found.", MsgType::Information);
        return 1;
    }
    RecordFile file(platform);
    file.OpenRecordFile(path.filename().string(), path.parent_path().empty() ? "" : path.parent_path().string() + "/",
                        false, false);
    const MenuFileDescription description = DescribeMenuFile(file);
    file.CloseRecordFile();

    switch (description.Read.Status) {
        case MenuReadStatus::StyleFile:
            err << "orvane-menu: " << path.string() << " is a menu style file\n";
            return 1;
        case MenuReadStatus::Refused:
            ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
            err << "orvane-menu: " << path.string() << ": " << description.Read.Detail << "\n";
            return 1;
        case MenuReadStatus::Ok:
            break;
    }
    if (!description.PictureError.empty()) {
        ShowMessageBox(platform, kMenuUnreadable, MsgType::Error);
        err << "orvane-menu: " << path.string() << ": " << description.PictureError << "\n";
        return 1;
    }
    out << MenuFileJson(description);
    return 0;
}

}  // namespace

MsgResult ConsolePlatform::ShowMessageBox(const MessageBoxRequest& request) {
    ++MessagesShown;
    err_ << ForTerminal(request.Text) << "\n";
    return request.Buttons == MsgButtons::YesNoCancel ? MsgResult::No : MsgResult::Ok;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? 2 : 0;
    }
    try {
        if (args[0] == "info") return Info(args, out, err);
    } catch (const FileError& e) {
        err << "orvane-menu: " << e.what() << "\n";
        return 1;
    }
    err << "orvane-menu: unknown command \"" << args[0] << "\"\n" << kUsage;
    return 2;
}

}  // namespace orvane
