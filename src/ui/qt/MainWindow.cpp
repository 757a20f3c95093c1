#include "MainWindow.h"
#include "ui/qt/QtConvert.h"

#include "app/FormatBar.h"
#include "app/Guards.h"
#include "app/MainMenu.h"
#include "app/Tips.h"
#include "ui/qt/AboutBox.h"
#include "ui/qt/AutorunWizardDialog.h"
#include "ui/qt/ButtonDesignerDialog.h"
#include "ui/qt/CommandWizardDialog.h"
#include "ui/qt/CopyCustomDialog.h"
#include "ui/qt/DesignSurface.h"
#include "ui/qt/FormatToolbar.h"
#include "ui/qt/Icons.h"
#include "ui/qt/Palettes.h"
#include "ui/qt/PublishDialogs.h"

#include <QAction>
#include <iostream>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QAbstractSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QSlider>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include <map>

namespace orvane {

void ReportError(Platform& platform, const std::exception& error) {
    ShowMessageBox(platform, error.what(), MsgType::Error);
}

namespace {



}  // namespace

TForm1::TForm1(const AppFolders& folders, std::vector<std::string> args)
    : platform_(this), model_(platform_, folders), args_(std::move(args)) {
    setObjectName("Form1");
    platform_.SetHelpFolder(model_.Folders().Help);
    model_.Session().Report = [](const std::string& text) { std::cerr << "orvane-graphic: " << text << "\n"; };
    setWindowTitle(Q(kAppTitle));
    setWindowIcon(Glyph("autorun"));

    surface_ = new DesignSurface(model_);
    surfaceScroll_ = new QScrollArea;
    surfaceScroll_->setWidget(surface_);
    surfaceScroll_->setAlignment(Qt::AlignCenter);
    surfaceScroll_->setBackgroundRole(QPalette::Mid);
    surfaceScroll_->setFrameShape(QFrame::NoFrame);
    connect(surface_, &DesignSurface::SelectionChanged, this, [this] {
        ShowModel();
        ApplyFocusRequest();
    });
    connect(surface_, &DesignSurface::ContextMenuRequested, this, &TForm1::ShowContextMenu);
    connect(surface_, &DesignSurface::PhotoDropped, this, [this](const QString& path) {
        Run([this, path] { model_.DropPhoto(path.toStdString()); });
    });
    setAcceptDrops(true);

    BuildActions();
    BuildMenus();
    BuildToolBar();
    format_ = new FormatToolbar(model_, this);
    addToolBarBreak();
    addToolBar(format_);
    connect(format_, &FormatToolbar::Changed, this, [this] { ShowModel(); });
    BuildPalettes();

    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(column_);
    row->addWidget(surfaceScroll_, 1);
    setCentralWidget(central);

    model_.SetDesignerWindow([this] {
        ButtonDesignerDialog designer(model_, this);
        designer.exec();
    });
    model_.Session().Start();
    column_->MeasurePalettes();
    ArrangePalettes();
    column_->verticalScrollBar()->setValue(0);
    onePalette_->setChecked(model_.Palettes().OnePaletteMode);
    ShowModel();  // the controls show their defaults while start-up runs

    // A sensible first size that still fits a small screen.
    const QRect screen = QApplication::primaryScreen() ? QApplication::primaryScreen()->availableGeometry()
                                                       : QRect(0, 0, 1366, 768);
    resize(std::min(1200, screen.width() - 40), std::min(800, screen.height() - 40));
    move(screen.center() - rect().center());

    qApp->installEventFilter(this);
    redrawTimer_ = new QTimer(this);
    connect(redrawTimer_, &QTimer::timeout, this, [this] {
        const int before = model_.RedrawCountdown();
        model_.Tick();
        if (before == 1 && !surface_->Animating()) {
            ShowPalettes();  // auto-sizing may have moved the size sliders
            surface_->Refresh();
        }
    });
    // The button animation: one frame per pause, as the player shows it.
    animationTimer_ = new QTimer(this);
    animationTimer_->setTimerType(Qt::PreciseTimer);
    animationTimer_->setInterval(kAnimationPauseMs);
    connect(animationTimer_, &QTimer::timeout, this, &TForm1::AnimationStep);
    // The second stage of start-up runs once the window is up.
    QTimer::singleShot(10, this, [this] {
        model_.Session().ShowDocument = [this] { ShowModel(); };
        model_.Session().DeferredStart(args_);
        redrawTimer_->start(100);
        started_ = true;
        ShowModel();
        if (closeAfterStart_) close();
    });
}

TForm1::~TForm1() { qApp->removeEventFilter(this); }

namespace {

// A window that holds the user (a dialog, a message, a tip, a pop-up menu).
bool Holding(const QWidget* w) {
    return w->isWindow() && (w->windowModality() != Qt::NonModal || w->windowType() == Qt::Popup);
}

}  // namespace

void TForm1::Terminate() {
    ending_ = true;
    platform_.SetEnding(true);
    // Every window up now closes; each code path waiting on one goes on with
    // its cancel, and the event filter closes any window it opens next.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible() && Holding(w)) QMetaObject::invokeMethod(w, &QWidget::close, Qt::QueuedConnection);
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// Actions, menus and tool bars ---------------------------------------------------------

void TForm1::BuildActions() {
    auto make = [this](const QString& text, const QString& hint, const QString& glyph, QKeySequence key,
                       std::function<void()> command) {
        auto* action = new QAction(text, this);
        if (!hint.isEmpty()) action->setToolTip(hint);
        if (!glyph.isEmpty()) action->setIcon(Glyph(glyph));
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, command] { Run(command); });
        return action;
    };
    new_ = make("New", "New", "new", QKeySequence("Ctrl+N"), [this] { model_.Files().New(); });
    open_ = make("&Open...", "Open", "open", QKeySequence("Ctrl+O"), [this] { model_.Files().Open(); });
    save_ = make("&Save", "Save", "save", QKeySequence("Ctrl+S"), [this] { model_.Files().Save(); });
    saveAs_ = make("Save &As...", "", "", QKeySequence("Ctrl+A"), [this] { model_.Files().SaveAs(); });
    autorun_ = make("Create Autorun EXE...", "Create Autorun EXE", "autorun", QKeySequence("Ctrl+E"),
                    [this] { RunAutorunWizard(); });
    exit_ = new QAction("E&xit", this);
    connect(exit_, &QAction::triggered, this, [this] {
        platform_.ProcessMessages();
        close();
    });
    undo_ = make("&Undo", "Undo", "undo", QKeySequence::Undo, [this] { model_.Undo().Undo(); });
    redo_ = make("&Redo", "Redo", "redo", QKeySequence("Ctrl+Y"), [this] { model_.Undo().Redo(); });
    cut_ = make("Cu&t", "Cut (Button)", "cut", QKeySequence("Ctrl+X"), [this] { model_.Buttons().Cut(); });
    copy_ = make("&Copy", "Copy (Button)", "copy", QKeySequence("Ctrl+C"), [this] { model_.Buttons().Copy(); });
    paste_ = make("&Paste", "Paste (Button)", "paste", QKeySequence("Ctrl+V"), [this] { model_.Buttons().Paste(); });
    addButton_ = make("&Add Button", "Add New Button", "add_button", QKeySequence("Ctrl+B"), [this] { model_.Buttons().Add(); });
    deleteButton_ = make("&Delete Button", "Delete Button", "delete_button", QKeySequence("Ctrl+Delete"),
                         [this] { model_.Buttons().Delete(); });
    moveUp_ = make("Move Up", "Move Up", "move_up", QKeySequence(), [this] { model_.Buttons().MoveUp(); });
    moveDown_ = make("Move Down", "Move Down", "move_down", QKeySequence(), [this] { model_.Buttons().MoveDown(); });
    previous_ = make("Previous", "Previous", "previous", QKeySequence(), [this] { model_.Buttons().Previous(); });
    next_ = make("Next", "Next", "next", QKeySequence(), [this] { model_.Buttons().Next(); });
    animate_ = new QAction(Glyph("animate"), "Animate Buttons", this);
    animate_->setToolTip("Animate buttons now");
    connect(animate_, &QAction::triggered, this, [this] { ButtAni(); });

