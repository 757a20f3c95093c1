#pragma once

#include "app/ColorTarget.h"
#include "platform/Bitmap.h"

#include <QToolBar>

#include <array>
#include <functional>

class QActionGroup;
class QComboBox;
class QToolButton;

namespace orvane {

class EditorModel;
class FormatBar;

// The formatting toolbar: shows the selected element's font as the
// toolbar's model holds it and forwards every change to it.
class FormatToolbar : public QToolBar {
    Q_OBJECT
public:
    FormatToolbar(EditorModel& editor, QWidget* parent = nullptr);
    // Reads the toolbar's model into the widgets, signals blocked.
    void Sync();
    QComboBox* FontNames() const { return names_; }
    QComboBox* FontSizes() const { return sizes_; }
    QToolButton* Availability() const { return availability_; }

signals:
    // A change reached the document; the window shows it.
    void Changed();

private:
    // A toolbar button with a drop-down arrow: both open the same window.
    QToolButton* AddOpener(const QString& hint, const QString& glyph, std::function<void(QToolButton*)> open);
    void OpenPicker(ColorTarget target, QToolButton* button);
    void OpenShadowSets(QToolButton* button);
    void Run(const std::function<void()>& handler);

    EditorModel& editor_;
    FormatBar& bar_;
    QToolButton* availability_ = nullptr;
    QComboBox* names_ = nullptr;
    QComboBox* sizes_ = nullptr;
    QToolButton* fontColor_ = nullptr;
    QToolButton* shadowColor_ = nullptr;
    QToolButton* shadowDepth_ = nullptr;
    QAction* bold_ = nullptr;
    QAction* italic_ = nullptr;
    QAction* underline_ = nullptr;
    std::array<QAction*, 3> align_{};  // by Alignment
    Bitmap fontColorGlyph_;
    Bitmap shadowColorGlyph_;
    Bitmap barTemplate_;
};

}  // namespace orvane
