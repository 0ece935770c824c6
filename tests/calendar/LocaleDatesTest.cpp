// Dates under real glibc locales, built by the build-locales.sh test fixture into the folder that
// LOCPATH names.
#include "calendar/LocaleDateFormat.h"
#include "files/SettingsFileIO.h"
#include "rotation/MonthView.h"
#include "settings/LoadSettings.h"
#include "settings/SaveSettings.h"

#include "TimeLocale.h"
#include "support/FixedClock.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <langinfo.h>
#include <ostream>
#include <string>

namespace kestro {

void PrintTo(const CalendarDate& date, std::ostream* os) {
    *os << date.day << '.' << date.month << '.' << date.year;
}

namespace {

struct LocaleCase {
    const char* name;       // built as <name>.UTF-8
    const char* dateFormat; // nl_langinfo(D_FMT)
    const char* pattern;
    char separator;
    DateOrder order;
    const char* firstOfMarch; // 1 March 2024 as written
    const char* longCaption;  // month header of March 2024, full and abbreviated name
    const char* shortCaption;
    const char* weekdays; // abbreviated, Sunday first
    friend void PrintTo(const LocaleCase& c, std::ostream* os) { *os << c.name; }
};

constexpr DateOrder Mdy = DateOrder::MonthDayYear;
constexpr DateOrder Dmy = DateOrder::DayMonthYear;
constexpr DateOrder Ymd = DateOrder::YearMonthDay;
constexpr DateOrder Ydm = DateOrder::YearDayMonth;

const LocaleCase Locales[] = {
    {"en_US", "%m/%d/%Y", "MM/dd/yyyy", '/', Mdy, "03/01/2024", "March 2024", "Mar 2024",
     "Sun;Mon;Tue;Wed;Thu;Fri;Sat"},
    {"en_GB", "%d/%m/%y", "dd/MM/yyyy", '/', Dmy, "01/03/2024", "March 2024", "Mar 2024",
     "Sun;Mon;Tue;Wed;Thu;Fri;Sat"},
    {"de_DE", "%d.%m.%Y", "dd.MM.yyyy", '.', Dmy, "01.03.2024", "März 2024", "Mär 2024",
     "So;Mo;Di;Mi;Do;Fr;Sa"},
    {"fr_FR", "%d/%m/%Y", "dd/MM/yyyy", '/', Dmy, "01/03/2024", "mars 2024", "mars 2024",
     "dim.;lun.;mar.;mer.;jeu.;ven.;sam."},
    {"nl_NL", "%d-%m-%y", "dd-MM-yyyy", '-', Dmy, "01-03-2024", "maart 2024", "mrt 2024",
     "zo;ma;di;wo;do;vr;za"},
    // The header stands alone: the nominative "březen", not the genitive "března" of a date.
    {"cs_CZ", "%-d.%-m.%Y", "d.M.yyyy", '.', Dmy, "1.3.2024", "březen 2024", "bře 2024",
     "Ne;Po;Út;St;Čt;Pá;So"},
    {"hu_HU", "%Y-%m-%d", "yyyy-MM-dd", '-', Ymd, "2024-03-01", "március 2024", "márc 2024",
     "v;h;k;sze;cs;p;szo"},
    {"sv_SE", "%Y-%m-%d", "yyyy-MM-dd", '-', Ymd, "2024-03-01", "mars 2024", "mar 2024",
     "sön;mån;tis;ons;tor;fre;lör"},
    {"nb_NO", "%d. %b %Y", "dd.MM.yyyy", '.', Dmy, "01.03.2024", "mars 2024", "mars 2024",
     "sø.;ma.;ti.;on.;to.;fr.;lø."},
    {"ja_JP", "%Y年%m月%d日", "yyyy/MM/dd", '/', Ymd, "2024/03/01", "3月 2024", "3月 2024",
     "日;月;火;水;木;金;土"},
    {"ko_KR", "%Y년 %m월 %d일", "yyyy-MM-dd", '-', Ymd, "2024-03-01", "3월 2024", "3월 2024",
     "일;월;화;수;목;금;토"},
    {"zh_CN", "%Y年%m月%d日", "yyyy/MM/dd", '/', Ymd, "2024/03/01", "三月 2024", "3月 2024",
     "日;一;二;三;四;五;六"},
    // Year, day, month; and a Buddhist-era year, written as the Gregorian one.
    {"ce_RU", "%Y.%d.%m", "yyyy.dd.MM", '.', Ydm, "2024.01.03", "Март 2024", "мар 2024",
     "КӀ;Ор;Ши;Кх;Еа;ПӀ;Шо"},
    {"th_TH", "%d/%m/%Ey", "dd/MM/yyyy", '/', Dmy, "01/03/2024", "มีนาคม 2024", "มี.ค. 2024",
     "อา.;จ.;อ.;พ.;พฤ.;ศ.;ส."},
    {"lo_LA", "%d/%m/%Ey", "dd/MM/yyyy", '/', Dmy, "01/03/2024", "ມີນາ 2024", "ມ.ນ. 2024",
     "ອາ.;ຈ.;ຄ.;ພ.;ພຫ.;ສ.;ສ."},
};

using test::TimeLocale;

class LocaleDates : public testing::TestWithParam<LocaleCase> {};

TEST_P(LocaleDates, PatternDatesFileAndMonthHeader) {
    const LocaleCase& c = GetParam();
    const TimeLocale locale((std::string(c.name) + ".UTF-8").c_str());
    if (!locale.ok()) {
        if (QStandardPaths::findExecutable(QStringLiteral("localedef")).isEmpty()) {
            GTEST_SKIP() << "localedef is not installed, so the locale " << c.name
                         << " cannot be built for this test";
        }
        const char* folder = std::getenv("LOCPATH");
        FAIL() << c.name << ".UTF-8 is not in LOCPATH=" << (folder ? folder : "(unset)")
               << "; the test fixture build_test_locales builds it";
    }

    ASSERT_STREQ(nl_langinfo(D_FMT), c.dateFormat);
    const ShortDateFormat format = LocaleShortDateFormat();
    EXPECT_EQ(format.pattern.toStdString(), c.pattern);
    EXPECT_EQ(format.separator.unicode(), c.separator);
    EXPECT_EQ(format.order, c.order);

    const QString written = FormatDate(format, {1, 3, 2024});
    EXPECT_EQ(written.toStdString(), c.firstOfMarch);
    for (const CalendarDate date : {CalendarDate{1, 3, 2024}, CalendarDate{25, 12, 1999}}) {
        EXPECT_EQ(ReadTypedDate(FormatDate(format, date), format, 2024).date, date);
    }

    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    ScheduleSettings saved = AbsentKeyDefaults();
    saved.StartDay = DateToDayNumber(1, 3, 2024, 0);
    const ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"), saved.ShiftRotation,
                                    QString()};
    ASSERT_TRUE(SaveSettingsFile(path, fields, saved, false, format));
    EXPECT_TRUE(ReadFileBytes(path).bytes.contains("StartDate=" + written.toUtf8()));
    ScheduleSettings loaded = AbsentKeyDefaults();
    EXPECT_FALSE(
        LoadSettings(path, loaded, format, test::FixedClock({15, 6, 2024})).startDateInvalid);
    EXPECT_EQ(loaded.StartDay, saved.StartDay);

    const MonthView view = InitialMonthView(saved.StartDay);
    loaded.ShowYear = true;
    loaded.FullMonthName = true;
    EXPECT_EQ(MonthHeaderCaption(loaded, view, format).toStdString(), c.longCaption);
    loaded.FullMonthName = false;
    EXPECT_EQ(MonthHeaderCaption(loaded, view, format).toStdString(), c.shortCaption);

    QStringList weekdays(format.shortDayNames.begin(), format.shortDayNames.end());
    EXPECT_EQ(weekdays.join(QLatin1Char(';')).toStdString(), c.weekdays);
}

INSTANTIATE_TEST_SUITE_P(Glibc, LocaleDates, testing::ValuesIn(Locales),
                         [](const testing::TestParamInfo<LocaleCase>& param) {
                             return std::string(param.param.name);
                         });

} // namespace
} // namespace kestro
