#include "export/YearCalendar.h"

#include "export/IcsExport.h"
#include "files/SettingsFileIO.h"
#include "rotation/MonthView.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace kestro {
namespace {

constexpr DayNumber LastDay = 876581; // 31 December 3999
constexpr ColorValue Black = 0x000000;
constexpr ColorValue DarkGray = 0x404040;

// Sizes on the sheet, in points.
constexpr double Margin = 28.35; // 10 mm, more than a printer's unprintable border
constexpr double TitleHeight = 30;
constexpr double TitleGap = 6;
constexpr double MonthGapX = 16;
constexpr double MonthGapY = 8;
constexpr double LegendGap = 8;
constexpr double LegendRowHeight = 20;
constexpr double SwatchWidth = 24;
constexpr double SwatchHeight = 16;
constexpr double LegendPointSize = 10.5;
constexpr double FooterHeight = 12;
constexpr double FooterPointSize = 8;
constexpr double HolidayNamesHeight = 12;
constexpr double HolidayMarkShare = 0.4; // of the cell's shorter side
constexpr double CellInset = 0.7;        // half the white line between two cells

QString PlatoonLettersOf(const QString& rotation) {
    QString letters;
    for (char16_t letter : PlatoonLetters) {
        if (rotation.contains(QChar(letter)))
            letters.append(QChar(letter));
    }
    return letters;
}

// The first character of a weekday's name, upper case.
QString Initial(const QString& name) {
    if (name.isEmpty())
        return {};
    const int length = name[0].isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(length).toUpper();
}

// The names of the format, English where the format has none.
std::array<QString, 12> MonthNames(const ShortDateFormat& format) {
    std::array<QString, 12> names = DefaultShortDateFormat().longMonthNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!format.longMonthNames[i].isEmpty())
            names[i] = format.longMonthNames[i];
    }
    return names;
}

std::array<QString, 7> DayNames(const ShortDateFormat& format) {
    std::array<QString, 7> names = DefaultShortDateFormat().shortDayNames;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!format.shortDayNames[i].isEmpty())
            names[i] = format.shortDayNames[i];
    }
    return names;
}

PageItem Text(PageItemKind kind, const QRectF& rect, const QString& text, double pointSize,
              const QString& family, ColorValue color = Black) {
    PageItem item;
    item.kind = kind;
    item.rect = rect;
    item.text = text;
    item.pointSize = pointSize;
    item.fontFamily = family;
    item.textColor = color;
    return item;
}

struct LegendEntry {
    QString swatchText;
    ColorPair colors; // fill, text
    QString text;
};

std::vector<LegendEntry> LegendEntries(const ScheduleSettings& settings, bool dayWithoutPlatoon) {
    std::vector<LegendEntry> entries;
    const QString letters = PlatoonLettersOf(settings.ShiftRotation);
    const QStringList texts = LegendTexts(settings);
    for (qsizetype i = 0; i < letters.size(); ++i)
        entries.push_back({QString(letters[i]), settings.PlatoonColors[letters[i]], texts[i]});
    if (dayWithoutPlatoon)
        entries.push_back(
            {QStringLiteral("1"), {settings.BkGr, settings.LdTr}, QStringLiteral("no platoon")});
    return entries;
}

// Places the legend's entries in rows of equal slots, each row centred, from top.
void AddLegend(YearCalendarPage& page, const std::vector<LegendEntry>& entries, double top,
               double width, int perRow, double slotWidth, const QString& family) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int row = int(i) / perRow;
        const int inRow = std::min<int>(perRow, int(entries.size()) - row * perRow);
        const double left = (page.sheet.width() - width) / 2 + (width - inRow * slotWidth) / 2 +
                            double(int(i) % perRow) * slotWidth;
        const double y = top + row * LegendRowHeight;
        PageItem swatch =
            Text(PageItemKind::LegendSwatch,
                 {left, y + (LegendRowHeight - SwatchHeight) / 2, SwatchWidth, SwatchHeight},
                 entries[i].swatchText, LegendPointSize, family, entries[i].colors.inverse);
        swatch.fill = entries[i].colors.normal;
        swatch.bold = true;
        page.items.push_back(swatch);
        PageItem text =
            Text(PageItemKind::LegendText,
                 {left + SwatchWidth + 5, y, slotWidth - SwatchWidth - 10, LegendRowHeight},
                 entries[i].text, LegendPointSize, family);
        text.alignment = Qt::AlignLeft | Qt::AlignVCenter;
        page.items.push_back(text);
    }
}

