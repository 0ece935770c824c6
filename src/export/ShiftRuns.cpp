#include "export/ShiftRuns.h"

#include <algorithm>
#include <cstdint>

namespace kestro {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

} // namespace

std::vector<RotationRun> RunsOf(const QString& rotation, QChar letter) {
    const qsizetype n = rotation.size();
    std::vector<RotationRun> runs;
    for (qsizetype p = 0; p < n; ++p) {
        if (rotation[p] != letter || rotation[(p + n - 1) % n] == letter)
            continue;
        int length = 1;
        while (length < n && rotation[(p + length) % n] == letter)
            ++length;
        runs.push_back({int(p), length});
    }
    if (runs.empty() && n > 0 && rotation.count(letter) == n)
        runs.push_back({0, int(n)});
    return runs;
}

std::vector<DayEvent> EventsOfRun(RotationRun run, DayNumber startDay, int daysInRotation,
                                  DayNumber from, std::optional<DayNumber> until) {
    // Repetition j of the run covers the days a + j*n to a + j*n + k - 1.
    const std::int64_t n = daysInRotation;
    const std::int64_t k = run.length;
    const std::int64_t a = std::int64_t(startDay) + run.position;
    const std::int64_t first = std::max(from, startDay);
    std::vector<DayEvent> events;
    if (until && *until < first)
        return events;

    auto addCut = [&](EventPart part, std::int64_t j) {
        const std::int64_t begin = std::max(a + j * n, first);
        std::int64_t end = a + j * n + k - 1;
        if (until)
            end = std::min<std::int64_t>(end, *until);
        if (begin <= end)
            events.push_back({part, DayNumber(begin), int(end - begin + 1), 0, std::nullopt});
    };

    // The first repetition that begins on or after the first day. The one before it may reach
    // into the range; none earlier can, as a run is no longer than the cycle. Repetition -1 of a
    // run that goes over the end of the cycle is cut by the rotation's start here.
    const std::int64_t j0 = CeilDiv(first - a, n);
    addCut(EventPart::CutStart, j0 - 1);
    if (!until) {
        events.push_back({EventPart::Series, DayNumber(a + j0 * n), int(k), int(n), std::nullopt});
        return events;
    }
    // The last repetition that ends on or before the last day; the one after it may begin in time
    // and is cut short.
    const std::int64_t jLast = FloorDiv(*until - (a + k - 1), n);
    if (jLast >= j0)
        events.push_back(
            {EventPart::Series, DayNumber(a + j0 * n), int(k), int(n), DayNumber(a + jLast * n)});
    if (jLast + 1 >= j0)
        addCut(EventPart::CutEnd, jLast + 1);
    return events;
}

} // namespace kestro
