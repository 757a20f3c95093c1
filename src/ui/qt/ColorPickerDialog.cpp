#include "ColorPickerDialog.h"

#include "app/PopupPlacement.h"
#include "ui/qt/QtConvert.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace orvane {

using Layout = TfrmColorsCls::Layout;
using Field = TfrmColorsCls::Field;
using Thumb = TfrmColorsCls::Thumb;

namespace {

QColor QColorOf(uint32_t color) { return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)); }

QRect ScreenArea(const QWidget* widget) {
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

Rect FromQ(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

void PlaceBelow(QWidget* popup, const QWidget* button) {
    const QRect global(button->mapToGlobal(QPoint(0, 0)), button->size());
    const ScreenPoint at = PopupTopLeft(FromQ(global), popup->width(), popup->height(), FromQ(ScreenArea(button)));
    popup->move(at.X, at.Y);
}

void KeepOnScreen(QWidget* window) {
    const ScreenPoint at = KeepOnScreen(FromQ(QRect(window->pos(), window->size())), FromQ(ScreenArea(window)));
    if (QPoint(at.X, at.Y) != window->pos()) window->move(at.X, at.Y);
}

ColorPickerDialog::ColorPickerDialog(std::unique_ptr<TfrmColorsCls> model, QWidget* parent)
    : FocusPopup("frmColorsCls", parent), model_(std::move(model)) {

    static const char* const kLabels[6] = {"&Red:", "&Green:", "&Blue:", "&Hue:", "&Sat:", "&Lum:"};
    for (int i = 0; i < 6; ++i) {
        const bool rgb = i < 3;
        const int row = i % 3;
        const int top = Layout::FieldTop + row * Layout::FieldStep;
        auto* label = new QLabel(kLabels[i], this);
        const int labelLeft = rgb ? Layout::RgbLabelLeft : Layout::HlsLabelLeft;
        const int editLeft = rgb ? Layout::RgbEditLeft : Layout::HlsEditLeft;
        label->setGeometry(labelLeft, top, editLeft - labelLeft - 3, Layout::FieldHeight);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setGeometry(editLeft, top, Layout::EditWidth, Layout::FieldHeight);
        edit->setMaxLength(6);
        edit->installEventFilter(this);
        label->setBuddy(edit);
        labels_[size_t(i)] = label;
        fields_[size_t(i)] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            Run([&] { model_->SetFieldText(Field(i), text.toStdString()); });
        });
    }

    auto button = [this](const char* text, const Rect& r, auto handler) {
        auto* b = new QPushButton(text, this);
        b->setGeometry(Q(r));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, handler] { Run([&] { handler(*model_); }); });
        return b;
    };
    define_ = button("&Define Custom Colors", Layout::DefineButton, [](TfrmColorsCls& m) { m.DefineCustomColors(); });
    add_ = button("&Add to Custom Colors", Layout::AddButton, [](TfrmColorsCls& m) { m.AddToCustomColors(); });
    reset_ = button("Reset Custom Colors", Layout::ResetButton, [](TfrmColorsCls& m) { m.ResetCustomColors(); });
    ok_ = button("&OK", Layout::OkButton, [](TfrmColorsCls& m) { m.Ok(); });
    cancel_ = button("&Cancel", Layout::CancelButton, [](TfrmColorsCls& m) { m.Cancel(); });
    ok_->setDefault(true);

    saturation_ = new QSlider(Qt::Horizontal, this);
    saturation_->setRange(0, 100);
    saturation_->setGeometry(Q(Layout::SaturationBar));
    saturation_->setToolTip("Saturation of the colour field");
    connect(saturation_, &QSlider::valueChanged, this,
            [this](int v) { Run([&] { model_->SetSaturationBar(v); }); });

    Sync();
}

ColorPickerDialog::~ColorPickerDialog() = default;

