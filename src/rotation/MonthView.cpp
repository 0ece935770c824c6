#include "rotation/MonthView.h"

#include "rotation/Rotation.h"

namespace kestro {

namespace {

constexpr int ViewEpoch = 1975;
constexpr DayNumber LastValidDay = 876581; // 31 December 3999

bool IsValidDay(DayNumber day) {
    return day >= 0 && day <= LastValidDay;
}

} // namespace

MonthView InitialMonthView(DayNumber today) {
    MonthView view;
    view.CursorDay = today;
    view.ReturnDay = today;
    view.LowestDay = DateToDayNumber(1, 1, 1700, ViewEpoch);
    view.HighestDay = DateToDayNumber(1, 1, 3000, ViewEpoch);
    return view;
}

CalendarDate CellToDate(const ScheduleSettings& settings, const MonthView& view, int column,
                        int row) {
    if (!IsValidDay(view.CursorDay) || column < 0 || column >= MonthGridColumns || row < 0 ||
        row >= MonthGridRows) {
        return {};
    }
    const CalendarDate cursor = DayNumberToDate(view.CursorDay);
    const int length = MonthLength(cursor.month, cursor.year, settings.Epoch);
    int leading = WeekdayOf(DateToDayNumber(1, cursor.month, cursor.year, settings.Epoch));
    if (settings.WeekStartsOnMonday) {
        leading = (leading + 6) % 7;
    }

    if (row == 0 && column < leading) {
        // December is always 31 days long, also December 1599, which the calendar does not know.
        const bool january = cursor.month == 1;
        const int previousMonth = january ? 12 : cursor.month - 1;
        const int previousYear = january ? cursor.year - 1 : cursor.year;
        const int previousLength =
            january ? 31 : MonthLength(previousMonth, previousYear, settings.Epoch);
        return {previousLength - leading + column + 1, previousMonth, previousYear};
    }
    const int k = MonthGridColumns * row + column - leading;
    if (k + 1 > length) {
        const bool december = cursor.month == 12;
        return {k % length + 1, december ? 1 : cursor.month + 1,
                december ? cursor.year + 1 : cursor.year};
    }
    return {k + 1, cursor.month, cursor.year};
}

void ClampDay(const MonthView& view, DayNumber& day) {
    if (day < view.LowestDay) {
        day = view.LowestDay;
    }
    if (day > view.HighestDay) {
        day = view.HighestDay;
    }
}

QString CellText(const CalendarDate& date) {
    if (date.day < 1) {
        return {};
    }
    return QStringLiteral("%1").arg(date.day, 2, 10, QLatin1Char(' '));
}

QString DayAccessibleName(const CalendarDate& date, QChar letter) {
    static const char* const weekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                           "Thursday", "Friday", "Saturday"};
    static const char* const months[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
    const DayNumber day = DateToDayNumber(date.day, date.month, date.year, 0);
    if (!IsValidDay(day) || date.month < 1 || date.month > 12)
        return {};
    QString name = QStringLiteral("%1, %2 %3 %4")
                       .arg(QLatin1String(weekdays[WeekdayOf(day)]))
                       .arg(date.day)
                       .arg(QLatin1String(months[date.month - 1]))
                       .arg(date.year);
    if (PlatoonIndex(letter) >= 0)
        name += QStringLiteral(", platoon ") + letter;
    return name;
}

QString CellAccessibleName(const ScheduleSettings& settings, const MonthView& view, int column,
                           int row) {
    const CalendarDate date = CellToDate(settings, view, column, row);
    if (date.day < 1)
        return {};
    const DayNumber day = DateToDayNumber(date.day, date.month, date.year, settings.Epoch);
    return DayAccessibleName(date, RotationLetter(day, settings.StartDay, settings.DaysInRotation,
                                                  settings.ShiftRotation));
}

CellColors CellColorsOf(const ScheduleSettings& settings, const MonthView& view, int column,
                        int row) {
    const ColorValue background = settings.BkGr;
    const CellColors hidden{background, background, true};
    const CalendarDate date = CellToDate(settings, view, column, row);
    if (date.day < 1) {
        return hidden;
    }
    const DayNumber cellDay = DateToDayNumber(date.day, date.month, date.year, settings.Epoch);
    const QChar letter =
        RotationLetter(cellDay, settings.StartDay, settings.DaysInRotation, settings.ShiftRotation);
    const int index = PlatoonIndex(letter);
    const bool hasPair = index >= 0;
    const ColorPair pair = hasPair ? settings.PlatoonColors[letter] : ColorPair{};
    const UserSetColors& set = settings.UserSet;
    const CellColors leading{background, settings.LdTr, set.LdTr};

    if (cellDay == view.CursorDay && settings.HiliteCurrent) {
        return hasPair
                   ? CellColors{pair.normal, pair.inverse, set.PlatoonInverse[std::size_t(index)]}
                   : CellColors{settings.LdTr, background, true};
    }
    if (date.month == DayNumberToDate(view.CursorDay).month) {
        return hasPair ? CellColors{background, pair.normal, set.PlatoonNormal[std::size_t(index)]}
                       : leading;
    }
    if (settings.ShowLeading && view.CursorDay > settings.StartDay) {
        return leading;
    }
    return hidden;
}

QPoint CellTextOrigin(const QRect& cell, int columnWidth, int rowHeight, const QSize& textSize) {
    return {cell.left() + columnWidth / 2 - textSize.width() / 2,
            cell.top() + rowHeight / 2 - textSize.height() / 2};
}

QSize GridCellSize(const QSize& gridSize) {
    return {gridSize.width() / MonthGridColumns - 1, gridSize.height() / MonthGridRows - 1};
}

QString MonthHeaderCaption(const ScheduleSettings& settings, const MonthView& view,
                           const ShortDateFormat& format) {
    if (!IsValidDay(view.CursorDay)) {
        return {};
    }
    const CalendarDate cursor = DayNumberToDate(view.CursorDay);
    const auto index = std::size_t(cursor.month - 1);
    QString caption =
        settings.FullMonthName ? format.longMonthNames[index] : format.shortMonthNames[index];
    if (settings.ShowYear) {
        caption += QLatin1Char(' ') + QString::number(cursor.year);
    }
    return caption;
}

FontDescription HeaderFont(const ScheduleSettings& settings) {
    return {settings.HdrFontName, TextToFontStyle(settings.HdrFontStyle), MonthViewPointSize};
}

ColorValue HeaderFontColor(const ScheduleSettings& settings) {
    return NameToColor(settings.HdrFontColor);
}

FontDescription CellFont(const ScheduleSettings& settings) {
    return {settings.CalFontName, TextToFontStyle(settings.CalFontStyle), MonthViewPointSize};
}

} // namespace kestro
