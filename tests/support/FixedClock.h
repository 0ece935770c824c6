#pragma once

#include "calendar/Clock.h"

namespace kestro::test {

struct FixedClock final : Clock {
    CalendarDate today;
    explicit FixedClock(CalendarDate day) : today(day) {}
    CalendarDate Today() const override { return today; }
};

} // namespace kestro::test
