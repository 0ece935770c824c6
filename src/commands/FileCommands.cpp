#include "commands/FileCommands.h"

namespace kestro {
namespace {

constexpr qsizetype kExitPromptNameRoom = 73;

} // namespace

QString FileNamePart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

QString EditingCaption(const QString& path) {
    return EditingCaptionPrefix + FileNamePart(path);
}

QString ExitPromptText(const QString& path) {
    QString name = FileNamePart(path);
    if (name.size() > kExitPromptNameRoom) {
        const QString dots = QStringLiteral("...");
        const qsizetype keep = kExitPromptNameRoom - dots.size();
        name = name.left(keep - keep / 2) + dots + name.right(keep / 2);
    }
    return QStringLiteral("Save ") + name + QLatin1Char('?');
}

FileDialogRequest OpenDialogRequest(const QString& settingsFolder, const QString& settingsPath) {
    return {QStringLiteral("Open INI File"), settingsFolder, settingsPath,
            QStringLiteral("Ini Files (*.ini)"), QStringLiteral("ini")};
}

FileDialogRequest SaveDialogRequest(const QString& settingsFolder, const QString& settingsPath) {
    return {QStringLiteral("Save INI File"), settingsFolder, FileNamePart(settingsPath),
            QStringLiteral("Ini Files (*.ini)"), QStringLiteral("ini")};
}

void ResetToNewSchedule(ScheduleSettings& settings, DayNumber firstOfMonth) {
    const ScheduleSettings fresh = NoFileSettings(firstOfMonth);
    settings.NumberOfPlatoons = fresh.NumberOfPlatoons;
    settings.DaysInRotation = fresh.DaysInRotation;
    settings.ShiftRotation = fresh.ShiftRotation;
    settings.LetterSet = LetterSet::AToF;
    settings.StartDay = firstOfMonth;
    settings.PlatoonColors = fresh.PlatoonColors;
    settings.BkGr = fresh.BkGr;
    settings.LdTr = fresh.LdTr;
}

} // namespace kestro
