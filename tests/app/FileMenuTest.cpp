#include "support/MainFormHarness.h"

#include "widgets/MonthGrid.h"
#include "widgets/Panel.h"

#include <QLabel>
#include <QPushButton>
#include <QWindow>

using namespace kestro;
using namespace kestro::test;

namespace {

const QString ExitTitle = QStringLiteral("Changes not saved!");
const QString SaveFailed = QStringLiteral("Failed to save .ini file");
const QString DaysNotANumber = QStringLiteral("\"Days in Rotation\" is not a whole number");
const QString BadStartDate = QStringLiteral("Invalid start date!\nUsing first of month...");
const QString NotAnInteger = QStringLiteral("'' is not a valid integer value.");

// A schedule that starts long before the clock's month, so that New's dates stand out.
const QByteArray OldSchedule = "[Shift Schedule]\n"
                               "NumberOfPlatoons=4\n"
                               "DaysInRotation=4\n"
                               "ShiftRotation=ABCD\n"
                               "StartDate=1/5/2020\n";

enum class Closing { ExitCommand, CloseBox };

// Closes the main window by the File menu's Exit or as the desktop does for its close box.
void CloseWindow(TMainForm& form, Closing how) {
    if (how == Closing::ExitCommand)
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
    else
        form.windowHandle()->close();
}

} // namespace

class FileMenuTest : public FormTest {
    Q_OBJECT

    // Background, then Cancel in the color dialog: both flags are set, no color changes.
    void BackgroundCancelled(TMainForm& form) {
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        run->prompts.ExpectColors(QStringLiteral("Background Color:"), {});
        QTest::mouseClick(Peek(form).bBkGr, Qt::LeftButton);
        QVERIFY(Peek(form).SettingsModified && Peek(form).BackgroundChanged);
    }

private slots:
    void NewStartsAFreshScheduleWhateverTheLetterSet_data() {
        QTest::addColumn<QByteArray>("schedule");
        QTest::addColumn<int>("rowsBefore");
        QTest::newRow("letters") << OldSchedule << 4;
        QTest::newRow("digits") << QByteArray("[Shift Schedule]\nNumberOfPlatoons=5\n"
                                              "DaysInRotation=5\nShiftRotation=12345\n"
                                              "StartDate=1/5/2020\n")
                                << 5;
        QTest::newRow("color letters") << QByteArray("[Shift Schedule]\nNumberOfPlatoons=2\n"
                                                     "DaysInRotation=6\nShiftRotation=KLRGYP\n"
                                                     "StartDate=1/5/2020\n")
                                       << 6;
    }
    void NewStartsAFreshScheduleWhateverTheLetterSet() {
        QFETCH(QByteArray, schedule);
        QFETCH(int, rowsBefore);
        run->WriteSettings(schedule);
        TMainForm& form = run->StartShown();
        QCOMPARE(VisibleRowCaptions(form).size(), rowsBefore);
        BackgroundCancelled(form);
        Peek(form).lColor->setText(QStringLiteral("L-T/Bkgr: Silver / White"));

        ChooseMenuItem(form, Qt::Key_F, Qt::Key_N);

        QCOMPARE(form.windowTitle(), QString::fromUtf8("Kestro utility for Dunmarek\xC2\xAE"));
        QCOMPARE(Peek(form).Startup.SettingsPath, QString());
        QCOMPARE(Peek(form).Startup.SettingsFolder, run->SubFolder() + QLatin1Char('/'));
        QCOMPARE(Peek(form).Settings.LetterSet, LetterSet::AToF);
        QCOMPARE(VisibleRowCaptions(form),
                 (QStringList{QStringLiteral("&A Platoon"), QStringLiteral("&B Platoon"),
                              QStringLiteral("&C Platoon")}));
        QCOMPARE(Peek(form).pPlt[0]->accessibleName(), QStringLiteral("A color"));
        QCOMPARE(Peek(form).pPlt[0]->accessibleDescription(), QStringLiteral("Gray"));
        QCOMPARE(Peek(form).eNumPlt->text(), QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotDays->text(), QStringLiteral("3"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ABC"));
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).eRetreatDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QCOMPARE(Peek(form).View.CursorDay, Day(1, 3, 2024));
        QCOMPARE(Peek(form).pHeader->accessibleDescription(), QStringLiteral("March 2024"));
        QCOMPARE(Peek(form).lColor->text(), QString());
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(!Peek(form).BackgroundChanged);
        // Gray platoons on white: the A row's inverse panel is gray.
        QCOMPARE(Peek(form).pInv[0]->grab().toImage().pixelColor(3, 3), QColor(128, 128, 128));
        QCOMPARE(Peek(form).pPlt[0]->grab().toImage().pixelColor(3, 3), QColor(Qt::white));
    }

    void NewThenExitClosesWithoutAsking() {
        TMainForm& form = run->StartClassic();
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_N);
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        QVERIFY(Peek(form).SettingsModified);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
        QVERIFY(!form.isVisible());
    }

