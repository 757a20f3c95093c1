// The main window driven through its real widgets, offscreen: the roads
// users take most, with questions and file dialogs answered by a script.
#include "EditorFile.h"
#include "TempFolder.h"

#include "app/FormatBar.h"
#include "distribution/AutorunBuilder.h"
#include "platform/FileUtil.h"
#include "platform/ImageIO.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/AutorunWizardDialog.h"
#include "ui/qt/CommandWizardDialog.h"
#include "ui/qt/DesignSurface.h"
#include "ui/qt/FormatToolbar.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Palettes.h"
#include "EditorModelAccess.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

using namespace orvane;

namespace {

// Runs `drive` on the modal window of type W once it is up.
template <typename W, typename F>
void WhenModal(F drive) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, drive] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (!window) return;
        poll->stop();
        poll->deleteLater();
        drive(window);
    });
    poll->start(10);
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no control %s", name);
    return found;
}

// A radio button or check box clicked on its indicator.
void Tick(QWidget* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Drags local files onto a widget and drops them there; false when the
// widget (or the window under it) refused the drag.
bool Drop(QWidget* target, const std::vector<std::filesystem::path>& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const auto& file : files) urls << QUrl::fromLocalFile(QString::fromStdString(file.string()));
    data.setUrls(urls);
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// An editor window started as `orvane-graphic` with no file, in a folder of its own.
struct Editor {
    TempFolder app;
    ScriptedPlatform answers;
    std::unique_ptr<TForm1> window;

    Editor() {
        answers.SuppressTips = true;
        window = std::make_unique<TForm1>(app.Path(), std::vector<std::string>{});
        window->Desktop().Script = &answers;
        window->show();
        window->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(window->Started(), 5000);
        QTRY_VERIFY(window->isActiveWindow());
    }
    ~Editor() {
        orvane::EditorModelAccess::Flags(window->Model()).Modified = false;
        window->close();
    }
    EditorModel& Model() { return window->Model(); }

    template <typename T>
    T* Find(const QString& name) {
        T* found = window->findChild<T*>(name);
        if (!found) qFatal("no widget %s", qPrintable(name));
        return found;
    }
    // The tool button of the main tool bar with this hint.
    QToolButton* Tool(const QString& hint) {
        for (QToolButton* b : Find<QToolBar>("MainToolbar")->findChildren<QToolButton*>())
            if (b->toolTip() == hint) return b;
        qFatal("no tool button %s", qPrintable(hint));
        return nullptr;
    }
    QAction* MenuItem(const QString& text) {
        for (QAction* a : window->findChildren<QAction*>())
            if (a->text() == text) return a;
        qFatal("no menu item %s", qPrintable(text));
        return nullptr;
    }
    // Clicks a point of the menu on the design surface.
    void ClickMenu(QPoint menuPoint) {
        DesignSurface* surface = window->Surface();
        const QPoint p = menuPoint + QPoint(DesignSurface::kMargin, DesignSurface::kMargin);
        QTest::mouseClick(surface, Qt::LeftButton, {}, p);
    }
    static QPoint Centre(const Rect& b) { return {b.Left + b.Width() / 2, b.Top + b.Height() / 2}; }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // New menu, "Blue Ribbon", a button that starts a program, saved as
    // disc.mng, then the autorun application: the road of a first disc.
    void TypicalRoadToAnAutorunDisc() {
        Editor e;
        TempFolder disc;
        WriteEditorWithPlayer(e.app);
        e.Model().Files().SetFolder(disc.Folder());  // where the user keeps this disc's files
        QTest::mouseClick(e.Tool("New"), Qt::LeftButton);

        QComboBox* styles = e.Find<QComboBox>("MenuStyle");
        styles->setFocus();
        QTest::keyClick(styles, Qt::Key_Down);  // from "XP Style" to the next entry
        QCOMPARE(styles->currentText(), QString("Blue Ribbon"));
        QCOMPARE(e.Model().Styles().At(e.Model().SelectedStyle()).Name, std::string("Blue Ribbon"));

        QTest::mouseClick(e.Tool("Add New Button"), Qt::LeftButton);
        QCOMPARE(e.Model().Doc().Menu.ButtonCount, 2);
        QLineEdit* caption = e.Find<QLineEdit>("Caption");
        QCOMPARE(caption->text(), QString("Button 2"));
        caption->selectAll();
        QTest::keyClicks(caption, "&Install");
        QCOMPARE(e.Model().Doc().Menu.Buttons[2].Caption, std::string("&Install"));

        // Browsing in a menu never saved: the wizard offers to save it first,
        // so paths are made from the disc folder.
        e.answers.Answers = {MsgResult::Yes};
        e.answers.DialogAnswers = {disc.Path() / "disc", disc.Path() / "Setup" / "setup.exe"};
        WhenModal<CommandWizardDialog>([](CommandWizardDialog* wizard) {
            Tick(Child<QRadioButton>(wizard, "Option1001"));  // start an application
            auto* forward = Child<QPushButton>(wizard, "Command2001");
            QTest::mouseClick(forward, Qt::LeftButton);
            QTest::mouseClick(forward, Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(wizard, "cmdBrowse"), Qt::LeftButton);
            QTest::mouseClick(forward, Qt::LeftButton);
        });
        QTest::mouseClick(e.Find<QPushButton>("Wizard"), Qt::LeftButton);
        QCOMPARE(e.Model().Doc().Menu.Buttons[2].Command, std::string("\\Setup\\setup.exe"));
        QCOMPARE(e.Find<QLineEdit>("Command")->text(), QString("\\Setup\\setup.exe"));
        const std::vector<std::string> texts = e.answers.MessageTexts();
        QVERIFY(std::find(texts.begin(), texts.end(), TfrmBtnWizCls::kSaveFirstQuestion) != texts.end());
        QCOMPARE(e.answers.FileDialogs.front().Title, std::string("Save Menu As..."));
        QVERIFY(std::filesystem::exists(disc.Path() / "disc.mng"));

        // Saving again takes no dialog: the menu has its file.
        const size_t dialogs = e.answers.FileDialogs.size();
        QTest::mouseClick(e.Tool("Save"), Qt::LeftButton);
        QCOMPARE(e.answers.FileDialogs.size(), dialogs);
        QVERIFY(e.window->windowTitle().startsWith("disc.mng"));
        QVERIFY(!e.Model().Flags().Modified);

        bool reachedResult = false;
        WhenModal<AutorunWizardDialog>([&reachedResult](AutorunWizardDialog* wizard) {
            auto* forward = Child<QPushButton>(wizard, "Command3001");
            QTest::mouseClick(forward, Qt::LeftButton);  // the name: Autorun.exe beside the menu
            QVERIFY(Child<QCheckBox>(wizard, "ChkOptn1")->isChecked());
            QTest::mouseClick(forward, Qt::LeftButton);  // the menus
            QVERIFY(Child<QRadioButton>(wizard, "RadOptn1")->isChecked());
            QTest::mouseClick(forward, Qt::LeftButton);  // the default menu: build
            reachedResult = Child<QLabel>(wizard, "lblBoldName")->text() == "Autorun.exe";
            QTest::mouseClick(Child<QPushButton>(wizard, "cmdClose"), Qt::LeftButton);
        });
        e.MenuItem("Create Autorun EXE...")->trigger();
        QVERIFY(reachedResult);
        const AutorunPackage package = ReadAutorunPackage(ReadWholeFile(disc.Path() / "Autorun.exe"));
        QCOMPARE(package.Error, std::string());
        QCOMPARE(package.Files.size(), size_t(1));
        QCOMPARE(package.Files[0].Name, std::string("disc.mng"));
        QVERIFY(std::filesystem::exists(disc.Path() / "Autorun.inf"));
    }

    void StartsWithANewMenuInXpStyle() {
        Editor e;
        QCOMPARE(e.Find<QComboBox>("MenuStyle")->currentText(), QString("XP Style"));
        QCOMPARE(e.Model().Doc().Menu.ButtonCount, 1);
        QCOMPARE(e.window->windowTitle(), QString("Orvane Graphic Menu Editor"));
        QVERIFY(!e.Model().Doc().MenuImage.IsEmpty());
        QCOMPARE(e.answers.TipsShown.back(), 0);  // the start-up tip comes last
        // The window still fits a 1366 x 768 screen.
        const QSize least = e.window->minimumSizeHint().expandedTo(e.window->minimumSize());
        QVERIFY2(least.width() <= 1366 && least.height() <= 768, qPrintable(QString("%1x%2").arg(least.width()).arg(least.height())));
    }

    // One termination request (a logout) ends a freshly started editor,
    // whatever modal window is up and whatever start-up would show next:
    // nothing is asked, the settings are written, the snapshots removed.
    void OneTerminationRequestEndsAFreshEditor() {
        TempFolder app;
        TForm1 window(app.Path(), {});
        window.show();
        bool requested = false;
        int shownAfterwards = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible()) return;
            if (requested) {
                ++shownAfterwards;  // the user could not answer it: close it for them
                modal->close();
                return;
            }
            requested = true;
            window.Terminate();
        });
        watch.start(10);
        QTRY_VERIFY_WITH_TIMEOUT(requested, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 10000);
        watch.stop();
        QCOMPARE(shownAfterwards, 0);
        QVERIFY(std::filesystem::exists(app.Path() / "orvane-graphic.ini"));
        for (const auto& entry : std::filesystem::directory_iterator(app.Path()))
            QVERIFY2(entry.path().extension() != ".und", qPrintable(QString::fromStdString(entry.path().string())));
    }

    // Keys a text field uses act on the field while it has the focus, and on
    // the document otherwise.
    void TextFieldKeysStayInTheField() {
        Editor e;
        QTest::mouseClick(e.Tool("Add New Button"), Qt::LeftButton);
        const TOVMenu& m = e.Model().Doc().Menu;
        QLineEdit* caption = e.Find<QLineEdit>("Caption");
        const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
            {Qt::Key_Delete, Qt::ControlModifier}, {Qt::Key_Backspace, Qt::ControlModifier},
            {Qt::Key_Z, Qt::ControlModifier},      {Qt::Key_Y, Qt::ControlModifier},
            {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_C, Qt::ControlModifier},
            {Qt::Key_V, Qt::ControlModifier},      {Qt::Key_A, Qt::ControlModifier},
            {Qt::Key_Delete, Qt::NoModifier}};
        for (const auto& [key, modifiers] : keys) {
            caption->setFocus();
            const int count = m.ButtonCount, undo = m.UndoCount, redo = m.RedoCount;
            const std::string clipboard = m.Buttons[kClipboardSlot].Caption;
            const size_t dialogs = e.answers.FileDialogs.size();
            QTest::keyClick(caption, key, modifiers);
            const QString name = QKeySequence(int(key) | int(modifiers)).toString();
            QVERIFY2(m.ButtonCount == count && m.UndoCount == undo && m.RedoCount == redo, qPrintable(name));
            QVERIFY2(m.Buttons[kClipboardSlot].Caption == clipboard, qPrintable(name));
            QVERIFY2(e.answers.FileDialogs.size() == dialogs, qPrintable(name));
        }
        caption->setText("Big Button");
        caption->home(false);
        QTest::keyClick(caption, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(caption->text(), QString("Button"));

        // Elsewhere the keys are the document's.
        caption->clearFocus();
        QTest::keyClick(e.window.get(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(m.ButtonCount, 1);
    }

    // A menu file dropped on the window opens as from the command line; a
    // picture dropped on a photo style's menu becomes its photo, and only there.
    void DroppedFilesOpen() {
        Editor e;
        TempFolder work;
        {
            ScriptedPlatform quiet;
            EditorModel other(quiet, e.app.Path());
            other.StartNewMenu();
            orvane::EditorModelAccess::Doc(other).Props.Title = "Dropped";
            QVERIFY(other.BinMenuSave(SaveMode::Menu, work.Folder(), "dropped.mng"));
        }
        QVERIFY(Drop(e.window->Surface(), {work.Path() / "dropped.mng"}));
        QTRY_COMPARE(e.Model().Doc().Props.Title, std::string("Dropped"));
        QCOMPARE(e.Model().Doc().Menu.FileName, std::string("dropped.mng"));

        WriteFileReplacing(work.Path() / "sea.bmp", WriteBmp(Bitmap(40, 30, 0x2080C0), 24));
        WriteFileReplacing(work.Path() / "hills.png", WritePng(Bitmap(60, 30, 0x30A040)));
        QVERIFY2(!Drop(e.window->Surface(), {work.Path() / "hills.png"}), "not a photo style");
        e.answers.DialogAnswers = {work.Path() / "sea.bmp"};
        e.Model().ComboBox1Select(12);
        QVERIFY(Drop(e.window->Surface(), {work.Path() / "hills.png"}));
        QCOMPARE(e.Model().Doc().Menu.BackgroundFile, (work.Path() / "hills.png").string());
        QCOMPARE(e.Model().Doc().BackgroundPhoto.Width(), 60);
        QVERIFY2(!Drop(e.window.get(), {work.Path() / "hills.png"}), "the window takes no pictures");
    }

    // A close asked for while start-up shows its first tip (a logout, say)
    // waits for start-up, then closes without a question.
    void ACloseDuringStartUpWaitsAndAsksNothing() {
        TempFolder app;
        ScriptedPlatform answers;
        TForm1 window(app.Path(), {});
        window.Desktop().Script = &answers;
        answers.WhileTipShown = [&](int) { window.close(); };
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(window.Started(), 5000);
        QVERIFY(!answers.TipsShown.empty());
        QTRY_VERIFY(!window.isVisible());
        QCOMPARE(answers.MessageTexts(), std::vector<std::string>{});
        QVERIFY(std::filesystem::exists(app.Path() / "orvane-graphic.ini"));
    }

    void AnimationPlaysAndLeavesTheButtonsInPlace() {
        Editor e;
        for (int i = 0; i < 2; ++i) QTest::mouseClick(e.Tool("Add New Button"), Qt::LeftButton);
        QToolButton* animate = e.Tool("Animate buttons now");
        QComboBox* list = e.Find<QComboBox>("ButtonAnimation");
        const int undoBefore = e.Model().Doc().Menu.UndoCount;
        list->setFocus();
        const int before = list->currentIndex();
        QTest::keyClick(list, Qt::Key_Down);  // the next effect plays at once
        QCOMPARE(e.Model().Doc().Props.ButtonAnimation, before + 1);
        QVERIFY(e.Model().Doc().Menu.UndoCount > undoBefore);  // entering the list took the snapshot
        DesignSurface* surface = e.window->Surface();
        QTRY_VERIFY(!surface->Animating());
        QCOMPARE(e.Model().RenderSuspended(), 0);
        QCOMPARE(animate->toolTip(), QString("Animate buttons now"));
        for (int i = 1; i <= 3; ++i) {
            const Rect& b = e.Model().Renderer().Layout.Buttons[size_t(i)];
            QCOMPARE(surface->ButtonPlace(i), QPoint(b.Left, b.Top));
        }
        // While it plays, renders are held back and the hint is gone.
        bool sawSuspended = false;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (surface->Animating() && e.Model().RenderSuspended() == 1 && animate->toolTip().isEmpty())
                sawSuspended = true;
        });
        probe.start(5);
        QTest::mouseClick(animate, Qt::LeftButton);
        QTRY_VERIFY(!surface->Animating());
        QVERIFY(sawSuspended);
        QCOMPARE(e.Model().RenderSuspended(), 0);

        // A button added while the animation plays ends it, and shows.
        probe.disconnect();
        bool added = false;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (!added && surface->Animating()) {
                added = true;
                e.MenuItem("&Add Button")->trigger();
            }
        });
        QTest::mouseClick(animate, Qt::LeftButton);
        QTRY_VERIFY(!surface->Animating());
        QVERIFY(added);
        QCOMPARE(e.Model().Doc().Menu.ButtonCount, 4);
        QVERIFY(e.Model().Renderer().Layout.ButtonVisible[4]);
        const Rect& fourth = e.Model().Renderer().Layout.Buttons[4];
        QCOMPARE(surface->ButtonPlace(4), QPoint(fourth.Left, fourth.Top));
    }

    // A slider's undo snapshot comes with the user's focus, not with the
    // focus returning after a message box or a menu.
    void SliderSnapshotsOnlyForTheUsersFocus() {
        Editor e;
        e.window->TogglePalette(EditorModel::CustomProperties);
        QSlider* gap = e.Find<QSlider>("ButtonGap");
        struct Case {
            Qt::FocusReason Reason;
            int Snapshots;
        };
        for (const Case& c : {Case{Qt::MouseFocusReason, 1}, Case{Qt::TabFocusReason, 1},
                              Case{Qt::ActiveWindowFocusReason, 0}, Case{Qt::PopupFocusReason, 0}}) {
            const int before = e.Model().Doc().Menu.UndoCount;
            QFocusEvent focus(QEvent::FocusIn, c.Reason);
            QApplication::sendEvent(gap, &focus);
            QCOMPARE(e.Model().Doc().Menu.UndoCount - before, c.Snapshots);
        }
    }

    void PreviousAndNextWrap() {
        Editor e;
        for (int i = 0; i < 3; ++i) QTest::mouseClick(e.Tool("Add New Button"), Qt::LeftButton);
        QCOMPARE(e.Model().Doc().Menu.ButtonCount, 4);
        e.ClickMenu(Editor::Centre(e.Model().Renderer().Layout.Buttons[1]));
        QCOMPARE(e.Model().Doc().Menu.SelectedButton, 1);

        struct Step {
            const char* Action;
            int Selected;
        };
        for (const Step& step : {Step{"Previous", 4}, Step{"Next", 1}, Step{"Next", 2}, Step{"Previous", 1}}) {
            e.MenuItem(step.Action)->trigger();
            QCOMPARE(e.Model().Doc().Menu.SelectedButton, step.Selected);
            const std::string caption = e.Model().Doc().Menu.Buttons[size_t(step.Selected)].Caption;
            QCOMPARE(e.Find<QLineEdit>("Caption")->text().toStdString(), caption);
        }
    }

    void OnePaletteModeKeepsOnePaletteOpen() {
        Editor e;
        PaletteColumn& column = e.Model().Palettes();
        // Palettes 1 and 2 open besides the start-up ones, then the mode on.
        for (int i : {0, 1}) e.window->TogglePalette(i);
        e.MenuItem("One Palette Visible at a Time")->trigger();
        QVERIFY(column.OnePaletteMode);
        const int firstOpen = 0;
        for (int i = 0; i < 5; ++i) QCOMPARE(column.Open[size_t(i)], i == firstOpen ? 1 : 0);

        QTest::keyClick(e.window.get(), Qt::Key_F4, Qt::ControlModifier);
        const std::array<int, 5> open = {0, 0, 0, 1, 0};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(column.Open[size_t(i)], open[size_t(i)]);
            PaletteFrame* frame = e.window->Palettes()->Frame(i);
            QCOMPARE(frame->height(), open[size_t(i)] ? column.FullHeight[size_t(i)] : PaletteColumn::kClosedHeight);
            QCOMPARE(frame->Body()->isVisible(), open[size_t(i)] == 1);
            if (i > 0) {
                PaletteFrame* above = e.window->Palettes()->Frame(i - 1);
                QCOMPARE(frame->y(), above->y() + above->height() + 1);
            }
        }
        QVERIFY(e.MenuItem("&Custom Properties")->isChecked());
        QVERIFY(!e.MenuItem("Menu &Description")->isChecked());
    }

    void FontAvailabilityFollowsTheTargetAndTheFont() {
        Editor e;
        QToolButton* indicator = e.window->Formatting()->Availability();
        QComboBox* names = e.window->Formatting()->FontNames();
        e.ClickMenu(Editor::Centre(e.Model().Renderer().Layout.MenuText));
        QCOMPARE(e.Model().Doc().Menu.SelectedButton, 0);

        struct Case {
            const char* Font;
            const char* Hint;
        };
        for (const Case& c : {Case{"Arial", "99% popularity"}, Case{"Georgia", "95% popularity"},
                              Case{"No Such Font 7", "Less than 10% popularity"}}) {
            names->setFocus();
            names->lineEdit()->selectAll();
            QTest::keyClicks(names->lineEdit(), c.Font);
            QTest::keyClick(names->lineEdit(), Qt::Key_Return);
            QCOMPARE(e.Model().Doc().Props.TextFont.Name, std::string(c.Font));
            QCOMPARE(indicator->toolTip(), QString(c.Hint));
        }
        e.ClickMenu(Editor::Centre(e.Model().Renderer().Layout.TitleSelection));
        QCOMPARE(e.Model().Doc().Menu.SelectedButton, -1);
        QCOMPARE(indicator->toolTip(), QString("Font Safe: text will be rendered into menu"));
        QVERIFY(e.Find<QLineEdit>("MenuTitle")->hasFocus());
    }

    void TypingThreeCharactersRendersOnce() {
        Editor e;
        QLineEdit* title = e.Find<QLineEdit>("MenuTitle");
        title->setFocus();
        title->end(false);
        const int before = e.Model().RenderCount();
        QTest::keyClicks(title, "abc");
        QCOMPARE(e.Model().RenderCount(), before);  // deferred, not yet
        QCOMPARE(e.Model().RedrawCountdown(), EditorModel::RedrawDelay);
        QTRY_COMPARE_WITH_TIMEOUT(e.Model().RedrawCountdown(), -1, 3000);
        QCOMPARE(e.Model().RenderCount(), before + 1);
        QVERIFY(e.Model().Doc().Props.Title.ends_with("abc"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
