#pragma once

#include "calendar/Calendar.h"
#include "calendar/DateText.h"
#include "colors/ColorNames.h"
#include "settings/ScheduleSettings.h"

#include <QByteArray>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace kestro {

enum class PaperSize { A4, Letter };

// The paper of a locale, named as in LC_PAPER ("en_US.UTF-8", "fr_CA", "C"): Letter for the
// United States and Canada, A4 for every other place and for names without a territory.
PaperSize PaperSizeOfLocale(const QString& localeName);
// "A4" or "Letter".
QString PaperSizeName(PaperSize paper);
// A sheet of the paper turned sideways: width and height in points (1/72 inch).
QSizeF LandscapeSheet(PaperSize paper);

// Years a printed calendar can show, one page each.
inline constexpr int FirstCalendarYear = 1600;
inline constexpr int LastCalendarYear = 3999;
inline constexpr int MaxCalendarPages = 100;

struct YearRange {
    int first = 0;
    int last = 0;
    int count() const { return last - first + 1; }
    friend bool operator==(const YearRange&, const YearRange&) = default;
};

// Why the years cannot be printed, for the user; empty when they can.
QString YearRangeProblem(YearRange years);

// A holiday of a calendar file the user chose, on one day.
struct Holiday {
    DayNumber day = InvalidDay;
    QString name;
    friend bool operator==(const Holiday&, const Holiday&) = default;
};

// Everything a printed year calendar is made from.
struct YearCalendarSource {
    ScheduleSettings settings;
    // Month and weekday names, and how the start date is written in the footer.
    ShortDateFormat format;
    // The settings file the schedule belongs to, named in the footer; empty when it has none.
    QString settingsFile;
    YearRange years;
    PaperSize paper = PaperSize::A4;
    // Marked on their days and named under the months; none unless the user gave a file.
    std::vector<Holiday> holidays;
};

// Why the schedule cannot be printed, for the user: a rotation without days, one whose length is
// not "Days in Rotation", a start date that is no date, or years that cannot be printed. Empty
// when it can be printed.
QString YearCalendarProblem(const YearCalendarSource& source);

// The same checks of the rotation that a calendar file needs; empty when it is sound.
QString RotationLengthProblem(const ScheduleSettings& settings);

enum class PageItemKind {
    Title,
    MonthName,
    Weekday,
    Day,
    HolidayMark,
    LegendSwatch,
    LegendText,
    HolidayNames,
    Footer
};

// One thing on the page: a rectangle, filled unless its fill is ColorNone, with a text centred in
// it (or aligned as given) in one font.
struct PageItem {
    PageItemKind kind = PageItemKind::Title;
    QRectF rect; // in points from the sheet's top-left corner
    ColorValue fill = ColorNone;
    ColorValue textColor = 0;
    QString text;
    QString fontFamily;
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    Qt::Alignment alignment = Qt::AlignCenter;
    DayNumber day = InvalidDay; // the date of a Day item
};

// One year on one sheet: the title, twelve months of at most six weeks in four columns and three
// rows, the legend and the footer.
struct YearCalendarPage {
    int year = 0;
    QSizeF sheet; // points
    std::vector<PageItem> items;
};

// Lays out one year on a sheet of the given size (points). Each day of a month is filled with its
// platoon's normal color and numbered in the inverse color; a day without a platoon (before the
// start, or a character that names none) is filled with BkGr and numbered in LdTr. The days of
// the neighbouring months are left out. The legend gives each platoon of the rotation, in the
// order of the color table, as "A: 8 of 24 days". A holiday's day has a mark in its corner, in
// its number's color, and the year's holidays are named in a line over the footer.
YearCalendarPage LayOutYearCalendar(const YearCalendarSource& source, int year, QSizeF sheet);

// "Shift calendar 2024".
QString YearCalendarTitle(int year);
// "A: 8 of 24 days" for each platoon letter of the rotation, in the order of the color table.
QStringList LegendTexts(const ScheduleSettings& settings);
// The footer: the rotation, its length and start date in the user's format, and the file name.
QString YearCalendarFooter(const YearCalendarSource& source);

// Replaces the file at path with a PDF, all or nothing, unless CalendarFileProblem finds a problem
// with the name. Returns the error for the user, empty on success.
QString WritePdfFile(const QString& path, const QByteArray& pdf, const QString& settingsFile);

} // namespace kestro
