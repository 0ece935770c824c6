#pragma once

#include <QString>
#include <QStringList>

namespace kestro {

class Platform;

// Which settings file a run starts on, and where it came from. Folder texts end in "/".
struct StartupState {
    // Folder of the running program file.
    QString ProgramFolder;
    // Absolute name of the settings file named on the command line; empty when none was named
    // or the named file did not exist.
    QString CommandLineFile;
    QString CommandLineFolder;
    // The settings file being edited (empty when there is none) and the folder the file dialogs
    // start in.
    QString SettingsPath;
    QString SettingsFolder;
};

inline const QString SettingsFileName = QStringLiteral("Dunmarek.ini");
inline const QString SettingsSubFolder = QStringLiteral("Halvgard/Dunmarek6");

// Appends "/" to a non-empty folder text that does not already end in one.
QString EnsureTrailingSeparator(const QString& folder);

// Replaces the extension of name, the part from the last "." after the last "/", by extension;
// a name without one gets extension appended.
QString ReplaceExtension(const QString& name, const QString& extension);

// Reads the arguments that follow the program name: each is a settings file name, optionally
// preceded by "-i" or "-I". The last argument decides; a name that is not an existing file
// cancels an earlier one. Fills ProgramFolder, CommandLineFile and CommandLineFolder.
StartupState ReadCommandLine(const QStringList& arguments, const Platform& platform);

// Chooses SettingsFolder and SettingsPath: the command-line file, else the first application-data
// folder that holds the Dunmarek sub-folder, else the program folder when the marker file lies
// there. Whether the chosen folder holds the settings file is not looked at. When nothing
// applies both stay as they are.
void LocateSettingsFile(StartupState& state, const Platform& platform);

} // namespace kestro
