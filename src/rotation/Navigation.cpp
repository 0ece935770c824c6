#include "rotation/Navigation.h"

namespace kestro {

namespace {

enum class ModifierCase { Plain, ExactlyOne, ShiftCtrl };

ModifierCase CaseOf(KeyModifiers m) {
    if (m.shift && m.ctrl) {
        return ModifierCase::ShiftCtrl;
    }
    if (int(m.shift) + int(m.alt) + int(m.ctrl) == 1) {
        return ModifierCase::ExactlyOne;
    }
    return ModifierCase::Plain;
}

// A move by months and years that would leave the calendar's range (only possible from a cursor
// outside the view's bounds, which the Today button allows) ends on the bound in its direction.
DayNumber MoveClipped(const MonthView& view, DayNumber from, int months, int years) {
    const DayNumber to = AdvanceDateClipped(from, months, years);
    if (to == InvalidDay && from != InvalidDay) {
        return months + 12 * years > 0 ? view.HighestDay : view.LowestDay;
    }
    return to;
}

// Page Down's move; Page Up moves the other way.
DayNumber PageDownMove(const ScheduleSettings& settings, const MonthView& view,
                       KeyModifiers modifiers, int direction) {
    if (settings.ReversePageUpPageDown) {
        direction = -direction;
    }
    switch (CaseOf(modifiers)) {
    case ModifierCase::ShiftCtrl:
        return MoveClipped(view, view.CursorDay, 0, 10 * direction);
    case ModifierCase::ExactlyOne:
        return MoveClipped(view, view.CursorDay, 0, direction);
    case ModifierCase::Plain:
        break;
    }
    return MoveClipped(view, view.CursorDay, direction, 0);
}

} // namespace

GridKeyOutcome MoveByGridKey(const ScheduleSettings& settings, MonthView& view, GridKey key,
                             KeyModifiers modifiers, DayNumber today) {
    GridKeyOutcome outcome;
    DayNumber& cursor = view.CursorDay;
    switch (key) {
    case GridKey::Left:
        cursor = AdvanceDate(cursor, -1, 0, 0);
        break;
    case GridKey::Right:
        cursor = AdvanceDate(cursor, 1, 0, 0);
        break;
    case GridKey::Up:
        cursor = AdvanceDate(cursor, -7, 0, 0);
        break;
    case GridKey::Down:
        cursor = AdvanceDate(cursor, 7, 0, 0);
        break;
    case GridKey::PageUp:
        cursor = PageDownMove(settings, view, modifiers, -1);
        break;
    case GridKey::PageDown:
        cursor = PageDownMove(settings, view, modifiers, 1);
        break;
    case GridKey::Home:
    case GridKey::T:
        cursor = today;
        break;
    case GridKey::End:
        cursor = view.ReturnDay;
        break;
    case GridKey::F5:
        if (modifiers.alt && !modifiers.shift && !modifiers.ctrl) {
            cursor = today;
        }
        break;
    case GridKey::F1:
    case GridKey::Help:
        outcome.helpRequested = true;
        break;
    case GridKey::Other:
        break;
    }
    ClampDay(view, cursor);
    if (cursor != today) {
        view.ReturnDay = cursor;
    }
    return outcome;
}

void MoveByUpDown(const ScheduleSettings& settings, MonthView& view, UpDownArrow arrow) {
    int months = arrow == UpDownArrow::Upper ? 1 : -1;
    if (settings.ReverseUpDown) {
        months = -months;
    }
    view.CursorDay = MoveClipped(view, view.CursorDay, months, 0);
    ClampDay(view, view.CursorDay);
}

void MoveToToday(MonthView& view, DayNumber today) {
    view.CursorDay = today;
}

} // namespace kestro
