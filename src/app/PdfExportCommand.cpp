#include "app/PdfExportCommand.h"

#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "export/ExportArguments.h"
#include "sharing/YearCalendarPainter.h"
#include "startup/Platform.h"
#include "summary/Holidays.h"

namespace kestro {

CommandOutcome RunPdfExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock) {
    const PdfCommandLine command = ReadPdfCommandLine(arguments, clock.Today().year);
    if (!command.error.isEmpty())
        return Failed(2, command.error + QStringLiteral(" See kestro --help."));
    ExportSchedule schedule;
    if (std::optional<CommandOutcome> failed = LoadExportSchedule(
            command.settingsArguments, command.outputFile, platform, clock, schedule))
        return *failed;

    YearCalendarSource source{schedule.settings,
                              platform.DateFormat(),
                              schedule.path,
                              command.years,
                              PaperSizeOfLocale(platform.PaperLocale()),
                              {}};
    if (const QString problem = YearCalendarProblem(source); !problem.isEmpty())
        return Failed(2, QStringLiteral("%1: %2").arg(schedule.path, problem));
    if (!command.holidayFile.isEmpty()) {
        HolidayList holidays = ReadHolidayFile(command.holidayFile, command.years);
        if (!holidays.error.isEmpty())
            return Failed(2, holidays.error);
        source.holidays = std::move(holidays.days);
    }
    const QByteArray pdf = YearCalendarPdf(source);
    if (pdf.isEmpty())
        return Failed(1, QStringLiteral("The PDF could not be made."));
    if (const QString error = WritePdfFile(command.outputFile, pdf, schedule.path);
        !error.isEmpty())
        return Failed(1, error);

    const YearRange years = command.years;
    const QString paper = PaperSizeName(source.paper);
    const QString what =
        years.count() == 1
            ? QStringLiteral("the year %1 on one %2 page").arg(years.first).arg(paper)
            : QStringLiteral("the years %1 to %2 on %3 %4 pages")
                  .arg(years.first)
                  .arg(years.last)
                  .arg(years.count())
                  .arg(paper);
    return {0, QStringLiteral("Wrote %1: %2.\n").arg(command.outputFile, what), {}};
}

int ExportPdfMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunPdfExport(arguments, platform, clock));
}

} // namespace kestro
