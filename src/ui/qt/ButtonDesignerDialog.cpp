#include "ui/qt/ButtonDesignerDialog.h"
#include "ui/qt/QtConvert.h"

#include "app/ColorPicker.h"
#include "app/DesignerMenu.h"
#include "app/EditorModel.h"
#include "app/ShadowSets.h"
#include "app/Tips.h"
#include "render/ColourSkins.h"
#include "ui/qt/ColorPickerDialog.h"
#include "ui/qt/DesignSurface.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/ShadowSetsPopup.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace orvane {

namespace {

constexpr int kBodyTop = 0;
constexpr int kSlotLeft = 16;
constexpr int kMaskLeft = 60;
constexpr int kFirstSlotTop = 142;
constexpr int kSlotStep = 46;
constexpr int kPanelLeft = 380;
constexpr int kPanelTop = 132;


// A 16 x 16 toolbar glyph drawn from a letter or two, on a green key.
Bitmap LetterGlyph(const QString& text, QColor ink, bool shadow) {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(QColor(0, 255, 0));
    QPainter p(&image);
    QFont font("Sans Serif");
    font.setPixelSize(12);
    font.setBold(true);
    p.setFont(font);
    if (shadow) {
        p.setPen(QColor(128, 128, 128));
        p.drawText(QRect(2, 0, 16, 12), Qt::AlignCenter, text);
    }
    p.setPen(ink);
    p.drawText(QRect(0, -1, 16, 12), Qt::AlignCenter, text);
    p.end();
    Bitmap glyph(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) glyph.At(x, y) = image.pixel(x, y) & 0xFFFFFF;
    return glyph;
}

// SetBoxColor's result as an icon, its key colour transparent.
QIcon StripIcon(const Bitmap& glyph, uint32_t colour) {
    const ColourGlyph painted = SetBoxColor(glyph, MakePixel(0, 255, 0), ResolveColor(colour));
    QImage image = ToQImage(painted.Picture).convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(ColorRed(painted.TransparentKey), ColorGreen(painted.TransparentKey),
                          ColorBlue(painted.TransparentKey));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) image.setPixel(x, y, 0);
    return QIcon(QPixmap::fromImage(image));
}

QIcon TextIcon(const QString& text, QColor ink = Qt::black) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    QFont font("Sans Serif");
    font.setPixelSize(text.size() > 1 ? 8 : 12);
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(pixmap.rect(), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

}  // namespace

ButtonDesignerDialog::ButtonDesignerDialog(EditorModel& editor, QWidget* parent)
    : QDialog(parent), editor_(editor) {
    std::vector<std::string> installed;
    for (const QString& family : QFontDatabase::families()) installed.push_back(family.toStdString());
    model_ = std::make_unique<TfrmCustomBtnCls>(editor, std::move(installed));

    setWindowTitle("Custom Button Style");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QMenuBar(this);
    layout->setMenuBar(bar);
    auto* tools = new QWidget(this);
    layout->addWidget(tools);
    auto* body = new QWidget(this);
    body->setFixedSize(600, 430);
    layout->addWidget(body);
    BuildToolbars(tools);
    BuildMenus(bar);
    BuildBody(body);

    timer_ = new QTimer(this);
    timer_->setInterval(10);
    connect(timer_, &QTimer::timeout, this, [this] {
        model_->Tick();
        ShowSample();
    });
    timer_->start();
    Sync();
    QTimer::singleShot(2, this, [this] { name_->setCursorPosition(int(name_->text().size())); });
}

ButtonDesignerDialog::~ButtonDesignerDialog() = default;

template <typename F>
void ButtonDesignerDialog::Run(F&& handler) {
    if (syncing_) return;
    handler(*model_);
    Sync();
}

