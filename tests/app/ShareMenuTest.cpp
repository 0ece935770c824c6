// File > Export Calendar, Export PDF and Print, chosen from the keyboard, every dialog answered
// through the prompts seam.
#include "support/MainFormHarness.h"

#include "support/PdfTools.h"

#include <QRegularExpression>

using namespace kestro;
using namespace kestro::test;

class ShareMenuTest : public FormTest {
    Q_OBJECT

private slots:
    void PrintPreviewsTheChosenYearsFromTheCursorsYear() {
        TMainForm& form = run->StartClassic();
        run->platform.paperLocale = QStringLiteral("en_CA.UTF-8");
        Peek(form).View.CursorDay = Day(10, 6, 2027);
        run->prompts.ExpectYears(QStringLiteral("Print"), YearRange{2027, 2028});
        run->prompts.ExpectPrintPreview();
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_P);
        QCOMPARE(run->prompts.yearDialogs.size(), 1);
        QCOMPARE(run->prompts.yearDialogs[0].years, (YearRange{2027, 2027}));
        QCOMPARE(run->prompts.printPreviews.size(), 1);
        const YearCalendarSource& source = run->prompts.printPreviews[0];
        QCOMPARE(source.years, (YearRange{2027, 2028}));
        QVERIFY(source.settings == Peek(form).Settings);
        QCOMPARE(source.settingsFile, run->SettingsFile());
        QCOMPARE(source.paper, PaperSize::Letter);
        QCOMPARE(source.format.longMonthNames[2], QStringLiteral("March"));

        // A rotation that does not fit its length is not printed; nothing is asked.
        Peek(form).Settings.DaysInRotation = 23;
        run->prompts.ExpectMessage(
            QStringLiteral("\"Shift Rotation\" does not match number of \"Days in Rotation\". The "
                           "rotation has 24 letters; \"Days in Rotation\" is 23."));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_P);
        QCOMPARE(run->prompts.yearDialogs.size(), 1);
    }

    void ExportPdfWritesOnePagePerYearButNeverTheSettingsFile() {
        TMainForm& form = run->StartClassic();
        const QString pdf = run->Root() + QStringLiteral("wall.pdf");
        run->prompts.ExpectYears(QStringLiteral("Export PDF"), YearRange{2024, 2025});
        run->prompts.ExpectSaveFile(QStringLiteral("wall.pdf"), QStringLiteral("Export PDF"));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_D);
        const FileDialogRequest& dialog = run->prompts.fileDialogs.last();
        QCOMPARE(dialog.fileName, QStringLiteral("Dunmarek 2024-2025.pdf"));
        QCOMPARE(dialog.filter, QStringLiteral("PDF Files (*.pdf)"));
        QVERIFY(ReadBytes(pdf).startsWith("%PDF-"));
        if (HavePdfTools())
            QVERIFY(PdfInfo(pdf).value_or(QString()).contains(
                QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));

        const struct {
            QString answer;
            QString message;
        } refused[] = {
            {run->SettingsFile(),
             run->SettingsFile() + QStringLiteral(" is the settings file itself; choose "
                                                  "another name for the calendar file.")},
            {run->Root() + QStringLiteral("none/wall.pdf"),
             QStringLiteral("Could not write the PDF file ") + run->Root() +
                 QStringLiteral("none/wall.pdf: No such file or directory")},
        };
        for (const auto& r : refused) {
            run->prompts.ExpectYears(QStringLiteral("Export PDF"), YearRange{2024, 2024});
            run->prompts.ExpectSaveFile(r.answer, QStringLiteral("Export PDF"));
            run->prompts.ExpectMessage(r.message);
            ChooseMenuItem(form, Qt::Key_F, Qt::Key_D);
        }
        QCOMPARE(ReadBytes(run->SettingsFile()), ClassicSettings);
        QVERIFY(!Peek(form).SettingsModified);
    }

    void ExportCalendarAsksOnceThenWritesTheChosenPlatoons() {
        TMainForm& form = run->StartClassic();
        run->prompts.ExpectCalendarExport(CalendarExportChoice{QStringLiteral("B"), std::nullopt,
                                                               Day(31, 12, 2024),
                                                               QStringLiteral("Shift {letter}")});
        run->prompts.ExpectSaveFile(QStringLiteral("b.ics"), QStringLiteral("Export Calendar"));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_C);
        const CalendarExportRequest& request = run->prompts.exportDialogs[0];
        QCOMPARE(request.platoons, QStringLiteral("ABC"));
        QCOMPARE(request.fromText, QStringLiteral("3/15/2024")); // today, after the start
        QCOMPARE(request.untilText, QString());
        QCOMPARE(request.eventText, QStringLiteral("Platoon {letter}"));
        QCOMPARE(run->prompts.fileDialogs.last().fileName, QStringLiteral("Dunmarek.ics"));
        const QByteArray ics = ReadBytes(run->Root() + QStringLiteral("b.ics"));
        QVERIFY(ics.contains("SUMMARY:Shift B"));
        QVERIFY(!ics.contains("Shift A") && !ics.contains("Shift C"));
        // Every series ends with the chosen last day.
        QVERIFY(ics.count("RRULE:") > 0);
        QCOMPARE(ics.count("RRULE:"), ics.count("UNTIL=2024"));

        // What the calendar cannot hold is said before the dialog opens.
        Peek(form).Settings.ShiftRotation[1] = QLatin1Char('h');
        run->prompts.ExpectMessage(QStringLiteral("Day 2 of the rotation is \"h\", which is not a "
                                                  "platoon letter (A to F, 1 to 6, K, L, R, G, Y, "
                                                  "P)."));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_C);
        QCOMPARE(run->prompts.exportDialogs.size(), 1);
    }
};

QTEST_MAIN(ShareMenuTest)
#include "ShareMenuTest.moc"
