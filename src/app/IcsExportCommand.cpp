#include "app/IcsExportCommand.h"

#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "export/ExportArguments.h"
#include "settings/LoadSettings.h"
#include "settings/SettingsFileIO.h"
#include "startup/Platform.h"
#include "startup/StartupFiles.h"

#include <QDir>

#include <cstdio>

namespace kestro {

CommandOutcome Failed(int exitCode, const QString& message) {
    return {exitCode, {}, QStringLiteral("kestro: ") + message + QLatin1Char('\n')};
}

namespace {

// The settings file the last argument names, as ReadCommandLine looks for it.
QString NamedSettingsFile(const QStringList& arguments, const Platform& platform) {
    QString name;
    for (const QString& argument : arguments) {
        if (!argument.isEmpty())
            name = argument;
    }
    if (name.size() >= 2 && name[0] == QLatin1Char('-') &&
        (name[1] == QLatin1Char('i') || name[1] == QLatin1Char('I')))
        name = name.mid(2);
    return QDir::cleanPath(QDir(platform.CurrentFolder())
                               .absoluteFilePath(ReplaceExtension(name, QStringLiteral(".ini"))));
}

QString PlatoonList(const QString& letters) {
    QStringList list;
    for (QChar letter : letters)
        list.append(QString(letter));
    return (letters.size() == 1 ? QStringLiteral("platoon ") : QStringLiteral("platoons ")) +
           list.join(QStringLiteral(", "));
}

} // namespace

std::optional<CommandOutcome> LoadExportSchedule(const QStringList& settingsArguments,
                                                 const QString& outputFile,
                                                 const Platform& platform, const Clock& clock,
                                                 ExportSchedule& schedule) {
    StartupState startup = ReadCommandLine(settingsArguments, platform);
    if (!settingsArguments.isEmpty() && startup.CommandLineFile.isEmpty())
        return Failed(2, QStringLiteral("The settings file %1 does not exist.")
                             .arg(NamedSettingsFile(settingsArguments, platform)));
    LocateSettingsFile(startup, platform);
    const QString path = startup.SettingsPath;
    if (path.isEmpty())
        return Failed(2, QStringLiteral("No settings file found. Name one with -iFILE; "
                                        "kestro --help tells where it is searched."));
    if (const QString problem = CalendarFileProblem(outputFile, path);
        !outputFile.isEmpty() && !problem.isEmpty())
        return Failed(2, problem);
    switch (ReadFileBytes(path).status) {
    case FileReadStatus::Read:
        break;
    case FileReadStatus::Missing:
        return Failed(2, QStringLiteral("The settings file %1 does not exist.").arg(path));
    case FileReadStatus::Unreadable:
        return Failed(2, QStringLiteral("The settings file %1 cannot be read.").arg(path));
    }

    schedule.path = path;
    if (LoadSettings(path, schedule.settings, platform.DateFormat(), clock).startDateInvalid)
        return Failed(2, QStringLiteral("The start date \"%1\" in %2 is not a valid date.")
                             .arg(schedule.settings.StartDateText, path));
    return std::nullopt;
}

CommandOutcome RunIcsExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock, const QDateTime& now) {
    const ShortDateFormat format = platform.DateFormat();
    IcsCommandLine command = ReadIcsCommandLine(arguments, format, clock.Today().year);
    if (!command.error.isEmpty())
        return Failed(2, command.error + QStringLiteral(" See kestro --help."));
    ExportSchedule schedule;
    if (std::optional<CommandOutcome> failed = LoadExportSchedule(
            command.settingsArguments, command.outputFile, platform, clock, schedule))
        return *failed;
    const ScheduleSettings& settings = schedule.settings;
    const QString& path = schedule.path;

    command.options.sourceFile = path;
    command.options.exportTime = now;
    const IcsCalendar calendar = BuildIcsCalendar(settings, command.options);
    if (!calendar.ok())
        return Failed(2, QStringLiteral("%1: %2").arg(path, calendar.error));
    const QString writeError = WriteIcsFile(command.outputFile, calendar.text, path);
    if (!writeError.isEmpty())
        return Failed(1, writeError);

    const QString until = command.options.until
                              ? QStringLiteral(" to %1").arg(IsoDateText(*command.options.until))
                              : QStringLiteral(", repeating without end");
    return {0,
            QStringLiteral("Wrote %1: %2 events for %3 from %4%5.\n")
                .arg(command.outputFile)
                .arg(calendar.events)
                .arg(PlatoonList(calendar.platoons), IsoDateText(calendar.first), until),
            {}};
}

int PrintOutcome(const CommandOutcome& outcome) {
    std::fputs(outcome.output.toLocal8Bit().constData(), stdout);
    std::fputs(outcome.error.toLocal8Bit().constData(), stderr);
    return outcome.exitCode;
}

int ExportIcsMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunIcsExport(arguments, platform, clock, QDateTime::currentDateTimeUtc()));
}

} // namespace kestro
