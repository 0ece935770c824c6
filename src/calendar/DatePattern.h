#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <optional>

namespace kestro {

// YearDayMonth is Chechen's (2024.01.03).
enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay, YearDayMonth };

// The user's short date format: how dates are read from and written to fields and the file.
struct ShortDateFormat {
    DateOrder order = DateOrder::MonthDayYear;
    QChar separator = QLatin1Char('/');
    // Pattern used for writing, made of d/dd, M/MM, yyyy and the separator (always a 4-digit year).
    QString pattern = QStringLiteral("M/d/yyyy");
    std::array<QString, 12> longMonthNames;
    std::array<QString, 12> shortMonthNames;
    // Abbreviated weekday names, Sunday first.
    std::array<QString, 7> shortDayNames;
};

// M/d/yyyy with "/" and the English month and weekday names: the names where the locale has none.
ShortDateFormat DefaultShortDateFormat();

// Builds a format from a pattern of day (d, dd), month (M, MM) and year (y, yy, yyyy) numbers
// with one separator, e.g. "dd.MM.yyyy" or "d/M/yy". Two-digit year patterns are written with
// four digits. Nothing for any other pattern. Month names are left empty.
std::optional<ShortDateFormat> NumericShortDateFormat(const QString& pattern);

// Turns an strftime date pattern such as nl_langinfo(D_FMT) ("%m/%d/%y", "%d.%m.%Y") into the
// pattern form above; unknown conversions are kept as they are (and so fail the check above).
QString PatternFromStrftime(const QString& strftimePattern);

// 'd', 'm' or 'y' for a pattern letter of day, month or year in either case, else 0.
char DatePatternLetter(QChar c);
// The order of the fields in a pattern, told by its first two letters; M/d/y when it has none.
DateOrder DateOrderOfPattern(const QString& pattern);

} // namespace kestro
