#include "app/CompareCommand.h"

#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "planning/CompareArguments.h"
#include "planning/RotationChange.h"
#include "startup/Platform.h"

namespace kestro {

CommandOutcome RunCompare(const QStringList& arguments, const Platform& platform,
                          const Clock& clock) {
    const ShortDateFormat format = platform.DateFormat();
    const CompareCommandLine command =
        ReadCompareCommandLine(arguments, format, clock.Today().year);
    if (!command.error.isEmpty())
        return Failed(2, command.error + QStringLiteral(" See kestro --help."));
    const DayNumber from = command.from ? *command.from : TodayDayNumber(clock);
    if (from == InvalidDay)
        return Failed(2, QStringLiteral("Today's date is outside 1600 to 3999; give --from DATE."));

    ExportSchedule inForce;
    if (std::optional<CommandOutcome> failed =
            LoadCountableSchedule(command.settingsArguments, platform, clock, inForce))
        return *failed;
    ExportSchedule other;
    if (std::optional<CommandOutcome> failed = LoadCountableSchedule(
            {QStringLiteral("-i") + command.otherFile}, platform, clock, other))
        return *failed;

    const RotationChange change =
        CompareRotations(TermsOf(inForce.settings), TermsOf(other.settings), from, command.months);
    return {0,
            RotationChangeText(change, format, QStringLiteral("In force (%1)").arg(inForce.path),
                               QStringLiteral("New (%1)").arg(other.path)),
            {}};
}

int CompareMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunCompare(arguments, platform, clock));
}

} // namespace kestro
