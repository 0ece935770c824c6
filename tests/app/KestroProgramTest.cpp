// The program itself answers --help and --version without a display.
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace kestro {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

struct ProgramRun {
    int exitCode = -1;
    QString out;
};

// Runs the built program with no display at all: answering must not need one.
ProgramRun RunKestro(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(S("DISPLAY"));
    env.remove(S("WAYLAND_DISPLAY"));
    env.insert(S("QT_QPA_PLATFORM"), S("xcb"));
    process.setProcessEnvironment(env);
    process.start(S(KESTRO_EXECUTABLE), arguments);
    ProgramRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    return run;
}

TEST(KestroProgram, VersionPrintsTheVersion) {
    const ProgramRun run = RunKestro({S("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, S("kestro 4.1.1\n"));
}

TEST(KestroProgram, HelpPrintsTheUsage) {
    const ProgramRun run = RunKestro({S("-inothing"), S("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(S("Usage: kestro [-i]FILE ...\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(S("Halvgard/Dunmarek6"))) << run.out.toStdString();
}

} // namespace
} // namespace kestro
