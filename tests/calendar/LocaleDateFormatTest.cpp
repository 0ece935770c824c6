#include "calendar/LocaleDateFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace kestro {
namespace {

// Switches LC_TIME for one test and puts the previous locale back.
class TimeLocale {
public:
    explicit TimeLocale(const char* name) {
        const char* previous = std::setlocale(LC_TIME, nullptr);
        previous_ = previous ? previous : "C";
        ok_ = std::setlocale(LC_TIME, name) != nullptr;
    }
    ~TimeLocale() { std::setlocale(LC_TIME, previous_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

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
