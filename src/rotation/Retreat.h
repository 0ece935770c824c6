#pragma once

#include "calendar/Calendar.h"
#include "calendar/DateText.h"
#include "settings/ScheduleSettings.h"

#include <QString>

#include <vector>

namespace kestro {

enum class RetreatOutcome {
    Retreated,      // StartDay is on or before the target (or was already)
    StoppedAtFirst, // the next step would have left the calendar; StartDay is the last valid one
    NoRotation,     // DaysInRotation below 1: there is nothing to step by; nothing changed
    LengthMismatch, // message box; nothing changed
    NotADate,       // error box; nothing changed
};

struct RetreatResult {
    RetreatOutcome outcome = RetreatOutcome::Retreated;
    QString message;              // the text to show, for LengthMismatch and NotADate
    std::vector<DayNumber> steps; // each new start day in turn, the last one is the final StartDay
};

inline const QString RetreatLengthMismatchText =
    QStringLiteral("\"Days in Rotation\" does not match \"Shift Rotation\"");

// Retreat Start Date: moves StartDay back by whole rotations until it lies on or before the
// date typed in retreatText, so every day from the old start on keeps its letter. StartDay
// never goes below 1 January 1600. The caller sets SettingsModified whatever the outcome, shows
// each of the steps in the start-date field, and leaves the month view to its next repaint.
RetreatResult RetreatStartDay(ScheduleSettings& settings, const QString& retreatText,
                              const ShortDateFormat& format, int currentYear);

} // namespace kestro
