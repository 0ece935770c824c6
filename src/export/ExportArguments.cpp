#include "export/ExportArguments.h"

#include <QRegularExpression>

#include <span>

namespace kestro {
namespace {

const QLatin1String ExportIcsOption("--export-ics");
const QLatin1String ExportPdfOption("--export-pdf");
const QLatin1String YearOption("--year");

constexpr const char* IcsOptions[] = {"--export-ics", "--platoons", "--from",
                                      "--until",      "--text",     "--name"};
constexpr const char* PdfOptions[] = {"--export-pdf", "--year", "--years", "--holidays"};

// The option an argument names, alone or before "="; empty for none of names.
QString FindOption(const QString& argument, std::span<const char* const> names) {
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    for (const char* option : names) {
        if (name == QLatin1String(option))
            return name;
    }
    return {};
}

} // namespace

bool HasOption(const QStringList& arguments, std::span<const char* const> names) {
    for (const QString& argument : arguments) {
        if (!FindOption(argument, names).isEmpty())
            return true;
    }
    return false;
}

QString ReadOptions(const QStringList& arguments, std::span<const char* const> names,
                    const QString& command, QList<OptionValue>& options, QStringList& rest) {
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = FindOption(argument, names);
        if (name.isEmpty()) {
            if (argument.startsWith(QLatin1String("--")))
                return QStringLiteral("Unknown option %1.").arg(argument);
            rest.append(argument);
            continue;
        }
        if (seen.contains(name))
            return QStringLiteral("%1 is given twice.").arg(name);
        seen.append(name);
        QString value;
        if (argument.size() > name.size())
            value = argument.mid(name.size() + 1);
        else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
            value = arguments[++i];
        else
            return QStringLiteral("%1 needs a value.").arg(name);
        if (name == command && value.isEmpty())
            return QStringLiteral("%1 needs a file name.").arg(name);
        options.append({name, value});
    }
    if (!seen.contains(command))
        return QStringLiteral("%1 can only be used with %2 OUT.%3.")
            .arg(seen.join(QStringLiteral(", ")), command, command.section(QLatin1Char('-'), -1));
    return {};
}

namespace {

QString DateError(const QString& option, const QString& text, const ShortDateFormat& format) {
    return QStringLiteral("%1: \"%2\" is not a date from 1600 to 3999. Write it as yyyy-mm-dd "
                          "or in your short date format (%3).")
        .arg(option, text, format.pattern);
}

} // namespace

bool IsIcsExportRequest(const QStringList& arguments) {
    return HasOption(arguments, IcsOptions);
}

bool IsPdfExportRequest(const QStringList& arguments) {
    return HasOption(arguments, PdfOptions);
}

std::optional<DayNumber> ReadExportDate(const QString& text, const ShortDateFormat& format,
                                        int currentYear) {
    static const QRegularExpression iso(QStringLiteral("^\\s*(\\d{4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    std::optional<CalendarDate> date;
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch())
        date = CalendarDate{m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt()};
    else
        date = ReadDateText(text, format, currentYear, TwoDigitYears::SlidingWindow);
    if (!date)
        return std::nullopt;
    const DayNumber day = DateToDayNumber(date->day, date->month, date->year, 0);
    if (day == InvalidDay)
        return std::nullopt;
    return day;
}

IcsCommandLine ReadIcsCommandLine(const QStringList& arguments, const ShortDateFormat& format,
                                  int currentYear) {
    IcsCommandLine result;
    QList<OptionValue> options;
    result.error =
        ReadOptions(arguments, IcsOptions, ExportIcsOption, options, result.settingsArguments);
    for (qsizetype i = 0; i < options.size() && result.error.isEmpty(); ++i) {
        const auto& [name, value] = options[i];
        if (name == ExportIcsOption) {
            result.outputFile = value;
        } else if (name == QLatin1String("--platoons")) {
            result.options.platoons = value;
        } else if (name == QLatin1String("--from") || name == QLatin1String("--until")) {
            const std::optional<DayNumber> day = ReadExportDate(value, format, currentYear);
            if (!day)
                result.error = DateError(name, value, format);
            (name == QLatin1String("--from") ? result.options.from : result.options.until) = day;
        } else if (name == QLatin1String("--text")) {
            result.options.eventText = value;
        } else {
            result.options.calendarName = value;
        }
    }
    return result;
}

std::optional<YearRange> ReadYearRange(const QString& text) {
    static const QRegularExpression range(
        QStringLiteral("^\\s*(\\d{1,4})\\s*(?:-\\s*(\\d{1,4})\\s*)?$"));
    const QRegularExpressionMatch m = range.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const int first = m.captured(1).toInt();
    return YearRange{first, m.capturedLength(2) > 0 ? m.captured(2).toInt() : first};
}

PdfCommandLine ReadPdfCommandLine(const QStringList& arguments, int currentYear) {
    PdfCommandLine result;
    result.years = {currentYear, currentYear};
    QList<OptionValue> options;
    result.error =
        ReadOptions(arguments, PdfOptions, ExportPdfOption, options, result.settingsArguments);
    bool yearGiven = false;
    for (qsizetype i = 0; i < options.size() && result.error.isEmpty(); ++i) {
        const auto& [name, value] = options[i];
        if (name == ExportPdfOption) {
            result.outputFile = value;
            continue;
        }
        if (name == QLatin1String("--holidays")) {
            result.holidayFile = value;
            continue;
        }
        if (yearGiven) {
            result.error = QStringLiteral("Give either --year or --years.");
            break;
        }
        yearGiven = true;
        const std::optional<YearRange> years = ReadYearRange(value);
        const bool single = name == YearOption;
        if (!years || (single && years->last != years->first)) {
            result.error = QStringLiteral("%1: \"%2\" is not %3.")
                               .arg(name, value,
                                    single ? QStringLiteral("a year such as 2025")
                                           : QStringLiteral("a year or years such as 2025-2027"));
        } else if (const QString problem = YearRangeProblem(*years); !problem.isEmpty()) {
            result.error = QStringLiteral("%1 %2: %3").arg(name, value, problem);
        } else {
            result.years = *years;
        }
    }
    return result;
}

} // namespace kestro
