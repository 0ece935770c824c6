#include "settings/SaveSettings.h"

#include "files/FileName.h"
#include "settings/LoadSettings.h"

#include "support/Files.h"
#include "support/FixedClock.h"

#include "support/DateFormats.h"
#include "support/IniTestSupport.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestro {
namespace {

using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

using test::ReadBytes;
using test::WriteBytes;

class SaveSettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ShortDateFormat format = DefaultShortDateFormat();
    ScheduleSettings settings = AbsentKeyDefaults();
    ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                              QStringLiteral("ACABABABCBCACACABABCBCBC"), QString()};
    QString path;

    void SetUp() override {
        settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
        path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    }
    SaveResult Save(bool backgroundChanged = false) {
        return SaveSettingsFile(path, fields, settings, backgroundChanged, format);
    }
};

TEST_F(SaveSettingsTest, ChangesOnlyTheScheduleAndTheColorsInUseByteForByte) {
    const QByteArray before = "; Dunmarek settings\r\n"
                              "[Shift Schedule]\r\n"
                              "NumberOfPlatoons = 2 \r\n"
                              "DaysInRotation=4\r\n"
                              "ShiftRotation=\"ABAB\"\r\n"
                              "StartDate=1/1/2020\r\n"
                              "\r\n"
                              "[Config]\r\n"
                              "Epoch=1975\r\n"
                              "ShowYear=0\r\n"
                              "[Fonts]\r\n"
                              "HdrFontName=Times New Roman\r\n"
                              "[Colors]\r\n"
                              "APlt=Red\r\n"
                              "AInv=White\r\n"
                              "BPlt=$00FF80\r\n"
                              "BInv=Black\r\n"
                              "DPlt=Aqua\r\n"
                              "GridColor=Gray\r\n"
                              "FrameColor=Gray\r\n"
                              "; end of colors\r\n";
    WriteBytes(path, before);
    settings.PlatoonColors[u'A'] = {0x00FF00, 0x000000};
    settings.PlatoonColors[u'B'] = {NameToColor(QStringLiteral("$00FF80")), 0xFFFFFF};
    settings.PlatoonColors[u'C'] = {0x800080, 0xFFFFFF};
    ASSERT_TRUE(Save());
    const QByteArray after = "; Dunmarek settings\r\n"
                             "[Shift Schedule]\r\n"
                             "NumberOfPlatoons = 3 \r\n"
                             "DaysInRotation=24\r\n"
                             "ShiftRotation=ACABABABCBCACACABABCBCBC\r\n"
                             "StartDate=3/1/2024\r\n"
                             "\r\n"
                             "[Config]\r\n"
                             "Epoch=1975\r\n"
                             "ShowYear=0\r\n"
                             "[Fonts]\r\n"
                             "HdrFontName=Times New Roman\r\n"
                             "[Colors]\r\n"
                             "APlt=Lime\r\n"
                             "AInv=Black\r\n"
                             "BPlt=$00FF80\r\n"
                             "BInv=White\r\n"
                             "DPlt=Aqua\r\n"
                             "GridColor=Gray\r\n"
                             "FrameColor=Gray\r\n"
                             "CPlt=Purple\r\n"
                             "CInv=White\r\n"
                             "; end of colors\r\n";
    EXPECT_EQ(ReadBytes(path), after);
}

TEST_F(SaveSettingsTest, ANewFileHoldsTheScheduleThenTheColors) {
    settings.LetterSet = LetterSet::ColorLetters;
    fields.numberOfPlatoons = QStringLiteral("+07");
    ASSERT_TRUE(Save(true));
    EXPECT_EQ(ReadBytes(path), QByteArray("[Shift Schedule]\n"
                                          "NumberOfPlatoons=7\n"
                                          "DaysInRotation=24\n"
                                          "ShiftRotation=ACABABABCBCACACABABCBCBC\n"
                                          "StartDate=3/1/2024\n"
                                          "[Colors]\n"
                                          "KPlt=Black\nKInv=White\n"
                                          "LPlt=Blue\nLInv=White\n"
                                          "RPlt=Red\nRInv=White\n"
                                          "GPlt=Lime\nGInv=Black\n"
                                          "YPlt=Yellow\nYInv=Black\n"
                                          "PPlt=Purple\nPInv=White\n"
                                          "BkGr=White\n"
                                          "LdTr=Silver\n"));
}