    onePalette_ = new QAction("One Palette Visible at a Time", this);
    onePalette_->setCheckable(true);
    connect(onePalette_, &QAction::triggered, this, [this](bool) {
        model_.Palettes().SetOnePaletteMode(!model_.Palettes().OnePaletteMode);
        onePalette_->setChecked(model_.Palettes().OnePaletteMode);
        int first = -1;
        for (int i = 0; i < PaletteColumn::kCount && first < 0; ++i)
            if (model_.Palettes().Open[size_t(i)]) first = i;
        ArrangePalettes(first);
    });
    disableSounds_ = new QAction("Disable Menu Sounds", this);
    disableSounds_->setCheckable(true);
    connect(disableSounds_, &QAction::triggered, this, [this](bool on) { Run([this, on] { model_.Properties().SetDisableSounds(on); }); });
    highQuality_ = new QAction("High Quality Photo Scaling", this);
    highQuality_->setCheckable(true);
    connect(highQuality_, &QAction::triggered, this, [this](bool) { Run([this] { model_.Properties().ToggleHighQualityScaling(); }); });

    const std::array<const char*, 5> palettes = {"Menu &Description", "Display &Position", "Menu &Style",
                                                 "&Custom Properties", "&Button Properties"};
    for (int i = 0; i < 5; ++i) {
        auto* action = new QAction(palettes[size_t(i)], this);
        action->setCheckable(true);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + i)));
        connect(action, &QAction::triggered, this, [this, i] { TogglePalette(i); });
        viewPalette_[size_t(i)] = action;
    }
}

