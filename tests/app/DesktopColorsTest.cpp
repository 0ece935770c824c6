#include "support/MainFormHarness.h"

#include "support/Pixels.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"

#include <QPalette>

using namespace kestro;
using namespace kestro::test;

namespace {

const QColor DarkButton(0x42, 0x42, 0x45);
const QColor DarkBase(0x2A, 0x2A, 0x2A);
const QColor LightText(0xF0, 0xF0, 0xF0);

// A dark desktop, as a dark Fusion scheme gives it.
QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::WindowText, LightText);
    palette.setColor(QPalette::Base, DarkBase);
    palette.setColor(QPalette::Text, LightText);
    palette.setColor(QPalette::Button, DarkButton);
    palette.setColor(QPalette::ButtonText, LightText);
    return palette;
}

} // namespace

// Default colors on the desktop's own colors stay readable on a dark desktop; colors the file sets
// are drawn as set.
class DesktopColorsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormRun> run;
    QPalette before;

private slots:
    void init() {
        before = QApplication::palette();
        QApplication::setPalette(DarkPalette());
        run = std::make_unique<FormRun>();
    }
    void cleanup() {
        run->prompts.VerifyAllShown();
        run.reset();
        QApplication::setPalette(before);
    }

    void DefaultsGiveWayOnlyWhereTheyWouldBeHardToRead_data() {
        QTest::addColumn<QByteArray>("more");
        QTest::addColumn<bool>("header"); // the month header, else 1 March's cell of the grid
        QTest::addColumn<QColor>("drawn");
        QTest::addColumn<QColor>("notDrawn");
        const QColor black(Qt::black), red(Qt::red);
        QTest::newRow("default header black") << QByteArray() << true << LightText << black;
        QTest::newRow("header black set in the file")
            << QByteArray("[Fonts]\nHdrFontColor=Black\n") << true << black << LightText;
        // A's default Red on the button face the file chose for the background: 2.5:1.
        QTest::newRow("default platoon red on BtnFace")
            << QByteArray("[Colors]\nBkGr=BtnFace\n") << false << LightText << red;
        QTest::newRow("platoon red set in the file")
            << QByteArray("[Colors]\nBkGr=BtnFace\nAPlt=Red\n") << false << red << LightText;
        QTest::newRow("default red on the file's own white")
            << QByteArray("[Colors]\nBkGr=White\n") << false << red << LightText;
    }
    void DefaultsGiveWayOnlyWhereTheyWouldBeHardToRead() {
        QFETCH(QByteArray, more);
        QFETCH(bool, header);
        QFETCH(QColor, drawn);
        QFETCH(QColor, notDrawn);
        run->WriteSettings("[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=3\n"
                           "ShiftRotation=ABC\nStartDate=3/1/2024\n" +
                           more);
        TMainForm& form = run->Start();
        MainFormAccess peek = Peek(form);
        QWidget* widget = header ? static_cast<QWidget*>(peek.pHeader) : peek.dgCal;
        const QImage shot = widget->grab().toImage();
        // The header's caption, or the day number of 1 March 2024 (a Friday, platoon A).
        const QRect area = header ? QRect(30, 2, 180, 22) : peek.dgCal->CellRect(5, 0);
        QVERIFY2(PixelsOf(shot, area, drawn) > 5, qPrintable(drawn.name()));
        QCOMPARE(PixelsOf(shot, area, notDrawn), 0);
    }
};

QTEST_MAIN(DesktopColorsTest)
#include "DesktopColorsTest.moc"
