#include "export/IcsExport.h"
#include "support/LoadedLibraries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace kestro {
namespace {

const QString kClassic = QStringLiteral("ACABABABCBCACACABABCBCBC");
const DayNumber kStart = DateToDayNumber(1, 3, 2024, 0);

ScheduleSettings Schedule(const QString& rotation, DayNumber start = kStart) {
    ScheduleSettings s = AbsentKeyDefaults();
    s.ShiftRotation = rotation;
    s.DaysInRotation = int(rotation.size());
    s.StartDay = start;
    return s;
}

IcsExportOptions Options() {
    IcsExportOptions o;
    o.sourceFile = QStringLiteral("/home/chief/Dunmarek.ini");
    o.exportTime = QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5), Qt::UTC);
    return o;
}

QStringList Values(const QByteArray& text, const QString& property) {
    QStringList values;
    const QRegularExpression line(QStringLiteral("^%1[;:](.*)$").arg(property),
                                  QRegularExpression::MultilineOption);
    for (const auto& m : line.globalMatch(QString::fromUtf8(text).remove(QLatin1Char('\r'))))
        values.append(m.captured(1));
    return values;
}

// The editor does not load libical as it starts; the first calendar opens it. (CTest runs each
// case in a process of its own.)
TEST(BuildIcsCalendar, OpensLibicalForTheFirstCalendar) {
    EXPECT_FALSE(test::IsLoaded("libical"));
    ASSERT_TRUE(BuildIcsCalendar(Schedule(kClassic), Options()).ok());
    EXPECT_TRUE(test::IsLoaded("libical"));
}

TEST(BuildIcsCalendar, RefusesWhatCannotGiveTheRotationsDays) {
    using Change = std::function<void(ScheduleSettings&, IcsExportOptions&)>;
    const struct {
        const char* what;
        Change change;
        const char* error;
    } cases[] = {
        {"no days", [](auto& s, auto&) { s.DaysInRotation = 0, s.ShiftRotation.clear(); },
         "\"Days in Rotation\" is 0, but a rotation needs at least one day."},
        {"length", [](auto& s, auto&) { s.DaysInRotation = 23; },
         "\"Shift Rotation\" does not match number of \"Days in Rotation\". The rotation has 24 "
         "letters; \"Days in Rotation\" is 23."},
        {"too long", [](auto& s, auto&) { s = Schedule(QString(40000, QLatin1Char('A'))); },
         "A rotation of more than 32767 days cannot be exported."},
        {"start", [](auto& s, auto&) { s.StartDay = InvalidDay; },
         "The start date of the rotation is not a valid date."},
        {"lower case", [](auto& s, auto&) { s.ShiftRotation[2] = QLatin1Char('a'); },
         "Day 3 of the rotation is \"a\", which is not a platoon letter (A to F, 1 to 6, K, L, R, "
         "G, Y, P)."},
        {"blank", [](auto& s, auto&) { s.ShiftRotation[23] = QLatin1Char(' '); },
         "Day 24 of the rotation is \" \", which is not a platoon letter"},
        {"absent", [](auto&, auto& o) { o.platoons = QStringLiteral("ad"); },
         "Platoon D does not occur in the rotation ACABABABCBCACACABABCBCBC."},
        {"no letter", [](auto&, auto& o) { o.platoons = QStringLiteral("A7"); },
         "\"7\" is not a platoon letter"},
        {"order", [](auto&, auto& o) { o.from = kStart + 10, o.until = kStart + 9; },
         "The last day to export, 2024-03-10, lies before the first, 2024-03-11."},
        {"before start", [](auto&, auto& o) { o.from = kStart - 9, o.until = kStart - 1; },
         "There is nothing to export: the last day, 2024-02-29, lies before the rotation starts "
         "on 2024-03-01."},
        {"off duty",
         [](auto&, auto& o) { o.platoons = QStringLiteral("B"), o.from = o.until = kStart; },
         "There is nothing to export: platoon B is not on duty from 2024-03-01 to 2024-03-01."},
        {"text", [](auto&, auto& o) { o.eventText = QStringLiteral(" "); },
         "The event text is empty."},
        {"name", [](auto&, auto& o) { o.calendarName.clear(); }, "The calendar name is empty."},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Schedule(kClassic);
        IcsExportOptions o = Options();
        c.change(s, o);
        const IcsCalendar calendar = BuildIcsCalendar(s, o);
        EXPECT_TRUE(calendar.error.startsWith(QString::fromUtf8(c.error)))
            << c.what << ": " << calendar.error.toStdString();
        EXPECT_TRUE(calendar.text.isEmpty()) << c.what;
    }
}

