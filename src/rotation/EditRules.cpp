#include "rotation/EditRules.h"

#include "base/AsciiCase.h"

#include <optional>

namespace kestro {

namespace {

QString InvalidDateText(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1String("' is not a valid date");
}

} // namespace

TypedDay ReadTypedDay(const QString& text, const ShortDateFormat& format, int epoch,
                      int currentYear) {
    TypedDay result;
    const TypedDate typed = ReadTypedDate(text, format, currentYear);
    if (!typed.date) {
        result.error = typed.error;
        return result;
    }
    result.day = DateToDayNumber(typed.date->day, typed.date->month, typed.date->year, epoch);
    if (result.day == InvalidDay) {
        result.error = InvalidDateText(text);
    }
    return result;
}

ApplyResult ApplyRotation(ScheduleSettings& settings, const ScheduleFieldTexts& fields,
                          const ShortDateFormat& format, int currentYear) {
    const std::optional<int> days = ReadFieldInteger(fields.daysInRotation);
    if (!days) {
        return {ApplyOutcome::NotAnInteger, NotAnIntegerText(fields.daysInRotation)};
    }
    if (fields.rotation.size() != *days) {
        return {ApplyOutcome::LengthMismatch, ApplyLengthMismatchText};
    }
    const std::optional<int> platoons = ReadFieldInteger(fields.numberOfPlatoons);
    if (!platoons) {
        return {ApplyOutcome::NotAnInteger, NotAnIntegerText(fields.numberOfPlatoons)};
    }
    settings.NumberOfPlatoons = *platoons;
    settings.DaysInRotation = *days;
    settings.ShiftRotation = AsciiUpper(fields.rotation);

    const TypedDay start = ReadTypedDay(fields.startDate, format, settings.Epoch, currentYear);
    if (start.day == InvalidDay) {
        return {ApplyOutcome::NotADate, start.error};
    }
    settings.StartDay = start.day;
    return {};
}

QString ErrorBoxText(const QString& error) {
    if (!error.isEmpty() && error.back() > QLatin1Char('.')) {
        return error + QLatin1Char('.');
    }
    return error;
}

} // namespace kestro
