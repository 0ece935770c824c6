#pragma once

#include "app/IcsExportCommand.h"

namespace kestro {

// kestro --summary YEAR: the days, Saturdays, Sundays and holidays each platoon of the settings
// file's schedule works in the year, and who works each holiday of the --holidays file.
CommandOutcome RunSummary(const QStringList& arguments, const Platform& platform,
                          const Clock& clock);

// kestro --who DATE: the letter of the platoon that works the day, or "none", on one line.
CommandOutcome RunWho(const QStringList& arguments, const Platform& platform, const Clock& clock);

// The same on this system, printing the outcome; return the exit status. Need no display.
int SummaryMain(const QStringList& arguments);
int WhoMain(const QStringList& arguments);

} // namespace kestro
