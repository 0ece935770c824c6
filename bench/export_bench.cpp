// The calendar export of the classic rotation: building the file, and building and saving it.
#include "export/IcsExport.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kestro;

ScheduleSettings Classic() {
    ScheduleSettings s = AbsentKeyDefaults();
    s.StartDay = DateToDayNumber(1, 3, 2024, 0);
    return s;
}

IcsExportOptions Options(bool cut) {
    IcsExportOptions o;
    o.sourceFile = QStringLiteral("/home/chief/.config/Halvgard/Dunmarek6/Dunmarek.ini");
    o.exportTime = QDateTime::currentDateTimeUtc();
    if (cut) { // a first and a last day in the middle of cycles: cut events besides the series
        o.from = Classic().StartDay + 5;
        o.until = Classic().StartDay + 3650;
    }
    return o;
}

void BM_BuildIcsCalendar(benchmark::State& state) {
    const ScheduleSettings s = Classic();
    const IcsExportOptions o = Options(state.range(0) != 0);
    for (auto _ : state) {
        IcsCalendar calendar = BuildIcsCalendar(s, o);
        benchmark::DoNotOptimize(calendar.text.data());
    }
    state.SetLabel(state.range(0) != 0 ? "from/until" : "forever");
}
BENCHMARK(BM_BuildIcsCalendar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// What the command does after loading the settings: build, then the safe save with fsync.
void BM_BuildAndWriteIcsFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shifts.ics"));
    const ScheduleSettings s = Classic();
    const IcsExportOptions o = Options(false);
    for (auto _ : state) {
        const IcsCalendar calendar = BuildIcsCalendar(s, o);
        if (!WriteIcsFile(path, calendar.text, o.sourceFile).isEmpty())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(BM_BuildAndWriteIcsFile)->Unit(benchmark::kMicrosecond);

} // namespace
