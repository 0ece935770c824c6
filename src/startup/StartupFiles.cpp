#include "startup/StartupFiles.h"

#include "files/SettingsFileIO.h"
#include "startup/Platform.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace kestro {

namespace {

const QChar Separator = QLatin1Char('/');

// Only the marker's name is taken from Dunmarek's program file: "Dunmarek.cds".
const QString DunmarekProgramName = QStringLiteral("Dunmarek.exe");
const QString MarkerExtension = QStringLiteral(".cds");
const QString IniExtension = QStringLiteral(".ini");

constexpr qsizetype MaxBaseFolderLength = 255;

QString AbsoluteName(const QString& name, const Platform& platform) {
    return QDir::cleanPath(QDir(platform.CurrentFolder()).absoluteFilePath(name));
}

QString FolderPart(const QString& name) {
    return name.left(name.lastIndexOf(Separator) + 1);
}

// A regular file, or a link to one; a folder does not count.
bool FileExists(const QString& absoluteName) {
    return IsRegularFileAt(absoluteName);
}

bool IsSwitch(const QString& argument) {
    return argument.size() >= 2 && argument[0] == QLatin1Char('-') &&
           (argument[1] == QLatin1Char('i') || argument[1] == QLatin1Char('I'));
}

// The sub-folder below one application-data folder, ending in "/", or empty when it does not
// exist. A failed query (empty base) tests the sub-folder below the current folder.
QString Candidate(const QString& base, const Platform& platform) {
    const QString joined = EnsureTrailingSeparator(base.left(MaxBaseFolderLength));
    const QString folder = joined + SettingsSubFolder;
    if (!QFileInfo(QDir(platform.CurrentFolder()).absoluteFilePath(folder)).isDir())
        return {};
    return folder + Separator;
}

} // namespace

QString EnsureTrailingSeparator(const QString& folder) {
    if (folder.isEmpty() || folder.endsWith(Separator))
        return folder;
    return folder + Separator;
}

QString ReplaceExtension(const QString& name, const QString& extension) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < name.lastIndexOf(Separator))
        return name + extension;
    return name.left(dot) + extension;
}

StartupState ReadCommandLine(const QStringList& arguments, const Platform& platform) {
    StartupState state;
    state.ProgramFolder = FolderPart(platform.ProgramFile());
    for (const QString& argument : arguments) {
        if (argument.isEmpty())
            continue;
        const QString name = IsSwitch(argument) ? argument.mid(2) : argument;
        const QString absolute = AbsoluteName(ReplaceExtension(name, IniExtension), platform);
        if (FileExists(absolute)) {
            state.CommandLineFile = absolute;
            state.CommandLineFolder = FolderPart(absolute);
        } else {
            state.CommandLineFile.clear();
            state.CommandLineFolder.clear();
        }
    }
    return state;
}

void LocateSettingsFile(StartupState& state, const Platform& platform) {
    const std::array candidates = {Candidate(platform.RoamingAppDataFolder(), platform),
                                   Candidate(platform.LocalAppDataFolder(), platform),
                                   Candidate(platform.CommonAppDataFolder(), platform)};
    // Without a program folder there is no place for a marker.
    const bool markerExists =
        !state.ProgramFolder.isEmpty() &&
        FileExists(AbsoluteName(
            ReplaceExtension(state.ProgramFolder + DunmarekProgramName, MarkerExtension),
            platform));

    if (!state.CommandLineFile.isEmpty() && FileExists(state.CommandLineFile)) {
        state.SettingsFolder = state.CommandLineFolder;
        state.SettingsPath = state.CommandLineFile;
        return;
    }
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty()) {
            state.SettingsFolder = candidate;
            state.SettingsPath = candidate + SettingsFileName;
            return;
        }
    }
    if (markerExists) {
        state.SettingsFolder = state.ProgramFolder;
        state.SettingsPath = state.ProgramFolder + SettingsFileName;
    }
}

} // namespace kestro
