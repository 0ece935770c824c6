#include "support/ProgramRun.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace kestro::test {

QStringList Args(std::initializer_list<const char*> words) {
    QStringList args;
    for (const char* word : words)
        args.append(QString::fromUtf8(word));
    return args;
}

ProgramRun RunProgram(const QString& program, const QStringList& arguments, const QString& folder,
                      const QStringList& environment) {
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
    process.start(program, arguments);
    ProgramRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace kestro::test
