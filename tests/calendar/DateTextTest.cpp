#include "calendar/DateText.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace kestro {

void PrintTo(const CalendarDate& date, std::ostream* os);

namespace {

using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

constexpr int ThisYear = 2024;
constexpr DayNumber LastDay = 876581;

const QString Mdy = QStringLiteral("M/d/yyyy");
const QString Dmy = QStringLiteral("dd.MM.yyyy");
const QString Ymd = QStringLiteral("yyyy-MM-dd");
const QString DmyShort = QStringLiteral("d/M/yy");
const QString Ydm = QStringLiteral("yyyy.dd.MM"); // Chechen

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

using Date = std::optional<CalendarDate>;
constexpr std::nullopt_t Fails = std::nullopt;

Date D(int day, int month, int year) {
    return CalendarDate{day, month, year};
}

// --- Formats from patterns ---

struct PatternCase {
    const char* pattern;
    DateOrder order;
    char separator;
    const char* writePattern;
};

class PatternTable : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternTable, BuildsTheFormat) {
    const PatternCase& c = GetParam();
    const ShortDateFormat format = ShortDateFormatFromPattern(Q(c.pattern));
    EXPECT_EQ(format.order, c.order);
    EXPECT_EQ(format.separator, QLatin1Char(c.separator));
    EXPECT_EQ(format.pattern, Q(c.writePattern));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternTable,
    testing::Values(PatternCase{"M/d/yyyy", DateOrder::MonthDayYear, '/', "M/d/yyyy"},
                    PatternCase{"dd.MM.yyyy", DateOrder::DayMonthYear, '.', "dd.MM.yyyy"},
                    PatternCase{"yyyy-MM-dd", DateOrder::YearMonthDay, '-', "yyyy-MM-dd"},
                    PatternCase{"d/M/yy", DateOrder::DayMonthYear, '/', "d/M/yyyy"},
                    PatternCase{"MM/dd/yy", DateOrder::MonthDayYear, '/', "MM/dd/yyyy"},
                    PatternCase{"dd.mm.YYYY", DateOrder::DayMonthYear, '.', "dd.MM.yyyy"},
                    PatternCase{"y-M-d", DateOrder::YearMonthDay, '-', "yyyy-M-d"},
                    PatternCase{"yyyy.dd.MM", DateOrder::YearDayMonth, '.', "yyyy.dd.MM"}));

TEST(ShortDateFormatFromPattern, NonLatinSeparator) {
    const ShortDateFormat format = ShortDateFormatFromPattern(Q("d\xc2\xb7M\xc2\xb7yyyy"));
    EXPECT_EQ(format.separator, QChar(0x00B7));
    EXPECT_EQ(format.order, DateOrder::DayMonthYear);
    EXPECT_EQ(FormatDate(format, {5, 3, 2024}), Q("5\xc2\xb7"
                                                  "3\xc2\xb7"
                                                  "2024"));
    EXPECT_EQ(ReadDateText(Q("5\xc2\xb7"
                             "3"),
                           format, ThisYear, TwoDigitYears::CurrentCentury),
              D(5, 3, 2024));
}

TEST(NumericShortDateFormat, RefusesWhatIsNoPatternOfThreeNumbers) {
    for (const char* pattern : {"", "d M yyyy", "d/M-yyyy", "d//M/yyyy", "M/yyyy/d", "dd/yyyy/MM",
                                "d/d/yyyy", "ddd/MM/yyyy", "d/M/yyy", "d/MMMM/yyyy", "d/M",
                                "d/M/yyyy/", "/d/M/yyyy", "d MMM yyyy", "%x",
                                "yyyy\xe5\xb9\xb4MM\xe6\x9c\x88"
                                "dd\xe6\x97\xa5",
                                "d1M1yyyy", "dxMxyyyy", "d.M.yyyy h:mm"}) {
        EXPECT_FALSE(NumericShortDateFormat(Q(pattern)).has_value()) << pattern;
    }
}

// --- strftime patterns ---

