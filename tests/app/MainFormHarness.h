#pragma once

#include "app/MainForm.h"
#include "calendar/DateText.h"
#include "startup/StartupFiles.h"
#include "support/FakePlatform.h"
#include "support/FakePrompts.h"
#include "support/Files.h"
#include "support/FixedClock.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace kestro::test {

// The record, the flags and the controls of a main window, which keeps them private.
struct MainFormAccess {
    // Makes the color area first, which the window otherwise makes after its first frame.
    explicit MainFormAccess(TMainForm& form)
        : Settings((form.EnsureColorArea(), form.Settings)), View(form.View), Startup(form.Startup),
          SettingsModified(form.SettingsModified), BackgroundChanged(form.BackgroundChanged),
          ColorsShown(form.ColorsShown), Label1(form.Label1), eNumPlt(form.eNumPlt),
          Label2(form.Label2), eRotDays(form.eRotDays), Label4(form.Label4),
          eStartDate(form.eStartDate), Label3(form.Label3), eRotation(form.eRotation),
          bApply(form.bApply), bColors(form.bColors), pHeader(form.pHeader), bToday(form.bToday),
          udMon(form.udMon), dgCal(form.dgCal), bRetreat(form.bRetreat),
          eRetreatDate(form.eRetreatDate), lColor(form.lColor), bBkGr(form.bBkGr),
          pBkGr(form.pBkGr), pLdTr(form.pLdTr), bPlt(form.bPlt), pPlt(form.pPlt), pInv(form.pInv),
          form_(form) {}

    ScheduleSettings& Settings;
    MonthView& View;
    StartupState& Startup;
    bool& SettingsModified;
    bool& BackgroundChanged;
    bool& ColorsShown;
    QLabel* Label1;
    QLineEdit* eNumPlt;
    QLabel* Label2;
    QLineEdit* eRotDays;
    QLabel* Label4;
    QLineEdit* eStartDate;
    QLabel* Label3;
    QLineEdit* eRotation;
    QPushButton* bApply;
    QPushButton* bColors;
    Panel* pHeader;
    QPushButton* bToday;
    UpDownArrows* udMon;
    MonthGrid* dgCal;
    QPushButton* bRetreat;
    QLineEdit* eRetreatDate;
    QLabel* lColor;
    QPushButton* bBkGr;
    Panel* pBkGr;
    Panel* pLdTr;
    std::array<QPushButton*, 6> bPlt;
    std::array<Panel*, 6> pPlt;
    std::array<Panel*, 6> pInv;

    void dgCalDrawCell(QPainter& painter, int column, int row, const QRect& cell) {
        form_.dgCalDrawCell(painter, column, row, cell);
    }
    void bTodayClick() { form_.bTodayClick(); }

private:
    TMainForm& form_;
};

inline MainFormAccess Peek(TMainForm& form) {
    return MainFormAccess(form);
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

inline DayNumber Day(int day, int month, int year) {
    return DateToDayNumber(day, month, year, 1975);
}

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

    QTemporaryDir dir;
    FakePlatform platform;
    FixedClock clock{{15, 3, 2024}};
    FakePrompts prompts;
    std::unique_ptr<TMainForm> form;
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
