#include "CommandWizard.h"

#include "distribution/CommandLanguage.h"
#include "platform/FileUtil.h"
#include "platform/PathText.h"

#include <algorithm>
#include <filesystem>

namespace orvane {

namespace {

// The local folder a disc path of a field points into ("\docs\a.pdf" in
// root/docs/), or the nearest folder above it that exists, or the root: where
// the browse dialogs start.
std::string LocalFolderOf(const std::string& discPath, const std::string& discRoot) {
    const std::string root = FolderWithSlash(discRoot);
    std::string relative = discPath;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    if (HasDriveLetter(relative)) relative.erase(0, 2);
    while (!relative.empty() && relative.front() == '/') relative.erase(0, 1);
    std::filesystem::path folder = PathFromUtf8(root + relative);
    if (!relative.empty() && relative.back() != '/') folder = folder.parent_path();
    std::error_code ec;
    while (Utf8FromPath(folder).size() > root.size() && !std::filesystem::is_directory(folder, ec))
        folder = folder.parent_path();
    return FolderWithSlash(Utf8FromPath(folder).size() >= root.size() ? Utf8FromPath(folder) : root);
}

}  // namespace

const char* TfrmBtnWizCls::kFinishedMessage =
    "The Command Wizard has now filled out the command parameters for you.\r\r"
    "If you plan to move the files when you write the CD, you should adjust any\r"
    "paths in the command now.";

const char* TfrmBtnWizCls::ActionCaption(int code) {
    switch (code) {
        case 0: return "Open a document (or file).";
        case 1: return "Start an application.";
        case 2: return "Open a folder in Windows Explorer.";
        case 3: return "Go to an Internet site.";
        case 4: return "Go to another Orvane Graphic menu (a sub-menu).";
        case 5: return "Show a message to the user.";
        case 6: return "No action, but play the 'noaction.wav' sound.";
        case 7: return "No action (except for any specified menu action)";
        case 8: return "Send an email.";
        case 9: return "Exit button (no action, except for exiting menu).";
        default: return "";
    }
}

const char* TfrmBtnWizCls::kSaveFirstQuestion =
    "This menu has not been saved yet. Buttons find their files from the folder the menu is saved in, which "
    "becomes the root of the disc.\r\rDo you want to save the menu now?";

TfrmBtnWizCls::TfrmBtnWizCls(Platform& platform, CommandTarget& target, std::string discRoot,
                             std::function<std::string()> saveFirst)
    : platform_(platform), target_(target), discRoot_(std::move(discRoot)), saveFirst_(std::move(saveFirst)) {
    ChooseAction("Option1000");
}

TfrmBtnWizCls::PageKind TfrmBtnWizCls::ShownPage() const {
    if (Page == 0) return PageKind::Action;
    if (Page == 1) return PageKind::MenuAction;
    if (WizardAction == 3 || WizardAction == 8) return PageKind::Address;
    return WizardAction == 5 ? PageKind::Message : PageKind::Target;
}

void TfrmBtnWizCls::ChooseAction(const std::string& controlName) {
    if (controlName.size() < 3) return;
    const int code = std::stoi(controlName.substr(controlName.size() - 3));
    if (code < 0 || code > 9) return;
    WizardAction = code;
    ForwardCaption = code == 9 ? "&Finish" : "&Next >>";
    MailPromptsVisible = false;
    switch (code) {
        case 0:
            TargetCaption = "Step 3 - Button Target";
            TargetPrompt = "Locate the file you would like Orvane Graphic to open below:";
            break;
        case 1:
            TargetCaption = "Step 3 - Button Target";
            TargetPrompt = "Locate the application you would like Orvane Graphic to start below:";
            break;
        case 2:
            TargetCaption = "Step 3 - Button Target";
            TargetPrompt = "Locate the directory you would like Orvane Graphic to open below:";
            break;
        case 4:
            TargetCaption = "Step 3 - Button Target";
            TargetPrompt = "Locate the menu you would like Orvane Graphic to open below:";
            break;
        case 3:
            TargetCaption = "Step 3 - Internet Address";
            TargetPrompt = "Enter the Internet address you would like the user to be taken to when they click this button:";
            break;
        case 8:
            TargetCaption = "Step 3 - Email Details";
            TargetPrompt = "Enter the email address you want the email sent to:";
            MailPromptsVisible = true;
            break;
        case 5:
            TargetCaption = "Step 3 - Message Content";
            TargetPrompt = "Enter the message that you wish to pass to the user:";
            break;
        default:
            TargetCaption.clear();
            TargetPrompt.clear();
    }
}

void TfrmBtnWizCls::Navigate(const std::string& controlName) {
    const bool forward = controlName.size() >= 3 && controlName.compare(controlName.size() - 3, 3, "001") == 0;
    if (WizardAction == 9) {
        target_.SetCommand("");
        target_.SetArgument("");
        target_.SetMinimizeOnClick(false);
        target_.SetExitOnClick(true);
        Outcome = Result::Finished;
        return;
    }
    Page += forward ? 1 : -1;
    if (Page < 0) Page = 0;
    if ((WizardAction == 6 || WizardAction == 7) && Page == 2) Page = forward ? 3 : 1;
    if (WizardAction == 4 && Page == 1) Page = forward ? 2 : 0;
    // Nothing to build the command from: the target page stays.
    if (Page == 3 && !Finish()) Page = 2;
    BackEnabled = Page != 0;
    ForwardCaption = Page == 2 ? "&Finish" : "&Next >>";
    FocusFirstField = Page == 2;
}

std::string TfrmBtnWizCls::MissingTarget() const {
    auto blank = [](const std::string& text) { return text.find_first_not_of(" \t\r\n") == std::string::npos; };
    switch (WizardAction) {
        case 0: return blank(Target) ? "Please locate the file you would like Orvane Graphic to open." : "";
        case 1: return blank(Target) ? "Please locate the application you would like Orvane Graphic to start." : "";
        case 2: return blank(Target) ? "Please locate the directory you would like Orvane Graphic to open." : "";
        case 4: return blank(Target) ? "Please locate the menu you would like Orvane Graphic to open." : "";
        case 3:
            return blank(Address) ? "Please enter the Internet address you would like the user to be taken to." : "";
        case 8: return blank(Address) ? "Please enter the email address you want the email sent to." : "";
        case 5: return blank(Message) ? "Please enter the message that you wish to pass to the user." : "";
        default: return "";
    }
}

bool TfrmBtnWizCls::Finish() {
    if (const std::string missing = MissingTarget(); !missing.empty()) {
        ShowMessageBox(platform_, missing, MsgType::Information);
        return false;
    }
    std::string command;
    switch (WizardAction) {
        case 0:
        case 1: command = Target; break;
        case 2: command = FolderCommand(Target); break;
        case 3: command = InternetCommand(Address); break;
        case 4: command = SubMenuCommand(Target); break;
        case 5: command = MessageCommand(Message); break;
        case 6: command = kNoActionSound; break;
        case 8: command = MailCommand(Address, Subject); break;
        default: break;
    }
    target_.SetCommand(command);
    if (WizardAction == 4) {
        // A sub-menu has no menu-action page.
        target_.SetMinimizeOnClick(false);
        target_.SetExitOnClick(false);
        target_.SetMaximizeWindow(false);
    } else {
        target_.SetMinimizeOnClick(Action == MenuAction::Minimize);
        target_.SetExitOnClick(Action == MenuAction::Close);
        target_.SetMaximizeWindow(Maximize);
    }
    platform_.ProcessMessages();
    if (WizardAction <= 2) ShowMessageBox(platform_, kFinishedMessage, MsgType::Information);
    Outcome = Result::Finished;
    return true;
}

// Without a saved menu there is no disc root to make paths from: the user
// saves first, or nothing is browsed.
bool TfrmBtnWizCls::HaveDiscRoot() {
    if (!discRoot_.empty()) return true;
    if (!saveFirst_ ||
        ShowMessageBox(platform_, kSaveFirstQuestion, MsgType::Confirmation, MsgButtons::YesNoCancel) != MsgResult::Yes)
        return false;
    discRoot_ = saveFirst_();
    return !discRoot_.empty();
}

void TfrmBtnWizCls::Browse() {
    if (WizardAction != 0 && WizardAction != 1 && WizardAction != 2 && WizardAction != 4) return;
    if (!HaveDiscRoot()) return;
    // Dialogs start where the field's path lies on the disc.
    const std::string start = LocalFolderOf(WizardAction == 4 ? std::string() : Target, discRoot_);
    auto outside = [&](const std::string& chosen, const char* what) {
        ShowMessageBox(platform_,
                       std::string("The chosen ") + what + " is not in the disc folder, so it will not be on the disc:\r\r" +
                           chosen + "\r\rThe disc folder is " + discRoot_ + ". Copy the " + what +
                           " there, then choose it again.",
                       MsgType::Warning);
    };
    if (WizardAction == 2) {
        FolderRequest request;
        request.Title = "Open Target Folder";
        request.InitialFolder = PathFromUtf8(start);
        const auto chosen = platform_.BrowseForFolder(request);
        if (!chosen) return;
        if (!IsOnDisc(Utf8FromPath(*chosen), discRoot_)) return outside(Utf8FromPath(*chosen), "folder");
        Target = DiscPath(Utf8FromPath(*chosen), discRoot_);
        return;
    }
    FileDialogRequest request;
    switch (WizardAction) {
        case 4:
            request.Title = "Open Target Menu";
            request.Filter = "Orvane Graphic Menu (*.mng)|*.MNG";
            break;
        case 1:
            request.Title = "Open Target Application";
            request.Filter = "Applications (*.exe)|*.EXE";
            break;
        default:
            request.Title = "Open Target File";
            request.Filter = "All Files (*.*)|*.*";
            break;
    }
    request.InitialFolder = PathFromUtf8(start);
    const auto chosen = platform_.OpenFileDialog(request);
    if (!chosen) return;
    if (!IsOnDisc(Utf8FromPath(*chosen), discRoot_))
        return outside(Utf8FromPath(*chosen), WizardAction == 4 ? "menu" : "file");
    Target = WizardAction == 4 ? Utf8FromPath(chosen->filename()) : DiscPath(Utf8FromPath(*chosen), discRoot_);
}

}  // namespace orvane
