// Every way a save can fail, as the program meets it: the save returns false and everything on
// disk stays as it was, byte for byte, with no temporary file left. Each case runs twice in a
// child process under the same conditions (user, file-size limit): once with the obstacle, when
// the save must fail, and once without it, when the same save must succeed; so a failure is
// the obstacle's doing and not, say, a user who cannot reach the folder at all.

#include "ReliabilityTestSupport.h"

#include "files/SettingsFileIO.h"
#include "ini/IniDocument.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace kestro::reliability {
namespace {

const QString SettingsName = QStringLiteral("Dunmarek.ini");

struct Arranged {
    QString path; // where the save writes
    ChildConditions conditions;
};

// Builds a case in the empty folder `root`. With the obstacle the save must fail; without it,
// under the same conditions, it must succeed.
using Arrange = Arranged (*)(const QString& root, bool obstacle);

struct FailureCase {
    const char* name;
    Arrange arrange;
    const char* reason; // the line below the failure message
};

void PrintTo(const FailureCase& c, std::ostream* out) {
    *out << c.name;
}

QString MakeFolder(const QString& root, const char* name, mode_t mode) {
    const QString folder = root + u'/' + QLatin1String(name);
    Check(QDir().mkpath(folder), "mkdir");
    Check(::chmod(Name(folder).constData(), mode) == 0, "chmod folder");
    return folder;
}

QString MakeSettings(const QString& folder, const char* name, mode_t mode) {
    const QString path = folder + u'/' + QLatin1String(name);
    WriteBytes(path, RealisticSettingsFile(256 * 1024, 11));
    Check(::chmod(Name(path).constData(), mode) == 0, "chmod file");
    return path;
}

Arranged ReadOnlyFile(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0777);
    return {MakeSettings(folder, "Dunmarek.ini", obstacle ? 0444 : 0666), {true, 0, folder}};
}

// The save must read the file to keep the lines it does not write; it cannot, so it must not
// write either.
Arranged UnreadableFile(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0777);
    return {MakeSettings(folder, "Dunmarek.ini", obstacle ? 0222 : 0666), {true, 0, folder}};
}

Arranged ReadOnlyFileBehindALink(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0777);
    MakeSettings(folder, "real.ini", obstacle ? 0444 : 0666);
    const QString path = folder + u'/' + SettingsName;
    Check(QFile::link(QStringLiteral("real.ini"), path), "symlink");
    return {path, {true, 0, folder}};
}

Arranged MissingFolder(const QString& root, bool obstacle) {
    if (!obstacle)
        MakeFolder(root, "missing", 0755);
    return {root + QStringLiteral("/missing/") + SettingsName, {}};
}

Arranged LinkIntoAMissingFolder(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0755);
    if (!obstacle)
        MakeFolder(folder, "gone", 0755);
    const QString path = folder + u'/' + SettingsName;
    Check(QFile::link(QStringLiteral("gone/real.ini"), path), "symlink");
    return {path, {}};
}

Arranged FolderInPlaceOfTheFile(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0755);
    if (obstacle) {
        const QString inside = MakeFolder(folder, "Dunmarek.ini", 0755);
        WriteBytes(inside + QStringLiteral("/keep.txt"), "kept\n");
    }
    return {folder + u'/' + SettingsName, {}};
}

Arranged PipeInPlaceOfTheFile(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0755);
    const QString path = folder + u'/' + SettingsName;
    if (obstacle)
        Check(::mkfifo(Name(path).constData(), 0644) == 0, "mkfifo");
    return {path, {}};
}

// A write cut short by RLIMIT_FSIZE stands for any write error, a full disk among them.
Arranged FileSizeLimit(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0755);
    const QString path = MakeSettings(folder, "Dunmarek.ini", 0644);
    return {path, {false, obstacle ? rlim_t(64 * 1024) : rlim_t(16 * 1024 * 1024), {}}};
}

// Larger than the program reads: it reads as unreadable, so a save must not replace it.
Arranged FileOverTheSizeCap(const QString& root, bool obstacle) {
    const QString folder = MakeFolder(root, "case", 0755);
    const QString path = MakeSettings(folder, "Dunmarek.ini", 0644);
    if (obstacle) {
        QFile file(path);
        Check(file.resize(SettingsFileMaxBytes + 1), "resize"); // sparse: takes no disk space
    }
    return {path, {}};
}