    void NewThenSaveStartsInTheOldFolderWithNoName() {
        TMainForm& form = run->StartClassic();
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_N);
        run->prompts.ExpectSaveFile(std::nullopt);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_S);
        QCOMPARE(run->prompts.fileDialogs.size(), 1);
        QCOMPARE(run->prompts.fileDialogs[0].folder, run->SubFolder() + QLatin1Char('/'));
        QCOMPARE(run->prompts.fileDialogs[0].fileName, QString());
        QCOMPARE(Peek(form).Startup.SettingsPath, QString());

        // A name typed without a folder lies in the current folder.
        run->prompts.ExpectSaveFile(QStringLiteral("fresh.ini"));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_A);
        QCOMPARE(Peek(form).Startup.SettingsPath, run->Root() + QStringLiteral("fresh.ini"));
        QVERIFY(ReadBytes(run->Root() + QStringLiteral("fresh.ini"))
                    .contains("ShiftRotation=ABC\nStartDate=3/1/2024\n"));
        QCOMPARE(form.windowTitle(), QString::fromUtf8("Kestro utility for Dunmarek\xC2\xAE"));
        QCOMPARE(Peek(form).Startup.SettingsFolder, run->SubFolder() + QLatin1Char('/'));
    }

    void OpenWarnsOnceAboutAMismatchAndKeepsBothValues() {
        TMainForm& form = run->StartClassic();
        BackgroundCancelled(form);
        const QString folder = run->Root() + QStringLiteral("other");
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/Mismatch.ini");
        WriteBytes(path, "[Shift Schedule]\nDaysInRotation=24\n"
                         "ShiftRotation=ACABABABCBCACACABABCBCB\nStartDate=2/1/2024\n");
        run->prompts.ExpectOpenFile(path);
        run->prompts.ExpectMessage(
            QStringLiteral("Shift Rotation does not match number of Days in Rotation"));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_I);

        QCOMPARE(run->prompts.fileDialogs[0].folder, run->SubFolder() + QLatin1Char('/'));
        QCOMPARE(run->prompts.fileDialogs[0].fileName, run->SettingsFile());
        QCOMPARE(Peek(form).Startup.SettingsPath, path);
        QCOMPARE(Peek(form).Startup.SettingsFolder, folder + QLatin1Char('/'));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Mismatch.ini"));
        QCOMPARE(Peek(form).eRotDays->text(), QStringLiteral("24"));
        QCOMPARE(Peek(form).eRotation->text(), QStringLiteral("ACABABABCBCACACABABCBCB"));
        QCOMPARE(Peek(form).Settings.DaysInRotation, 24);
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("2/1/2024"));
        QCOMPARE(Peek(form).eRetreatDate->text(), QStringLiteral("2/1/2024"));
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(!Peek(form).BackgroundChanged);
    }

    void OpenCancelledChangesNothing() {
        TMainForm& form = run->StartClassic();
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        run->prompts.ExpectOpenFile(std::nullopt);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_I);
        QCOMPARE(Peek(form).Startup.SettingsPath, run->SettingsFile());
        QCOMPARE(Peek(form).eNumPlt->text(), QStringLiteral("4"));
        QVERIFY(Peek(form).SettingsModified);
    }

    void OpenWithoutAUsableStartDateShowsTheFirstOfTheMonth_data() {
        QTest::addColumn<QByteArray>("contents"); // nothing is written when empty
        QTest::addColumn<QString>("days");
        QTest::newRow("missing") << QByteArray("[Shift Schedule]\nDaysInRotation=3\n"
                                               "ShiftRotation=ABC\n")
                                 << QStringLiteral("3");
        QTest::newRow("no such day") << QByteArray("[Shift Schedule]\nDaysInRotation=3\n"
                                                   "ShiftRotation=ABC\nStartDate=2/30/2021\n")
                                     << QStringLiteral("3");
        QTest::newRow("no such file") << QByteArray() << QStringLiteral("24");
    }
    void OpenWithoutAUsableStartDateShowsTheFirstOfTheMonth() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, days);
        run->WriteSettings(OldSchedule);
        TMainForm& form = run->StartShown();
        const QString path = run->Root() + QStringLiteral("Other.ini");
        if (!contents.isEmpty())
            WriteBytes(path, contents);
        run->prompts.ExpectOpenFile(path);
        run->prompts.ExpectMessage(BadStartDate);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_I);
        QCOMPARE(Peek(form).eStartDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).eRetreatDate->text(), QStringLiteral("3/1/2024"));
        QCOMPARE(Peek(form).Settings.StartDay, Day(1, 3, 2024));
        QCOMPARE(Peek(form).eRotDays->text(), days);
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Other.ini"));
        QVERIFY(!QFileInfo::exists(path) || !contents.isEmpty());
    }

    void SaveAsUnderANewNameKeepsTheCaption() {
        TMainForm& form = run->StartClassic();
        const QByteArray original = ReadBytes(run->SettingsFile());
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        const QString copy = run->Root() + QStringLiteral("Copy.ini");
        run->prompts.ExpectSaveFile(copy);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_A);
        QCOMPARE(run->prompts.fileDialogs[0].fileName, QStringLiteral("Dunmarek.ini"));
        QCOMPARE(run->prompts.fileDialogs[0].folder, run->SubFolder() + QLatin1Char('/'));
        QCOMPARE(form.windowTitle(), QStringLiteral("Kestro: editing Dunmarek.ini"));
        QCOMPARE(Peek(form).Startup.SettingsPath, copy);
        QCOMPARE(Peek(form).Startup.SettingsFolder, run->SubFolder() + QLatin1Char('/'));
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(ReadBytes(copy).startsWith("[Shift Schedule]\nNumberOfPlatoons=4\n"));
        QCOMPARE(ReadBytes(run->SettingsFile()), original);

        TypeInto(Peek(form).eNumPlt, QStringLiteral("5"));
        run->prompts.ExpectYesNo(ExitTitle, QStringLiteral("Save Copy.ini?"), false);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
        QVERIFY(!form.isVisible());
        QVERIFY(ReadBytes(copy).contains("NumberOfPlatoons=4\n"));
    }

    void SaveThenExitAsksNothing() {
        TMainForm& form = run->StartClassic();
        BackgroundCancelled(form);
        TypeInto(Peek(form).eRotation, QStringLiteral("ACABABABCBCACACABABCBCBA"));
        run->prompts.ExpectSaveFile(run->SettingsFile());
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_S);
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(!Peek(form).BackgroundChanged);
        const QByteArray saved = ReadBytes(run->SettingsFile());
        QVERIFY(saved.contains("ShiftRotation=ACABABABCBCACACABABCBCBA\n"));
        QVERIFY(saved.contains("BkGr="));
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
        QVERIFY(!form.isVisible());
    }

    void AFailedSaveKeepsTheChangesUnsaved() {
        TMainForm& form = run->StartClassic();
        BackgroundCancelled(form);
        run->prompts.ExpectError(NotAnInteger);
        TypeInto(Peek(form).eRotDays, QString());
        const QString elsewhere = run->Root() + QStringLiteral("Elsewhere.ini");
        run->prompts.ExpectSaveFile(elsewhere);
        run->prompts.ExpectMessage(SaveFailed + u'\n' + DaysNotANumber);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_S);
        QVERIFY(Peek(form).SettingsModified);
        QVERIFY(Peek(form).BackgroundChanged);
        QCOMPARE(Peek(form).Startup.SettingsPath, elsewhere);
        QVERIFY(!QFileInfo::exists(elsewhere));
        QVERIFY(form.isVisible());
    }

    void ClosingWithUnsavedChangesAsks_data() {
        QTest::addColumn<int>("closing");
        QTest::addColumn<bool>("backgroundOnly");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("written"); // empty: the file stays as it was
        for (const Closing closing : {Closing::ExitCommand, Closing::CloseBox}) {
            const char* const route = closing == Closing::ExitCommand ? "Exit" : "close box";
            QTest::addRow("%s, edit, No", route) << int(closing) << false << false << QByteArray();
            QTest::addRow("%s, edit, Yes", route)
                << int(closing) << false << true << QByteArray("NumberOfPlatoons=4\n");
            QTest::addRow("%s, Background cancelled, No", route)
                << int(closing) << true << false << QByteArray();
            QTest::addRow("%s, Background cancelled, Yes", route)
                << int(closing) << true << true << QByteArray("BkGr=");
        }
    }
    void ClosingWithUnsavedChangesAsks() {
        QFETCH(int, closing);
        QFETCH(bool, backgroundOnly);
        QFETCH(bool, yes);
        QFETCH(QByteArray, written);
        TMainForm& form = run->StartClassic();
        const QByteArray original = ReadBytes(run->SettingsFile());
        if (backgroundOnly)
            BackgroundCancelled(form);
        else
            TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        // Asked once, also when Exit closes the window itself.
        run->prompts.ExpectYesNo(ExitTitle, QStringLiteral("Save Dunmarek.ini?"), yes);
        CloseWindow(form, Closing(closing));
        QVERIFY(!form.isVisible());
        const QByteArray now = ReadBytes(run->SettingsFile());
        if (written.isEmpty())
            QCOMPARE(now, original);
        else
            QVERIFY2(now.contains(written), now.constData());
    }

    void ClosingWithoutChangesAsksNothing_data() {
        QTest::addColumn<int>("closing");
        QTest::newRow("Exit") << int(Closing::ExitCommand);
        QTest::newRow("close box") << int(Closing::CloseBox);
    }
    void ClosingWithoutChangesAsksNothing() {
        QFETCH(int, closing);
        TMainForm& form = run->StartClassic();
        // Set Colors, the month and Apply are no changes of the schedule.
        QTest::mouseClick(Peek(form).bColors, Qt::LeftButton);
        QTest::mouseClick(Peek(form).bApply, Qt::LeftButton);
        QTest::keyClick(Peek(form).dgCal, Qt::Key_PageDown);
        CloseWindow(form, Closing(closing));
        QVERIFY(!form.isVisible());
    }

    void AFailedSaveOnClosingKeepsTheWindowOpen_data() { ClosingWithoutChangesAsksNothing_data(); }
    void AFailedSaveOnClosingKeepsTheWindowOpen() {
        QFETCH(int, closing);
        TMainForm& form = run->StartClassic();
        const QByteArray original = ReadBytes(run->SettingsFile());
        run->prompts.ExpectError(NotAnInteger);
        TypeInto(Peek(form).eRotDays, QString());
        run->prompts.ExpectYesNo(ExitTitle, QStringLiteral("Save Dunmarek.ini?"), true);
        run->prompts.ExpectMessage(SaveFailed + u'\n' + DaysNotANumber);
        CloseWindow(form, Closing(closing));
        QVERIFY(form.isVisible());
        QVERIFY(Peek(form).SettingsModified);
        QCOMPARE(ReadBytes(run->SettingsFile()), original);

        // Mended, the changes are saved on the next try.
        TypeInto(Peek(form).eRotDays, QStringLiteral("24"));
        run->prompts.ExpectYesNo(ExitTitle, QStringLiteral("Save Dunmarek.ini?"), true);
        CloseWindow(form, Closing(closing));
        QVERIFY(!form.isVisible());
        QVERIFY(ReadBytes(run->SettingsFile()).contains("DaysInRotation=24\n"));
    }

    void ALongFileNameIsShortenedInThePrompt() {
        const QString name =
            QString(50, QLatin1Char('L')) + QString(46, QLatin1Char('R')) + QStringLiteral(".ini");
        QCOMPARE(name.size(), 100);
        const QString path = run->Root() + name;
        WriteBytes(path, ClassicSettings);
        TMainForm& form = run->StartShown({path});
        QCOMPARE(Peek(form).Startup.SettingsPath, path);
        TypeInto(Peek(form).eNumPlt, QStringLiteral("4"));
        run->prompts.ExpectYesNo(ExitTitle,
                                 QStringLiteral("Save ") + QString(35, QLatin1Char('L')) +
                                     QStringLiteral("...") + QString(31, QLatin1Char('R')) +
                                     QStringLiteral(".ini?"),
                                 false);
        ChooseMenuItem(form, Qt::Key_F, Qt::Key_X);
        QVERIFY(!form.isVisible());
    }

    void HelpContentsAsksForTheHelpFileBesideTheProgram_data() {
        QTest::addColumn<bool>("opens");
        QTest::newRow("opens") << true;
        QTest::newRow("missing") << false;
    }
    void HelpContentsAsksForTheHelpFileBesideTheProgram() {
        QFETCH(bool, opens);
        TMainForm& form = run->StartClassic();
        run->prompts.ExpectHelpContents(run->Root() + QStringLiteral("bin/kestro.chm"), opens);
        if (!opens)
            run->prompts.ExpectMessage(QStringLiteral("Unable to open Help file"));
        ChooseMenuItem(form, Qt::Key_H, Qt::Key_C);
        QVERIFY(!Peek(form).SettingsModified);
    }

    void AboutAsksForTheAboutBox() {
        TMainForm& form = run->StartClassic();
        run->prompts.ExpectAbout();
        ChooseMenuItem(form, Qt::Key_H, Qt::Key_A);
        QVERIFY(!Peek(form).SettingsModified);
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(FileMenuTest)
#include "FileMenuTest.moc"
