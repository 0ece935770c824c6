// Exported calendars expanded by independent readers (Python's icalendar and
// recurring_ical_events) over ten years, day by day against RotationLetter.
#include "export/IcsExport.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"
#include "support/Files.h"
#include "support/KestroRun.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro::test {
namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// The expected letters of each day from windowStart to ten years after first.
QByteArray ExpectedDays(const ScheduleSettings& s, const QString& letters, DayNumber first,
                        std::optional<DayNumber> until) {
    QByteArray lines;
    for (DayNumber d = first - 40; d <= first + 3653; ++d) {
        const QChar letter = RotationLetter(d, s.StartDay, s.DaysInRotation, s.ShiftRotation);
        const bool exported = d >= first && (!until || d <= *until) && letters.contains(letter);
        lines +=
            IsoDateText(d).toLatin1() + ' ' + (exported ? QString(letter).toLatin1() : "-") + '\n';
    }
    return lines;
}

struct Expansion {
    bool skipped = false;
    int exitCode = -1;
    std::string output;
};

Expansion Expand(const QString& ics, const QString& expected) {
    if (!QFileInfo(kPython).isExecutable())
        return {true, -1, "skipped: no /usr/bin/python3"};
    QProcess python;
    python.start(kPython, {QStringLiteral(EXPAND_ICS_SCRIPT), ics, expected});
    if (!python.waitForFinished(120000))
        return {};
    const std::string output =
        python.readAll().toStdString() + python.readAllStandardError().toStdString();
    return {python.exitCode() == 77, python.exitCode(), output};
}

TEST(IndependentReader, ExpandsEachExportToExactlyTheRotationsDays) {
    const struct {
        const char* rotation;
        CalendarDate start;
        const char* platoons;
        std::optional<int> from, until; // days after the start
        bool oneDayEvents = false;
    } cases[] = {
        {"ACABABABCBCACACABABCBCBC", {1, 3, 2024}, "", {}, {}},
        {"A", {15, 6, 2023}, "", {}, {}},
        {"ABC", {1, 1, 2025}, "", {}, {}},
        {"KKLRRGYYPK", {10, 10, 2022}, "", {}, {}},
        {"ABBCA", {29, 2, 2024}, "", {}, {}},
        {"ACABABABCBCACACABABCBCBC", {1, 3, 2024}, "CA", -30, 400},
        {"AABBBCCA", {31, 12, 2023}, "", 1, 8 * 50 + 5},
        {"AABBBCCA", {31, 12, 2023}, "b", 3, 3},
        {"ABBCA", {29, 2, 2024}, "A", 7, {}},
        {"A", {15, 6, 2023}, "", 100, 2000},
        // Series before March 1700 end there, and begin again after it.
        {"ACABABABCBCACACABABCBCBC", {1, 6, 1699}, "", {}, {}},
        {"AABBBCCA", {20, 2, 1700}, "B", {}, 30},
        {"ACABABABCBCACACABABCBCBC", {1, 3, 2024}, "", {}, {}, true},
        {"A", {1, 1, 3990}, "", {}, {}, true},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        ScheduleSettings s = AbsentKeyDefaults();
        s.ShiftRotation = QLatin1String(c.rotation);
        s.DaysInRotation = int(s.ShiftRotation.size());
        s.StartDay = DateToDayNumber(c.start.day, c.start.month, c.start.year, 0);
        IcsExportOptions o;
        o.platoons = QLatin1String(c.platoons);
        o.oneDayEvents = c.oneDayEvents;
        if (c.from)
            o.from = s.StartDay + *c.from;
        if (c.until)
            o.until = s.StartDay + *c.until;
        const IcsCalendar calendar = BuildIcsCalendar(s, o);
        ASSERT_TRUE(calendar.ok()) << calendar.error.toStdString();
        const QString ics = dir.filePath(QStringLiteral("calendar.ics"));
        const QString expected = dir.filePath(QStringLiteral("expected.txt"));
        WriteBytes(ics, calendar.text);
        WriteBytes(expected, ExpectedDays(s, calendar.platoons, calendar.first, o.until));
        const Expansion run = Expand(ics, expected);
        if (run.skipped)
            GTEST_SKIP() << run.output;
        EXPECT_EQ(run.exitCode, 0) << c.rotation << " " << c.platoons << "\n" << run.output;
    }
}

TEST(IndependentReader, ExpandsTheProgramsExportOfTheClassicRotation) {
    QTemporaryDir home;
    WriteBytes(home.filePath(QStringLiteral("Dunmarek.ini")),
               SettingsText("ACABABABCBCACACABABCBCBC", "3/1/2024"));
    const ProgramRun run = RunKestro(
        {QStringLiteral("--export-ics"), QStringLiteral("shifts.ics"), QStringLiteral("Dunmarek")},
        home.path());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    ScheduleSettings s = AbsentKeyDefaults();
    s.StartDay = DateToDayNumber(1, 3, 2024, 0);
    const QString expected = home.filePath(QStringLiteral("expected.txt"));
    WriteBytes(expected, ExpectedDays(s, QStringLiteral("ABC"), s.StartDay, {}));
    const Expansion expansion = Expand(home.filePath(QStringLiteral("shifts.ics")), expected);
    if (expansion.skipped)
        GTEST_SKIP() << expansion.output;
    EXPECT_EQ(expansion.exitCode, 0) << expansion.output;
}

} // namespace
} // namespace kestro::test
