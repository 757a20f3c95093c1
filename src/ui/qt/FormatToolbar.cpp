#include "FormatToolbar.h"
#include "ui/qt/QtConvert.h"

#include "app/EditorModel.h"
#include "app/FormatBar.h"
#include "ui/qt/ColorPickerDialog.h"
#include "ui/qt/Icons.h"
#include "ui/qt/ShadowSetsPopup.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolButton>

namespace orvane {

namespace {


Bitmap TemplateBitmap() {
    const QImage image = QImage(":/mainwindow/bar_template.png").convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            bitmap.At(x, y) = x < image.width() && y < image.height() ? (image.pixel(x, y) & 0xFFFFFF) : 0;
    return bitmap;
}

}  // namespace

FormatToolbar::FormatToolbar(EditorModel& editor, QWidget* parent)
    : QToolBar("Formatting", parent), editor_(editor), bar_(editor.Format()) {
    setObjectName("FormattingToolbar");
    setIconSize(QSize(16, 16));
    fontColorGlyph_ = GlyphBitmap("font_color");
    shadowColorGlyph_ = GlyphBitmap("shadow_color");
    barTemplate_ = TemplateBitmap();

    availability_ = new QToolButton(this);
    availability_->setObjectName("FontAvailability");
    availability_->setToolTip("Font Availability");
    availability_->setIcon(Glyph("font_safe"));
    connect(availability_, &QToolButton::clicked, this, [this] { bar_.ShowAvailabilityMessage(); });
    addWidget(availability_);

    names_ = new QComboBox(this);
    names_->setObjectName("FontName");
    names_->setEditable(true);
    names_->setInsertPolicy(QComboBox::NoInsert);
    names_->setMaxVisibleItems(24);
    names_->setToolTip("Font");
    names_->setMinimumContentsLength(16);
    names_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    bar_.ListFonts();
    for (const std::string& name : bar_.FontNames) names_->addItem(Q(name));
    names_->setCurrentIndex(0);
    connect(names_, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { bar_.FontNameChanged(names_->itemText(index).toStdString()); }); });
    connect(names_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string text = names_->currentText().toStdString();
        if (text != bar_.FontName) Run([this, text] { bar_.FontNameChanged(text); });
    });
    addWidget(names_);

    sizes_ = new QComboBox(this);
    sizes_->setObjectName("FontSize");
    sizes_->setEditable(true);
    sizes_->setInsertPolicy(QComboBox::NoInsert);
    sizes_->setMaxVisibleItems(16);
    sizes_->setToolTip("Font Size");
    sizes_->setMinimumContentsLength(3);
    for (const std::string& size : FontSizeList()) sizes_->addItem(Q(size));
    sizes_->setCurrentText("12");
    connect(sizes_, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { bar_.FontSizeChanged(sizes_->itemText(index).toStdString()); }); });
    connect(sizes_->lineEdit(), &QLineEdit::editingFinished, this, [this] {
        const std::string text = sizes_->currentText().toStdString();
        if (text != std::to_string(bar_.FontSize)) Run([this, text] { bar_.FontSizeChanged(text); });
    });
    addWidget(sizes_);
    addSeparator();

    fontColor_ = AddOpener("Font Color", "font_color", [this](QToolButton* b) { OpenPicker(ColorTarget::FontColor, b); });
    addSeparator();
    auto toggle = [this](const QString& hint, const QString& glyph, void (FormatBar::*set)(bool)) {
        QAction* action = addAction(Glyph(glyph), hint);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, set](bool down) { Run([this, set, down] { (bar_.*set)(down); }); });
        return action;
    };
    bold_ = toggle("Bold", "bold", &FormatBar::SetBold);
    italic_ = toggle("Italic", "italic", &FormatBar::SetItalic);
    underline_ = toggle("Underline", "underline", &FormatBar::SetUnderline);
    addSeparator();
    auto* group = new QActionGroup(this);
    struct AlignButton {
        const char* Hint;
        const char* Glyph;
        Alignment Code;
    };
    for (const AlignButton& a : {AlignButton{"Align Left", "align_left", Alignment::Left},
                                 AlignButton{"Center", "align_center", Alignment::Centre},
                                 AlignButton{"Align Right", "align_right", Alignment::Right}}) {
        QAction* action = addAction(Glyph(a.Glyph), a.Hint);
        action->setCheckable(true);
        group->addAction(action);
        const Alignment code = a.Code;
        connect(action, &QAction::triggered, this, [this, code] { Run([this, code] { bar_.SetAlignment(code); }); });
        align_[size_t(a.Code)] = action;
    }
    addSeparator();
    shadowColor_ = AddOpener("Shadow Color", "shadow_color", [this](QToolButton* b) { OpenPicker(ColorTarget::ShadowColor, b); });
    shadowDepth_ = AddOpener("Shadow Depth", "shadow_depth", [this](QToolButton* b) { OpenShadowSets(b); });
    shadowDepth_->setIcon(Glyph("shadow_depth"));
}