TEST_F(SaveSettingsTest, WritesThePairsOfThePlatoonsInUse) {
    const struct {
        kestro::LetterSet set;
        int platoons;
        const char* expectedKeys;
    } cases[] = {
        {LetterSet::AToF, 1, "AB"},
        {LetterSet::AToF, -5, "AB"},
        {LetterSet::AToF, 3, "ABC"},
        {LetterSet::AToF, 5, "ABCDE"},
        {LetterSet::AToF, 99, "ABCDEF"},
        {LetterSet::OneToSix, 4, "1234"},
        {LetterSet::ColorLetters, 3, "KLRGYP"},
        {LetterSet::ColorLetters, 1, "KLRGYP"},
    };
    for (const auto& c : cases) {
        QFile::remove(path);
        settings.LetterSet = c.set;
        settings.NumberOfPlatoons = c.platoons;
        ASSERT_TRUE(Save());
        ScheduleSettings blank;
        const test::FixedClock clock{{1, 1, 2024}};
        LoadSettings(path, blank, format, clock);
        const QByteArray written = ReadBytes(path);
        for (char16_t letter : PlatoonLetters) {
            const QByteArray key = QString(QChar(letter)).toLatin1() + "Plt=";
            const bool expected = QByteArray(c.expectedKeys).contains(char(letter));
            EXPECT_EQ(written.contains("\n" + key), expected)
                << int(c.set) << " " << c.platoons << " " << char(letter);
        }
        EXPECT_FALSE(written.contains("BkGr"));
    }
}

TEST_F(SaveSettingsTest, FailsWithoutTouchingTheFileWhenAValueCannotBeWritten) {
    const QByteArray before = "[Shift Schedule]\nNumberOfPlatoons=2\n";
    const char* platoons = "\"Number of Platoons\" is not a whole number";
    const char* days = "\"Days in Rotation\" is not a whole number";
    const char* date = "The start date is not a valid date";
    const struct {
        const char* platoons;
        const char* days;
        DayNumber start;
        const char* reason;
    } cases[] = {
        {"", "24", 1000, platoons}, {"abc", "24", 1000, platoons},   {"3", "", 1000, days},
        {"3", " 24", 1000, days},   {"3", "2147483648", 1000, days}, {"3", "24", InvalidDay, date},
        {"3", "24", 876582, date},
    };
    for (const auto& c : cases) {
        WriteBytes(path, before);
        fields.numberOfPlatoons = QLatin1String(c.platoons);
        fields.daysInRotation = QLatin1String(c.days);
        settings.StartDay = c.start;
        const SaveResult result = Save();
        EXPECT_FALSE(result) << c.platoons << "|" << c.days << "|" << c.start;
        EXPECT_EQ(result.reason, QLatin1String(c.reason));
        EXPECT_EQ(ReadBytes(path), before);
    }
}

TEST_F(SaveSettingsTest, ARotationWithALineBreakCannotAddLinesToTheFile) {
    const QByteArray before = "[Shift Schedule]\nNumberOfPlatoons=2\n";
    for (const char* rotation : {"ABC\n[Config]\nEpoch=1", "AB\rC"}) {
        WriteBytes(path, before);
        fields.rotation = QLatin1String(rotation);
        EXPECT_EQ(Save().reason, QStringLiteral("The value for ShiftRotation holds a line break"))
            << rotation;
        EXPECT_EQ(ReadBytes(path), before);
    }
}

