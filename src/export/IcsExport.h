#pragma once

#include "calendar/Calendar.h"
#include "settings/ScheduleSettings.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace kestro {

// Where the event text shows the platoon's letter; upper or lower case alike.
inline const QString EventTextPlaceholder = QStringLiteral("{letter}");
inline const QString DefaultEventText = QStringLiteral("Platoon {letter}");
inline const QString DefaultCalendarName = QStringLiteral("Shift calendar");

// What to put into a calendar file made from a schedule.
struct IcsExportOptions {
    // Platoon letters to export (a to z count as A to Z; blanks and commas are skipped); empty:
    // every platoon of the rotation.
    QString platoons;
    // First day to export; none, or a day before the rotation's start: the start day.
    std::optional<DayNumber> from;
    // Last day to export; none: the events repeat without end.
    std::optional<DayNumber> until;
    // Text of each event, with EventTextPlaceholder where the letter goes.
    QString eventText = DefaultEventText;
    QString calendarName = DefaultCalendarName;
    // One event for each day instead of one for each run of days, for calendar programs that show
    // only the first day of an event that lasts several days. Each still repeats.
    bool oneDayEvents = false;
    // Name of the settings file the schedule came from. The events' identities are made from the
    // file it reaches, so that importing a new export of the same file, by whatever name or link,
    // updates the events instead of adding them twice.
    QString sourceFile;
    // When the schedule was last changed, the stamp of every event; invalid: the settings file's
    // modification time (now without a file), so that an unchanged schedule exports the very same
    // file again.
    QDateTime exportTime;
};

struct IcsCalendar {
    QByteArray text;     // the calendar file, empty on error
    QString error;       // what is wrong, for the user; empty on success
    int events = 0;      // VEVENTs in text
    QString platoons;    // the letters exported, in file order
    DayNumber first = 0; // the first day exported
    bool ok() const { return error.isEmpty(); }
};

// What keeps the schedule from being exported at all, by either export, for the user: a rotation
// whose length is not "Days in Rotation", or a day that is no platoon letter. Empty when none.
QString ExportableRotationProblem(const ScheduleSettings& settings);

// Builds the calendar (RFC 5545) of the schedule's platoons: all-day events that repeat with the
// rotation, so that a calendar program shows each platoon's days exactly as the month view does
// from the first day on. A schedule or options that cannot give such a calendar give an error and
// no text.
IcsCalendar BuildIcsCalendar(const ScheduleSettings& settings, const IcsExportOptions& options);

// Why path cannot take a calendar file, for the user; empty when it can. An empty name, a folder
// and the settings file (settingsFile, by whatever name or link) cannot.
QString CalendarFileProblem(const QString& path, const QString& settingsFile);

// Replaces the file at path with text, all or nothing, the way the settings file is saved, unless
// CalendarFileProblem finds a problem. Returns the error for the user, empty on success.
QString WriteIcsFile(const QString& path, const QByteArray& text, const QString& settingsFile);

// A day as yyyy-mm-dd, the form messages about calendar files use.
QString IsoDateText(DayNumber day);

} // namespace kestro
