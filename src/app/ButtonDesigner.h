#pragma once

#include "app/DesignerTarget.h"
#include "document/MenuType.h"
#include "platform/Bitmap.h"
#include "styles/ButtonStyles.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class EditorModel;
class Platform;
class TfrmColorsCls;
class TfrmShadowSets;

// The button style designer ("Custom Button Style"): three 32 x 32 button
// pictures with their masks, the caption's font and shadow, a default
// animation and the photo-button switch, shown on a live 140 x 32 sample.
// A new one is made each time the window opens; nothing is kept between.
class TfrmCustomBtnCls : public DesignerTarget {
public:
    static constexpr int kSampleWidth = 140;
    static constexpr int kSampleHeight = 32;
    static constexpr int kBackgroundWidth = 189;
    static constexpr int kBackgroundHeight = 137;
    static constexpr int kBlendX = (kBackgroundWidth - kSampleWidth - 4) / 2;    // 22
    static constexpr int kBlendY = (kBackgroundHeight - kSampleHeight - 4) / 2;  // 50
    static constexpr int kSampleX = (kBackgroundWidth - kSampleWidth + 4) / 2;   // 26, in the panel
    static constexpr int kSampleY = (kBackgroundHeight - kSampleHeight + 4) / 2; // 54
    static constexpr int kFontListHead = 13;  // twelve popular names and the separator
    static inline const std::string kSampleCaption = "Sample Button";
    static inline const std::string kDefaultStyleName = "MyStyle";
    // Twelve em dashes: a separator, never a font.
    static const std::string kFontSeparator;
    static const std::array<std::string, 12> kPopularFonts;

    // installedFonts: the desktop's font families (the font list's tail).
    TfrmCustomBtnCls(EditorModel& editor, std::vector<std::string> installedFonts = {});
    ~TfrmCustomBtnCls() override;

    // State --------------------------------------------------------------------
    std::array<Bitmap, 7> SlotPictures;     // 1 to 3 buttons, 4 to 6 their masks; 0 unused
    std::array<Bitmap, 7> DefaultPictures;  // 0 the text canvas, 1 to 6 as SlotPictures
    int SelectedSlot = 1;
    Bitmap SknImg, SknMsk;                  // 96 x 32 strips
    std::array<Bitmap, 3> StateBitmaps;
    std::array<Bitmap, 3> ComposedStates;   // normal, highlighted, pressed
    Bitmap SkinStrip, SavedStrip, StretchedImage, StretchedMask;
    Bitmap SampleBackground;                // 189 x 137
    Bitmap TextCanvas;
    FontSpec CaptionFont;                   // lblBtn
    uint32_t ShadowColor = 0;               // lblButtonShd's colour
    int NudgeLeft = 14;
    int NudgeTop = -1;
    bool PhotoButton = true;                // "Photo Button Style"
    std::string StyleFileName, StyleFolder; // StyleFolder ends in "/"
    bool HasStyleFile = false;
    bool Modified = false;
    int SampleCountdown = -1;
    int SampleDelay = 2;
    std::string LastImageFolder;
    std::string StyleName = kDefaultStyleName;  // "Button Style Name"
    int Animation = 0;                          // "Default Button Animation" index

    // The name and animation fields. They count as changes, so closing after
    // editing only them still asks before losing them.
    void SetStyleName(const std::string& name);
    void SetAnimation(int animation);
    std::vector<std::string> FontList;
    int FontIndex = 0;
    std::vector<std::string> SizeList;          // "4" to "72"
    std::string SizeText = "9";
    int ShownState = 0;                         // which composed state the sample shows

    // Window layout the display follows.
    int SlotCaptionX() const { return PhotoButton ? 100 : 60; }
    bool MaskColumnVisible() const { return PhotoButton; }
    bool MaskToolsEnabled() const { return PhotoButton; }

    // Timer and sample ---------------------------------------------------------
    void ArmSample() { SampleCountdown = SampleDelay; }
    // The 10 ms timer.
    void Tick();
    void CompileBtnSkn();
    void ComposeSample() override;
    void PointerEnter() { ShownState = 1; }
    void PointerLeave() { ShownState = 0; }
    void PointerDown() { ShownState = 2; }
    void PointerUp() { ShownState = 1; }
    const Bitmap& ShownSample() const { return ComposedStates[size_t(ShownState)]; }

    // Selects the slot named by the last two characters of a control's name
    // ("BtnImg02", "MskImg03", "Label01"); other names are ignored.
    void SelectSlotByName(const std::string& controlName);

    // Formatting ---------------------------------------------------------------
    void SelectFontEntry(int index);
    void SetFontText(const std::string& text);
    void SetSizeText(const std::string& text);
    void FormatFontEntry(const std::string& caption);
    void FormatSizeEntry(const std::string& caption);
    void SetBold(bool on);
    void SetItalic(bool on);
    void SetUnderline(bool on);
    void FlipBold() { SetBold(!CaptionFont.Bold); }
    void FlipItalic() { SetItalic(!CaptionFont.Italic); }
    void FlipUnderline() { SetUnderline(!CaptionFont.Underline); }
    void SetAlignment(Alignment alignment);
    void NudgeTextLeft();
    void NudgeTextRight();
    void NudgeTextUp();
    void NudgeTextDown();
    void SetPhotoButton(bool on);
    // "Font Color", "Shadow Color", "Shadow Depth": the tool windows on the
    // designer's targets -2, -3 and -4.
    std::unique_ptr<TfrmColorsCls> OpenFontColor();
    std::unique_ptr<TfrmColorsCls> OpenShadowColor();
    std::unique_ptr<TfrmShadowSets> OpenShadowDepth();

    // DesignerTarget
    void SetCaptionColor(uint32_t color) override;
    void SetShadowColor(uint32_t color) override;
    int ShadowDepth() const override { return shadowDepth_; }
    void SetShadowDepth(int depth) override;
    void SetSampleCountdown(int ticks) override { SampleCountdown = ticks; }

    // Commands -----------------------------------------------------------------
    // The save-changes question; false when the user cancelled.
    bool SaveQuestion();
    void NewStyle();
    void CloseMenu();  // "&Close Menu": the question, then New
    void OpenStyle();
    void ReadStyleFile(const std::string& fileName, const std::string& folder);
    bool Save();
    bool SaveAs();
    bool WriteStyleFile(const std::string& fileName, const std::string& folder);
    void LoadPicture(bool mask);
    void PastePicture(bool mask);
    void CopyPicture(bool mask);
    void SavePicture(bool mask);
    void CopyButtonMap();
    // Closing the window; false keeps it open.
    bool CloseQuery() { return SaveQuestion(); }

    // name with its file-name part's extension forced to extension (".ovgbtn").
    static std::string ForceExtension(const std::string& path, const std::string& extension);
    // The 32 x 32 map of the nine stretching pieces.
    static Bitmap ButtonMap();
    // The style as the file stores it, from the current state.
    ButtonStyleFile StyleForFile() const;

private:
    EditorModel& editor_;
    Platform& platform_;
    int shadowDepth_ = 1;

    void FormCreate(std::vector<std::string> installedFonts);
    void ResetCaption();
    void ApplyFontList();
    void StretchPieces(Bitmap& state, int x0);
    Bitmap& SelectedPicture(bool mask) { return SlotPictures[size_t(SelectedSlot + (mask ? 3 : 0))]; }
    void TakePicture(Bitmap picture, bool mask);
    std::string ButtonsFolder() const;
};

}  // namespace orvane
