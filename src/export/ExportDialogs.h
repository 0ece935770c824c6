#pragma once

#include "calendar/DateText.h"
#include "export/IcsExport.h"
#include "export/YearCalendar.h"

#include <QString>

#include <optional>

namespace kestro {

// The dialog that asks which years a printed calendar shows; its answer is a YearRange, or
// nothing when the user cancels.
struct YearsDialogRequest {
    QString title;   // "Print" or "Export PDF"
    YearRange years; // shown first: the month view's year
};

// The dialog of File > Export Calendar.
struct CalendarExportRequest {
    QString platoons;  // the platoons of the rotation, each a check box, all checked at first
    QString fromText;  // the first day in the user's short date format
    QString untilText; // empty: the events repeat without end
    QString eventText;
    // How the dialog reads the dates typed into it.
    ShortDateFormat format;
    int currentYear = 0;
};

// What the user chose in it.
struct CalendarExportChoice {
    QString platoons;
    std::optional<DayNumber> from;
    std::optional<DayNumber> until;
    QString eventText;
    bool oneDayEvents = false; // IcsExportOptions::oneDayEvents
    friend bool operator==(const CalendarExportChoice&, const CalendarExportChoice&) = default;
};

// The dialog's first values for a schedule: every platoon of the rotation, from the start day or
// today, whichever is later, without end, the usual event text.
CalendarExportRequest MakeCalendarExportRequest(const ScheduleSettings& settings, DayNumber today,
                                                const ShortDateFormat& format, int currentYear);

// The fields of the dialog as the user left them.
struct CalendarExportForm {
    QString platoons; // the checked ones
    QString fromText;
    QString untilText;
    QString eventText;
    bool oneDayEvents = false;
};

struct CalendarExportReading {
    std::optional<CalendarExportChoice> choice;
    QString error; // what to correct, when there is no choice
};

// Reads the fields: dates as yyyy-mm-dd or in the short date format (an empty "from" is the start
// day, an empty "until" none), at least one platoon, an event text, and "until" not before "from".
CalendarExportReading ReadCalendarExportForm(const CalendarExportForm& form,
                                             const CalendarExportRequest& request);

// The export options of a choice, for the calendar of the settings file.
IcsExportOptions ExportOptionsOf(const CalendarExportChoice& choice, const QString& settingsFile);

} // namespace kestro
