#include "files/PieceWrite.h"

#include "files/SettingsFileIO.h"

#include "support/Files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace kestro {
namespace {

using test::ReadBytes;
using test::WriteBytes;

// The kernel's copy as the program has it, and stand-ins that count calls or fail.
const CopyRangeCall RealCopy = CopyFileRange;
int copyCalls = 0;
int copyError = 0;     // the errno a failing stand-in gives; 0 copies
ssize_t copyLimit = 0; // a stand-in copies at most this much in all, then fails; 0 for no limit
ssize_t copied = 0;

ssize_t StandIn(int in, off_t* inOffset, int out, off_t* outOffset, size_t size, unsigned flags) {
    ++copyCalls;
    if (copyLimit > 0 && copied >= copyLimit)
        copyError = EIO;
    if (copyError != 0) {
        errno = copyError;
        return -1;
    }
    if (copyLimit > 0)
        size = std::min(size, size_t(copyLimit - copied));
    const ssize_t done = RealCopy(in, inOffset, out, outOffset, size, flags);
    copied += done > 0 ? done : 0;
    return done;
}

// 200 000 bytes no two ranges of which are alike.
QByteArray OldContent() {
    QByteArray bytes;
    for (int i = 0; bytes.size() < 200000; ++i)
        bytes += "line " + QByteArray::number(i) + "\r\n";
    return bytes.left(200000);
}

// Large kept ranges around changed ones, a small kept range, and new bytes at both ends.
FilePieces Changed(const QByteArray& old) {
    FilePieces file;
    file.old = old;
    AddBytes(file, "head\n");
    KeepBytes(file, 0, 100000);
    AddBytes(file, "changed\r\n");
    KeepBytes(file, 100010, 5);
    KeepBytes(file, 100100, 99900);
    AddBytes(file, "tail");
    return file;
}

// A folder on a tmpfs, or empty when there is none.
QString TmpfsFolder(QTemporaryDir& dir) {
    struct statfs fs {};
    if (::statfs("/dev/shm", &fs) != 0 || fs.f_type != TMPFS_MAGIC)
        return {};
    dir = QTemporaryDir(QStringLiteral("/dev/shm/kestro-test-XXXXXX"));
    return dir.isValid() ? dir.path() : QString();
}

class PieceWriteTest : public ::testing::Test {
protected:
    QTemporaryDir disk;
    QTemporaryDir shm;
    QString tmpfs = TmpfsFolder(shm);
    void SetUp() override {
        copyCalls = 0;
        copyError = 0;
        copyLimit = 0;
        copied = 0;
        CopyFileRange = StandIn;
    }
    void TearDown() override { CopyFileRange = RealCopy; }
};

TEST_F(PieceWriteTest, EveryWayOfCopyingWritesTheSameBytes) {
    if (tmpfs.isEmpty())
        GTEST_SKIP() << "no tmpfs at /dev/shm";
    struct Case {
        const char* name;
        bool sourceOnTmpfs;
        bool targetOnTmpfs;
        int error;
        ssize_t limit;
        bool kernelCopies; // whether some bytes are expected to come from the kernel
    };
    const Case cases[] = {
        {"disk", false, false, 0, 0, true},
        {"tmpfs", true, true, 0, 0, true},
        {"another file system", true, false, 0, 0, false}, // the real call refuses: EXDEV
        {"no such call", false, false, ENOSYS, 0, false},
        {"not supported", false, false, EOPNOTSUPP, 0, false},
        {"invalid", false, false, EINVAL, 0, false},
        {"fails midway", false, false, 0, 70000, true},
    };
    const QByteArray old = OldContent();
    const FilePieces file = Changed(old);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        copyError = c.error;
        copyLimit = c.limit;
        const QString source = (c.sourceOnTmpfs ? tmpfs : disk.path()) + QStringLiteral("/old");
        const QString target = (c.targetOnTmpfs ? tmpfs : disk.path()) + QStringLiteral("/new");
        WriteBytes(source, old);
        const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_CLOEXEC);
        const int out = ::open(QFile::encodeName(target).constData(),
                               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(in, 0);
        ASSERT_GE(out, 0);
        EXPECT_TRUE(WritePieces(out, file, in));
        ::close(out);
        ::close(in);
        EXPECT_EQ(ReadBytes(target), JoinPieces(file));
        EXPECT_GT(copyCalls, 0);
        EXPECT_EQ(copied > 0, c.kernelCopies);
    }
}

// Writes a file, reads it as a save does and gives pieces that change a line of it.
struct ReadFile {
    FileBytes read;
    FilePieces pieces;
};
ReadFile Prepare(const QString& path) {
    WriteBytes(path, OldContent());
    ReadFile file{ReadFileBytes(path), {}};
    file.pieces = Changed(file.read.bytes);
    return file;
}

TEST_F(PieceWriteTest, ASaveCopiesFromTheOldFileOnlyWhileItIsTheOneRead) {
    const QString path = disk.filePath(QStringLiteral("Dunmarek.ini"));
    ReadFile file = Prepare(path);
    ASSERT_TRUE(WriteSettingsPieces(path, file.pieces, file.read.stamp));
    EXPECT_EQ(ReadBytes(path), JoinPieces(file.pieces));
    EXPECT_GT(copied, 0);

    // Another program rewrote the file since it was read: what was read is written, not its bytes.
    SetUp();
    file = Prepare(path);
    WriteBytes(path, QByteArray(OldContent().size(), 'x'));
    ASSERT_TRUE(WriteSettingsPieces(path, file.pieces, file.read.stamp));
    EXPECT_EQ(ReadBytes(path), JoinPieces(file.pieces));
    EXPECT_EQ(copyCalls, 0);
}

TEST_F(PieceWriteTest, AnUpdateInPlaceWritesTheKeptBytesFromMemory) {
    // A second link makes the save write into the file itself.
    const QString path = disk.filePath(QStringLiteral("Dunmarek.ini"));
    const QString link = disk.filePath(QStringLiteral("link.ini"));
    const ReadFile file = Prepare(path);
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);
    ASSERT_TRUE(WriteSettingsPieces(path, file.pieces, file.read.stamp));
    EXPECT_EQ(ReadBytes(path), JoinPieces(file.pieces));
    EXPECT_EQ(ReadBytes(link), JoinPieces(file.pieces));
    EXPECT_EQ(copyCalls, 0);
}

} // namespace
} // namespace kestro
