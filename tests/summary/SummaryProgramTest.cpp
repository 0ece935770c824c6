// kestro --summary, --who and --export-pdf --holidays, run without a display as scripts run them.
#include "settings/LoadSettings.h"
#include "summary/Holidays.h"
#include "summary/YearSummary.h"
#include "support/Files.h"
#include "support/FixedClock.h"
#include "support/KestroRun.h"
#include "support/PdfTools.h"

#include <QDate>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro::test {
namespace {

const char* const kRotation = "ACABABABCBCACACABABCBCBC";
const QDate kStart(2024, 3, 1);
const QByteArray kHolidays = "BEGIN:VCALENDAR\nVERSION:2.0\nPRODID:-//t//EN\n"
                             "BEGIN:VEVENT\nUID:1\nDTSTART;VALUE=DATE:20200101\n"
                             "RRULE:FREQ=YEARLY\nSUMMARY:New Year's Day\nEND:VEVENT\n"
                             "BEGIN:VEVENT\nUID:2\nDTSTART;VALUE=DATE:20261225\n"
                             "SUMMARY:Christmas Day\nEND:VEVENT\nEND:VCALENDAR\n";
// No display, no runtime folder: what cron gives a script.
const QStringList kNoDisplay =
    Args({"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM=", "XDG_RUNTIME_DIR=", "LC_ALL=C"});

struct Home {
    QTemporaryDir dir;
    Home() {
        WriteBytes(dir.filePath(QStringLiteral("Dunmarek.ini")),
                   SettingsText(kRotation, "3/1/2024"));
        WriteBytes(dir.filePath(QStringLiteral("holidays.ics")), kHolidays);
    }
};

TEST(WhoCommand, PrintsThePlatoonOfTheDateOnOneLine) {
    Home home;
    const QString rotation = QString::fromLatin1(kRotation);
    for (const QDate date :
         {QDate(2024, 3, 1), QDate(2026, 12, 25), QDate(2031, 7, 4), QDate(2024, 2, 29)}) {
        const QString expected =
            date < kStart ? QStringLiteral("none")
                          : QString(rotation[int(kStart.daysTo(date) % rotation.size())]);
        // The ISO form and the C locale's short date (M/d/yyyy) name the same day.
        for (const QString& text : {date.toString(Qt::ISODate), date.toString(u"M/d/yyyy")}) {
            const ProgramRun run =
                RunKestro({QStringLiteral("--who"), text, QStringLiteral("-iDunmarek")},
                          home.dir.path(), kNoDisplay);
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
            EXPECT_EQ(run.out, expected + u'\n') << text.toStdString();
            EXPECT_EQ(run.err, QString());
        }
    }
}

TEST(SummaryCommand, PrintsTheCountsAndWhoWorksEachHoliday) {
    Home home;
    const ProgramRun run =
        RunKestro(Args({"--summary", "2026", "--holidays", "holidays.ics", "-iDunmarek"}),
                  home.dir.path(), kNoDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    ScheduleSettings settings;
    FixedClock clock({15, 3, 2024});
    LoadSettings(home.dir.filePath(QStringLiteral("Dunmarek.ini")), settings,
                 DefaultShortDateFormat(), clock);
    const HolidayList holidays =
        ReadHolidayFile(home.dir.filePath(QStringLiteral("holidays.ics")), {2026, 2026});
    ASSERT_EQ(holidays.days.size(), 2u);
    // The table as the core counts it (tested on its own against a day-by-day count), then a
    // line per holiday with the platoon the rotation gives it.
    const QStringList lines = run.out.split(u'\n');
    const QStringList table =
        YearSummaryText(SummarizeYear(settings, 2026, holidays.days), DefaultShortDateFormat())
            .split(u'\n')
            .mid(0, 5);
    EXPECT_EQ(lines.mid(0, 5), table);
    const QString rotation = QString::fromLatin1(kRotation);
    for (const QDate date : {QDate(2026, 1, 1), QDate(2026, 12, 25)}) {
        const QChar letter = rotation[int(kStart.daysTo(date) % rotation.size())];
        EXPECT_TRUE(
            run.out.contains(QStringLiteral("%1  %2  ").arg(date.toString(u"MM/dd/yyyy"), letter)))
            << run.out.toStdString();
    }
}

TEST(SummaryCommands, SayWhyTheyCannotAnswer) {
    const struct {
        QStringList args;
        const char* error;
    } cases[] = {
        {Args({"--who", "2026-13-01", "-iDunmarek"}), "--who: \"2026-13-01\" is not a date"},
        {Args({"--who", "2026-01-01", "-imissing"}), "/missing.ini does not exist."},
        {Args({"--summary", "next", "-iDunmarek"}), "\"next\" is not a year"},
        {Args({"--summary", "2026", "--holidays", "none.ics", "-iDunmarek"}),
         "Could not read the holiday file none.ics: there is no such file."},
        {Args({"--summary", "2026", "--holidays", "Dunmarek.ini", "-iDunmarek"}),
         "It is not a calendar file with events (holidays) in it."},
        {Args({"--export-pdf", "out.pdf", "--holidays", "none.ics", "-iDunmarek"}),
         "Could not read the holiday file none.ics"},
    };
    for (const auto& c : cases) {
        Home home;
        const ProgramRun run = RunKestro(c.args, home.dir.path(), kNoDisplay);
        const std::string what = c.args.join(u' ').toStdString();
        EXPECT_EQ(run.exitCode, 2) << what;
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("kestro: ")) &&
                    run.err.contains(QString::fromUtf8(c.error)) && run.err.count(u'\n') == 1)
            << what << ": " << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(home.dir.filePath(QStringLiteral("out.pdf")))) << what;
    }
}