bool IsHoliday(const std::vector<Holiday>& holidays, DayNumber day) {
    return std::any_of(holidays.begin(), holidays.end(),
                       [day](const Holiday& h) { return h.day == day; });
}

// "Holidays: 1 Jan New Year's Day, 25 Dec Christmas Day" for the holidays of the year; empty when
// it has none.
QString HolidayNamesOf(const YearCalendarSource& source, int year) {
    QStringList names;
    const std::array<QString, 12> months = MonthNames(source.format);
    for (const Holiday& holiday : source.holidays) {
        const CalendarDate date = DayNumberToDate(holiday.day);
        const std::size_t m = std::size_t(date.month - 1);
        const QString month = source.format.shortMonthNames[m].isEmpty()
                                  ? months[m].left(3)
                                  : source.format.shortMonthNames[m];
        if (date.year == year)
            names.append(QStringLiteral("%1 %2 %3").arg(date.day).arg(month, holiday.name));
    }
    return names.isEmpty() ? QString() : QStringLiteral("Holidays: ") + names.join(u", ");
}

struct MonthBox {
    QRectF rect;
    int month = 1;
};

// Adds one month: its name, the weekday initials and its days.
void AddMonth(YearCalendarPage& page, const YearCalendarSource& source, const MonthBox& box) {
    const ScheduleSettings& s = source.settings;
    const double nameHeight = box.rect.height() * 0.14;
    const double weekdayHeight = box.rect.height() * 0.09;
    const double columnWidth = box.rect.width() / MonthGridColumns;
    const double rowHeight = (box.rect.height() - nameHeight - weekdayHeight) / MonthGridRows;

    PageItem name = Text(
        PageItemKind::MonthName, {box.rect.left(), box.rect.top(), box.rect.width(), nameHeight},
        MonthNames(source.format)[std::size_t(box.month - 1)], std::min(nameHeight * 0.7, 14.0),
        s.HdrFontName,
        NameToColor(s.HdrFontColor) == ColorNone ? Black : NameToColor(s.HdrFontColor));
    name.bold = true;
    page.items.push_back(name);

    const std::array<QString, 7> dayNames = DayNames(source.format);
    const int firstColumnDay = s.WeekStartsOnMonday ? 1 : 0;
    for (int column = 0; column < MonthGridColumns; ++column) {
        page.items.push_back(Text(PageItemKind::Weekday,
                                  {box.rect.left() + column * columnWidth,
                                   box.rect.top() + nameHeight, columnWidth, weekdayHeight},
                                  Initial(dayNames[std::size_t((firstColumnDay + column) % 7)]),
                                  weekdayHeight * 0.72, s.CalFontName, DarkGray));
    }

    MonthView view;
    view.CursorDay = DateToDayNumber(1, box.month, page.year, s.Epoch);
    const double daysTop = box.rect.top() + nameHeight + weekdayHeight;
    const double numberSize = std::min(rowHeight * 0.7, columnWidth * 0.5);
    const FontStyleSet style = TextToFontStyle(s.CalFontStyle);
    for (int row = 0; row < MonthGridRows; ++row) {
        for (int column = 0; column < MonthGridColumns; ++column) {
            const CalendarDate date = CellToDate(s, view, column, row);
            if (date.month != box.month)
                continue;
            const DayNumber day = DateToDayNumber(date.day, date.month, date.year, s.Epoch);
            const QChar letter = RotationLetter(day, s.StartDay, s.DaysInRotation, s.ShiftRotation);
            PageItem cell = Text(PageItemKind::Day,
                                 QRectF(box.rect.left() + column * columnWidth,
                                        daysTop + row * rowHeight, columnWidth, rowHeight)
                                     .adjusted(CellInset, CellInset, -CellInset, -CellInset),
                                 QString::number(date.day), numberSize, s.CalFontName);
            if (PlatoonIndex(letter) >= 0) {
                cell.fill = s.PlatoonColors[letter].normal;
                cell.textColor = s.PlatoonColors[letter].inverse;
            } else {
                cell.fill = s.BkGr;
                cell.textColor = s.LdTr;
            }
            // Bold whatever the preview's style: the sheet is read from across a room.
            cell.bold = true;
            cell.italic = style.italic;
            cell.day = day;
            page.items.push_back(cell);
            if (IsHoliday(source.holidays, day)) {
                const double side =
                    std::min(cell.rect.width(), cell.rect.height()) * HolidayMarkShare;
                PageItem mark;
                mark.kind = PageItemKind::HolidayMark;
                mark.rect = {cell.rect.right() - side, cell.rect.top(), side, side};
                mark.fill = cell.textColor;
                mark.day = day;
                page.items.push_back(mark);
            }
        }
    }
}

