#include "rotation/Retreat.h"

#include "rotation/EditRules.h"

namespace kestro {

RetreatResult RetreatStartDay(ScheduleSettings& settings, const QString& retreatText,
                              const ShortDateFormat& format, int currentYear) {
    RetreatResult result;
    if (settings.ShiftRotation.size() != settings.DaysInRotation) {
        result.outcome = RetreatOutcome::LengthMismatch;
        result.message = RetreatLengthMismatchText;
        return result;
    }
    const TypedDay target = ReadTypedDay(retreatText, format, settings.Epoch, currentYear);
    if (target.day == InvalidDay) {
        result.outcome = RetreatOutcome::NotADate;
        result.message = target.error;
        return result;
    }
    if (settings.DaysInRotation < 1) {
        result.outcome = RetreatOutcome::NoRotation;
        return result;
    }
    while (target.day < settings.StartDay) {
        const DayNumber next = AdvanceDate(settings.StartDay, -settings.DaysInRotation, 0, 0);
        if (next < 0) {
            result.outcome = RetreatOutcome::StoppedAtFirst;
            break;
        }
        settings.StartDay = next;
        result.steps.push_back(next);
    }
    return result;
}

} // namespace kestro
