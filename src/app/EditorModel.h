#pragma once

#include "document/Json.h"
#include "document/MenuRecords.h"
#include "document/MenuType.h"
#include "document/mdlfilebin.h"
#include "platform/Platform.h"
#include "app/AnimationPreview.h"
#include "app/AppFolders.h"
#include "app/ColorTarget.h"
#include "app/ButtonCommands.h"
#include "app/EditorSession.h"
#include "app/FileCommands.h"
#include "app/UndoHistory.h"
#include "app/FormatBar.h"
#include "app/Guards.h"
#include "app/PaletteColumn.h"
#include "app/PropertyPanels.h"
#include "app/Settings.h"
#include "distribution/AutorunWizard.h"
#include "distribution/CommandWizard.h"
#include "platform/FileUtil.h"
#include "render/ButtonAnimation.h"
#include "render/MenuSkin.h"
#include "styles/ButtonStyles.h"
#include "styles/StyleList.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

// The colour picker, the shadow-set pop-up and the copy-custom window.
class TfrmColorsCls;
class TfrmShadowSets;
class TfrmCopyCustom;

// How a document is written: a menu file (its pictures too, with the
// progress window, and the document counts as saved), or an undo snapshot
// (the fields only, silently).
enum class SaveMode { Menu, Snapshot };
enum class Overwrite { Replace, Ask };

// The editor model: what the main window owns and does, without a display.
// It owns the one menu document for the program's whole run; a new menu or an
// opened file overwrites it in place.
class EditorModel {
    Platform& platform_;
    UndoHistory undo_{*this};
    EditorSession session_{*this};
    FileCommands files_{*this};
    ButtonCommands buttons_{*this};
    PropertyPanels properties_{*this};
    AnimationPreview preview_{*this};

public:
    EditorModel(Platform& platform, AppFolders folders);
    // Everything in one folder, as a build folder has it (the tools and tests).
    EditorModel(Platform& platform, std::filesystem::path appFolder);

    Platform& Desktop() { return platform_; }

    // The parts of the editor's work, each with its own state.
    UndoHistory& Undo() { return undo_; }
    const UndoHistory& Undo() const { return undo_; }
    EditorSession& Session() { return session_; }
    const EditorSession& Session() const { return session_; }
    FileCommands& Files() { return files_; }
    const FileCommands& Files() const { return files_; }
    ButtonCommands& Buttons() { return buttons_; }
    PropertyPanels& Properties() { return properties_; }
    AnimationPreview& Preview() { return preview_; }
    const AnimationPreview& Preview() const { return preview_; }
    const PropertyPanels& Properties() const { return properties_; }

    // What the views show; they change it through the commands.
    const MenuDocument& Doc() const { return doc_; }
    const EditorFlags& Flags() const { return flags_; }
    const AppFolders& Folders() const { return folders_; }
    const std::string& AppFolder() const { return appFolder_; }
    const std::string& WindowCaption() const { return windowCaption_; }
    bool DesignSurfaceVisible() const { return designSurfaceVisible_; }
    int RenderSuspended() const { return renderSuspended_; }
    bool RenderMissed() const { return renderMissed_; }
    int RedrawCountdown() const { return redrawCountdown_; }
    const StyleList& Styles() const { return styles_; }
    const ButtonStyleList& ButtonStyles() const { return buttonStyles_; }
    int SelectedStyle() const { return selectedStyle_; }
    const std::array<uint32_t, 5>& Presets() const { return presets_; }
    bool StyleChanging() const { return styleChanging_; }
    bool PhotoControlsEnabled() const { return photoControlsEnabled_; }
    const SkinRenderer& Renderer() const { return renderer_; }
    bool FastScaling() const { return fastScaling_; }
    bool DesignerScaledLast() const { return designerScaledLast_; }
    int RenderCount() const { return renderCount_; }
    const std::string& TextLabel() const { return textLabel_; }
    const AutorunBuilder& Builder() const { return builder_; }
    ColorTarget PickerTarget() const { return pickerTarget_; }
    uint32_t PickedColor() const { return pickedColor_; }
    int CopyCustomChoice() const { return copyCustomChoice_; }

    // While the window fills its controls from the document, what they report
    // is not an edit.
    [[nodiscard]] FlagSet FillingControls() { return FlagSet(flags_.Updating); }

    // Writes the document to folder + fileName, replacing a file that is there
    // (after asking, with Overwrite::Ask). False when the question was
    // declined; file errors propagate as FileError.
    bool BinMenuSave(SaveMode mode, const std::string& folder, const std::string& fileName,
                     Overwrite overwrite = Overwrite::Replace);

    // Reads a menu file (or, with snapshot set, an undo snapshot) into the
    // document. A refused file leaves the document exactly as it was.
    // Returns whether the document was replaced.
    bool BinMenuOpen(const std::string& fileName, const std::string& folder, bool snapshot);

