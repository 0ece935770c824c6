#pragma once

#include "calendar/DateText.h"
#include "export/IcsExport.h"
#include "export/YearCalendar.h"
#include "settings/LoadSettings.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <span>

namespace kestro {

// An option of a command line and its value.
struct OptionValue {
    QString name;
    QString value;
};

// Whether one of the options names is among the arguments, alone or before "=".
bool HasOption(const QStringList& arguments, std::span<const char* const> names);

// Splits the arguments into options with their values (from the next argument or after "=") and
// the rest, the settings files. Each option may be given once; `command` is the option that
// names the output file (or the command's value) and that the others need. Returns what is
// wrong, or nothing.
QString ReadOptions(const QStringList& arguments, std::span<const char* const> names,
                    const QString& command, QList<OptionValue>& options, QStringList& rest);

// kestro --export-ics OUT.ics [--platoons AB] [--from DATE] [--until DATE] [--text TEXT]
//        [--name NAME] [[-i]FILE ...]
struct IcsCommandLine {
    QString outputFile;
    IcsExportOptions options;
    // The remaining arguments: settings file names, read as when the window starts.
    QStringList settingsArguments;
    // Why the arguments cannot be used, for the user; empty when they can.
    QString error;
};

// Whether the arguments that follow the program name ask for a calendar file instead of the
// window: "--export-ics" or one of its options is among them.
bool IsIcsExportRequest(const QStringList& arguments);

// Reads the arguments of a calendar export. Options take their value from the next argument or
// after "=" ("--from=2024-03-01"); dates are read by ReadExportDate.
IcsCommandLine ReadIcsCommandLine(const QStringList& arguments, const ShortDateFormat& format,
                                  int currentYear);

// A date of the command line: yyyy-mm-dd (always; four digits first means year, month, day), or
// the user's short date format, two-digit years placed like dates typed into the window. Nothing
// unless it is a date from 1600 to 3999.
std::optional<DayNumber> ReadExportDate(const QString& text, const ShortDateFormat& format,
                                        int currentYear);

// What an export from the command line is told of a settings file that cannot be read.
QString UnreadableSettingsText(const QString& path, const QString& reason);

// Why neither export takes the schedule loaded from the settings file at path, for the user; empty
// when both do. Besides the file's own faults (unreadable, a start date that is no date), the
// "Days in Rotation" must be in the file as a number (the window shows a default in place of one
// it cannot read, which an export must not publish), and the rotation exportable.
QString LoadedScheduleProblem(const QString& path, const LoadOutcome& loaded,
                              const ScheduleSettings& settings);

// kestro --export-pdf OUT.pdf [--year Y | --years Y1-Y2] [--holidays FILE.ics] [[-i]FILE ...]
struct PdfCommandLine {
    QString outputFile;
    YearRange years;     // default: the current year
    QString holidayFile; // an iCalendar file whose days are marked; empty for none
    QStringList settingsArguments;
    QString error;
};

// Whether the arguments ask for a PDF calendar instead of the window: "--export-pdf", "--year" or
// "--years" is among them.
bool IsPdfExportRequest(const QStringList& arguments);

// Reads the arguments of a PDF export, options as for the calendar file.
PdfCommandLine ReadPdfCommandLine(const QStringList& arguments, int currentYear);

// "2024" or "2024-2026" (blanks allowed around the numbers); nothing for anything else.
std::optional<YearRange> ReadYearRange(const QString& text);

} // namespace kestro