TEST(PatternFromStrftime, Conversions) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c :
         {Case{"%m/%d/%y", "MM/dd/yy"}, Case{"%d.%m.%Y", "dd.MM.yyyy"},
          Case{"%Y-%m-%d", "yyyy-MM-dd"}, Case{"%e.%m.%Y", "d.MM.yyyy"}, Case{"%D", "MM/dd/yy"},
          Case{"%F", "yyyy-MM-dd"}, Case{"%-d.%-m.%Y", "d.M.yyyy"}, Case{"%0e/%_m/%y", "dd/M/yy"},
          Case{"%x", "%x"}, Case{"%a %b", "%a %b"}, Case{"%-x", "%-x"}, Case{"%", "%"},
          Case{"%-", "%-"}, Case{"50%%", "50%"}, Case{"", ""},
          Case{"%Y\xe5\xb9\xb4%m\xe6\x9c\x88", "yyyy\xe5\xb9\xb4MM\xe6\x9c\x88"}}) {
        EXPECT_EQ(PatternFromStrftime(Q(c.in)), Q(c.out)) << c.in;
    }
}

TEST(PatternFromStrftime, LocalePatternsGiveUsableFormats) {
    struct Case {
        const char* strftime;
        const char* pattern;
    };
    for (const Case& c :
         {Case{"%m/%d/%y", "MM/dd/yyyy"}, Case{"%d.%m.%Y", "dd.MM.yyyy"},
          Case{"%-d.%-m.%Y", "d.M.yyyy"}, Case{"%F", "yyyy-MM-dd"}, Case{"%d/%m/%Y", "dd/MM/yyyy"},
          Case{"%Y. %m. %d.", "M/d/yyyy"}, Case{"%A %d %B %Y", "M/d/yyyy"}}) {
        EXPECT_EQ(ShortDateFormatFromPattern(PatternFromStrftime(Q(c.strftime))).pattern,
                  Q(c.pattern))
            << c.strftime;
    }
}

// --- Writing ---

struct FormatCase {
    QString pattern;
    CalendarDate date;
    const char* text;
};

class FormatTable : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatTable, Writes) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatDate(ShortDateFormatFromPattern(c.pattern), c.date), Q(c.text));
}

INSTANTIATE_TEST_SUITE_P(Dates, FormatTable,
                         testing::Values(FormatCase{Mdy, {5, 3, 2024}, "3/5/2024"},
                                         FormatCase{Dmy, {5, 3, 2024}, "05.03.2024"},
                                         FormatCase{Ymd, {5, 3, 2024}, "2024-03-05"},
                                         FormatCase{DmyShort, {5, 3, 2024}, "5/3/2024"},
                                         FormatCase{Mdy, {25, 12, 1999}, "12/25/1999"},
                                         FormatCase{Dmy, {25, 12, 1999}, "25.12.1999"},
                                         FormatCase{Ymd, {25, 12, 1999}, "1999-12-25"},
                                         FormatCase{DmyShort, {25, 12, 1999}, "25/12/1999"},
                                         FormatCase{Ymd, {1, 2, 99}, "0099-02-01"},
                                         FormatCase{Mdy, {0, 0, 0}, ""},
                                         FormatCase{Dmy, {30, 2, 2024}, ""},
                                         FormatCase{Mdy, {1, 1, 10000}, ""},
                                         FormatCase{Mdy, {29, 2, 4000}, "2/29/4000"}));

TEST(FormatDate, WritesLiteralsOfAHandMadePattern) {
    ShortDateFormat format;
    format.pattern = QStringLiteral("[dd] M yy");
    EXPECT_EQ(FormatDate(format, {7, 8, 2030}), QStringLiteral("[07] 8 2030"));
}

// --- Reading ---

struct ReadCase {
    QString pattern;
    const char* text;
    Date currentCentury; // reading of the settings file
    Date slidingWindow;  // reading of typed dates
};

class ReadTable : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTable, Reads) {
    const ReadCase& c = GetParam();
    const ShortDateFormat format = ShortDateFormatFromPattern(c.pattern);
    EXPECT_EQ(ReadDateText(Q(c.text), format, ThisYear, TwoDigitYears::CurrentCentury),
              c.currentCentury);
    EXPECT_EQ(ReadDateText(Q(c.text), format, ThisYear, TwoDigitYears::SlidingWindow),
              c.slidingWindow);
}

// Same result under both rules.
ReadCase Both(const QString& pattern, const char* text, Date expected) {
    return {pattern, text, expected, expected};
}

