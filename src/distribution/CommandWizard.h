#pragma once

#include "platform/Platform.h"

#include <array>
#include <functional>
#include <string>

namespace orvane {

// The palette's command controls that the wizard fills in; the main window's
// change handlers store them into the selected button.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    virtual void SetCommand(const std::string& text) = 0;
    virtual void SetArgument(const std::string& text) = 0;
    virtual void SetMinimizeOnClick(bool on) = 0;
    virtual void SetExitOnClick(bool on) = 0;
    virtual void SetMaximizeWindow(bool on) = 0;
};

// The "Button Command Wizard": a first page of ten actions, a menu-action
// page, a target page, and the command it writes.
class TfrmBtnWizCls {
public:
    enum class Result { Open, Cancelled, Finished };
    enum class MenuAction { Remain, Minimize, Close };

    // Codes in the order the first page lists them.
    static constexpr std::array<int, 10> kListedCodes = {0, 1, 2, 3, 8, 4, 5, 6, 7, 9};
    static const char* ActionCaption(int code);

    // discRoot: the folder the menu is saved in, which is the disc's root
    // ("/" at the end); empty for a menu never saved, which saveFirst can
    // save, returning the new root (empty when the save did not happen).
    TfrmBtnWizCls(Platform& platform, CommandTarget& target, std::string discRoot,
                  std::function<std::string()> saveFirst = {});

    int WizardAction = 0;
    int Page = 0;
    MenuAction Action = MenuAction::Remain;
    bool Maximize = false;
    std::string Target, Address, Subject, Message;
    Result Outcome = Result::Open;

    // What the window shows.
    bool BackEnabled = false;
    std::string ForwardCaption = "&Next >>";
    std::string TargetCaption;  // the third page's frame caption
    std::string TargetPrompt;
    bool MailPromptsVisible = false;
    bool FocusFirstField = false;

    // Which page the window shows: the third page asks for a web or mail
    // address (codes 3 and 8), a message (code 5), or a target.
    enum class PageKind { Action, MenuAction, Target, Address, Message };
    PageKind ShownPage() const;

    // A radio button of the first page, by its name ("Option1000" to "Option1009").
    void ChooseAction(const std::string& controlName);
    // "Command2000" goes back, "Command2001" forward.
    void Navigate(const std::string& controlName);
    void Browse();
    void Cancel() { Outcome = Result::Cancelled; }

    static const char* kFinishedMessage;
    static const char* kSaveFirstQuestion;

private:
    // Writes the command; false, after saying what is missing, when the
    // target page was left empty.
    bool Finish();
    // What the target page asks for when its field is empty; empty when it is filled.
    std::string MissingTarget() const;

    bool HaveDiscRoot();
    Platform& platform_;
    CommandTarget& target_;
    std::string discRoot_;
    std::function<std::string()> saveFirst_;
};

}  // namespace orvane
