// The printed year calendar of the classic rotation: laying out one year, and the PDF of one and
// of three years (drawn with the fonts of the offscreen platform, written to memory).
#include "sharing/YearCalendarPainter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

using namespace kestro;

YearCalendarSource Classic(int years) {
    YearCalendarSource source;
    source.settings = AbsentKeyDefaults();
    source.settings.StartDay = DateToDayNumber(1, 3, 2024, 0);
    source.format = DefaultShortDateFormat();
    source.settingsFile = QStringLiteral("/home/chief/.config/Halvgard/Dunmarek6/Dunmarek.ini");
    source.years = {2024, 2024 + years - 1};
    return source;
}

void BM_LayOutYearCalendar(benchmark::State& state) {
    const YearCalendarSource source = Classic(1);
    for (auto _ : state) {
        YearCalendarPage page = LayOutYearCalendar(source, 2024, LandscapeSheet(PaperSize::A4));
        benchmark::DoNotOptimize(page.items.data());
    }
}
BENCHMARK(BM_LayOutYearCalendar)->Unit(benchmark::kMicrosecond);

void BM_YearCalendarPdf(benchmark::State& state) {
    const YearCalendarSource source = Classic(int(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = YearCalendarPdf(source);
        bytes = std::size_t(pdf.size());
        benchmark::DoNotOptimize(pdf.data());
    }
    state.counters["pdf_bytes"] = double(bytes);
}
BENCHMARK(BM_YearCalendarPdf)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
