#pragma once

#include "calendar/Clock.h"

namespace kestro::test {

// A clock that stands still on one day.
class FixedClock final : public Clock {
public:
    explicit FixedClock(CalendarDate today) : today_(today) {}
    CalendarDate Today() const override { return today_; }

private:
    CalendarDate today_;
};

} // namespace kestro::test
