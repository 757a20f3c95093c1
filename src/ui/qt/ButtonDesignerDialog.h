#pragma once

#include "app/ButtonDesigner.h"
#include "app/Tips.h"

#include <QDialog>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QTimer;
class QToolButton;

namespace orvane {

class EditorModel;

// The "Custom Button Style" window: shows a TfrmCustomBtnCls and forwards
// every control to it. Modal; a new one for each opening.
class ButtonDesignerDialog : public QDialog {
    Q_OBJECT
public:
    explicit ButtonDesignerDialog(EditorModel& editor, QWidget* parent = nullptr);
    ~ButtonDesignerDialog() override;

    TfrmCustomBtnCls& Model() { return *model_; }
    // Reads the model into the widgets.
    void Sync();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape: the same question as the close box.
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename F>
    void Run(F&& handler);
    void BuildMenus(QMenuBar* bar);
    void BuildToolbars(QWidget* host);
    void BuildBody(QWidget* host);
    void ShowSample();
    void OpenHelp(HelpPage page);

    EditorModel& editor_;
    std::unique_ptr<TfrmCustomBtnCls> model_;
    QTimer* timer_ = nullptr;
    std::array<QLabel*, 7> slots_{};        // 1 to 6 as the model's slots
    std::array<QLabel*, 4> slotCaptions_{};  // 1 to 3
    QLabel* maskCaption_ = nullptr;
    QLabel* maskToolCaption_ = nullptr;
    QFrame* selection_ = nullptr;
    QLabel* sample_ = nullptr;
    QLineEdit* name_ = nullptr;
    QComboBox* animation_ = nullptr;
    QComboBox* fonts_ = nullptr;
    QComboBox* sizes_ = nullptr;
    QAction* bold_ = nullptr;
    QAction* italic_ = nullptr;
    QAction* underline_ = nullptr;
    std::array<QAction*, 3> align_{};  // by Alignment
    QAction* photo_ = nullptr;
    QToolButton* fontColor_ = nullptr;
    QToolButton* shadowColor_ = nullptr;
    QToolButton* shadowDepth_ = nullptr;
    std::vector<QAction*> maskTools_;
    Bitmap shown_;
    bool syncing_ = false;
};

}  // namespace orvane