void TForm1::BuildMenus() {
    fileMenu_ = menuBar()->addMenu("&File");
    fileMenu_->addActions({new_, open_, save_, saveAs_});
    fileMenu_->addSeparator();
    fileMenu_->addAction(autorun_);
    (new PublishActions(model_, this, [this] { ShowModel(); }))->AddTo(fileMenu_);
    fileMenu_->addSeparator();
    for (int i = 0; i < FileCommands::kMenuListSize; ++i) {
        QAction* entry = fileMenu_->addAction(QString());
        connect(entry, &QAction::triggered, this, [this, i] { Run([this, i] { model_.Files().OpenMenuListEntry(i); }); });
        menuList_.push_back(entry);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(exit_);

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addActions({undo_, redo_});
    edit->addSeparator();
    edit->addActions({cut_, copy_, paste_});
    edit->addSeparator();
    edit->addActions({addButton_, deleteButton_, moveUp_, moveDown_});

    QMenu* view = menuBar()->addMenu("&View");
    for (QAction* action : viewPalette_) view->addAction(action);
    view->addSeparator();
    view->addAction(onePalette_);

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->addAction("Custom Button Style...", this, [this] { Run([this] { model_.AddButtonStyle1Click(); }); });
    tools->addAction("Copy Button Style...", this, [this] { CopyButtonStyle(); });
    tools->addSeparator();
    tools->addAction(animate_);
    tools->addSeparator();
    tools->addActions({disableSounds_, highQuality_});
    tools->addSeparator();
    tools->addAction("Reset First Use Tips", this, [this] { model_.Session().ResetTips(); });

    QMenu* help = menuBar()->addMenu("&Help");
    auto* helpButtonMenu = new QMenu(this);
    for (const HelpEntry& entry : kHelpEntries) {
        QMenu* menu = entry.Place == HelpPlace::HelpMenu         ? help
                      : entry.Place == HelpPlace::HelpButtonMenu ? helpButtonMenu
                                                                 : nullptr;
        if (!menu) continue;
        if (!entry.Page || entry.Page == HelpPage::Troubleshooting) menu->addSeparator();
        QAction* action = menu->addAction(Q(entry.Text));
        if (!entry.Key.empty()) action->setShortcut(QKeySequence(Q(entry.Key)));
        const std::optional<HelpPage> page = entry.Page;
        connect(action, &QAction::triggered, this, [this, page] {
            if (page) {
                platform_.OpenHelpPage(*page);
            } else {
                ShowAboutBox(this, LayoutDescription(model_.Folders()));
            }
        });
    }
    helpButtonMenu->setObjectName("HelpButtonMenu");
    help->setObjectName("HelpMenu");
    setProperty("helpButtonMenu", QVariant::fromValue<QObject*>(helpButtonMenu));
}

void TForm1::BuildToolBar() {
    QToolBar* bar = addToolBar("Main");
    bar->setObjectName("MainToolbar");
    bar->setIconSize(QSize(16, 16));
    bar->setMovable(false);
    const std::map<MenuCommand, QAction*> actions = {
        {MenuCommand::FileNew, new_},       {MenuCommand::FileOpen, open_},           {MenuCommand::FileSave, save_},
        {MenuCommand::Undo, undo_},         {MenuCommand::Redo, redo_},               {MenuCommand::Cut, cut_},
        {MenuCommand::Copy, copy_},         {MenuCommand::Paste, paste_},             {MenuCommand::AddButton, addButton_},
        {MenuCommand::DeleteButton, deleteButton_}, {MenuCommand::MoveUp, moveUp_}, {MenuCommand::MoveDown, moveDown_},
        {MenuCommand::CreateAutorun, autorun_},     {MenuCommand::AnimateButtons, animate_}};
    for (const ToolbarItem& item : MainToolbarItems()) {
        if (item.Command == MenuCommand::None) {
            bar->addSeparator();
        } else if (item.Command == MenuCommand::Help) {
            auto* helpButton = new QToolButton(bar);
            helpButton->setObjectName("HelpButton");
            helpButton->setIcon(Glyph(Q(item.Glyph)));
            helpButton->setToolTip(Q(item.Tip));
            helpButton->setMenu(qobject_cast<QMenu*>(property("helpButtonMenu").value<QObject*>()));
            helpButton->setPopupMode(QToolButton::InstantPopup);  // the click drops the help menu down
            bar->addWidget(helpButton);
        } else if (const auto found = actions.find(item.Command); found != actions.end()) {
            found->second->setToolTip(Q(item.Tip));
            bar->addAction(found->second);
        }
    }
}

// Showing the model -----------------------------------------------------------------

void TForm1::Run(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        ReportError(platform_, error);
    }
    ShowModel();
    ApplyFocusRequest();
}

