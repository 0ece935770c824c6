#pragma once

#include <QString>

#include <span>

namespace kestro {

// A rotation of 24-hour shifts as departments publish it.
struct CommonRotation {
    const char* name;
    int platoons;
    const char* rotation; // one letter per day, the platoon on duty
    const char* description;
};

// The rotations the Common Rotations list offers, in the order shown.
std::span<const CommonRotation> CommonRotations();

// What goes into the schedule fields, as if the user had typed it.
struct RotationFields {
    int platoons = 0;
    QString rotation; // its length is the days in rotation
};

// A rotation made from what one platoon works, or why none can be made.
struct MadeRotation {
    QString rotation;
    QString error;
};

// The largest number of platoons (A to F) and of days a made rotation may have.
inline constexpr int MostPlatoonsMade = 6;
inline constexpr int MostDaysMade = 999;

// Makes a rotation from the days one platoon works, written as "on" and "off" separated by
// commas or blanks ("on, off, off"), for platoons A, B, C ... each starting the pattern as many
// days after the one before as the pattern's days divided by the platoons. Refused, with the
// reason, when a day would have no platoon or more than one.
MadeRotation MakeRotation(const QString& pattern, int platoons);

// The days the platoon works in the rotation, as MakeRotation reads them.
QString OnOffPattern(const QString& rotation, QChar platoon);

} // namespace kestro
