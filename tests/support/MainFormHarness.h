#pragma once

#include "app/MainForm.h"
#include "calendar/DateText.h"
#include "startup/StartupFiles.h"
#include "support/DateFormats.h"
#include "support/FakePlatform.h"
#include "support/FakePrompts.h"
#include "support/Files.h"
#include "support/FixedClock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kestro::test {

// The record, the flags and the controls of a main window, which keeps them private.
struct MainFormAccess {
    TMainForm& form;
    // The window makes its color area after its first frame; the tests may need it before.
    bool colorAreaMade = (form.EnsureColorArea(), true);
    ScheduleSettings& Settings = form.Settings;
    MonthView& View = form.View;
    StartupState& Startup = form.Startup;
    bool& SettingsModified = form.SettingsModified;
    bool& BackgroundChanged = form.BackgroundChanged;
    bool& ColorsShown = form.ColorsShown;
    QLabel* Label1 = form.Label1;
    QLineEdit* eNumPlt = form.eNumPlt;
    QLabel* Label2 = form.Label2;
    QLineEdit* eRotDays = form.eRotDays;
    QLabel* Label4 = form.Label4;
    QLineEdit* eStartDate = form.eStartDate;
    QLabel* Label3 = form.Label3;
    QLineEdit* eRotation = form.eRotation;
    QPushButton* bApply = form.bApply;
    QPushButton* bColors = form.bColors;
    Panel* pHeader = form.pHeader;
    QPushButton* bToday = form.bToday;
    UpDownArrows* udMon = form.udMon;
    MonthGrid* dgCal = form.dgCal;
    QPushButton* bRetreat = form.bRetreat;
    QLineEdit* eRetreatDate = form.eRetreatDate;
    QLabel* lColor = form.lColor;
    QPushButton* bBkGr = form.bBkGr;
    Panel* pBkGr = form.pBkGr;
    Panel* pLdTr = form.pLdTr;
    std::array<QPushButton*, 6> bPlt = form.bPlt;
    std::array<Panel*, 6> pPlt = form.pPlt;
    std::array<Panel*, 6> pInv = form.pInv;

    // For the benchmarks (bench/).
    void dgCalDrawCell(QPainter& painter, int column, int row, const QRect& cell) {
        form.dgCalDrawCell(painter, column, row, cell);
    }
    void bTodayClick() { form.bTodayClick(); }
};

inline MainFormAccess Peek(TMainForm& form) {
    return MainFormAccess{form};
}

// 1 March 2024, the start of the classic 24-day rotation below; the clock stands on 15 March 2024.
inline const QByteArray ClassicSettings = "[Shift Schedule]\n"
                                          "NumberOfPlatoons=3\n"
                                          "DaysInRotation=24\n"
                                          "ShiftRotation=ACABABABCBCACACABABCBCBC\n"
                                          "StartDate=3/1/2024\n"
                                          "[Colors]\n"
                                          "APlt=Red\nAInv=White\n"
                                          "BPlt=Blue\nBInv=White\n"
                                          "CPlt=Lime\nCInv=Black\n";

// One run of the editor in a folder of its own: the application-data folders and the program's
// folder lie below it, the clock is fixed and every prompt is expected.
class FormRun {
public:
    FormRun() {
        const QString root = dir.path() + QLatin1Char('/');
        platform.roaming = root + QStringLiteral("roaming");
        platform.local = root + QStringLiteral("local");
        platform.common = root + QStringLiteral("common");
        platform.programFile = root + QStringLiteral("bin/kestro");
        platform.currentFolder = root;
        for (const QString& folder :
             {platform.roaming, platform.local, platform.common, root + QStringLiteral("bin")})
            QDir().mkpath(folder);
    }

    QString SubFolder() const { return platform.roaming + QStringLiteral("/Halvgard/Dunmarek6"); }
    QString SettingsFile() const { return SubFolder() + QStringLiteral("/Dunmarek.ini"); }
    QString Root() const { return dir.path() + QLatin1Char('/'); }

    void MakeSubFolder() const { QDir().mkpath(SubFolder()); }

    // The settings file in the roaming sub-folder, where the search finds it.
    void WriteSettings(const QByteArray& ini) const {
        MakeSubFolder();
        WriteBytes(SettingsFile(), ini);
    }

    TMainForm& Start(const QStringList& arguments = {}) {
        form = std::make_unique<TMainForm>(platform, clock, prompts,
                                           ReadCommandLine(arguments, platform),
                                           DefaultShortDateFormat());
        return *form;
    }

    // Started, shown and active, so that focus moves as it does for a user.
    TMainForm& StartShown(const QStringList& arguments = {}) {
        Start(arguments);
        form->show();
        QApplication::setActiveWindow(form.get());
        if (!QTest::qWaitForWindowActive(form.get()))
            QTest::qFail("The main window did not become active", __FILE__, __LINE__);
        return *form;
    }

    // Shown on the classic rotation (ClassicSettings).
    TMainForm& StartClassic() {
        WriteSettings(ClassicSettings);
        return StartShown();
    }

    QTemporaryDir dir;
    FakePlatform platform;
    FixedClock clock{{15, 3, 2024}};
    FakePrompts prompts;
    std::unique_ptr<TMainForm> form;
};

// The fixture of a Qt Test class on the main window: a fresh run for each test function; after
// it, every expected prompt must have been shown.
class FormTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<FormRun> run;

protected slots:
    void init();
    void cleanup();
};

// Picks a menu item the way a user does from the keyboard: Alt and the menu's letter, then the
// item's letter.
inline void ChooseMenuItem(TMainForm& form, Qt::Key menuLetter, Qt::Key itemLetter) {
    QTest::keyClick(&form, menuLetter, Qt::AltModifier);
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) {
        QTest::qFail("The menu did not open", __FILE__, __LINE__);
        return;
    }
    QTest::keyClick(popup, itemLetter);
}

// Replaces a field's text the way a user does: click into it, select all, type.
inline void TypeInto(QLineEdit* field, const QString& text) {
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    else
        QTest::keyClicks(field, text);
}

// The captions of the platoon rows that are shown, row 1 first.
inline QStringList VisibleRowCaptions(TMainForm& form) {
    QStringList captions;
    for (QPushButton* button : Peek(form).bPlt) {
        if (!button->isHidden())
            captions.append(button->text());
    }
    return captions;
}

} // namespace kestro::test