void TForm1::ShowModel() {
    model_.Format().SetToolbarFormats();
    format_->Sync();
    ShowPalettes();
    ArrangePalettes();
    setWindowTitle(Q(model_.WindowCaption()));
    disableSounds_->setChecked(model_.Doc().Props.DisableSounds);
    highQuality_->setChecked(model_.Properties().HighQualityScaling());
    undo_->setEnabled(model_.Doc().Menu.UndoCount > 0);
    redo_->setEnabled(model_.Doc().Menu.RedoCount > 0);
    RefreshMenuList();
    if (!surface_->Animating()) surface_->Refresh();
}

void TForm1::ApplyFocusRequest() {
    const PropertyPanels::Focus focus = model_.Properties().TakeFocusRequest();
    QWidget* field = nullptr;
    int palette = -1;
    switch (focus) {
        case PropertyPanels::Focus::None: return;
        case PropertyPanels::Focus::Caption: field = caption_, palette = EditorModel::ButtonProperties; break;
        case PropertyPanels::Focus::MenuText: field = menuText_, palette = EditorModel::MenuDescription; break;
        case PropertyPanels::Focus::Title: field = title_, palette = EditorModel::MenuDescription; break;
    }
    ArrangePalettes(palette);
    {
        FlagSet updating = model_.FillingControls();  // taking the focus is not an edit
        field->setFocus(Qt::MouseFocusReason);
    }
    if (field == menuText_) menuText_->moveCursor(QTextCursor::End);
    column_->ensureWidgetVisible(field);
}

void TForm1::ArrangePalettes(int inView) {
    column_->Arrange(inView);
    for (int i = 0; i < 5; ++i) viewPalette_[size_t(i)]->setChecked(model_.Palettes().Open[size_t(i)] != 0);
}

void TForm1::TogglePalette(int index) {
    model_.Palettes().Toggle(index);
    ArrangePalettes(index);
}

