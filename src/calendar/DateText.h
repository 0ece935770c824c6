#pragma once

#include "calendar/Calendar.h"
#include "calendar/DatePattern.h"

#include <QString>

#include <optional>

namespace kestro {

// Writes the date with the format's pattern; empty when the date is not a real calendar date in
// the years 1 to 9999 (as DayNumberToDate gives for InvalidDay).
QString FormatDate(const ShortDateFormat& format, const CalendarDate& date);

// How a year written with one or two digits is placed.
enum class TwoDigitYears {
    CurrentCentury, // year + (currentYear div 100) * 100: the reading of the settings file
    SlidingWindow,  // within currentYear - 50 .. currentYear + 49: the reading of typed dates
};

// Reads a date typed or stored in the short date format: two or three numbers of one to four
// digits separated by the separator; blanks before numbers and separators, and one trailing
// separator, are allowed. Two numbers are day and month of the current year. The result is a
// real calendar date in the years 1 to 9999, or nothing.
std::optional<CalendarDate> ReadDateText(const QString& text, const ShortDateFormat& format,
                                         int currentYear, TwoDigitYears rule);

// The "StartDate" reading of a settings file: InvalidDay unless the date lies in 1600 to 3999
// (years written with three or four digits below 100 are resolved against epoch).
DayNumber ParseStartDate(const QString& text, const ShortDateFormat& format, int epoch,
                         int currentYear);

// Apply's reading of a typed date: the date, or the error text shown to the user.
struct TypedDate {
    std::optional<CalendarDate> date;
    QString error; // "'<text>' is not a valid date" when date is empty
};
TypedDate ReadTypedDate(const QString& text, const ShortDateFormat& format, int currentYear);

} // namespace kestro
