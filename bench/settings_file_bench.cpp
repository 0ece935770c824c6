// Loading and saving a whole settings file through the program's own routines, against copying
// the same file with an fsync (the least any all-or-nothing save must do).
#include "settings/LoadSettings.h"
#include "settings/SaveSettings.h"
#include "support/FixedClock.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace kestro;

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

void BM_SaveSettingsFile(benchmark::State& state) {
    Fixture fx(state);
    ScheduleSettings settings = AbsentKeyDefaults();
    settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
    const ScheduleFieldTexts fields{QStringLiteral("3"), QStringLiteral("24"),
                                    QStringLiteral("ACABABABCBCACACABABCBCBC"), QString()};
    const ShortDateFormat format = DefaultShortDateFormat();
    for (auto _ : state) {
        if (!SaveSettingsFile(fx.path, fields, settings, true, format))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// cp plus fsync: read the file, write a copy, flush it to disk.
void BM_CopyWithFsync(benchmark::State& state) {
    Fixture fx(state);
    const QByteArray source = QFile::encodeName(fx.path);
    const QByteArray target = QFile::encodeName(fx.copy);
    std::vector<char> buffer(1 << 16);
    for (auto _ : state) {
        const int in = ::open(source.constData(), O_RDONLY);
        const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ssize_t n = 0;
        while ((n = ::read(in, buffer.data(), buffer.size())) > 0) {
            if (::write(out, buffer.data(), std::size_t(n)) != n)
                state.SkipWithError("write failed");
        }
        ::fsync(out);
        ::close(out);
        ::close(in);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_LoadSettings)
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSettingsFile)
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyWithFsync)
    ->Args({1 << 20, 100})
    ->Args({20 << 20, 100000})
    ->Unit(benchmark::kMillisecond);
