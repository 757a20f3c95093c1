// The five property palettes of the main window's left column.
#include "MainWindow.h"
#include "ui/qt/QtConvert.h"

#include "document/MenuFields.h"
#include "ui/qt/ColorPickerDialog.h"
#include "ui/qt/DesignSurface.h"
#include "ui/qt/Icons.h"
#include "ui/qt/Palettes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {

namespace {


// The menu text holds CR LF line breaks; the text fields show LF.
QString ToField(const std::string& text) { return Q(text).replace("\r\n", "\n"); }
std::string FromField(const QString& text) {
    QString s = text;
    return s.replace("\n", "\r\n").toStdString();
}

QColor ToQColor(uint32_t colour) { return QColor(ColorRed(colour), ColorGreen(colour), ColorBlue(colour)); }

// A colour box: a flat button filled with one colour.
QToolButton* ColourBox(QWidget* parent, QSize size) {
    auto* box = new QToolButton(parent);
    box->setFixedSize(size);
    box->setAutoRaise(false);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

void PaintColourBox(QToolButton* box, uint32_t colour) {
    box->setStyleSheet(QString("QToolButton { background: %1; border: 1px solid #404040; border-radius: 2px; }"
                               "QToolButton:hover { border: 1px solid #000000; }")
                           .arg(ToQColor(colour).name()));
}

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    return label;
}

QWidget* Body() {
    auto* body = new QWidget;
    body->setAutoFillBackground(true);
    return body;
}

// Whether every value of a set of widgets should follow one enabled state.
void EnableAll(const std::vector<QWidget*>& widgets, bool on) {
    for (QWidget* w : widgets) w->setEnabled(on);
}

// A drop-down list's entries are shown whole, even when wider than the list.
void WidenPopup(QComboBox* list) { list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24); }

// Breaks a check box's text onto a second line when the column is too
// narrow for it, rather than cutting it off.
void FitToWidth(QCheckBox* box, int width) {
    const QFontMetrics metrics(box->font());
    const int indicator = box->sizeHint().width() - metrics.horizontalAdvance(box->text());
    const QString text = box->text();
    if (indicator + metrics.horizontalAdvance(text) <= width) return;
    for (qsizetype space = text.lastIndexOf(' '); space > 0; space = text.lastIndexOf(' ', space - 1)) {
        if (indicator + metrics.horizontalAdvance(text.left(space)) <= width) {
            box->setText(text.left(space) + "\n" + text.mid(space + 1));
            box->setAccessibleName(text);
            return;
        }
    }
}

}  // namespace

void TForm1::BuildPalettes() {
    const std::array<QString, 5> captions = {"Menu Description", "Display Position", "Menu Style", "Custom Properties",
                                             "Button Properties"};
    const std::array<QWidget*, 5> bodies = {BuildDescriptionPalette(), BuildPositionPalette(), BuildStylePalette(),
                                            BuildCustomPalette(), BuildButtonPalette()};
    for (int i = 0; i < 5; ++i) {
        auto* frame = new PaletteFrame(captions[size_t(i)], bodies[size_t(i)]);
        frame->setObjectName(QString("Palette%1").arg(1000 + i + 1));
        connect(frame, &PaletteFrame::Toggled, this, [this, i] { TogglePalette(i); });
        frames_[size_t(i)] = frame;
    }
    const int bodyWidth = PaletteColumn::kClientWidth - 12;
    for (QWidget* body : bodies)
        for (QCheckBox* box : body->findChildren<QCheckBox*>()) FitToWidth(box, bodyWidth);
    WidenPopup(animation_);
    column_ = new PaletteColumnView(model_.Palettes(), frames_);
    column_->setObjectName("PaletteColumn");
}

