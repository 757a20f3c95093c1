#include "Palettes.h"

#include "app/PaletteColumn.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace orvane {

namespace {
constexpr int kTitleHeight = PaletteColumn::kClosedHeight;
constexpr int kGlyphWidth = 17;
constexpr int kGlyphHeight = 13;
}  // namespace

PaletteFrame::PaletteFrame(const QString& caption, QWidget* body, QWidget* parent)
    : QWidget(parent), caption_(caption), body_(body) {
    body_->setParent(this);
    body_->move(0, kTitleHeight);
    setAccessibleName(caption);
}

void PaletteFrame::SetGlyph(bool open, bool pressed) {
    open_ = open;
    pressed_ = pressed;
    update(ButtonRect());
}

int PaletteFrame::FullHeight(int width) const {
    const int body = body_->hasHeightForWidth() ? body_->heightForWidth(width) : body_->sizeHint().height();
    return kTitleHeight + body;
}

QRect PaletteFrame::ButtonRect() const {
    return QRect(width() - kGlyphWidth - 3, (kTitleHeight - kGlyphHeight) / 2, kGlyphWidth, kGlyphHeight);
}

void PaletteFrame::resizeEvent(QResizeEvent*) { body_->setGeometry(0, kTitleHeight, width(), height() - kTitleHeight); }

void PaletteFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    static const QPixmap bar(":/mainwindow/palette_title.png");
    static const QPixmap glyphs(":/mainwindow/palette_glyphs.png");
    const QRect title(0, 0, width(), kTitleHeight);
    if (bar.isNull()) {
        QLinearGradient gradient(0, 0, 0, kTitleHeight);
        gradient.setColorAt(0, QColor(96, 132, 196));
        gradient.setColorAt(1, QColor(40, 72, 140));
        painter.fillRect(title, gradient);
    } else {
        painter.drawPixmap(title, bar);
    }
    QFont font = painter.font();
    font.setBold(true);
    painter.setFont(font);
    const QRect text = title.adjusted(6, 0, -kGlyphWidth - 6, 0);
    // The caption in white over the same caption in navy, one pixel down and right.
    painter.setPen(QColor(0, 0, 128));
    painter.drawText(text.translated(1, 1), Qt::AlignVCenter | Qt::AlignLeft, caption_);
    painter.setPen(Qt::white);
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, caption_);
    const QRect source(PaletteColumn::GlyphX(open_, pressed_), 0, kGlyphWidth, kGlyphHeight);
    if (!glyphs.isNull()) {
        const qreal scale = glyphs.width() / qreal(4 * kGlyphWidth);
        const QRectF scaled(source.x() * scale, 0, kGlyphWidth * scale, kGlyphHeight * scale);
        painter.drawPixmap(QRectF(ButtonRect()), glyphs, scaled);
    }
}

void PaletteFrame::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    if (event->position().y() >= kTitleHeight) return;
    SetGlyph(open_, true);
}

void PaletteFrame::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    SetGlyph(open_, false);
    // The whole title bar acts as the button: an easier target than 17 x 13.
    if (QRect(0, 0, width(), kTitleHeight).contains(event->position().toPoint())) emit Toggled();
}

PaletteColumnView::PaletteColumnView(PaletteColumn& model, std::array<PaletteFrame*, 5> frames, QWidget* parent)
    : QScrollArea(parent), model_(model), frames_(frames), inner_(new QWidget) {
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFrameShape(QFrame::NoFrame);
    for (PaletteFrame* frame : frames_) frame->setParent(inner_);
    setWidget(inner_);
    setFixedWidth(PaletteColumn::kWidth);
}

void PaletteColumnView::MeasurePalettes() {
    for (int i = 0; i < PaletteColumn::kCount; ++i)
        model_.FullHeight[size_t(i)] = frames_[size_t(i)]->FullHeight(PaletteColumn::kClientWidth);
}

void PaletteColumnView::Arrange(int inView) {
    const int width = PaletteColumn::kClientWidth;
    for (int i = 0; i < PaletteColumn::kCount; ++i) {
        PaletteFrame* frame = frames_[size_t(i)];
        const bool open = model_.Open[size_t(i)] != 0;
        frame->Body()->setVisible(open);
        frame->setGeometry(0, model_.Top(i), width, model_.Height(i));
        frame->SetGlyph(open, false);
    }
    inner_->resize(width, model_.TotalHeight());
    const bool needsBar = model_.TotalHeight() > viewport()->height();
    setFixedWidth(PaletteColumn::ColumnWidth(needsBar, verticalScrollBar()->sizeHint().width()));
    if (inView >= 0) {
        const int top = model_.Top(inView);
        ensureVisible(0, top + model_.Height(inView), 0, 0);
        ensureVisible(0, top, 0, 0);
    }
}

void PaletteColumnView::ScrollBy(int notches) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() - notches * PaletteColumn::kWheelStep);
}

void PaletteColumnView::Wheel(int angleDelta) {
    wheelRest_ += angleDelta;
    const int notches = wheelRest_ / 120;
    wheelRest_ -= notches * 120;
    if (notches) ScrollBy(notches);
}

void PaletteColumnView::wheelEvent(QWheelEvent* event) {
    Wheel(event->angleDelta().y());
    event->accept();
}

void PaletteColumnView::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    const bool needsBar = model_.TotalHeight() > viewport()->height();
    setFixedWidth(PaletteColumn::ColumnWidth(needsBar, verticalScrollBar()->sizeHint().width()));
}

}  // namespace orvane