void ButtonDesignerDialog::BuildMenus(QMenuBar* bar) {
    // menus[d] takes the items of depth d; a pop-up of depth d opens menus[d + 1].
    std::array<QMenu*, 3> menus{};
    for (const DesignerItem& item : DesignerMenuItems()) {
        const std::string_view caption = DesignerItemText(item);
        const QString text = QString::fromUtf8(caption.data(), qsizetype(caption.size()));
        if (item.Command == DesignerCommand::None) {
            if (item.Text.empty())
                menus[size_t(item.Depth)]->addSeparator();
            else
                menus[size_t(item.Depth + 1)] = item.Depth == 0 ? bar->addMenu(text) : menus[size_t(item.Depth)]->addMenu(text);
            continue;
        }
        QAction* a = menus[size_t(item.Depth)]->addAction(text);
        const std::string_view key = DesignerItemKey(item);
        if (!key.empty()) a->setShortcut(QKeySequence(QString::fromUtf8(key.data(), qsizetype(key.size()))));
        if (item.Mask) maskTools_.push_back(a);
        const DesignerItem* chosen = &item;
        if (item.Command == DesignerCommand::Exit)
            connect(a, &QAction::triggered, this, &QDialog::close);
        else if (item.Command == DesignerCommand::Help)
            connect(a, &QAction::triggered, this, [this, chosen] { OpenHelp(DesignerHelpPage(chosen->Index)); });
        else
            connect(a, &QAction::triggered, this,
                    [this, chosen] { Run([chosen](TfrmCustomBtnCls& m) { RunDesignerCommand(m, *chosen); }); });
    }
}

