// Holiday files made here, expanded by libical and checked against the independent Python
// readers icalendar and recurring_ical_events; files that are no calendar.
#include "summary/Holidays.h"

#include "support/Files.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro {
namespace {

const QByteArray kHolidays = R"(BEGIN:VCALENDAR
VERSION:2.0
PRODID:-//Kestro tests//EN
BEGIN:VEVENT
UID:new-year
DTSTART;VALUE=DATE:19700101
DTEND;VALUE=DATE:19700102
RRULE:FREQ=YEARLY
SUMMARY:New Year's Day
END:VEVENT
BEGIN:VEVENT
UID:memorial
DTSTART;VALUE=DATE:20000529
RRULE:FREQ=YEARLY;BYMONTH=5;BYDAY=-1MO
EXDATE;VALUE=DATE:20260525
SUMMARY:Memorial Day
END:VEVENT
BEGIN:VEVENT
UID:thanks
DTSTART;VALUE=DATE:20201126
DTEND;VALUE=DATE:20201128
RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=4TH;UNTIL=20261231
SUMMARY:Thanksgiving
END:VEVENT
BEGIN:VEVENT
UID:winter
DTSTART;VALUE=DATE:20261224
DTEND;VALUE=DATE:20270102
SUMMARY:Winter break
END:VEVENT
BEGIN:VEVENT
UID:parade
DTSTART:20270704T100000
DTEND:20270704T120000
SUMMARY:Parade
END:VEVENT
END:VCALENDAR
)";

// The days of each holiday in 2025 to 2027 as the Python readers see them, "yyyy-mm-dd name".
const char* const kExpand = R"(
import datetime, sys
try:
    import icalendar, recurring_ical_events
except ImportError:
    sys.exit(77)
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
first, last = datetime.date(2025, 1, 1), datetime.date(2027, 12, 31)
days = []
for event in recurring_ical_events.of(cal).between(first, last + datetime.timedelta(days=1)):
    start = event['DTSTART'].dt
    end = event['DTEND'].dt if 'DTEND' in event else start
    if isinstance(start, datetime.datetime):
        start, end = start.date(), start.date() + datetime.timedelta(days=1)
    end = max(end, start + datetime.timedelta(days=1))
    while start < end:
        if first <= start <= last:
            days.append('%s %s' % (start.isoformat(), event['SUMMARY']))
        start += datetime.timedelta(days=1)
print('\n'.join(sorted(days)))
)";

TEST(Holidays, ExpandLikeTheIndependentReaders) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("holidays.ics"));
    test::WriteBytes(file, kHolidays);
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kExpand), file});
    if (!python.waitForFinished(60000) || python.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "/usr/bin/python3 could not be run";
    if (python.exitCode() == 77)
        GTEST_SKIP() << "python3-icalendar or python3-recurring-ical-events is not installed";
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    const QStringList expected =
        QString::fromUtf8(python.readAllStandardOutput()).trimmed().split(u'\n');

    const HolidayList list = ReadHolidayFile(file, {2025, 2027});
    ASSERT_EQ(list.error.toStdString(), "");
    QStringList days;
    for (const Holiday& h : list.days) {
        const CalendarDate d = DayNumberToDate(h.day);
        days.append(QStringLiteral("%1-%2-%3 %4")
                        .arg(d.year)
                        .arg(d.month, 2, 10, QLatin1Char('0'))
                        .arg(d.day, 2, 10, QLatin1Char('0'))
                        .arg(h.name));
    }
    days.sort();
    EXPECT_EQ(days.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

TEST(Holidays, SayWhyAFileCannotBeUsed) {
    QTemporaryDir dir;
    const QString garbage = dir.filePath(QStringLiteral("garbage.ics"));
    test::WriteBytes(garbage, "Name,Date\nNew Year,2026-01-01\n");
    const QString empty = dir.filePath(QStringLiteral("empty.ics"));
    test::WriteBytes(empty, "BEGIN:VCALENDAR\nVERSION:2.0\nEND:VCALENDAR\n");
    const struct {
        QString path;
        const char* reason;
    } cases[] = {
        {dir.filePath(QStringLiteral("missing.ics")), "there is no such file."},
        {dir.path(), "folder"},
        {garbage, "It is not a calendar file with events (holidays) in it."},
        {empty, "It is not a calendar file with events (holidays) in it."},
    };
    for (const auto& c : cases) {
        const HolidayList list = ReadHolidayFile(c.path, {2026, 2026});
        const std::string error = list.error.toStdString();
        EXPECT_TRUE(list.days.empty()) << error;
        EXPECT_NE(error.find("Could not read the holiday file " + c.path.toStdString()),
                  std::string::npos)
            << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

} // namespace
} // namespace kestro
