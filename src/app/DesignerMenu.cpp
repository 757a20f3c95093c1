#include "app/DesignerMenu.h"

#include "app/ButtonDesigner.h"

#include <array>

namespace orvane {

namespace {

using C = DesignerCommand;

// The Help items by their place in kHelpEntries among the designer's.
constexpr int kCreatingButtons = 1, kContents = 2;

constexpr std::array kMenu = std::to_array<DesignerItem>({
    {0, "&File", C::None, 0, false, ""},
    {1, "&New Menu", C::New, 0, false, "Ctrl+N"},
    {1, "&Open Menu...", C::Open, 0, false, "Ctrl+O"},
    {1, "&Save Button", C::Save, 0, false, "Ctrl+S"},
    {1, "Save Button &As...", C::SaveAs, 0, false, ""},
    {1, "&Close Menu", C::CloseMenu, 0, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "E&xit", C::Exit, 0, false, ""},
    {0, "&Edit", C::None, 0, false, ""},
    {1, "&Copy Button Image", C::CopyPicture, 0, false, "Ctrl+C"},
    {1, "&Paste Button Image", C::PastePicture, 0, false, "Ctrl+V"},
    {1, "Copy Mask", C::CopyPicture, 0, true, "Ctrl+M"},
    // Ctrl+N is New's; the mask's paste takes the paste key with Shift.
    {1, "Paste Mask", C::PastePicture, 0, true, "Ctrl+Shift+V"},
    {0, "F&ormat", C::None, 0, false, ""},
    {1, "&Font", C::None, 0, false, ""},
    {2, "", C::FontEntry, 0, false, ""},
    {2, "", C::FontEntry, 1, false, ""},
    {2, "", C::FontEntry, 2, false, ""},
    {2, "", C::FontEntry, 3, false, ""},
    {2, "", C::FontEntry, 4, false, ""},
    {2, "", C::FontEntry, 5, false, ""},
    {2, "", C::FontEntry, 6, false, ""},
    {2, "", C::FontEntry, 7, false, ""},
    {2, "", C::FontEntry, 8, false, ""},
    {2, "", C::FontEntry, 9, false, ""},
    {2, "", C::FontEntry, 10, false, ""},
    {2, "", C::FontEntry, 11, false, ""},
    {2, "", C::FontEntry, 12, false, ""},
    {1, "&Size", C::None, 0, false, ""},
    {2, "", C::SizeEntry, 0, false, ""},
    {2, "", C::SizeEntry, 1, false, ""},
    {2, "", C::SizeEntry, 2, false, ""},
    {2, "", C::SizeEntry, 3, false, ""},
    {2, "", C::SizeEntry, 4, false, ""},
    {2, "", C::SizeEntry, 5, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "&Bold", C::Bold, 0, false, ""},
    {1, "&Italic", C::Italic, 0, false, ""},
    {1, "&Underline", C::Underline, 0, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "Align &Left", C::Align, 0, false, ""},
    {1, "Align &Center", C::Align, 2, false, ""},
    {1, "Align &Right", C::Align, 1, false, ""},
    {0, "&Help", C::None, 0, false, ""},
    {1, "", C::Help, kCreatingButtons, false, ""},
    {1, "", C::Help, kContents, false, ""},
});

constexpr std::array kTools = std::to_array<DesignerItem>({
    {0, "New Custom Button", C::New, 0, false, ""},
    {0, "Open Custom Button", C::Open, 0, false, ""},
    {0, "Save Custom Button", C::Save, 0, false, ""},
    {0, "", C::None, 0, false, ""},
    {0, "Load Button Image", C::LoadPicture, 0, false, ""},
    {0, "Save Button Image", C::SavePicture, 0, false, ""},
    {0, "Copy Button Image", C::CopyPicture, 0, false, ""},
    {0, "Paste Button Image", C::PastePicture, 0, false, ""},
    {0, "", C::None, 0, false, ""},
    {0, "Mask", C::MaskCaption, 0, true, ""},
    {0, "Open Mask Image", C::LoadPicture, 0, true, ""},
    {0, "Save Mask Image", C::SavePicture, 0, true, ""},
    {0, "Copy Mask Image", C::CopyPicture, 0, true, ""},
    {0, "Paste Mask Image", C::PastePicture, 0, true, ""},
    {0, "", C::None, 0, false, ""},
    {0, "Copy Image Map (See Help)", C::CopyMap, 0, false, ""},
    {0, "", C::None, 0, false, ""},
    {0, "Photo Button Style", C::PhotoButton, 0, false, ""},
    {1, "Bold", C::Bold, 0, false, ""},
    {1, "Italic", C::Italic, 0, false, ""},
    {1, "Underline", C::Underline, 0, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "Align Left", C::Align, 0, false, ""},
    {1, "Center", C::Align, 2, false, ""},
    {1, "Align Right", C::Align, 1, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "Nudge Text Left", C::NudgeLeft, 0, false, ""},
    {1, "Nudge Text Right", C::NudgeRight, 0, false, ""},
    {1, "Nudge Text Up", C::NudgeUp, 0, false, ""},
    {1, "Nudge Text Down", C::NudgeDown, 0, false, ""},
    {1, "", C::None, 0, false, ""},
    {1, "Font Color", C::FontColor, 0, false, ""},
    {1, "Shadow Color", C::ShadowColor, 0, false, ""},
    {1, "Shadow Depth", C::ShadowDepth, 0, false, ""},
});

// The designer's help entries in kHelpEntries order: "&Help", "Creating Buttons", "Contents and Index".
const HelpEntry& DesignerHelp(int index) {
    int seen = 0;
    for (const HelpEntry& entry : kHelpEntries)
        if (entry.Place == HelpPlace::Designer && seen++ == index) return entry;
    return kHelpEntries.front();
}

}  // namespace

std::span<const DesignerItem> DesignerMenuItems() { return kMenu; }
std::span<const DesignerItem> DesignerToolItems() { return kTools; }

std::string_view DesignerItemText(const DesignerItem& item) {
    switch (item.Command) {
        case C::FontEntry: return kDesignerFontEntries[size_t(item.Index)];
        case C::SizeEntry: return kDesignerSizeEntries[size_t(item.Index)];
        case C::Help: return DesignerHelp(item.Index).Text;
        default: return item.Text;
    }
}

std::string_view DesignerItemKey(const DesignerItem& item) {
    return item.Command == C::Help ? DesignerHelp(item.Index).Key : item.Key;
}

HelpPage DesignerHelpPage(int index) { return DesignerHelp(index).Page.value_or(HelpPage::CustomButtons); }

bool DesignerCommandEnabled(const TfrmCustomBtnCls& designer, const DesignerItem& item) {
    return !item.Mask || designer.MaskToolsEnabled();
}

bool DesignerCommandChecked(const TfrmCustomBtnCls& designer, const DesignerItem& item) {
    switch (item.Command) {
        case C::Bold: return designer.CaptionFont.Bold;
        case C::Italic: return designer.CaptionFont.Italic;
        case C::Underline: return designer.CaptionFont.Underline;
        case C::Align: return designer.CaptionFont.Alignment == Alignment(item.Index);
        case C::PhotoButton: return designer.PhotoButton;
        default: return false;
    }
}

void RunDesignerCommand(TfrmCustomBtnCls& designer, const DesignerItem& item) {
    if (!DesignerCommandEnabled(designer, item)) return;
    switch (item.Command) {
        case C::New: designer.NewStyle(); break;
        case C::Open: designer.OpenStyle(); break;
        case C::Save: designer.Save(); break;
        case C::SaveAs: designer.SaveAs(); break;
        case C::CloseMenu: designer.CloseMenu(); break;
        case C::CopyPicture: designer.CopyPicture(item.Mask); break;
        case C::PastePicture: designer.PastePicture(item.Mask); break;
        case C::LoadPicture: designer.LoadPicture(item.Mask); break;
        case C::SavePicture: designer.SavePicture(item.Mask); break;
        case C::FontEntry: designer.FormatFontEntry(std::string(DesignerItemText(item))); break;
        case C::SizeEntry: designer.FormatSizeEntry(std::string(DesignerItemText(item))); break;
        case C::Bold: designer.FlipBold(); break;
        case C::Italic: designer.FlipItalic(); break;
        case C::Underline: designer.FlipUnderline(); break;
        case C::Align: designer.SetAlignment(Alignment(item.Index)); break;
        case C::NudgeLeft: designer.NudgeTextLeft(); break;
        case C::NudgeRight: designer.NudgeTextRight(); break;
        case C::NudgeUp: designer.NudgeTextUp(); break;
        case C::NudgeDown: designer.NudgeTextDown(); break;
        case C::CopyMap: designer.CopyButtonMap(); break;
        case C::PhotoButton: designer.SetPhotoButton(!designer.PhotoButton); break;
        default: break;
    }
}

}  // namespace orvane
