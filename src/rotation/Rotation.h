#pragma once

#include "calendar/Calendar.h"

#include <QChar>
#include <QString>

namespace kestro {

// The character of the rotation on day: "Z" before the start, and also when the rotation cannot
// say (fewer than one day in the rotation, or a text shorter than the position asked for).
QChar RotationLetter(DayNumber day, DayNumber startDay, int daysInRotation,
                     const QString& rotation);

// The platoon on duty that day, as RotationLetter, or a null QChar when the letter names no
// platoon (before the start, a day off, a lower-case letter).
QChar PlatoonLetter(DayNumber day, DayNumber startDay, int daysInRotation, const QString& rotation);

} // namespace kestro