INSTANTIATE_TEST_SUITE_P(
    MonthDayYear, ReadTable,
    testing::Values(
        Both(Mdy, "3/5/2024", D(5, 3, 2024)), Both(Mdy, "03/05/2024", D(5, 3, 2024)),
        Both(Mdy, " 3 / 5 / 2024", D(5, 3, 2024)), Both(Mdy, "3/5/2024/", D(5, 3, 2024)),
        Both(Mdy, "3/5/2024 /  ", D(5, 3, 2024)), Both(Mdy, "3/5/2024  ", D(5, 3, 2024)),
        Both(Mdy, "3/5", D(5, 3, 2024)), Both(Mdy, "3/5/", D(5, 3, 2024)),
        Both(Mdy, " 12 /31 / ", D(31, 12, 2024)), Both(Mdy, "12/31/1599", D(31, 12, 1599)),
        Both(Mdy, "1/1/1", D(1, 1, 2001)), Both(Mdy, "2/29/2024", D(29, 2, 2024)),
        Both(Mdy, "2/29/2000", D(29, 2, 2000)), Both(Mdy, "3/5/099", D(5, 3, 99)),
        Both(Mdy, "3/5/0099", D(5, 3, 99)), Both(Mdy, "3/5/9999", D(5, 3, 9999)),
        ReadCase{Mdy, "3/5/24", D(5, 3, 2024), D(5, 3, 2024)},
        ReadCase{Mdy, "3/5/99", D(5, 3, 2099), D(5, 3, 1999)},
        ReadCase{Mdy, "3/5/74", D(5, 3, 2074), D(5, 3, 1974)},
        ReadCase{Mdy, "3/5/73", D(5, 3, 2073), D(5, 3, 2073)},
        ReadCase{Mdy, "3/5/0", D(5, 3, 2000), D(5, 3, 2000)},
        ReadCase{Mdy, "3/5/00", D(5, 3, 2000), D(5, 3, 2000)}, Both(Mdy, "2/30/2024", Fails),
        Both(Mdy, "2/29/2023", Fails), Both(Mdy, "2/29/1900", Fails), Both(Mdy, "13/1/2024", Fails),
        Both(Mdy, "0/1/2024", Fails), Both(Mdy, "1/0/2024", Fails), Both(Mdy, "3/5/0000", Fails),
        Both(Mdy, "3/5/000", Fails), Both(Mdy, "3/5/2024 10:00", Fails),
        Both(Mdy, "3/5/2024x", Fails), Both(Mdy, "3/5/2024//", Fails),
        Both(Mdy, "3/5/2024/1", Fails), Both(Mdy, "3/5/02024", Fails),
        Both(Mdy, "00003/5/2024", Fails), Both(Mdy, "3-5-2024", Fails),
        Both(Mdy, "3//5/2024", Fails), Both(Mdy, "/3/5/2024", Fails), Both(Mdy, "3", Fails),
        Both(Mdy, "3/", Fails), Both(Mdy, "", Fails), Both(Mdy, "   ", Fails),
        Both(Mdy, "abc", Fails), Both(Mdy, "-3/5/2024", Fails), Both(Mdy, "+3/5/2024", Fails),
        Both(Mdy, "\t3/5/2024", Fails), Both(Mdy, "3/5/2024\n", Fails),
        Both(Mdy, "\xef\xbc\x93/5/2024", Fails), Both(Mdy, "3 5 2024", Fails)));

INSTANTIATE_TEST_SUITE_P(
    DayMonthYear, ReadTable,
    testing::Values(Both(Dmy, "05.03.2024", D(5, 3, 2024)), Both(Dmy, "5.3", D(5, 3, 2024)),
                    Both(Dmy, "5.3.", D(5, 3, 2024)), Both(Dmy, "29.02.2024", D(29, 2, 2024)),
                    Both(Dmy, " 5 .3 .2024 . ", D(5, 3, 2024)),
                    ReadCase{Dmy, "5.3.24", D(5, 3, 2024), D(5, 3, 2024)},
                    ReadCase{Dmy, "5.3.80", D(5, 3, 2080), D(5, 3, 1980)},
                    Both(Dmy, "30.02.2024", Fails), Both(Dmy, "29.02.2023", Fails),
                    Both(Dmy, "5/3/2024", Fails), Both(Dmy, "31.12.1599", D(31, 12, 1599)),
                    Both(DmyShort, "5/3/24", D(5, 3, 2024)), Both(DmyShort, "5/3", D(5, 3, 2024)),
                    Both(DmyShort, "5/3/2024", D(5, 3, 2024)),
                    ReadCase{DmyShort, "1/1/99", D(1, 1, 2099), D(1, 1, 1999)},
                    Both(DmyShort, "31/4/24", Fails)));