void ButtonDesignerDialog::BuildToolbars(QWidget* host) {
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    auto* files = new QToolBar(host);
    auto* format = new QToolBar(host);
    files->setIconSize(QSize(16, 16));
    format->setIconSize(QSize(16, 16));
    layout->addWidget(files);
    layout->addWidget(format);

    auto tool = [this](QToolBar* bar, const QIcon& icon, const QString& hint, auto handler) {
        QAction* a = bar->addAction(icon, hint);
        a->setToolTip(hint);
        connect(a, &QAction::triggered, this, [this, handler] { Run(handler); });
        return a;
    };
    QStyle* st = style();
    tool(files, st->standardIcon(QStyle::SP_FileIcon), "New Custom Button", [](TfrmCustomBtnCls& m) { m.NewStyle(); });
    tool(files, st->standardIcon(QStyle::SP_DialogOpenButton), "Open Custom Button",
         [](TfrmCustomBtnCls& m) { m.OpenStyle(); });
    tool(files, st->standardIcon(QStyle::SP_DialogSaveButton), "Save Custom Button",
         [](TfrmCustomBtnCls& m) { m.Save(); });
    files->addSeparator();
    tool(files, st->standardIcon(QStyle::SP_DirOpenIcon), "Load Button Image",
         [](TfrmCustomBtnCls& m) { m.LoadPicture(false); });
    tool(files, st->standardIcon(QStyle::SP_DriveFDIcon), "Save Button Image",
         [](TfrmCustomBtnCls& m) { m.SavePicture(false); });
    tool(files, TextIcon("Cp"), "Copy Button Image", [](TfrmCustomBtnCls& m) { m.CopyPicture(false); });
    tool(files, TextIcon("Ps"), "Paste Button Image", [](TfrmCustomBtnCls& m) { m.PastePicture(false); });
    files->addSeparator();
    maskToolCaption_ = new QLabel(" Mask ", files);
    files->addWidget(maskToolCaption_);
    maskTools_.push_back(tool(files, st->standardIcon(QStyle::SP_DirOpenIcon), "Open Mask Image",
                              [](TfrmCustomBtnCls& m) { m.LoadPicture(true); }));
    maskTools_.push_back(tool(files, st->standardIcon(QStyle::SP_DriveFDIcon), "Save Mask Image",
                              [](TfrmCustomBtnCls& m) { m.SavePicture(true); }));
    maskTools_.push_back(
        tool(files, TextIcon("Cp", Qt::darkGray), "Copy Mask Image", [](TfrmCustomBtnCls& m) { m.CopyPicture(true); }));
    maskTools_.push_back(
        tool(files, TextIcon("Ps", Qt::darkGray), "Paste Mask Image", [](TfrmCustomBtnCls& m) { m.PastePicture(true); }));
    files->addSeparator();
    tool(files, TextIcon("#", QColor(160, 0, 160)), "Copy Image Map (See Help)",
         [](TfrmCustomBtnCls& m) { m.CopyButtonMap(); });
    files->addSeparator();
    photo_ = tool(files, TextIcon("Ph", QColor(0, 90, 160)), "Photo Button Style",
                  [this](TfrmCustomBtnCls& m) { m.SetPhotoButton(photo_->isChecked()); });
    photo_->setCheckable(true);

    fonts_ = new QComboBox(format);
    fonts_->setEditable(true);
    fonts_->setMinimumWidth(140);
    for (const std::string& name : model_->FontList) fonts_->addItem(Q(name));
    format->addWidget(fonts_);
    connect(fonts_, &QComboBox::activated, this,
            [this](int index) { Run([index](TfrmCustomBtnCls& m) { m.SelectFontEntry(index); }); });
    connect(fonts_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string text = fonts_->currentText().toStdString();
        if (text != model_->CaptionFont.Name) Run([text](TfrmCustomBtnCls& m) { m.SetFontText(text); });
    });
    sizes_ = new QComboBox(format);
    sizes_->setEditable(true);
    for (const std::string& size : model_->SizeList) sizes_->addItem(Q(size));
    format->addWidget(sizes_);
    connect(sizes_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        const std::string s = text.toStdString();
        Run([s](TfrmCustomBtnCls& m) { m.SetSizeText(s); });
    });
    format->addSeparator();
    bold_ = tool(format, TextIcon("B"), "Bold", [this](TfrmCustomBtnCls& m) { m.SetBold(bold_->isChecked()); });
    italic_ = tool(format, TextIcon("I"), "Italic", [this](TfrmCustomBtnCls& m) { m.SetItalic(italic_->isChecked()); });
    underline_ = tool(format, TextIcon("U"), "Underline",
                      [this](TfrmCustomBtnCls& m) { m.SetUnderline(underline_->isChecked()); });
    for (QAction* a : {bold_, italic_, underline_}) a->setCheckable(true);
    format->addSeparator();
    align_[size_t(Alignment::Left)] = tool(format, TextIcon("|="), "Align Left", [](TfrmCustomBtnCls& m) { m.SetAlignment(Alignment::Left); });
    align_[size_t(Alignment::Centre)] = tool(format, TextIcon("="), "Center", [](TfrmCustomBtnCls& m) { m.SetAlignment(Alignment::Centre); });
    align_[size_t(Alignment::Right)] = tool(format, TextIcon("=|"), "Align Right", [](TfrmCustomBtnCls& m) { m.SetAlignment(Alignment::Right); });
    for (QAction* a : align_) a->setCheckable(true);
    format->addSeparator();
    tool(format, TextIcon("<"), "Nudge Text Left", [](TfrmCustomBtnCls& m) { m.NudgeTextLeft(); });
    tool(format, TextIcon(">"), "Nudge Text Right", [](TfrmCustomBtnCls& m) { m.NudgeTextRight(); });
    tool(format, TextIcon("^"), "Nudge Text Up", [](TfrmCustomBtnCls& m) { m.NudgeTextUp(); });
    tool(format, TextIcon("v"), "Nudge Text Down", [](TfrmCustomBtnCls& m) { m.NudgeTextDown(); });
    format->addSeparator();

    auto colourButton = [&](const QString& hint, auto open) {
        auto* b = new QToolButton(format);
        b->setToolTip(hint);
        b->setPopupMode(QToolButton::MenuButtonPopup);
        b->setMenu(new QMenu(b));
        connect(b, &QToolButton::clicked, this, open);
        connect(b->menu(), &QMenu::aboutToShow, this, [b, open] {
            b->menu()->close();
            QTimer::singleShot(0, b, open);
        });
        format->addWidget(b);
        return b;
    };
    auto picker = [this](auto make, QToolButton* const* button) {
        return [this, make, button] {
            auto* w = new ColorPickerDialog((model_.get()->*make)(), this);
            connect(w, &ColorPickerDialog::Finished, this, [this] {
                model_->ComposeSample();
                Sync();
            });
            PlaceBelow(w, *button);
            w->show();
        };
    };
    fontColor_ = colourButton("Font Color", picker(&TfrmCustomBtnCls::OpenFontColor, &fontColor_));
    shadowColor_ = colourButton("Shadow Color", picker(&TfrmCustomBtnCls::OpenShadowColor, &shadowColor_));
    shadowDepth_ = colourButton("Shadow Depth", [this] {
        auto* w = new ShadowSetsPopup(model_->OpenShadowDepth(), this);
        connect(w, &ShadowSetsPopup::Finished, this, [this] { Sync(); });
        PlaceBelow(w, shadowDepth_);
        w->show();
    });
    shadowDepth_->setIcon(TextIcon("S", QColor(90, 90, 90)));
}

