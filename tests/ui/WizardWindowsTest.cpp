// The command wizard's and the autorun wizard's windows and the publishing
// windows, driven offscreen.
#include "DiscFolderFixture.h"
#include "EditorFile.h"
#include "FakePalette.h"
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "distribution/AutorunBuilder.h"
#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/AutorunWizardDialog.h"
#include "ui/qt/CommandWizardDialog.h"
#include "ui/qt/PublishDialogs.h"
#include "EditorModelAccess.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

using namespace orvane;

namespace {

// A command wizard window on screen, writing into a palette of its own.
struct CommandWizardOnScreen {
    ScriptedPlatform platform;
    FakePalette palette;
    TfrmBtnWizCls wizard{platform, palette, "/disc/"};
    CommandWizardDialog dialog{wizard};
    CommandWizardOnScreen() { dialog.show(); }
};

template <typename W>
W* Child(QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(name);
    if (!w) qWarning("no control %s", name);
    return w;
}

// The caption of the one step frame on screen.
QString VisibleFrame(QWidget* dialog) {
    for (QGroupBox* g : dialog->findChildren<QGroupBox*>())
        if (g->isVisible()) return g->title();
    return {};
}

// Clicks a radio button or check box on its indicator: the middle of a wide
// one lies past its text and does not count as a click.
void Tick(QWidget* box) {
    QVERIFY(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

// Replaces a field's text by keyboard, as the user would.
void Retype(QLineEdit* field, const QString& text) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

QPushButton* ButtonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    qWarning() << "no button" << text;
    return nullptr;
}

}  // namespace

class WizardWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void StartAProgramThroughBrowse() {
        TempFolder app, disc;
        ScriptedPlatform platform;
        EditorModel model{platform, app.Path()};
        EditorModelAccess::Prefs(model) = Settings::Defaults(app.Folder(), 1024, 768);
        model.StartNewMenu();
        model.Files().SetFolder(disc.Folder());
        EditorModelAccess::Doc(model).Menu.SelectedButton = 1;
        std::unique_ptr<TfrmBtnWizCls> wizard = model.OpenCommandWizard();
        QVERIFY(wizard);

        CommandWizardDialog dialog(*wizard);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Button Command Wizard"));
        auto* back = Child<QPushButton>(&dialog, "Command2000");
        auto* forward = Child<QPushButton>(&dialog, "Command2001");
        QVERIFY(back && forward);
        QVERIFY(Child<QRadioButton>(&dialog, "Option1000")->isChecked());

        Tick(Child<QRadioButton>(&dialog, "Option1001"));
        QCOMPARE(wizard->WizardAction, 1);
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(VisibleFrame(&dialog), QString("Step 2 - Menu Action"));
        Tick(Child<QRadioButton>(&dialog, "optMinimize"));
        Tick(Child<QCheckBox>(&dialog, "chkMaximize"));
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(VisibleFrame(&dialog), QString("Step 3 - Button Target"));
        QCOMPARE(forward->text(), QString("&Finish"));
        auto* target = Child<QLineEdit>(&dialog, "txtTarget");
        QTRY_VERIFY(target->hasFocus());