INSTANTIATE_TEST_SUITE_P(
    YearMonthDay, ReadTable,
    testing::Values(Both(Ymd, "2024-03-05", D(5, 3, 2024)), Both(Ymd, "2024-3-5-", D(5, 3, 2024)),
                    Both(Ymd, "3-5", D(5, 3, 2024)), Both(Ymd, "24-3-5", D(5, 3, 2024)),
                    ReadCase{Ymd, "99-3-5", D(5, 3, 2099), D(5, 3, 1999)},
                    Both(Ymd, "099-3-5", D(5, 3, 99)), Both(Ymd, "2024-02-30", Fails),
                    Both(Ymd, "1599-12-31", D(31, 12, 1599)), Both(Ymd, "2024-3-5 x", Fails)));

INSTANTIATE_TEST_SUITE_P(YearDayMonth, ReadTable,
                         testing::Values(Both(Ydm, "2024.05.03", D(5, 3, 2024)),
                                         Both(Ydm, "5.3", D(5, 3, 2024)),
                                         Both(Ydm, "2024.31.12", D(31, 12, 2024)),
                                         ReadCase{Ydm, "99.5.3", D(5, 3, 2099), D(5, 3, 1999)},
                                         Both(Ydm, "2024.12.31", Fails),
                                         Both(Ydm, "2024-05-03", Fails)));

TEST(ReadDateText, WindowsMoveWithTheCurrentYear) {
    const ShortDateFormat format = ShortDateFormatFromPattern(Mdy);
    struct Case {
        const char* text;
        int currentYear;
        TwoDigitYears rule;
        int expectedYear;
    };
    for (const Case& c : {Case{"1/1/49", 2000, TwoDigitYears::SlidingWindow, 2049},
                          Case{"1/1/50", 2000, TwoDigitYears::SlidingWindow, 1950},
                          Case{"1/1/49", 1999, TwoDigitYears::SlidingWindow, 1949},
                          Case{"1/1/48", 1999, TwoDigitYears::SlidingWindow, 2048},
                          Case{"1/1/50", 2099, TwoDigitYears::SlidingWindow, 2050},
                          Case{"1/1/48", 2099, TwoDigitYears::SlidingWindow, 2148},
                          Case{"1/1/5", 1999, TwoDigitYears::CurrentCentury, 1905},
                          Case{"1/1/99", 2100, TwoDigitYears::CurrentCentury, 2199},
                          Case{"1/1/2024", 1500, TwoDigitYears::SlidingWindow, 2024}}) {
        const Date date = ReadDateText(Q(c.text), format, c.currentYear, c.rule);
        ASSERT_TRUE(date.has_value()) << c.text << " " << c.currentYear;
        EXPECT_EQ(date->year, c.expectedYear) << c.text << " " << c.currentYear;
    }
}

TEST(ReadDateText, ExtremeCurrentYearsFailWithoutOverflow) {
    const ShortDateFormat format = ShortDateFormatFromPattern(Mdy);
    for (int currentYear : {INT_MAX, INT_MIN, 0, -50, 10000}) {
        for (auto rule : {TwoDigitYears::CurrentCentury, TwoDigitYears::SlidingWindow}) {
            if (currentYear == INT_MAX || currentYear == INT_MIN) {
                EXPECT_EQ(ReadDateText(Q("1/1/99"), format, currentYear, rule), Fails);
            }
            EXPECT_EQ(ReadDateText(Q("1/1"), format, currentYear, rule), Fails) << currentYear;
            EXPECT_EQ(ReadDateText(Q("1/1/2024"), format, currentYear, rule), D(1, 1, 2024));
        }
    }
}

TEST(ReadDateText, OrderComesFromThePatternsFirstLetter) {
    ShortDateFormat format;
    format.separator = QLatin1Char('/');
    format.order = DateOrder::MonthDayYear; // not what decides
    format.pattern = QStringLiteral("D/m/Y");
    EXPECT_EQ(ReadDateText(Q("5/3/2024"), format, ThisYear, TwoDigitYears::CurrentCentury),
              D(5, 3, 2024));
    format.pattern = QStringLiteral("no letters here");
    EXPECT_EQ(ReadDateText(Q("5/3/2024"), format, ThisYear, TwoDigitYears::CurrentCentury),
              D(3, 5, 2024));
}

// --- Settings-file and typed readings ---

