#pragma once

#include "app/EditorModel.h"
#include "ui/QtPlatform.h"

#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QTimer;

namespace orvane {

class DesignSurface;

// The editor's main window: the design surface, the menus and a property
// panel. Every value lives in the editor model; the window shows it and
// forwards what the user does.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    TForm1(const std::filesystem::path& appFolder, std::vector<std::string> args);
    ~TForm1() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildPanel();
    // Reads the model into every control, with their signals blocked.
    void ShowModel();
    void AfterCommand();
    void RefreshMenuList();

    QtPlatform platform_;
    EditorModel model_;
    std::vector<std::string> args_;
    bool closing_ = false;

    DesignSurface* surface_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QTimer* redrawTimer_ = nullptr;
    QMenu* menuList_ = nullptr;
    QLineEdit* title_ = nullptr;
    QPlainTextEdit* menuText_ = nullptr;
    QComboBox* styles_ = nullptr;
    QComboBox* buttonStyles_ = nullptr;
    QLineEdit* caption_ = nullptr;
    QLineEdit* command_ = nullptr;
    QLineEdit* argument_ = nullptr;
    QLineEdit* description_ = nullptr;
    QCheckBox* minimize_ = nullptr;
    QCheckBox* exit_ = nullptr;
    QCheckBox* maximize_ = nullptr;
};

}  // namespace orvane
