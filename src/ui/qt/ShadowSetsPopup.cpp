#include "ShadowSetsPopup.h"

#include "ui/qt/QtConvert.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orvane {

namespace {
// The face of an entry leaves room at its right and bottom for the dark panel behind it.
constexpr int kPanelOffset = 3;
}  // namespace

ShadowSetsPopup::ShadowSetsPopup(std::unique_ptr<TfrmShadowSets> model, QWidget* parent)
    : FocusPopup("frmShadowSets", parent), model_(std::move(model)) {
    setFixedSize(TfrmShadowSets::kWidth, TfrmShadowSets::kHeight);
    setToolTip("Shadow Depth");
}

ShadowSetsPopup::~ShadowSetsPopup() = default;

void ShadowSetsPopup::Sync() {
    if (!CloseIfModelClosed()) update();
}

void ShadowSetsPopup::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    for (size_t i = 0; i < model_->Entries.size(); ++i) {
        const TfrmShadowSets::Entry& e = model_->Entries[i];
        const QRect r = Q(e.Bounds);
        const QRect face = r.adjusted(0, 0, -kPanelOffset, -kPanelOffset);
        p.fillRect(face.translated(kPanelOffset, kPanelOffset), QColor(64, 64, 64));
        p.fillRect(face, Qt::white);
        p.setPen(QColor(160, 160, 160));
        p.drawRect(face.adjusted(0, 0, -1, -1));
        p.setPen(QColor(0, 0, 128));
        p.drawText(face, Qt::AlignCenter, QString::fromStdString(e.Text));
    }
    if (const Rect f = model_->FrameRect(); !f.IsEmpty()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(Q(f).adjusted(1, 1, -1, -1));
    }
    p.setPen(palette().color(QPalette::Dark));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ShadowSetsPopup::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    model_->Press(model_->EntryAt(at.x(), at.y()));
    Sync();
}

void ShadowSetsPopup::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    model_->Release(model_->EntryAt(at.x(), at.y()));
    Sync();
}

void ShadowSetsPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        model_->LoseFocus();
        Sync();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        model_->ChooseFramed();
        Sync();
        return;
    }
    const int dx = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    const int dy = event->key() == Qt::Key_Up ? -1 : event->key() == Qt::Key_Down ? 1 : 0;
    if (dx || dy) {
        model_->MoveFrame(dx, dy);
        Sync();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace orvane