TEST(BuildIcsCalendar, WritesOneRepeatingEventPerRunAndOneForEachCutRun) {
    const struct {
        const char* rotation;
        const char* platoons;
        std::optional<int> from, until; // days after the start
        int events, repeating;
        const char* letters;
    } cases[] = {
        {"ACABABABCBCACACABABCBCBC", "", {}, {}, 24, 24, "ABC"},
        {"ACABABABCBCACACABABCBCBC", "c, b", {}, 100, 16, 16, "CB"},
        {"A", "", 5, 9, 1, 1, "A"},
        {"KKLRRGYYPK", "", {}, {}, 7, 6, "KLRGYP"}, // K from day 10 over days 1 and 2
        {"AABBBCCA", "", {}, {}, 4, 3, "ABC"},      // A: days 1 and 2 of the first cycle
        {"AABBBCCA", "", 2, {}, 3, 3, "ABC"},
        {"AABBBCCA", "", 3, 8 * 10 + 3, 5, 3, "ABC"}, // B cut at the start and at the end
        {"AABBBCCA", "b", 3, 3, 1, 0, "B"},
    };
    for (const auto& c : cases) {
        IcsExportOptions o = Options();
        o.platoons = QLatin1String(c.platoons);
        if (c.from)
            o.from = kStart + *c.from;
        if (c.until)
            o.until = kStart + *c.until;
        const IcsCalendar calendar = BuildIcsCalendar(Schedule(QLatin1String(c.rotation)), o);
        ASSERT_TRUE(calendar.ok()) << c.rotation << ": " << calendar.error.toStdString();
        const auto what = [&] { return std::string(c.rotation) + " " + c.platoons; };
        EXPECT_EQ(calendar.events, c.events) << what();
        EXPECT_EQ(calendar.text.count("BEGIN:VEVENT"), c.events) << what();
        EXPECT_EQ(calendar.text.count("\r\nRRULE:FREQ=DAILY"), c.repeating) << what();
        EXPECT_EQ(calendar.text.count(";UNTIL="), c.until ? c.repeating : 0) << what();
        EXPECT_EQ(calendar.platoons, QLatin1String(c.letters)) << what();
        EXPECT_EQ(calendar.first, kStart + c.from.value_or(0)) << what();
        const QStringList uids = Values(calendar.text, QStringLiteral("UID"));
        EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), c.events) << what();
    }
}

TEST(BuildIcsCalendar, WritesTheCalendarAndEventPropertiesOfAPlatoon) {
    ScheduleSettings s = Schedule(QStringLiteral("AABBBCCA"));
    s.PlatoonColors[QChar(u'B')].normal = 0x02FFFF00; // "$00FFFF", aqua
    s.PlatoonColors[QChar(u'C')].normal = 0xFF00000F; // the desktop's button face
    IcsExportOptions o = Options();
    o.eventText = QStringLiteral("Wache {Letter}, Tag {LETTER}; Großeinsatz");
    o.calendarName = QStringLiteral("Station 3");
    const IcsCalendar calendar = BuildIcsCalendar(s, o);
    ASSERT_TRUE(calendar.ok()) << calendar.error.toStdString();
    const QByteArray& text = calendar.text;
    EXPECT_TRUE(text.startsWith("BEGIN:VCALENDAR\r\nPRODID:-//Kestro//Kestro "));
    EXPECT_TRUE(text.endsWith("END:VEVENT\r\nEND:VCALENDAR\r\n"));
    EXPECT_EQ(Values(text, QStringLiteral("VERSION")), QStringList{QStringLiteral("2.0")});
    EXPECT_EQ(Values(text, QStringLiteral("NAME")), QStringList{QStringLiteral("Station 3")});
    EXPECT_EQ(Values(text, QStringLiteral("X-WR-CALNAME")),
              QStringList{QStringLiteral("Station 3")});
    const QStringList stamps = Values(text, QStringLiteral("DTSTAMP"));
    EXPECT_EQ(QSet<QString>(stamps.begin(), stamps.end()),
              QSet<QString>{QStringLiteral("20240102T030405Z")});
    EXPECT_EQ(Values(text, QStringLiteral("CATEGORIES")).join(QString()), QStringLiteral("AABC"));
    // Red, aqua in its "$" form, and no color for a system color.
    EXPECT_EQ(Values(text, QStringLiteral("COLOR")),
              (QStringList{QStringLiteral("red"), QStringLiteral("red"), QStringLiteral("aqua")}));
    EXPECT_EQ(Values(text, QStringLiteral("SUMMARY")).first(),
              QStringLiteral("Wache A\\, Tag A\\; Großeinsatz"));
    // A's cut days of the first cycle, then its run over the end of the cycle.
    EXPECT_EQ(Values(text, QStringLiteral("DTSTART")).mid(0, 2),
              (QStringList{QStringLiteral("VALUE=DATE:20240301"),
                           QStringLiteral("VALUE=DATE:20240308")}));
    EXPECT_EQ(Values(text, QStringLiteral("DTEND")).mid(0, 2),
              (QStringList{QStringLiteral("VALUE=DATE:20240303"),
                           QStringLiteral("VALUE=DATE:20240311")}));
    EXPECT_EQ(Values(text, QStringLiteral("RRULE")).first(),
              QStringLiteral("FREQ=DAILY;INTERVAL=8"));
}

