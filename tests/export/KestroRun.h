#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace kestro::test {

struct KestroRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs the built program in folder, which is also its home, with no display at all and in the C
// locale (dates M/d/yyyy); the settings-file search sees only folders below home. Each of
// environment ("NAME=value") is set on top.
inline KestroRun RunKestro(const QStringList& arguments, const QString& folder,
                           const QStringList& environment = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "XDG_CONFIG_HOME", "XDG_DATA_HOME"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("HOME"), folder);
    env.insert(QStringLiteral("XDG_CONFIG_DIRS"), folder + QStringLiteral("/etc-xdg"));
    for (const QString& variable : environment)
        env.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(KESTRO_EXECUTABLE), arguments);
    KestroRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline QByteArray SettingsText(const char* rotation, const char* startDate) {
    return QByteArray("[Shift Schedule]\nNumberOfPlatoons=3\nDaysInRotation=") +
           QByteArray::number(qstrlen(rotation)) + "\nShiftRotation=" + rotation +
           "\nStartDate=" + startDate + "\n";
}

} // namespace kestro::test
