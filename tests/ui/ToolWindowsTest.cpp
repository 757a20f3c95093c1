// The colour picker's window driven by the mouse and the focus, offscreen.
#include "TempFolder.h"

#include "app/EditorModel.h"
#include "platform/ScriptedPlatform.h"
#include "ui/qt/ColorPickerDialog.h"
#include "EditorModelAccess.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace orvane;
using Layout = TfrmColorsCls::Layout;

class ToolWindowsTest : public QObject {
    Q_OBJECT

    struct Editor {
        TempFolder app;
        ScriptedPlatform platform;
        EditorModel model{platform, app.Path()};
        Editor() {
            orvane::EditorModelAccess::Prefs(model) = Settings::Defaults(app.Folder(), 1024, 768);
            model.StartNewMenu();
            orvane::EditorModelAccess::Doc(model).Menu.SelectedButton = 0;  // the menu text
        }
    };

    static QPoint Centre(const Rect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

private slots:
    void SwatchClickClosesTheSmallPicker() {
        Editor e;
        QPointer<ColorPickerDialog> dialog = new ColorPickerDialog(e.model.OpenColorPicker(ColorTarget::FontColor));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCOMPARE(dialog->size(), QSize(158, 154));

        const Rect yellow = dialog->Model().Swatches[8].Bounds;  // swatch 9
        QTest::mouseClick(dialog, Qt::LeftButton, {}, Centre(yellow));

        QTRY_VERIFY(dialog.isNull());  // closed and deleted
        QCOMPARE(e.model.PickedColor(), MakeColor(255, 255, 0));
        QCOMPARE(e.model.Doc().Props.TextFont.Color, MakeColor(255, 255, 0));
        QVERIFY(e.model.Flags().Modified);
    }

    void DragOnTheGradientPicksAndClamps() {
        Editor e;
        QPointer<ColorPickerDialog> dialog = new ColorPickerDialog(e.model.OpenColorPicker(ColorTarget::FontColor));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QPushButton* define = nullptr;
        QPushButton* ok = nullptr;
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
            if (b->text() == "&Define Custom Colors") define = b;
            if (b->text() == "&OK") ok = b;
        }
        QVERIFY(define && ok);
        QTest::mouseClick(define, Qt::LeftButton);
        QCOMPARE(dialog->width(), Layout::Gradient.Right + 6);
        QVERIFY(ok->isVisible());

        const QPoint origin(Layout::Gradient.Left, Layout::Gradient.Top);
        QTest::mousePress(dialog, Qt::LeftButton, {}, origin + QPoint(10, 10));
        TfrmColorsCls& m = dialog->Model();
        QVERIFY(m.GradientDragging);
        QCOMPARE(m.CurrentColor, PixelToColor(m.Gradient.At(10, 10)));
        QTest::mouseMove(dialog, origin + QPoint(100, 60));
        QCOMPARE(m.CurrentColor, PixelToColor(m.Gradient.At(100, 60)));
        // Past the bottom edge: the last row.
        QTest::mouseMove(dialog, origin + QPoint(100, 200));
        QTest::mouseRelease(dialog, Qt::LeftButton, {}, origin + QPoint(100, 200));
        QVERIFY(!m.GradientDragging);
        const uint32_t picked = PixelToColor(m.Gradient.At(100, 139));
        QCOMPARE(m.CurrentColor, picked);

        // The fields show it; the window stays open until OK.
        QStringList shown;
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) shown << edit->text();
        QVERIFY(shown.contains(QString::number(ColorRed(picked))));
        QVERIFY(dialog->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(e.model.Doc().Props.TextFont.Color, picked);
    }

    void LosingTheFocusClosesWithoutApplying() {
        Editor e;
        QWidget other;
        other.resize(200, 200);
        other.show();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QPointer<ColorPickerDialog> dialog = new ColorPickerDialog(e.model.OpenColorPicker(ColorTarget::FontColor));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        const uint32_t before = e.model.Doc().Props.TextFont.Color;
        orvane::EditorModelAccess::Flags(e.model).Modified = false;
        dialog->Model().SwatchPress(9);  // chosen but not released
        other.activateWindow();
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(e.model.Doc().Props.TextFont.Color, before);
        QVERIFY(!e.model.Flags().Modified);
    }
};

QTEST_MAIN(ToolWindowsTest)
#include "ToolWindowsTest.moc"
