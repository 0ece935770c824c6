#include "rotation/EditRules.h"

#include "colors/AsciiCase.h"

#include <cstdint>
#include <limits>

namespace kestro {

namespace {

QString InvalidDateText(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1String("' is not a valid date");
}

} // namespace

IntegerReading ReadIntegerField(const QString& text) {
    IntegerReading result;
    result.value = ReadFieldInteger(text);
    if (!result.value) {
        result.error = QLatin1Char('\'') + text + QLatin1String("' is not a valid integer value");
    }
    return result;
}

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
    const IntegerReading days = ReadIntegerField(fields.daysInRotation);
    if (!days.value) {
        return {ApplyOutcome::NotAnInteger, days.error};
    }
    if (fields.rotation.size() != *days.value) {
        return {ApplyOutcome::LengthMismatch, ApplyLengthMismatchText};
    }
    const IntegerReading platoons = ReadIntegerField(fields.numberOfPlatoons);
    if (!platoons.value) {
        return {ApplyOutcome::NotAnInteger, platoons.error};
    }
    settings.NumberOfPlatoons = *platoons.value;
    settings.DaysInRotation = *days.value;
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
