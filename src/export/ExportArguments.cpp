#include "export/ExportArguments.h"

#include "ini/IniValues.h"
#include "settings/SaveSettings.h"

#include <QRegularExpression>

#include <span>

namespace kestro {
namespace {

const QLatin1String ExportIcsOption("--export-ics");
const QLatin1String ExportPdfOption("--export-pdf");
const QLatin1String YearOption("--year");

const QLatin1String OneDayEventsOption("--one-day-events");

constexpr const char* IcsOptions[] = {"--export-ics", "--platoons", "--from",          "--until",
                                      "--text",       "--name",     "--one-day-events"};
constexpr const char* PdfOptions[] = {"--export-pdf", "--year", "--years", "--holidays"};
// Options that take no value.
constexpr const char* Switches[] = {"--one-day-events"};

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
            if (const QString other = FindOption(argument, IcsOptions).isEmpty()
                                          ? FindOption(argument, PdfOptions)
                                          : FindOption(argument, IcsOptions);
                !other.isEmpty())
                return QStringLiteral("%1 cannot be used with %2.").arg(other, command);
            if (argument.startsWith(QLatin1String("--")))
                return QStringLiteral("Unknown option %1.").arg(argument);
            rest.append(argument);
            continue;
        }
        if (seen.contains(name))
            return QStringLiteral("%1 is given twice.").arg(name);
        seen.append(name);
        QString value;
        if (!FindOption(name, Switches).isEmpty()) {
            if (argument.size() > name.size())
                return QStringLiteral("%1 takes no value.").arg(name);
        } else if (argument.size() > name.size())
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

// The command is the one whose output option is given; without either, the one whose options are.
bool IsIcsExportRequest(const QStringList& arguments) {
    const char* const command[] = {"--export-ics"};
    return HasOption(arguments, command) ||
           (!IsPdfExportRequest(arguments) && HasOption(arguments, IcsOptions));
}

bool IsPdfExportRequest(const QStringList& arguments) {
    const char* const ics[] = {"--export-ics"};
    const char* const pdf[] = {"--export-pdf"};
    return HasOption(arguments, pdf) ||
           (!HasOption(arguments, ics) && HasOption(arguments, PdfOptions));
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
            if (value.trimmed().isEmpty())
                result.error = QStringLiteral("--platoons needs at least one platoon letter.");
            result.options.platoons = value;
        } else if (name == OneDayEventsOption) {
            result.options.oneDayEvents = true;
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

QString UnreadableSettingsText(const QString& path, const QString& reason) {
    return QStringLiteral("The settings file %1 cannot be read: %2.").arg(path, reason);
}

QString LoadedScheduleProblem(const QString& path, const LoadOutcome& loaded,
                              const ScheduleSettings& settings) {
    if (!loaded.fileError.isEmpty())
        return UnreadableSettingsText(path, loaded.fileError);
    if (loaded.startDateInvalid)
        return QStringLiteral("The start date \"%1\" in %2 is not a valid date.")
            .arg(settings.StartDateText, path);
    if (!loaded.daysInRotationText)
        return QStringLiteral("%1: \"Days in Rotation\" is missing.").arg(path);
    if (!ReadIniIntegerValue(*loaded.daysInRotationText))
        return QStringLiteral("%1: %2 (\"%3\").")
            .arg(path, QLatin1String(SaveReasons::DaysNotANumber), *loaded.daysInRotationText);
    if (const QString problem = ExportableRotationProblem(settings); !problem.isEmpty())
        return QStringLiteral("%1: %2").arg(path, problem);
    return {};
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
