#include "summary/YearSummary.h"

#include "calendar/DateText.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"

#include <algorithm>

namespace kestro {

QChar PlatoonOnDay(const ScheduleSettings& s, DayNumber day) {
    return PlatoonLetter(day, s.StartDay, s.DaysInRotation, s.ShiftRotation);
}

YearSummary SummarizeYear(const ScheduleSettings& s, int year,
                          const std::vector<Holiday>& holidays) {
    YearSummary summary;
    summary.year = year;
    for (char16_t letter : PlatoonLetters) {
        if (s.ShiftRotation.contains(QChar(letter)))
            summary.platoons.push_back({QChar(letter)});
    }
    const auto platoonOf = [&summary](QChar letter) -> PlatoonYear* {
        for (PlatoonYear& platoon : summary.platoons) {
            if (platoon.letter == letter)
                return &platoon;
        }
        return nullptr;
    };

    std::vector<DayNumber> holidayDays;
    for (const Holiday& holiday : holidays) {
        if (DayNumberToDate(holiday.day).year != year)
            continue;
        summary.holidays.push_back({holiday, PlatoonOnDay(s, holiday.day)});
        holidayDays.push_back(holiday.day);
    }
    const DayNumber first = DateToDayNumber(1, 1, year, 0);
    const DayNumber last = DateToDayNumber(31, 12, year, 0);
    for (DayNumber day = first; day <= last; ++day) {
        PlatoonYear* platoon = platoonOf(PlatoonOnDay(s, day));
        if (platoon == nullptr)
            continue;
        ++platoon->days;
        const int weekday = WeekdayOf(day);
        platoon->saturdays += weekday == 6;
        platoon->sundays += weekday == 0;
        platoon->holidays +=
            std::find(holidayDays.begin(), holidayDays.end(), day) != holidayDays.end();
    }
    return summary;
}

QString YearSummaryText(const YearSummary& summary, const ShortDateFormat& format) {
    QString text =
        QStringLiteral("Year %1\nPlatoon  Days  Saturdays  Sundays  Holidays\n").arg(summary.year);
    for (const PlatoonYear& p : summary.platoons)
        text += QStringLiteral("%1 %2 %3 %4 %5\n")
                    .arg(p.letter, -7)
                    .arg(p.days, 5)
                    .arg(p.saturdays, 10)
                    .arg(p.sundays, 8)
                    .arg(p.holidays, 9);
    for (const HolidayShift& shift : summary.holidays)
        text += QStringLiteral("%1  %2  %3\n")
                    .arg(FormatDate(format, DayNumberToDate(shift.holiday.day)),
                         shift.letter.isNull() ? QStringLiteral("-") : QString(shift.letter),
                         shift.holiday.name);
    return text;
}

} // namespace kestro
