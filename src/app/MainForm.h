#pragma once

#include "app/Prompts.h"
#include "calendar/Clock.h"
#include "calendar/DateText.h"
#include "planning/RotationChange.h"
#include "rotation/MonthView.h"
#include "rotation/Navigation.h"
#include "settings/ScheduleSettings.h"
#include "startup/StartupFiles.h"
#include "widgets/WindowFonts.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class QAction;
class QCloseEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPainter;
class QPushButton;
class QResizeEvent;

namespace kestro {

class MonthGrid;
class Panel;
class Platform;
class UpDownArrows;

namespace test {
struct MainFormAccess;
}

// The window's client area (below the menu bar) is 253 x 377 pixels at creation and can be
// resized between 240 and 453 wide and 377 and 389 high; these are the outer sizes of the Windows
// original less its 16-pixel frame (and its title bar). The color area at x >= 280 comes into view
// at width 453.
inline constexpr int ClientWidthColorsHidden = 253;
inline constexpr int ClientWidthColorsShown = 453;
inline constexpr int ClientMinimumWidth = 240;
inline constexpr int ClientHeight = 377;
inline constexpr int ClientMaximumHeight = 389;

// The editor's main window. It owns the one ScheduleSettings record and the one MonthView of the
// run; the controls hold the schedule fields as text beside the record. Its parts live in one
// file each: the layout (MainForm.cpp), the file commands (MainFormFile.cpp), the color area
// (MainFormColors.cpp), the editing of the schedule and the month view (MainFormEdit.cpp), the
// commands that export and print the schedule (MainFormShare.cpp), the planning of a rotation
// change (MainFormPlan.cpp) and the year summary (MainFormSummary.cpp).
class TMainForm final : public QMainWindow {
public:
    TMainForm(Platform& platform, Clock& clock, Prompts& prompts, StartupState startup,
              ShortDateFormat dateFormat, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Retreat shows at most this many of its steps in the start-date field (always the last one),
    // so that a retreat over centuries one day at a time stays quick.
    static constexpr int RetreatStepsShown = 100;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Tests and benchmarks read the record and reach the controls through it.
    friend struct test::MainFormAccess;

    // The layout: controls, their names and handlers, the menu and the tab order.
    void CreateControls();
    void NameControls();
    void ConnectControls();
    void CreateMenu();
    void SetTabOrder();
    // The color area (from lColor on in the list of controls below) is made after the first
    // frame, or as soon as anything needs it; until then its refreshes keep only what it will
    // show.
    void EnsureColorArea();
    void CreateColorArea();

    // Creation and the File menu.
    void FormCreate();
    // Reads a settings file into the record, tells the user about an unreadable start date, and
    // redraws what depends on the record except the edit fields.
    void LoadSettings(const QString& path);
    // Puts the record into the controls; the two date fields show dateToShow.
    void FillControls(DayNumber dateToShow);
    void MFileNewClick();
    void MFileOpenClick();
    void MFileSaveClick();
    void MFileSaveAsClick();
    // Closes the window, which asks about unsaved changes first (FormCloseQuery).
    void MFileExitClick();
    // Asked before the window closes, however it is closed: with unsaved changes to a named file
    // the user is asked whether to save them. False keeps the window open, which happens only
    // when the user wanted the changes saved and saving failed.
    bool FormCloseQuery();
    // Writes the schedule into the file at path; tells the user when that fails. The change
    // flags are cleared only by a successful save.
    bool SaveSettings(const QString& path);
    QString AbsoluteName(const QString& name) const;

    // The color area.
    // The panels' colors, the captions and which platoon rows show, all from the record.
    void RefreshColorArea();
    void RefreshPanelColors();
    void RefreshPlatoonCaptions();
    void RefreshPlatoonRows();
    // Screen readers hear each color panel's color as its description.
    void DescribePanelColors();
    void bColorsClick();
    void bBkGrClick();
    // The six platoon buttons of the color area; row is 1 to 6.
    void bPltClick(int row);
    void bAPltClick() { bPltClick(1); }
    void bBPltClick() { bPltClick(2); }
    void bCPltClick() { bPltClick(3); }
    void bDPltClick() { bPltClick(4); }
    void bEPltClick() { bPltClick(5); }
    void bFPltClick() { bPltClick(6); }
    void EmptyColorReport();
    void ShowColorReport(const QString& report);

    // Editing the schedule, the month view and help.
    void UpdateMonthHeader();
    void RedrawMonthView();
    void dgCalDrawCell(QPainter& painter, int column, int row, const QRect& cell);
    void dgCalKeyDown(GridKey key, KeyModifiers modifiers);
    void udMonClick(UpDownArrow arrow);
    void bTodayClick();
    void eNumPltChange();
    void eRotDaysChange();
    void eRotationChange();
    void eRotationExit();
    // The focus of the application moved; a field is left only for another control of the window.
    void FocusChanged(QWidget* now);
    void eStartDateChange();
    // Apply Rotation's reading of the fields into settings; false, after telling the user, when
    // they cannot be applied.
    bool ApplyFields(ScheduleSettings& settings);
    void bApplyClick();
    void bRetreatClick();
    void MHelpContentsClick();
    void MHelpAboutClick();
    // Sets a field's text as a program change, which its change handler does not count as an
    // edit by the user.
    void SetProgramText(QLineEdit* field, const QString& text);
    bool UserEdit() const { return !programChange_; }
    void ShowErrorBox(const QString& error);
    DayNumber Today() const;
    DayNumber FirstOfCurrentMonth() const;
    int CurrentYear() const;
    QString DateText(DayNumber day) const;
    QString HelpFile() const;

    // Sharing the schedule (MainFormShare.cpp): the File menu's export and print commands.
    void CreateShareMenu(QMenu* file);
    void MFileExportCalendarClick();
    void MFileExportPdfClick();
    void MFilePrintClick();
    // The record as a year calendar of the years the user picks in a dialog of that title;
    // nothing when the schedule cannot be printed (the user is told) or the user cancels.
    std::optional<YearCalendarSource> AskYearCalendar(const QString& title);

    // Planning a rotation change (MainFormPlan.cpp): a common rotation into the fields, and what
    // the rotation typed would change against the one in force.
    void CreatePlanningMenu(QMenu* plan);
    void MPlanCommonRotationsClick();
    void MPlanPreviewChangeClick();

    // The year summary (MainFormSummary.cpp) and the holiday file chosen in it for the run, which
    // the printed calendar marks.
    void CreateSummaryMenu(QMenu* plan);
    void MPlanYearSummaryClick();
    // The holidays of the chosen file in the years; false when the file cannot be read now (the
    // user is told).
    bool ReadChosenHolidays(YearRange years, std::vector<Holiday>& holidays);

    ScheduleSettings Settings;
    MonthView View;
    StartupState Startup; // SettingsPath and SettingsFolder belong to the file commands
    bool SettingsModified = false;
    bool BackgroundChanged = false;
    bool ColorsShown = false;

    // Controls, named as in the layout table of the window.
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
    QPushButton* bRetreat = nullptr;
    QLineEdit* eRetreatDate = nullptr;
    QLabel* lColor = nullptr;
    QPushButton* bBkGr = nullptr;
    Panel* pBkGr = nullptr;
    Panel* pLdTr = nullptr;
    // Row r of the color area: its button, its left (normal) and right (inverse) panel.
    std::array<QPushButton*, 6> bPlt{};
    std::array<Panel*, 6> pPlt{};
    std::array<Panel*, 6> pInv{};

    QAction* MFileNew;
    QAction* MFileOpen;
    QAction* MFileSave;
    QAction* MFileSaveAs;
    QAction* MFileExportCalendar;
    QAction* MFileExportPdf;
    QAction* MFilePrint;
    QAction* MFileExit;
    QAction* MPlanCommonRotations;
    QAction* MPlanPreviewChange;
    QAction* MPlanYearSummary;
    QAction* MHelpContents;
    QAction* MHelpAbout;

    Platform& platform_;
    Clock& clock_;
    Prompts& prompts_;
    const ShortDateFormat dateFormat_;
    bool programChange_ = false;
    // The rotation the month view was last made to show by loading, New, Apply or Retreat; what
    // Preview Change compares the fields with.
    RotationTerms inForce_;
    QString holidayFile_;              // empty until the user chooses one
    QPointer<QWidget> focusedControl_; // the control of the window that last had the focus
    bool colorAreaMade_ = false;
    QString colorReport_ = QStringLiteral("."); // lColor's text
    QString retreatDateText_;                   // eRetreatDate's text until it is made
    CellFontCache cellFont_; // the day numbers' font and widths, kept from cell to cell
};

} // namespace kestro