QWidget* TForm1::BuildDescriptionPalette() {
    QWidget* body = Body();
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(3);
    column->addWidget(Caption("Menu Title", body));
    title_ = new QLineEdit(body);
    title_->setObjectName("MenuTitle");
    column->addWidget(title_);
    column->addWidget(Caption("Default Menu Text", body));
    menuText_ = new QPlainTextEdit(body);
    menuText_->setObjectName("MenuText");
    menuText_->setFixedHeight(96);
    menuText_->setTabChangesFocus(true);
    column->addWidget(menuText_);
    animateTitle_ = new QCheckBox("Animate title in taskbar", body);
    column->addWidget(animateTitle_);

    connect(title_, &QLineEdit::textChanged, this, [this](const QString& t) { model_.Properties().SetTitle(t.toStdString()); });
    connect(menuText_, &QPlainTextEdit::textChanged, this, [this] {
        model_.Properties().SetMenuText(FromField(menuText_->toPlainText()));
        if (!surface_->Animating()) surface_->Refresh();
    });
    connect(animateTitle_, &QCheckBox::clicked, this, [this](bool on) {
        model_.Properties().AnimateTitleClicked(on, minimize_->isChecked());
        ShowModel();
    });
    return body;
}

namespace {

// The screen picture of the display-position palette.
class ScreenPicture : public QWidget {
public:
    explicit ScreenPicture(QWidget* parent) : QWidget(parent), picture_(":/mainwindow/screen.png") {
        setFixedSize(picture_.isNull() ? QSize(190, 130) : picture_.deviceIndependentSize().toSize());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawPixmap(rect(), picture_);
    }

private:
    QPixmap picture_;
};

struct PositionSpot {
    QPoint Centre;
    QColor Under;
};

std::array<PositionSpot, kPositionCount> PositionSpots() {
    std::array<PositionSpot, kPositionCount> spots{};
    QFile file(":/mainwindow/screen_positions.json");
    if (!file.open(QIODevice::ReadOnly)) return spots;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonArray positions = root.value("positions").toArray();
    for (const QJsonValue& value : positions) {
        const QJsonObject o = value.toObject();
        const int code = o.value("code").toInt(-1);
        if (code < 0 || code >= kPositionCount) continue;
        const QJsonArray rgb = o.value("color").toArray();
        spots[size_t(code)] = {QPoint(o.value("x").toInt(), o.value("y").toInt()),
                               QColor(rgb.at(0).toInt(), rgb.at(1).toInt(), rgb.at(2).toInt())};
    }
    return spots;
}

}  // namespace

QWidget* TForm1::BuildPositionPalette() {
    QWidget* body = Body();
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(4);
    auto* prompt = Caption("Where would you like the menu to appear?", body);
    prompt->setWordWrap(true);
    column->addWidget(prompt);
    auto* screen = new ScreenPicture(body);
    column->addWidget(screen, 0, Qt::AlignHCenter);
    const auto spots = PositionSpots();
    for (int code = 0; code < kPositionCount; ++code) {
        auto* radio = new QRadioButton(screen);
        radio->setObjectName(QString("Option%1").arg(1000 + code));
        radio->setToolTip(kPositionNames[size_t(code)]);
        radio->setAccessibleName(kPositionNames[size_t(code)]);
        const QSize size = radio->sizeHint();
        radio->setFixedSize(size);
        radio->move(spots[size_t(code)].Centre - QPoint(size.width() / 2, size.height() / 2));
        // The radio button's background matches the picture under it.
        radio->setAutoFillBackground(true);
        QPalette palette = radio->palette();
        palette.setColor(QPalette::Window, spots[size_t(code)].Under);
        radio->setPalette(palette);
        connect(radio, &QRadioButton::clicked, this, [this, code] { Run([this, code] { model_.Properties().ChooseDisplayPosition(code); }); });
        positions_[size_t(code)] = radio;
    }
    positionCaption_ = new QLabel(body);
    positionCaption_->setAlignment(Qt::AlignHCenter);
    positionCaption_->setStyleSheet("color: #707070;");
    column->addWidget(positionCaption_);
    return body;
}

QSlider* TForm1::AddSlider(QGridLayout* grid, int row, const QString& caption, int min, int max, int step,
                           QLabel** value, void (PropertyPanels::*set)(int)) {
    QWidget* parent = grid->parentWidget();
    auto* label = Caption(caption, parent);
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(QString(caption).remove(' ').remove('(').remove(')'));
    slider->setRange(min, max);
    slider->setPageStep(step);
    slider->setSingleStep(1);
    slider->setFocusPolicy(Qt::StrongFocus);
    *value = new QLabel(parent);
    (*value)->setMinimumWidth(30);
    (*value)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, 0, 1, 2);
    grid->addWidget(slider, row + 1, 0);
    grid->addWidget(*value, row + 1, 1);
    connect(slider, &QSlider::valueChanged, this, [this, set](int v) {
        (model_.Properties().*set)(v);
        ShowPalettes();
    });
    label->setBuddy(slider);
    slider->setProperty("caption", QVariant::fromValue<QObject*>(label));
    return slider;
}