        // The menu is saved into the disc folder first, then the file dialog
        // answered by the test: a program on the disc.
        platform.Answers = {MsgResult::Yes};
        platform.DialogAnswers = {disc.Path() / "disc.mng", disc.Path() / "Setup" / "setup.exe"};
        QTest::mouseClick(Child<QPushButton>(&dialog, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(platform.FileDialogs.back().Title, std::string("Open Target Application"));
        QCOMPARE(target->text(), QString("\\Setup\\setup.exe"));

        QTest::mouseClick(forward, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const TOVButton& button = model.Doc().Menu.Buttons[1];
        QCOMPARE(button.Command, std::string("\\Setup\\setup.exe"));
        QVERIFY(button.MinimizeOnClick && !button.ExitOnClick && button.MaximizeWindow);
        QVERIFY(model.Flags().Modified);
        QCOMPARE(platform.MessageTexts().back(), std::string(TfrmBtnWizCls::kFinishedMessage));
    }

    void PagesAndCaptions() {
        // Each row: the action, then per press of the forward button the frame
        // shown and the forward caption; an empty frame means the wizard closed.
        // A target page pressed on while empty says so and stays, its field
        // focused; the row's text is then typed there.
        struct Step {
            const char* frame;
            const char* forward;
        };
        struct Case {
            const char* option;
            std::vector<Step> steps;
            const char* typed;
            const char* command;
        } cases[] = {
            {"Option1000",
             {{"Step 2 - Menu Action", "&Next >>"}, {"Step 3 - Button Target", "&Finish"}, {"", ""}},
             "\\docs\\a.pdf",
             "\\docs\\a.pdf"},
            {"Option1004", {{"Step 3 - Button Target", "&Finish"}, {"", ""}}, "Intro", "Intro.mng"},
            {"Option1006", {{"Step 2 - Menu Action", "&Next >>"}, {"", ""}}, "", "*"},
            {"Option1003",
             {{"Step 2 - Menu Action", "&Next >>"}, {"Step 3 - Internet Address", "&Finish"}, {"", ""}},
             "example.org",
             "https://example.org"},
            {"Option1008",
             {{"Step 2 - Menu Action", "&Next >>"}, {"Step 3 - Email Details", "&Finish"}, {"", ""}},
             "info@example.org",
             "mailto:info@example.org"},
            {"Option1009", {{"", ""}}, "", ""},
        };
        for (const Case& c : cases) {
            CommandWizardOnScreen on;
            CommandWizardDialog& dialog = on.dialog;
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            auto* back = Child<QPushButton>(&dialog, "Command2000");
            auto* forward = Child<QPushButton>(&dialog, "Command2001");
            QCOMPARE(VisibleFrame(&dialog), QString("Step 1 - Button Action"));
            QVERIFY(!back->isEnabled());
            Tick(Child<QRadioButton>(&dialog, c.option));
            QCOMPARE(forward->text(), QString(c.option == std::string("Option1009") ? "&Finish" : "&Next >>"));
            for (size_t i = 0; i < c.steps.size(); ++i) {
                QTest::mouseClick(forward, Qt::LeftButton);
                const Step& s = c.steps[i];
                if (!*s.frame) {
                    QVERIFY2(!dialog.isVisible(), c.option);
                    break;
                }
                QCOMPARE(VisibleFrame(&dialog), QString(s.frame));
                QCOMPARE(forward->text(), QString(s.forward));
                QVERIFY(back->isEnabled());
                if (*c.typed && QString(s.frame).startsWith("Step 3")) {
                    const size_t said = on.platform.Messages.size();
                    QTest::mouseClick(forward, Qt::LeftButton);
                    QCOMPARE(VisibleFrame(&dialog), QString(s.frame));
                    QCOMPARE(on.platform.Messages.size(), said + 1);
                    QVERIFY(on.palette.Untouched());
                    QTest::keyClicks(QApplication::focusWidget(), c.typed);
                }
            }
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(on.palette.Command, std::string(c.command));
            QCOMPARE(on.palette.Exit, c.option == std::string("Option1009"));
            // The e-mail page asks for a subject; the Internet page gives an example instead.
            const bool mail = c.option == std::string("Option1008");
            QCOMPARE(Child<QLineEdit>(&dialog, "txtSubject")->isVisibleTo(&dialog), mail);
        }
    }

    void BackReturnsThroughThePages() {
        CommandWizardOnScreen on;
        CommandWizardDialog& dialog = on.dialog;
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Tick(Child<QRadioButton>(&dialog, "Option1004"));
        QTest::mouseClick(Child<QPushButton>(&dialog, "Command2001"), Qt::LeftButton);
        QCOMPARE(VisibleFrame(&dialog), QString("Step 3 - Button Target"));
        QTest::mouseClick(Child<QPushButton>(&dialog, "Command2000"), Qt::LeftButton);
        QCOMPARE(VisibleFrame(&dialog), QString("Step 1 - Button Action"));
        QVERIFY(!Child<QPushButton>(&dialog, "Command2000")->isEnabled());
        QVERIFY(Child<QRadioButton>(&dialog, "Option1004")->isChecked());
        QVERIFY(dialog.isVisible());
    }

    void TypedFieldsAndTheKeyboard() {
        // Enter in a one-line field goes forward; in the message it breaks the line.
        CommandWizardOnScreen text;
        CommandWizardDialog& dialog = text.dialog;
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        Tick(Child<QRadioButton>(&dialog, "Option1005"));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(VisibleFrame(&dialog), QString("Step 3 - Message Content"));
        auto* message = Child<QPlainTextEdit>(&dialog, "txtMessage");
        QTRY_VERIFY(message->hasFocus());
        QTest::keyClicks(message, "A");
        QTest::keyClick(message, Qt::Key_Return);
        QTest::keyClicks(message, "B");
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(Child<QPushButton>(&dialog, "Command2001"), Qt::LeftButton);
        QCOMPARE(text.palette.Command, std::string("$A\xC2\xB6" "B"));

        CommandWizardOnScreen mail;
        CommandWizardDialog& dialog2 = mail.dialog;
        QVERIFY(QTest::qWaitForWindowActive(&dialog2));
        Tick(Child<QRadioButton>(&dialog2, "Option1008"));
        QTest::keyClick(&dialog2, Qt::Key_Return);
        QTest::keyClick(&dialog2, Qt::Key_Return);
        auto* address = Child<QLineEdit>(&dialog2, "txtAddress");
        QTRY_VERIFY(address->hasFocus());
        QTest::keyClicks(address, "info@x.org");
        QTest::keyClicks(Child<QLineEdit>(&dialog2, "txtSubject"), "Hello there");
        QTest::keyClick(address, Qt::Key_Return);
        QVERIFY(!dialog2.isVisible());
        QCOMPARE(mail.palette.Command, std::string("mailto:info@x.org?Subject=Hello there"));
    }

    void CancelLeavesTheTargetUntouched() {
        for (const bool byEscape : {false, true}) {
            CommandWizardOnScreen on;
            CommandWizardDialog& dialog = on.dialog;
            QVERIFY(QTest::qWaitForWindowActive(&dialog));
            Tick(Child<QRadioButton>(&dialog, "Option1003"));
            QTest::mouseClick(Child<QPushButton>(&dialog, "Command2001"), Qt::LeftButton);
            QTest::mouseClick(Child<QPushButton>(&dialog, "Command2001"), Qt::LeftButton);
            QTest::keyClicks(Child<QLineEdit>(&dialog, "txtAddress"), "http://x.org/");
            if (byEscape) QTest::keyClick(Child<QLineEdit>(&dialog, "txtAddress"), Qt::Key_Escape);
            else QTest::mouseClick(ButtonNamed(&dialog, "&Cancel"), Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(on.wizard.Outcome == TfrmBtnWizCls::Result::Cancelled);
            QVERIFY(on.palette.Untouched());
        }
    }

    void AutorunFromNameToResult() {
        TempFolder app, disc;
        WriteEditorWithPlayer(app);
        ScriptedPlatform platform;
        EditorModel model{platform, app.Path()};
        EditorModelAccess::Prefs(model) = Settings::Defaults(app.Folder(), 1024, 768);
        model.StartNewMenu();
        // Saved last, Main is the open menu.
        for (const char* name : {"Extra.mng", "Intro.mng", "Main.mng"}) {
            platform.DialogAnswers = {disc.Path() / name};
            QVERIFY(model.Files().SaveAs());
        }
        std::unique_ptr<TfrmEXEWizCls> wizard = model.OpenAutorunWizard();
        QVERIFY(wizard);

        AutorunWizardDialog dialog(*wizard);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Create Autorun Application"));
        auto* pages = dialog.findChild<QStackedWidget*>();
        auto* back = Child<QPushButton>(&dialog, "Command3000");
        auto* forward = Child<QPushButton>(&dialog, "Command3001");
        auto* name = Child<QLineEdit>(&dialog, "txtName");
        QCOMPARE(name->text(), QString::fromStdString(disc.Folder() + "Autorun.exe"));
        QVERIFY(!back->isVisible());
        QCOMPARE(forward->text(), QString("&Create Autorun >"));

        // The save dialog, answered by the test with a menu's name.
        platform.DialogAnswers = {disc.Path() / "Start.mng"};
        QTest::mouseClick(Child<QPushButton>(&dialog, "cmdBrowse"), Qt::LeftButton);
        QCOMPARE(name->text(), QString::fromStdString(disc.Folder() + "Start.exe"));

        // Typed over, the field reaches the model.
        Retype(name, QString::fromStdString(disc.Folder() + "Go.exe"));
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(pages->currentIndex(), 1);
        QVERIFY(back->isVisible());
        QCOMPARE(forward->text(), QString("N&ext >"));
        const char* expected[] = {"Main", "Intro", "Extra"};
        for (int i = 0; i < 3; ++i) {
            auto* box = Child<QCheckBox>(&dialog, qPrintable(QString("ChkOptn%1").arg(i + 1)));
            QVERIFY(box && box->isVisible());
            QCOMPARE(box->text(), QString(expected[i]));
            QCOMPARE(box->isChecked(), i == 0);
        }
        QTest::mouseClick(ButtonNamed(&dialog, "Select All"), Qt::LeftButton);
        for (const auto& option : wizard->ChkOptn) QVERIFY(option.Checked);
        QVERIFY(Child<QCheckBox>(&dialog, "ChkOptn3")->isChecked());
        Tick(Child<QCheckBox>(&dialog, "ChkOptn2"));  // leave Intro out

        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), 2);
        QCOMPARE(dialog.findChildren<QRadioButton*>().size(), 2);
        auto* extra = Child<QRadioButton>(&dialog, "RadOptn2");
        QCOMPARE(extra->text(), QString("Extra"));
        QVERIFY(Child<QRadioButton>(&dialog, "RadOptn1")->isChecked());
        Tick(extra);

        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), 3);
        QVERIFY(!forward->isEnabled());
        const AutorunPackage package = ReadAutorunPackage(ReadWholeFile(disc.Path() / "Go.exe"));
        QCOMPARE(package.Error, std::string());
        QCOMPARE(package.Files.size(), size_t(2));
        QCOMPARE(package.Files[0].Name, std::string("Extra.mng"));
        QCOMPARE(package.Files[1].Name, std::string("Main.mng"));
        QVERIFY(std::filesystem::exists(disc.Path() / "Autorun.inf"));
        auto* bold = Child<QLabel>(&dialog, "lblBoldName");
        QCOMPARE(bold->text(), QString("Go.exe"));
        QVERIFY(bold->font().bold() && bold->isVisible());

