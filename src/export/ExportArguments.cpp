#include "export/ExportArguments.h"

#include <QRegularExpression>

#include <array>

namespace kestro {
namespace {

const QString ExportIcsOption = QStringLiteral("--export-ics");

enum class Option { ExportIcs, Platoons, From, Until, Text, Name };

struct OptionName {
    Option option;
    const char* name;
};

constexpr std::array<OptionName, 6> kOptions{{{Option::ExportIcs, "--export-ics"},
                                              {Option::Platoons, "--platoons"},
                                              {Option::From, "--from"},
                                              {Option::Until, "--until"},
                                              {Option::Text, "--text"},
                                              {Option::Name, "--name"}}};

// The option an argument names, alone or before "=".
const OptionName* FindOption(const QString& argument) {
    const QString name = argument.section(QLatin1Char('='), 0, 0);
    for (const OptionName& o : kOptions) {
        if (name == QLatin1String(o.name))
            return &o;
    }
    return nullptr;
}

QString DateError(const QString& option, const QString& text, const ShortDateFormat& format) {
    return QStringLiteral("%1: \"%2\" is not a date from 1600 to 3999. Write it as yyyy-mm-dd "
                          "or in your short date format (%3).")
        .arg(option, text, format.pattern);
}

} // namespace

bool IsIcsExportRequest(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (FindOption(argument) != nullptr)
            return true;
    }
    return false;
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
    QStringList seen;
    for (qsizetype i = 0; i < arguments.size() && result.error.isEmpty(); ++i) {
        const QString& argument = arguments[i];
        const OptionName* option = FindOption(argument);
        if (option == nullptr) {
            if (argument.startsWith(QLatin1String("--")))
                result.error = QStringLiteral("Unknown option %1.").arg(argument);
            else
                result.settingsArguments.append(argument);
            continue;
        }
        const QString name = QLatin1String(option->name);
        if (seen.contains(name)) {
            result.error = QStringLiteral("%1 is given twice.").arg(name);
            break;
        }
        seen.append(name);
        QString value;
        if (argument.size() > name.size()) {
            value = argument.mid(name.size() + 1);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--"))) {
            value = arguments[++i];
        } else {
            result.error = QStringLiteral("%1 needs a value.").arg(name);
            break;
        }
        switch (option->option) {
        case Option::ExportIcs:
            if (value.isEmpty())
                result.error = QStringLiteral("%1 needs a file name.").arg(name);
            result.outputFile = value;
            break;
        case Option::Platoons:
            result.options.platoons = value;
            break;
        case Option::From:
        case Option::Until: {
            const std::optional<DayNumber> day = ReadExportDate(value, format, currentYear);
            if (!day)
                result.error = DateError(name, value, format);
            (option->option == Option::From ? result.options.from : result.options.until) = day;
            break;
        }
        case Option::Text:
            result.options.eventText = value;
            break;
        case Option::Name:
            result.options.calendarName = value;
            break;
        }
    }
    if (result.error.isEmpty() && !seen.contains(ExportIcsOption))
        result.error = QStringLiteral("%1 can only be used with %2 OUT.ics.")
                           .arg(seen.join(QStringLiteral(", ")), ExportIcsOption);
    return result;
}

} // namespace kestro
