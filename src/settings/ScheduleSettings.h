#pragma once

#include "calendar/Calendar.h"
#include "colors/ColorNames.h"
#include "settings/LetterSet.h"

#include <QString>

#include <array>

namespace kestro {

// One ColorPair per platoon character, in the order of PlatoonLetters (A to F, 1 to 6, K L R G Y
// P).
struct PlatoonColorTable {
    std::array<ColorPair, 18> pairs{};

    ColorPair& operator[](QChar letter) { return pairs[std::size_t(PlatoonIndex(letter))]; }
    const ColorPair& operator[](QChar letter) const {
        return pairs[std::size_t(PlatoonIndex(letter))];
    }
    friend bool operator==(const PlatoonColorTable&, const PlatoonColorTable&) = default;
};

// Which colors drawn on the desktop's own colors the user set, in the settings file or with Set
// Color; the others are defaults, which the window may draw in the desktop's text color where
// they would be hard to read. Platoon colors by PlatoonIndex.
struct UserSetColors {
    bool HdrFontColor = false;
    bool LdTr = false;
    std::array<bool, 18> PlatoonNormal{};
    std::array<bool, 18> PlatoonInverse{};
    friend bool operator==(const UserSetColors&, const UserSetColors&) = default;
};

// Everything the settings file holds, plus the letter family in use.
struct ScheduleSettings {
    // "Shift Schedule"
    int NumberOfPlatoons = 0;
    int DaysInRotation = 0;
    QString ShiftRotation;
    DayNumber StartDay = 0;
    QString StartDateText; // "StartDate" as last read from a file

    // "Config"
    int Epoch = 0;
    bool HiliteCurrent = false;
    bool ShowDOW = false;
    bool ShowYear = false;
    bool ShowLeading = false;
    bool FullMonthName = false;
    bool ReverseUpDown = false;
    bool ReversePageUpPageDown = false;
    bool WeekStartsOnMonday = false;

    // "Fonts"
    QString HdrFontName;
    QString HdrFontStyle;
    QString HdrFontColor;
    int HdrFontSize = 0;
    QString CalFontName;
    QString CalFontStyle;
    QString CalFontColor;
    int CalFontSize = 0;

    // "Colors"
    PlatoonColorTable PlatoonColors;
    ColorValue BkGr = 0;
    ColorValue LdTr = 0;
    ColorValue GridColor = 0;
    ColorValue FrameColor = 0;

    kestro::LetterSet LetterSet = kestro::LetterSet::AToF;
    UserSetColors UserSet;

    friend bool operator==(const ScheduleSettings&, const ScheduleSettings&) = default;
};

// The value each key takes when the file lacks it. StartDay is InvalidDay: an absent start date
// is not a date, and loading replaces it.
ScheduleSettings AbsentKeyDefaults();

// The values the editor starts with when there is no settings file at all.
ScheduleSettings NoFileSettings(DayNumber firstOfCurrentMonth);

} // namespace kestro
