// A file larger than SettingsFileMaxBytes is no settings file: reading it whole could exhaust
// memory. It reads as unreadable, a save refuses it, and a save never makes a file the program
// could not read back. The large files here are sparse (made with a size, not with bytes), so
// they take no disk space and no time to make.

#include "ReliabilityTestSupport.h"

#include "files/SettingsFileIO.h"
#include "ini/IniDocument.h"
#include "settings/LoadSettings.h"
#include "support/FixedClock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kestro::reliability {
namespace {

const QByteArray Schedule = "[Shift Schedule]\nNumberOfPlatoons=5\n";

// The schedule followed by NUL bytes up to `size`.
QString MakeSparseSettings(const QTemporaryDir& dir, qint64 size) {
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    WriteBytes(path, Schedule);
    QFile file(path);
    if (!file.resize(size))
        throw std::runtime_error("cannot resize the test file");
    return path;
}

struct FileState {
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    QByteArray head;

    friend bool operator==(const FileState& a, const FileState& b) {
        return a.inode == b.inode && a.size == b.size && a.modified.tv_sec == b.modified.tv_sec &&
               a.modified.tv_nsec == b.modified.tv_nsec && a.head == b.head;
    }
};

// Enough to tell that a file was neither replaced nor written to, without reading it whole.
FileState StateOf(const QString& path) {
    FileState state;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return state;
    state.inode = st.st_ino;
    state.size = st.st_size;
    state.modified = st.st_mtim;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        state.head = file.read(4096);
    return state;
}

TEST(SettingsFileSizeLimit, FilesUpToTheLimitAreReadAndLargerOnesAreNot) {
    const struct {
        qint64 size;
        FileReadStatus expected;
    } cases[] = {
        {SettingsFileMaxBytes, FileReadStatus::Read},
        {SettingsFileMaxBytes + 1, FileReadStatus::Unreadable},
        {qint64(5) * 1024 * 1024 * 1024, FileReadStatus::Unreadable}, // past 32-bit sizes
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = MakeSparseSettings(dir, c.size);
        FileBytes file = ReadFileBytes(path);
        EXPECT_EQ(file.status, c.expected) << c.size;
        if (c.expected == FileReadStatus::Read) {
            EXPECT_EQ(file.bytes.size(), c.size);
            EXPECT_TRUE(file.bytes.startsWith(Schedule));
        } else {
            EXPECT_TRUE(file.bytes.isEmpty());
        }
    }
}

TEST(SettingsFileSizeLimit, AFileOverTheLimitLoadsAsNoFile) {
    QTemporaryDir dir;
    const test::FixedClock clock({15, 6, 2024});
    const ShortDateFormat format = DefaultShortDateFormat();
    ScheduleSettings loaded;
    const LoadOutcome outcome =
        LoadSettings(MakeSparseSettings(dir, SettingsFileMaxBytes + 1), loaded, format, clock);
    EXPECT_EQ(loaded, NoFileSettings(DateToDayNumber(1, 6, 2024, 0)));
    EXPECT_EQ(outcome.fileError, QStringLiteral("The file is larger than 128 MiB"));
    ASSERT_NE(loaded.NumberOfPlatoons, 5); // else the file's own key would go unnoticed
}

// Near the limit a save is refused when the lines it adds would carry the file past it, and
// made when they fit.
TEST(SettingsFileSizeLimit, ASaveNeverMakesAFileTheProgramCannotRead) {
    const SaveRequest request = StandardSave();
    const struct {
        qint64 size;
        bool saved;
    } cases[] = {
        {SettingsFileMaxBytes + 1, false},
        {SettingsFileMaxBytes - 16, false},
        {SettingsFileMaxBytes - 64 * 1024, true},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = MakeSparseSettings(dir, c.size);
        const FileState before = StateOf(path);
        EXPECT_EQ(request.SaveTo(path), c.saved) << c.size;
        if (!c.saved) {
            EXPECT_EQ(StateOf(path), before) << c.size;
            EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
            continue;
        }
        const FileBytes saved = ReadFileBytes(path);
        ASSERT_EQ(saved.status, FileReadStatus::Read);
        EXPECT_GT(saved.bytes.size(), c.size);
        EXPECT_EQ(ReadIniValue(ParseIni(saved.bytes), QStringLiteral("Shift Schedule"),
                               QStringLiteral("NumberOfPlatoons")),
                  QStringLiteral("3"));
    }
}

} // namespace
} // namespace kestro::reliability
