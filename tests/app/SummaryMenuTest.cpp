// Plan > Year Summary chosen from the keyboard: the holiday file asked through the prompts seam,
// the real summary window on what the main window asked for, and the chosen file's holidays
// marked on the printed calendar.
#include "support/MainFormHarness.h"

#include "summary/Holidays.h"
#include "summarywindow/YearSummaryDialog.h"

#include <QSpinBox>
#include <QTableWidget>

using namespace kestro;
using namespace kestro::test;

namespace {

const QByteArray kHolidays = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//EN\n"
                             "BEGIN:VEVENT\nUID:1\nDTSTART;VALUE=DATE:20200101\n"
                             "RRULE:FREQ=YEARLY\nSUMMARY:New Year's Day\nEND:VEVENT\n"
                             "BEGIN:VEVENT\nUID:2\nDTSTART;VALUE=DATE:20261224\n"
                             "DTEND;VALUE=DATE:20261227\nSUMMARY:Christmas\nEND:VEVENT\n"
                             "END:VCALENDAR\n";

void ExpectHolidayFile(FakePrompts& prompts, const QString& answer) {
    ExpectedPrompt prompt;
    prompt.kind = PromptKind::OpenFile;
    prompt.text = QStringLiteral("Holidays");
    prompt.fileName = answer;
    prompts.Expect(prompt);
}

} // namespace

class SummaryMenuTest : public QObject {
    Q_OBJECT

private slots:
    void ChoosesAHolidayFileForTheSummaryAndThePrintedCalendar() {
        FormRun run;
        TMainForm& form = run.StartClassic();
        Peek(form).View.CursorDay = Day(10, 6, 2026);
        WriteBytes(run.Root() + QStringLiteral("holidays.ics"), kHolidays);
        WriteBytes(run.Root() + QStringLiteral("notes.txt"), "not a calendar\n");

        // A file that is no calendar is refused with the reason; the next one is kept.
        run.prompts.ExpectYearSummary({true, 2026});
        ExpectHolidayFile(run.prompts, run.Root() + QStringLiteral("notes.txt"));
        run.prompts.ExpectMessage(QStringLiteral("Could not read the holiday file %1notes.txt: It "
                                                 "is not a calendar file with events (holidays) "
                                                 "in it.")
                                      .arg(run.Root()));
        run.prompts.ExpectYearSummary({true, 2026});
        ExpectHolidayFile(run.prompts, run.Root() + QStringLiteral("holidays.ics"));
        run.prompts.ExpectYearSummary({false, 2026});
        ChooseMenuItem(form, Qt::Key_P, Qt::Key_Y);
        QCOMPARE(run.prompts.summaries.size(), 3);
        QCOMPARE(run.prompts.summaries[0].year, 2026);
        QCOMPARE(run.prompts.summaries[1].holidayFile, QString());
        const YearSummaryRequest request = run.prompts.summaries[2];
        QCOMPARE(request.holidayFile, run.Root() + QStringLiteral("holidays.ics"));
        QVERIFY(request.settings == Peek(form).Settings);

        // The real window on that request: the platoons' counts and who works each holiday.
        YearSummaryDialog dialog(request, &form);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        const YearSummary summary = SummarizeYear(
            request.settings, 2026, ReadHolidayFile(request.holidayFile, {2026, 2026}).days);
        QCOMPARE(dialog.platoons->rowCount(), 3);
        QCOMPARE(dialog.holidays->rowCount(), 4);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(dialog.platoons->item(row, 1)->text().toInt(),
                     summary.platoons[std::size_t(row)].days);
        QCOMPARE(dialog.holidays->item(3, 1)->text(), QString(summary.holidays[3].letter));
        QCOMPARE(dialog.holidays->item(3, 2)->text(), QStringLiteral("Christmas"));
        // Another year counts again, without the file being chosen again.
        QTest::keyClick(dialog.year, Qt::Key_Up);
        QCOMPARE(dialog.holidays->rowCount(), 1);
        QApplication::setActiveWindow(&dialog);
        QTest::keyClick(dialog.year, Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(dialog.chooseHolidays); // an access key clicks after a moment
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // The printed calendar of the window marks the chosen file's holidays.
        run.prompts.ExpectYears(QStringLiteral("Print"), YearRange{2026, 2027});
        run.prompts.ExpectPrintPreview();
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_P);
        QCOMPARE(run.prompts.printPreviews.size(), 1);
        QCOMPARE(run.prompts.printPreviews[0].holidays,
                 ReadHolidayFile(request.holidayFile, {2026, 2027}).days);
        QCOMPARE(run.prompts.printPreviews[0].holidays.size(), std::size_t(5));
        run.prompts.VerifyAllShown();
    }
};

QTEST_MAIN(SummaryMenuTest)
#include "SummaryMenuTest.moc"
