#include "export/ExportDialogs.h"

#include "export/ExportArguments.h"
#include "settings/LetterSet.h"

#include <algorithm>

namespace kestro {

CalendarExportRequest MakeCalendarExportRequest(const ScheduleSettings& settings, DayNumber today,
                                                const ShortDateFormat& format, int currentYear) {
    CalendarExportRequest request;
    for (char16_t letter : PlatoonLetters) {
        if (settings.ShiftRotation.contains(QChar(letter)))
            request.platoons.append(QChar(letter));
    }
    request.fromText = FormatDate(format, DayNumberToDate(std::max(settings.StartDay, today)));
    request.eventText = DefaultEventText;
    request.format = format;
    request.currentYear = currentYear;
    return request;
}

CalendarExportReading ReadCalendarExportForm(const CalendarExportForm& form,
                                             const CalendarExportRequest& request) {
    CalendarExportChoice choice;
    choice.platoons = form.platoons;
    choice.eventText = form.eventText;
    choice.oneDayEvents = form.oneDayEvents;
    const auto read = [&request](const QString& label, const QString& text,
                                 std::optional<DayNumber>& day) -> QString {
        if (text.trimmed().isEmpty())
            return {};
        day = ReadExportDate(text, request.format, request.currentYear);
        if (day)
            return {};
        return QStringLiteral("%1 \"%2\" is not a date from 1600 to 3999. Write it as %3 or "
                              "yyyy-mm-dd.")
            .arg(label, text.trimmed(), request.format.pattern);
    };
    QString error;
    if (choice.platoons.isEmpty())
        error = QStringLiteral("Choose at least one platoon.");
    if (error.isEmpty())
        error = read(QStringLiteral("From:"), form.fromText, choice.from);
    if (error.isEmpty())
        error = read(QStringLiteral("Until:"), form.untilText, choice.until);
    if (error.isEmpty() && choice.from && choice.until && *choice.until < *choice.from)
        error = QStringLiteral("The last day comes before the first.");
    if (error.isEmpty() && choice.eventText.trimmed().isEmpty())
        error = QStringLiteral("The event text is empty.");
    if (!error.isEmpty())
        return {std::nullopt, error};
    return {choice, {}};
}

IcsExportOptions ExportOptionsOf(const CalendarExportChoice& choice, const QString& settingsFile) {
    IcsExportOptions options;
    options.platoons = choice.platoons;
    options.from = choice.from;
    options.until = choice.until;
    options.eventText = choice.eventText;
    options.oneDayEvents = choice.oneDayEvents;
    options.sourceFile = settingsFile;
    return options;
}

} // namespace kestro
