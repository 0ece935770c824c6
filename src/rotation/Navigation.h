#pragma once

#include "calendar/Calendar.h"
#include "rotation/MonthView.h"
#include "settings/ScheduleSettings.h"

namespace kestro {

// The keys the month grid tells apart; every other key is Other.
enum class GridKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, T, F5, F1, Help, Other };

struct KeyModifiers {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
};

struct GridKeyOutcome {
    bool helpRequested = false; // F1 or Help: show the help file's table of contents
};

// A key pressed in the month grid. Arrows move by days and weeks; Page Up/Down by a month, by a
// year with exactly one of Shift, Alt, Ctrl, by ten years with Shift+Ctrl (Alt or not); Home, T
// and Alt+F5 go to today, End to ReturnDay. Every key, moving or not, then clamps the cursor and
// remembers it in ReturnDay unless it is today. The caller updates the header and repaints.
GridKeyOutcome MoveByGridKey(const ScheduleSettings& settings, MonthView& view, GridKey key,
                             KeyModifiers modifiers, DayNumber today);

enum class UpDownArrow { Upper, Lower };

// One click on the month up-down control: the upper arrow goes a month forward (back with
// ReverseUpDown). The cursor is clamped; ReturnDay is left alone.
void MoveByUpDown(const ScheduleSettings& settings, MonthView& view, UpDownArrow arrow);

// The Today button: the cursor goes to today, unclamped; ReturnDay is left alone.
void MoveToToday(MonthView& view, DayNumber today);

} // namespace kestro
