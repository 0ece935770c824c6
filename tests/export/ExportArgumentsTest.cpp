#include "export/ExportArguments.h"

#include "support/DateFormats.h"
#include "support/ProgramRun.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::Day;
using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

using test::Args;

TEST(ReadIcsCommandLine, ReadsTheOptionsAndLeavesTheSettingsFilesToTheSearch) {
    const ShortDateFormat us = DefaultShortDateFormat(); // M/d/yyyy
    const struct {
        QStringList args;
        const char* out;
        std::optional<DayNumber> from, until;
        const char* platoons;
        QStringList files;
    } cases[] = {
        {Args({"--export-ics", "a.ics"}), "a.ics", {}, {}, "", {}},
        {Args({"-iX.ini", "--export-ics=a.ics", "--platoons", "ab", "--from", "2024-03-01",
               "--until=12/31/24", "Y"}),
         "a.ics", Day(1, 3, 2024), Day(31, 12, 2024), "ab", Args({"-iX.ini", "Y"})},
        {Args({"--export-ics", "a.ics", "--from", " 1600-1-1 ", "--until", "3/1/3999"}),
         "a.ics",
         Day(1, 1, 1600),
         Day(1, 3, 3999),
         "",
         {}},
    };
    for (const auto& c : cases) {
        const IcsCommandLine command = ReadIcsCommandLine(c.args, us, 2026);
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(command.error.isEmpty()) << what << ": " << command.error.toStdString();
        EXPECT_EQ(command.outputFile, QLatin1String(c.out)) << what;
        EXPECT_EQ(command.options.from, c.from) << what;
        EXPECT_EQ(command.options.until, c.until) << what;
        EXPECT_EQ(command.options.platoons, QLatin1String(c.platoons)) << what;
        EXPECT_EQ(command.settingsArguments, c.files) << what;
        EXPECT_EQ(command.options.eventText, DefaultEventText);
        EXPECT_EQ(command.options.calendarName, DefaultCalendarName);
    }
    const IcsCommandLine texts = ReadIcsCommandLine(
        Args({"--export-ics", "a", "--text", "On duty: {letter}", "--name=Station 3"}), us, 2026);
    EXPECT_EQ(texts.options.eventText, QStringLiteral("On duty: {letter}"));
    EXPECT_EQ(texts.options.calendarName, QStringLiteral("Station 3"));
    EXPECT_FALSE(texts.options.oneDayEvents);
    const IcsCommandLine days =
        ReadIcsCommandLine(Args({"--one-day-events", "--export-ics", "a", "X"}), us, 2026);
    EXPECT_TRUE(days.options.oneDayEvents) << days.error.toStdString();
    EXPECT_EQ(days.settingsArguments, Args({"X"}));
}

TEST(ReadIcsCommandLine, SaysWhatIsWrongWithTheArguments) {
    const struct {
        QStringList args;
        const char* error; // its start
    } cases[] = {
        {Args({"--from", "2024-03-01", "X.ini"}),
         "--from can only be used with --export-ics OUT.ics."},
        {Args({"--export-ics"}), "--export-ics needs a value."},
        {Args({"--export-ics", "--from", "2024-03-01"}), "--export-ics needs a value."},
        {Args({"--export-ics="}), "--export-ics needs a file name."},
        {Args({"--export-ics", "a", "--export-ics", "b"}), "--export-ics is given twice."},
        {Args({"--export-ics", "a", "--form", "2024-03-01"}), "Unknown option --form."},
        {Args({"--export-ics", "a", "--from", "2024-02-30"}),
         "--from: \"2024-02-30\" is not a date from 1600 to 3999. Write it as yyyy-mm-dd or in "
         "your short date format (M/d/yyyy)."},
        {Args({"--export-ics", "a", "--until", "1599-12-31"}), "--until: \"1599-12-31\""},
        {Args({"--export-ics", "a", "--until", "31.12.2024"}), "--until: \"31.12.2024\""},
        {Args({"--export-ics", "a", "--year", "2025"}), "--year cannot be used with --export-ics."},
        {Args({"--export-ics", "a", "--platoons", ""}),
         "--platoons needs at least one platoon letter."},
        {Args({"--export-ics", "a", "--platoons= "}),
         "--platoons needs at least one platoon letter."},
        {Args({"--export-ics", "a", "--one-day-events=yes"}), "--one-day-events takes no value."},
    };
    for (const auto& c : cases) {
        const QString error = ReadIcsCommandLine(c.args, DefaultShortDateFormat(), 2026).error;
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error)))
            << c.args.join(QLatin1Char(' ')).toStdString() << ": " << error.toStdString();
    }
}

