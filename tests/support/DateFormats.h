#pragma once

#include "calendar/Calendar.h"
#include "calendar/DatePattern.h"

#include <QString>

namespace kestro::test {

// M/d/yyyy with "/" and English names: the format most tests read and write dates in.
using kestro::DefaultShortDateFormat;

// The format of a numeric pattern ("dd.MM.yyyy", see NumericShortDateFormat); M/d/yyyy with "/"
// for a pattern that is none.
inline ShortDateFormat ShortDateFormatFromPattern(const QString& pattern) {
    return NumericShortDateFormat(pattern).value_or(ShortDateFormat{});
}

// The day number of a date with a four-digit year.
inline DayNumber Day(int day, int month, int year) {
    return DateToDayNumber(day, month, year, 0);
}

} // namespace kestro::test
