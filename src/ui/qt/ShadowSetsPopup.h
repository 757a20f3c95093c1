#pragma once

#include "app/ShadowSets.h"
#include "ui/qt/FocusPopup.h"

#include <memory>

namespace orvane {

// The shadow-set pop-up's window: 148 x 69, borderless. It closes itself
// after a choice or when it loses the focus, and deletes itself then.
class ShadowSetsPopup : public FocusPopup {
    Q_OBJECT
public:
    explicit ShadowSetsPopup(std::unique_ptr<TfrmShadowSets> model, QWidget* parent = nullptr);
    ~ShadowSetsPopup() override;

    TfrmShadowSets& Model() { return *model_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool ModelClosed() const override { return model_->Closed; }
    void ModelLosesFocus() override { model_->LoseFocus(); }

private:
    void Sync() override;

    std::unique_ptr<TfrmShadowSets> model_;
};

}  // namespace orvane
