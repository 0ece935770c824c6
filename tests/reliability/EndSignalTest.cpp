// SIGTERM (a logout) or SIGINT (Ctrl+C) that comes while a large settings file is being saved
// lets the save finish and then ends the program; at any other time it ends the program at once.

#include "ReliabilityTestSupport.h"

#include "files/SaveSignals.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace kestro::reliability {
namespace {

using Clock = std::chrono::steady_clock;

// Ends the child with this code when the save returned and no signal ended it.
constexpr int SavedWithoutSignal = 7;

// A child as the program runs: handlers installed and another thread that may take the signal.
[[noreturn]] void RunChild(int ready, const QString& path) {
    InstallEndSignalHandlers();
    std::thread([] { std::this_thread::sleep_for(std::chrono::minutes(2)); }).detach();
    const char byte = 's';
    if (::write(ready, &byte, 1) != 1)
        ::_exit(3);
    if (path.isEmpty()) {
        for (;;)
            ::pause();
    }
    ::_exit(StandardSave().SaveTo(path) ? SavedWithoutSignal : 1);
}

// Starts the child, sends the signal `delay` after it is ready, and returns its wait status.
int SignalChild(const QString& path, int signal, std::chrono::microseconds delay) {
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(ready[0]);
        RunChild(ready[1], path);
    }
    ::close(ready[1]);
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1;
    ::close(ready[0]);
    if (started) {
        std::this_thread::sleep_for(delay);
        ::kill(child, signal);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return started ? status : -1;
}

class EndSignal : public ::testing::TestWithParam<int> {};

TEST_P(EndSignal, DuringASaveTheSaveFinishesFirst) {
    const int signal = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    const QByteArray original = RealisticSettingsFile(8 * 1024 * 1024, 5, 8000);
    WriteBytes(path, original);
    const auto started = Clock::now();
    ASSERT_TRUE(StandardSave().SaveTo(path));
    const auto oneSave = Clock::now() - started;
    const QByteArray saved = ReadBytes(path);

    // A third into the save; sooner when the save went faster than it did here.
    for (int tries = 0; tries < 5; ++tries) {
        WriteBytes(path, original);
        const auto delay =
            std::chrono::duration_cast<std::chrono::microseconds>(oneSave / (3 << tries));
        const int status = SignalChild(path, signal, delay);
        ASSERT_NE(status, -1) << "the child did not start";
        if (WIFEXITED(status) && WEXITSTATUS(status) == SavedWithoutSignal)
            continue; // the signal came after the save
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal)
            << "the child did not end by the signal; status " << status;
        EXPECT_TRUE(ReadBytes(path) == saved) << "the save did not finish";
        EXPECT_EQ(Entries(dir.path()), QStringList{QStringLiteral("Dunmarek.ini")});
        return;
    }
    FAIL() << "the signal never came during a save";
}

TEST_P(EndSignal, WithoutASaveEndsTheProgramAtOnce) {
    const int status = SignalChild(QString(), GetParam(), std::chrono::milliseconds(10));
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
}

INSTANTIATE_TEST_SUITE_P(Signals, EndSignal, ::testing::Values(SIGTERM, SIGINT),
                         [](const auto& param) {
                             return std::string(param.param == SIGTERM ? "SIGTERM" : "SIGINT");
                         });

} // namespace
} // namespace kestro::reliability
