#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace kestro {

class Clock;
class Platform;

// What a command that runs without the window prints, and its exit status.
struct CommandOutcome {
    int exitCode = 0; // 0 done, 1 the file could not be written, 2 bad arguments or settings
    QString output;   // one line for standard output
    QString error;    // one message for standard error
};

// kestro --export-ics: finds and loads the settings file as the window does, and writes the
// calendar file of its schedule. The settings file is only read.
CommandOutcome RunIcsExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock, const QDateTime& now);

// The same on this system, printing the outcome; returns the exit status.
int ExportIcsMain(const QStringList& arguments);

} // namespace kestro