// Whether a day of the year has no platoon: it lies before the start, or its character names none.
bool HasDayWithoutPlatoon(const ScheduleSettings& s, int year) {
    const DayNumber first = DateToDayNumber(1, 1, year, s.Epoch);
    const DayNumber last = DateToDayNumber(31, 12, year, s.Epoch);
    for (DayNumber day = first; day <= last; ++day) {
        if (PlatoonIndex(RotationLetter(day, s.StartDay, s.DaysInRotation, s.ShiftRotation)) < 0)
            return true;
    }
    return false;
}

} // namespace

PaperSize PaperSizeOfLocale(const QString& localeName) {
    // language[_TERRITORY][.codeset][@modifier]
    static const QRegularExpression territory(QStringLiteral("^[A-Za-z]+_([A-Za-z]+)"));
    const QString place = territory.match(localeName).captured(1).toUpper();
    return place == QLatin1String("US") || place == QLatin1String("CA") ? PaperSize::Letter
                                                                        : PaperSize::A4;
}

QString PaperSizeName(PaperSize paper) {
    return paper == PaperSize::Letter ? QStringLiteral("Letter") : QStringLiteral("A4");
}

QSizeF LandscapeSheet(PaperSize paper) {
    // A4 is 210 x 297 mm, Letter 8.5 x 11 inches.
    return paper == PaperSize::Letter ? QSizeF(792, 612) : QSizeF(297 / 25.4 * 72, 210 / 25.4 * 72);
}

QString YearRangeProblem(YearRange years) {
    const auto valid = [](int year) {
        return year >= FirstCalendarYear && year <= LastCalendarYear;
    };
    if (!valid(years.first) || !valid(years.last))
        return QStringLiteral("A calendar can show the years %1 to %2.")
            .arg(FirstCalendarYear)
            .arg(LastCalendarYear);
    if (years.last < years.first)
        return QStringLiteral("The last year, %1, comes before the first, %2.")
            .arg(years.last)
            .arg(years.first);
    if (years.count() > MaxCalendarPages)
        return QStringLiteral("At most %1 years at a time, one page each.").arg(MaxCalendarPages);
    return {};
}

QString RotationLengthProblem(const ScheduleSettings& s) {
    if (s.DaysInRotation < 1)
        return QStringLiteral("\"Days in Rotation\" is %1, but a rotation needs at least one day.")
            .arg(s.DaysInRotation);
    if (s.ShiftRotation.size() != s.DaysInRotation)
        return QStringLiteral("\"Shift Rotation\" does not match number of \"Days in Rotation\". "
                              "The rotation has %1 letters; \"Days in Rotation\" is %2.")
            .arg(s.ShiftRotation.size())
            .arg(s.DaysInRotation);
    if (s.StartDay < 0 || s.StartDay > LastDay)
        return QStringLiteral("The start date of the rotation is not a valid date.");
    return {};
}

QString YearCalendarProblem(const YearCalendarSource& source) {
    if (QString problem = RotationLengthProblem(source.settings); !problem.isEmpty())
        return problem;
    return YearRangeProblem(source.years);
}

QString YearCalendarTitle(int year) {
    return QStringLiteral("%1 %2").arg(DefaultCalendarName).arg(year);
}

