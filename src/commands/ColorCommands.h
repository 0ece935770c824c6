#pragma once

#include "colors/ColorDialogRequest.h"
#include "colors/ColorNames.h"
#include "settings/ScheduleSettings.h"

#include <QString>

namespace kestro {

// The texts of one platoon row of the color area. Rows are numbered 1 to 6; a row number outside
// that range is taken as the nearest row.
struct PlatoonRowTexts {
    QString normalCaption;  // caption of the dialog's left sample, "A Plt"
    QString inverseCaption; // caption of the dialog's right sample, "A Inv"
    QString normalLabel;    // over the first pick list, "A Platoon Color:"
    QString inverseLabel;   // over the second pick list, "A Platoon Inverse"
    QString reportStart;    // start of the color report, "A Platoon: "
};

PlatoonRowTexts PlatoonTextsOf(LetterSet set, int row);

// What the dialog shows for the Background command.
ColorDialogRequest BackgroundRequest(const ScheduleSettings& settings);
// What the dialog shows for platoon row `row`, by the record's current letter family.
ColorDialogRequest PlatoonRequest(const ScheduleSettings& settings, int row);

// Stores the dialog's picks into BkGr and LdTr. Cancel stores nothing. A list that closed with
// nothing selected (its color was one no entry has) keeps the color it was given.
void ApplyBackgroundResult(ScheduleSettings& settings, const ColorDialogResult& result);
// Stores the picks into the pair of row `row` by the record's current letter family; Cancel and
// unselected lists as above.
void ApplyPlatoonResult(ScheduleSettings& settings, int row, const ColorDialogResult& result);

// The report line after a color command: "L-T/Bkgr: Black / White", "A Platoon: Red / White".
QString BackgroundReport(const ScheduleSettings& settings);
QString PlatoonReport(const ScheduleSettings& settings, int row);

// The main window's width and the Set Colors button's caption with the color area shown or not.
struct ColorAreaView {
    bool shown = false;
    int outerWidth = 0;
    QString buttonCaption;
    friend bool operator==(const ColorAreaView&, const ColorAreaView&) = default;
};

inline constexpr int ColorAreaShownWidth = 469;
inline constexpr int ColorAreaHiddenWidth = 269;

// Set Colors: the view after one click, from whether the color area is shown now.
ColorAreaView ToggleColorArea(bool shownNow);

} // namespace kestro
