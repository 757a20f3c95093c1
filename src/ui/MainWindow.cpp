#include "MainWindow.h"

#include "app/Tips.h"
#include "ui/AboutBox.h"
#include "ui/ButtonDesignerDialog.h"
#include "ui/DesignSurface.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QFormLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The menu text holds CR LF line breaks; the text field shows LF.
QString ToField(const std::string& text) { return Q(text).replace("\r\n", "\n"); }
std::string FromField(const QString& text) {
    QString s = text;
    return s.replace("\n", "\r\n").toStdString();
}

}  // namespace

TForm1::TForm1(const std::filesystem::path& appFolder, std::vector<std::string> args)
    : platform_(this), model_(platform_, appFolder), args_(std::move(args)) {
    platform_.SetAppFolder(model_.AppFolder);
    setWindowTitle(Q(std::string(kAppTitle)));
    surface_ = new DesignSurface(model_);
    scroll_ = new QScrollArea;
    scroll_->setWidget(surface_);
    scroll_->setBackgroundRole(QPalette::Dark);
    setCentralWidget(scroll_);
    BuildMenus();
    BuildPanel();
    connect(surface_, &DesignSurface::SelectionChanged, this, [this] { ShowModel(); });

    model_.FormCreate();
    const auto& rect = model_.Prefs.WindowRect;
    resize(std::max(rect[2], 900), std::max(rect[3], 600));

    redrawTimer_ = new QTimer(this);
    connect(redrawTimer_, &QTimer::timeout, this, [this] {
        const int before = model_.RedrawCountdown;
        model_.Tick();
        if (before == 1) surface_->Refresh();
    });
    // The second stage of start-up runs once the window is up.
    QTimer::singleShot(10, this, [this] {
        model_.DeferredStart(args_);
        redrawTimer_->start(100);
        ShowModel();
    });
}

TForm1::~TForm1() = default;

void TForm1::BuildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    auto add = [this](QMenu* menu, const QString& text, QKeySequence key, auto handler) {
        QAction* action = menu->addAction(text);
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, handler] {
            handler();
            AfterCommand();
        });
        return action;
    };
    add(file, "New", QKeySequence("Ctrl+N"), [this] { model_.FileNew(); });
    add(file, "&Open...", QKeySequence("Ctrl+O"), [this] { model_.FileOpen(); });
    add(file, "&Save", QKeySequence("Ctrl+S"), [this] { model_.FileSave(); });
    add(file, "Save &As...", QKeySequence("Ctrl+A"), [this] { model_.FileSaveAs(); });
    file->addSeparator();
    menuList_ = file->addMenu("Recent &Menus");
    file->addSeparator();
    QAction* exit = file->addAction("E&xit");
    connect(exit, &QAction::triggered, this, [this] { close(); });

    QMenu* edit = menuBar()->addMenu("&Edit");
    add(edit, "&Undo", QKeySequence("Ctrl+Z"), [this] { model_.UndoUndo(); });
    add(edit, "&Redo", QKeySequence("Ctrl+Y"), [this] { model_.UndoRedo(); });
    edit->addSeparator();
    add(edit, "Cu&t", QKeySequence("Ctrl+X"), [this] { model_.CutButton(); });
    add(edit, "&Copy", QKeySequence("Ctrl+C"), [this] { model_.CopyButtonToClipboard(); });
    add(edit, "&Paste", QKeySequence("Ctrl+V"), [this] { model_.PasteButton(); });
    edit->addSeparator();
    add(edit, "&Add Button", QKeySequence("Ctrl+B"), [this] { model_.AddButton(); });
    add(edit, "&Delete Button", QKeySequence("Ctrl+Delete"), [this] { model_.DeleteButton(); });
    add(edit, "Move Up", QKeySequence(), [this] { model_.MoveUp(); });
    add(edit, "Move Down", QKeySequence(), [this] { model_.MoveDown(); });

    // Help: the Help menu, and the menu the toolbar's "Help" button drops down.
    QMenu* tools = menuBar()->addMenu("&Tools");
    add(tools, "Custom Button Style...", QKeySequence(), [this] { model_.AddButtonStyle1Click(); });
    add(tools, "Reset First Use Tips", QKeySequence(), [this] { ResetFirstUseTips(model_.Prefs, platform_); });
    model_.OpenDesignerWindow = [this] {
        ButtonDesignerDialog designer(model_, this);
        designer.exec();
    };

    QMenu* help = menuBar()->addMenu("&Help");
    auto* helpButtonMenu = new QMenu(this);
    for (const HelpEntry& entry : kHelpEntries) {
        QMenu* menu = entry.Place == HelpPlace::HelpMenu         ? help
                      : entry.Place == HelpPlace::HelpButtonMenu ? helpButtonMenu
                                                                 : nullptr;
        if (!menu) continue;
        if (!entry.Page || entry.Page == HelpPage::Troubleshooting) menu->addSeparator();
        QAction* action = menu->addAction(Q(std::string(entry.Text)));
        if (!entry.Key.empty()) action->setShortcut(QKeySequence(Q(std::string(entry.Key))));
        const std::optional<HelpPage> page = entry.Page;
        connect(action, &QAction::triggered, this, [this, page] {
            if (page) {
                platform_.OpenHelpPage(*page);
            } else {
                ShowAboutBox(this);
            }
        });
    }
    auto* helpButton = new QToolButton;
    helpButton->setText("Help");
    helpButton->setMenu(helpButtonMenu);
    helpButton->setPopupMode(QToolButton::InstantPopup);
    addToolBar("Help")->addWidget(helpButton);
}

