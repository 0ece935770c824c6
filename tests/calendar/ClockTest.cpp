#include "calendar/Clock.h"

#include "support/FixedClock.h"

#include <QDate>

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::FixedClock;

TEST(TodayDayNumber, ConvertsTheClocksDateWithoutEpoch) {
    EXPECT_EQ(TodayDayNumber(FixedClock({1, 1, 1975})), 136966);
    EXPECT_EQ(TodayDayNumber(FixedClock({31, 12, 3999})), 876581);
    EXPECT_EQ(TodayDayNumber(FixedClock({31, 12, 1599})), InvalidDay);
    EXPECT_EQ(TodayDayNumber(FixedClock({1, 1, 4000})), InvalidDay);
    EXPECT_EQ(TodayDayNumber(FixedClock({1, 1, 75})), InvalidDay);
    EXPECT_EQ(TodayDayNumber(FixedClock({})), InvalidDay);
}

TEST(SystemClock, GivesTheLocalCalendarDate) {
    const QDate before = QDate::currentDate();
    const CalendarDate today = SystemClock().Today();
    const QDate after = QDate::currentDate();
    const QDate got(today.year, today.month, today.day);
    EXPECT_TRUE(got == before || got == after)
        << today.day << "." << today.month << "." << today.year;
    EXPECT_NE(TodayDayNumber(SystemClock()), InvalidDay);
}

} // namespace
} // namespace kestro
