#include "settings/LoadSettings.h"

#include "settings/SaveSettings.h"

#include "support/DateFormats.h"
#include "support/Files.h"
#include "support/FixedClock.h"
#include "support/IniTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestro {
namespace {

using test::DefaultShortDateFormat;

using test::FixedClock;

class LoadSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FixedClock clock{{15, 6, 2024}};
    ShortDateFormat format = DefaultShortDateFormat();

    QString Write(const QByteArray& text) {
        const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
        test::WriteBytes(path, text);
        return path;
    }
    ScheduleSettings Load(const QByteArray& text, LoadOutcome* outcome = nullptr,
                          kestro::LetterSet before = kestro::LetterSet::AToF) {
        ScheduleSettings s;
        s.LetterSet = before;
        const LoadOutcome result = LoadSettings(Write(text), s, format, clock);
        if (outcome)
            *outcome = result;
        return s;
    }
    DayNumber FirstOfJune() const { return DateToDayNumber(1, 6, 2024, 0); }
};

TEST_F(LoadSettingsTest, AFileWithOnlyTheScheduleTakesEveryOtherDefault) {
    LoadOutcome outcome;
    const ScheduleSettings s = Load("[Shift Schedule]\nNumberOfPlatoons=4\nDaysInRotation=6\n"
                                    "ShiftRotation=ABCDAB\nStartDate=3/1/2024\n",
                                    &outcome);
    ScheduleSettings expected = AbsentKeyDefaults();
    expected.NumberOfPlatoons = 4;
    expected.DaysInRotation = 6;
    expected.ShiftRotation = QStringLiteral("ABCDAB");
    expected.StartDateText = QStringLiteral("3/1/2024");
    expected.StartDay = DateToDayNumber(1, 3, 2024, 0);
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.PlatoonColors[u'A'], (ColorPair{0x0000FF, 0xFFFFFF}));
    EXPECT_FALSE(outcome.startDateInvalid);
    EXPECT_TRUE(outcome.letterSetFromRotation);
}

