#include "app/SystemPlatform.h"

#include "calendar/LocaleDateFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kestro {

namespace {

bool IsAbsoluteFolder(const QString& folder) {
    return folder.startsWith(QLatin1Char('/'));
}

// A folder below $HOME, or empty when there is no usable home folder.
QString BelowHome(const QString& relative) {
    QString home = qEnvironmentVariable("HOME");
    if (!IsAbsoluteFolder(home))
        return {};
    while (home.size() > 1 && home.endsWith(QLatin1Char('/')))
        home.chop(1);
    return home == QStringLiteral("/") ? home + relative : home + QLatin1Char('/') + relative;
}

QString UserFolder(const char* variable, const QString& belowHome) {
    const QString value = qEnvironmentVariable(variable);
    return IsAbsoluteFolder(value) ? value : BelowHome(belowHome);
}

} // namespace

QString SystemPlatform::RoamingAppDataFolder() const {
    return UserFolder("XDG_CONFIG_HOME", QStringLiteral(".config"));
}

QString SystemPlatform::LocalAppDataFolder() const {
    return UserFolder("XDG_DATA_HOME", QStringLiteral(".local/share"));
}

QString SystemPlatform::CommonAppDataFolder() const {
    // The first usable entry; entries that are empty or relative are skipped.
    const QStringList folders = qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'));
    for (const QString& folder : folders) {
        if (IsAbsoluteFolder(folder))
            return folder;
    }
    return QStringLiteral("/etc/xdg");
}

QString SystemPlatform::ProgramFile() const {
    QString file = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (file.isEmpty() && QCoreApplication::instance() != nullptr)
        file = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return file;
}

QString SystemPlatform::CurrentFolder() const {
    return QDir::currentPath();
}

ShortDateFormat SystemPlatform::DateFormat() const {
    return LocaleShortDateFormat();
}

QString SystemPlatform::PaperLocale() const {
    // The locale of the LC_PAPER category, found as the C library finds it. Read from the
    // environment, not from the C library, so that it counts also when the locale is not
    // installed; QLocale knows no LC_PAPER.
    for (const char* variable : {"LC_ALL", "LC_PAPER", "LANG"}) {
        if (QString name = qEnvironmentVariable(variable); !name.isEmpty())
            return name;
    }
    return {};
}

} // namespace kestro