QWidget* TForm1::BuildStylePalette() {
    QWidget* body = Body();
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    int row = 0;
    grid->addWidget(Caption("Menu Style", body), row++, 0, 1, 2);
    styles_ = new QComboBox(body);
    styles_->setObjectName("MenuStyle");
    styles_->setMaxVisibleItems(28);
    grid->addWidget(styles_, row++, 0, 1, 2);
    connect(styles_, &QComboBox::activated, this, [this](int i) { Run([this, i] { model_.ComboBox1Select(i); }); });

    auto* colourRow = new QHBoxLayout;
    colourRow->setSpacing(6);
    colourRow->addWidget(Caption("Menu Color", body));
    menuColor_ = ColourBox(body, QSize(40, 20));
    menuColor_->setObjectName("MenuColor");
    menuColor_->setToolTip("Menu Color");
    menuColorMore_ = new QToolButton(body);
    menuColorMore_->setText("...");
    menuColorMore_->setFixedSize(22, 20);
    menuColorMore_->setToolTip("Menu Color");
    colourRow->addWidget(menuColor_);
    colourRow->addWidget(menuColorMore_);
    colourRow->addStretch(1);
    grid->addLayout(colourRow, row++, 0, 1, 2);
    connect(menuColor_, &QToolButton::clicked, this, [this] { OpenMenuColorPicker(menuColor_); });
    connect(menuColorMore_, &QToolButton::clicked, this, [this] { OpenMenuColorPicker(menuColor_); });

    auto* presetRow = new QHBoxLayout;
    presetRow->setSpacing(4);
    presetRow->addWidget(Caption("Presets", body));
    for (int i = 0; i < 5; ++i) {
        QToolButton* preset = ColourBox(body, QSize(20, 20));
        preset->setObjectName(QString("Preset%1").arg(i + 1));
        connect(preset, &QToolButton::clicked, this, [this, i] { Run([this, i] { model_.Properties().ChoosePreset(i); }); });
        presets_[size_t(i)] = preset;
        presetRow->addWidget(preset);
    }
    presetRow->addStretch(1);
    grid->addLayout(presetRow, row++, 0, 1, 2);

    autoAdjust_ = new QCheckBox("Auto Adjust", body);
    grid->addWidget(autoAdjust_, row++, 0, 1, 2);
    connect(autoAdjust_, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { model_.Properties().SetAutoAdjust(on); }); });

    grid->addWidget(Caption("Button Animation", body), row++, 0, 1, 2);
    animation_ = new QComboBox(body);
    animation_->setObjectName("ButtonAnimation");
    animation_->setMaxVisibleItems(18);
    for (const char* name : kAnimationNames) animation_->addItem(name);
    auto* animateNow = new QToolButton(body);
    animateNow->setDefaultAction(animate_);
    animateNow->setAutoRaise(true);
    auto* animationRow = new QHBoxLayout;
    animationRow->setSpacing(2);
    animationRow->addWidget(animation_, 1);
    animationRow->addWidget(animateNow);
    grid->addLayout(animationRow, row++, 0, 1, 2);
    connect(animation_, &QComboBox::activated, this, [this](int code) {
        const bool play = model_.Properties().ChooseAnimation(code);
        ShowModel();
        if (play) ButtAni();
    });

    grid->addWidget(Caption("Button Style", body), row++, 0, 1, 2);
    buttonStyles_ = new QComboBox(body);
    buttonStyles_->setObjectName("ButtonStyle");
    grid->addWidget(buttonStyles_, row++, 0, 1, 2);
    connect(buttonStyles_, &QComboBox::activated, this, [this](int i) { Run([this, i] { model_.ComboBox2Select(i); }); });

    constexpr ValueRange text = MenuFieldRange("TextBoxVisibility");
    constexpr ValueRange title = MenuFieldRange("TitleBoxVisibility");
    textVisibility_ = AddSlider(grid, row, "Text Box Visibility (Photo Skins)", text.Min, text.Max, 4,
                                &textVisibilityValue_, &PropertyPanels::SetTextBoxVisibility);
    row += 2;
    titleVisibility_ = AddSlider(grid, row, "Title Box Visibility (Photo Skins)", title.Min, title.Max, 4,
                                 &titleVisibilityValue_, &PropertyPanels::SetTitleBoxVisibility);
    row += 2;
    for (QSlider* s : {textVisibility_, titleVisibility_}) {
        photoControls_.push_back(s);
        photoControls_.push_back(qobject_cast<QWidget*>(s->property("caption").value<QObject*>()));
    }
    photoControls_.push_back(textVisibilityValue_);
    photoControls_.push_back(titleVisibilityValue_);
    return body;
}

