#pragma once

#include "export/YearCalendar.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kestro {

// The holidays of a calendar file that fall in some years, or why the file cannot be read.
struct HolidayList {
    std::vector<Holiday> days; // by date; a day may have more than one holiday
    QString error;             // for the user; empty when the file was read
};

// The holidays of an iCalendar text in the years: each event (VEVENT) is a holiday on each day
// it covers, an all-day event from its start to the day before its end, an event with a time of
// day on the day it starts. Repeating events (RRULE) are expanded, less their EXDATE days.
HolidayList HolidaysOfCalendar(const QByteArray& text, YearRange years);

// The same for the file at path, with a message naming the file when it cannot be read or is no
// calendar.
HolidayList ReadHolidayFile(const QString& path, YearRange years);

} // namespace kestro
