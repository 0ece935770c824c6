#include "rotation/Navigation.h"

#include "support/DateFormats.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::Day;

const DayNumber Today = Day(12, 6, 2024);

struct Fixture {
    ScheduleSettings settings = AbsentKeyDefaults();
    MonthView view = InitialMonthView(Today);

    DayNumber Press(GridKey key, KeyModifiers m = {}) {
        EXPECT_FALSE(MoveByGridKey(settings, view, key, m, Today).helpRequested);
        return view.CursorDay;
    }
};

constexpr KeyModifiers None{}, Shift{true, false, false}, Alt{false, true, false},
    Ctrl{false, false, true}, ShiftAlt{true, true, false}, ShiftCtrl{true, false, true},
    AltCtrl{false, true, true}, All{true, true, true};
constexpr KeyModifiers AllCombinations[] = {None,     Shift,     Alt,     Ctrl,
                                            ShiftAlt, ShiftCtrl, AltCtrl, All};

TEST(MoveByGridKey, MovesByTheKeyTable) {
    const struct {
        CalendarDate from;
        GridKey key;
        KeyModifiers modifiers;
        bool reversePages;
        CalendarDate to;
    } cases[] = {
        {{31, 1, 2001}, GridKey::PageDown, None, false, {28, 2, 2001}},
        {{28, 2, 2001}, GridKey::PageDown, None, false, {28, 3, 2001}},
        {{31, 3, 2024}, GridKey::PageUp, None, false, {29, 2, 2024}},
        {{29, 2, 2024}, GridKey::PageUp, Shift, false, {28, 2, 2023}},
        {{3, 3, 2024}, GridKey::Up, None, false, {25, 2, 2024}},
        {{15, 3, 2024}, GridKey::PageDown, ShiftCtrl, false, {15, 3, 2034}},
        {{15, 3, 2024}, GridKey::PageDown, ShiftCtrl, true, {15, 3, 2014}},
        {{15, 3, 2024}, GridKey::PageUp, ShiftCtrl, true, {15, 3, 2034}},
        {{15, 3, 2024}, GridKey::PageUp, None, true, {15, 4, 2024}},
        {{15, 3, 2024}, GridKey::PageDown, Alt, true, {15, 3, 2023}},
        {{1, 1, 1700}, GridKey::Left, None, false, {1, 1, 1700}},
        {{15, 6, 1705}, GridKey::PageUp, ShiftCtrl, false, {1, 1, 1700}},
        {{1, 1, 3000}, GridKey::Right, None, false, {1, 1, 3000}},
        {{1, 1, 3000}, GridKey::PageDown, None, false, {1, 1, 3000}},
        {{28, 12, 2999}, GridKey::Down, None, false, {1, 1, 3000}},
        {{31, 12, 2999}, GridKey::Right, None, false, {1, 1, 3000}},
        {{1, 3, 2024}, GridKey::Left, None, false, {29, 2, 2024}},
        {{29, 2, 2024}, GridKey::Down, All, false, {7, 3, 2024}},
        {{31, 12, 2024}, GridKey::Right, AltCtrl, false, {1, 1, 2025}},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.settings.ReversePageUpPageDown = c.reversePages;
        f.view.CursorDay = Day(c.from.day, c.from.month, c.from.year);
        EXPECT_EQ(DayNumberToDate(f.Press(c.key, c.modifiers)), c.to)
            << c.from.day << "/" << c.from.month << "/" << c.from.year << " key " << int(c.key);
    }
}

TEST(MoveByGridKey, PageKeysReadTheModifiersAsTheTableSays) {
    // Years moved by Page Down from 15 March 2024 for each combination; 0 means one month.
    const struct {
        KeyModifiers modifiers;
        int years;
    } cases[] = {{None, 0},     {Shift, 1},      {Alt, 1},     {Ctrl, 1},
                 {ShiftAlt, 0}, {ShiftCtrl, 10}, {AltCtrl, 0}, {All, 10}};
    for (const bool reverse : {false, true}) {
        for (const auto& c : cases) {
            for (const GridKey key : {GridKey::PageDown, GridKey::PageUp}) {
                Fixture f;
                f.settings.ReversePageUpPageDown = reverse;
                f.view.CursorDay = Day(15, 3, 2024);
                const int sign = (key == GridKey::PageDown) != reverse ? 1 : -1;
                const CalendarDate expected = c.years == 0
                                                  ? CalendarDate{15, 3 + sign, 2024}
                                                  : CalendarDate{15, 3, 2024 + sign * c.years};
                EXPECT_EQ(DayNumberToDate(f.Press(key, c.modifiers)), expected)
                    << c.modifiers.shift << c.modifiers.alt << c.modifiers.ctrl << " reverse "
                    << reverse << " key " << int(key);
            }
        }
    }
}

TEST(MoveByGridKey, ArrowsHomeAndTIgnoreModifiers) {
    const struct {
        GridKey key;
        DayNumber expected;
    } cases[] = {{GridKey::Left, Day(9, 3, 2024)}, {GridKey::Right, Day(11, 3, 2024)},
                 {GridKey::Up, Day(3, 3, 2024)},   {GridKey::Down, Day(17, 3, 2024)},
                 {GridKey::Home, Today},           {GridKey::T, Today}};
    for (const auto& c : cases) {
        for (const KeyModifiers m : AllCombinations) {
            Fixture f;
            f.view.CursorDay = Day(10, 3, 2024);
            EXPECT_EQ(f.Press(c.key, m), c.expected) << int(c.key);
        }
    }
}

