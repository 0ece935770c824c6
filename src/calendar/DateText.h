#pragma once

#include "calendar/Calendar.h"

#include <QChar>
#include <QString>

#include <array>
#include <optional>

namespace kestro {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

// The user's short date format: how dates are read from and written to fields and the file.
struct ShortDateFormat {
    DateOrder order = DateOrder::MonthDayYear;
    QChar separator = QLatin1Char('/');
    // Pattern used for writing, made of d/dd, M/MM, yyyy and the separator (always a 4-digit year).
    QString pattern = QStringLiteral("M/d/yyyy");
    std::array<QString, 12> longMonthNames;
    std::array<QString, 12> shortMonthNames;
    // Abbreviated weekday names, Sunday first.
    std::array<QString, 7> shortDayNames;
};

// M/d/yyyy with "/" and the English month and weekday names.
ShortDateFormat DefaultShortDateFormat();

// Builds a format from a pattern of day (d, dd), month (M, MM) and year (y, yy, yyyy) numbers
// with one separator, e.g. "dd.MM.yyyy" or "d/M/yy". Two-digit year patterns are written with
// four digits. Anything else falls back to M/d/yyyy with "/". Month names are left empty.
ShortDateFormat ShortDateFormatFromPattern(const QString& pattern);
// The same, but nothing for a pattern that would fall back.
std::optional<ShortDateFormat> NumericShortDateFormat(const QString& pattern);

// Turns an strftime date pattern such as nl_langinfo(D_FMT) ("%m/%d/%y", "%d.%m.%Y") into the
// pattern form above; unknown conversions are kept as they are (and so fail the check above).
QString PatternFromStrftime(const QString& strftimePattern);

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
