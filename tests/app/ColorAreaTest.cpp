#include "support/MainFormHarness.h"

#include "support/Pixels.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"

#include <QLabel>
#include <QPushButton>

using namespace kestro;
using namespace kestro::test;

namespace {

constexpr ColorValue Black = 0x000000;
constexpr ColorValue Red = 0x0000FF;
constexpr ColorValue White = 0xFFFFFF;
constexpr ColorValue Yellow = 0x00FFFF;
constexpr ColorValue Navy = 0x800000;

// Navy on yellow for A, so that picking Red and White is a change.
const QByteArray NavySchedule = "[Shift Schedule]\n"
                                "NumberOfPlatoons=3\n"
                                "DaysInRotation=3\n"
                                "ShiftRotation=ABC\n"
                                "StartDate=3/1/2024\n"
                                "[Colors]\n"
                                "APlt=Navy\nAInv=Yellow\n"
                                "BkGr=White\nLdTr=Silver\n";

// The fill shows in a panel's corner, inside its bevel; the caption is a few pixels of its color.
QColor FillOf(QWidget* panel) {
    return panel->grab().toImage().pixelColor(3, 3);
}
bool CaptionIn(QWidget* panel, const QColor& color) {
    return PixelsOf(panel->grab().toImage(), color) >= 3;
}

ColorDialogResult Picked(bool ok, ColorValue normal, ColorValue inverse) {
    return {ok, normal, inverse};
}

} // namespace

class ColorAreaTest : public FormTest {
    Q_OBJECT

