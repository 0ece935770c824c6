#include "calendar/LocaleDateFormat.h"

#include "TimeLocale.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

#include <ostream>

namespace kestro {

void PrintTo(const CalendarDate& date, std::ostream* os);

namespace {

using test::TimeLocale;

TEST(LocaleShortDateFormat, CLocale) {
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        const TimeLocale locale(name);
        if (!locale.ok()) {
            continue;
        }
        const ShortDateFormat format = LocaleShortDateFormat();
        // glibc: D_FMT is "%m/%d/%y"
        EXPECT_EQ(format.pattern, QStringLiteral("MM/dd/yyyy")) << name;
        EXPECT_EQ(format.order, DateOrder::MonthDayYear) << name;
        EXPECT_EQ(format.separator, QLatin1Char('/')) << name;
        EXPECT_EQ(format.longMonthNames[0], QStringLiteral("January")) << name;
        EXPECT_EQ(format.longMonthNames[11], QStringLiteral("December")) << name;
        EXPECT_EQ(format.shortMonthNames[1], QStringLiteral("Feb")) << name;
        EXPECT_EQ(format.shortMonthNames[11], QStringLiteral("Dec")) << name;
    }
}

// The format most tests use has the month names of the C locale.
TEST(LocaleShortDateFormat, CLocaleMonthNamesAreThoseOfTheTestsFormat) {
    const TimeLocale locale("C");
    ASSERT_TRUE(locale.ok());
    const ShortDateFormat tests = test::DefaultShortDateFormat();
    EXPECT_EQ(tests.pattern, QStringLiteral("M/d/yyyy"));
    EXPECT_EQ(tests.separator, QLatin1Char('/'));
    const ShortDateFormat c = LocaleShortDateFormat();
    EXPECT_EQ(tests.longMonthNames, c.longMonthNames);
    EXPECT_EQ(tests.shortMonthNames, c.shortMonthNames);
}

TEST(ShortDateFormatFromStrftime, OrderAndSeparatorOfPatternsWithWords) {
    struct Case {
        const char* strftime;
        const char* pattern;
    };
    for (const Case& c : {
             // Numbers and one separator, as before: the separator need not be ASCII.
             Case{"%d.%m.%y", "dd.MM.yyyy"},
             Case{"%-d\xc2\xb7%-m\xc2\xb7%Y", "d\xc2\xb7M\xc2\xb7yyyy"},
             Case{"%F", "yyyy-MM-dd"},
             // Names, blanks, words: the order of the fields, the first ASCII punctuation
             // between two of them.
             Case{"%d. %b %Y", "dd.MM.yyyy"},
             Case{"%Y. %m. %d.", "yyyy.MM.dd"},
             Case{"%a, %Y.eko %bren %da", "yyyy.MM.dd"},
             Case{"%d %b, %Y", "dd,MM,yyyy"},
             Case{"%b %-d %Y", "MM/d/yyyy"},
             Case{"%A %e %^B %Y", "d/MM/yyyy"},
             Case{"%A %D", "MM/dd/yyyy"},
             Case{"%d %a %m %Y", "dd/MM/yyyy"},
             Case{"%Oy/%Om/%Od", "yyyy/MM/dd"},
             Case{"%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5 %A", "yyyy/MM/dd"},
             Case{"%Y\xeb\x85\x84 %m\xec\x9b\x94 %d\xec\x9d\xbc", "yyyy-MM-dd"},
             Case{"%Y\xeb\x85\x84 %m.%d\xec\x9d\xbc", "yyyy.MM.dd"},
             // Chechen's year, day, month; an era's year is written as the Gregorian year.
             Case{"%Y.%d.%m", "yyyy.dd.MM"},
             Case{"%d/%m/%Ey", "dd/MM/yyyy"},
             Case{"%EC %Ey-%m-%d", "yyyy-MM-dd"},
             // No day, month and year: the fall-back.
             Case{"%m\xe6\x9c\x88%d\xe6\x97\xa5", "M/d/yyyy"},
             Case{"%A %d %B", "M/d/yyyy"},
             Case{"%x", "M/d/yyyy"},
             Case{"", "M/d/yyyy"},
         }) {
        const ShortDateFormat format = ShortDateFormatFromStrftime(QString::fromUtf8(c.strftime));
        EXPECT_EQ(format.pattern.toStdString(), c.pattern) << c.strftime;
        EXPECT_EQ(ReadDateText(FormatDate(format, {25, 12, 1999}), format, 2024,
                               TwoDigitYears::CurrentCentury),
                  (CalendarDate{25, 12, 1999}))
            << c.strftime;
    }
}

TEST(DecodeLocaleText, Codesets) {
    struct Case {
        const char* text;
        const char* codeset;
        QString expected;
    };
    for (const Case& c :
         {Case{"M\xc3\xa4rz", "UTF-8", QStringLiteral(u"M\u00e4rz")},
          Case{"M\xc3\xa4rz", "utf8", QStringLiteral(u"M\u00e4rz")},
          Case{"M\xe4rz", "ISO-8859-1", QStringLiteral(u"M\u00e4rz")},
          Case{"Jan", "ANSI_X3.4-1968", QStringLiteral("Jan")},
          Case{"\xa4", "ISO-8859-15", QStringLiteral(u"\u20ac")},
          Case{"\xcd\xc1\xd2\xd4", "KOI8-R", QStringLiteral(u"\u043c\u0430\u0440\u0442")},
          Case{"May", "NO-SUCH-CODESET", QStringLiteral("May")},
          Case{"May", nullptr, QStringLiteral("May")}, Case{"", "UTF-8", QString()}}) {
        EXPECT_EQ(DecodeLocaleText(c.text, c.codeset), c.expected)
            << (c.codeset ? c.codeset : "(null)");
    }
    EXPECT_TRUE(DecodeLocaleText(nullptr, "UTF-8").isEmpty());
}

} // namespace
} // namespace kestro
