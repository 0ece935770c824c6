#include "app/SummaryCommand.h"

#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "startup/Platform.h"
#include "summary/Holidays.h"
#include "summary/SummaryArguments.h"
#include "summary/YearSummary.h"

namespace kestro {
namespace {

QString UsageHint(const QString& error) {
    return error + QStringLiteral(" See kestro --help.");
}

} // namespace

CommandOutcome RunSummary(const QStringList& arguments, const Platform& platform,
                          const Clock& clock) {
    const SummaryCommandLine command = ReadSummaryCommandLine(arguments);
    if (!command.error.isEmpty())
        return Failed(2, UsageHint(command.error));
    ExportSchedule schedule;
    if (std::optional<CommandOutcome> failed =
            LoadCountableSchedule(command.settingsArguments, platform, clock, schedule))
        return *failed;
    HolidayList holidays;
    if (!command.holidayFile.isEmpty()) {
        holidays = ReadHolidayFile(command.holidayFile, {command.year, command.year});
        if (!holidays.error.isEmpty())
            return Failed(2, holidays.error);
    }
    const YearSummary summary = SummarizeYear(schedule.settings, command.year, holidays.days);
    return {0, YearSummaryText(summary, platform.DateFormat()), {}};
}

CommandOutcome RunWho(const QStringList& arguments, const Platform& platform, const Clock& clock) {
    const WhoCommandLine command =
        ReadWhoCommandLine(arguments, platform.DateFormat(), clock.Today().year);
    if (!command.error.isEmpty())
        return Failed(2, UsageHint(command.error));
    ExportSchedule schedule;
    if (std::optional<CommandOutcome> failed =
            LoadCountableSchedule(command.settingsArguments, platform, clock, schedule))
        return *failed;
    const QChar letter = PlatoonOnDay(schedule.settings, command.day);
    return {0, (letter.isNull() ? QStringLiteral("none") : QString(letter)) + u'\n', {}};
}

int SummaryMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunSummary(arguments, platform, clock));
}

int WhoMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunWho(arguments, platform, clock));
}

} // namespace kestro
