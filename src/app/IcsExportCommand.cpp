#include "app/IcsExportCommand.h"

#include "app/SystemPlatform.h"
#include "calendar/Clock.h"
#include "export/ExportArguments.h"
#include "files/FileName.h"
#include "files/SettingsFileIO.h"
#include "settings/LoadSettings.h"
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

// Control characters (a NUL in a rotation) would cut or garble the line on a terminal. File names
// are printed as the bytes they came as.
QByteArray PrintableLine(const QString& text) {
    QString shown;
    for (QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            shown += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return FileNameToBytes(shown);
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
    if (!settingsArguments.isEmpty() && startup.CommandLineFile.isEmpty()) {
        // Only a regular file counts as named; say what stands there instead.
        const QString named = NamedSettingsFile(settingsArguments, platform);
        if (const FileBytes file = ReadFileBytes(named); file.status == FileReadStatus::Unreadable)
            return Failed(2, UnreadableSettingsText(named, file.error));
        return Failed(2, QStringLiteral("The settings file %1 does not exist.").arg(named));
    }
    LocateSettingsFile(startup, platform);
    const QString path = startup.SettingsPath;
    if (path.isEmpty())
        return Failed(2, QStringLiteral("No settings file found. Name one with -iFILE; "
                                        "kestro --help tells where it is searched."));
    if (const QString problem = CalendarFileProblem(outputFile, path);
        !outputFile.isEmpty() && !problem.isEmpty())
        return Failed(2, problem);
    switch (const FileBytes file = ReadFileBytes(path); file.status) {
    case FileReadStatus::Read:
        break;
    case FileReadStatus::Missing:
        return Failed(2, QStringLiteral("The settings file %1 does not exist.").arg(path));
    case FileReadStatus::Unreadable:
        return Failed(2, UnreadableSettingsText(path, file.error));
    }

    schedule.path = path;
    const LoadOutcome loaded = LoadSettings(path, schedule.settings, platform.DateFormat(), clock);
    if (const QString problem = LoadedScheduleProblem(path, loaded, schedule.settings);
        !problem.isEmpty())
        return Failed(2, problem);
    return std::nullopt;
}

std::optional<CommandOutcome> LoadCountableSchedule(const QStringList& settingsArguments,
                                                    const Platform& platform, const Clock& clock,
                                                    ExportSchedule& schedule) {
    if (std::optional<CommandOutcome> failed =
            LoadExportSchedule(settingsArguments, {}, platform, clock, schedule))
        return failed;
    if (const QString problem = RotationLengthProblem(schedule.settings); !problem.isEmpty())
        return Failed(2, QStringLiteral("%1: %2").arg(schedule.path, problem));
    return std::nullopt;
}

CommandOutcome RunIcsExport(const QStringList& arguments, const Platform& platform,
                            const Clock& clock) {
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
            QStringLiteral("Wrote %1: %2 %3 for %4 from %5%6.\n")
                .arg(command.outputFile)
                .arg(calendar.events)
                .arg(calendar.events == 1 ? QStringLiteral("event") : QStringLiteral("events"))
                .arg(PlatoonList(calendar.platoons), IsoDateText(calendar.first), until),
            {}};
}

int PrintOutcome(const CommandOutcome& outcome) {
    std::fputs(PrintableLine(outcome.output).constData(), stdout);
    std::fputs(PrintableLine(outcome.error).constData(), stderr);
    return outcome.exitCode;
}

int ExportIcsMain(const QStringList& arguments) {
    const SystemPlatform platform;
    const SystemClock clock;
    return PrintOutcome(RunIcsExport(arguments, platform, clock));
}

} // namespace kestro