QWidget* TForm1::BuildCustomPalette() {
    QWidget* body = Body();
    auto* grid = new QGridLayout(body);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(3);
    int row = 0;
    constexpr ValueRange width = MenuFieldRange("MenuWidth"), height = MenuFieldRange("MenuHeight");
    constexpr ValueRange buttonWidth = MenuFieldRange("ButtonWidth"), buttonHeight = MenuFieldRange("ButtonHeight");
    constexpr ValueRange gap = MenuFieldRange("ButtonGap");
    menuWidth_ =
        AddSlider(grid, row, "Menu Width", width.Min, width.Max, 40, &menuWidthValue_, &PropertyPanels::SetMenuWidth);
    row += 2;
    menuHeight_ = AddSlider(grid, row, "Menu Height", height.Min, height.Max, 40, &menuHeightValue_,
                            &PropertyPanels::SetMenuHeight);
    row += 2;
    photoAspect_ = new QCheckBox("Use Photo Aspect Ratio", body);
    grid->addWidget(photoAspect_, row++, 0, 1, 2);
    autoSizeMenu_ = new QCheckBox("Auto Size Menu", body);
    grid->addWidget(autoSizeMenu_, row++, 0, 1, 2);
    buttonWidth_ = AddSlider(grid, row, "Button Width", buttonWidth.Min, buttonWidth.Max, 10, &buttonWidthValue_,
                             &PropertyPanels::SetButtonWidth);
    row += 2;
    buttonHeight_ = AddSlider(grid, row, "Button Height", buttonHeight.Min, buttonHeight.Max, 10, &buttonHeightValue_,
                              &PropertyPanels::SetButtonHeight);
    row += 2;
    autoSizeButtons_ = new QCheckBox("Auto Size Buttons", body);
    grid->addWidget(autoSizeButtons_, row++, 0, 1, 2);
    buttonGap_ = AddSlider(grid, row, "Button Gap", gap.Min, gap.Max, 4, &buttonGapValue_, &PropertyPanels::SetButtonGap);
    row += 2;
    auto* background = new QPushButton(Glyph("set_background"), "Set Background Image...", body);
    background->setObjectName("SetBackgroundImage");
    grid->addWidget(background, row++, 0, 1, 2);

    auto caption = [](QSlider* s) { return qobject_cast<QWidget*>(s->property("caption").value<QObject*>()); };
    menuSizeControls_ = {menuWidth_, menuHeight_, menuWidthValue_, menuHeightValue_, caption(menuWidth_),
                         caption(menuHeight_)};
    buttonSizeControls_ = {buttonWidth_, buttonHeight_, buttonWidthValue_, buttonHeightValue_, caption(buttonWidth_),
                           caption(buttonHeight_)};
    photoControls_.push_back(photoAspect_);

    connect(photoAspect_, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { model_.Properties().SetPhotoAspect(on); }); });
    connect(autoSizeMenu_, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { model_.Properties().SetAutoSizeMenu(on); }); });
    connect(autoSizeButtons_, &QCheckBox::clicked, this,
            [this](bool on) { Run([this, on] { model_.Properties().SetAutoSizeButtons(on); }); });
    connect(background, &QPushButton::clicked, this, [this] { Run([this] { model_.SetBackgroundImage(); }); });
    return body;
}

