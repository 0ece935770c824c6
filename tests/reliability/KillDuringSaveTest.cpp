// A process killed outright (SIGKILL: no handler, no clean-up) at a random moment of saving a
// settings file of several megabytes must leave the file whole: byte for byte the version before
// or after a save. Where the file system has unnamed files, a killed save leaves nothing behind:
// the new file has no name while it is written. It gets one for the moment before the rename; a
// kill in that moment leaves it, whole, and the next save removes it. Elsewhere the hidden
// temporary file a killed save was writing stays behind; it must never stand where the settings
// file is, and the program does not delete such files (another copy of the program might be
// writing one at that very moment).

#include "ReliabilityTestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kestro::reliability {
namespace {

constexpr int Kills = 200;
constexpr qsizetype FileSize = 3 * 1024 * 1024;

// The versions the file may be in: the original and what the two alternating saves make of it.
struct Versions {
    QByteArray original;
    QByteArray first;
    QByteArray second;

    enum class Version { Original, First, Second, None };
    Version Match(const QByteArray& bytes) const {
        if (bytes == original)
            return Version::Original;
        if (bytes == first)
            return Version::First;
        if (bytes == second)
            return Version::Second;
        return Version::None;
    }
};

SaveRequest SecondSave() {
    SaveRequest request = StandardSave();
    request.fields.numberOfPlatoons = QStringLiteral("3");
    request.fields.daysInRotation = QStringLiteral("12");
    request.fields.rotation = QStringLiteral("ABCABCABCABC");
    request.settings.PlatoonColors[u'A'] = {0x000000, 0xFFFFFF};
    return request;
}

// Makes the versions in a scratch folder by saving in this process.
Versions ExpectedVersions(const QByteArray& original, const SaveRequest& first,
                          const SaveRequest& second) {
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("Dunmarek.ini"));
    WriteBytes(path, original);
    Versions versions{original, {}, {}};
    if (!first.SaveTo(path))
        throw std::runtime_error("the first save failed");
    versions.first = ReadBytes(path);
    if (!second.SaveTo(path))
        throw std::runtime_error("the second save failed");
    versions.second = ReadBytes(path);
    // The child alternates the two saves, so the first must make the same file again.
    if (!first.SaveTo(path) || ReadBytes(path) != versions.first)
        throw std::runtime_error("saving the first request again made another file");
    return versions;
}

// Saves the two requests in turn, for ever: whenever the kill lands, a save is under way.
[[noreturn]] void SaveUntilKilled(const QString& path, const SaveRequest& first,
                                  const SaveRequest& second) {
    for (;;) {
        if (!first.SaveTo(path))
            ::_exit(2);
        if (!second.SaveTo(path))
            ::_exit(3);
    }
}

// Whether the folder takes files without a name (O_TMPFILE).
bool UnnamedFilesWork(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

// Whether the process has a file without a name in the folder open: a save writing.
bool WritingUnnamedFile(pid_t pid, const QString& folder) {
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    const QString unnamed = folder + QStringLiteral("/#");
    for (const QFileInfo& fd : QDir(fds).entryInfoList(QDir::Files | QDir::System)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(unnamed) && target.endsWith(QStringLiteral(" (deleted)")))
            return true;
    }
    return false;
}

mode_t ModeOf(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return 0;
    return st.st_mode & 07777;
}

