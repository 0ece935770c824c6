#include "support/MainFormHarness.h"

#include "rotation/Retreat.h"
#include "rotation/Rotation.h"
#include "support/Pixels.h"
#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>

using namespace kestro;
using namespace kestro::test;

namespace {

const QString MismatchText =
    QStringLiteral("\"Shift Rotation\" does not match number of \"Days in Rotation\"");
const QString RetreatMismatchText =
    QStringLiteral("\"Days in Rotation\" does not match \"Shift Rotation\"");

// How many pixels of the number in a cell of the grid have the color.
int NumberPixels(TMainForm& form, int column, int row, const QColor& color) {
    return PixelsOf(Peek(form).dgCal->grab().toImage(), Peek(form).dgCal->CellRect(column, row),
                    color);
}

const QColor Red(Qt::red);
const QColor Lime(Qt::green);
const QColor Silver(0xC0, 0xC0, 0xC0);

// Collects every text a field shows, one after another.
struct TextLog {
    QStringList texts;
    explicit TextLog(QLineEdit* field) {
        QObject::connect(field, &QLineEdit::textChanged,
                         [this](const QString& text) { texts.append(text); });
    }
};

} // namespace

class EditingTest : public FormTest {
    Q_OBJECT

private slots:
    void OpensUnchangedShowingTheStartOfTheRotation() {
        TMainForm& form = run->StartClassic();
        QVERIFY(!Peek(form).SettingsModified);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("ACABABABCBCACACABABCBCBC"));
        // The start of a long rotation shows.
        QCOMPARE(Peek(form).eRotation->cursorPosition(), 0);
    }

    void TypingALowerCaseRotation() {
        TMainForm& form = run->StartClassic();
        Peek(form).lColor->setText(QStringLiteral("A Platoon: Red / White"));
        TypeInto(Peek(form).eRotation, QStringLiteral("abab"));
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("abab"));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::AToF);
        QVERIFY(Peek(form).SettingsModified);
        QCOMPARE(Peek(form).lColor->text(), QString());

        QTest::mouseClick(Peek(form).eRotDays, Qt::LeftButton);
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ABAB"));
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("abab"));
        // Redrawn before Apply, the lower-case letters have no colors.
        QVERIFY(NumberPixels(form, 5, 0, Silver) > 5);
        QCOMPARE(NumberPixels(form, 5, 0, Red), 0);

        TypeInto(Peek(form).eRotDays, QStringLiteral("4"));
        QCOMPARE(Peek(form).Settings.DaysInRotation, 4);
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("ABAB"));
        QVERIFY(NumberPixels(form, 5, 0, Red) > 5);
    }

    void RotationLetterFamilies_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("letterSet");
        QTest::addColumn<QString>("firstRow");
        QTest::addColumn<QString>("afterLeaving");
        QTest::newRow("color letters refresh nothing")
            << QStringLiteral("kr") << int(LetterSet::ColorLetters) << QStringLiteral("&A Platoon")
            << QStringLiteral("KR");
        QTest::newRow("digits stay in lower case")
            << QStringLiteral("1abc") << int(LetterSet::OneToSix) << QStringLiteral("Platoon &1")
            << QStringLiteral("1abc");
        QTest::newRow("no family") << QStringLiteral("7A") << int(LetterSet::AToF)
                                   << QStringLiteral("&A Platoon") << QStringLiteral("7A");
    }
    void RotationLetterFamilies() {
        QFETCH(QString, typed);
        QFETCH(int, letterSet);
        QFETCH(QString, firstRow);
        QFETCH(QString, afterLeaving);
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotation, typed);
        QCOMPARE(int(Peek(form).Settings.LetterSet), letterSet);
        QCOMPARE(Peek(form).bPlt[0]->text(), firstRow);
        QCOMPARE(Peek(form).Settings.ShiftRotation, typed);
        QTest::keyClick(Peek(form).eRotation, Qt::Key_Tab);
        QCOMPARE(Peek(form).eRotation->text(), afterLeaving);
        QCOMPARE(Peek(form).Settings.ShiftRotation, typed);
        QCOMPARE(Peek(form).bPlt[0]->text(), firstRow);
    }

    void NoFamilyKeepsTheLetterSetItHad() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotation, QStringLiteral("kr"));
        TypeInto(Peek(form).eRotation, QStringLiteral("7A"));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::ColorLetters);
    }

    void ColorLettersShowTheirRowsAtApply() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotation, QStringLiteral("krkr"));
        TypeInto(Peek(form).eRotDays, QStringLiteral("4"));
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(VisibleRowCaptions(form),
                 (QStringList{QStringLiteral("Black"), QStringLiteral("Red")}));
        QCOMPARE(Peek(form).pInv[2]->accessibleName(), QStringLiteral("Red inverse color"));
    }

    void AnEmptiedRotationBecomesABC() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotation, QStringLiteral("12"));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::OneToSix);
        TypeInto(Peek(form).eRotation, QString());
        QCOMPARE(Peek(form).Settings.ShiftRotation, QString());
        TypeInto(Peek(form).eRotDays, QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ABC"));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::AToF);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QString());
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("ABC"));
    }

    void ApplyTakesTheRotationAsLeavingTheFieldLeftIt() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotDays, QStringLiteral("3"));
        TypeInto(Peek(form).eRotation, QString());
        QCOMPARE(QApplication::focusWidget(), Peek(form).eRotation);
        // The click moves the focus to the button first: "ABC" is in place when Apply reads it.
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), Peek(form).bApply);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("ABC"));
        QCOMPARE(Peek(form).Settings.DaysInRotation, 3);
    }

    void ApplyRefusesARotationOfAnotherLength() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRotation, QStringLiteral("ACABABABCBCACACABABCBCB"));
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        const ScheduleSettings before = Peek(form).Settings;
        run->prompts.ExpectMessage(MismatchText);
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings, before);
    }

    void ApplyRefusesAnEmptyDayCount() {
        TMainForm& form = run->StartClassic();
        run->prompts.ExpectError(QStringLiteral("'' is not a valid integer value."));
        TypeInto(Peek(form).eRotDays, QString());
        QCOMPARE(Peek(form).Settings.DaysInRotation, 24);
        QVERIFY(Peek(form).SettingsModified);
        const ScheduleSettings before = Peek(form).Settings;
        run->prompts.ExpectError(QStringLiteral("'' is not a valid integer value."));
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings, before);
    }

    void PlatoonCountsAreTakenAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("errors"); // one per keystroke that leaves no number
        QTest::addColumn<int>("platoons");
        QTest::addColumn<int>("rows");
        QTest::newRow("0") << QStringLiteral("0") << QStringList() << 0 << 2;
        QTest::newRow("-5") << QStringLiteral("-5")
                            << QStringList{QStringLiteral("'-' is not a valid integer value.")}
                            << -5 << 2;
        QTest::newRow("4") << QStringLiteral("4") << QStringList() << 4 << 4;
        QTest::newRow("99") << QStringLiteral("99") << QStringList() << 99 << 6;
        QTest::newRow("5x") << QStringLiteral("5x")
                            << QStringList{QStringLiteral("'5x' is not a valid integer value.")}
                            << 5 << 5;
    }
    void PlatoonCountsAreTakenAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QStringList, errors);
        QFETCH(int, platoons);
        QFETCH(int, rows);
        TMainForm& form = run->StartClassic();
        for (const QString& error : errors)
            run->prompts.ExpectError(error);
        TypeInto(Peek(form).eNumPlt, typed);
        QCOMPARE(Peek(form).Settings.NumberOfPlatoons, platoons);
        QCOMPARE(VisibleRowCaptions(form).size(), rows);
        QVERIFY(Peek(form).SettingsModified);
    }

    void AHiddenRowAlreadyCarriesItsColors() {
        TMainForm& form = run->StartClassic();
        QVERIFY(Peek(form).bPlt[3]->isHidden());
        // D keeps its absent-key colors, aqua on black.
        const QImage hiddenInverse = Peek(form).pInv[3]->grab().toImage();
        QCOMPARE(hiddenInverse.pixelColor(16, 4), QColor(Qt::cyan));
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        QVERIFY(!Peek(form).bPlt[3]->isHidden());
        QCOMPARE(Peek(form).bPlt[3]->text(), QStringLiteral("&D Platoon"));
        const QImage normal = Peek(form).pPlt[3]->grab().toImage();
        QCOMPARE(normal.pixelColor(3, 3), QColor(Qt::white));
        // The letter is small: a few of its pixels are of the caption color itself.
        QVERIFY(PixelsOf(normal, normal.rect(), QColor(Qt::cyan)) >= 3);
        const QImage inverse = Peek(form).pInv[3]->grab().toImage();
        QVERIFY(PixelsOf(inverse, inverse.rect(), QColor(Qt::black)) >= 3);
    }

    void AFailedNumberLeavesTheReportAlone() {
        TMainForm& form = run->StartClassic();
        Peek(form).lColor->setText(QStringLiteral("A Platoon: Red / White"));
        run->prompts.ExpectError(QStringLiteral("'x' is not a valid integer value."));
        TypeInto(Peek(form).eRotDays, QStringLiteral("x"));
        QCOMPARE(Peek(form).lColor->text(), QStringLiteral("A Platoon: Red / White"));
        TypeInto(Peek(form).eRotDays, QStringLiteral("7"));
        QCOMPARE(Peek(form).Settings.DaysInRotation, 7);
        QCOMPARE(Peek(form).lColor->text(), QString());
    }

    void TheStartDateTakesEffectAtApply_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("startDay");
        QTest::addColumn<QString>("error");
        QTest::newRow("four digits")
            << QStringLiteral("3/2/2024") << int(Day(2, 3, 2024)) << QString();
        QTest::newRow("74 is 1974")
            << QStringLiteral("3/2/74") << int(Day(2, 3, 1974)) << QString();
        QTest::newRow("73 is 2073")
            << QStringLiteral("3/2/73") << int(Day(2, 3, 2073)) << QString();
        QTest::newRow("no date") << QStringLiteral("2/30/2024") << int(Day(1, 3, 2024))
                                 << QStringLiteral("'2/30/2024' is not a valid date.");
        QTest::newRow("before 1600") << QStringLiteral("12/31/1599") << int(Day(1, 3, 2024))
                                     << QStringLiteral("'12/31/1599' is not a valid date.");
    }
    void TheStartDateTakesEffectAtApply() {
        QFETCH(QString, typed);
        QFETCH(int, startDay);
        QFETCH(QString, error);
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eStartDate, typed);
        QVERIFY(Peek(form).SettingsModified);
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QVERIFY(NumberPixels(form, 5, 0, Red) > 5);
        if (!error.isEmpty())
            run->prompts.ExpectError(error);
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings.StartDay, startDay);
    }

    void ApplyRecoloursTheMonth() {
        TMainForm& form = run->StartClassic();
        QVERIFY(NumberPixels(form, 5, 0, Red) > 5);
        QVERIFY(NumberPixels(form, 5, 2, Lime) > 50);
        TypeInto(Peek(form).eRotation, QStringLiteral("cab"));
        TypeInto(Peek(form).eRotDays, QStringLiteral("3"));
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        // 1 March is now C (lime) and 15 March, 14 days on, B (blue fill).
        QCOMPARE(NumberPixels(form, 5, 0, Red), 0);
        QVERIFY(NumberPixels(form, 5, 0, Lime) > 5);
        QVERIFY(NumberPixels(form, 5, 2, QColor(Qt::blue)) > 50);
        QCOMPARE(Peek(form).Settings.ShiftRotation, QStringLiteral("CAB"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("CAB"));
    }

    void RetreatStepsBackByWholeRotations_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("1 January")
            << QStringLiteral("1/1/2024")
            << QStringList{QStringLiteral("2/6/2024"), QStringLiteral("1/13/2024"),
                           QStringLiteral("12/20/2023")};
        QTest::newRow("13 January")
            << QStringLiteral("1/13/2024")
            << QStringList{QStringLiteral("2/6/2024"), QStringLiteral("1/13/2024")};
        QTest::newRow("12 January")
            << QStringLiteral("1/12/2024")
            << QStringList{QStringLiteral("2/6/2024"), QStringLiteral("1/13/2024"),
                           QStringLiteral("12/20/2023")};
        QTest::newRow("1 March") << QStringLiteral("3/1/2024") << QStringList();
        QTest::newRow("2 March") << QStringLiteral("3/2/2024") << QStringList();
    }
    void RetreatStepsBackByWholeRotations() {
        QFETCH(QString, target);
        QFETCH(QStringList, shown);
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eRetreatDate, target);
        QVERIFY(!Peek(form).SettingsModified);
        const QString header = Peek(form).pHeader->accessibleDescription();
        TextLog log(Peek(form).eStartDate);
        QTest::mouseClick(Peek(form).bRetreat, Qt::LeftButton);
        QCOMPARE(log.texts, shown);
        QCOMPARE(Peek(form).eStartDate->text(),
                 shown.isEmpty() ? QStringLiteral("3/1/2024") : shown.back());
        QCOMPARE(Peek(form).eRetreatDate->text(), target);
        QVERIFY(Peek(form).SettingsModified);
        QCOMPARE(Peek(form).pHeader->accessibleDescription(), header);
        const QChar letter = RotationLetter(Day(1, 3, 2024), Peek(form).Settings.StartDay, 24,
                                            Peek(form).Settings.ShiftRotation);
        QCOMPARE(letter, QLatin1Char('A'));
    }

    void RetreatOverALeapDay() {
        run->WriteSettings("[Shift Schedule]\nDaysInRotation=3\nShiftRotation=ABC\n"
                           "StartDate=3/1/2024\n");
        TMainForm& form = run->StartShown();
        TypeInto(Peek(form).eRetreatDate, QStringLiteral("2/28/2024"));
        QTest::mouseClick(Peek(form).bRetreat, Qt::LeftButton);
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("2/27/2024"));
        QCOMPARE(Peek(form).Settings.StartDay, Day(27, 2, 2024));
    }

    void RetreatRefuses_data() {
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("23 letters for 24 days")
            << QByteArray("DaysInRotation=24\nShiftRotation=ACABABABCBCACACABABCBCB\n")
            << QStringLiteral("1/1/2024") << int(PromptKind::Message) << RetreatMismatchText;
        QTest::newRow("no date") << QByteArray("DaysInRotation=3\nShiftRotation=ABC\n")
                                 << QStringLiteral("13/1/2024") << int(PromptKind::Error)
                                 << QStringLiteral("'13/1/2024' is not a valid date.");
        QTest::newRow("no rotation at all") << QByteArray("DaysInRotation=0\nShiftRotation=\n")
                                            << QStringLiteral("1/1/2024") << -1 << QString();
    }
    void RetreatRefuses() {
        QFETCH(QByteArray, schedule);
        QFETCH(QString, target);
        QFETCH(int, kind);
        QFETCH(QString, text);
        run->WriteSettings("[Shift Schedule]\nStartDate=3/1/2024\n" + schedule);
        TMainForm& form = run->StartShown();
        TypeInto(Peek(form).eRetreatDate, target);
        if (kind >= 0)
            run->prompts.Expect({PromptKind(kind), text, false, std::nullopt, {}});
        QTest::mouseClick(Peek(form).bRetreat, Qt::LeftButton);
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QVERIFY(Peek(form).SettingsModified);
    }

    void ALongRetreatShowsOnlySomeOfItsSteps() {
        run->WriteSettings("[Shift Schedule]\nDaysInRotation=1\nShiftRotation=A\n"
                           "StartDate=12/31/3999\n");
        TMainForm& form = run->StartShown();
        TypeInto(Peek(form).eRetreatDate, QStringLiteral("1/1/1600"));
        TextLog log(Peek(form).eStartDate);
        QElapsedTimer timer;
        timer.start();
        QTest::mouseClick(Peek(form).bRetreat, Qt::LeftButton);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(log.texts.size() <= TMainForm::RetreatStepsShown + 1);
        QVERIFY(log.texts.size() >= TMainForm::RetreatStepsShown / 2);
        QCOMPARE(log.texts.back(), QStringLiteral("1/1/1600"));
        QCOMPARE(Peek(form).Settings.StartDay, 0);
    }
};

QTEST_MAIN(EditingTest)
#include "EditingTest.moc"