template <typename F>
void ColorPickerDialog::Run(F&& handler) {
    if (finished_) return;
    ++busy_;
    handler();
    --busy_;
    Sync();
    if (!finished_ && wasActive_ && !isActiveWindow()) activateWindow();
}

void ColorPickerDialog::Sync() {
    if (CloseIfModelClosed()) return;
    const TfrmColorsCls& m = *model_;
    for (size_t i = 0; i < fields_.size(); ++i) {
        const QString text = QString::fromStdString(m.Fields[i]);
        if (fields_[i]->text() != text) {
            QSignalBlocker block(fields_[i]);
            fields_[i]->setText(text);
        }
    }
    {
        QSignalBlocker block(saturation_);
        saturation_->setValue(m.SaturationBar);
    }
    // The editor's controls leave the tab order while the small form hides them.
    for (QWidget* w : std::initializer_list<QWidget*>{add_, reset_, ok_, cancel_, saturation_}) w->setVisible(m.Expanded);
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setVisible(m.Expanded);
        labels_[i]->setVisible(m.Expanded);
    }
    if (size() != QSize(m.Width, m.Height)) {
        setFixedSize(m.Width, m.Height);
        KeepOnScreen(this);
    }
    RefreshGradient();
    update();
}

void ColorPickerDialog::RefreshGradient() {
    if (gradientSaturation_ == model_->SaturationBar && !gradient_.isNull()) return;
    const Bitmap& g = model_->Gradient;
    gradient_ = ToQImage(g);
    gradientSaturation_ = model_->SaturationBar;
}

void ColorPickerDialog::paintEvent(QPaintEvent*) {
    const TfrmColorsCls& m = *model_;
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    for (const TfrmColorsCls::Swatch& s : m.Swatches) {
        const QRect r = Q(s.Bounds);
        p.fillRect(r, QColorOf(s.Color));
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    // The custom row sits apart from the basic colours.
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(3, 99, 154, 99);
    if (const Rect f = m.FrameRect(); !f.IsEmpty()) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Q(f).adjusted(0, 0, -1, -1));
    }
    if (m.Expanded) {
        const QRect g = Q(Layout::Gradient);
        p.drawImage(g.topLeft(), gradient_);
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(g.adjusted(-1, -1, 0, 0));
        const QRect preview = Q(Layout::Preview);
        p.fillRect(preview, QColorOf(m.PreviewColor));
        p.drawRect(preview.adjusted(-1, -1, 0, 0));
        PaintThumbBars(p);
    }
    // Borderless: a thin edge keeps the window apart from what lies behind it.
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ColorPickerDialog::PaintThumbBars(QPainter& p) {
    const TfrmColorsCls& m = *model_;
    const int hue = std::atoi(m.Fields[size_t(Field::Hue)].c_str());
    const int lum = std::atoi(m.Fields[size_t(Field::Lum)].c_str());
    const int sat = std::atoi(m.Fields[size_t(Field::Sat)].c_str());
    const int half = TfrmColorsCls::kThumbSize / 2;
    p.setRenderHint(QPainter::Antialiasing, true);

    // Saturation: a strip from grey to the full colour, the thumb below it pointing up.
    const QRect sb = Q(Layout::SatThumbBar);
    for (int i = 0; i <= TfrmColorsCls::kThumbRange; ++i)
        p.fillRect(sb.left() + half + i, sb.top(), 1, 6, QColorOf(HlsToRgb(hue, lum, i * 48 / 10)));
    const QRect st = Q(m.ThumbRect(Thumb::Saturation));
    QPainterPath up;
    up.moveTo(st.center().x() + 0.5, st.top() + 7);
    up.lineTo(st.left() + 1.5, st.bottom() + 0.5);
    up.lineTo(st.right() - 0.5, st.bottom() + 0.5);
    up.closeSubpath();
    p.setPen(QColor(40, 40, 40));
    p.setBrush(palette().color(QPalette::Button));
    p.drawPath(up);

    // Luminosity: a strip from white to black, the thumb to its right pointing left.
    const QRect lb = Q(Layout::LumThumbBar);
    for (int i = 0; i <= TfrmColorsCls::kThumbRange; ++i)
        p.fillRect(lb.left(), lb.top() + half + i, 6, 1, QColorOf(HlsToRgb(hue, (50 - i) * 48 / 10, sat)));
    const QRect lt = Q(m.ThumbRect(Thumb::Luminosity));
    QPainterPath left;
    left.moveTo(lt.left() + 7, lt.center().y() + 0.5);
    left.lineTo(lt.right() + 0.5, lt.top() + 1.5);
    left.lineTo(lt.right() + 0.5, lt.bottom() - 0.5);
    left.closeSubpath();
    p.drawPath(left);
    p.setRenderHint(QPainter::Antialiasing, false);
}

void ColorPickerDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    TfrmColorsCls& m = *model_;
    pressedSwatch_ = m.SwatchAt(at.x(), at.y());
    if (pressedSwatch_) {
        Run([&] { m.SwatchPress(pressedSwatch_); });
        return;
    }
    if (!m.Expanded) return;
    if (Q(Layout::Gradient).contains(at)) {
        Run([&] { m.GradientPress(at.x() - Layout::Gradient.Left, at.y() - Layout::Gradient.Top); });
    } else if (Q(m.ThumbRect(Thumb::Saturation)).contains(at)) {
        Run([&] { m.ThumbPress(Thumb::Saturation); });
    } else if (Q(m.ThumbRect(Thumb::Luminosity)).contains(at)) {
        Run([&] { m.ThumbPress(Thumb::Luminosity); });
    } else if (Q(Layout::SatThumbBar).contains(at)) {
        Run([&] { m.ThumbBarClick(Thumb::Saturation, at.x() - Layout::SatThumbBar.Left); });
    } else if (Q(Layout::LumThumbBar).contains(at)) {
        Run([&] { m.ThumbBarClick(Thumb::Luminosity, at.y() - Layout::LumThumbBar.Top); });
    }
}

void ColorPickerDialog::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    TfrmColorsCls& m = *model_;
    if (m.GradientDragging) {
        Run([&] { m.GradientMove(at.x() - Layout::Gradient.Left, at.y() - Layout::Gradient.Top); });
    } else if (m.ThumbDragging) {
        const Rect thumb = m.ThumbRect(m.DraggedThumb);
        const int p = m.DraggedThumb == Thumb::Saturation ? at.x() - thumb.Left : at.y() - thumb.Top;
        Run([&] { m.ThumbMove(p); });
    }
}

void ColorPickerDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    TfrmColorsCls& m = *model_;
    if (pressedSwatch_) {
        const int swatch = pressedSwatch_;
        pressedSwatch_ = 0;
        Run([&] { m.SwatchRelease(swatch); });
    } else if (m.GradientDragging) {
        Run([&] { m.GradientRelease(at.x() - Layout::Gradient.Left, at.y() - Layout::Gradient.Top); });
    } else if (m.ThumbDragging) {
        Run([&] { m.ThumbRelease(); });
    }
}

void ColorPickerDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Run([&] { model_->Cancel(); });
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Run([&] { model_->EnterKey(); });
        return;
    }
    const int dx = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    const int dy = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (dx || dy) {
        Run([&] { model_->MoveSwatch(dx, dy); });
        return;
    }
    QWidget::keyPressEvent(event);
}

bool ColorPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < 3; ++i)
            if (watched == fields_[size_t(i)]) {
                model_->EnterField(Field(i));
                // After the click that gave the focus has placed the caret.
                QTimer::singleShot(0, fields_[size_t(i)], &QLineEdit::selectAll);
            }
    }
    if (event->type() == QEvent::KeyPress) {
        // Return in a field is the default button's.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape) {
            keyPressEvent(key);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane
