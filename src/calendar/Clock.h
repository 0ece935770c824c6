#pragma once

#include "calendar/Calendar.h"

namespace kestro {

// Where "today" comes from; tests set it, the program reads the local calendar date.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDate Today() const = 0;
};

class SystemClock final : public Clock {
public:
    CalendarDate Today() const override;
};

// Today's DayNumber (epoch 0); InvalidDay when the clock lies outside 1600 to 3999.
DayNumber TodayDayNumber(const Clock& clock);

} // namespace kestro