TEST(ParseStartDate, RangeAndEpoch) {
    const ShortDateFormat mdy = ShortDateFormatFromPattern(Mdy);
    struct Case {
        const char* text;
        int epoch;
        DayNumber expected;
    };
    for (const Case& c :
         {Case{"1/1/1600", 1975, 0}, Case{"12/31/3999", 1975, LastDay},
          Case{"1/1/1975", 1975, 136966}, Case{"12/31/1599", 1975, InvalidDay},
          Case{"1/1/4000", 1975, InvalidDay}, Case{"2/30/2024", 1975, InvalidDay},
          Case{"3/5/2024 10:00", 1975, InvalidDay}, Case{"", 1975, InvalidDay},
          Case{"1/1/00", 1975, 146097}, Case{"1/1/099", 1975, 145732},
          Case{"1/1/099", 2050, DateToDayNumber(1, 1, 2099, 0)},
          Case{"1/1/010", 1975, DateToDayNumber(1, 1, 2010, 0)}, Case{"1/1/0075", 1975, 136966},
          Case{"1/1/099", 0, InvalidDay}, Case{"1/1/099", 1500, InvalidDay}}) {
        EXPECT_EQ(ParseStartDate(Q(c.text), mdy, c.epoch, ThisYear), c.expected)
            << c.text << " epoch " << c.epoch;
    }
    // Two-digit years go into the current century whatever the epoch.
    EXPECT_EQ(ParseStartDate(Q("1/1/99"), mdy, 1975, ThisYear), DateToDayNumber(1, 1, 2099, 0));
    EXPECT_EQ(ParseStartDate(Q("3/5"), mdy, 1975, 2030), DateToDayNumber(5, 3, 2030, 0));
}

TEST(ReadTypedDate, ErrorTextQuotesTheField) {
    const ShortDateFormat mdy = ShortDateFormatFromPattern(Mdy);
    for (const char* text : {"abc", "", "2/30/2024", " 1/2/3/4"}) {
        const TypedDate typed = ReadTypedDate(Q(text), mdy, ThisYear);
        EXPECT_FALSE(typed.date.has_value()) << text;
        EXPECT_EQ(typed.error, QLatin1Char('\'') + Q(text) + Q("' is not a valid date"));
    }
    EXPECT_EQ(ReadTypedDate(Q("abc"), mdy, ThisYear).error, Q("'abc' is not a valid date"));
}

TEST(ReadTypedDate, ReadableDatesOutsideTheRangeAreNoError) {
    const ShortDateFormat mdy = ShortDateFormatFromPattern(Mdy);
    const TypedDate old = ReadTypedDate(Q("12/31/1599"), mdy, ThisYear);
    EXPECT_EQ(old.date, D(31, 12, 1599));
    EXPECT_TRUE(old.error.isEmpty());
    const TypedDate windowed = ReadTypedDate(Q("1/1/73"), mdy, ThisYear);
    EXPECT_EQ(windowed.date, D(1, 1, 2073));
    EXPECT_TRUE(windowed.error.isEmpty());
}

// --- Round trips ---

class RoundTrip : public testing::TestWithParam<QString> {};

TEST_P(RoundTrip, FormattedDaysReadBack) {
    const ShortDateFormat format = ShortDateFormatFromPattern(GetParam());
    std::vector<DayNumber> days = {LastDay, 59, 60, 365, 146156};
    for (DayNumber n = 0; n <= LastDay; n += 613)
        days.push_back(n);
    for (const DayNumber n : days) {
        const CalendarDate date = DayNumberToDate(n);
        const QString text = FormatDate(format, date);
        ASSERT_EQ(ReadDateText(text, format, ThisYear, TwoDigitYears::CurrentCentury), date)
            << text.toStdString();
        ASSERT_EQ(ParseStartDate(text, format, 1975, ThisYear), n) << text.toStdString();
        ASSERT_EQ(ReadTypedDate(text, format, ThisYear).date, date) << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Patterns, RoundTrip, testing::Values(Mdy, Dmy, Ymd, DmyShort));

TEST(RoundTrip, TwoDigitYearLocaleKeepsTheCentury) {
    // A short-year pattern still writes four digits, so 1999 is not read back as 2099.
    const ShortDateFormat format = ShortDateFormatFromPattern(DmyShort);
    const DayNumber day = DateToDayNumber(31, 12, 1999, 0);
    const QString text = FormatDate(format, DayNumberToDate(day));
    EXPECT_EQ(text, Q("31/12/1999"));
    EXPECT_EQ(ParseStartDate(text, format, 1975, ThisYear), day);
}

} // namespace
} // namespace kestro
