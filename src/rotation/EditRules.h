#pragma once

#include "calendar/Calendar.h"
#include "calendar/DateText.h"
#include "settings/FieldText.h"
#include "settings/ScheduleSettings.h"

#include <QString>

#include <optional>

namespace kestro {

// A typed date read as a start day, with the 50-year window for short years. A text that is no
// date, or a date outside 1600 to 3999, gives the error "'<text>' is not a valid date".
struct TypedDay {
    DayNumber day = InvalidDay;
    QString error;
};
TypedDay ReadTypedDay(const QString& text, const ShortDateFormat& format, int epoch,
                      int currentYear);

enum class ApplyOutcome {
    Applied,        // everything stored: refresh the platoon rows, header and grid
    LengthMismatch, // message box; nothing stored
    NotAnInteger,   // error box; nothing stored
    NotADate,       // error box; platoons, days and rotation stored, StartDay unchanged
};

struct ApplyResult {
    ApplyOutcome outcome = ApplyOutcome::Applied;
    QString message; // the text to show, empty for Applied
};

inline const QString ApplyLengthMismatchText =
    QStringLiteral("\"Shift Rotation\" does not match number of \"Days in Rotation\"");

// Apply Rotation: checks that the rotation has as many characters as the days in rotation, then
// stores the number of platoons, the days, the upper-cased rotation and the start day, in that
// order. Both numbers are read before anything is stored. LetterSet is not touched, and
// SettingsModified stays as it was.
ApplyResult ApplyRotation(ScheduleSettings& settings, const ScheduleFieldTexts& fields,
                          const ShortDateFormat& format, int currentYear);

// The text of the error box: a period is added when the last character sorts above ".".
QString ErrorBoxText(const QString& error);

} // namespace kestro
