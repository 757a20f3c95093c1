#pragma once

#include "distribution/AutorunBuilder.h"

#include <string>
#include <vector>

namespace orvane {

// The "Create Autorun Application" wizard: the executable's name, the menus
// to pack, the default menu, and the result page.
class TfrmEXEWizCls {
public:
    // docFileName and docFolder describe the open menu ("New Menu" and an
    // empty folder when it was never saved); currentFolder is listed then.
    TfrmEXEWizCls(Platform& platform, AutorunBuilder& builder, std::string docFileName, std::string docFolder,
                  std::string currentFolder);

    struct Option {
        std::string Name;     // "ChkOptn1", "RadOptn1", ...
        std::string Caption;  // a menu file's name without ".mng"
        bool Checked = false;
    };

    int Page = 1;
    int VisiblePage = 1;
    std::string NameField;
    std::string ListedFolder;
    std::vector<Option> ChkOptn;
    std::vector<Option> RadOptn;
    std::string BoldName;  // the executable's name on the last page
    bool BackVisible = false;
    bool ForwardEnabled = true;
    std::string ForwardCaption = "&Create Autorun >";
    bool Closed = false;  // "&Close" pressed: the window goes away

    // The "*.mng" files of the listed folder, by name.
    std::vector<std::string> ListedFiles() const;

    void Browse();
    // "Command3000" goes back, "Command3001" forward.
    void Navigate(const std::string& controlName);
    void SelectAll();
    void ChooseRadio(size_t index);
    void Close() { Closed = true; }

private:
    bool CheckPageOne();
    void BuildCheckBoxes();
    void BuildRadioButtons();
    bool Ask(const std::string& text);

    Platform& platform_;
    AutorunBuilder& builder_;
    std::string docFileName_;
};

}  // namespace orvane
