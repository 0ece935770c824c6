#include "rotation/Rotation.h"

#include "settings/LetterSet.h"

#include <cstdint>

namespace kestro {

QChar RotationLetter(DayNumber day, DayNumber startDay, int daysInRotation,
                     const QString& rotation) {
    const QChar none(u'Z');
    if (day < startDay || daysInRotation < 1)
        return none;
    const std::int64_t position = (std::int64_t(day) - startDay) % daysInRotation;
    if (position >= rotation.size())
        return none;
    return rotation[qsizetype(position)];
}

QChar PlatoonLetter(DayNumber day, DayNumber startDay, int daysInRotation,
                    const QString& rotation) {
    const QChar letter = RotationLetter(day, startDay, daysInRotation, rotation);
    return PlatoonIndex(letter) >= 0 ? letter : QChar();
}

} // namespace kestro
