#pragma once

#include <QString>

#include <optional>

namespace kestro {

// The texts of the four schedule fields of the main window, as they stand.
struct ScheduleFieldTexts {
    QString numberOfPlatoons;
    QString daysInRotation;
    QString rotation;
    QString startDate;
};

// A number typed into a field: decimal digits with an optional sign, within signed 32 bits.
// Anything else, an empty text or blanks included, is not a number.
std::optional<int> ReadFieldInteger(const QString& text);

// What the user is told about a field text that ReadFieldInteger does not take:
// "'<text>' is not a valid integer value".
QString NotAnIntegerText(const QString& text);

} // namespace kestro
