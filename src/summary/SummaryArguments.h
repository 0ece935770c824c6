#pragma once

#include "calendar/DatePattern.h"
#include "export/YearCalendar.h"

#include <QString>
#include <QStringList>

namespace kestro {

// kestro --summary YEAR [--holidays FILE.ics] [[-i]FILE ...]
struct SummaryCommandLine {
    int year = 0;
    QString holidayFile; // empty for none
    QStringList settingsArguments;
    QString error; // why the arguments cannot be used; empty when they can
};

// kestro --who DATE [[-i]FILE ...]
struct WhoCommandLine {
    DayNumber day = InvalidDay;
    QStringList settingsArguments;
    QString error;
};

// Whether the arguments ask for a year summary ("--summary" among them) or for the platoon of a
// day ("--who").
bool IsSummaryRequest(const QStringList& arguments);
bool IsWhoRequest(const QStringList& arguments);

SummaryCommandLine ReadSummaryCommandLine(const QStringList& arguments);
// DATE as the export commands read it: yyyy-mm-dd or the user's short date format.
WhoCommandLine ReadWhoCommandLine(const QStringList& arguments, const ShortDateFormat& format,
                                  int currentYear);

} // namespace kestro
