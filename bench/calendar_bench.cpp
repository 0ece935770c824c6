#include "calendar/Calendar.h"
#include "calendar/DateText.h"

#include <benchmark/benchmark.h>

namespace {

using kestro::DayNumber;

constexpr DayNumber LastDay = 876581;

// Every day number of the range to a date and back.
void BM_DayNumberRoundTrip(benchmark::State& state) {
    for (auto _ : state) {
        DayNumber mismatches = 0;
        for (DayNumber n = 0; n <= LastDay; ++n) {
            const kestro::CalendarDate date = kestro::DayNumberToDate(n);
            mismatches += kestro::DateToDayNumber(date.day, date.month, date.year, 0) != n;
        }
        benchmark::DoNotOptimize(mismatches);
        if (mismatches != 0) {
            state.SkipWithError("round trip mismatch");
        }
    }
    state.SetItemsProcessed(state.iterations() * (LastDay + 1));
}
BENCHMARK(BM_DayNumberRoundTrip)->Unit(benchmark::kMillisecond);

// Writing and reading back a date text, as loading and saving a settings file do.
void BM_DateTextRoundTrip(benchmark::State& state) {
    const kestro::ShortDateFormat format =
        *kestro::NumericShortDateFormat(QStringLiteral("dd.MM.yyyy"));
    DayNumber n = 0;
    for (auto _ : state) {
        const QString text = kestro::FormatDate(format, kestro::DayNumberToDate(n));
        benchmark::DoNotOptimize(kestro::ParseStartDate(text, format, 1975, 2024));
        n = n == LastDay ? 0 : n + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DateTextRoundTrip);

} // namespace