    // file name + " (" + title + ") - " + application title
    std::string FileCaption() const;

    // Styles -------------------------------------------------------------
    // Fills the style list with the built-in styles (main window creation).
    void CreateStyles();
    // Adds the style files of styles/ and loads the button styles of buttons/.
    void LoadStyleFolders();
    // The list position of a style name; -1 when no style has it.
    int StylePositionByName(const std::string& name) const;
    // Applies the style at a list position to the document.
    void ComboBox1Select(int position);
    // Applies a "Button Style" list entry to the document.
    void ComboBox2Select(int entry);
    // "Add New..." and "Custom Button Style...": the designer, then the button
    // style list read again so styles saved there appear.
    void AddButtonStyle1Click();
    // The window that opens the button style designer modally.
    void SetDesignerWindow(std::function<void()> open) { openDesignerWindow_ = std::move(open); }
    // Starts a new menu (New after its save question).
    void StartNewMenu();
    // "Set Background Image...": asks for a photo and switches to a photo style.
    void SetBackgroundImage();
    // A picture file dropped on the design surface of a photo style becomes its photo.
    void DropPhoto(const std::filesystem::path& path);

    // Building a menu outside the window (the command-line tool): the values
    // are stored as given, without undo steps or the deferred redraw.
    void SetPhoto(const std::string& file, Bitmap photo);
    // Recolours the artwork to the colour, taking its text colours.
    void SetMenuColor(uint32_t color);
    // The title and the menu text; an empty one keeps what is there.
    void Describe(const std::string& title, const std::string& text);

    // Rendering ------------------------------------------------------------
    static constexpr int RedrawDelay = 10;

    // Recolours the selected style's artwork to the menu colour (by the
    // "Auto Adjust" rule), optionally takes its text colours, and renders.
    void ColorSkin(bool takeTextColours);
    void NewColorSkin(bool takeTextColours);
    // Renders the menu: MenuImage, the buttons' images and the layout.
    void CreateSkin();
    // Fades the selected photo style's mask by the two box visibilities.
    void FadeMask();
    // The 100 ms timer: counts the deferred redraw down and renders at 0.
    void Tick();
    // What the design surface shows: the menu image, the window-control
    // example, the buttons in place (button in the given state, the others
    // normal) and TextLabel in the menu-text label, with its shadow.
    Bitmap DesignSurfaceImage(int button = 0, int state = 0) const;
    // The same without the buttons: what lies under the button previews,
    // which the window places itself. Drawn into out, whose storage is used
    // again when the size is the same (the largest menu's is 75 MB).
    void DesignSurfaceBack(Bitmap& out) const;
    // The button whose preview lies under a point of the surface; 0 for none.
    int ButtonAt(int x, int y) const;
    // Marks the scaled photo out of date.
    void PhotoChanged() { renderer_.Graphics.ScaleCacheDirty = true; }
    bool IsMyBackground() const { return selectedStyle_ == styles_.MyBackgroundPosition(); }

    // The palette a command opens.
    enum Palette { MenuDescription = 0, DisplayPosition, MenuStylePalette, CustomProperties, ButtonProperties };
    // Opens a closed palette through the column, so one-palette mode holds.
    void OpenPalette(Palette palette) { palettes_.OpenIfClosed(int(palette)); }
    PaletteColumn& Palettes() { return palettes_; }
    const PaletteColumn& Palettes() const { return palettes_; }
    // The formatting toolbar: the selected element's font.
    FormatBar& Format() { return format_; }
    const FormatBar& Format() const { return format_; }

    // The animation's path: renders a pending redraw first, then the moves
    // to play (Preview() plays them).
    std::vector<AnimationMove> ButtAniPath(int windowWidth);
    // "Wizard >": the command wizard for the selected button, or null after
    // the message when no button is selected.
    std::unique_ptr<TfrmBtnWizCls> OpenCommandWizard();
    // "Create Autorun EXE": offers to save first; null when cancelled.
    std::unique_ptr<TfrmEXEWizCls> OpenAutorunWizard();

    // Colour picker, shadow-set pop-up and copy custom ------------------------------
    // Applies a colour from the picker to a main-window target, with an undo
    // snapshot first when asked.
    void ApplyPickedColor(ColorTarget target, uint32_t color, bool undoSnapshot);
    // The current colour of a main-window target, which the picker starts on.
    uint32_t PickerStartColor(ColorTarget target) const;
    // The toolbar's colour buttons: the picker for a main-window target.
    std::unique_ptr<TfrmColorsCls> OpenColorPicker(ColorTarget target);
    // The toolbar's "Shadow Depth" button.
    std::unique_ptr<TfrmShadowSets> OpenShadowSets();
    // "Copy Button Style...": show runs the window modally; however it
    // closed, the selected style is applied again.
    void CopyButtonStyle1Click(const std::function<void(TfrmCopyCustom&)>& show);

