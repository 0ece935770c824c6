#include "MainFormHarness.h"

#include "app/MonthGrid.h"
#include "app/Panel.h"

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

int PixelsOf(const QImage& image, const QColor& color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == color;
    }
    return count;
}

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

class ColorAreaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<FormRun> run;

    TMainForm& Navy3() {
        run->WriteSettings(NavySchedule);
        return run->StartShown();
    }

private slots:
    void init() { run = std::make_unique<FormRun>(); }
    void cleanup() {
        run->prompts.VerifyAllShown();
        run.reset();
    }

    void SetColorsShowsAndHidesTheColorArea() {
        TMainForm& form = Navy3();
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        // Typing color letters changes the letter set; the rows follow only later.
        TypeInto(form.eRotation, QStringLiteral("klr"));
        QCOMPARE(form.bPlt[0]->text(), QStringLiteral("&A Platoon"));

        QTest::mouseClick(form.bColors, Qt::LeftButton);
        QVERIFY(form.ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsShown);
        QCOMPARE(form.bColors->text(), QStringLiteral("&Hide Colors"));
        // The rotation as the field shows it, upper-cased on leaving it.
        QCOMPARE(form.Settings.ShiftRotation, QStringLiteral("KLR"));
        QCOMPARE(form.Settings.LetterSet, LetterSet::ColorLetters);
        QCOMPARE(form.bPlt[0]->text(), QStringLiteral("Black"));
        QCOMPARE(form.bPlt[2]->text(), QStringLiteral("Red"));
        QVERIFY(form.bPlt[3]->isHidden());

        QTest::mouseClick(form.bColors, Qt::LeftButton);
        QVERIFY(!form.ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        QCOMPARE(form.bColors->text(), QStringLiteral("&Set Colors"));
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
        TypeInto(form.eRotation, QStringLiteral("cab"));
        run->prompts.ExpectError(error);
        TypeInto(field == 0 ? form.eNumPlt : form.eRotDays, QStringLiteral("3x"));
        run->prompts.ExpectError(error);
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        QVERIFY(!form.ColorsShown);
        QCOMPARE(form.width(), ClientWidthColorsHidden);
        QCOMPARE(form.bColors->text(), QStringLiteral("&Set Colors"));
        // Leaving the field upper-cased the text on screen, but the rotation was not taken.
        QCOMPARE(form.eRotation->text(), QStringLiteral("CAB"));
        QCOMPARE(form.Settings.ShiftRotation, QStringLiteral("cab"));
    }

    void BackgroundOkRepaintsEveryLeftPanel() {
        TMainForm& form = Navy3();
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        QVERIFY(form.bPlt[5]->isHidden());
        const QColor inverseBefore = FillOf(form.pInv[0]);
        run->prompts.ExpectColors(QStringLiteral("Background Color:"), Picked(true, Black, Yellow));
        QTest::mouseClick(form.bBkGr, Qt::LeftButton);

        const ColorDialogRequest& request = run->prompts.colorDialogs.at(0);
        QCOMPARE(request.normalSelection, White);
        QCOMPARE(request.inverseSelection, ColorValue(0xC0C0C0));
        QCOMPARE(form.Settings.BkGr, Black);
        QCOMPARE(form.Settings.LdTr, Yellow);
        QVERIFY(form.SettingsModified);
        QVERIFY(form.BackgroundChanged);
        for (Panel* panel : form.pPlt)
            QCOMPARE(FillOf(panel), QColor(Qt::black));
        QCOMPARE(FillOf(form.pBkGr), QColor(Qt::black));
        QVERIFY(CaptionIn(form.pBkGr, Qt::yellow));
        QVERIFY(CaptionIn(form.pLdTr, Qt::yellow));
        QCOMPARE(FillOf(form.pInv[0]), inverseBefore);
        QCOMPARE(form.lColor->text(), QStringLiteral("L-T/Bkgr: Yellow / Black"));
        // The month is drawn on the new background.
        const QImage grid = form.dgCal->grab().toImage();
        QCOMPARE(grid.pixelColor(form.dgCal->CellRect(6, 0).topLeft() + QPoint(1, 1)),
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
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        const std::size_t index = std::size_t(row - 1);
        const QColor fill = FillOf(form.pPlt[index]);
        run->prompts.ExpectColors(listLabel, Picked(true, Red, White));
        QTest::mouseClick(form.bPlt[index], Qt::LeftButton);

        QCOMPARE(form.Settings.PlatoonColors[letter.at(0)], (ColorPair{Red, White}));
        QVERIFY(form.SettingsModified);
        QVERIFY(!form.BackgroundChanged);
        QCOMPARE(FillOf(form.pPlt[index]), fill);
        QVERIFY(CaptionIn(form.pPlt[index], Qt::red));
        QCOMPARE(FillOf(form.pInv[index]), QColor(Qt::red));
        QVERIFY(CaptionIn(form.pInv[index], Qt::white));
        QCOMPARE(form.lColor->text(), report);
    }

    void PlatoonOkRecoloursTheMonth() {
        TMainForm& form = Navy3();
        // 15 March, the highlighted day, is C; 1 March is A, drawn navy on white.
        const QRect firstOfMarch = form.dgCal->CellRect(5, 0);
        QVERIFY(PixelsOf(form.dgCal->grab(firstOfMarch).toImage(), QColor(0, 0, 128)) > 5);
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        run->prompts.ExpectColors(QStringLiteral("A Platoon Color:"), Picked(true, Red, White));
        QTest::mouseClick(form.bPlt[0], Qt::LeftButton);
        const QImage day = form.dgCal->grab(firstOfMarch).toImage();
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
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        const ScheduleSettings before = form.Settings;
        const QImage inverse = form.pInv[0]->grab().toImage();
        form.lColor->setText(QStringLiteral("."));
        run->prompts.ExpectColors(background ? QStringLiteral("Background Color:")
                                             : QStringLiteral("A Platoon Color:"),
                                  Picked(false, Red, White));
        QTest::mouseClick(background ? form.bBkGr : form.bPlt[0], Qt::LeftButton);
        QCOMPARE(form.Settings, before);
        QVERIFY(form.SettingsModified);
        QCOMPARE(form.BackgroundChanged, background);
        QCOMPARE(form.pInv[0]->grab().toImage(), inverse);
        QCOMPARE(form.lColor->text(), background ? QStringLiteral("L-T/Bkgr: Silver / White")
                                                 : QStringLiteral("A Platoon: Navy / Yellow"));
    }

    void ThePairFollowsTheLetterSetAtTheClick() {
        TMainForm& form = Navy3();
        QTest::mouseClick(form.bColors, Qt::LeftButton);
        // Typing a color-letter rotation changes the letter set before the captions follow.
        TypeInto(form.eRotation, QStringLiteral("KLR"));
        QCOMPARE(form.bPlt[0]->text(), QStringLiteral("&A Platoon"));
        run->prompts.ExpectColors(QStringLiteral("Black Color:"), Picked(true, Red, White));
        QTest::mouseClick(form.bPlt[0], Qt::LeftButton);
        QCOMPARE(form.Settings.PlatoonColors[u'K'], (ColorPair{Red, White}));
        QCOMPARE(form.Settings.PlatoonColors[u'A'], (ColorPair{Navy, Yellow}));
        QCOMPARE(form.lColor->text(), QStringLiteral("Black: Red / White"));
    }
};

QTEST_MAIN(ColorAreaTest)
#include "ColorAreaTest.moc"