        // Built again without the editor's file: the third page stays, forward off.
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), 2);
        QVERIFY(forward->isEnabled());
        std::filesystem::remove(app.Path() / kEditorFileName);
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(pages->currentIndex(), 2);
        QVERIFY(!forward->isEnabled());
        QCOMPARE(platform.MessageTexts().back(), std::string("Error, application compile failed"));

        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(wizard->Closed);
    }

    void AutorunCheckFailuresStay() {
        // Nothing checked on the menus page: the error, and the page stays.
        TempFolder app, disc;
        WriteFileReplacing(disc.Path() / "Main.mng", std::vector<uint8_t>(4, 1));
        ScriptedPlatform platform;
        AutorunBuilder builder(platform, app.Folder());
        TfrmEXEWizCls wizard(platform, builder, "Main.mng", disc.Folder(), "/");
        AutorunWizardDialog dialog(wizard);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        auto* pages = dialog.findChild<QStackedWidget*>();
        auto* forward = Child<QPushButton>(&dialog, "Command3001");
        auto* name = Child<QLineEdit>(&dialog, "txtName");
        Retype(name, "");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(platform.MessageTexts().back(), std::string("You must specify a filename."));
        QCOMPARE(pages->currentIndex(), 0);
        QTest::keyClicks(name, QString::fromStdString(disc.Folder() + "Go.exe"));
        QTest::mouseClick(forward, Qt::LeftButton);
        Tick(Child<QCheckBox>(&dialog, "ChkOptn1"));
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(platform.MessageTexts().back(), std::string("You must select your saved settings file."));
        QCOMPARE(pages->currentIndex(), 1);
        QTest::mouseClick(ButtonNamed(&dialog, "&Close"), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(wizard.Closed);
    }

    // The image window asks its questions first; its progress window comes
    // only for the work and has gone before the outcome is told.
    void DiscImageAsksBeforeItsProgressWindow() {
        DiscFolderFixture f;
        f.SaveMenu("Main.mng", "Holiday", {{"&Guide", "\\docs\\Guide.pdf"}, {"&Close Menu", ""}});
        f.Build({"Main"});
        DiscImageModel image(f.model, f.disc.Folder());
        image.Recheck();
        TempFolder out;
        image.Target = (out.Path() / "disc.iso").string();
        DiscImageDialog dialog(image, [] {});
        dialog.show();
        QStringList progressAt;
        f.platform.WhileMessageShown = [&](const MessageBoxRequest& request) {
            if (!dialog.findChildren<QProgressDialog*>().isEmpty()) progressAt << QString::fromStdString(request.Text);
        };
        f.platform.Answers = {MsgResult::Yes};
        dialog.Create();
        QVERIFY(std::filesystem::exists(image.Target));
        QCOMPARE(f.platform.Messages.size(), size_t(2));  // the warning's question, then "is ready"
        QVERIFY2(progressAt.isEmpty(), qPrintable(progressAt.join(" | ")));
    }
};

QTEST_MAIN(WizardWindowsTest)
#include "WizardWindowsTest.moc"