    std::string StylesFolder() const { return folders_.UserStyles; }
    std::string ButtonsFolder() const { return folders_.UserButtons; }
    // The folders styles and button styles are read from, built-in ones first.
    std::vector<std::filesystem::path> StyleFolders() const;
    std::vector<std::filesystem::path> ButtonFolders() const;

private:
    // The parts of the model and the window models that edit the document
    // with it.
    friend class UndoHistory;
    friend class EditorSession;
    friend class FileCommands;
    friend class ButtonCommands;
    friend class PropertyPanels;
    friend class AnimationPreview;
    friend class FormatBar;
    friend class TfrmColorsCls;
    friend class TfrmShadowSets;
    friend class TfrmCopyCustom;
    friend class TfrmCustomBtnCls;
    friend bool ImportMenu(EditorModel& model, const Json& json, std::string& error);
    // Test set-up for states no command reaches (tests/support).
    friend struct EditorModelAccess;

    MenuDocument doc_;
    EditorFlags flags_;
    RecordFile records_;

    AppFolders folders_;     // where settings, styles, undo, help and the editor's own file live
    std::string appFolder_;  // the program's folder (ends in "/"): the editor's own file
    std::string windowCaption_{kAppTitle};
    bool designSurfaceVisible_ = true;
    int renderSuspended_ = 0;
    bool renderMissed_ = false;  // a recolour or render was asked for while suspended
    int redrawCountdown_ = -1;

    StyleList styles_;
    ButtonStyleList buttonStyles_;
    int selectedStyle_ = 5;                 // list position in the "Menu Style" list
    std::array<uint32_t, 5> presets_{};     // the five preset swatches
    bool styleChanging_ = false;            // recolouring waits while a style is applied
    bool photoControlsEnabled_ = false;     // photo aspect and the two visibility sliders
    std::function<void()> openDesignerWindow_;

    SkinRenderer renderer_;
    bool fastScaling_ = true;
    bool designerScaledLast_ = false;  // the designer used the smooth scaler's planes last
    int renderCount_ = 0;  // renders done, for whoever needs to know one happened

    PaletteColumn palettes_;
    FormatBar format_{*this};
    // What the design surface's menu-text label and its shadow label show:
    // the menu text, or a button's description while the pointer is on it.
    std::string textLabel_ = doc_.Props.MenuText;
    AutorunBuilder builder_{platform_, appFolder_};

    // What the picker and the shadow-set pop-up edit.
    ColorTarget pickerTarget_ = ColorTarget::FontColor;
    uint32_t pickedColor_ = 0;  // in: the picker's starting colour; out: the chosen one
    int copyCustomChoice_ = 0;  // the copy-custom window's last choice, for this run

    // The working copy of the selected style's artwork.
    const Bitmap& CurrentSheet() const;
    void DrawTextLabel(Bitmap& out) const;
    void DrawWindowControls(Bitmap& out) const;
    // The style's artwork with a custom button style's faces, as a grid.
    void LoadSheet();
    void TakeTextColours(bool fromSheet);
    void InstallStyleFile(const std::string& fileName, const std::string& folder, const std::string& magic);
    // The photo of a photo-style menu being read: where the menu says, else
    // beside the menu file, else the user is asked for it.
    void LoadStoredPhoto(const std::string& menuFolder);
    // Makes a picture file the background photo; false, after saying so,
    // when it cannot be read.
    bool UsePhoto(const std::filesystem::path& path);
    void ApplyStyleFonts(const MenuStyle& style);

    // Steps that later parts of the editor fill in.

    void ApplyStoredMenu(const StoredMenu& stored, int buttonCount, bool snapshot, const std::string& fileName,
                         const std::string& folder);

    // What an operation that replaces the document puts back when it fails
    // halfway: the document and everything drawn from it.
    struct EditorState {
        MenuDocument Doc;
        int SelectedStyle;
        std::array<uint32_t, 5> Presets;
        EditorFlags Flags;
        bool PhotoControlsEnabled;
        int ButtonStyleSelected;
        Bitmap CustomCarrier, CustomCarrierMask;
        std::string TextLabel, WindowCaption;
        DesignLayout Layout;
        TBmpArray SkinSheet, MaskSheet;
        int AppliedTextVisibility, AppliedTitleVisibility;
        int RedrawCountdown;
    };
    EditorState CaptureState() const;
    void ResetDocument();
    void RestoreState(const EditorState& state);
};

// A photo or picture that exists but cannot be decoded.
inline std::string PictureUnreadable(const std::string& path) {
    return "The picture could not be loaded:\r\r" + path + "\r\rIt may be damaged, or not a JPEG, PNG or BMP picture.";
}

inline const std::string kExitButtonMessage =
    "An exit button was not found on this menu.\r\r"
    "Remember to add a button with no command and \"Exit the\"\r"
    "menu system when this button is clicked.\" Set To allow\r"
    "your users to close the menu without executing a command.\r";

}  // namespace orvane
