// kestro --export-ics, run as a user runs it.
#include "support/Files.h"
#include "support/KestroRun.h"
#include "support/PdfTools.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro::test {
namespace {

const QByteArray kClassic = SettingsText("ACABABABCBCACACABABCBCBC", "3/1/2024");

TEST(ExportIcsCommand, WritesTheCalendarOfTheFileTheWindowWouldOpen) {
    const struct {
        QStringList args;
        const char* settingsFile; // below the home folder
        const char* out;
    } cases[] = {
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), "/Dunmarek.ini",
         "Wrote out.ics: 24 events for platoons A, B, C from 2024-03-01, repeating without end.\n"},
        {Args({"--platoons=b", "--until", "12/31/2024", "--export-ics", "out.ics"}),
         "/.config/Halvgard/Dunmarek6/Dunmarek.ini",
         "Wrote out.ics: 8 events for platoon B from 2024-03-01 to 2024-12-31.\n"},
    };
    for (const auto& c : cases) {
        QTemporaryDir home;
        const QString settings = home.path() + QLatin1String(c.settingsFile);
        WriteBytes(settings, kClassic);
        const QDateTime modified = QFileInfo(settings).lastModified();
        const ProgramRun run = RunKestro(c.args, home.path());
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out.toStdString(), c.out);
        EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
        EXPECT_TRUE(
            ReadBytes(home.filePath(QStringLiteral("out.ics"))).startsWith("BEGIN:VCALENDAR"));
        EXPECT_EQ(ReadBytes(settings), kClassic);
        EXPECT_EQ(QFileInfo(settings).lastModified(), modified);
    }
}

TEST(ExportPdfCommand, WritesOnePagePerYearOnTheLocalesPaper) {
    const QString thisYear = QString::number(QDate::currentDate().year());
    const struct {
        QStringList args;
        QStringList environment;
        QString out;
        const char* pages;
        const char* paper;
    } cases[] = {
        {Args({"--export-pdf", "wall.pdf", "--years", "2024-2026", "-iDunmarek"}),
         {},
         QStringLiteral("Wrote wall.pdf: the years 2024 to 2026 on 3 A4 pages.\n"),
         "3",
         "842 x 595 pts (A4)"},
        {Args({"--export-pdf", "wall.pdf", "-iDunmarek"}),
         Args({"LC_ALL=", "LC_PAPER=en_CA.UTF-8", "XDG_RUNTIME_DIR="}),
         QStringLiteral("Wrote wall.pdf: the year %1 on one Letter page.\n").arg(thisYear), "1",
         "792 x 612 pts (letter)"},
    };
    if (!HavePdfTools())
        std::puts(MissingPdfTools);
    for (const auto& c : cases) {
        QTemporaryDir home;
        const QString settings = home.filePath(QStringLiteral("Dunmarek.ini"));
        WriteBytes(settings, kClassic);
        const ProgramRun run = RunKestro(c.args, home.path(), c.environment);
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitCode, 0) << what << run.err.toStdString();
        EXPECT_EQ(run.out, c.out) << what;
        EXPECT_EQ(run.err, QString()) << what; // no notes of Qt's either
        EXPECT_EQ(ReadBytes(settings), kClassic);
        const QString pdf = home.filePath(QStringLiteral("wall.pdf"));
        EXPECT_TRUE(ReadBytes(pdf).startsWith("%PDF-")) << what;
        if (!HavePdfTools())
            continue;
        const QString info = PdfInfo(pdf).value_or(QString());
        EXPECT_TRUE(info.contains(
            QRegularExpression(QStringLiteral("Pages:\\s+%1\n").arg(QLatin1String(c.pages)))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QLatin1String(c.paper))) << info.toStdString();
    }
}

// Either export: exit code 2 for arguments or a settings file it cannot use, 1 when the file cannot
// be written; one line on stderr, nothing written, the settings file as it was.
TEST(ExportCommands, WriteNothingAndSayWhyWhenTheyCannot) {
    const QByteArray mismatch =
        "[Shift Schedule]\nDaysInRotation=4\nShiftRotation=ABC\nStartDate=3/1/2024\n";
    const struct {
        QStringList args;
        QByteArray settings; // in Dunmarek.ini, when not empty
        int exitCode;
        const char* error; // what stderr holds
    } cases[] = {
        {Args({"--export-ics", "out.ics", "-imissing"}), kClassic, 2,
         "/missing.ini does not exist."},
        {Args({"--export-ics", "out.ics"}), "", 2, "kestro: No settings file found."},
        {Args({"--export-ics", "out.ics", "--colour", "red", "Dunmarek.ini"}), kClassic, 2,
         "kestro: Unknown option --colour. See kestro --help."},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), SettingsText("ABC", "31/31/2024"), 2,
         "The start date \"31/31/2024\" in "},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), mismatch, 2,
         "/Dunmarek.ini: \"Shift Rotation\" does not match number of \"Days in Rotation\"."},
        {Args({"--export-ics", "Dunmarek.ini", "-iDunmarek"}), kClassic, 2,
         "Dunmarek.ini is the settings file itself"},
        {Args({"--export-ics", "no/out.ics", "-iDunmarek"}), kClassic, 1,
         "kestro: Could not write the calendar file no/out.ics: No such file or directory\n"},
        {Args({"--export-pdf", "out.pdf", "--years", "2024-2023", "-iDunmarek"}), kClassic, 2,
         "kestro: --years 2024-2023: The last year, 2023, comes before the first, 2024. See "
         "kestro --help.\n"},
        {Args({"--export-pdf", "out.pdf", "-iDunmarek"}), mismatch, 2,
         "/Dunmarek.ini: \"Shift Rotation\" does not match number of \"Days in Rotation\"."},
        {Args({"--export-pdf", "no/out.pdf", "-iDunmarek"}), kClassic, 1,
         "kestro: Could not write the PDF file no/out.pdf: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        QTemporaryDir home;
        const QString settings = home.filePath(QStringLiteral("Dunmarek.ini"));
        if (!c.settings.isEmpty()) {
            WriteBytes(settings, c.settings);
        }
        const ProgramRun run = RunKestro(c.args, home.path());
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.error)))
            << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith(QLatin1Char('\n')) && run.err.count(QLatin1Char('\n')) == 1)
            << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << what;
        EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  c.settings.isEmpty() ? QStringList()
                                       : QStringList{QStringLiteral("Dunmarek.ini")})
            << what;
        if (!c.settings.isEmpty()) {
            EXPECT_EQ(ReadBytes(settings), c.settings) << what;
        }
    }
}

} // namespace
} // namespace kestro::test
