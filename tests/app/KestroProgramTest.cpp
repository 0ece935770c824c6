// The program itself answers --help and --version without a display.
#include "support/KestroRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro::test {
namespace {

TEST(KestroProgram, VersionPrintsTheVersion) {
    const QTemporaryDir home;
    const ProgramRun run = RunKestro(Args({"--version"}), home.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QStringLiteral("kestro 4.1.1\n"));
}

TEST(KestroProgram, HelpPrintsTheUsage) {
    const QTemporaryDir home;
    const ProgramRun run = RunKestro(Args({"-inothing", "--help"}), home.path());
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("Usage: kestro [-i]FILE ...\n")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("Halvgard/Dunmarek6"))) << run.out.toStdString();
}

} // namespace
} // namespace kestro::test
