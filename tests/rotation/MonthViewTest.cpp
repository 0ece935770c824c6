#include "rotation/MonthView.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace kestro {
namespace {

using test::Day;
using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

ScheduleSettings BaseSettings() {
    ScheduleSettings s = AbsentKeyDefaults();
    s.StartDay = Day(1, 1, 2000);
    return s;
}

MonthView ViewOn(DayNumber cursor) {
    return InitialMonthView(cursor);
}

// "d/m" for each cell of a row, separated by blanks.
QString RowText(const ScheduleSettings& s, const MonthView& view, int row) {
    QStringList cells;
    for (int column = 0; column < 7; ++column) {
        const CalendarDate date = CellToDate(s, view, column, row);
        cells << QStringLiteral("%1/%2").arg(date.day).arg(date.month);
    }
    return cells.join(QLatin1Char(' '));
}

TEST(CellToDate, LaysOutTheMonthsOfTheEdgeCases) {
    const struct {
        bool monday;
        CalendarDate cursor;
        int row;
        const char* expected;
    } cases[] = {
        {false, {15, 3, 2024}, 0, "25/2 26/2 27/2 28/2 29/2 1/3 2/3"},
        {false, {15, 3, 2024}, 5, "31/3 1/4 2/4 3/4 4/4 5/4 6/4"},
        {false, {1, 9, 2024}, 0, "1/9 2/9 3/9 4/9 5/9 6/9 7/9"},
        {false, {30, 9, 2024}, 4, "29/9 30/9 1/10 2/10 3/10 4/10 5/10"},
        {false, {9, 9, 2024}, 5, "6/10 7/10 8/10 9/10 10/10 11/10 12/10"},
        {false, {1, 2, 2015}, 0, "1/2 2/2 3/2 4/2 5/2 6/2 7/2"},
        {false, {28, 2, 2015}, 3, "22/2 23/2 24/2 25/2 26/2 27/2 28/2"},
        {false, {14, 2, 2015}, 4, "1/3 2/3 3/3 4/3 5/3 6/3 7/3"},
        {false, {14, 2, 2015}, 5, "8/3 9/3 10/3 11/3 12/3 13/3 14/3"},
        {false, {24, 12, 2024}, 4, "29/12 30/12 31/12 1/1 2/1 3/1 4/1"},
        {false, {24, 12, 2024}, 5, "5/1 6/1 7/1 8/1 9/1 10/1 11/1"},
        {false, {1, 1, 1700}, 0, "27/12 28/12 29/12 30/12 31/12 1/1 2/1"},
        {true, {15, 3, 2024}, 0, "26/2 27/2 28/2 29/2 1/3 2/3 3/3"},
        {true, {15, 3, 2024}, 5, "1/4 2/4 3/4 4/4 5/4 6/4 7/4"},
        {true, {1, 9, 2024}, 0, "26/8 27/8 28/8 29/8 30/8 31/8 1/9"},
        {true, {1, 2, 2015}, 0, "26/1 27/1 28/1 29/1 30/1 31/1 1/2"},
        {true, {10, 1, 2024}, 0, "1/1 2/1 3/1 4/1 5/1 6/1 7/1"},
        {true, {1, 1, 1700}, 0, "28/12 29/12 30/12 31/12 1/1 2/1 3/1"},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = BaseSettings();
        s.WeekStartsOnMonday = c.monday;
        const MonthView view = ViewOn(Day(c.cursor.day, c.cursor.month, c.cursor.year));
        EXPECT_EQ(RowText(s, view, c.row), QLatin1String(c.expected))
            << c.cursor.month << "/" << c.cursor.year << " row " << c.row << " monday " << c.monday;
    }
    // The year moves on with the month.
    const MonthView december = ViewOn(Day(24, 12, 2024));
    EXPECT_EQ(CellToDate(BaseSettings(), december, 6, 5), (CalendarDate{11, 1, 2025}));
    EXPECT_EQ(CellToDate(BaseSettings(), ViewOn(Day(1, 1, 1700)), 0, 0),
              (CalendarDate{27, 12, 1699}));
}

// Every month of the view's range, with the cursor on varying days: the 42 cells are
// consecutive days, column 0 is the first day of the week, the shown month is complete, and
// there are at most six days before it and at least five after it.
TEST(CellToDate, EveryMonthHoldsConsecutiveWeeksAroundTheShownMonth) {
    for (const bool monday : {false, true}) {
        ScheduleSettings s = BaseSettings();
        s.WeekStartsOnMonday = monday;
        for (int year = 1700; year <= 2999; ++year) {
            for (int month = 1; month <= 12; ++month) {
                const int length = MonthLength(month, year, 0);
                const MonthView view = ViewOn(Day(1 + (year * 12 + month) % length, month, year));
                const DayNumber firstCell = [&] {
                    const CalendarDate d = CellToDate(s, view, 0, 0);
                    return Day(d.day, d.month, d.year);
                }();
                ASSERT_EQ(WeekdayOf(firstCell), monday ? 1 : 0) << month << "/" << year;
                const DayNumber first = Day(1, month, year);
                const int before = first - firstCell;
                const int after = 42 - before - length;
                ASSERT_LE(before, 6) << month << "/" << year;
                ASSERT_GE(after, 5) << month << "/" << year;
                for (int i = 0; i < 42; ++i) {
                    const CalendarDate d = CellToDate(s, view, i % 7, i / 7);
                    ASSERT_EQ(Day(d.day, d.month, d.year), firstCell + i)
                        << d.day << "/" << d.month << "/" << d.year;
                }
            }
        }
    }
}

TEST(CellToDate, CopesWithTheEdgesOfTheCalendar) {
    ScheduleSettings s = BaseSettings();
    s.StartDay = 0;
    // January 1600 begins on a Saturday: six days of December 1599, which has no day numbers.
    MonthView view = ViewOn(Day(10, 1, 1600));
    EXPECT_EQ(RowText(s, view, 0), QLatin1String("26/12 27/12 28/12 29/12 30/12 31/12 1/1"));
    EXPECT_EQ(CellToDate(s, view, 0, 0).year, 1599);
    EXPECT_EQ(CellColorsOf(s, view, 0, 0), (CellColors{s.BkGr, s.LdTr}));
    view = ViewOn(Day(31, 12, 3999));
    EXPECT_EQ(CellToDate(s, view, 6, 5), (CalendarDate{8, 1, 4000}));
    // No cursor day: no dates, nothing visible, no caption.
    view = ViewOn(InvalidDay);
    for (int i = 0; i < 42; ++i) {
        EXPECT_EQ(CellToDate(s, view, i % 7, i / 7), CalendarDate{});
        EXPECT_EQ(CellColorsOf(s, view, i % 7, i / 7), (CellColors{s.BkGr, s.BkGr, true}));
    }
    EXPECT_EQ(MonthHeaderCaption(s, view, DefaultShortDateFormat()), QString());
}

// The cell of a date in the view, which the test expects to be there.
std::pair<int, int> CellOf(const ScheduleSettings& s, const MonthView& view, CalendarDate date) {
    for (int i = 0; i < 42; ++i) {
        if (CellToDate(s, view, i % 7, i / 7) == date)
            return {i % 7, i / 7};
    }
    ADD_FAILURE() << "no cell for " << date.day << "/" << date.month;
    return {0, 0};
}

TEST(CellColorsOf, FollowsTheColorTableInItsOrder) {
    constexpr ColorValue Bk = 0x111111, Ld = 0x222222;
    const struct {
        const char* what;
        CalendarDate cursor;
        CalendarDate cell;
        bool hilite;
        bool showLeading;
        const char* rotation;
        CellColors expected;
    } cases[] = {
        // Start 5 March 2024: 5 A, 6 B, 7 C, 8 A ...; 12 March is B.
        {"cursor with a pair", {12, 3, 2024}, {12, 3, 2024}, true, true, "ABC", {0xB0, 0xB1}},
        {"cursor not highlighted", {12, 3, 2024}, {12, 3, 2024}, false, true, "ABC", {Bk, 0xB0}},
        {"cursor before start", {3, 3, 2024}, {3, 3, 2024}, true, true, "ABC", {Ld, Bk}},
        {"cursor without a pair", {12, 3, 2024}, {12, 3, 2024}, true, true, "AHa", {Ld, Bk}},
        {"cursor lower case", {13, 3, 2024}, {13, 3, 2024}, true, true, "AHa", {Ld, Bk}},
        {"shown month with pair", {12, 3, 2024}, {7, 3, 2024}, true, true, "ABC", {Bk, 0xC0}},
        {"shown month before start", {12, 3, 2024}, {4, 3, 2024}, true, true, "ABC", {Bk, Ld}},
        {"shown month letter H", {20, 3, 2024}, {12, 3, 2024}, true, true, "AHa", {Bk, Ld}},
        {"shown month lower case", {20, 3, 2024}, {13, 3, 2024}, true, true, "AHa", {Bk, Ld}},
        {"previous month, leading", {12, 3, 2024}, {29, 2, 2024}, true, true, "ABC", {Bk, Ld}},
        {"next month, leading", {12, 3, 2024}, {1, 4, 2024}, true, true, "ABC", {Bk, Ld}},
        {"no leading", {12, 3, 2024}, {1, 4, 2024}, true, false, "ABC", {Bk, Bk}},
        {"leading, cursor on start", {5, 3, 2024}, {1, 4, 2024}, true, true, "ABC", {Bk, Bk}},
        {"leading, cursor before", {4, 3, 2024}, {29, 2, 2024}, true, true, "ABC", {Bk, Bk}},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = BaseSettings();
        s.BkGr = Bk;
        s.LdTr = Ld;
        s.PlatoonColors[u'A'] = {0xA0, 0xA1};
        s.PlatoonColors[u'B'] = {0xB0, 0xB1};
        s.PlatoonColors[u'C'] = {0xC0, 0xC1};
        // The file set LdTr and B's color; the rest are defaults.
        s.UserSet.LdTr = true;
        s.UserSet.PlatoonNormal[1] = true;
        s.HiliteCurrent = c.hilite;
        s.ShowLeading = c.showLeading;
        s.ShiftRotation = QLatin1String(c.rotation);
        s.DaysInRotation = 3;
        s.StartDay = Day(5, 3, 2024);
        const MonthView view = ViewOn(Day(c.cursor.day, c.cursor.month, c.cursor.year));
        const auto [column, row] = CellOf(s, view, c.cell);
        const CellColors got = CellColorsOf(s, view, column, row);
        EXPECT_EQ(got.fill, c.expected.fill) << c.what;
        EXPECT_EQ(got.text, c.expected.text) << c.what;
        // The user set LdTr and B's color; a hidden day's text is its fill.
        const ColorValue text = c.expected.text;
        EXPECT_EQ(got.textUserSet, text == Ld || text == 0xB0 || text == Bk) << c.what;
    }
}

TEST(DayAccessibleName, SaysWeekdayDateAndPlatoon) {
    const struct {
        CalendarDate date;
        char16_t letter;
        const char* expected;
    } cases[] = {
        {{10, 12, 2026}, u'A', "Thursday, 10 December 2026, platoon A"},
        {{1, 1, 2000}, u'6', "Saturday, 1 January 2000, platoon 6"},
        {{29, 2, 2024}, u'R', "Thursday, 29 February 2024, platoon R"},
        {{31, 3, 3999}, u'F', "Wednesday, 31 March 3999, platoon F"},
        // Letters that name no platoon, and no letter before the start.
        {{15, 3, 2024}, u'a', "Friday, 15 March 2024"},
        {{15, 3, 2024}, u'H', "Friday, 15 March 2024"},
        {{15, 3, 2024}, u' ', "Friday, 15 March 2024"},
        {{}, u'A', ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DayAccessibleName(c.date, QChar(c.letter)), QString::fromUtf8(c.expected))
            << c.expected;
}

TEST(CellAccessibleName, NamesTheCellsDayWithTheRotationsPlatoon) {
    ScheduleSettings s = BaseSettings();
    s.ShiftRotation = QStringLiteral("ABC");
    s.DaysInRotation = 3;
    s.StartDay = Day(5, 3, 2024);
    const MonthView view = ViewOn(Day(12, 3, 2024));
    const auto [column, row] = CellOf(s, view, {12, 3, 2024});
    EXPECT_EQ(CellAccessibleName(s, view, column, row),
              QLatin1String("Tuesday, 12 March 2024, platoon B"));
    const auto [before, beforeRow] = CellOf(s, view, {4, 3, 2024});
    EXPECT_EQ(CellAccessibleName(s, view, before, beforeRow),
              QLatin1String("Monday, 4 March 2024"));
}

TEST(CellText, PadsOneDigitDaysWithOneBlank) {
    const struct {
        int day;
        const char* text;
    } cases[] = {{1, " 1"}, {7, " 7"}, {9, " 9"}, {10, "10"}, {17, "17"}, {31, "31"}, {0, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CellText({c.day, 3, 2024}), QLatin1String(c.text)) << c.day;
}

TEST(CellTextOrigin, CentresOnTheGridsCellSizeNotTheRectangle) {
    const QSize cell = GridCellSize({242, 155});
    EXPECT_EQ(cell, QSize(33, 24));
    // Rounding of each half separately: 16 - 7 and 12 - 7, 16 - 8 and 12 - 6.
    EXPECT_EQ(CellTextOrigin({10, 20, 33, 24}, 33, 24, {15, 15}), QPoint(19, 25));
    EXPECT_EQ(CellTextOrigin({10, 20, 33, 24}, 33, 24, {16, 12}), QPoint(18, 26));
    EXPECT_EQ(CellTextOrigin({10, 20, 80, 50}, 33, 24, {15, 15}), QPoint(19, 25));
}

TEST(MonthHeader, CaptionFollowsFullMonthNameAndShowYear) {
    const struct {
        bool full;
        bool year;
        const char* expected;
    } cases[] = {{true, true, "March 2024"},
                 {false, true, "Mar 2024"},
                 {true, false, "March"},
                 {false, false, "Mar"}};
    const MonthView view = ViewOn(Day(31, 3, 2024));
    for (const auto& c : cases) {
        ScheduleSettings s = BaseSettings();
        s.FullMonthName = c.full;
        s.ShowYear = c.year;
        EXPECT_EQ(MonthHeaderCaption(s, view, DefaultShortDateFormat()), QLatin1String(c.expected));
    }
    ShortDateFormat german = ShortDateFormatFromPattern(QStringLiteral("dd.MM.yyyy"));
    german.longMonthNames[2] = QStringLiteral("M\u00e4rz");
    ScheduleSettings s = BaseSettings();
    EXPECT_EQ(MonthHeaderCaption(s, ViewOn(Day(1, 3, 1999)), german),
              QStringLiteral("M\u00e4rz 1999"));
    EXPECT_EQ(MonthHeaderCaption(s, ViewOn(Day(1, 1, 3000)), DefaultShortDateFormat()),
              QLatin1String("January 3000"));
}

TEST(MonthHeader, FontsComeFromTheSettingsAtTwelvePoints) {
    ScheduleSettings s = BaseSettings();
    s.HdrFontName = QStringLiteral("Times");
    s.HdrFontStyle = QStringLiteral("italic bold");
    s.HdrFontColor = QStringLiteral("red");
    s.HdrFontSize = 30;
    s.CalFontName = QStringLiteral("Courier");
    s.CalFontStyle = QStringLiteral("Italic");
    s.CalFontSize = 8;
    EXPECT_EQ(HeaderFont(s), (FontDescription{QStringLiteral("Times"), {true, true}, 12}));
    EXPECT_EQ(HeaderFontColor(s), ColorValue{0x0000FF});
    EXPECT_EQ(CellFont(s), (FontDescription{QStringLiteral("Courier"), {false, true}, 12}));
}

TEST(ClampDay, KeepsTheCursorBetween1700And3000) {
    const MonthView view = InitialMonthView(Day(1, 6, 2024));
    EXPECT_EQ(view.LowestDay, 36525);
    EXPECT_EQ(view.HighestDay, 511340);
    const struct {
        DayNumber day;
        DayNumber expected;
    } cases[] = {{36524, 36525},   {36525, 36525},   {36526, 36526},
                 {511339, 511339}, {511340, 511340}, {511341, 511340},
                 {876581, 511340}, {0, 36525},       {InvalidDay, 36525}};
    for (const auto& c : cases) {
        DayNumber day = c.day;
        ClampDay(view, day);
        EXPECT_EQ(day, c.expected) << c.day;
    }
}

} // namespace
} // namespace kestro
