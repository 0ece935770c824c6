#include "rotation/Rotation.h"

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

} // namespace kestro
