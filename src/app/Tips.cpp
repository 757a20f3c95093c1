#include "Tips.h"

#include "platform/Version.h"

namespace orvane {

const std::array<std::string_view, kTipCount> kTipEntries = {
    // Tip::GettingStarted
    "0|Creating your menu is easy, you just add your buttons and enter your menu description. You "
    "can then select your style and create your autorun EXE.¶For detailed help on getting started "
    "you can get to Help at any time by pressing F1.",
    // Tip::Palettes
    "1|You can expand and collapse the tool palettes by clicking on the small arrow in the upper "
    "right of each palette's title bar. You can also click View (menu) and the name of the tool "
    "palette.",
    // Tip::StyleAndColor
    "1|Selecting your style is just the first part. Remember your menu can be any color you wish, "
    "just set the Menu Color. Remember to check Auto Adjust for best results.¶You can also format "
    "the text on your menu by clicking on it and using the formatting toolbar.",
    // Tip::PhotoStyles
    "1|The My Photo styles allow you to create menus based on your own photo.¶Remember you can "
    "still choose a color to change the accents on your menu, and you can still format the text "
    "by clicking on it and using the formatting toolbar.",
    // Tip::PhotoScaling
    "1|By default Orvane Graphic resizes your image using common resize methods, however if you "
    "want high quality results, make sure Tools (menu), High Quality Photo Scaling is checked",
    // Tip::MenuPosition
    "1|The menu will be displayed in the chosen location when the autorun application is started.",
    // Tip::TextColors
    "0|By default Orvane Graphic will format your menu in the chosen color, but remember you can "
    "click on the text on your menu and format the text in your title, buttons and menu text in "
    "any color you choose.¶You can format the text by clicking on it and using the formatting "
    "toolbar.",
    // Tip::AutoAdjust
    "0|It is recommended to use the Auto Adjust setting for best effect. Auto Adjust allows "
    "Orvane Graphic to dynamically adjust the brightness and saturation of the chosen color for "
    "the best results.",
    // Tip::MyBackground
    "0|The My Background option allows you to create a menu using your own background without any "
    "style accents applied to it.¶If you wish to use a button style other than the default style, "
    "click Tools (menu), Copy Button Style. This will allow you to use any other menu style's "
    "buttons.",
    // Tip::AutoSizeMenu
    "1|The Auto Size Menu setting allows Orvane Graphic to dynamically size your menu so all the "
    "buttons and text will fit. If you choose to size the menu yourself you should make sure the "
    "menu contains enough room for these elements.",
    // Tip::PhotoAspect
    "1|Unckecking the Use Photo Aspect Ratio allows your photo based menu to be sized freely, "
    "however the photo may become vertically or horizontally compressed.¶Auto Size will still "
    "ensure your menu elements fit on your menu with Use Photo Aspect Ratio unchecked.",
    // Tip::CommandWizard
    "0|The Command Wizard allows you full access to the many command options available. It will "
    "fill out all the command settings for you based on simple step-by-step choices.",
    // Tip::WizardButton
    "1|Remember you can click Wizard in the Button Properties tool palette to launch the Command "
    "Wizard. It allows you full access to the command options available through an easy to use "
    "wizard.",
    // Tip::AccessKeys
    "0|You can set a keyboard shortcut for the user by preceding the character of your choice "
    "with an ampersand (&&) in your button caption.¶The end user of your menu can then press "
    "ALT+[the character] to click the button.",
    // Tip::CommandArgument
    "0|Normally you should always leave the Commandline Argument field blank.¶Commandline "
    "Arguments are only for advanced users who wish to directly launch an application while "
    "passing an argument to that application. Commandline arguments are not needed to open a "
    "document, start an application etc. ",
    // Tip::MenuTitle
    "0|The Menu Title will be shown on your menu and will be the title of your autorun "
    "application when you create it. The title of the application is the text shown in the "
    "Windows task bar.",
    // Tip::ColorArrows
    "1|The small arrows adjacent to the color box allow you to change the brightness (vertical) "
    "and saturation (horizontal) quickly and easily. Just click an arrow and slide it for "
    "immediate results.",
    // Tip::ButtonsFolder
    "0|To make your button available to Orvane Graphic you MUST place it in the \"Buttons\" folder "
    "under the Orvane Graphic installation folder.¶The save folder has been changed from this, so "
    "this button will not show in Orvane Graphic or be available to the menus you create.",
    // Tip::CustomButtonStyle
    "1|To use a custom button style, select the button in the Button Style dropdown list in the "
    "Menu Style tool palette.",
};

std::string TipLabelText(std::string_view text) {
    static constexpr std::string_view kPilcrow = "\xC2\xB6";
    std::string out;
    out.reserve(text.size() + 16);
    for (size_t i = 0; i < text.size();) {
        if (text.substr(i, kPilcrow.size()) == kPilcrow) {
            out += "\r\n\r\n";
            i += kPilcrow.size();
        } else if (text.substr(i, 2) == "&&") {
            out += '&';
            i += 2;
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::optional<TipWindowContent> TipContent(Tip tip) {
    const int n = int(tip);
    if (n < 0 || n >= kTipCount) return std::nullopt;
    const std::string_view entry = kTipEntries[size_t(n)];
    // The box state, "|", then the text.
    if (entry.size() < 2 || entry[1] != '|') return std::nullopt;
    return TipWindowContent{entry[0] == '1', TipLabelText(entry.substr(2))};
}

void ResetFirstUseTips(Settings& prefs, Platform& platform) {
    prefs.TipShown.fill(0);
    MessageBoxRequest request;
    request.Text = std::string(kTipsResetMessage);
    request.Type = MsgType::Information;
    // The box's own title, not the application's.
    request.Caption = "Information";
    platform.ShowMessageBox(request);
}

std::string VersionLine() { return "VERSION: " + VersionText(); }

std::string_view HelpPageFile(HelpPage page) {
    switch (page) {
        case HelpPage::Contents: return "contents.html";
        case HelpPage::Introduction: return "introduction.html";
        case HelpPage::GettingStarted: return "getting-started.html";
        case HelpPage::Buttons: return "buttons.html";
        case HelpPage::AutorunApplication: return "autorun-application.html";
        case HelpPage::EnhancementOptions: return "enhancement-options.html";
        case HelpPage::CustomSounds: return "custom-sounds.html";
        case HelpPage::CustomButtons: return "custom-buttons.html";
        case HelpPage::Troubleshooting: return "troubleshooting.html";
        case HelpPage::Feedback: return "feedback.html";
        case HelpPage::Publishing: return "publishing.html";
    }
    return "contents.html";
}

std::string HelpPagePath(const std::string& helpFolder, HelpPage page) {
    return helpFolder + std::string(HelpPageFile(page));
}

const std::array<HelpEntry, 16> kHelpEntries = {{
    {"&Contents and Index", HelpPlace::HelpMenu, HelpPage::Contents, "F1"},
    {"Orvane Graphic on the &Web", HelpPlace::HelpMenu, HelpPage::Troubleshooting, ""},
    {"Submit Online &Feedback", HelpPlace::HelpMenu, HelpPage::Feedback, ""},
    {"&About Orvane Graphic", HelpPlace::HelpMenu, std::nullopt, ""},
    {"Contents", HelpPlace::HelpButtonMenu, HelpPage::Contents, ""},
    {"Introduction", HelpPlace::HelpButtonMenu, HelpPage::Introduction, ""},
    {"Getting Started", HelpPlace::HelpButtonMenu, HelpPage::GettingStarted, ""},
    {"Working with Buttons", HelpPlace::HelpButtonMenu, HelpPage::Buttons, ""},
    {"Creating your Autorun Application", HelpPlace::HelpButtonMenu, HelpPage::AutorunApplication, ""},
    {"Menu Enhancement Options", HelpPlace::HelpButtonMenu, HelpPage::EnhancementOptions, ""},
    {"Setting Up Custom Sounds", HelpPlace::HelpButtonMenu, HelpPage::CustomSounds, ""},
    {"Online Troubleshooter...", HelpPlace::HelpButtonMenu, HelpPage::Troubleshooting, ""},
    {"F1", HelpPlace::TipWindow, HelpPage::Contents, "F1"},
    {"&Help", HelpPlace::Designer, HelpPage::CustomButtons, ""},
    {"Creating Buttons", HelpPlace::Designer, HelpPage::CustomButtons, ""},
    {"Contents and Index", HelpPlace::Designer, HelpPage::Contents, "F1"},
}};

}  // namespace orvane