QWidget* TForm1::BuildButtonPalette() {
    QWidget* body = Body();
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(6, 4, 6, 6);
    column->setSpacing(3);
    auto* tools = new QToolBar(body);
    tools->setIconSize(QSize(16, 16));
    tools->addActions({previous_, next_});
    tools->addSeparator();
    tools->addActions({moveUp_, moveDown_});
    tools->addSeparator();
    tools->addActions({addButton_, deleteButton_});
    column->addWidget(tools);

    auto field = [&](const QString& label, const QString& hint, const QString& name) {
        column->addWidget(Caption(label, body));
        auto* edit = new QLineEdit(body);
        edit->setObjectName(name);
        edit->setToolTip(hint);
        column->addWidget(edit);
        return edit;
    };
    caption_ = field("Caption", "The text shown on your button", "Caption");
    argument_ = field("Commandline Argument", "Advanced instructions for applications (advanced users only)",
                      "CommandlineArgument");
    column->addWidget(Caption("Description", body));
    description_ = new QPlainTextEdit(body);
    description_->setObjectName("Description");
    description_->setToolTip("Button description to show on menu");
    description_->setFixedHeight(60);
    description_->setTabChangesFocus(true);
    column->addWidget(description_);
    command_ = field("Command", "The action to take when this button is clicked", "Command");
    exitOnClick_ = new QCheckBox("Exit menu when this button clicked", body);
    minimize_ = new QCheckBox("Minimize menu when this button clicked", body);
    maximize_ = new QCheckBox("Maximize the opened window", body);
    column->addWidget(exitOnClick_);
    column->addWidget(minimize_);
    column->addWidget(maximize_);
    auto* bottom = new QHBoxLayout;
    auto* quickInfo = new QLabel("<a href=\"#\" style=\"color:#0000ff\">Quick Info</a>", body);
    quickInfo->setObjectName("QuickInfo");
    connect(quickInfo, &QLabel::linkActivated, this, [this] { model_.Properties().QuickInfo(); });
    wizard_ = new QPushButton(Glyph("wizard"), "Wizard >", body);
    wizard_->setObjectName("Wizard");
    connect(wizard_, &QPushButton::clicked, this, [this] { RunCommandWizard(); });
    bottom->addWidget(quickInfo);
    bottom->addStretch(1);
    bottom->addWidget(wizard_);
    column->addLayout(bottom);
    buttonFields_ = {caption_, argument_, description_, command_, exitOnClick_, minimize_, maximize_};

    connect(caption_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.Properties().SetCaption(t.toStdString()); });
    connect(argument_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.Properties().SetArgument(t.toStdString()); });
    connect(command_, &QLineEdit::textEdited, this, [this](const QString& t) { model_.Properties().SetCommand(t.toStdString()); });
    connect(description_, &QPlainTextEdit::textChanged, this,
            [this] { model_.Properties().SetDescription(FromField(description_->toPlainText())); });
    connect(exitOnClick_, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { model_.Properties().SetExitOnClick(on); }); });
    connect(minimize_, &QCheckBox::clicked, this, [this](bool on) {
        Run([this, on] { model_.Properties().SetMinimizeOnClick(on); });
    });
    connect(maximize_, &QCheckBox::clicked, this, [this](bool on) { Run([this, on] { model_.Properties().SetMaximizeWindow(on); }); });
    return body;
}

void TForm1::OpenMenuColorPicker(QWidget* anchor) {
    auto* picker = new ColorPickerDialog(model_.OpenColorPicker(ColorTarget::MenuColor), this);
    connect(picker, &ColorPickerDialog::Finished, this, [this] { ShowModel(); });
    // At the colour box's lower-left corner.
    picker->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    KeepOnScreen(picker);
    picker->show();
}

