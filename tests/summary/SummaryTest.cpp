// A year's counts per platoon against a plain day-by-day count made with QDate, and the command
// line's options.
#include "summary/SummaryArguments.h"
#include "summary/YearSummary.h"

#include <QDate>

#include <gtest/gtest.h>

#include <map>

namespace kestro {
namespace {

struct Count {
    int days = 0, saturdays = 0, sundays = 0, holidays = 0;
};

// The platoon of a date counted with Julian day numbers, as a person counts on a wall calendar.
QChar LetterOn(const QDate& date, const QDate& start, const QString& rotation) {
    if (date < start)
        return {};
    const QChar letter = rotation[int(start.daysTo(date) % rotation.size())];
    return QStringLiteral("ABCDEF").contains(letter) ? letter : QChar();
}

TEST(YearSummary, CountsEachPlatoonsDaysWeekendsAndHolidaysLikeADayByDayCount) {
    const struct {
        const char* rotation;
        QDate start;
        int year;
    } cases[] = {
        {"ACABABABCBCACACABABCBCBC", {2024, 3, 1}, 2024}, // leap year, starts in March
        {"ACABABABCBCACACABABCBCBC", {2024, 3, 1}, 2026},
        {"ABCD", {1999, 12, 30}, 2000},
        {"AXBXCX", {2025, 1, 1}, 2027}, // X is a day off for everyone
        {"AB", {2031, 1, 1}, 2030},     // the year lies before the start
    };
    for (const auto& c : cases) {
        ScheduleSettings s;
        s.ShiftRotation = QString::fromLatin1(c.rotation);
        s.DaysInRotation = int(s.ShiftRotation.size());
        s.StartDay = DateToDayNumber(c.start.day(), c.start.month(), c.start.year(), 0);
        // Holidays on every 29th day of the year, one of them twice, and one in the next year.
        std::vector<Holiday> holidays;
        for (int d = 1; d <= 365; d += 29)
            holidays.push_back({DateToDayNumber(1, 1, c.year, 0) + d - 1, QStringLiteral("H")});
        holidays.push_back({holidays.front().day, QStringLiteral("Again")});
        holidays.push_back({DateToDayNumber(2, 1, c.year + 1, 0), QStringLiteral("Next year")});

        std::map<QChar, Count> expected;
        for (QDate date(c.year, 1, 1); date.year() == c.year; date = date.addDays(1)) {
            const QChar letter = LetterOn(date, c.start, s.ShiftRotation);
            if (letter.isNull())
                continue;
            Count& count = expected[letter];
            ++count.days;
            count.saturdays += date.dayOfWeek() == Qt::Saturday;
            count.sundays += date.dayOfWeek() == Qt::Sunday;
            count.holidays += date.dayOfYear() % 29 == 1;
        }

        const YearSummary summary = SummarizeYear(s, c.year, holidays);
        SCOPED_TRACE(std::string(c.rotation) + " " + std::to_string(c.year));
        std::map<QChar, Count> counted;
        for (const PlatoonYear& p : summary.platoons) {
            if (p.days > 0)
                counted[p.letter] = {p.days, p.saturdays, p.sundays, p.holidays};
        }
        ASSERT_EQ(counted.size(), expected.size());
        for (const auto& [letter, count] : expected) {
            EXPECT_EQ(counted[letter].days, count.days) << letter.toLatin1();
            EXPECT_EQ(counted[letter].saturdays, count.saturdays) << letter.toLatin1();
            EXPECT_EQ(counted[letter].sundays, count.sundays) << letter.toLatin1();
            EXPECT_EQ(counted[letter].holidays, count.holidays) << letter.toLatin1();
        }
        // Every holiday of the year is listed with its platoon; the next year's is not.
        ASSERT_EQ(summary.holidays.size(), holidays.size() - 1);
        for (const HolidayShift& shift : summary.holidays) {
            const CalendarDate d = DayNumberToDate(shift.holiday.day);
            EXPECT_EQ(shift.letter,
                      LetterOn(QDate(d.year, d.month, d.day), c.start, s.ShiftRotation));
        }
    }
}

TEST(SummaryArguments, ReadsTheYearTheHolidaysAndTheDate) {
    const SummaryCommandLine summary =
        ReadSummaryCommandLine({QStringLiteral("--summary"), QStringLiteral("2026"),
                                QStringLiteral("--holidays=h.ics"), QStringLiteral("-iDunmarek")});
    EXPECT_EQ(summary.error.toStdString(), "");
    EXPECT_EQ(summary.year, 2026);
    EXPECT_EQ(summary.holidayFile, QStringLiteral("h.ics"));
    EXPECT_EQ(summary.settingsArguments, QStringList{QStringLiteral("-iDunmarek")});

    const struct {
        QStringList arguments;
        const char* error;
    } refused[] = {
        {{QStringLiteral("--summary"), QStringLiteral("2026-2027")},
         "--summary: \"2026-2027\" is not a year such as 2025."},
        {{QStringLiteral("--summary"), QStringLiteral("1500")},
         "--summary 1500: A calendar can show the years 1600 to 3999."},
        {{QStringLiteral("--holidays"), QStringLiteral("h.ics")},
         "--holidays can only be used with --summary YEAR or --export-pdf OUT.pdf."},
    };
    for (const auto& c : refused)
        EXPECT_EQ(ReadSummaryCommandLine(c.arguments).error.toStdString(), c.error);

    const ShortDateFormat us = DefaultShortDateFormat();
    const struct {
        const char* date;
        DayNumber day;
    } dates[] = {{"2026-12-25", DateToDayNumber(25, 12, 2026, 0)},
                 {"12/25/2026", DateToDayNumber(25, 12, 2026, 0)},
                 {"2026-02-30", InvalidDay},
                 {"tomorrow", InvalidDay}};
    for (const auto& c : dates) {
        const WhoCommandLine who =
            ReadWhoCommandLine({QStringLiteral("--who"), QString::fromLatin1(c.date)}, us, 2026);
        EXPECT_EQ(who.day, c.day) << c.date;
        EXPECT_EQ(who.error.isEmpty(), c.day != InvalidDay) << who.error.toStdString();
    }
}

} // namespace
} // namespace kestro
