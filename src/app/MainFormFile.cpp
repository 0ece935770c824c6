#include "app/MainForm.h"

#include "commands/FileCommands.h"
#include "files/SettingsFileIO.h"
#include "settings/LoadSettings.h"
#include "settings/SaveSettings.h"
#include "startup/Platform.h"
#include "widgets/MonthGrid.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

namespace kestro {

namespace {

constexpr int WindowRightMargin = 484; // from the screen's right edge to the window's left edge
constexpr int WindowTop = 10;
constexpr int StartUpEpoch = 1975;

} // namespace

void TMainForm::FormCreate() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().width() - WindowRightMargin, WindowTop);
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    setMinimumSize(ClientMinimumWidth, menuHeight + ClientHeight);
    setMaximumSize(ClientWidthColorsShown, menuHeight + ClientMaximumHeight);
    resize(ClientWidthColorsHidden, menuHeight + ClientHeight);

    View = InitialMonthView(Today());
    LocateSettingsFile(Startup, platform_);

    DayNumber dateToShow = InvalidDay;
    if (!Startup.SettingsPath.isEmpty() && ExistsAt(Startup.SettingsPath)) {
        LoadSettings(Startup.SettingsPath);
        dateToShow = Settings.StartDay;
    } else {
        const CalendarDate today = clock_.Today();
        const ScheduleSettings startUp =
            NoFileSettings(DateToDayNumber(1, today.month, today.year, StartUpEpoch));
        const kestro::LetterSet letterSet = Settings.LetterSet;
        Settings = startUp;
        Settings.LetterSet = letterSet;
        dateToShow = Settings.StartDay;
        UpdateMonthHeader();
    }
    setWindowTitle(EditingCaption(Startup.SettingsPath));
    FillControls(dateToShow);
    dgCal->SetCellSize(GridCellSize(dgCal->size()));
    ColorsShown = false;
    SettingsModified = false;
    BackgroundChanged = false;
    dgCal->setFocus();
}

void TMainForm::LoadSettings(const QString& path) {
    const LoadOutcome outcome = kestro::LoadSettings(path, Settings, dateFormat_, clock_);
    if (!outcome.fileError.isEmpty())
        prompts_.ShowMessage(CouldNotReadText(path, outcome.fileError));
    EmptyColorReport();
    if (outcome.letterSetFromRotation) {
        RefreshPlatoonCaptions();
        RefreshPlatoonRows();
    }
    if (outcome.startDateInvalid) {
        QString message = QString::fromLatin1(InvalidStartDateMessage);
        message.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        prompts_.ShowMessage(message);
    }
    if (!outcome.cutKeys.isEmpty())
        prompts_.ShowMessage(CutValuesMessage(outcome.cutKeys));
    RedrawMonthView();
}

void TMainForm::FillControls(DayNumber dateToShow) {
    SetProgramText(eNumPlt, QString::number(Settings.NumberOfPlatoons));
    SetProgramText(eRotDays, QString::number(Settings.DaysInRotation));
    SetProgramText(eRotation, Settings.ShiftRotation);
    SetProgramText(eStartDate, DateText(dateToShow));
    inForce_ = TermsOf(Settings);
    retreatDateText_ = DateText(dateToShow);
    if (colorAreaMade_)
        SetProgramText(eRetreatDate, retreatDateText_);
    RefreshColorArea();
}

void TMainForm::MFileNewClick() {
    const DayNumber firstOfMonth = FirstOfCurrentMonth();
    ResetToNewSchedule(Settings, firstOfMonth);
    View.CursorDay = firstOfMonth;
    Startup.SettingsPath.clear();
    setWindowTitle(NewScheduleCaption);
    EmptyColorReport();
    FillControls(firstOfMonth);
    SettingsModified = false;
    BackgroundChanged = false;
    RedrawMonthView();
}

void TMainForm::MFileOpenClick() {
    const std::optional<QString> chosen =
        prompts_.AskOpenFileName(OpenDialogRequest(Startup.SettingsFolder, Startup.SettingsPath));
    if (!chosen)
        return;
    Startup.SettingsPath = AbsoluteName(*chosen);
    Startup.SettingsFolder = EnsureTrailingSeparator(QFileInfo(Startup.SettingsPath).path());
    LoadSettings(Startup.SettingsPath);
    FillControls(Settings.StartDay);
    // Loaded as it is; only the user is told.
    if (Settings.DaysInRotation != eRotation->text().size())
        prompts_.ShowMessage(OpenMismatchText);
    setWindowTitle(EditingCaption(*chosen));
    SettingsModified = false;
    BackgroundChanged = false;
    RedrawMonthView();
}

void TMainForm::MFileSaveClick() {
    const std::optional<QString> chosen =
        prompts_.AskSaveFileName(SaveDialogRequest(Startup.SettingsFolder, Startup.SettingsPath));
    if (!chosen)
        return;
    Startup.SettingsPath = AbsoluteName(*chosen);
    SaveSettings(Startup.SettingsPath);
}

void TMainForm::MFileSaveAsClick() {
    MFileSaveClick();
}

void TMainForm::MFileExitClick() {
    close();
}

bool TMainForm::FormCloseQuery() {
    if (!SettingsModified || Startup.SettingsPath.isEmpty())
        return true;
    if (!prompts_.AskYesNo(ExitPromptTitle, ExitPromptText(Startup.SettingsPath)))
        return true;
    // The user wants the changes kept: after a failed save the window stays open with them.
    return SaveSettings(Startup.SettingsPath);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TMainForm::SaveSettings(const QString& path) {
    const ScheduleFieldTexts fields{eNumPlt->text(), eRotDays->text(), eRotation->text(),
                                    eStartDate->text()};
    const SaveResult saved =
        SaveSettingsFile(path, fields, Settings, BackgroundChanged, dateFormat_);
    if (!saved) {
        prompts_.ShowMessage(SaveFailedText(saved.reason));
        return false;
    }
    SettingsModified = false;
    BackgroundChanged = false;
    return true;
}

QString TMainForm::AbsoluteName(const QString& name) const {
    return QDir::cleanPath(QDir(platform_.CurrentFolder()).absoluteFilePath(name));
}

} // namespace kestro
