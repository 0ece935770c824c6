// A process killed outright (SIGKILL: no handler, no clean-up) at a random moment of saving a
// settings file of several megabytes must leave the file whole: byte for byte the version before
// or after a save. The temporary file a killed save was writing stays behind, hidden; it must
// never stand where the settings file is, and the program does not delete such files (another
// copy of the program might be writing one at that very moment).

#include "ReliabilityTestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>
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
    WriteFileBytes(path, original);
    Versions versions{original, {}, {}};
    if (!first.SaveTo(path))
        throw std::runtime_error("the first save failed");
    versions.first = ReadFileOrMark(path);
    if (!second.SaveTo(path))
        throw std::runtime_error("the second save failed");
    versions.second = ReadFileOrMark(path);
    // The child alternates the two saves, so the first must make the same file again.
    if (!first.SaveTo(path) || ReadFileOrMark(path) != versions.first)
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
    WriteFileBytes(path, original);
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

    // Only the settings file and hidden temporary files of a save named after it may be there.
    const QRegularExpression tempName(QStringLiteral("^\\.Dunmarek\\.ini\\.[A-Za-z0-9]{6}$"));
    const QDir folder(dir.path());
    constexpr mode_t Mode = 0640;
    int keptOriginal = 0;
    int keptASave = 0;
    int killedMidWrite = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        WriteFileBytes(path, original);
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), Mode), 0);
        const std::int64_t delay = delays(random);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            SaveUntilKilled(path, first, second);
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself with status " << status;

        const auto where = [&] {
            return ::testing::Message()
                   << "kill " << kill << " after " << delay << " us; KESTRO_KILL_SEED=" << seed;
        };
        const QByteArray now = ReadFileOrMark(path);
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
            QFile::remove(entry.absoluteFilePath());
        }
        killedMidWrite += strayTemp;
    }
    std::cout << "[ kills    ] file kept the original " << keptOriginal << " times, a save "
              << keptASave << " times; " << killedMidWrite
              << " kills left a hidden temporary file\n";
    // Kills that land only before or between saves would prove nothing.
    EXPECT_GT(killedMidWrite, 0) << "no kill landed while a save was writing; KESTRO_KILL_SEED="
                                 << seed;
}

} // namespace
} // namespace kestro::reliability
