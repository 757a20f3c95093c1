#pragma once

#include "app/Publish.h"

#include <QDialog>
#include <QObject>

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace orvane {

class EditorModel;

// The disc folder at the top of each publishing window: its path, a Browse
// button, and what the checks found.
class DiscFolderPanel : public QWidget {
    Q_OBJECT
public:
    DiscFolderPanel(DiscFolderModel& model, std::function<void()> rebuild, QWidget* parent = nullptr);
    void Sync();

signals:
    void Changed();

private:
    DiscFolderModel& model_;
    std::function<void()> rebuild_;
    QLineEdit* path_ = nullptr;
    QLabel* findings_ = nullptr;
};

// "Test Autorun...": the screen size, Start, and the run's state until it ends.
class TestAutorunDialog : public QDialog {
    Q_OBJECT
public:
    TestAutorunDialog(TestRunModel& model, std::function<void()> rebuild, QWidget* parent = nullptr);
    ~TestAutorunDialog() override;
    void reject() override;
    TestRunModel& Model() const { return model_; }
    void Start();

private:
    void Sync();
    void Poll();

    TestRunModel& model_;
    DiscFolderPanel* folder_ = nullptr;
    QComboBox* screen_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* poll_ = nullptr;
    bool busy_ = false;          // preparing Wine and the drive
    bool stopStarting_ = false;  // Close was pressed while preparing
};

// "Create Disc Image...": the label, the image file, and Create.
class DiscImageDialog : public QDialog {
    Q_OBJECT
public:
    DiscImageDialog(DiscImageModel& model, std::function<void()> rebuild, QWidget* parent = nullptr);
    DiscImageModel& Model() const { return model_; }
    void Create();

private:
    void Sync();

    DiscImageModel& model_;
    DiscFolderPanel* folder_ = nullptr;
    QLineEdit* label_ = nullptr;
    QLineEdit* target_ = nullptr;
    QPushButton* create_ = nullptr;
};

// "Burn Disc...": the drive and its disc, the label, and Burn.
class BurnDialog : public QDialog {
    Q_OBJECT
public:
    BurnDialog(BurnModel& model, std::function<void()> rebuild, QWidget* parent = nullptr);
    BurnModel& Model() const { return model_; }
    void Burn();

private:
    void Sync();

    BurnModel& model_;
    DiscFolderPanel* folder_ = nullptr;
    QComboBox* drives_ = nullptr;
    QLabel* medium_ = nullptr;
    QLineEdit* label_ = nullptr;
    QPushButton* burn_ = nullptr;
};

// The three File menu items and what they open. showModel refreshes the main
// window after the autorun wizard ran (it may have saved the menu).
class PublishActions : public QObject {
    Q_OBJECT
public:
    PublishActions(EditorModel& model, QWidget* window, std::function<void()> showModel);

    // Adds the items to the File menu, after the autorun item.
    void AddTo(QMenu* fileMenu);

    QAction* TestAutorun = nullptr;
    QAction* CreateImage = nullptr;
    QAction* BurnDisc = nullptr;

private:
    template <typename Dialog, typename Model>
    void Open(Model& model);
    // Runs the autorun wizard for the model's disc folder, then checks again.
    void Rebuild(DiscFolderModel& model);

    EditorModel& model_;
    QWidget* window_;
    std::function<void()> showModel_;
    std::string lastFolder_;  // the disc folder used last, for this run of the editor
};

}  // namespace orvane
