#include "calendar/Calendar.h"

#include <cstdint>
#include <limits>

namespace kestro {

namespace {

constexpr int FirstYear = 1600;
constexpr int LastYear = 3999;
constexpr DayNumber LastDay = 876581;

constexpr int DaysIn400Years = 146097;
constexpr int DaysIn4Years = 1461;
constexpr int DaysInMarchToJuly = 153;
constexpr int DaysOfJanFeb1600 = 59;

bool FitsInt(std::int64_t v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

// Steps 1 to 4 shared by both moves: the day of month beyond 28 is kept aside as `extra` and the
// date with day 28 at most is moved by whole months and years.
struct MovedMonth {
    DayNumber r = InvalidDay;
    int day = 0;   // day of month used for the move (28 at most)
    int extra = 0; // days beyond the 28th in the original date
    int month = 0;
    int year = 0;
};

MovedMonth MoveByMonths(DayNumber n, int months, int years) {
    MovedMonth moved;
    const CalendarDate date = DayNumberToDate(n);
    if (date.day == 0) {
        return moved;
    }
    int d = date.day;
    int extra = d - 28;
    if (extra < 0) {
        extra = 0;
    } else {
        d = 28;
    }
    // 64 bits so that any pair of int counts stays exact; out-of-range years fail below.
    std::int64_t y = std::int64_t{date.year} + years + months / 12;
    int m = date.month + months % 12;
    if (m < 1) {
        m += 12;
        --y;
    } else if (m > 12) {
        m -= 12;
        ++y;
    }
    if (y < FirstYear || y > LastYear) {
        return moved;
    }
    moved.day = d;
    moved.extra = extra;
    moved.month = m;
    moved.year = static_cast<int>(y);
    moved.r = DateToDayNumber(d, m, moved.year, 0);
    return moved;
}

} // namespace

bool YearIsLeap(int year) {
    return year % 4 == 0 && year % 4000 != 0 && (year % 100 != 0 || year % 400 == 0);
}

int ExpandTwoDigitYear(int year, int epoch) {
    if (year < 0 || year > 99) {
        return year;
    }
    const int pivot = epoch % 100;
    const std::int64_t century = std::int64_t{epoch / 100} * 100;
    std::int64_t full = year + century;
    if (year < pivot) {
        full += 100;
    }
    // Only an epoch near the top of the int range gets here; such a year is out of range anyway.
    if (full > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(full);
}

int MonthLength(int month, int year, int epoch) {
    const int y = ExpandTwoDigitYear(year, epoch);
    if (y < FirstYear || y > LastYear || month < 1 || month > 12) {
        return 0;
    }
    switch (month) {
    case 2:
        return YearIsLeap(y) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

bool DateIsValid(int day, int month, int year, int epoch) {
    const int y = ExpandTwoDigitYear(year, epoch);
    return day >= 1 && y >= FirstYear && y <= LastYear && month >= 1 && month <= 12 &&
           day <= MonthLength(month, y, epoch);
}

DayNumber DateToDayNumber(int day, int month, int year, int epoch) {
    const int fullYear = ExpandTwoDigitYear(year, epoch);
    if (!DateIsValid(day, month, fullYear, epoch)) {
        return InvalidDay;
    }
    if (fullYear == FirstYear && month == 1) {
        return day - 1;
    }
    if (fullYear == FirstYear && month == 2) {
        return day + 30;
    }
    int m = 0;
    int y = 0;
    if (month > 2) {
        m = month - 3;
        y = fullYear;
    } else {
        m = month + 9;
        y = fullYear - 1;
    }
    y -= FirstYear;
    return ((y / 100) * DaysIn400Years) / 4 + ((y % 100) * DaysIn4Years) / 4 +
           (DaysInMarchToJuly * m + 2) / 5 + day + DaysOfJanFeb1600;
}

CalendarDate DayNumberToDate(DayNumber n) {
    if (n < 0 || n > LastDay) {
        return {};
    }
    if (n <= DaysOfJanFeb1600) {
        if (n <= 30) {
            return {n + 1, 1, FirstYear};
        }
        return {n - 30, 2, FirstYear};
    }
    const int t = 4 * (n - DaysOfJanFeb1600) - 1;
    const int u = 4 * ((t % DaysIn400Years) / 4) + 3;
    int year = 100 * (t / DaysIn400Years) + u / DaysIn4Years;
    const int v = (((u % DaysIn4Years) + 4) / 4) * 5 - 3;
    const int day = ((v % DaysInMarchToJuly) + 5) / 5;
    int month = v / DaysInMarchToJuly;
    if (month < 10) {
        month += 3;
    } else {
        month -= 9;
        ++year;
    }
    return {day, month, year + FirstYear};
}

DayNumber AdvanceDate(DayNumber n, int days, int months, int years) {
    const MovedMonth moved = MoveByMonths(n, months, years);
    if (moved.r == InvalidDay) {
        return InvalidDay;
    }
    // Deliberately no range test: callers move by days and check the result themselves.
    const std::int64_t result = std::int64_t{moved.r} + days + moved.extra;
    if (!FitsInt(result)) {
        return InvalidDay;
    }
    return static_cast<DayNumber>(result);
}

DayNumber AdvanceDateClipped(DayNumber n, int months, int years) {
    const MovedMonth moved = MoveByMonths(n, months, years);
    if (moved.r == InvalidDay) {
        return InvalidDay;
    }
    const int length = MonthLength(moved.month, moved.year, 0);
    if (length < moved.day + moved.extra) {
        return moved.r + (length - moved.day);
    }
    return moved.r + moved.extra;
}

int WeekdayOf(DayNumber n) {
    if (n == InvalidDay) {
        return 7;
    }
    // Floored so that days before 1600 (reachable through unchecked moves) keep the weekly cycle.
    const std::int64_t w = (std::int64_t{n} + 6) % 7;
    return static_cast<int>(w < 0 ? w + 7 : w);
}

} // namespace kestro
