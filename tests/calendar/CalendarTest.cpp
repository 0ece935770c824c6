#include "calendar/Calendar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <ostream>

namespace kestro {

void PrintTo(const CalendarDate& date, std::ostream* os) {
    *os << date.day << '.' << date.month << '.' << date.year;
}

namespace {

namespace chr = std::chrono;

constexpr DayNumber LastDay = 876581;

// Independent oracle: the standard library's proleptic Gregorian calendar.
const int OracleOffset = chr::sys_days{chr::year{1600} / 1 / 1}.time_since_epoch().count();

chr::year_month_day OracleDate(DayNumber n) {
    return chr::year_month_day{chr::sys_days{chr::days{n + OracleOffset}}};
}

DayNumber OracleNumber(chr::year_month_day ymd) {
    return chr::sys_days{ymd}.time_since_epoch().count() - OracleOffset;
}

bool OracleInRange(chr::year y) {
    return y >= chr::year{1600} && y <= chr::year{3999};
}

// The spill-over move: day of month above 28 carried as days after the move.
DayNumber OracleAdvance(chr::year_month_day ymd, chr::months months, chr::years years) {
    const chr::year_month target = chr::year_month{ymd.year(), ymd.month()} + months + years;
    if (!OracleInRange(target.year())) {
        return InvalidDay;
    }
    const unsigned day = static_cast<unsigned>(ymd.day());
    const unsigned extra = day > 28 ? day - 28 : 0;
    return OracleNumber(target / chr::day{std::min(day, 28u)}) + static_cast<int>(extra);
}

DayNumber OracleAdvanceClipped(chr::year_month_day ymd, chr::months months, chr::years years) {
    const chr::year_month target = chr::year_month{ymd.year(), ymd.month()} + months + years;
    if (!OracleInRange(target.year())) {
        return InvalidDay;
    }
    const auto last = chr::year_month_day_last{target.year(), chr::month_day_last{target.month()}};
    return OracleNumber(target / std::min(ymd.day(), last.day()));
}

DayNumber OracleAdvance(DayNumber n, chr::months months, chr::years years) {
    return OracleAdvance(OracleDate(n), months, years);
}

DayNumber OracleAdvanceClipped(DayNumber n, chr::months months, chr::years years) {
    return OracleAdvanceClipped(OracleDate(n), months, years);
}

struct Conversion {
    int day, month, year;
    DayNumber number;
    int weekday;
};

class ConversionTable : public testing::TestWithParam<Conversion> {};

TEST_P(ConversionTable, DateToNumberToDateAndWeekday) {
    const Conversion& c = GetParam();
    EXPECT_EQ(DateToDayNumber(c.day, c.month, c.year, 0), c.number);
    EXPECT_EQ(DayNumberToDate(c.number), (CalendarDate{c.day, c.month, c.year}));
    EXPECT_EQ(WeekdayOf(c.number), c.weekday);
    EXPECT_TRUE(DateIsValid(c.day, c.month, c.year, 0));
}

INSTANTIATE_TEST_SUITE_P(
    KnownDays, ConversionTable,
    testing::Values(Conversion{1, 1, 1600, 0, 6}, Conversion{31, 1, 1600, 30, 1},
                    Conversion{1, 2, 1600, 31, 2}, Conversion{29, 2, 1600, 59, 2},
                    Conversion{1, 3, 1600, 60, 3}, Conversion{31, 12, 1600, 365, 0},
                    Conversion{1, 1, 1601, 366, 1}, Conversion{1, 1, 1700, 36525, 5},
                    Conversion{1, 1, 1900, 109573, 1}, Conversion{1, 1, 1975, 136966, 3},
                    Conversion{1, 1, 2000, 146097, 6}, Conversion{29, 2, 2000, 146156, 2},
                    Conversion{1, 3, 2000, 146157, 3}, Conversion{1, 1, 3000, 511340, 3},
                    Conversion{31, 12, 3999, 876581, 5}));

struct Move {
    CalendarDate start;
    bool clipped;
    int days, months, years;
    DayNumber expected; // used when expectedDate is empty
    CalendarDate expectedDate;
};

DayNumber Num(int d, int m, int y) {
    return DateToDayNumber(d, m, y, 0);
}

class MoveTable : public testing::TestWithParam<Move> {};

TEST_P(MoveTable, Moves) {
    const Move& mv = GetParam();
    const DayNumber start = Num(mv.start.day, mv.start.month, mv.start.year);
    ASSERT_NE(start, InvalidDay);
    const DayNumber result = mv.clipped ? AdvanceDateClipped(start, mv.months, mv.years)
                                        : AdvanceDate(start, mv.days, mv.months, mv.years);
    const DayNumber expected =
        mv.expectedDate.day == 0
            ? mv.expected
            : Num(mv.expectedDate.day, mv.expectedDate.month, mv.expectedDate.year);
    EXPECT_EQ(result, expected);
}

INSTANTIATE_TEST_SUITE_P(
    KnownMoves, MoveTable,
    testing::Values(Move{{31, 1, 2001}, false, 0, 1, 0, 0, {3, 3, 2001}},
                    Move{{31, 1, 2000}, false, 0, 1, 0, 0, {2, 3, 2000}},
                    Move{{30, 1, 2000}, false, 0, 1, 0, 0, {1, 3, 2000}},
                    Move{{31, 3, 2001}, false, 0, -1, 0, 0, {3, 3, 2001}},
                    Move{{29, 2, 2000}, false, 0, 0, 1, 0, {1, 3, 2001}},
                    Move{{15, 1, 2024}, false, 0, -13, 0, 0, {15, 12, 2022}},
                    Move{{15, 6, 2010}, false, -24, 0, 0, 0, {22, 5, 2010}},
                    Move{{1, 1, 1600}, false, -5, 0, 0, -5, {}},
                    Move{{31, 12, 3999}, false, 10, 0, 0, LastDay + 10, {}},
                    Move{{31, 1, 2001}, true, 0, 1, 0, 0, {28, 2, 2001}},
                    Move{{31, 1, 2000}, true, 0, 1, 0, 0, {29, 2, 2000}},
                    Move{{29, 2, 2000}, true, 0, 0, 1, 0, {28, 2, 2001}},
                    Move{{31, 3, 2001}, true, 0, -1, 0, 0, {28, 2, 2001}},
                    Move{{31, 10, 2024}, true, 0, -1, 0, 0, {30, 9, 2024}},
                    Move{{31, 12, 2024}, true, 0, 1, 0, 0, {31, 1, 2025}},
                    Move{{15, 1, 1700}, true, 0, 0, -10, 0, {15, 1, 1690}},
                    Move{{31, 12, 3999}, true, 0, 1, 0, InvalidDay, {}},
                    Move{{1, 1, 1600}, true, 0, -1, 0, InvalidDay, {}},
                    Move{{1, 1, 1600}, false, 0, 0, -1, InvalidDay, {}},
                    Move{{15, 7, 2000}, false, 0, -12 * 400, 0, 0, {15, 7, 1600}},
                    Move{{15, 7, 2000}, true, 0, 12 * 1999, 0, 0, {15, 7, 3999}}));

TEST(YearIsLeap, GregorianWithThe4000Rule) {
    for (int year : {1600, 2000, 2400, 1996, 2024, 3996, 8000 + 4})
        EXPECT_TRUE(YearIsLeap(year)) << year;
    for (int year : {1700, 1800, 1900, 2100, 2023, 4000, 8000, 12000, 1601})
        EXPECT_FALSE(YearIsLeap(year)) << year;
}

TEST(ExpandTwoDigitYear, PlacesYearsAfterTheEpoch) {
    struct Case {
        int year, epoch, expected;
    };
    for (const Case& c :
         {Case{0, 1975, 2000}, Case{74, 1975, 2074}, Case{75, 1975, 1975}, Case{99, 1975, 1999},
          Case{0, 2050, 2100}, Case{49, 2050, 2149}, Case{50, 2050, 2050}, Case{99, 2050, 2099},
          Case{75, 0, 75}, Case{100, 1975, 100}, Case{-1, 1975, -1}, Case{1999, 2050, 1999},
          Case{5, 2000, 2005}}) {
        EXPECT_EQ(ExpandTwoDigitYear(c.year, c.epoch), c.expected) << c.year << " " << c.epoch;
    }
}

TEST(ExpandTwoDigitYear, ExtremeEpochsDoNotOverflow) {
    EXPECT_GE(ExpandTwoDigitYear(99, INT_MAX), 2147483600);
    EXPECT_LT(ExpandTwoDigitYear(0, INT_MIN), 0);
    EXPECT_EQ(DateToDayNumber(1, 1, 10, INT_MAX), InvalidDay);
    EXPECT_EQ(MonthLength(1, 10, INT_MIN), 0);
}

TEST(MonthLength, OutsideTheRangeIsZero) {
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(MonthLength(month, 1599, 0), 0);
        EXPECT_EQ(MonthLength(month, 4000, 0), 0);
    }
    for (int month : {0, 13, -1, -12, INT_MIN, INT_MAX})
        EXPECT_EQ(MonthLength(month, 2000, 0), 0) << month;
    EXPECT_EQ(MonthLength(2, 0, 1975), 29); // year 0 resolves to 2000
    EXPECT_EQ(MonthLength(2, 0, 0), 0);
}

TEST(DateToDayNumber, InvalidDates) {
    struct Case {
        int day, month, year;
    };
    for (const Case& c :
         {Case{29, 2, 1700}, Case{29, 2, 1900}, Case{31, 12, 1599}, Case{1, 1, 4000},
          Case{0, 1, 2000}, Case{32, 1, 2000}, Case{31, 4, 2000}, Case{1, 0, 2000},
          Case{1, 13, 2000}, Case{-1, 1, 2000}, Case{1, -1, 2000}, Case{INT_MAX, 1, 2000},
          Case{1, 1, INT_MIN}, Case{INT_MIN, INT_MIN, INT_MIN}}) {
        EXPECT_FALSE(DateIsValid(c.day, c.month, c.year, 0));
        EXPECT_EQ(DateToDayNumber(c.day, c.month, c.year, 0), InvalidDay)
            << c.day << "." << c.month << "." << c.year;
    }
    EXPECT_EQ(DateToDayNumber(29, 2, 2000, 0), 146156);
}

TEST(DateToDayNumber, TwoDigitYearsUseTheEpoch) {
    EXPECT_EQ(DateToDayNumber(1, 1, 75, 1975), 136966);
    EXPECT_EQ(DateToDayNumber(1, 1, 75, 0), InvalidDay);
    EXPECT_EQ(DateToDayNumber(1, 1, 0, 1975), 146097);
    EXPECT_TRUE(DateIsValid(29, 2, 0, 1975));
    EXPECT_FALSE(DateIsValid(29, 2, 0, 0));
}

TEST(InvalidDay, GivesEmptyResults) {
    EXPECT_EQ(DayNumberToDate(InvalidDay), (CalendarDate{0, 0, 0}));
    EXPECT_EQ(WeekdayOf(InvalidDay), 7);
    EXPECT_EQ(AdvanceDate(InvalidDay, 1, 0, 0), InvalidDay);
    EXPECT_EQ(AdvanceDateClipped(InvalidDay, 1, 0), InvalidDay);
}

TEST(DayNumberToDate, ValuesOutsideTheRangeGiveNoDate) {
    for (DayNumber n : {-2, -5, LastDay + 1, INT_MAX, INT_MIN})
        EXPECT_EQ(DayNumberToDate(n), (CalendarDate{})) << n;
}

TEST(WeekdayOf, DaysBeforeThe1600sKeepTheCycle) {
    EXPECT_EQ(WeekdayOf(-5), 1);
    EXPECT_EQ(WeekdayOf(-7), 6);
    EXPECT_EQ(WeekdayOf(-8), 5);
    for (DayNumber n : {INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 6}) {
        EXPECT_GE(WeekdayOf(n), 0) << n;
        EXPECT_LE(WeekdayOf(n), 6) << n;
    }
    EXPECT_EQ(WeekdayOf(INT_MAX), (WeekdayOf(INT_MAX - 7)));
}

TEST(AdvanceDate, HugeCountsDoNotOverflow) {
    const DayNumber mid = Num(15, 6, 2000);
    EXPECT_EQ(AdvanceDate(mid, INT_MAX, 0, 0), InvalidDay);
    EXPECT_EQ(AdvanceDate(mid, INT_MIN, 0, 0), mid + INT_MIN);
    EXPECT_EQ(AdvanceDate(Num(31, 12, 3999), INT_MAX - LastDay, 0, 0), INT_MAX);
    EXPECT_EQ(AdvanceDate(Num(31, 12, 3999), INT_MAX - LastDay + 1, 0, 0), InvalidDay);
    EXPECT_EQ(AdvanceDate(Num(28, 12, 3999), INT_MAX - LastDay, 0, 0), INT_MAX - 3);
    for (int count : {INT_MAX, INT_MIN, INT_MAX - 11, INT_MIN + 11}) {
        EXPECT_EQ(AdvanceDate(mid, 0, count, 0), InvalidDay) << count;
        EXPECT_EQ(AdvanceDate(mid, 0, 0, count), InvalidDay) << count;
        EXPECT_EQ(AdvanceDate(mid, 0, count, count), InvalidDay) << count;
        EXPECT_EQ(AdvanceDateClipped(mid, count, count), InvalidDay) << count;
        EXPECT_EQ(AdvanceDateClipped(mid, 0, count), InvalidDay) << count;
    }
    // Years and months that cancel out stay exact.
    EXPECT_EQ(AdvanceDateClipped(mid, -12 * 100000, 100000), mid);
}

TEST(AdvanceDate, ValuesOutsideTheRangeAreInvalid) {
    EXPECT_EQ(AdvanceDate(-5, 5, 0, 0), InvalidDay);
    EXPECT_EQ(AdvanceDate(LastDay + 1, -1, 0, 0), InvalidDay);
    EXPECT_EQ(AdvanceDateClipped(INT_MIN, 0, 0), InvalidDay);
}

// Every day of the range against the standard library's calendar.
TEST(Sweep, EveryDayAgainstTheStandardCalendar) {
    int failures = 0;
    for (DayNumber n = 0; n <= LastDay && failures < 10; ++n) {
        const auto ymd = OracleDate(n);
        const int d = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const int m = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int y = static_cast<int>(ymd.year());
        const CalendarDate expected{d, m, y};
        const int weekday = static_cast<int>(chr::weekday{chr::sys_days{ymd}}.c_encoding());
        const auto lastDay = chr::year_month_day_last{ymd.year(), chr::month_day_last{ymd.month()}};
        const int length = static_cast<int>(static_cast<unsigned>(lastDay.day()));

        bool ok = DayNumberToDate(n) == expected;
        ok &= DateToDayNumber(d, m, y, 0) == n;
        ok &= WeekdayOf(n) == weekday;
        ok &= MonthLength(m, y, 0) == length;
        ok &= DateIsValid(d, m, y, 0) && !DateIsValid(length + 1, m, y, 0);
        ok &= YearIsLeap(y) == ymd.year().is_leap();
        for (int k : {1, -1}) {
            ok &= AdvanceDate(n, 0, k, 0) == OracleAdvance(ymd, chr::months{k}, chr::years{0});
            ok &= AdvanceDate(n, 0, 0, k) == OracleAdvance(ymd, chr::months{0}, chr::years{k});
            ok &= AdvanceDateClipped(n, k, 0) ==
                  OracleAdvanceClipped(ymd, chr::months{k}, chr::years{0});
            ok &= AdvanceDateClipped(n, 0, k) ==
                  OracleAdvanceClipped(ymd, chr::months{0}, chr::years{k});
        }
        ok &= AdvanceDate(n, 7, 0, 0) == n + 7;
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "day number " << n << " (" << d << "." << m << "." << y << ")";
        }
    }
    EXPECT_EQ(failures, 0);
}

TEST(Sweep, MovesByManyMonthsAgainstTheStandardCalendar) {
    // A coarser sweep with larger and mixed moves.
    for (DayNumber n = 0; n <= LastDay; n += 97) {
        for (int months : {-25, -13, 11, 12, 37}) {
            for (int years : {-3, 0, 400}) {
                ASSERT_EQ(AdvanceDate(n, 0, months, years),
                          OracleAdvance(n, chr::months{months}, chr::years{years}))
                    << n << " " << months << " " << years;
                ASSERT_EQ(AdvanceDateClipped(n, months, years),
                          OracleAdvanceClipped(n, chr::months{months}, chr::years{years}))
                    << n << " " << months << " " << years;
            }
        }
    }
}

} // namespace
} // namespace kestro