QStringList LegendTexts(const ScheduleSettings& s) {
    QStringList texts;
    const QString unit = s.DaysInRotation == 1 ? QStringLiteral("day") : QStringLiteral("days");
    for (QChar letter : PlatoonLettersOf(s.ShiftRotation))
        texts.append(QStringLiteral("%1: %2 of %3 %4")
                         .arg(letter)
                         .arg(s.ShiftRotation.count(letter))
                         .arg(s.DaysInRotation)
                         .arg(unit));
    return texts;
}

QString YearCalendarFooter(const YearCalendarSource& source) {
    const ScheduleSettings& s = source.settings;
    const QString file = source.settingsFile.isEmpty() ? QStringLiteral("not saved in a file")
                                                       : QFileInfo(source.settingsFile).fileName();
    return QStringLiteral("Rotation %1 (%2 %3) from %4  \u2022  %5")
        .arg(s.ShiftRotation)
        .arg(s.DaysInRotation)
        .arg(s.DaysInRotation == 1 ? QStringLiteral("day") : QStringLiteral("days"))
        .arg(FormatDate(source.format, DayNumberToDate(s.StartDay)), file);
}

YearCalendarPage LayOutYearCalendar(const YearCalendarSource& source, int year, QSizeF sheet) {
    const ScheduleSettings& s = source.settings;
    YearCalendarPage page;
    page.year = year;
    page.sheet = sheet;
    const double width = sheet.width() - 2 * Margin;

    PageItem title = Text(PageItemKind::Title, {Margin, Margin, width, TitleHeight},
                          YearCalendarTitle(year), 20, s.HdrFontName);
    title.bold = true;
    page.items.push_back(title);

    // The legend's slots fit its longest text; as many as fit go into one row.
    std::vector<LegendEntry> legend = LegendEntries(s, HasDayWithoutPlatoon(s, year));
    const QString holidayNames = HolidayNamesOf(source, year);
    if (!holidayNames.isEmpty())
        legend.push_back({{}, {Black, Black}, QStringLiteral("corner: holiday")});
    qsizetype longest = 0;
    for (const LegendEntry& entry : legend)
        longest = std::max(longest, entry.text.size());
    const double slotWidth = SwatchWidth + 16 + double(longest) * LegendPointSize * 0.6;
    const int perRow = std::max(1, int(width / slotWidth));
    const int legendRows = int((legend.size() + std::size_t(perRow) - 1) / std::size_t(perRow));

    const double footerTop = sheet.height() - Margin - FooterHeight;
    const double holidaysTop = footerTop - (holidayNames.isEmpty() ? 0 : HolidayNamesHeight + 2);
    const double legendTop = holidaysTop - 4 - legendRows * LegendRowHeight;
    const double monthsTop = Margin + TitleHeight + TitleGap;
    const double monthHeight = (legendTop - LegendGap - monthsTop - 2 * MonthGapY) / 3;
    const double monthWidth = (width - 3 * MonthGapX) / 4;

    for (int month = 1; month <= 12; ++month) {
        const int column = (month - 1) % 4;
        const int row = (month - 1) / 4;
        const MonthBox box{{Margin + column * (monthWidth + MonthGapX),
                            monthsTop + row * (monthHeight + MonthGapY), monthWidth, monthHeight},
                           month};
        AddMonth(page, source, box);
    }
    AddLegend(page, legend, legendTop, width, perRow, slotWidth, s.CalFontName);

    if (!holidayNames.isEmpty())
        page.items.push_back(Text(PageItemKind::HolidayNames,
                                  {Margin, holidaysTop, width, HolidayNamesHeight}, holidayNames,
                                  FooterPointSize, s.CalFontName));
    PageItem footer = Text(PageItemKind::Footer, {Margin, footerTop, width, FooterHeight},
                           YearCalendarFooter(source), FooterPointSize, s.CalFontName, DarkGray);
    page.items.push_back(footer);
    return page;
}

QString WritePdfFile(const QString& path, const QByteArray& pdf, const QString& settingsFile) {
    if (QString problem = CalendarFileProblem(path, settingsFile); !problem.isEmpty())
        return problem;
    if (const SaveResult written = WriteSettingsBytes(path, pdf); !written)
        return QStringLiteral("Could not write the PDF file %1: %2").arg(path, written.reason);
    return {};
}

} // namespace kestro
