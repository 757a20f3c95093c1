// The tip window, splash, about box and progress window, driven offscreen;
// the help pages and the developer trace of the desktop.
#include "TempFolder.h"

#include "platform/FileUtil.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/ProgressWindow.h"
#include "ui/qt/QtPlatform.h"
#include "ui/qt/Splash.h"
#include "ui/qt/TipWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace orvane;

namespace {

QStringList VisibleLabels(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisibleTo(&window) && !label->text().isEmpty()) texts << label->text();
    return texts;
}

}  // namespace

class TipWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A help page that no browser can show says so.
    void HelpWithoutABrowserSaysSo() {
        TempFolder help, bin;
        WriteFileReplacing(help.Path() / std::string(HelpPageFile(HelpPage::Contents)), std::vector<uint8_t>{'<', '>'});
        // The desktop's opener, given the page, finding no browser.
        const std::string opener = "#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/asked\"\nexit 3\n";
        WriteFileReplacing(bin.Path() / "xdg-open", std::vector<uint8_t>(opener.begin(), opener.end()));
        std::filesystem::permissions(bin.Path() / "xdg-open", std::filesystem::perms::owner_all);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(bin.Path().string()) + ":" + path);
        QtPlatform platform;
        ScriptedPlatform answers;
        platform.Script = &answers;
        platform.SetHelpFolder(help.Folder());
        platform.OpenHelpPage(HelpPage::Contents);
        QTRY_COMPARE(answers.Messages.size(), size_t(1));
        qputenv("PATH", path);
        QVERIFY2(std::filesystem::exists(bin.Path() / "asked"), "the page went to the desktop's opener");
        QVERIFY(answers.Messages[0].Request.Text.find("No web browser") != std::string::npos);
        const std::vector<uint8_t> asked = ReadWholeFile(bin.Path() / "asked");
        QVERIFY(std::string(asked.begin(), asked.end()).find("contents.html") != std::string::npos);
    }

    // Trace lines reach the terminal (or Qt's log) only when asked for.
    void TraceLinesOnlyWhenAskedFor() {
        static QStringList logged;
        logged.clear();
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { logged << text; });
        TempFolder folder;
        const std::string captured = (folder.Path() / "stderr").string();
        for (const bool asked : {false, true}) {
            if (asked)
                qputenv("ORVANE_TRACE", "1");
            else
                qunsetenv("ORVANE_TRACE");
            std::fflush(stderr);
            const int saved = ::dup(2);
            const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            ::dup2(file, 2);
            QtPlatform platform;
            platform.Trace("SetRecordPic Called");
            std::fflush(stderr);
            ::dup2(saved, 2);
            ::close(saved);
            ::close(file);
            const std::vector<uint8_t> said = ReadWholeFile(captured);
            const bool traced = std::string(said.begin(), said.end()).find("**** SetRecordPic Called ****") !=
                                    std::string::npos ||
                                !logged.isEmpty();
            logged.clear();
            QCOMPARE(traced, asked);
        }
        qInstallMessageHandler(previous);
        qunsetenv("ORVANE_TRACE");
    }

    void PanelBackgroundBlendsRowsAndFadesTheLine() {
        const QColor top(255, 255, 255), bottom(255, 255, 155);
        const QImage bg = TipPanelBackground(QSize(341, 125), top, bottom);
        QCOMPARE(bg.size(), QSize(341, 125));
        struct Case {
            int x, y;
            QColor expected;
        } cases[] = {
            {0, 0, top},
            {200, 100, QColor(255, 255, 175)},  // 155 + 100 * (1 - 100 / 125)
            {38, 6, QColor(255, 255, 250)},     // above row 7 the line is not drawn
            {38, 7, QColor(204, 204, 199)},     // 80 % of the row (255, 255, 249)
            {38, 124, QColor(255, 255, 156)},   // faded into the last row
            {37, 60, QColor(255, 255, 207)},
        };
        for (const Case& c : cases) {
            const QColor got = bg.pixelColor(c.x, c.y);
            QVERIFY2(got == c.expected, qPrintable(QString("(%1,%2): %3").arg(c.x).arg(c.y).arg(got.name())));
        }
    }

    void IconBluishPixelsShowTheBackgroundBelow() {
        QImage bg(4, 3, QImage::Format_RGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) bg.setPixelColor(x, y, QColor(200, 100 + 50 * y, 40 * x));
        QImage icon(4, 3, QImage::Format_RGB32);
        const QColor art[3][4] = {
            {QColor(0, 0, 255), QColor(0, 0, 128), QColor(90, 90, 90), QColor(0, 200, 200)},
            {QColor(10, 20, 30), QColor(255, 255, 0), QColor(30, 40, 255), QColor(0, 0, 0)},
            {QColor(0, 0, 255), QColor(0, 0, 0), QColor(0, 0, 0), QColor(0, 0, 0)},
        };
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 4; ++x) icon.setPixelColor(x, y, art[y][x]);
        const QImage before = bg.copy();
        BlendTipIcon(bg, icon, QPoint(0, 0));

        QCOMPARE(bg.pixelColor(0, 0), before.pixelColor(0, 1));  // clear blue: the pixel below
        QCOMPARE(bg.pixelColor(1, 0), QColor(100, 75, 20));       // darker blue: (200, 150, 40) * 128 / 255
        QCOMPARE(bg.pixelColor(2, 0), QColor(90, 90, 90));        // grey is art
        QCOMPARE(bg.pixelColor(3, 0), QColor(0, 200, 200));       // blue only equal to green is art
        QCOMPARE(bg.pixelColor(0, 1), QColor(24, 24, 0));         // dark bluish: (200, 200, 0) * 30 / 255
        QCOMPARE(bg.pixelColor(1, 1), QColor(255, 255, 0));
        QCOMPARE(bg.pixelColor(2, 1), QColor(200, 200, 80));      // blue 255 over the last row
        QCOMPARE(bg.pixelColor(3, 1), QColor(0, 0, 0));
        QCOMPARE(bg.pixelColor(0, 2), before.pixelColor(0, 2));  // the last row takes itself

        // Placed partly outside, it draws what fits.
        QImage small(2, 2, QImage::Format_RGB32);
        small.fill(QColor(1, 2, 3));
        BlendTipIcon(small, icon, QPoint(1, 1));
        QCOMPARE(small.pixelColor(0, 0), QColor(1, 2, 3));
        QCOMPARE(small.pixelColor(1, 1), QColor(1, 2, 3));
    }

    void TipWindowShowsTheTipAndAnswersWithOk() {
        const auto content = TipContent(Tip::AccessKeys);
        QVERIFY(content);
        TipWindow window(*content);
        QCOMPARE(window.windowTitle(), QString(" Tip"));
        QCOMPARE(window.size(), QSize(TipWindow::kWidth, TipWindow::kHeight));
        const QStringList labels = VisibleLabels(window);
        QVERIFY(labels.size() == 1 && labels[0].contains("ampersand (&) in"));
        auto* box = window.findChild<QCheckBox*>();
        QVERIFY(box);
        QCOMPARE(box->text(), QString("Do not show this message again."));
        QCOMPARE(box->isChecked(), false);
        auto* ok = window.findChild<QPushButton*>();
        QVERIFY(ok && ok->isDefault() && ok->text() == "OK");

        QSignalSpy help(&window, &TipWindow::HelpRequested);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(&window, Qt::Key_F1);
        QCOMPARE(help.count(), 1);

        // Escape is OK too, and the box's state is the answer.
        box->setChecked(true);
        QTest::keyClick(&window, Qt::Key_Escape);
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(window.DoNotShowAgain());
    }

    void PlatformTipReturnsTheBoxOnlyForOk() {
        QtPlatform platform;
        QVERIFY(!platform.ShowTipWindow(Tip(19)));  // no tip: no window, no wait
        QVERIFY(!platform.ShowTipWindow(Tip(-1)));
        struct Case {
            int tip;
            bool check;
            bool closeInstead;
            bool expected;
        } cases[] = {
            {1, false, false, true},  // tip 1 starts checked
            {0, false, false, false},
            {0, true, false, true},
            {1, false, true, false},  // closed with the title bar's button
        };
        for (const Case& c : cases) {
            QTimer::singleShot(50, [&c] {
                auto* window = qobject_cast<TipWindow*>(QApplication::activeModalWidget());
                QVERIFY(window);
                if (c.check) window->findChild<QCheckBox*>()->setChecked(true);
                if (c.closeInstead) {
                    window->reject();
                } else {
                    window->findChild<QPushButton*>()->click();
                }
            });
            QCOMPARE(platform.ShowTipWindow(Tip(c.tip)), c.expected);
        }
    }

    void SplashIsTransparentOutsideItsShapeAndClosesOnTime() {
        const QImage picture = SplashPicture();
        QCOMPARE(picture.size(), QSize(Splash::kWidth, Splash::kHeight));
        QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(picture.pixel(Splash::kWidth - 1, Splash::kHeight - 1)), 0);
        QCOMPARE(qAlpha(picture.pixel(196, 106)), 255);

        Splash startUp(Splash::Mode::StartUp);
        const QStringList shown = VisibleLabels(startUp);
        QVERIFY(shown.contains(QString::fromStdString(VersionLine())));
        QVERIFY(shown.contains(Splash::kShortNotice));
        QVERIFY(!shown.contains(Splash::kLongNotice));

        Splash about(Splash::Mode::About);
        const QStringList aboutShown = VisibleLabels(about);
        QVERIFY(aboutShown.contains(Splash::kLongNotice));
        QVERIFY(!aboutShown.contains(Splash::kShortNotice));
        QVERIFY(aboutShown.filter("[Close]").size() == 1);

        // Start-up: the tip waits for the splash, which goes after its delay.
        QtPlatform platform;
        QElapsedTimer clock;
        clock.start();
        platform.ShowSplash(400);
        platform.WaitForSplash();
        QVERIFY(clock.elapsed() >= 350);
        QVERIFY(clock.elapsed() < 3000);
        platform.WaitForSplash();  // nothing left to wait for
    }

    void AboutBoxClosesByItsLink() {
        Splash about(Splash::Mode::About);
        QTimer::singleShot(50, [&about] {
            for (QLabel* label : about.findChildren<QLabel*>())
                if (label->text().contains("[Close]")) emit label->linkActivated("close");
        });
        QElapsedTimer clock;
        clock.start();
        about.exec();
        QVERIFY(clock.elapsed() < 2000);
        QVERIFY(!about.isVisible());
    }

    void ProgressWindowShowsTheResultThenCloses() {
        QtPlatform platform;
        platform.ShowProgress("Saving...");
        QPointer<ProgressWindow> first = platform.Progress();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->size(), QSize(ProgressWindow::kWidth, ProgressWindow::kHeight));
        QCOMPARE(first->Text(), QString("Saving..."));

        // A new operation gets a new window.
        platform.ShowProgress("Loading Menu...");
        QPointer<ProgressWindow> second = platform.Progress();
        QVERIFY(second != first);
        QTRY_VERIFY(!first);

        platform.SetProgressText("Menu Loaded.", 600);
        QCOMPARE(second->Text(), QString("Menu Loaded."));
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(!second || !second->isVisible(), 2000);
        QVERIFY(clock.elapsed() >= 500);

        // A result after the window has gone is dropped, not a crash.
        QTRY_VERIFY(!second);
        platform.SetProgressText("Saved!", 600);
        QVERIFY(!platform.Progress());
    }

    void ProgressWindowLeftAloneClosesAfterThreeSeconds() {
        QtPlatform platform;
        platform.ShowProgress("Saving...");
        QPointer<ProgressWindow> window = platform.Progress();
        // No delay given: the window's own timer still runs out.
        platform.SetProgressText("Saved!", 0);
        QTest::qWait(2000);
        QVERIFY(window && window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!window || !window->isVisible(), 2500);
    }
};

QTEST_MAIN(TipWindowTest)
#include "TipWindowTest.moc"
