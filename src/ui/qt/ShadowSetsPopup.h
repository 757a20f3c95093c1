#pragma once

#include "app/ShadowSets.h"

#include <QWidget>

#include <memory>

namespace orvane {

// The shadow-set pop-up's window: 148 x 69, borderless. It closes itself
// after a choice or when it loses the focus, and deletes itself then.
class ShadowSetsPopup : public QWidget {
    Q_OBJECT
public:
    explicit ShadowSetsPopup(std::unique_ptr<TfrmShadowSets> model, QWidget* parent = nullptr);
    ~ShadowSetsPopup() override;

    TfrmShadowSets& Model() { return *model_; }

signals:
    void Finished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Sync();

    std::unique_ptr<TfrmShadowSets> model_;
    bool wasActive_ = false;
    bool finished_ = false;
};

}  // namespace orvane