TEST_F(SaveSettingsTest, SavesUnderTheLongestNameAFolderAllows) {
    // 255 bytes is the longest name of a folder entry here.
    path = dir.filePath(QString(251, QLatin1Char('n')) + QStringLiteral(".ini"));
    ASSERT_TRUE(Save());
    EXPECT_TRUE(ReadBytes(path).startsWith("[Shift Schedule]\nNumberOfPlatoons=3\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A name whose bytes are not UTF-8 is written as those bytes, not under a name that reads the
// same as text.
TEST_F(SaveSettingsTest, ANameThatIsNotUtf8IsWrittenAsItsBytes) {
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray before = "[Config]\nEpoch=2050\n";
    for (const char* name : {"Dunmarek\xFF.ini", "Dunmarek\xEF\xBF\xBD.ini", "Dunmarek?.ini"}) {
        const int fd = ::open((folder + name).constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_EQ(::write(fd, before.constData(), std::size_t(before.size())), before.size());
        ::close(fd);
    }
    path = FileNameFromBytes(folder + "Dunmarek\xFF.ini");
    ASSERT_TRUE(Save());
    ScheduleSettings loaded;
    const test::FixedClock clock{{1, 1, 2024}};
    LoadSettings(path, loaded, format, clock);
    EXPECT_EQ(loaded.Epoch, 2050);
    EXPECT_EQ(loaded.DaysInRotation, 24);
    for (const char* name : {"Dunmarek\xEF\xBF\xBD.ini", "Dunmarek?.ini"})
        EXPECT_EQ(ReadBytes(QFile::decodeName(folder + name)), before) << name;
    // Qt's listing would read two of the names as one.
    int entries = 0;
    DIR* listing = ::opendir(folder.constData());
    while (const dirent* entry = ::readdir(listing))
        entries += entry->d_name[0] != '.';
    ::closedir(listing);
    EXPECT_EQ(entries, 3);
}

TEST_F(SaveSettingsTest, FailsForAFolderAtThePathOrAMissingFolder) {
    path = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
    EXPECT_FALSE(Save());
    EXPECT_TRUE(QFileInfo(path).isDir());
    path = dir.filePath(QStringLiteral("missing/Dunmarek.ini"));
    EXPECT_FALSE(Save());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("folder.ini")});
}

TEST_F(SaveSettingsTest, WritesThroughASymbolicLinkAndKeepsThePermissions) {
    const QString target = dir.filePath(QStringLiteral("real.ini"));
    WriteBytes(target, "[Config]\nEpoch=1975\n");
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("real.ini"), path));
    ASSERT_TRUE(Save());
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_TRUE(ReadBytes(target).startsWith("[Config]\nEpoch=1975\n[Shift Schedule]\n"));
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(SaveSettingsTest, ChangesAnotherProgramMadeSinceLoadingSurvive) {
    WriteBytes(path, "[Config]\nEpoch=1975\n[Shift Schedule]\nDaysInRotation=3\n");
    ScheduleSettings loaded;
    const test::FixedClock clock{{1, 1, 2024}};
    LoadSettings(path, loaded, format, clock);
    // Another program rewrites the file while it is open here.
    const pid_t other = ::fork();
    if (other == 0) {
        WriteBytes(path, "[Config]\nEpoch=2050\n[Shift Schedule]\nDaysInRotation=3\n");
        ::_exit(0);
    }
    int status = 1;
    ASSERT_EQ(::waitpid(other, &status, 0), other);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(SaveSettingsFile(path, fields, settings, false, format));
    const QByteArray after = ReadBytes(path);
    EXPECT_TRUE(after.contains("Epoch=2050\n"));
    EXPECT_TRUE(after.contains("DaysInRotation=24\n"));
}

TEST_F(SaveSettingsTest, AlwaysWritesAFourDigitYear) {
    format = ShortDateFormatFromPattern(QStringLiteral("d/M/yy"));
    ASSERT_TRUE(Save());
    EXPECT_TRUE(ReadBytes(path).contains("StartDate=1/3/2024\n"));
    ScheduleSettings loaded;
    const test::FixedClock clock{{1, 1, 2099}};
    LoadSettings(path, loaded, format, clock);
    EXPECT_EQ(loaded.StartDay, settings.StartDay);
}

TEST_F(SaveSettingsTest, HexColorsSurviveALoadAndASave) {
    WriteBytes(path, "[Colors]\nAPlt=$12AB9F\nAInv=$ffffff\n");
    ScheduleSettings loaded;
    const test::FixedClock clock{{1, 1, 2024}};
    LoadSettings(path, loaded, format, clock);
    loaded.StartDay = settings.StartDay;
    ASSERT_TRUE(SaveSettingsFile(path, fields, loaded, false, format));
    const QByteArray after = ReadBytes(path);
    EXPECT_TRUE(after.contains("APlt=$12AB9F\n")) << after.constData();
    EXPECT_TRUE(after.contains("AInv=$FFFFFF\n")) << after.constData();
}

TEST_F(SaveSettingsTest, WritesInTheFilesOwnEncodingAndNeverIntoOneItCannotTell) {
    const QString before = QStringLiteral("[Shift Schedule]\r\nNumberOfPlatoons=2\r\n");
    const QString after =
        QStringLiteral("[Shift Schedule]\r\nNumberOfPlatoons=3\r\nDaysInRotation=24\r\n"
                       "ShiftRotation=\u00C4BC\r\nStartDate=3/1/2024\r\n[Colors]\r\n"
                       "APlt=Red\r\nAInv=White\r\nBPlt=Blue\r\nBInv=White\r\n"
                       "CPlt=Lime\r\nCInv=Black\r\n");
    fields.rotation = QStringLiteral("\u00C4BC");
    settings.NumberOfPlatoons = 3;
    const struct {
        const char* name;
        QByteArray (*encode)(const QString&);
    } encodings[] = {
        {"UTF-8", [](const QString& t) { return t.toUtf8(); }},
        {"UTF-8 with BOM", [](const QString& t) { return "\xEF\xBB\xBF" + t.toUtf8(); }},
        {"UTF-16 LE with BOM", [](const QString& t) { return Utf16File(t); }},
        {"UTF-16 BE with BOM", [](const QString& t) { return Utf16BeFile(t); }},
        {"UTF-16 LE", [](const QString& t) { return Utf16Text(t); }},
        {"UTF-16 BE", [](const QString& t) { return Utf16Text(t, true); }},
    };
    for (const auto& e : encodings) {
        WriteBytes(path, e.encode(before));
        EXPECT_TRUE(Save()) << e.name;
        EXPECT_EQ(ReadBytes(path), e.encode(after)) << e.name;
    }
    // Zero bytes in the first line that fit neither byte order of UTF-16.
    for (const QByteArray& unknown :
         {QByteArray("[Shift Schedule]\0\r\nNumberOfPlatoons=2\r\n", 39),
          QByteArray("\xFF\xFE\0\0[\0\0\0", 8)}) {
        WriteBytes(path, unknown);
        EXPECT_FALSE(Save()) << Escaped(unknown);
        EXPECT_EQ(ReadBytes(path), unknown);
    }
}

TEST_F(SaveSettingsTest, AValueCutAtLoadStaysWholeUnlessItWasChanged) {
    const QByteArray rotation = QByteArray(1500, 'A') + QByteArray(1500, 'B');
    const QByteArray file =
        "[Shift Schedule]\nShiftRotation=" + rotation + "\nDaysInRotation=3000\n";
    const struct {
        QString typed; // the rotation field at the save; empty: as loaded
        QByteArray written;
    } cases[] = {
        {QString(), rotation},
        {QStringLiteral("ABAB"), "ABAB"},
        {QString::fromLatin1(rotation.first(2046)), rotation.first(2046)},
    };
    for (const auto& c : cases) {
        WriteBytes(path, file);
        ScheduleSettings loaded;
        const test::FixedClock clock{{1, 1, 2024}};
        ASSERT_EQ(LoadSettings(path, loaded, format, clock).cutKeys,
                  QStringList{QStringLiteral("ShiftRotation")});
        loaded.StartDay = settings.StartDay;
        fields.rotation = c.typed.isEmpty() ? loaded.ShiftRotation : c.typed;
        fields.daysInRotation = QStringLiteral("3000");
        ASSERT_TRUE(SaveSettingsFile(path, fields, loaded, false, format));
        EXPECT_TRUE(ReadBytes(path).startsWith("[Shift Schedule]\nShiftRotation=" + c.written +
                                               "\nDaysInRotation=3000\n"))
            << c.written.size();
    }
}

// Runs a save in a child process (so that limits and a changed user stay there) and reports
// whether it succeeded.
enum class ChildResult { Saved, Failed, CouldNotPrepare };

template <typename Prepare>
ChildResult SaveInChild(const QString& path, const ScheduleFieldTexts& fields,
                        const ScheduleSettings& settings, const ShortDateFormat& format,
                        Prepare prepare) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!prepare())
            ::_exit(3);
        ::_exit(SaveSettingsFile(path, fields, settings, false, format) ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return ChildResult::CouldNotPrepare;
    switch (WEXITSTATUS(status)) {
    case 0:
        return ChildResult::Saved;
    case 1:
        return ChildResult::Failed;
    default:
        return ChildResult::CouldNotPrepare;
    }
}

