#pragma once

#include "calendar/Calendar.h"

#include <QChar>
#include <QString>

#include <optional>
#include <vector>

namespace kestro {

// Consecutive days of one cycle on which the same letter is on duty. Days at the end of the cycle
// that go on at its beginning form one run.
struct RotationRun {
    int position = 0; // the run's first day in the cycle, counted from 0
    int length = 0;
    friend bool operator==(const RotationRun&, const RotationRun&) = default;
};

// The runs of letter in rotation, ordered by position. A rotation that holds nothing but the
// letter is one run of the whole cycle from position 0.
std::vector<RotationRun> RunsOf(const QString& rotation, QChar letter);

// What an event covers of a run: its repetitions, or the days left of one repetition that the
// first day, the rotation's start or the last day cut short.
enum class EventPart { Series, CutStart, CutEnd };

// All-day event of `days` days from `first`, repeated every `repeatEvery` days (0: once) up to the
// repetition that starts on `lastStart` (none: forever).
struct DayEvent {
    EventPart part = EventPart::Series;
    DayNumber first = 0;
    int days = 0;
    int repeatEvery = 0;
    std::optional<DayNumber> lastStart;
    friend bool operator==(const DayEvent&, const DayEvent&) = default;
};

// Events that together cover exactly the days of run in the cycle of daysInRotation days that
// starts on startDay, from max(from, startDay) to until (or forever), in the order of their first
// days. Expects daysInRotation >= 1 and a run of at most daysInRotation days.
std::vector<DayEvent> EventsOfRun(RotationRun run, DayNumber startDay, int daysInRotation,
                                  DayNumber from, std::optional<DayNumber> until);

} // namespace kestro
