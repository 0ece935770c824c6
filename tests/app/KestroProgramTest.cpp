// The program itself answers --help and --version without a display.
#include "support/ProgramRun.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Runs the built program with no display at all: answering must not need one.
test::ProgramRun RunKestro(const QStringList& arguments) {
    const QTemporaryDir home;
    return test::RunProgram(S(KESTRO_EXECUTABLE), arguments, home.path());
}

TEST(KestroProgram, VersionPrintsTheVersion) {
    const test::ProgramRun run = RunKestro({S("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, S("kestro 4.1.1\n"));
}

TEST(KestroProgram, HelpPrintsTheUsage) {
    const test::ProgramRun run = RunKestro({S("-inothing"), S("--help")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(S("Usage: kestro [-i]FILE ...\n"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(S("Halvgard/Dunmarek6"))) << run.out.toStdString();
}

} // namespace
} // namespace kestro