void TForm1::RefreshMenuList() {
    const auto& names = model_.Files().MenuList();
    for (int i = 0; i < FileCommands::kMenuListSize; ++i) {
        QAction* entry = menuList_[size_t(i)];
        if (names.empty() && i == 0) {
            entry->setText("No menus found");
            entry->setEnabled(false);
            entry->setVisible(true);
            continue;
        }
        const bool used = i < int(names.size());
        entry->setVisible(used);
        entry->setEnabled(used);
        if (used) entry->setText(Q(names[size_t(i)]));
    }
}

void TForm1::ShowContextMenu(int button, QPoint globalPos) {
    QMenu menu(this);
    if (button > 0) {
        menu.addAction(addButton_);
        menu.addAction(deleteButton_);
        menu.addSeparator();
        menu.addAction(moveUp_);
        menu.addAction(moveDown_);
    } else {
        menu.addAction(Glyph("save"), "Save Menu", this, [this] { Run([this] { model_.Files().Save(); }); });
        menu.addAction(addButton_);
        menu.addAction(Glyph("wizard"), "Launch Command Wizard", this, [this] { RunCommandWizard(); });
        menu.addSeparator();
        menu.addAction(Glyph("autorun"), "Create Autorun EXE", this, [this] { RunAutorunWizard(); });
    }
    menu.exec(globalPos);
}

// Tool windows -------------------------------------------------------------------------

void TForm1::RunCommandWizard() {
    std::unique_ptr<TfrmBtnWizCls> wizard = model_.OpenCommandWizard();
    if (wizard) {
        CommandWizardDialog dialog(*wizard, this);
        dialog.exec();
    }
    ShowModel();
}

void TForm1::RunAutorunWizard() {
    std::unique_ptr<TfrmEXEWizCls> wizard = model_.OpenAutorunWizard();
    ShowModel();
    if (!wizard) return;
    AutorunWizardDialog dialog(*wizard, this);
    dialog.exec();
    ShowModel();
}

void TForm1::CopyButtonStyle() {
    model_.CopyButtonStyle1Click([this](TfrmCopyCustom& copy) {
        CopyCustomDialog dialog(copy, this);
        dialog.exec();
    });
    ShowModel();
}

// The button animation -------------------------------------------------------------------

void TForm1::ButtAni() {
    // A second request while one plays is ignored: the first one is still moving the buttons.
    if (!model_.Preview().Start(surface_->width())) return;
    surface_->Refresh();
    // The hint of every "Animate buttons now" button is cleared while it plays.
    for (QToolButton* b : findChildren<QToolButton*>())
        if (b->defaultAction() == animate_) b->setToolTip(QString());
    surface_->BeginAnimation();
    animationClock_.start();
    animationTimer_->start();
    AnimationStep();
}

void TForm1::AnimationStep() { ShowAnimationMoves(model_.Preview().Step(animationClock_.nsecsElapsed() / 1000)); }

void TForm1::StopAnimation() { ShowAnimationMoves(model_.Preview().Stop()); }

void TForm1::ShowAnimationMoves(const std::vector<AnimationMove>& moves) {
    if (!surface_->Animating()) return;
    for (const AnimationMove& move : moves) surface_->MoveButton(move.Slot, move.Left, move.Top);
    surface_->update();
    if (model_.Preview().Playing()) return;
    animationTimer_->stop();
    for (QToolButton* b : findChildren<QToolButton*>())
        if (b->defaultAction() == animate_) b->setToolTip(animate_->toolTip());
    surface_->EndAnimation();
    ShowModel();
}

// Events ----------------------------------------------------------------------------------

namespace {

bool IsTextField(const QWidget* w) {
    return qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
           qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w);
}