const FailureCase Cases[] = {
    {"ReadOnlyFile", ReadOnlyFile, "Permission denied"},
    {"UnreadableFile", UnreadableFile, "Permission denied"},
    {"ReadOnlyFileBehindALink", ReadOnlyFileBehindALink, "Permission denied"},
    {"MissingFolder", MissingFolder, "No such file or directory"},
    {"LinkIntoAMissingFolder", LinkIntoAMissingFolder, "No such file or directory"},
    {"FolderInPlaceOfTheFile", FolderInPlaceOfTheFile, "It is a folder, not a file"},
    {"PipeInPlaceOfTheFile", PipeInPlaceOfTheFile, "It is not a regular file"},
    {"FileSizeLimit", FileSizeLimit, "File too large"},
    {"FileOverTheSizeCap", FileOverTheSizeCap, "The file is larger than 128 MiB"},
};

// Everything under root as lstat and the bytes see it: type, permissions, link targets and the
// contents of regular files (as a hash, so that a large file costs no memory).
std::map<std::string, std::string> Snapshot(const QString& root) {
    std::map<std::string, std::string> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        std::string state;
        if (::lstat(Name(path).constData(), &st) != 0) {
            state = "gone";
        } else {
            state = "mode " + std::to_string(st.st_mode) + " size " + std::to_string(st.st_size);
            if (S_ISLNK(st.st_mode)) {
                state += " link " + QFile::symLinkTarget(path).toStdString();
            } else if (S_ISREG(st.st_mode)) {
                QFile file(path);
                QCryptographicHash hash(QCryptographicHash::Sha256);
                if (file.open(QIODevice::ReadOnly) && hash.addData(&file))
                    state += " sha256 " + hash.result().toHex().toStdString();
                else
                    state += " unreadable";
            }
        }
        entries[QDir(root).relativeFilePath(path).toStdString()] = state;
    }
    return entries;
}

// Lets QTemporaryDir remove everything, also as a user whom permission bits bind.
void MakeRemovable(const QString& root) {
    QDirIterator it(root, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ::chmod(Name(it.next()).constData(), 0755);
}

class SaveFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SaveFailure, ReturnsFalseAndLeavesEverythingAsItWas) {
    const FailureCase& c = GetParam();
    const SaveRequest request = StandardSave();
    for (const bool obstacle : {false, true}) {
        SCOPED_TRACE(obstacle ? "with the obstacle" : "without the obstacle");
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        // The unprivileged user must be able to enter the folders to reach the case.
        ASSERT_EQ(::chmod(Name(dir.path()).constData(), 0755), 0);
        const Arranged arranged = c.arrange(dir.path(), obstacle);
        const auto before = Snapshot(dir.path());
        QString reason;
        const ChildResult result =
            SaveInChild(arranged.path, request, arranged.conditions, &reason);
        const auto after = Snapshot(dir.path());
        MakeRemovable(dir.path());
        if (result == ChildResult::CouldNotPrepare) {
            GTEST_SKIP() << c.name << ": cannot run the save as the unprivileged user nobody ("
                         << NobodyId << ") with " << dir.path().toStdString()
                         << " reachable, or cannot set the file-size limit";
        }
        if (obstacle) {
            EXPECT_EQ(result, ChildResult::Failed) << ChildResultName(result);
            EXPECT_EQ(reason, QLatin1String(c.reason));
            EXPECT_EQ(after, before);
        } else {
            ASSERT_EQ(result, ChildResult::Saved) << ChildResultName(result);
            const FileBytes saved = ReadFileBytes(arranged.path);
            ASSERT_EQ(saved.status, FileReadStatus::Read);
            EXPECT_EQ(ReadIniValue(ParseIni(saved.bytes), QStringLiteral("Shift Schedule"),
                                   QStringLiteral("NumberOfPlatoons")),
                      QStringLiteral("3"));
        }
    }
}

// CTest names each case by its printed value: ".../ReadOnlyFile".
INSTANTIATE_TEST_SUITE_P(SavePaths, SaveFailure, ::testing::ValuesIn(Cases));

// What the window tells the user when SaveSettingsFile fails: the message the user knows, and
// the reason below it.
TEST(SaveFailureMessage, IsTheOneTheUserKnows) {
    EXPECT_STREQ(SaveFailedMessage, "Failed to save .ini file");
    EXPECT_EQ(SaveFailedText(QStringLiteral("Permission denied")),
              QStringLiteral("Failed to save .ini file\nPermission denied"));
}

} // namespace
} // namespace kestro::reliability