void ButtonDesignerDialog::BuildBody(QWidget* host) {
    auto* intro = new QLabel(
        "To add your own button style to Orvane Graphic, create your 32 X 32 source images and load them up below. "
        "You may then format the default text style for the button.",
        host);
    intro->setWordWrap(true);
    intro->setGeometry(12, kBodyTop + 8, 576, 40);
    auto* nameCaption = new QLabel("Button Style Name", host);
    nameCaption->move(12, 62);
    name_ = new QLineEdit(Q(model_->StyleName), host);
    name_->setGeometry(12, 80, 220, 22);
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& t) { model_->SetStyleName(t.toStdString()); });
    auto* animationCaption = new QLabel("Default Button Animation", host);
    animationCaption->move(kPanelLeft, 62);
    animation_ = new QComboBox(host);
    for (const char* n : kAnimationNames) animation_->addItem(n);
    animation_->setGeometry(kPanelLeft, 80, 208, 22);
    connect(animation_, &QComboBox::activated, this, [this](int i) { model_->SetAnimation(i); });

    auto* buttonCaption = new QLabel("Button", host);
    buttonCaption->move(kSlotLeft - 2, kFirstSlotTop - 22);
    maskCaption_ = new QLabel("Mask", host);
    maskCaption_->move(kMaskLeft + 2, kFirstSlotTop - 22);

    selection_ = new QFrame(host);
    selection_->setFrameStyle(QFrame::Box | QFrame::Plain);
    selection_->setLineWidth(2);
    const char* captions[] = {"Default Up Image", "Selected/Active Image", "Down/Pushed Image"};
    for (int s = 1; s <= 3; ++s) {
        const int top = kFirstSlotTop + (s - 1) * kSlotStep;
        const QString nn = QString("0%1").arg(s);
        for (int mask = 0; mask < 2; ++mask) {
            auto* picture = new QLabel(host);
            picture->setObjectName((mask ? "MskImg" : "BtnImg") + nn);
            picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            picture->setGeometry(mask ? kMaskLeft : kSlotLeft, top, 34, 34);
            picture->installEventFilter(this);
            slots_[size_t(s + 3 * mask)] = picture;
        }
        auto* caption = new QLabel(captions[s - 1], host);
        caption->setObjectName("Label" + nn);
        caption->installEventFilter(this);
        caption->resize(180, 34);
        slotCaptions_[size_t(s)] = caption;
    }

    auto* panel = new QFrame(host);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(kPanelLeft, kPanelTop, 197, 145);
    auto* background = new QLabel(panel);
    background->setGeometry(4, 4, TfrmCustomBtnCls::kBackgroundWidth, TfrmCustomBtnCls::kBackgroundHeight);
    background->setPixmap(QPixmap::fromImage(ToQImage(model_->SampleBackground)));
    sample_ = new QLabel(panel);
    sample_->setGeometry(TfrmCustomBtnCls::kSampleX, TfrmCustomBtnCls::kSampleY, TfrmCustomBtnCls::kSampleWidth,
                         TfrmCustomBtnCls::kSampleHeight);
    sample_->installEventFilter(this);
    auto* sampleCaption = new QLabel("Sample Button (test with mouse)", host);
    sampleCaption->setGeometry(kPanelLeft, kPanelTop + 150, 197, 18);
    sampleCaption->setAlignment(Qt::AlignHCenter);

    auto* more = new QLabel("For more information on creating your own custom buttons, see Help.", host);
    more->setGeometry(12, 310, 576, 18);
    auto* helpButton = new QPushButton("&Help", host);
    helpButton->setGeometry(416, 392, 80, 26);
    connect(helpButton, &QPushButton::clicked, this, [this] { OpenHelp(DesignerHelpPage(0)); });
    auto* closeButton = new QPushButton("&Close", host);
    closeButton->setGeometry(506, 392, 80, 26);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void ButtonDesignerDialog::Sync() {
    syncing_ = true;
    TfrmCustomBtnCls& m = *model_;
    const QPalette pal = palette();
    for (int s = 1; s <= 6; ++s) slots_[size_t(s)]->setPixmap(QPixmap::fromImage(ToQImage(m.SlotPictures[size_t(s)])));
    for (int s = 1; s <= 3; ++s) {
        QLabel* c = slotCaptions_[size_t(s)];
        c->move(m.SlotCaptionX(), kFirstSlotTop + (s - 1) * kSlotStep);
        const QColor ink = s == m.SelectedSlot ? pal.color(QPalette::Highlight) : pal.color(QPalette::WindowText);
        c->setStyleSheet(QString("color: %1").arg(ink.name()));
        slots_[size_t(s + 3)]->setVisible(m.MaskColumnVisible());
    }
    maskCaption_->setVisible(m.MaskColumnVisible());
    maskToolCaption_->setEnabled(m.MaskToolsEnabled());
    maskToolCaption_->setStyleSheet(QString("color: %1").arg(
        pal.color(m.MaskToolsEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText).name()));
    for (QAction* a : maskTools_) a->setEnabled(m.MaskToolsEnabled());
    const int width = m.MaskColumnVisible() ? kMaskLeft - kSlotLeft + 42 : 42;
    selection_->setGeometry(kSlotLeft - 4, kFirstSlotTop + (m.SelectedSlot - 1) * kSlotStep - 4, width, 42);
    selection_->lower();

    if (m.FontIndex >= 0 && m.FontIndex < fonts_->count()) fonts_->setCurrentIndex(m.FontIndex);
    fonts_->setEditText(Q(m.CaptionFont.Name));
    sizes_->setEditText(Q(m.SizeText));
    bold_->setChecked(m.CaptionFont.Bold);
    italic_->setChecked(m.CaptionFont.Italic);
    underline_->setChecked(m.CaptionFont.Underline);
    for (size_t a = 0; a < align_.size(); ++a) align_[a]->setChecked(m.CaptionFont.Alignment == Alignment(a));
    photo_->setChecked(m.PhotoButton);
    if (name_->text().toStdString() != m.StyleName) name_->setText(Q(m.StyleName));
    animation_->setCurrentIndex(m.Animation);
    // Glyphs 3 and 4: the caption and shadow colours under their buttons.
    fontColor_->setIcon(StripIcon(LetterGlyph("A", Qt::black, false), m.CaptionFont.Color));
    shadowColor_->setIcon(StripIcon(LetterGlyph("A", Qt::black, true), m.ShadowColor));
    syncing_ = false;
    ShowSample();
}