TEST(ExportPdfCommand, MarksAndNamesTheHolidays) {
    if (!HavePdfTools())
        GTEST_SKIP() << MissingPdfTools;
    Home home;
    const ProgramRun run = RunKestro(Args({"--export-pdf", "wall.pdf", "--year", "2026",
                                           "--holidays", "holidays.ics", "-iDunmarek"}),
                                     home.dir.path(), kNoDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QString pdf = home.dir.filePath(QStringLiteral("wall.pdf"));
    const QString text = PdfText(pdf).value_or(QString());
    EXPECT_TRUE(
        text.contains(QStringLiteral("Holidays: 1 Jan New Year's Day, 25 Dec Christmas Day")))
        << text.toStdString();

    // The corner of a holiday's cell takes its number's color; the same corner of the day before
    // keeps the platoon's color. The classic rotation puts C (lime, black numbers) on both days.
    const int dpi = 100;
    const std::optional<QImage> page = PdfPage(pdf, dpi);
    ASSERT_TRUE(page);
    YearCalendarSource source;
    ScheduleSettings& s = source.settings;
    FixedClock clock({15, 3, 2024});
    LoadSettings(home.dir.filePath(QStringLiteral("Dunmarek.ini")), s, DefaultShortDateFormat(),
                 clock);
    source.years = {2026, 2026};
    source.holidays =
        ReadHolidayFile(home.dir.filePath(QStringLiteral("holidays.ics")), source.years).days;
    const YearCalendarPage layout = LayOutYearCalendar(source, 2026, LandscapeSheet(PaperSize::A4));
    const auto cornerOf = [&](int day, int month) {
        const DayNumber n = DateToDayNumber(day, month, 2026, 0);
        for (const PageItem& item : layout.items) {
            if (item.kind == PageItemKind::Day && item.day == n) {
                const QPointF corner = item.rect.topRight() + QPointF(-2, 2);
                return page->pixelColor((corner * dpi / 72).toPoint()).rgb() & 0xffffff;
            }
        }
        return QRgb(0x123456);
    };
    const auto near = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                   std::abs(qBlue(a) - qBlue(b)) <
               60;
    };
    EXPECT_TRUE(near(cornerOf(25, 12), 0x000000)) << std::hex << cornerOf(25, 12);
    EXPECT_TRUE(near(cornerOf(1, 1), 0x000000)) << std::hex << cornerOf(1, 1);
    EXPECT_TRUE(near(cornerOf(24, 12), 0x00ff00) || !near(cornerOf(24, 12), 0x000000))
        << std::hex << cornerOf(24, 12);
}

} // namespace
} // namespace kestro::test