TEST_F(SaveSettingsTest, AWriteCutShortByTheFileSizeLimitLeavesTheOldFile) {
    QByteArray before = "[Shift Schedule]\nNumberOfPlatoons=2\n[Padding]\n";
    before += QByteArray(64 * 1024, 'x') + "\n";
    WriteBytes(path, before);
    const auto limitFileSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{16 * 1024, 16 * 1024};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };
    EXPECT_EQ(SaveInChild(path, fields, settings, format, limitFileSize), ChildResult::Failed);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// Root ignores permission bits, so the read-only cases run as the unprivileged user "nobody".
bool BecomeUnprivileged() {
    if (::geteuid() != 0)
        return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0 && ::geteuid() == 65534;
}

TEST_F(SaveSettingsTest, ReadOnlyFilesRefuseTheSave) {
    const QByteArray dirName = QFile::encodeName(dir.path());
    const QByteArray fileName = QFile::encodeName(path);
    const QByteArray before = "[Shift Schedule]\nNumberOfPlatoons=2\n";
    const struct {
        mode_t folderMode;
        mode_t fileMode;
        ChildResult expected;
    } cases[] = {
        {0777, 0666, ChildResult::Saved}, // the same user may save when nothing is read-only
        {0777, 0444, ChildResult::Failed},
        {0555, 0666, ChildResult::Saved}, // written in place
    };
    for (const auto& c : cases) {
        ASSERT_EQ(::chmod(dirName.constData(), 0777), 0);
        WriteBytes(path, before);
        ASSERT_EQ(::chmod(fileName.constData(), c.fileMode), 0);
        ASSERT_EQ(::chmod(dirName.constData(), c.folderMode), 0);
        const ChildResult result = SaveInChild(path, fields, settings, format, BecomeUnprivileged);
        ::chmod(dirName.constData(), 0777);
        if (result == ChildResult::CouldNotPrepare)
            GTEST_SKIP() << "cannot switch to an unprivileged user to test read-only files";
        EXPECT_EQ(result, c.expected) << std::oct << c.folderMode << " " << c.fileMode;
        if (c.expected == ChildResult::Failed)
            EXPECT_EQ(ReadBytes(path), before);
        else
            EXPECT_TRUE(ReadBytes(path).contains("NumberOfPlatoons=3\n"));
    }
}

} // namespace
} // namespace kestro
