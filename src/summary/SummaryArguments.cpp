#include "summary/SummaryArguments.h"

#include "export/ExportArguments.h"

namespace kestro {
namespace {

constexpr const char* SummaryOptions[] = {"--summary", "--holidays"};
constexpr const char* WhoOptions[] = {"--who"};

} // namespace

bool IsSummaryRequest(const QStringList& arguments) {
    return HasOption(arguments, std::span(SummaryOptions, 1));
}

bool IsWhoRequest(const QStringList& arguments) {
    return HasOption(arguments, WhoOptions);
}

SummaryCommandLine ReadSummaryCommandLine(const QStringList& arguments) {
    SummaryCommandLine result;
    if (!IsSummaryRequest(arguments)) {
        result.error = QStringLiteral("--holidays can only be used with --summary YEAR or "
                                      "--export-pdf OUT.pdf.");
        return result;
    }
    QList<OptionValue> options;
    result.error = ReadOptions(arguments, SummaryOptions, QStringLiteral("--summary"), options,
                               result.settingsArguments);
    for (const auto& [name, value] : options) {
        if (!result.error.isEmpty())
            break;
        if (name == QLatin1String("--holidays")) {
            result.holidayFile = value;
            continue;
        }
        const std::optional<YearRange> years = ReadYearRange(value);
        if (!years || years->first != years->last)
            result.error =
                QStringLiteral("--summary: \"%1\" is not a year such as 2025.").arg(value);
        else if (const QString problem = YearRangeProblem(*years); !problem.isEmpty())
            result.error = QStringLiteral("--summary %1: %2").arg(value, problem);
        else
            result.year = years->first;
    }
    return result;
}

WhoCommandLine ReadWhoCommandLine(const QStringList& arguments, const ShortDateFormat& format,
                                  int currentYear) {
    WhoCommandLine result;
    QList<OptionValue> options;
    result.error = ReadOptions(arguments, WhoOptions, QStringLiteral("--who"), options,
                               result.settingsArguments);
    if (!result.error.isEmpty())
        return result;
    const QString& value = options.constFirst().value;
    if (const std::optional<DayNumber> day = ReadExportDate(value, format, currentYear))
        result.day = *day;
    else
        result.error = QStringLiteral("--who: \"%1\" is not a date from 1600 to 3999. Write it as "
                                      "yyyy-mm-dd or in your short date format (%2).")
                           .arg(value, format.pattern);
    return result;
}

} // namespace kestro