TEST(BuildIcsCalendar, KeepsEachEventsIdentityForTheSameSettingsFile) {
    const ScheduleSettings s = Schedule(QStringLiteral("AABBBCCA"));
    IcsExportOptions o = Options();
    const QStringList uids = Values(BuildIcsCalendar(s, o).text, QStringLiteral("UID"));
    EXPECT_EQ(uids.size(), 4);
    EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), uids.size());
    o.exportTime = o.exportTime.addDays(40);
    o.eventText = QStringLiteral("Shift {letter}");
    o.until = kStart + 8 * 100 + 4; // the end of a B run, where no run is cut
    EXPECT_EQ(Values(BuildIcsCalendar(s, o).text, QStringLiteral("UID")).join(u' ').toStdString(),
              uids.join(u' ').toStdString());
    o.sourceFile = QStringLiteral("/home/chief/Other.ini");
    for (const QString& uid : Values(BuildIcsCalendar(s, o).text, QStringLiteral("UID")))
        EXPECT_FALSE(uids.contains(uid)) << uid.toStdString();
}

TEST(WriteIcsFile, WritesTheFileButNeverOverTheSettingsFileOrAFolder) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Dunmarek.ini"));
    QFile(settings).open(QIODevice::WriteOnly);
    QFile::link(settings, dir.filePath(QStringLiteral("link.ics")));
    const struct {
        QString path;
        const char* error;
    } cases[] = {
        {dir.filePath(QStringLiteral("shifts.ics")), ""},
        {settings, "is the settings file itself"},
        {dir.filePath(QStringLiteral("link.ics")), "is the settings file itself"},
        {dir.path(), "is a folder"},
        {QString(), "The calendar file has no name."},
        {dir.filePath(QStringLiteral("missing/shifts.ics")), "Could not write the calendar file"},
    };
    for (const auto& c : cases) {
        const QString error = WriteIcsFile(c.path, "BEGIN:VCALENDAR\r\n", settings);
        EXPECT_TRUE(error.contains(QLatin1String(c.error))) << error.toStdString();
        if (!QFileInfo(c.path).isDir()) {
            EXPECT_EQ(QFile(c.path).size(), *c.error ? 0 : 17) << c.path.toStdString();
        }
    }
    EXPECT_EQ(QFile(settings).size(), 0);
}

} // namespace
} // namespace kestro

