#include "app/MainForm.h"

#include "summary/Holidays.h"

#include <QMenu>

namespace kestro {

void TMainForm::CreateSummaryMenu(QMenu* plan) {
    MPlanYearSummary = plan->addAction(QStringLiteral("&Year Summary..."));
    MPlanYearSummary->setObjectName(QStringLiteral("MPlanYearSummary"));
    connect(MPlanYearSummary, &QAction::triggered, this, &TMainForm::MPlanYearSummaryClick);
}

void TMainForm::MPlanYearSummaryClick() {
    // Counted on the rotation in force, not on fields typed but not yet applied.
    ScheduleSettings inForce = Settings;
    inForce.NumberOfPlatoons = inForce_.platoons;
    inForce.DaysInRotation = inForce_.days;
    inForce.ShiftRotation = inForce_.rotation;
    inForce.StartDay = inForce_.start;
    if (const QString problem = RotationLengthProblem(inForce); !problem.isEmpty()) {
        prompts_.ShowMessage(problem);
        return;
    }
    YearSummaryRequest request{inForce, dateFormat_, DayNumberToDate(View.CursorDay).year,
                               holidayFile_};
    for (;;) {
        const YearSummaryChoice choice = prompts_.ShowYearSummary(request);
        request.year = choice.year;
        if (!choice.chooseHolidays)
            return;
        const std::optional<QString> chosen =
            prompts_.AskOpenFileName({QStringLiteral("Holidays"),
                                      Startup.SettingsFolder,
                                      {},
                                      QStringLiteral("Calendar Files (*.ics);;All Files (*)"),
                                      QStringLiteral("ics")});
        if (!chosen)
            continue;
        const QString path = AbsoluteName(*chosen);
        // A file that cannot be read keeps the one chosen before.
        if (const HolidayList read = ReadHolidayFile(path, {request.year, request.year});
            !read.error.isEmpty()) {
            prompts_.ShowMessage(read.error);
            continue;
        }
        holidayFile_ = request.holidayFile = path;
    }
}

bool TMainForm::ReadChosenHolidays(YearRange years, std::vector<Holiday>& holidays) {
    if (holidayFile_.isEmpty())
        return true;
    HolidayList read = ReadHolidayFile(holidayFile_, years);
    if (!read.error.isEmpty()) {
        prompts_.ShowMessage(read.error);
        return false;
    }
    holidays = std::move(read.days);
    return true;
}

} // namespace kestro
