#include "planning/CompareArguments.h"

#include "export/ExportArguments.h"
#include "planning/RotationChange.h"

namespace kestro {
namespace {

constexpr const char* CompareOptions[] = {"--compare", "--from", "--months"};
constexpr const char* CompareOnlyOptions[] = {"--compare", "--months"};

} // namespace

bool IsCompareRequest(const QStringList& arguments) {
    return HasOption(arguments, CompareOnlyOptions);
}

CompareCommandLine ReadCompareCommandLine(const QStringList& arguments,
                                          const ShortDateFormat& format, int currentYear) {
    CompareCommandLine result;
    result.months = MonthsCompared;
    if (!HasOption(arguments, std::span(CompareOptions, 1))) {
        result.error = QStringLiteral("--months can only be used with --compare OTHER.ini.");
        return result;
    }
    QList<OptionValue> options;
    result.error = ReadOptions(arguments, CompareOptions, QStringLiteral("--compare"), options,
                               result.settingsArguments);
    for (const auto& [name, value] : options) {
        if (!result.error.isEmpty())
            break;
        if (name == QLatin1String("--compare")) {
            result.otherFile = value;
        } else if (name == QLatin1String("--from")) {
            result.from = ReadExportDate(value, format, currentYear);
            if (!result.from)
                result.error = QStringLiteral("--from: \"%1\" is not a date from 1600 to 3999. "
                                              "Write it as yyyy-mm-dd or in your short date "
                                              "format (%2).")
                                   .arg(value, format.pattern);
        } else {
            bool number = false;
            result.months = value.trimmed().toInt(&number);
            if (!number || result.months < 1 || result.months > MostMonthsCompared)
                result.error = QStringLiteral("--months: \"%1\" is not a number of months from 1 "
                                              "to %2.")
                                   .arg(value)
                                   .arg(MostMonthsCompared);
        }
    }
    return result;
}

} // namespace kestro