TEST(ReadExportDate, TakesIsoDatesAlwaysAndOtherwiseTheShortDateFormat) {
    const struct {
        const char* pattern;
        const char* text;
        std::optional<DayNumber> day;
    } cases[] = {
        {"dd.MM.yyyy", "01.03.2024", Day(1, 3, 2024)},
        {"dd.MM.yyyy", "2024-03-01", Day(1, 3, 2024)},
        {"dd.MM.yyyy", "1.3.24", Day(1, 3, 2024)},
        {"dd.MM.yyyy", "2024.03.01", std::nullopt},
        {"dd-MM-yyyy", "01-03-2024", Day(1, 3, 2024)},
        {"dd-MM-yyyy", "2024-03-01", Day(1, 3, 2024)}, // four digits first: year, month, day
        {"yyyy-MM-dd", "2024-3-1", Day(1, 3, 2024)},
        {"M/d/yyyy", "3/1/2024", Day(1, 3, 2024)},
        {"M/d/yyyy", "2/29/2023", std::nullopt},
        {"M/d/yyyy", "2024-03", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadExportDate(QLatin1String(c.text),
                                 ShortDateFormatFromPattern(QLatin1String(c.pattern)), 2026),
                  c.day)
            << c.pattern << " " << c.text;
}

TEST(IsIcsExportRequest, LooksForTheExportOptionsOnly) {
    EXPECT_TRUE(IsIcsExportRequest(Args({"-iX", "--export-ics", "a.ics"})));
    EXPECT_TRUE(IsIcsExportRequest(Args({"--until=2024-01-01"})));
    EXPECT_FALSE(IsIcsExportRequest(Args({"-i--export-ics", "--export", "export-ics"})));
    EXPECT_FALSE(IsIcsExportRequest({}));
}

TEST(ReadPdfCommandLine, ReadsOneYearOrARangeTheCurrentOneWithout) {
    const struct {
        QStringList args;
        YearRange years;
        QStringList files;
    } cases[] = {
        {Args({"--export-pdf", "a.pdf"}), {2026, 2026}, {}},
        {Args({"-iX", "--export-pdf=a.pdf", "--year", "2024"}), {2024, 2024}, Args({"-iX"})},
        {Args({"--years=2024-2026", "--export-pdf", "a.pdf", "Y"}), {2024, 2026}, Args({"Y"})},
        {Args({"--export-pdf", "a.pdf", "--years", " 1600 - 1699 "}), {1600, 1699}, {}},
    };
    for (const auto& c : cases) {
        const PdfCommandLine command = ReadPdfCommandLine(c.args, 2026);
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_TRUE(command.error.isEmpty()) << what << ": " << command.error.toStdString();
        EXPECT_EQ(command.outputFile, QStringLiteral("a.pdf")) << what;
        EXPECT_EQ(command.years, c.years) << what;
        EXPECT_EQ(command.settingsArguments, c.files) << what;
    }
    EXPECT_TRUE(IsPdfExportRequest(Args({"--year=2024"})));
    EXPECT_FALSE(IsPdfExportRequest(Args({"--export-ics", "a", "--from", "2024-01-01"})));
    // The command named decides; the other's options are then refused by name.
    EXPECT_FALSE(IsPdfExportRequest(Args({"--export-ics", "a", "--year", "2025"})));
    EXPECT_TRUE(IsIcsExportRequest(Args({"--export-ics", "a", "--year", "2025"})));
    EXPECT_FALSE(IsIcsExportRequest(Args({"--export-pdf", "a", "--from", "2024-01-01"})));
}

TEST(ReadPdfCommandLine, SaysWhatIsWrongWithTheArguments) {
    const struct {
        QStringList args;
        const char* error;
    } cases[] = {
        {Args({"--year", "2024"}), "--year can only be used with --export-pdf OUT.pdf."},
        {Args({"--export-pdf", "a", "--year", "2024", "--years", "2024-2025"}),
         "Give either --year or --years."},
        {Args({"--export-pdf", "a", "--year", "2024-2025"}),
         "--year: \"2024-2025\" is not a year such as 2025."},
        {Args({"--export-pdf", "a", "--years", "2024..2025"}),
         "--years: \"2024..2025\" is not a year or years such as 2025-2027."},
        {Args({"--export-pdf", "a", "--years", "2026-2024"}),
         "--years 2026-2024: The last year, 2024, comes before the first, 2026."},
        {Args({"--export-pdf", "a", "--year", "99"}),
         "--year 99: A calendar can show the years 1600 to 3999."},
        {Args({"--export-pdf", "a", "--from", "2024-01-01"}),
         "--from cannot be used with --export-pdf."},
        {Args({"--export-pdf", "a", "--export-ics", "b"}),
         "--export-ics cannot be used with --export-pdf."},
        {Args({"--export-pdf="}), "--export-pdf needs a file name."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadPdfCommandLine(c.args, 2026).error.toStdString(), c.error);
}

// "Days in Rotation" as the window reads it from the file, or nothing to export.
TEST(LoadedScheduleProblem, TakesTheDaysOnlyAsTheWindowReadsThem) {
    ScheduleSettings settings = AbsentKeyDefaults();
    settings.DaysInRotation = 3;
    settings.ShiftRotation = QStringLiteral("ABC");
    settings.StartDay = Day(1, 3, 2024);
    const struct {
        std::optional<QString> days;
        const char* problem;
    } cases[] = {
        {QStringLiteral("3"), ""},
        {QStringLiteral("$3"), ""},
        {QStringLiteral("+0x3"), ""},
        {std::nullopt, "f.ini: \"Days in Rotation\" is missing."},
        {QStringLiteral("3.0"), "f.ini: \"Days in Rotation\" is not a whole number (\"3.0\")."},
        {QStringLiteral("4294967299"),
         "f.ini: \"Days in Rotation\" is not a whole number (\"4294967299\")."},
    };
    for (const auto& c : cases) {
        LoadOutcome loaded;
        loaded.daysInRotationText = c.days;
        EXPECT_EQ(LoadedScheduleProblem(QStringLiteral("f.ini"), loaded, settings).toStdString(),
                  c.problem);
    }
}

} // namespace
} // namespace kestro