void ButtonDesignerDialog::ShowSample() {
    const Bitmap& b = model_->ShownSample();
    if (b.IsEmpty() || b == shown_) return;
    shown_ = b;
    sample_->setPixmap(QPixmap::fromImage(ToQImage(b)));
}

bool ButtonDesignerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sample_) {
        switch (event->type()) {
        case QEvent::Enter: model_->PointerEnter(); break;
        case QEvent::Leave: model_->PointerLeave(); break;
        case QEvent::MouseButtonPress: model_->PointerDown(); break;
        case QEvent::MouseButtonRelease: model_->PointerUp(); break;
        default: return false;
        }
        ShowSample();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const std::string name = watched->objectName().toStdString();
        Run([name](TfrmCustomBtnCls& m) { m.SelectSlotByName(name); });
    }
    return QDialog::eventFilter(watched, event);
}

void ButtonDesignerDialog::OpenHelp(HelpPage page) {
    // The desktop's, which says so when no browser can show the page.
    if (auto* desktop = dynamic_cast<QtPlatform*>(&editor_.Desktop())) desktop->OpenHelpPage(page);
}

void ButtonDesignerDialog::reject() {
    if (!model_->CloseQuery()) {
        Sync();
        return;
    }
    timer_->stop();
    QDialog::reject();
}

void ButtonDesignerDialog::closeEvent(QCloseEvent* event) {
    if (!model_->CloseQuery()) {
        event->ignore();
        Sync();
        return;
    }
    timer_->stop();
    event->accept();
}

}  // namespace orvane