TEST_F(LoadSettingsTest, ReadsValueFormsAndNamesInAnyCase) {
    struct Case {
        const char* file;
        bool (*check)(const ScheduleSettings&);
    };
    const Case cases[] = {
        {"[config]\nshowyear=0\n", [](const ScheduleSettings& s) { return !s.ShowYear; }},
        {"[Config]\nShowYear=2\n", [](const ScheduleSettings& s) { return s.ShowYear; }},
        {"[Config]\nShowYear=-1\n", [](const ScheduleSettings& s) { return s.ShowYear; }},
        {"[Config]\nShowYear=yes\nReverseUpDown=yes\n",
         [](const ScheduleSettings& s) { return s.ShowYear && !s.ReverseUpDown; }},
        {"[Config]\nShowYear=\n", [](const ScheduleSettings& s) { return s.ShowYear; }},
        {"[SHIFT SCHEDULE]\nNUMBEROFPLATOONS=  4  \n",
         [](const ScheduleSettings& s) { return s.NumberOfPlatoons == 4; }},
        {"[Shift Schedule]\nNumberOfPlatoons=0x4\n",
         [](const ScheduleSettings& s) { return s.NumberOfPlatoons == 4; }},
        {"[Shift Schedule]\nNumberOfPlatoons=4a\n",
         [](const ScheduleSettings& s) { return s.NumberOfPlatoons == 3; }},
        {"[Shift Schedule]\nShiftRotation=\n",
         [](const ScheduleSettings& s) { return s.ShiftRotation.isEmpty(); }},
        {"[Shift Schedule]\nShiftRotation=\"ABC\"\n",
         [](const ScheduleSettings& s) { return s.ShiftRotation == QLatin1String("ABC"); }},
        {"[Colors]\nbplt=$FF8000\nbkgr=btnface\nGridColor=Nonsense\n",
         [](const ScheduleSettings& s) {
             return s.PlatoonColors[u'B'].normal == 0x020080FF && s.BkGr == 0xFF00000F &&
                    s.GridColor == 0xFF000005 && s.FrameColor == 0x808080;
         }},
        {"[Fonts]\nHdrFontStyle=italic\nCalFontSize=$10\n",
         [](const ScheduleSettings& s) {
             return s.HdrFontStyle == QLatin1String("italic") && s.CalFontSize == 16 &&
                    s.CalFontName == QLatin1String("Arial");
         }},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(c.check(Load(c.file))) << c.file;
}

TEST_F(LoadSettingsTest, StartDateFallsBackToTheFirstOfTheMonthWhenItCannotBeRead) {
    const struct {
        const char* date;
        DayNumber expected; // InvalidDay: the message and the first of June 2024
    } cases[] = {
        {"3/1/2024", DateToDayNumber(1, 3, 2024, 0)},
        {"12/31/3999", DateToDayNumber(31, 12, 3999, 0)},
        {"2/30/2024", InvalidDay},
        {"3/1/24", DateToDayNumber(1, 3, 2024, 0)},
        {"3/1/99", DateToDayNumber(1, 3, 2099, 0)},
        {"3/1", DateToDayNumber(1, 3, 2024, 0)},
        {"12/31/1599", InvalidDay},
        {"3/1/2024 10:00", InvalidDay},
        {"", InvalidDay},
        {"March 1, 2024", InvalidDay},
    };
    for (const auto& c : cases) {
        LoadOutcome outcome;
        const QByteArray file = QByteArray("[Shift Schedule]\nStartDate=") + c.date + "\n";
        const ScheduleSettings s = Load(file.constData(), &outcome);
        EXPECT_EQ(outcome.startDateInvalid, c.expected == InvalidDay) << c.date;
        EXPECT_EQ(s.StartDay, c.expected == InvalidDay ? FirstOfJune() : c.expected) << c.date;
        EXPECT_EQ(s.StartDateText, QLatin1String(c.date));
    }
}

TEST_F(LoadSettingsTest, TheFilesOwnEpochPlacesItsThreeDigitYears) {
    EXPECT_EQ(Load("[Config]\nEpoch=2050\n[Shift Schedule]\nStartDate=1/1/099\n").StartDay,
              DateToDayNumber(1, 1, 2099, 0));
    EXPECT_EQ(Load("[Shift Schedule]\nStartDate=1/1/099\n").StartDay,
              DateToDayNumber(1, 1, 1999, 0));
}

TEST_F(LoadSettingsTest, TheRotationsFirstCharacterChoosesTheLetterSet) {
    const struct {
        const char* rotation;
        kestro::LetterSet before;
        kestro::LetterSet after;
        bool chosen;
    } cases[] = {
        {"krgk", LetterSet::AToF, LetterSet::ColorLetters, true},
        {"cab", LetterSet::OneToSix, LetterSet::AToF, true},
        {"1234", LetterSet::AToF, LetterSet::OneToSix, true},
        {"7ABC", LetterSet::OneToSix, LetterSet::OneToSix, false},
        {"ZABC", LetterSet::ColorLetters, LetterSet::ColorLetters, false},
        {"", LetterSet::OneToSix, LetterSet::OneToSix, false},
    };
    for (const auto& c : cases) {
        LoadOutcome outcome;
        const QByteArray file = QByteArray("[Shift Schedule]\nShiftRotation=") + c.rotation + "\n";
        EXPECT_EQ(Load(file.constData(), &outcome, c.before).LetterSet, c.after) << c.rotation;
        EXPECT_EQ(outcome.letterSetFromRotation, c.chosen) << c.rotation;
    }
}

TEST_F(LoadSettingsTest, AMissingFileGivesEveryAbsentKeyDefault) {
    ScheduleSettings s = NoFileSettings(5);
    s.LetterSet = LetterSet::OneToSix;
    const LoadOutcome outcome =
        LoadSettings(dir.filePath(QStringLiteral("nothing.ini")), s, format, clock);
    EXPECT_TRUE(outcome.startDateInvalid);
    ScheduleSettings expected = AbsentKeyDefaults();
    expected.StartDay = FirstOfJune();
    EXPECT_EQ(s, expected);
    EXPECT_EQ(s.LetterSet, LetterSet::AToF);
    EXPECT_EQ(outcome.fileError, QString());
}

// A file that is there but cannot be read says why, and the editor starts as without a file
// (one over the size limit: SettingsFileSizeLimit in reliability_tests).
TEST_F(LoadSettingsTest, AFileThatCannotBeReadGivesTheNoFileValuesAndTheReason) {
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    const QByteArray name = QFile::encodeName(path);
    const struct {
        const char* what;
        void (*arrange)(const QString& path);
        bool asNobody;
        const char* reason;
    } cases[] = {
        {"folder", [](const QString& p) { QDir().mkdir(p); }, false, "It is a folder, not a file"},
        {"pipe", [](const QString& p) { ::mkfifo(QFile::encodeName(p).constData(), 0644); }, false,
         "It is not a regular file"},
        {"no permission",
         [](const QString& p) {
             test::WriteBytes(p, "[Shift Schedule]\nNumberOfPlatoons=5\n");
             ::chmod(QFile::encodeName(p).constData(), 0200);
         },
         true, "Permission denied"},
    };
    ScheduleSettings expected = NoFileSettings(FirstOfJune());
    for (const auto& c : cases) {
        ::rmdir(name.constData());
        ::unlink(name.constData());
        c.arrange(path);
        const pid_t child = ::fork();
        if (child == 0) {
            if (c.asNobody && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                ::_exit(3);
            ScheduleSettings s;
            s.LetterSet = LetterSet::OneToSix;
            const LoadOutcome outcome = LoadSettings(path, s, format, clock);
            const bool ok = outcome.fileError == QLatin1String(c.reason) && s == expected &&
                            !outcome.startDateInvalid && outcome.letterSetFromRotation;
            ::_exit(ok ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        if (WEXITSTATUS(status) == 3) {
            std::cout << "[ skipped  ] " << c.what << ": cannot become the user nobody\n";
            continue;
        }
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.what;
    }
    EXPECT_EQ(CouldNotReadText(QStringLiteral("/x/Dunmarek.ini"), QStringLiteral("Why")),
              QStringLiteral("Could not read /x/Dunmarek.ini\nWhy"));
}

TEST_F(LoadSettingsTest, ReadsUtf16InEitherByteOrderWithOrWithoutAByteOrderMark) {
    const QString text = QStringLiteral("[Shift Schedule]\r\nNumberOfPlatoons=5\r\n"
                                        "ShiftRotation=ABC\u00C9\r\n[Colors]\r\nAPlt=Lime\r\n");
    for (const QByteArray& file :
         {Utf16File(text), Utf16BeFile(text), Utf16Text(text), Utf16Text(text, true)}) {
        const ScheduleSettings s = Load(file);
        EXPECT_EQ(s.NumberOfPlatoons, 5) << Escaped(file.first(8));
        EXPECT_EQ(s.ShiftRotation, QStringLiteral("ABC\u00C9"));
        EXPECT_EQ(s.PlatoonColors[u'A'].normal, 0x00FF00u);
    }
}

TEST_F(LoadSettingsTest, RecordsWhichColorsTheFileSetEvenWhenTheyEqualTheDefaults) {
    const struct {
        const char* file;
        UserSetColors expected;
    } cases[] = {
        {"[Fonts]\nHdrFontName=Arial\n[Colors]\nBkGr=White\n", {}},
        {"[Fonts]\nHdrFontColor=Black\n", {true, false, {}, {}}},
        {"[Colors]\nLdTr=Silver\nBInv=White\n", {false, true, {}, {false, true}}},
        {"[Colors]\nAPlt=Red\nPPlt=Unknown\n",
         {false,
          false,
          {true, false, false, false, false, false, false, false, false, false, false, false, false,
           false, false, false, false, true},
          {}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Load(c.file).UserSet, c.expected) << c.file;
}

TEST_F(LoadSettingsTest, ReportsTheKeysWhoseValuesWereCut) {
    const QByteArray rotation(3000, 'A');
    const QByteArray quoted = '"' + QByteArray(IniValueMaxLength, 'x') + '"'; // fits: not cut
    LoadOutcome outcome;
    const ScheduleSettings s = Load(
        "[Shift Schedule]\nShiftRotation=" + rotation + "\nDaysInRotation=3000\n[Fonts]\n" +
            "HdrFontName=" + quoted + "\nCalFontName=" + QByteArray(IniValueMaxLength + 1, 'f') +
            "\n[Colors]\nBkGr=" + QByteArray(5000, 'w') + "\n",
        &outcome);
    EXPECT_EQ(outcome.cutKeys,
              (QStringList{QStringLiteral("ShiftRotation"), QStringLiteral("CalFontName"),
                           QStringLiteral("BkGr")}));
    EXPECT_EQ(s.ShiftRotation, QString::fromLatin1(rotation.first(IniValueMaxLength)));
    EXPECT_EQ(s.HdrFontName.size(), IniValueMaxLength);
    EXPECT_TRUE(Load("[Shift Schedule]\nShiftRotation=ABC\n", &outcome).ShiftRotation.size() == 3);
    EXPECT_TRUE(outcome.cutKeys.isEmpty());
}

// A settings file too large for the memory the process may have: in a child process whose
// allocations are limited to 64 MiB (an address-space limit, or the sanitizer's allocation limit,
// which an address-space limit would break), reading it throws std::bad_alloc. The load must go
// on as for a file that cannot be read, and a save must fail and leave the file alone.
TEST_F(LoadSettingsTest, RunningOutOfMemoryReadsLikeAnUnreadableFile) {
    // Written piece by piece: the child process below runs this too, under the limit.
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Shift Schedule]\nNumberOfPlatoons=5\nStartDate=3/1/2024\n[Notes]\n");
        const QByteArray note = "Note=" + QByteArray(1000, 'n') + "\n";
        while (file.size() < 96 * 1024 * 1024)
            file.write(note);
    }
    const QFileInfo before(path);

#if defined(__SANITIZE_ADDRESS__)
    const QByteArray options = qgetenv("ASAN_OPTIONS");
    qputenv("ASAN_OPTIONS", options + ":allocator_may_return_null=1:max_allocation_size_mb=64");
    const auto limitMemory = [] { return true; };
#else
    const auto limitMemory = [] {
        long pages = 0;
        std::FILE* statm = std::fopen("/proc/self/statm", "r");
        const bool read = statm && std::fscanf(statm, "%ld", &pages) == 1;
        if (statm)
            std::fclose(statm);
        const rlim_t bytes = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (64u << 20);
        const rlimit limit{bytes, bytes};
        return read && ::setrlimit(RLIMIT_AS, &limit) == 0;
    };
#endif
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto loadAndSave = [&] {
        if (!limitMemory())
            std::_Exit(3);
        ScheduleSettings s;
        const LoadOutcome outcome = LoadSettings(path, s, format, clock);
        const ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                                        QStringLiteral("ABC"), QString()};
        const bool saved = bool(SaveSettingsFile(path, fields, s, false, format));
        const bool asUnreadable = s.NumberOfPlatoons == 3 && !outcome.startDateInvalid &&
                                  outcome.fileError == QLatin1String(FileReasons::OutOfMemory);
        std::_Exit(asUnreadable && !saved ? 0 : 1);
    };
    EXPECT_EXIT(loadAndSave(), testing::ExitedWithCode(0), "");
#if defined(__SANITIZE_ADDRESS__)
    qputenv("ASAN_OPTIONS", options);
#endif
    const QFileInfo after(path);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.lastModified(), before.lastModified());
    // Without the limit the same file reads.
    ScheduleSettings s;
    EXPECT_FALSE(LoadSettings(path, s, format, clock).startDateInvalid);
    EXPECT_EQ(s.NumberOfPlatoons, 5);
}

} // namespace
} // namespace kestro