void TForm1::BuildPanel() {
    auto* panel = new QWidget;
    auto* column = new QVBoxLayout(panel);
    auto* form = new QFormLayout;
    column->addLayout(form);
    column->addStretch(1);
    title_ = new QLineEdit;
    menuText_ = new QPlainTextEdit;
    menuText_->setFixedHeight(90);
    styles_ = new QComboBox;
    buttonStyles_ = new QComboBox;
    caption_ = new QLineEdit;
    command_ = new QLineEdit;
    command_->setToolTip("The action to take when this button is clicked");
    argument_ = new QLineEdit;
    argument_->setToolTip("Advanced instructions for applications (advanced users only)");
    description_ = new QLineEdit;
    minimize_ = new QCheckBox("Minimize menu when this button clicked");
    exit_ = new QCheckBox("Exit menu when this button clicked");
    maximize_ = new QCheckBox("Maximize the opened window");
    form->addRow("Menu Title", title_);
    form->addRow("Menu Text", menuText_);
    form->addRow("Menu Style", styles_);
    form->addRow("Button Style", buttonStyles_);
    form->addRow(new QLabel("<b>Button Properties</b>"));
    form->addRow("Caption", caption_);
    form->addRow("Command", command_);
    form->addRow("Commandline Argument", argument_);
    form->addRow("Description", description_);
    form->addRow(exit_);
    form->addRow(minimize_);
    form->addRow(maximize_);

    auto* dock = new QDockWidget("Properties", this);
    dock->setWidget(panel);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::LeftDockWidgetArea, dock);

    connect(title_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetTitle(t.toStdString()); });
    connect(menuText_, &QPlainTextEdit::textChanged, this,
            [this] { model_.SetMenuText(FromField(menuText_->toPlainText())); });
    connect(styles_, &QComboBox::activated, this, [this](int i) {
        model_.ComboBox1Select(i);
        AfterCommand();
    });
    connect(buttonStyles_, &QComboBox::activated, this, [this](int i) {
        model_.ComboBox2Select(i);
        AfterCommand();
    });
    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetCaption(t.toStdString()); });
    connect(command_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetCommand(t.toStdString()); });
    connect(argument_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.SetArgument(t.toStdString()); });
    connect(description_, &QLineEdit::textEdited, this,
            [this](const QString& t) { model_.SetDescription(t.toStdString()); });
    connect(minimize_, &QCheckBox::toggled, this, [this](bool on) { model_.SetMinimizeOnClick(on); });
    connect(exit_, &QCheckBox::toggled, this, [this](bool on) { model_.SetExitOnClick(on); });
    connect(maximize_, &QCheckBox::toggled, this, [this](bool on) { model_.SetMaximizeWindow(on); });
}

void TForm1::ShowModel() {
    const MenuDocument& doc = model_.Doc;
    {
        QSignalBlocker a(title_), b(menuText_), c(styles_), d(buttonStyles_), e(caption_), f(command_), g(argument_),
            h(description_), i(minimize_), j(exit_), k(maximize_);
        if (title_->text().toStdString() != doc.Props.Title) title_->setText(Q(doc.Props.Title));
        if (FromField(menuText_->toPlainText()) != doc.Props.MenuText) menuText_->setPlainText(ToField(doc.Props.MenuText));
        styles_->clear();
        for (int p = 0; p < model_.Styles.Count(); ++p) styles_->addItem(Q(model_.Styles.At(p).Name));
        styles_->setCurrentIndex(model_.SelectedStyle);
        buttonStyles_->clear();
        for (const std::string& entry : model_.ButtonStyles.Entries) buttonStyles_->addItem(Q(entry));
        buttonStyles_->setCurrentIndex(model_.ButtonStyles.Selected);
        model_.ShowButtonProps();
        const auto& panel = model_.ButtonPanel;
        caption_->setText(Q(panel.Caption));
        command_->setText(Q(panel.Command));
        argument_->setText(Q(panel.Argument));
        description_->setText(Q(panel.Description));
        minimize_->setChecked(panel.Minimize);
        exit_->setChecked(panel.Exit);
        maximize_->setChecked(panel.Maximize);
        const bool button = doc.Menu.SelectedButton > 0;
        for (QWidget* w : std::initializer_list<QWidget*>{caption_, command_, argument_, description_, minimize_, exit_, maximize_})
            w->setEnabled(button);
    }
    setWindowTitle(Q(model_.WindowCaption));
    RefreshMenuList();
    surface_->Refresh();
}

void TForm1::AfterCommand() { ShowModel(); }

void TForm1::RefreshMenuList() {
    menuList_->clear();
    if (model_.MenuList.empty()) {
        menuList_->addAction("No menus found")->setEnabled(false);
        return;
    }
    for (int i = 0; i < int(model_.MenuList.size()); ++i) {
        QAction* action = menuList_->addAction(Q(model_.MenuList[size_t(i)]));
        connect(action, &QAction::triggered, this, [this, i] {
            model_.OpenMenuListEntry(i);
            AfterCommand();
        });
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (closing_) return;
    if (!model_.CloseQuery()) {
        event->ignore();
        return;
    }
    closing_ = true;
    model_.Shutdown();
    event->accept();
}

}  // namespace orvane
