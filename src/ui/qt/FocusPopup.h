#pragma once

#include <QWidget>

namespace orvane {

// A borderless tool window that takes the focus when shown and closes when
// it loses it, as the colour picker and the shadow-set pop-up do. It deletes
// itself when closed and says so with Finished.
class FocusPopup : public QWidget {
    Q_OBJECT
public:
    FocusPopup(const char* objectName, QWidget* parent);

    // Reads the model into the window; closes it once the model has closed.
    virtual void Sync() = 0;

signals:
    // The window closed, with or without a choice applied.
    void Finished();

protected:
    virtual bool ModelClosed() const = 0;
    virtual void ModelLosesFocus() = 0;
    // A window of the pop-up's own (a first-use tip) has the focus for now.
    virtual bool Busy() const { return false; }
    // Closes the window once the model has; true when it is (being) closed.
    bool CloseIfModelClosed();

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    bool wasActive_ = false;
    bool finished_ = false;
};

}  // namespace orvane