TEST(MoveByGridKey, F5GoesToTodayOnlyWithAltAlone) {
    for (const KeyModifiers m : AllCombinations) {
        Fixture f;
        f.view.CursorDay = Day(10, 3, 2024);
        const bool altAlone = m.alt && !m.shift && !m.ctrl;
        EXPECT_EQ(f.Press(GridKey::F5, m), altAlone ? Today : Day(10, 3, 2024))
            << m.shift << m.alt << m.ctrl;
    }
}

TEST(MoveByGridKey, HelpKeysAskForHelpAndOtherKeysDoNothing) {
    for (const GridKey key : {GridKey::F1, GridKey::Help, GridKey::Other}) {
        for (const KeyModifiers m : AllCombinations) {
            Fixture f;
            f.view.CursorDay = Day(10, 3, 2024);
            const bool help = MoveByGridKey(f.settings, f.view, key, m, Today).helpRequested;
            EXPECT_EQ(help, key != GridKey::Other) << int(key);
            EXPECT_EQ(f.view.CursorDay, Day(10, 3, 2024));
        }
    }
}

TEST(MoveByGridKey, EndReturnsToTheLastDayLeftByAGridKey) {
    Fixture f;
    EXPECT_EQ(f.view.ReturnDay, Today);
    f.view.CursorDay = Day(9, 5, 2030);
    EXPECT_EQ(f.Press(GridKey::Right), Day(10, 5, 2030));
    EXPECT_EQ(f.view.ReturnDay, Day(10, 5, 2030));
    EXPECT_EQ(f.Press(GridKey::Home), Today);
    EXPECT_EQ(f.view.ReturnDay, Day(10, 5, 2030)); // today is never remembered
    EXPECT_EQ(f.Press(GridKey::End), Day(10, 5, 2030));
    EXPECT_EQ(f.Press(GridKey::End), Day(10, 5, 2030));

    // Days reached by the header controls count only once a grid key is pressed on them.
    MoveByUpDown(f.settings, f.view, UpDownArrow::Upper);
    EXPECT_EQ(f.view.ReturnDay, Day(10, 5, 2030));
    MoveToToday(f.view, Day(1, 2, 2020));
    EXPECT_EQ(f.view.ReturnDay, Day(10, 5, 2030));
    f.Press(GridKey::Other);
    EXPECT_EQ(f.view.ReturnDay, Day(1, 2, 2020));

    // Arriving on today by an arrow leaves the remembered day alone.
    f.view.CursorDay = Today - 1;
    f.view.ReturnDay = Day(3, 3, 2003);
    EXPECT_EQ(f.Press(GridKey::Right), Today);
    EXPECT_EQ(f.view.ReturnDay, Day(3, 3, 2003));

    // A return day outside the bounds is clamped on the way back.
    f.view.ReturnDay = InvalidDay;
    EXPECT_EQ(f.Press(GridKey::End), f.view.LowestDay);
    EXPECT_EQ(f.view.ReturnDay, f.view.LowestDay);
}

TEST(MoveByGridKey, MonthMovesLeavingTheCalendarEndOnTheBoundInTheirDirection) {
    Fixture f;
    MoveToToday(f.view, Day(31, 12, 3995)); // a clock far beyond the bounds
    EXPECT_EQ(f.Press(GridKey::PageDown, ShiftCtrl), f.view.HighestDay);
    MoveToToday(f.view, Day(15, 3, 1601));
    EXPECT_EQ(f.Press(GridKey::PageUp, ShiftCtrl), f.view.LowestDay);
}

TEST(MoveByUpDown, MovesOneMonthPerClickWithinTheBounds) {
    const struct {
        UpDownArrow arrow;
        bool reverse;
        CalendarDate to;
    } cases[] = {{UpDownArrow::Upper, false, {28, 2, 2001}},
                 {UpDownArrow::Lower, false, {31, 12, 2000}},
                 {UpDownArrow::Upper, true, {31, 12, 2000}},
                 {UpDownArrow::Lower, true, {28, 2, 2001}}};
    for (const auto& c : cases) {
        Fixture f;
        f.settings.ReverseUpDown = c.reverse;
        f.view.CursorDay = Day(31, 1, 2001);
        f.view.ReturnDay = Day(5, 5, 2005);
        MoveByUpDown(f.settings, f.view, c.arrow);
        EXPECT_EQ(DayNumberToDate(f.view.CursorDay), c.to);
        EXPECT_EQ(f.view.ReturnDay, Day(5, 5, 2005));
    }

    Fixture f;
    f.view.CursorDay = Day(15, 3, 1701);
    for (int click = 1; click <= 14; ++click) {
        MoveByUpDown(f.settings, f.view, UpDownArrow::Lower);
        EXPECT_EQ(f.view.CursorDay, AdvanceDateClipped(Day(15, 3, 1701), -click, 0));
    }
    EXPECT_EQ(f.view.CursorDay, Day(15, 1, 1700));
    for (int click = 0; click < 3; ++click)
        MoveByUpDown(f.settings, f.view, UpDownArrow::Lower);
    EXPECT_EQ(f.view.CursorDay, Day(1, 1, 1700));
    f.view.CursorDay = Day(15, 12, 2999);
    MoveByUpDown(f.settings, f.view, UpDownArrow::Upper);
    EXPECT_EQ(f.view.CursorDay, Day(1, 1, 3000));
}

TEST(MoveToToday, NeitherClampsNorRemembers) {
    Fixture f;
    f.view.ReturnDay = Day(5, 5, 2005);
    MoveToToday(f.view, Day(4, 7, 1650));
    EXPECT_EQ(f.view.CursorDay, Day(4, 7, 1650));
    EXPECT_EQ(f.view.ReturnDay, Day(5, 5, 2005));
}

} // namespace
} // namespace kestro
