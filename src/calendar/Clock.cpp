#include "calendar/Clock.h"

#include <ctime>

namespace kestro {

CalendarDate SystemClock::Today() const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {local.tm_mday, local.tm_mon + 1, local.tm_year + 1900};
}

DayNumber TodayDayNumber(const Clock& clock) {
    const CalendarDate today = clock.Today();
    return DateToDayNumber(today.day, today.month, today.year, 0);
}

} // namespace kestro
