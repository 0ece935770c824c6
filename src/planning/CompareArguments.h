#pragma once

#include "calendar/Calendar.h"
#include "calendar/DatePattern.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace kestro {

// kestro --compare OTHER.ini [--from DATE] [--months N] [[-i]FILE ...]
struct CompareCommandLine {
    QString otherFile;             // the settings file with the rotation that would come
    std::optional<DayNumber> from; // nothing for today
    int months = 0;
    QStringList settingsArguments; // find the settings file in force, as the window does
    QString error;                 // why the arguments cannot be used; empty when they can
};

// Whether the arguments ask for a comparison ("--compare" or "--months" among them).
bool IsCompareRequest(const QStringList& arguments);

// DATE as the export commands read it: yyyy-mm-dd or the user's short date format.
CompareCommandLine ReadCompareCommandLine(const QStringList& arguments,
                                          const ShortDateFormat& format, int currentYear);

} // namespace kestro
