#pragma once

#include "calendar/Calendar.h"
#include "calendar/DateText.h"
#include "colors/ColorNames.h"
#include "settings/ScheduleSettings.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace kestro {

// The state of the month preview. The shown month is always the month of CursorDay.
struct MonthView {
    DayNumber CursorDay = InvalidDay;  // the highlighted day
    DayNumber ReturnDay = InvalidDay;  // where the End key goes back to
    DayNumber LowestDay = InvalidDay;  // 1 January 1700
    DayNumber HighestDay = InvalidDay; // 1 January 3000
};

inline constexpr int MonthGridColumns = 7;
inline constexpr int MonthGridRows = 6;
// Both fonts of the preview are drawn at this size, whatever the settings file says.
inline constexpr int MonthViewPointSize = 12;

// The view as the main window starts it: bounds of 1 January 1700 and 1 January 3000, cursor
// and return day on today. A loaded settings file leaves the return day on today as well.
MonthView InitialMonthView(DayNumber today);

// The date a cell of the 7 x 6 grid shows (column 0 to 6, row 0 to 5). The grid holds the
// cursor's month with the tail of the month before in row 0 and the head of the month after
// filling the rest. With WeekStartsOnMonday false, column 0 is Sunday; with it true, column 0
// is Monday and the month before contributes (weekday of the 1st + 6) mod 7 days. Either way
// there are at most six days of the month before and at least five of the month after.
// Gives 0, 0, 0 for every cell when CursorDay is not a valid day.
CalendarDate CellToDate(const ScheduleSettings& settings, const MonthView& view, int column,
                        int row);

// Limits day to LowestDay .. HighestDay; InvalidDay becomes LowestDay.
void ClampDay(const MonthView& view, DayNumber& day);

// The day of month with one leading blank for 1 to 9; empty for a cell without a date.
QString CellText(const CalendarDate& date);

// What a screen reader says of a day: "Tuesday, 10 December 2026, platoon A", in English like the
// rest of the window; without the platoon when letter names none. Empty for no date.
QString DayAccessibleName(const CalendarDate& date, QChar letter);
// The same for the day a cell of the grid shows, with the platoon the rotation gives it.
QString CellAccessibleName(const ScheduleSettings& settings, const MonthView& view, int column,
                           int row);

struct CellColors {
    ColorValue fill = 0;
    ColorValue text = 0;
    // The text color is one the user set (UserSetColors), or the fill itself for a hidden day.
    bool textUserSet = false;
    friend bool operator==(const CellColors&, const CellColors&) = default;
};

// Fill and text color of a cell: the cursor day (when highlighted) in its platoon's pair, days
// of the shown month in their platoon's color, the neighbouring months in LdTr or invisible.
// Days without a platoon (before StartDay, or a character that names none) use LdTr.
CellColors CellColorsOf(const ScheduleSettings& settings, const MonthView& view, int column,
                        int row);

// Where a cell's text of the given size is drawn: centred on the grid's set column width and
// row height from the cell's top-left corner, not on the cell rectangle's own size.
QPoint CellTextOrigin(const QRect& cell, int columnWidth, int rowHeight, const QSize& textSize);

// Column width and row height of the grid cells for a grid of the given size, leaving one pixel
// of each for the grid lines.
QSize GridCellSize(const QSize& gridSize);

struct FontDescription {
    QString name;
    FontStyleSet style;
    int pointSize = MonthViewPointSize;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// The month name (full or abbreviated) and, with ShowYear, a blank and the year. Empty when
// CursorDay is not a valid day.
QString MonthHeaderCaption(const ScheduleSettings& settings, const MonthView& view,
                           const ShortDateFormat& format);
FontDescription HeaderFont(const ScheduleSettings& settings);
ColorValue HeaderFontColor(const ScheduleSettings& settings);
// The day numbers' font; their color comes from CellColorsOf.
FontDescription CellFont(const ScheduleSettings& settings);

} // namespace kestro
