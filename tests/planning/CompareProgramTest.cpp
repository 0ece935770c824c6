// kestro --compare run without a display, as scripts run it.
#include "support/Files.h"
#include "support/KestroRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kestro::test {
namespace {

TEST(CompareCommand, PrintsWhatTheOtherFilesRotationWouldChange) {
    QTemporaryDir home;
    const auto write = [&home](const char* name, const QByteArray& text) {
        WriteBytes(home.filePath(QString::fromLatin1(name)), text);
    };
    write("Dunmarek.ini", SettingsText("ABC", "1/1/2027"));
    write("swapped.ini", SettingsText("ACB", "1/1/2027"));
    write("broken.ini", "[Shift Schedule]\nDaysInRotation=4\nShiftRotation=ABC\n");
    const QStringList noDisplay = Args({"DISPLAY=", "WAYLAND_DISPLAY=", "LC_ALL=C"});

    ProgramRun run = RunKestro(
        Args({"--compare", "swapped.ini", "--from", "2027-01-01", "--months=1", "-iDunmarek.ini"}),
        home.path(), noDisplay);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    QStringList lines = run.out.split(u'\n');
    ASSERT_EQ(lines.size(), 9) << run.out.toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("In force (%1): ABC (3 days, 3 platoons) from 01/01/2027")
                            .arg(home.filePath(QStringLiteral("Dunmarek.ini"))));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("swapped.ini): ACB (3 days, 3 platoons) from "
                                                 "01/01/2027")));
    EXPECT_EQ(lines[3],
              QStringLiteral("20 of the 31 days change platoon; the first is 01/02/2027."));
    EXPECT_EQ(lines[5].simplified(), QStringLiteral("A 0 0 0 0 -"));
    EXPECT_EQ(lines[6].simplified(), QStringLiteral("B 10 10 4 3 01/02/2027"));

    run = RunKestro(Args({"--compare", "Dunmarek.ini", "-iDunmarek.ini"}), home.path(), noDisplay);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(
        run.out.endsWith(QStringLiteral("Nothing changes: every day keeps its platoon.\n")));

    run = RunKestro(Args({"--compare", "broken.ini", "-iDunmarek.ini"}), home.path(), noDisplay);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains(QStringLiteral("broken.ini"))) << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
}

} // namespace
} // namespace kestro::test
