// Loading and saving a whole settings file through the program's own routines, against copying
// the same file with an fsync (the least any all-or-nothing save must do), and the peak memory of
// loading and saving a file of the largest size the program reads.
#include "files/SettingsFileIO.h"
#include "settings/LoadSettings.h"
#include "settings/SaveSettings.h"
#include "support/DateFormats.h"
#include "support/FixedClock.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestro;
using kestro::test::DefaultShortDateFormat;

namespace {

using test::FixedClock;

QByteArray MakeFile(qsizetype bytes, int sections) {
    QByteArray file = "[Shift Schedule]\r\nNumberOfPlatoons=3\r\nDaysInRotation=24\r\n"
                      "ShiftRotation=ACABABABCBCACACABABCBCBC\r\nStartDate=3/1/2024\r\n";
    const qsizetype perSection = bytes / sections;
    for (int i = 0; i < sections; ++i) {
        const qsizetype start = file.size();
        file += "[Section " + QByteArray::number(i) + "]\r\n";
        for (int key = 0; file.size() - start < perSection - 24; ++key)
            file += "Key" + QByteArray::number(key) + "=Value " + QByteArray::number(i) + "\r\n";
    }
    file += "[Colors]\r\nAPlt=Red\r\nAInv=White\r\n";
    return file;
}

struct Fixture {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    QString copy = dir.filePath(QStringLiteral("copy.ini"));
    explicit Fixture(const benchmark::State& state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(MakeFile(state.range(0), int(state.range(1))));
    }
};

// cp plus fsync: read the file, write a copy, flush it to disk.
bool CopyWithFsync(const Fixture& fx) {
    const QByteArray source = QFile::encodeName(fx.path);
    const QByteArray target = QFile::encodeName(fx.copy);
    static std::vector<char> buffer(1 << 16);
    const int in = ::open(source.constData(), O_RDONLY);
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    bool ok = in >= 0 && out >= 0;
    ssize_t n = 0;
    while (ok && (n = ::read(in, buffer.data(), buffer.size())) > 0)
        ok = ::write(out, buffer.data(), std::size_t(n)) == n;
    ok = ok && ::fsync(out) == 0;
    ::close(out);
    ::close(in);
    return ok;
}

using Clock = std::chrono::steady_clock;
double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_LoadSettings(benchmark::State& state) {
    Fixture fx(state);
    const FixedClock clock{{15, 6, 2024}};
    const ShortDateFormat format = DefaultShortDateFormat();
    for (auto _ : state) {
        ScheduleSettings settings;
        benchmark::DoNotOptimize(LoadSettings(fx.path, settings, format, clock));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// Each save is followed, untimed, by cp + fsync of the same file, so that the ratio of their wall
// times (x_cp_fsync) compares the two under the same load of the machine.
void BM_SaveSettingsFile(benchmark::State& state) {
    Fixture fx(state);
    ScheduleSettings settings = AbsentKeyDefaults();
    settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
    const ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                                    QStringLiteral("ACABABABCBCACACABABCBCBC"), QString()};
    const ShortDateFormat format = DefaultShortDateFormat();
    double saving = 0;
    double copying = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (!SaveSettingsFile(fx.path, fields, settings, true, format))
            state.SkipWithError("save failed");
        const auto saved = Clock::now();
        state.PauseTiming();
        const auto copyStart = Clock::now();
        if (!CopyWithFsync(fx))
            state.SkipWithError("copy failed");
        copying += Seconds(Clock::now() - copyStart);
        saving += Seconds(saved - start);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    state.counters["x_cp_fsync"] = copying > 0 ? saving / copying : 0;
    state.counters["cp_fsync_ms"] = 1000 * copying / double(state.iterations());
}

void BM_CopyWithFsync(benchmark::State& state) {
    Fixture fx(state);
    for (auto _ : state) {
        if (!CopyWithFsync(fx))
            state.SkipWithError("copy failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

long MaxRssKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A file of SettingsFileMaxBytes of empty lines ("\n"), loaded and then saved in a child process
// of its own, whose peak resident memory (ru_maxrss) is read before the load, after it and after
// the save. Reported: the growth of the peak over the file's size, and the load's wall time.
void BM_PeakMemoryEmptyLines(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    const qsizetype size = SettingsFileMaxBytes - 1;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        const QByteArray chunk(1 << 20, '\n');
        for (qsizetype left = size; left > 0; left -= chunk.size())
            file.write(chunk.constData(), std::min(left, chunk.size()));
    }
    double loadPeak = 0;
    double savePeak = 0;
    double loadSeconds = 0;
    for (auto _ : state) {
        int pipe[2];
        if (::pipe(pipe) != 0)
            std::abort();
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            const long before = MaxRssKiB();
            const FixedClock clock{{15, 6, 2024}};
            const ShortDateFormat format = DefaultShortDateFormat();
            ScheduleSettings settings;
            const auto start = Clock::now();
            LoadSettings(path, settings, format, clock);
            const double seconds = Seconds(Clock::now() - start);
            const long loaded = MaxRssKiB();
            settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
            const ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                                            QStringLiteral("ACAB"), QString()};
            SaveSettingsFile(path, fields, settings, true, format);
            const long saved = MaxRssKiB();
            const double report[] = {double(before), double(loaded), double(saved), seconds};
            const bool sent = ::write(pipe[1], report, sizeof report) == ssize_t(sizeof report);
            ::_exit(sent ? 0 : 1);
        }
        ::close(pipe[1]);
        double report[4] = {};
        const bool got = ::read(pipe[0], report, sizeof report) == ssize_t(sizeof report);
        ::close(pipe[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!got || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the child did not report");
            break;
        }
        const double fileKiB = double(size) / 1024;
        loadPeak += (report[1] - report[0]) / fileKiB;
        savePeak += (report[2] - report[0]) / fileKiB;
        loadSeconds += report[3];
    }
    const double n = double(state.iterations());
    state.counters["load_peak_x_file"] = loadPeak / n;
    state.counters["save_peak_x_file"] = savePeak / n;
    state.counters["load_s"] = loadSeconds / n;
}

} // namespace

BENCHMARK(BM_LoadSettings)
    ->Args({4 << 10, 4})
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSettingsFile)
    ->Args({4 << 10, 4})
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWithFsync)
    ->Args({4 << 10, 4})
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeakMemoryEmptyLines)->Iterations(1)->Unit(benchmark::kMillisecond);
