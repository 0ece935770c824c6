#pragma once

#include "calendar/Calendar.h"
#include "calendar/DatePattern.h"
#include "settings/ScheduleSettings.h"

#include <QString>

#include <vector>

namespace kestro {

// What decides who works which day: the rotation, its days, the platoons and its first day.
struct RotationTerms {
    int platoons = 0;
    int days = 0;
    QString rotation;
    DayNumber start = InvalidDay;
};

RotationTerms TermsOf(const ScheduleSettings& settings);

// What a change of rotation does to one platoon over the days compared.
struct PlatoonChange {
    QChar letter;
    int daysGained = 0;
    int daysLost = 0;
    int weekendDaysGained = 0; // Saturdays and Sundays among the days gained
    int weekendDaysLost = 0;
    DayNumber firstChange = InvalidDay; // the first day gained or lost
};

struct RotationChange {
    RotationTerms before;
    RotationTerms after;
    DayNumber first = InvalidDay; // the days compared, first to last
    DayNumber last = InvalidDay;
    int changedDays = 0; // days whose platoon changes
    DayNumber firstChange = InvalidDay;
    std::vector<PlatoonChange> platoons; // every platoon of either rotation, in the color order
};

// The months compared unless told otherwise, and the most a comparison takes.
inline constexpr int MonthsCompared = 12;
inline constexpr int MostMonthsCompared = 1200;

// Compares who works each day for `months` months from `from`, or from the new start day when
// that is later, up to 31 December 3999. A day counts for a platoon when its letter is the
// platoon's, as in the month view: days before a rotation's start have none.
RotationChange CompareRotations(const RotationTerms& before, const RotationTerms& after,
                                DayNumber from, int months);

// The two rotations and the days compared, as lines, dates in the format; `beforeName` and
// `afterName` say which is which ("In force", "Typed").
QString RotationChangeHeading(const RotationChange& change, const ShortDateFormat& format,
                              const QString& beforeName, const QString& afterName);

// The heading and, unless nothing changes, a table of the platoons.
QString RotationChangeText(const RotationChange& change, const ShortDateFormat& format,
                           const QString& beforeName, const QString& afterName);

// What the Preview Change window shows.
struct RotationChangeReport {
    RotationChange change;
    ShortDateFormat format;
};

} // namespace kestro