    TMainForm& Navy3() {
        run->WriteSettings(NavySchedule);
        return run->StartShown();
    }

private slots:
    void SetColorsShowsAndHidesTheColorArea() {
        TMainForm& form = Navy3();
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        // Typing color letters changes the letter set; the rows follow only later.
        TypeInto(Peek(form).eRotation, QStringLiteral("klr"));
        QCOMPARE(Peek(form).bPlt[0]->text(), QStringLiteral("&A Platoon"));

        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QVERIFY(Peek(form).ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsShown);
        QCOMPARE(Peek(form).bColors->text(), QStringLiteral("&Hide Colors"));
        // The rotation as the field shows it, upper-cased on leaving it.
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("KLR"));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::ColorLetters);
        QCOMPARE(Peek(form).bPlt[0]->text(), QStringLiteral("Black"));
        QCOMPARE(Peek(form).bPlt[2]->text(), QStringLiteral("Red"));
        QVERIFY(Peek(form).bPlt[3]->isHidden());

        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QVERIFY(!Peek(form).ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        QCOMPARE(Peek(form).bColors->text(), QStringLiteral("&Set Colors"));
    }

    void SetColorsRefusesAFieldThatIsNoNumber_data() {
        QTest::addColumn<int>("field"); // 0 eNumPlt, 1 eRotDays
        QTest::addColumn<QString>("error");
        QTest::newRow("platoons") << 0 << QStringLiteral("'3x' is not a valid integer value.");
        QTest::newRow("days") << 1 << QStringLiteral("'3x' is not a valid integer value.");
    }
    void SetColorsRefusesAFieldThatIsNoNumber() {
        QFETCH(int, field);
        QFETCH(QString, error);
        TMainForm& form = Navy3();
        TypeInto(Peek(form).eRotation, QStringLiteral("cab"));
        run->prompts.ExpectError(error);
        TypeInto(field == 0 ? Peek(form).eNumPlt : Peek(form).eRotDays, QStringLiteral("3x"));
        run->prompts.ExpectError(error);
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QVERIFY(!Peek(form).ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        QCOMPARE(Peek(form).bColors->text(), QStringLiteral("&Set Colors"));
        // Leaving the field upper-cased the text on screen, but the rotation was not taken.
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("CAB"));
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("cab"));
    }

    void BackgroundOkRepaintsEveryLeftPanel() {
        TMainForm& form = Navy3();
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QVERIFY(Peek(form).bPlt[5]->isHidden());
        const QColor inverseBefore = FillOf(Peek(form).pInv[0]);
        run->prompts.ExpectColors(QStringLiteral("Background Color:"), Picked(true, Black, Yellow));
        QTest::mouseClick(Peek(form).bBkGr, Qt::LeftButton);

        const ColorDialogRequest& request = run->prompts.colorDialogs.at(0);
        QCOMPARE(request.normalSelection, White);
        QCOMPARE(request.inverseSelection, ColorValue(0xC0C0C0));
        QCOMPARE(Peek(form).Settings.BkGr, Black);
        QCOMPARE(Peek(form).Settings.LdTr, Yellow);
        QVERIFY(Peek(form).SettingsModified);
        QVERIFY(Peek(form).BackgroundChanged);
        for (Panel* panel : Peek(form).pPlt)
            QCOMPARE(FillOf(panel), QColor(Qt::black));
        QCOMPARE(FillOf(Peek(form).pBkGr), QColor(Qt::black));
        QVERIFY(CaptionIn(Peek(form).pBkGr, Qt::yellow));
        QVERIFY(CaptionIn(Peek(form).pLdTr, Qt::yellow));
        QCOMPARE(FillOf(Peek(form).pInv[0]), inverseBefore);
        QCOMPARE(Peek(form).lColor->text(), QStringLiteral("L-T/Bkgr: Yellow / Black"));
        // The month is drawn on the new background.
        const QImage grid = Peek(form).dgCal->grab().toImage();
        QCOMPARE(grid.pixelColor(Peek(form).dgCal->CellRect(6, 0).topLeft() + QPoint(1, 1)),
                 QColor(Qt::black));
    }

    void PlatoonOkStoresThePairAndRepaintsItsRow_data() {
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("listLabel");
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("report");
        QTest::newRow("A") << NavySchedule << 1 << QStringLiteral("A Platoon Color:")
                           << QStringLiteral("A") << QStringLiteral("A Platoon: Red / White");
        QTest::newRow("color letter R")
            << QByteArray("[Shift Schedule]\nDaysInRotation=3\nShiftRotation=KLR\n"
                          "StartDate=3/1/2024\n")
            << 3 << QStringLiteral("Red Color:") << QStringLiteral("R")
            << QStringLiteral("Red: Red / White");
        QTest::newRow("digit 6") << QByteArray(
                                        "[Shift Schedule]\nNumberOfPlatoons=6\nDaysInRotation=6\n"
                                        "ShiftRotation=123456\nStartDate=3/1/2024\n")
                                 << 6 << QStringLiteral("Platoon 6 Color:") << QStringLiteral("6")
                                 << QStringLiteral("Platoon 6: Red / White");
    }
    void PlatoonOkStoresThePairAndRepaintsItsRow() {
        QFETCH(QByteArray, schedule);
        QFETCH(int, row);
        QFETCH(QString, listLabel);
        QFETCH(QString, letter);
        QFETCH(QString, report);
        run->WriteSettings(schedule);
        TMainForm& form = run->StartShown();
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        const std::size_t index = std::size_t(row - 1);
        const QColor fill = FillOf(Peek(form).pPlt[index]);
        run->prompts.ExpectColors(listLabel, Picked(true, Red, White));
        QTest::mouseClick(Peek(form).bPlt[index], Qt::LeftButton);

        QCOMPARE(Peek(form).Settings.PlatoonColors[letter.at(0)], (ColorPair{Red, White}));
        QVERIFY(Peek(form).SettingsModified);
        QVERIFY(!Peek(form).BackgroundChanged);
        QCOMPARE(FillOf(Peek(form).pPlt[index]), fill);
        QVERIFY(CaptionIn(Peek(form).pPlt[index], Qt::red));
        QCOMPARE(FillOf(Peek(form).pInv[index]), QColor(Qt::red));
        QVERIFY(CaptionIn(Peek(form).pInv[index], Qt::white));
        QCOMPARE(Peek(form).lColor->text(), report);
    }

    void PlatoonOkRecoloursTheMonth() {
        TMainForm& form = Navy3();
        // 15 March, the highlighted day, is C; 1 March is A, drawn navy on white.
        const QRect firstOfMarch = Peek(form).dgCal->CellRect(5, 0);
        QVERIFY(PixelsOf(Peek(form).dgCal->grab(firstOfMarch).toImage(), QColor(0, 0, 128)) > 5);
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        run->prompts.ExpectColors(QStringLiteral("A Platoon Color:"), Picked(true, Red, White));
        QTest::mouseClick(Peek(form).bPlt[0], Qt::LeftButton);
        const QImage day = Peek(form).dgCal->grab(firstOfMarch).toImage();
        QCOMPARE(PixelsOf(day, QColor(0, 0, 128)), 0);
        QVERIFY(PixelsOf(day, QColor(Qt::red)) > 5);
    }

    void CancelKeepsTheColorsButCountsAsAChange_data() {
        QTest::addColumn<bool>("background");
        QTest::newRow("background") << true;
        QTest::newRow("platoon A") << false;
    }
    void CancelKeepsTheColorsButCountsAsAChange() {
        QFETCH(bool, background);
        TMainForm& form = Navy3();
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        const ScheduleSettings before = Peek(form).Settings;
        const QImage inverse = Peek(form).pInv[0]->grab().toImage();
        Peek(form).lColor->setText(QStringLiteral("."));
        run->prompts.ExpectColors(background ? QStringLiteral("Background Color:")
                                             : QStringLiteral("A Platoon Color:"),
                                  Picked(false, Red, White));
        QTest::mouseClick(background ? Peek(form).bBkGr : Peek(form).bPlt[0], Qt::LeftButton);
        QCOMPARE(Peek(form).Settings, before);
        QVERIFY(Peek(form).SettingsModified);
        QCOMPARE(Peek(form).BackgroundChanged, background);
        QCOMPARE(Peek(form).pInv[0]->grab().toImage(), inverse);
        QCOMPARE(Peek(form).lColor->text(), background
                                                ? QStringLiteral("L-T/Bkgr: Silver / White")
                                                : QStringLiteral("A Platoon: Navy / Yellow"));
    }

    void ThePairFollowsTheLetterSetAtTheClick() {
        TMainForm& form = Navy3();
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        // Typing a color-letter rotation changes the letter set before the captions follow.
        TypeInto(Peek(form).eRotation, QStringLiteral("KLR"));
        QCOMPARE(Peek(form).bPlt[0]->text(), QStringLiteral("&A Platoon"));
        run->prompts.ExpectColors(QStringLiteral("Black Color:"), Picked(true, Red, White));
        QTest::mouseClick(Peek(form).bPlt[0], Qt::LeftButton);
        QCOMPARE(Peek(form).Settings.PlatoonColors[u'K'], (ColorPair{Red, White}));
        QCOMPARE(Peek(form).Settings.PlatoonColors[u'A'], (ColorPair{Navy, Yellow}));
        QCOMPARE(Peek(form).lColor->text(), QStringLiteral("Black: Red / White"));
    }
};

QTEST_MAIN(ColorAreaTest)
#include "ColorAreaTest.moc"
