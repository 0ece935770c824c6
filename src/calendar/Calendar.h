#pragma once

#include <cstdint>

namespace kestro {

// Days counted from 1 January 1600 (day 0) to 31 December 3999 (day 876581).
using DayNumber = std::int32_t;
inline constexpr DayNumber InvalidDay = -1;

struct CalendarDate {
    int day = 0;
    int month = 0;
    int year = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

bool YearIsLeap(int year);
// A year of 0 to 99 is placed in the hundred years that start at epoch; other years pass unchanged.
int ExpandTwoDigitYear(int year, int epoch);
// Days in the month, or 0 when the month or the (expanded) year is out of range.
int MonthLength(int month, int year, int epoch);
bool DateIsValid(int day, int month, int year, int epoch);
DayNumber DateToDayNumber(int day, int month, int year, int epoch);
// 0, 0, 0 for InvalidDay.
CalendarDate DayNumberToDate(DayNumber n);
// Moves by days, months and years; a day of month past the target month's end spills over.
DayNumber AdvanceDate(DayNumber n, int days, int months, int years);
// Moves by months and years; a day of month past the target month's end becomes its last day.
DayNumber AdvanceDateClipped(DayNumber n, int months, int years);
// 0 = Sunday ... 6 = Saturday; 7 for InvalidDay.
int WeekdayOf(DayNumber n);

} // namespace kestro