namespace kestro {
namespace {

TEST(BuildIcsCalendar, WritesEveryDateFrom1600To3999) {
    const struct {
        DayNumber start;
        std::optional<DayNumber> from, until;
        const char* firstStart; // DTSTART of the first event
        const char* lastEnd;    // DTEND of the last event, or UNTIL of the last series
    } cases[] = {
        {DateToDayNumber(1, 1, 1600, 0),
         {},
         DateToDayNumber(10, 1, 1600, 0),
         "16000101",
         "UNTIL=16000110"},
        {DateToDayNumber(1, 3, 2024, 0), DateToDayNumber(1, 1, 3001, 0), {}, "30010101", ""},
        {DateToDayNumber(1, 12, 3999, 0),
         {},
         DateToDayNumber(31, 12, 3999, 0),
         "39991201",
         "UNTIL=39991231"},
        {DateToDayNumber(1, 12, 3999, 0), DateToDayNumber(31, 12, 3999, 0),
         DateToDayNumber(31, 12, 3999, 0), "39991231", "DTEND;VALUE=DATE:40000101"},
    };
    for (const auto& c : cases) {
        IcsExportOptions o = Options();
        o.from = c.from;
        o.until = c.until;
        const IcsCalendar calendar = BuildIcsCalendar(Schedule(QStringLiteral("A"), c.start), o);
        ASSERT_TRUE(calendar.ok()) << calendar.error.toStdString();
        EXPECT_FALSE(calendar.text.contains("00000000")) << calendar.text.constData();
        EXPECT_EQ(Values(calendar.text, QStringLiteral("DTSTART")).first(),
                  QStringLiteral("VALUE=DATE:") + QLatin1String(c.firstStart));
        EXPECT_TRUE(calendar.text.contains(c.lastEnd)) << calendar.text.constData();
    }
}

// Readers that count 1700 as a leap year get every series right that starts after February 1700
// or ends before it.
TEST(BuildIcsCalendar, NoSeriesRunsAcrossFebruary1700) {
    const QRegularExpression series(QStringLiteral(
        "DTSTART;VALUE=DATE:(\\d{8})\r\nDTEND[^\r]*\r\nRRULE:[^\r]*?(?:UNTIL=(\\d{8}))?\r\n"));
    const IcsCalendar calendar =
        BuildIcsCalendar(Schedule(kClassic, DateToDayNumber(1, 6, 1699, 0)), Options());
    ASSERT_TRUE(calendar.ok());
    int early = 0, late = 0;
    for (const auto& m : series.globalMatch(QString::fromUtf8(calendar.text))) {
        const bool before = m.captured(1) < QLatin1String("17000301");
        (before ? early : late) += 1;
        if (before) {
            EXPECT_LT(m.captured(2), QLatin1String("17000301")) << m.captured(0).toStdString();
        }
    }
    EXPECT_EQ(early, 24);
    EXPECT_EQ(late, 24);
    const QStringList uids = Values(calendar.text, QStringLiteral("UID"));
    EXPECT_EQ(QSet<QString>(uids.begin(), uids.end()).size(), uids.size());
}

TEST(BuildIcsCalendar, WritesOneEventPerDayWhenAsked) {
    IcsExportOptions o = Options();
    o.oneDayEvents = true;
    const IcsCalendar calendar = BuildIcsCalendar(Schedule(QStringLiteral("AABBBCCA")), o);
    ASSERT_TRUE(calendar.ok());
    EXPECT_EQ(calendar.events, 8);
    EXPECT_EQ(calendar.text.count("RRULE:FREQ=DAILY;INTERVAL=8"), 8);
    const QStringList starts = Values(calendar.text, QStringLiteral("DTSTART"));
    const QStringList ends = Values(calendar.text, QStringLiteral("DTEND"));
    ASSERT_EQ(starts.size(), ends.size());
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const QDate start = QDate::fromString(starts[i].right(8), QStringLiteral("yyyyMMdd"));
        EXPECT_EQ(start.addDays(1),
                  QDate::fromString(ends[i].right(8), QStringLiteral("yyyyMMdd")));
    }
}

TEST(BuildIcsCalendar, EscapesAndFoldsTheCalendarsName) {
    const struct {
        QString name;
        const char* line; // as written, folded
    } cases[] = {
        {QStringLiteral("Station 3, A; B\\C"), "X-WR-CALNAME:Station 3\\, A\\; B\\\\C\r\n"},
        {QString(70, QChar(u'\u00E9')),
         "X-WR-CALNAME:" // 13 octets, then 31 two-octet letters; never a letter cut in two
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"
         "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\r\n "},
    };
    for (const auto& c : cases) {
        IcsExportOptions o = Options();
        o.calendarName = c.name;
        const IcsCalendar calendar = BuildIcsCalendar(Schedule(kClassic), o);
        ASSERT_TRUE(calendar.ok());
        EXPECT_TRUE(calendar.text.contains(c.line)) << calendar.text.left(400).constData();
    }
}

// A subscriber's calendar changes only when the schedule does.
TEST(BuildIcsCalendar, GivesTheSameFileForTheSameSettingsFileByAnyName) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Dunmarek.ini"));
    QFile(file).open(QIODevice::WriteOnly);
    QFile::link(file, dir.filePath(QStringLiteral("link.ini")));
    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    const QDateTime modified(QDate(2025, 6, 7), QTime(8, 9, 10), Qt::UTC);
    ASSERT_TRUE(touched.setFileTime(modified, QFileDevice::FileModificationTime));
    touched.close();

    IcsExportOptions o = Options();
    o.exportTime = {};
    o.sourceFile = file;
    const QByteArray first = BuildIcsCalendar(Schedule(kClassic), o).text;
    o.sourceFile = dir.filePath(QStringLiteral("./link.ini"));
    EXPECT_EQ(BuildIcsCalendar(Schedule(kClassic), o).text, first);
    const QStringList stamps =
        Values(first, QStringLiteral("DTSTAMP")) + Values(first, QStringLiteral("LAST-MODIFIED"));
    EXPECT_EQ(QSet<QString>(stamps.begin(), stamps.end()),
              QSet<QString>{QStringLiteral("20250607T080910Z")});
}

} // namespace
} // namespace kestro
