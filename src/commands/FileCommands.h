#pragma once

#include "settings/ScheduleSettings.h"

#include <QString>

namespace kestro {

// What a file dialog is opened with.
struct FileDialogRequest {
    QString title;
    QString folder;   // where it starts; the current folder when empty
    QString fileName; // filled in
    QString filter;   // e.g. "Ini Files (*.ini)"
    QString defaultSuffix;
};

inline const QString EditingCaptionPrefix = QStringLiteral("Kestro: editing ");
inline const QString NewScheduleCaption = QStringLiteral("Kestro utility for Dunmarek\u00AE");
inline const QString ExitPromptTitle = QStringLiteral("Changes not saved!");
inline const QString OpenMismatchText =
    QStringLiteral("Shift Rotation does not match number of Days in Rotation");

// The part of a path after its last "/".
QString FileNamePart(const QString& path);

// "Kestro: editing " and the file name part of path.
QString EditingCaption(const QString& path);

// "Save <name>?" for the Exit prompt; a name too long for the prompt's 73 characters is shortened
// in the middle with "...".
QString ExitPromptText(const QString& path);

FileDialogRequest OpenDialogRequest(const QString& settingsFolder, const QString& settingsPath);
FileDialogRequest SaveDialogRequest(const QString& settingsFolder, const QString& settingsPath);

// A fresh three-platoon "ABC" schedule starting on firstOfMonth, gray platoons on white; the
// "Config" switches, the fonts and the grid and frame colors stay as they are.
void ResetToNewSchedule(ScheduleSettings& settings, DayNumber firstOfMonth);

} // namespace kestro