TEST(KillDuringSave, TheFileIsAlwaysTheOldOrTheNewVersionWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    // Long notes: most of a save's time goes to writing, where a kill would do harm.
    const QByteArray original = RealisticSettingsFile(FileSize, 7, 8000);
    const SaveRequest first = StandardSave();
    const SaveRequest second = SecondSave();
    const Versions versions = ExpectedVersions(original, first, second);
    ASSERT_NE(versions.first, versions.original);
    ASSERT_NE(versions.second, versions.first);

    // How long a child takes to make one save; the kills land anywhere in the first save or early
    // in the second.
    WriteBytes(path, original);
    const auto started = std::chrono::steady_clock::now();
    const pid_t timed = ::fork();
    if (timed == 0)
        ::_exit(first.SaveTo(path) ? 0 : 1);
    int timedStatus = 0;
    ASSERT_EQ(::waitpid(timed, &timedStatus, 0), timed);
    ASSERT_TRUE(WIFEXITED(timedStatus) && WEXITSTATUS(timedStatus) == 0);
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    const std::int64_t maxDelay = std::max<std::int64_t>(3 * oneSave.count() / 2, 1000);

    const std::uint64_t seed = SeedFromEnvironment("KESTRO_KILL_SEED", std::random_device{}());
    std::cout << "[ kills    ] " << Kills << " kills, each after 0.." << maxDelay
              << " microseconds (one save took " << oneSave.count() << ")\n";
    RecordProperty("kill_seed", std::to_string(seed));
    std::mt19937_64 random(seed);
    std::uniform_int_distribution<std::int64_t> delays(0, maxDelay);

    // Only the settings file may be there, and what a kill in the moment before a rename leaves;
    // without unnamed files, also hidden temporary files of a save named after it.
    const bool unnamed = UnnamedFilesWork(dir.path());
    std::cout << "[ kills    ] unnamed files " << (unnamed ? "work" : "do not work") << " in "
              << dir.path().toStdString() << "\n";
    const QRegularExpression tempName(unnamed
                                          ? QStringLiteral("^\\.Dunmarek\\.ini\\.kestro-[0-9]+$")
                                          : QStringLiteral("^\\.Dunmarek\\.ini\\.[A-Za-z0-9]{6}$"));
    const QDir folder(dir.path());
    constexpr mode_t Mode = 0640;
    int keptOriginal = 0;
    int keptASave = 0;
    int killedMidWrite = 0;
    int leftNamed = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        WriteBytes(path, original);
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), Mode), 0);
        const std::int64_t delay = delays(random);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveUntilKilled(path, first, second);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        if (unnamed)
            killedMidWrite += WritingUnnamedFile(child, dir.path());
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself with status " << status;

        const auto where = [&] {
            return ::testing::Message()
                   << "kill " << kill << " after " << delay << " us; KESTRO_KILL_SEED=" << seed;
        };
        const QByteArray now = ReadBytes(path);
        const Versions::Version version = versions.Match(now);
        ASSERT_NE(version, Versions::Version::None)
            << where() << ": the file is no whole version (" << now.size() << " bytes)";
        if (version == Versions::Version::Original)
            ++keptOriginal;
        else
            ++keptASave;
        EXPECT_EQ(ModeOf(path), Mode) << where();

        bool strayTemp = false;
        for (const QFileInfo& entry : folder.entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot)) {
            if (entry.fileName() == QStringLiteral("Dunmarek.ini"))
                continue;
            ASSERT_TRUE(tempName.match(entry.fileName()).hasMatch() && entry.isFile())
                << where() << ": unexpected " << entry.fileName().toStdString();
            strayTemp = true;
            if (!unnamed) {
                QFile::remove(entry.absoluteFilePath());
                continue;
            }
            // Named only once whole; the next save, in the next round, removes it.
            const QByteArray left = ReadBytes(entry.absoluteFilePath());
            EXPECT_TRUE(left == versions.first || left == versions.second)
                << where() << ": " << entry.fileName().toStdString() << " is no whole version";
        }
        if (unnamed)
            leftNamed += strayTemp;
        else
            killedMidWrite += strayTemp;
    }
    std::cout << "[ kills    ] file kept the original " << keptOriginal << " times, a save "
              << keptASave << " times; " << killedMidWrite
              << " kills came while a save was writing; " << leftNamed
              << " left a named new file behind\n";
    // Kills that land only before or between saves would prove nothing.
    EXPECT_GT(killedMidWrite, 0) << "no kill landed while a save was writing; KESTRO_KILL_SEED="
                                 << seed;
    // A save removes what killed saves left.
    ASSERT_TRUE(first.SaveTo(path));
    EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("Dunmarek.ini")});
}

// The moment's name of a process that no longer runs goes at the next save; that of a running
// process, and temporary files of any other kind, stay.
TEST(KillDuringSave, ASaveRemovesOnlyWhatEndedProcessesLeft) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    if (!UnnamedFilesWork(dir.path()))
        GTEST_SKIP() << "no unnamed files in " << dir.path().toStdString();
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const QString leftByEnded = QStringLiteral(".Dunmarek.ini.kestro-%1").arg(ended);
    const QStringList kept{QStringLiteral(".Dunmarek.ini.Ab12Cd"),
                           QStringLiteral(".Dunmarek.ini.kestro-1"),
                           QStringLiteral("Dunmarek.ini")};
    for (const QString& name : kept + QStringList{leftByEnded})
        WriteBytes(dir.filePath(name), "[Config]\n");
    ASSERT_TRUE(StandardSave().SaveTo(dir.filePath(QStringLiteral("Dunmarek.ini"))));
    EXPECT_EQ(Entries(dir.path()), kept); // by name
}

} // namespace
} // namespace kestro::reliability
