#include "planning/RotationChange.h"

#include "calendar/DateText.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"

#include <algorithm>

namespace kestro {
namespace {

constexpr DayNumber LastComparedDay = 876581; // 31 December 3999

QChar PlatoonOf(const RotationTerms& terms, DayNumber day) {
    return PlatoonLetter(day, terms.start, terms.days, terms.rotation);
}

bool StartIsValid(DayNumber day) {
    return day >= 0 && day <= LastComparedDay;
}

QString DateOrNone(const ShortDateFormat& format, DayNumber day) {
    return StartIsValid(day) ? FormatDate(format, DayNumberToDate(day)) : QStringLiteral("-");
}

QString TermsLine(const QString& name, const RotationTerms& terms, const ShortDateFormat& format) {
    const QString rotation =
        terms.rotation.isEmpty() ? QStringLiteral("no rotation") : terms.rotation;
    const QString start = StartIsValid(terms.start)
                              ? QStringLiteral("from %1").arg(DateOrNone(format, terms.start))
                              : QStringLiteral("with no valid start date");
    return QStringLiteral("%1: %2 (%3 %4, %5 %6) %7\n")
        .arg(name, rotation)
        .arg(terms.days)
        .arg(terms.days == 1 ? QStringLiteral("day") : QStringLiteral("days"))
        .arg(terms.platoons)
        .arg(terms.platoons == 1 ? QStringLiteral("platoon") : QStringLiteral("platoons"), start);
}

} // namespace

RotationTerms TermsOf(const ScheduleSettings& s) {
    return {s.NumberOfPlatoons, s.DaysInRotation, s.ShiftRotation, s.StartDay};
}

RotationChange CompareRotations(const RotationTerms& before, const RotationTerms& after,
                                DayNumber from, int months) {
    RotationChange change;
    change.before = before;
    change.after = after;
    from = std::clamp(from, DayNumber(0), LastComparedDay);
    change.first = StartIsValid(after.start) ? std::max(from, after.start) : from;
    // Months that run past the calendar's end stop at its last day.
    const DayNumber end = AdvanceDateClipped(change.first, months, 0);
    change.last = end == InvalidDay ? LastComparedDay : std::min(end - 1, LastComparedDay);
    for (char16_t letter : PlatoonLetters) {
        if (before.rotation.contains(QChar(letter)) || after.rotation.contains(QChar(letter)))
            change.platoons.push_back({QChar(letter)});
    }
    const auto platoonOf = [&change](QChar letter) -> PlatoonChange* {
        for (PlatoonChange& platoon : change.platoons) {
            if (platoon.letter == letter)
                return &platoon;
        }
        return nullptr;
    };

    for (DayNumber day = change.first; day <= change.last; ++day) {
        const QChar was = PlatoonOf(before, day);
        const QChar is = PlatoonOf(after, day);
        if (was == is)
            continue;
        ++change.changedDays;
        if (change.firstChange == InvalidDay)
            change.firstChange = day;
        const int weekday = WeekdayOf(day);
        const bool weekend = weekday == 0 || weekday == 6;
        if (PlatoonChange* lost = platoonOf(was)) {
            ++lost->daysLost;
            lost->weekendDaysLost += weekend;
            if (lost->firstChange == InvalidDay)
                lost->firstChange = day;
        }
        if (PlatoonChange* gained = platoonOf(is)) {
            ++gained->daysGained;
            gained->weekendDaysGained += weekend;
            if (gained->firstChange == InvalidDay)
                gained->firstChange = day;
        }
    }
    return change;
}

QString RotationChangeHeading(const RotationChange& change, const ShortDateFormat& format,
                              const QString& beforeName, const QString& afterName) {
    QString text =
        TermsLine(beforeName, change.before, format) + TermsLine(afterName, change.after, format);
    const int days = change.last - change.first + 1;
    text += QStringLiteral("Compared: %1 to %2 (%3 days)\n")
                .arg(DateOrNone(format, change.first), DateOrNone(format, change.last))
                .arg(days);
    if (change.changedDays == 0)
        return text + QStringLiteral("Nothing changes: every day keeps its platoon.\n");
    return text + QStringLiteral("%1 of the %2 days change platoon; the first is %3.\n")
                      .arg(change.changedDays)
                      .arg(days)
                      .arg(DateOrNone(format, change.firstChange));
}

QString RotationChangeText(const RotationChange& change, const ShortDateFormat& format,
                           const QString& beforeName, const QString& afterName) {
    QString text = RotationChangeHeading(change, format, beforeName, afterName);
    if (change.changedDays == 0)
        return text;
    text += QStringLiteral("Platoon  Days gained  Days lost  Weekend days gained  "
                           "Weekend days lost  First change\n");
    for (const PlatoonChange& p : change.platoons)
        text += QStringLiteral("%1 %2 %3 %4 %5  %6\n")
                    .arg(p.letter, -7)
                    .arg(p.daysGained, 12)
                    .arg(p.daysLost, 10)
                    .arg(p.weekendDaysGained, 20)
                    .arg(p.weekendDaysLost, 18)
                    .arg(DateOrNone(format, p.firstChange));
    return text;
}

} // namespace kestro
