#include "AutorunWizard.h"

#include "platform/AsciiCase.h"

#include "platform/Cp1252.h"

#include "platform/FileUtil.h"
#include "platform/PathText.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace orvane {
namespace fs = std::filesystem;

namespace {

bool EndsWithExe(const std::string& s) { return EndsWithNoCase(s, ".exe"); }

std::string WithoutExtension(const std::string& name) { return name.size() >= 4 ? name.substr(0, name.size() - 4) : ""; }

const std::string kCompatibility = "For compatibility with all Microsoft\xC2\xAE Windows\xC2\xAE operating systems we recommend\r";

}  // namespace

TfrmEXEWizCls::TfrmEXEWizCls(Platform& platform, AutorunBuilder& builder, std::string docFileName,
                             std::string docFolder, std::string currentFolder)
    : platform_(platform), builder_(builder), docFileName_(std::move(docFileName)) {
    if (!docFolder.empty()) {
        NameField = docFolder + "Autorun.exe";
        ListedFolder = docFolder;
    } else {
        ListedFolder = std::move(currentFolder);
    }
}

std::vector<std::string> TfrmEXEWizCls::ListedFiles() const {
    std::vector<std::string> files;
    for (const fs::path& file : FilesWithExtension(PathFromUtf8(ListedFolder), ".mng"))
        files.push_back(Utf8FromPath(file.filename()));
    // Listed as a file list box lists them: by name, whatever the case.
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        return AsciiLower(a) < AsciiLower(b) || (AsciiLower(a) == AsciiLower(b) && a < b);
    });
    return files;
}

void TfrmEXEWizCls::Browse() {
    FileDialogRequest request;
    request.Title = "Create Autorun Application";
    request.Filter = "Autorun Application (*.exe)|*.EXE";
    request.InitialFolder = PathFromUtf8(ListedFolder);
    if (const auto chosen = platform_.SaveFileDialog(request)) NameField = Utf8FromPath(*chosen);
    if (!EndsWithExe(NameField)) NameField += ".exe";
    for (size_t at = NameField.find(".mng"); at != std::string::npos; at = NameField.find(".mng"))
        NameField.erase(at, 4);
}

bool TfrmEXEWizCls::Ask(const std::string& text) {
    return ShowMessageBox(platform_, text, MsgType::Confirmation, MsgButtons::YesNoCancel) == MsgResult::Yes;
}

bool TfrmEXEWizCls::CheckPageOne() {
    if (NameField.empty()) {
        ShowMessageBox(platform_, "You must specify a filename.", MsgType::Warning);
        return false;
    }
    if (ListedFiles().empty()) {
        ShowMessageBox(platform_,
                       "No saved menus could be found.\r\rPlease open or save the menu you wish to use to create "
                       "your autorun EXE",
                       MsgType::Warning);
        return false;
    }
    if (!EndsWithExe(NameField)) NameField += ".exe";
    const fs::path field = PathFromUtf8(NameField);
    const std::string name = Utf8FromPath(field.filename());
    if (CharacterCount(name) > 12 &&
        !Ask(kCompatibility + "the application name is no longer than eight characters.\r\rWould you like to continue?"))
        return false;
    if (name.find(' ') != std::string::npos &&
        !Ask(kCompatibility + "the application name does not contain spaces.\r\rWould you like to continue?"))
        return false;
    if (!field.has_parent_path()) {
        FolderRequest request;
        request.Title = "Create Autorun EXE in...";
        const auto folder = platform_.BrowseForFolder(request);
        // Cancelled: the step ends, silently; the name names no folder yet.
        if (!folder || folder->empty()) return false;
        NameField = FolderWithSlash(Utf8FromPath(*folder)) + name;
    }
    BoldName = name;
    return true;
}

void TfrmEXEWizCls::BuildCheckBoxes() {
    const std::vector<std::string> files = ListedFiles();
    ChkOptn.clear();
    if (files.empty()) return;
    const std::string current = docFileName_ == "New Menu" ? WithoutExtension(files[0]) : WithoutExtension(docFileName_);
    for (size_t i = 0; i < files.size(); ++i) {
        Option o;
        o.Name = "ChkOptn" + std::to_string(i + 1);
        if (i == 0) {
            o.Caption = current;
            o.Checked = true;
        } else {
            const std::string name = WithoutExtension(files[i]);
            o.Caption = name == current ? WithoutExtension(files[0]) : name;
        }
        ChkOptn.push_back(o);
    }
}

void TfrmEXEWizCls::BuildRadioButtons() {
    RadOptn.clear();
    for (const Option& box : ChkOptn) {
        if (!box.Checked) continue;
        Option o;
        o.Name = "RadOptn" + std::to_string(RadOptn.size() + 1);
        o.Caption = box.Caption;
        o.Checked = RadOptn.empty();
        RadOptn.push_back(o);
    }
}

void TfrmEXEWizCls::SelectAll() {
    for (Option& box : ChkOptn) box.Checked = true;
}

void TfrmEXEWizCls::ChooseRadio(size_t index) {
    for (size_t i = 0; i < RadOptn.size(); ++i) RadOptn[i].Checked = i == index;
}

void TfrmEXEWizCls::Navigate(const std::string& controlName) {
    const bool forward = controlName.size() >= 3 && controlName.compare(controlName.size() - 3, 3, "001") == 0;
    if (forward) {
        if (Page == 1 && !CheckPageOne()) return;
        if (Page == 2 && std::none_of(ChkOptn.begin(), ChkOptn.end(), [](const Option& o) { return o.Checked; })) {
            ShowMessageBox(platform_, "You must select your saved settings file.", MsgType::Error);
            return;
        }
    }
    Page = std::max(1, Page + (forward ? 1 : -1));
    BackVisible = Page >= 2;
    ForwardCaption = Page == 1 ? "&Create Autorun >" : "N&ext >";
    ForwardEnabled = Page != 4;
    if (Page == 2) BuildCheckBoxes();
    if (Page == 3) BuildRadioButtons();
    if (Page == 4) {
        std::vector<std::string> checked;
        for (const Option& box : ChkOptn)
            if (box.Checked) checked.push_back(box.Caption);
        std::string chosen;
        for (const Option& radio : RadOptn)
            if (radio.Checked) chosen = radio.Caption;
        builder_.CompileAutorunApp(NameField, checked, chosen, ListedFolder);
        if (builder_.FileOpFailed) {
            // The third page stays on screen; going back and forward again tries again.
            Page = 3;
            return;
        }
    }
    VisiblePage = Page;
}

}  // namespace orvane
