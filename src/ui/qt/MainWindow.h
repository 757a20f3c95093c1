#pragma once

#include "app/EditorModel.h"
#include "platform/PathText.h"
#include "ui/qt/QtPlatform.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QTimer;
class QToolButton;

namespace orvane {

class DesignSurface;
class FormatToolbar;

// The general error report: an error of the file layer (or any other that
// reached the window) as an error message.
void ReportError(Platform& platform, const std::exception& error);
class PaletteColumnView;
class PaletteFrame;

// The editor's main window: the menus and tool bars, the formatting toolbar,
// the palette column and the design surface. Every value lives in the editor
// model; the window shows it and forwards what the user does.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(const AppFolders& folders, std::vector<std::string> args);
    // Everything in one folder, as a build folder has it.
    TForm1(const std::filesystem::path& appFolder, std::vector<std::string> args)
        : TForm1(AppFolders::PortableIn(Utf8FromPath(appFolder)), std::move(args)) {}
    ~TForm1() override;

    EditorModel& Model() { return model_; }
    QtPlatform& Desktop() { return platform_; }
    DesignSurface* Surface() const { return surface_; }
    PaletteColumnView* Palettes() const { return column_; }
    FormatToolbar* Formatting() const { return format_; }
    // Whether the deferred start-up has run.
    bool Started() const { return started_; }
    // A termination request (a logout, kill): ends the editor as the user
    // would, whatever window is up, asking nothing: each window is dismissed
    // and none is shown again, the settings are written, the snapshots removed.
    void Terminate();
    // A second start on the same settings handed files over: the window comes
    // to the front and opens them as dropped files, once nothing else is
    // being asked. No files: only to the front.
    void TakeHandOver(const std::vector<std::filesystem::path>& files);
    // Renders the model into every control and the design surface.
    void ShowModel();
    // Starts the button animation on the design surface; a timer plays it
    // while the window keeps running.
    void ButtAni();
    // Opens or closes palette index (0-4) and restacks the column.
    void TogglePalette(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildPalettes();
    QWidget* BuildDescriptionPalette();
    QWidget* BuildPositionPalette();
    QWidget* BuildStylePalette();
    QWidget* BuildCustomPalette();
    QWidget* BuildButtonPalette();
    // Runs a model command, then shows the model again.
    void Run(const std::function<void()>& command);
    void ShowPalettes();
    void ApplyFocusRequest();
    // The animation's timer tick, its end, and the buttons moved on the surface.
    void AnimationStep();
    void StopAnimation();
    void ShowAnimationMoves(const std::vector<AnimationMove>& moves);
    void ArrangePalettes(int inView = -1);
    void RefreshMenuList();
    void OpenHandedOver();
    void ShowContextMenu(int button, QPoint globalPos);
    void RunCommandWizard();
    void RunAutorunWizard();
    void CopyButtonStyle();
    void OpenMenuColorPicker(QWidget* anchor);
    QSlider* AddSlider(QGridLayout* grid, int row, const QString& caption, int min, int max, int step,
                       QLabel** value, void (PropertyPanels::*set)(int));

    QtPlatform platform_;
    EditorModel model_;
    std::vector<std::string> args_;
    bool closing_ = false;
    bool started_ = false;
    bool closeAfterStart_ = false;
    bool ending_ = false;  // a termination request is being carried out
    std::vector<std::filesystem::path> handedOver_;  // files waiting for start-up or a dialog to end
    QTimer* animationTimer_ = nullptr;
    QElapsedTimer animationClock_;

    DesignSurface* surface_ = nullptr;
    QScrollArea* surfaceScroll_ = nullptr;
    FormatToolbar* format_ = nullptr;
    PaletteColumnView* column_ = nullptr;
    std::array<PaletteFrame*, 5> frames_{};
    QTimer* redrawTimer_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    std::vector<QAction*> menuList_;

    // Actions shared by menus, tool bars and context menus.
    QAction *new_{}, *open_{}, *save_{}, *saveAs_{}, *autorun_{}, *exit_{};
    QAction *undo_{}, *redo_{}, *cut_{}, *copy_{}, *paste_{}, *addButton_{}, *deleteButton_{}, *moveUp_{},
        *moveDown_{}, *previous_{}, *next_{};
    QAction *animate_{}, *onePalette_{}, *disableSounds_{}, *highQuality_{};
    std::array<QAction*, 5> viewPalette_{};

    // Palette 1
    QLineEdit* title_ = nullptr;
    QPlainTextEdit* menuText_ = nullptr;
    QCheckBox* animateTitle_ = nullptr;
    // Palette 2
    std::array<QRadioButton*, 11> positions_{};
    QLabel* positionCaption_ = nullptr;
    // Palette 3
    QComboBox* styles_ = nullptr;
    QToolButton* menuColor_ = nullptr;
    QToolButton* menuColorMore_ = nullptr;
    std::array<QToolButton*, 5> presets_{};
    QCheckBox* autoAdjust_ = nullptr;
    QComboBox* animation_ = nullptr;
    QComboBox* buttonStyles_ = nullptr;
    QSlider* textVisibility_ = nullptr;
    QSlider* titleVisibility_ = nullptr;
    QLabel* textVisibilityValue_ = nullptr;
    QLabel* titleVisibilityValue_ = nullptr;
    std::vector<QWidget*> photoControls_;
    // Palette 4
    QSlider* menuWidth_ = nullptr;
    QSlider* menuHeight_ = nullptr;
    QSlider* buttonWidth_ = nullptr;
    QSlider* buttonHeight_ = nullptr;
    QSlider* buttonGap_ = nullptr;
    QLabel *menuWidthValue_{}, *menuHeightValue_{}, *buttonWidthValue_{}, *buttonHeightValue_{}, *buttonGapValue_{};
    std::vector<QWidget*> menuSizeControls_;
    std::vector<QWidget*> buttonSizeControls_;
    QCheckBox* photoAspect_ = nullptr;
    QCheckBox* autoSizeMenu_ = nullptr;
    QCheckBox* autoSizeButtons_ = nullptr;
    // Palette 5
    QLineEdit* caption_ = nullptr;
    QLineEdit* argument_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
    QLineEdit* command_ = nullptr;
    QCheckBox* exitOnClick_ = nullptr;
    QCheckBox* minimize_ = nullptr;
    QCheckBox* maximize_ = nullptr;
    QPushButton* wizard_ = nullptr;
    std::vector<QWidget*> buttonFields_;
};

}  // namespace orvane