QToolButton* FormatToolbar::AddOpener(const QString& hint, const QString& glyph, std::function<void(QToolButton*)> open) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString(hint).remove(' '));
    button->setToolTip(hint);
    button->setIcon(Glyph(glyph));
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setMenu(new QMenu(button));
    connect(button, &QToolButton::clicked, this, [button, open] { open(button); });
    // The drop-down arrow opens the same window as the button.
    connect(button->menu(), &QMenu::aboutToShow, this, [button, open] {
        QTimer::singleShot(0, button, [button, open] {
            button->menu()->close();
            open(button);
        });
    });
    addWidget(button);
    return button;
}

void FormatToolbar::OpenPicker(ColorTarget target, QToolButton* button) {
    auto* picker = new ColorPickerDialog(editor_.OpenColorPicker(target), window());
    connect(picker, &ColorPickerDialog::Finished, this, [this] {
        Sync();
        emit Changed();
    });
    PlaceBelow(picker, button);
    picker->show();
}

void FormatToolbar::OpenShadowSets(QToolButton* button) {
    auto* popup = new ShadowSetsPopup(editor_.OpenShadowSets(), window());
    connect(popup, &ShadowSetsPopup::Finished, this, [this] {
        Sync();
        emit Changed();
    });
    PlaceBelow(popup, button);
    popup->show();
}

void FormatToolbar::Run(const std::function<void()>& handler) {
    handler();
    Sync();
    emit Changed();
}

void FormatToolbar::Sync() {
    QSignalBlocker a(names_), b(sizes_);
    const int index = names_->findText(Q(bar_.FontName), Qt::MatchExactly);
    if (index >= 0) {
        names_->setCurrentIndex(index);
    } else {
        // A name the list lacks still shows, so it is not applied to the next target by mistake.
        names_->setEditText(Q(bar_.FontName));
    }
    sizes_->setCurrentText(QString::number(bar_.FontSize));
    fontColor_->setIcon(StripIcon(fontColorGlyph_, bar_.FontColor));
    shadowColor_->setIcon(StripIcon(shadowColorGlyph_, bar_.ShadowColor));
    bold_->setChecked(bar_.Bold);
    italic_->setChecked(bar_.Italic);
    underline_->setChecked(bar_.Underline);
    if (size_t(bar_.Alignment) < align_.size()) align_[size_t(bar_.Alignment)]->setChecked(true);
    availability_->setToolTip(Q(bar_.AvailabilityHint));
    switch (bar_.AvailabilityGlyph) {
        case FormatBar::Glyph::Safe: availability_->setIcon(Glyph("font_safe")); break;
        case FormatBar::Glyph::Low: availability_->setIcon(Glyph("font_low")); break;
        case FormatBar::Glyph::Bar:
            availability_->setIcon(BitmapIcon(PopularityBarGlyph(bar_.Percentage, barTemplate_)));
            break;
    }
}

}  // namespace orvane
