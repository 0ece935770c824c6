#pragma once

#include "settings/ScheduleSettings.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestro {

class Clock;
class Platform;

// What a command that runs without the window prints, and its exit status.
struct CommandOutcome {
    int exitCode = 0; // 0 done, 1 the file could not be written, 2 bad arguments or settings
    QString output;   // one line for standard output
    QString error;    // one message for standard error
};

// "kestro: " and the message, as the error of a command that failed with the exit status.
CommandOutcome Failed(int exitCode, const QString& message);

// Prints the outcome to standard output and standard error; returns the exit status.
int PrintOutcome(const CommandOutcome& outcome);

// The schedule a command exports, and the settings file it comes from.
struct ExportSchedule {
    ScheduleSettings settings;
    QString path;
};

// Finds the settings file as the window does (a file named among the arguments must exist) and
// loads it into schedule, unless it is outputFile itself (a command that writes no file passes
// an empty outputFile). Refuses a schedule either export would get wrong: "Days in Rotation"
// missing or not a whole number, a rotation of another length or with a character that is no
// platoon letter. Nothing on success, else the failure.
std::optional<CommandOutcome> LoadExportSchedule(const QStringList& settingsArguments,
                                                 const QString& outputFile,
                                                 const Platform& platform, const Clock& clock,
                                                 ExportSchedule& schedule);

// LoadExportSchedule, then refuses a rotation that cannot be followed day by day (no days, a
// length other than the days, no valid start date).
std::optional<CommandOutcome> LoadCountableSchedule(const QStringList& settingsArguments,
                                                    const Platform& platform, const Clock& clock,
                                                    ExportSchedule& schedule);

// kestro --export-ics: finds and loads the settings file as the window does, and writes the
// calendar file of its schedule, stamped with the settings file's modification time. The settings
// file is only read.
CommandOutcome RunIcsExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock);

// The same on this system, printing the outcome; returns the exit status.
int ExportIcsMain(const QStringList& arguments);

} // namespace kestro
