// kestro --export-ics, run as a user runs it.
#include "support/Files.h"
#include "support/KestroRun.h"
#include "support/PdfTools.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        {Args({"--platoons=c", "--until", "3/2/2024", "--export-ics", "out.ics", "-iDunmarek"}),
         "/Dunmarek.ini", "Wrote out.ics: 1 event for platoon C from 2024-03-01 to 2024-03-02.\n"},
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
    const auto days = [](const QByteArray& line) {
        return "[Shift Schedule]\n" + line + "ShiftRotation=ABC\nStartDate=3/1/2024\n";
    };
    const QByteArray withNul = QByteArray("[Shift Schedule]\nDaysInRotation=3\nShiftRotation=A") +
                               '\0' + "C\nStartDate=3/1/2024\n";
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
        // What the window would not take, neither export takes.
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), days(""), 2,
         "/Dunmarek.ini: \"Days in Rotation\" is missing."},
        {Args({"--export-pdf", "out.pdf", "-iDunmarek"}), days(""), 2,
         "/Dunmarek.ini: \"Days in Rotation\" is missing."},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), days("DaysInRotation=abc\n"), 2,
         "\"Days in Rotation\" is not a whole number (\"abc\")."},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), days("DaysInRotation=\n"), 2,
         "\"Days in Rotation\" is not a whole number (\"\")."},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), days("DaysInRotation=3abc\n"), 2,
         "\"Days in Rotation\" is not a whole number (\"3abc\")."},
        {Args({"--export-pdf", "out.pdf", "-iDunmarek"}),
         days("DaysInRotation=12345678901234567890\n"), 2,
         "\"Days in Rotation\" is not a whole number (\"12345678901234567890\")."},
        {Args({"--export-pdf", "out.pdf", "-iDunmarek"}), SettingsText("AbC", "3/1/2024"), 2,
         "Day 2 of the rotation is \"b\", which is not a platoon letter"},
        {Args({"--export-ics", "out.ics", "-iDunmarek"}), withNul, 2,
         "Day 2 of the rotation is \"\\x00\", which is not a platoon letter (A to F, 1 to 6, K, "
         "L, R, G, Y, P).\n"},
        {Args({"--export-ics", "out.ics", "--year", "2025", "-iDunmarek"}), kClassic, 2,
         "kestro: --year cannot be used with --export-ics. See kestro --help.\n"},
        {Args({"--export-ics", "out.ics", "--platoons", "", "-iDunmarek"}), kClassic, 2,
         "--platoons needs at least one platoon letter."},
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

// A name that is no regular file is named for what it is, not as missing.
TEST(ExportCommands, SayWhatStandsAtTheSettingsFilesName) {
    QTemporaryDir home;
    const QDir dir(home.path());
    dir.mkdir(QStringLiteral("folder.ini"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("fifo.ini"))), 0600), 0);
    QFile::link(QStringLiteral("/dev/null"), dir.filePath(QStringLiteral("device.ini")));
    QFile::link(dir.filePath(QStringLiteral("loop.ini")), dir.filePath(QStringLiteral("loop.ini")));
    QFile big(dir.filePath(QStringLiteral("big.ini")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64(129) << 20));
    big.close();
    const struct {
        const char* name;
        const char* error;
    } cases[] = {
        {"folder", "folder.ini cannot be read: It is a folder, not a file.\n"},
        {"fifo", "fifo.ini cannot be read: It is not a regular file.\n"},
        {"device", "device.ini cannot be read: It is not a regular file.\n"},
        {"loop", "loop.ini cannot be read: Too many levels of symbolic links.\n"},
        {"big", "big.ini cannot be read: The file is larger than 128 MiB.\n"},
    };
    for (const auto& c : cases) {
        for (const char* command : {"--export-ics", "--export-pdf"}) {
            const ProgramRun run = RunKestro({QLatin1String(command), QStringLiteral("out"),
                                              QStringLiteral("-i") + QLatin1String(c.name)},
                                             home.path());
            EXPECT_EQ(run.exitCode, 2) << c.name;
            EXPECT_TRUE(run.err.endsWith(QLatin1String(c.error)))
                << command << " " << c.name << ": " << run.err.toStdString();
            EXPECT_FALSE(dir.exists(QStringLiteral("out")));
        }
    }
}

// Names that are not UTF-8 are used as the bytes they are, for the settings file and the output.
TEST(ExportCommands, TakeFileNamesAsTheirBytes) {
    QTemporaryDir home;
    const QByteArray folder = QFile::encodeName(home.path()) + '/';
    WriteBytes(home.filePath(QStringLiteral("S\uFFFD.ini")), "decoy");
    {
        QFile settings;
        const int fd = ::open(folder + "S\xFF.ini", O_CREAT | O_WRONLY, 0644);
        ASSERT_TRUE(settings.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        settings.write(kClassic);
    }
    for (const char* kind : {"ics", "pdf"}) {
        // The shell hands the program the bytes; QProcess would turn them into text first.
        const QString script = QStringLiteral("exec \"$0\" --export-%1 \"$(printf 'out\\377.%1')\" "
                                              "\"$(printf -- '-iS\\377')\" >said")
                                   .arg(QLatin1String(kind));
        const ProgramRun run = RunProgram(
            QStringLiteral("/bin/sh"),
            {QStringLiteral("-c"), script, QString::fromUtf8(KESTRO_EXECUTABLE)}, home.path());
        EXPECT_EQ(run.exitCode, 0) << kind << ": " << run.err.toStdString();
        const QByteArray out = "out\xFF." + QByteArray(kind);
        struct stat written {};
        EXPECT_EQ(::stat(folder + out, &written), 0) << kind;
        EXPECT_GT(written.st_size, 1000) << kind;
        EXPECT_TRUE(ReadBytes(home.filePath(QStringLiteral("said"))).startsWith("Wrote " + out))
            << kind;
        EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("out\uFFFD.") + QLatin1String(kind))));
        // QTemporaryDir cannot name it to remove it.
        ::unlink(folder + out);
    }
    EXPECT_EQ(ReadBytes(home.filePath(QStringLiteral("S\uFFFD.ini"))), "decoy");
    ::unlink(folder + "S\xFF.ini");
}

} // namespace
} // namespace kestro::test