// The keys a text field edits with, which the document's commands also use.
bool TextFieldKey(const QKeyEvent& key) {
    const int k = key.key();
    const Qt::KeyboardModifiers m = key.modifiers() & ~Qt::KeypadModifier;
    if (m == Qt::NoModifier) return k == Qt::Key_Delete;
    if (m == Qt::ControlModifier)
        return k == Qt::Key_Delete || k == Qt::Key_Backspace || k == Qt::Key_Z || k == Qt::Key_Y || k == Qt::Key_X ||
               k == Qt::Key_C || k == Qt::Key_V || k == Qt::Key_A;
    return key.matches(QKeySequence::Redo) || key.matches(QKeySequence::Undo);
}

}  // namespace

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    // Ending: a window that would wait for the user is closed as it opens.
    if (ending_ && widget && event->type() == QEvent::Show && widget != this && Holding(widget))
        QMetaObject::invokeMethod(widget, &QWidget::close, Qt::QueuedConnection);
    if (!widget || widget->window() != this) return QMainWindow::eventFilter(watched, event);
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) && IsTextField(widget)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (TextFieldKey(*key)) {
            // The field keeps the key; Ctrl+Y redoes there as it does on Windows.
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            if (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier &&
                !key->matches(QKeySequence::Redo)) {
                if (auto* line = qobject_cast<QLineEdit*>(widget)) line->redo();
                if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) text->redo();
                if (auto* text = qobject_cast<QTextEdit*>(widget)) text->redo();
                return true;
            }
        }
    }
    if (event->type() == QEvent::FocusIn) {
        // Focus coming back with the window or after a pop-up is no entry by the user.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (qobject_cast<QSlider*>(widget)) {
            model_.Properties().SliderFocus();
            undo_->setEnabled(true);
        } else if (widget == title_) {
            model_.Properties().EnterTitleField();
        } else if (widget == command_) {
            model_.Properties().EnterCommandField();
        } else if (widget == argument_) {
            model_.Properties().EnterArgumentField();
        } else if (widget == animation_) {
            model_.Properties().EnterAnimationList();
            undo_->setEnabled(true);
        }
    } else if (event->type() == QEvent::Wheel) {
        // The wheel scrolls the palette column, unless the menu itself is
        // larger than its view and the pointer is over it.
        const bool overSurface = surfaceScroll_->isAncestorOf(widget) || widget == surfaceScroll_;
        const bool surfaceScrolls = surfaceScroll_->verticalScrollBar()->maximum() > 0;
        if (overSurface && surfaceScrolls) return false;
        if (menuText_->isAncestorOf(widget) || description_->isAncestorOf(widget)) return false;
        column_->Wheel(static_cast<QWheelEvent*>(event)->angleDelta().y());
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    const std::vector<std::filesystem::path> files = DraggedFiles(event->mimeData());
    const bool documents = !files.empty() && std::all_of(files.begin(), files.end(), [](const auto& f) {
        return EditorSession::KindOfDropped(f) == EditorSession::DroppedKind::Document;
    });
    if (documents && started_ && !ending_)
        event->acceptProposedAction();
    else
        event->ignore();
}

void TForm1::dropEvent(QDropEvent* event) {
    const std::vector<std::filesystem::path> files = DraggedFiles(event->mimeData());
    if (files.empty()) return;
    event->acceptProposedAction();
    // The drag's source waits for the drop to end: the files open after it.
    QTimer::singleShot(0, this, [this, files] { Run([this, files] { model_.Session().DropFiles(files); }); });
}

void TForm1::TakeHandOver(const std::vector<std::filesystem::path>& files) {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (files.empty()) return;
    handedOver_.insert(handedOver_.end(), files.begin(), files.end());
    OpenHandedOver();
}

void TForm1::OpenHandedOver() {
    if (handedOver_.empty() || closing_ || ending_) return;
    // The save question must not come up over another question or while the
    // animation plays: the files wait for them to end.
    if (!started_ || QApplication::activeModalWidget() || QApplication::activePopupWidget() ||
        model_.Preview().Playing()) {
        QTimer::singleShot(250, this, [this] { OpenHandedOver(); });
        return;
    }
    const std::vector<std::filesystem::path> files = std::move(handedOver_);
    handedOver_.clear();
    Run([this, files] { model_.Session().DropFiles(files); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (closing_) return;
    if (!started_) {
        // Start-up's own steps mark the document changed; closing halfway
        // would ask to save a menu the user never touched.
        closeAfterStart_ = true;
        event->ignore();
        return;
    }
    // The buttons go to their places before any question is asked.
    StopAnimation();
    // Ending asks nothing: there is nobody to answer.
    if (!ending_ && !model_.Session().CloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    redrawTimer_->stop();
    model_.Session().Shutdown();
    event->accept();
}

}  // namespace orvane
