#pragma once

#include "calendar/DatePattern.h"
#include "export/YearCalendar.h"
#include "settings/ScheduleSettings.h"

#include <QString>

#include <vector>

namespace kestro {

// What one platoon works in a year.
struct PlatoonYear {
    QChar letter;
    int days = 0;
    int saturdays = 0;
    int sundays = 0;
    int holidays = 0; // days with one or more holidays
};

// A holiday and the platoon that works it: a letter of the rotation, or a null QChar when no
// platoon does (before the start of the rotation, or a day of a character that names none).
struct HolidayShift {
    Holiday holiday;
    QChar letter;
};

struct YearSummary {
    int year = 0;
    std::vector<PlatoonYear> platoons; // each platoon of the rotation, in the color table's order
    std::vector<HolidayShift> holidays;
};

// The platoon that works the day, as RotationLetter, or a null QChar when none does.
QChar PlatoonOnDay(const ScheduleSettings& settings, DayNumber day);

// Counts the year's days of each platoon of a rotation that RotationLengthProblem finds sound;
// holidays outside the year are left out.
YearSummary SummarizeYear(const ScheduleSettings& settings, int year,
                          const std::vector<Holiday>& holidays);

// The summary as text: a table of the platoons and a line for each holiday, dates in the format.
QString YearSummaryText(const YearSummary& summary, const ShortDateFormat& format);

// What the year summary window shows: the schedule in force, a year and the holiday file chosen
// for the run (empty for none).
struct YearSummaryRequest {
    ScheduleSettings settings;
    ShortDateFormat format;
    int year = 0;
    QString holidayFile;
};

// How the user left the year summary window: closed, or asking to choose a holiday file; and the
// year shown last.
struct YearSummaryChoice {
    bool chooseHolidays = false;
    int year = 0;
};

} // namespace kestro