void TForm1::ShowPalettes() {
    const MenuDocument& doc = model_.Doc();
    const MenuProperties& p = doc.Props;
    std::vector<QSignalBlocker> blockers;
    for (QObject* o : std::initializer_list<QObject*>{
             title_, menuText_, animateTitle_, styles_, autoAdjust_, animation_, buttonStyles_, textVisibility_,
             titleVisibility_, menuWidth_, menuHeight_, buttonWidth_, buttonHeight_, buttonGap_, photoAspect_,
             autoSizeMenu_, autoSizeButtons_, caption_, argument_, description_, command_, exitOnClick_, minimize_,
             maximize_})
        blockers.emplace_back(o);
    for (QRadioButton* r : positions_) blockers.emplace_back(r);

    // Palette 1
    if (title_->text().toStdString() != p.Title) title_->setText(Q(p.Title));
    if (FromField(menuText_->toPlainText()) != p.MenuText) menuText_->setPlainText(ToField(p.MenuText));
    animateTitle_->setChecked(p.AnimateTitle);
    // Palette 2
    const int position = std::clamp(doc.Menu.Position, 0, kPositionCount - 1);
    positions_[size_t(position)]->setChecked(true);
    positionCaption_->setText(kPositionNames[size_t(position)]);
    // Palette 3
    if (styles_->count() != model_.Styles().Count()) {
        styles_->clear();
        for (int i = 0; i < model_.Styles().Count(); ++i) styles_->addItem(Q(model_.Styles().At(i).Name));
        WidenPopup(styles_);
    }
    styles_->setCurrentIndex(model_.SelectedStyle());
    PaintColourBox(menuColor_, p.MenuColor);
    for (int i = 0; i < 5; ++i) PaintColourBox(presets_[size_t(i)], model_.Presets()[size_t(i)]);
    autoAdjust_->setChecked(p.AutoAdjust);
    animation_->setCurrentIndex(std::clamp(p.ButtonAnimation, 0, kAnimationCount - 1));
    QStringList entries;
    for (const std::string& entry : model_.ButtonStyles().Entries) entries << Q(entry);
    QStringList listed;
    for (int i = 0; i < buttonStyles_->count(); ++i) listed << buttonStyles_->itemText(i);
    if (entries != listed) {
        buttonStyles_->clear();
        buttonStyles_->addItems(entries);
        WidenPopup(buttonStyles_);
    }
    buttonStyles_->setCurrentIndex(model_.ButtonStyles().Selected);
    textVisibility_->setValue(p.TextBoxVisibility);
    titleVisibility_->setValue(p.TitleBoxVisibility);
    textVisibilityValue_->setText(QString::number(p.TextBoxVisibility));
    titleVisibilityValue_->setText(QString::number(p.TitleBoxVisibility));
    EnableAll(photoControls_, model_.PhotoControlsEnabled());
    // Palette 4
    const std::array<std::pair<QSlider*, QLabel*>, 5> sliders = {
        std::pair{menuWidth_, menuWidthValue_}, std::pair{menuHeight_, menuHeightValue_},
        std::pair{buttonWidth_, buttonWidthValue_}, std::pair{buttonHeight_, buttonHeightValue_},
        std::pair{buttonGap_, buttonGapValue_}};
    const std::array<int, 5> values = {p.MenuWidth, p.MenuHeight, p.ButtonWidth, p.ButtonHeight, p.ButtonGap};
    for (size_t i = 0; i < sliders.size(); ++i) {
        sliders[i].first->setValue(values[i]);
        sliders[i].second->setText(QString::number(values[i]));
    }
    photoAspect_->setChecked(p.PhotoAspect);
    autoSizeMenu_->setChecked(p.AutoSizeMenu);
    autoSizeButtons_->setChecked(p.AutoSizeButtons);
    EnableAll(menuSizeControls_, model_.Properties().MenuSizeEnabled());
    EnableAll(buttonSizeControls_, model_.Properties().ButtonSizeEnabled());
    // Palette 5
    model_.Properties().ShowButtonProps();
    const auto& panel = model_.Properties().ButtonPanel();
    if (caption_->text().toStdString() != panel.Caption) caption_->setText(Q(panel.Caption));
    if (argument_->text().toStdString() != panel.Argument) argument_->setText(Q(panel.Argument));
    if (command_->text().toStdString() != panel.Command) command_->setText(Q(panel.Command));
    if (FromField(description_->toPlainText()) != panel.Description) description_->setPlainText(ToField(panel.Description));
    exitOnClick_->setChecked(panel.Exit);
    minimize_->setChecked(panel.Minimize);
    maximize_->setChecked(panel.Maximize);
    const bool button = doc.Menu.SelectedButton > 0;
    EnableAll(buttonFields_, button);
    wizard_->setEnabled(true);
}

}  // namespace orvane
