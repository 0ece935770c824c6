#include "startup/StartupFiles.h"
#include "files/FileName.h"
#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace kestro {
namespace {

using test::FakePlatform;

QString S(const char* text) {
    return QString::fromUtf8(text);
}

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(EnsureTrailingSeparator, AppendsSlashToEveryNonEmptyTextWithoutOne) {
    const TextCase cases[] = {
        {"", ""},
        {"a", "a/"},
        {"ab", "ab/"},
        {"C:", "C:/"},
        {"/", "/"},
        {"/home/u", "/home/u/"},
        {"/home/u/", "/home/u/"},
        {"a\\", "a\\/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EnsureTrailingSeparator(S(c.input)), S(c.expected)) << c.input;
}

TEST(ReplaceExtension, ReplacesFromTheLastDotOfTheLastName) {
    const TextCase cases[] = {
        {"Dunmarek", "Dunmarek.ini"},
        {"Dunmarek.txt", "Dunmarek.ini"},
        {"a.b.txt", "a.b.ini"},
        {"name.", "name.ini"},
        {"", ".ini"},
        {".hidden", ".ini"},
        {"dir.d/name", "dir.d/name.ini"},
        {"/x.y/z.cfg", "/x.y/z.ini"},
        {"dir/", "dir/.ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceExtension(S(c.input), QStringLiteral(".ini")), S(c.expected)) << c.input;
}

// A scratch tree standing in for the user's folders and the program's folder.
class StartupFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        UseRoot(temp.path());
    }

    void UseRoot(const QString& folder) {
        root = folder + QLatin1Char('/');
        for (const char* sub : {"cwd", "roaming", "local", "common", "prog"})
            ASSERT_TRUE(QDir(root).mkpath(S(sub)));
        platform.currentFolder = root + S("cwd");
        platform.roaming = root + S("roaming");
        platform.local = root + S("local");
        platform.common = root + S("common");
        platform.programFile = root + S("prog/kestro");
    }

    void MakeFile(const QString& relative) {
        const QString name = root + relative;
        ASSERT_TRUE(QDir().mkpath(name.left(name.lastIndexOf(QLatin1Char('/')))));
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << relative.toStdString();
    }
    void MakeFolder(const QString& relative) { ASSERT_TRUE(QDir(root).mkpath(relative)); }
    void MakeSubFolder(const char* base) { MakeFolder(S(base) + S("/Halvgard/Dunmarek6")); }

    StartupState Read(const QStringList& arguments) { return ReadCommandLine(arguments, platform); }
    StartupState Locate(const QStringList& arguments = {}) {
        StartupState state = Read(arguments);
        LocateSettingsFile(state, platform);
        return state;
    }

    QTemporaryDir temp;
    QString root; // ends in "/"
    FakePlatform platform;
};

TEST_F(StartupFilesTest, ProgramFolderIsTheFolderOfTheProgramFile) {
    EXPECT_EQ(Read({}).ProgramFolder, root + S("prog/"));
}

TEST_F(StartupFilesTest, EverySpellingSelectsTheSameFile) {
    MakeFile(S("cwd/Dunmarek.ini"));
    const QString absolute = root + S("cwd/Dunmarek.ini");
    for (const QString& argument :
         {S("-iDunmarek.ini"), S("-IDunmarek.ini"), S("Dunmarek.ini"), S("-iDunmarek"),
          S("-i") + absolute, S("-I") + absolute, absolute, S("./sub/../Dunmarek.ini")}) {
        const StartupState state = Read({argument});
        EXPECT_EQ(state.CommandLineFile, absolute) << argument.toStdString();
        EXPECT_EQ(state.CommandLineFolder, root + S("cwd/")) << argument.toStdString();
    }
}

TEST_F(StartupFilesTest, OnlyDashIOrDashCapitalIMakesASwitch) {
    // Each argument names its file whole; cut by two characters it would name "x.ini".
    MakeFile(S("cwd/x.ini"));
    for (const char* argument : {"xIx", "+ix", "--x", "\\ix"}) {
        MakeFile(S("cwd/") + S(argument) + S(".ini"));
        EXPECT_EQ(Read({S(argument)}).CommandLineFile, root + S("cwd/") + S(argument) + S(".ini"))
            << argument;
    }
}

TEST_F(StartupFilesTest, SlashIBeginsAnAbsolutePathNotASwitch) {
    MakeFile(S("cwd/x.ini"));
    EXPECT_EQ(Read({S("/ix")}).CommandLineFile, QString());
    EXPECT_EQ(Read({S("/Ix.ini")}).CommandLineFile, QString());

    MakeFile(S("cwd/a.ini"));
    EXPECT_EQ(Read({S("/i/..") + root + S("cwd/a.txt")}).CommandLineFile, root + S("cwd/a.ini"));
}

TEST_F(StartupFilesTest, TheLastArgumentDecides) {
    MakeFile(S("cwd/first.ini"));
    MakeFile(S("cwd/second.ini"));
    const QString second = root + S("cwd/second.ini");
    struct Case {
        QStringList arguments;
        QString expected;
    };
    const Case cases[] = {
        {{S("first"), S("second")}, second},   {{S("first"), S("missing")}, QString()},
        {{S("missing"), S("second")}, second}, {{S("second"), S("")}, second},
        {{S("-i"), S("second")}, second},      {{S("-ifirst"), S("-i")}, QString()},
    };
    for (const auto& c : cases) {
        const StartupState state = Read(c.arguments);
        EXPECT_EQ(state.CommandLineFile, c.expected)
            << c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(state.CommandLineFolder, c.expected.isEmpty() ? QString() : root + S("cwd/"));
    }
}

TEST_F(StartupFilesTest, AnotherExtensionLooksForTheIniFile) {
    MakeFile(S("cwd/shift.ini"));
    MakeFile(S("cwd/shift.txt"));
    EXPECT_EQ(Read({S("shift.txt")}).CommandLineFile, root + S("cwd/shift.ini"));
    EXPECT_EQ(Read({S("-ishift.ini.bak")}).CommandLineFile, QString());
}

TEST_F(StartupFilesTest, AnEmptyRemainderNamesDotIni) {
    EXPECT_EQ(Read({S("-i")}).CommandLineFile, QString());
    MakeFile(S("cwd/.ini"));
    EXPECT_EQ(Read({S("-I")}).CommandLineFile, root + S("cwd/.ini"));
}

// A name whose bytes are not UTF-8 names that file, not one whose name reads the same as text.
TEST_F(StartupFilesTest, ANameThatIsNotUtf8IsFoundAsItsBytes) {
    const QByteArray folder = FileNameToBytes(root) + "cwd/";
    for (const char* name : {"shift\xFF.ini", "shift\xEF\xBF\xBD.ini", "shift?.ini"}) {
        const int fd = ::open((folder + name).constData(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << name;
        ::close(fd);
    }
    const QString argument = FileNameFromBytes("-ishift\xFF.txt");
    EXPECT_EQ(FileNameToBytes(Read({argument}).CommandLineFile), folder + "shift\xFF.ini");
    ::unlink((folder + "shift\xFF.ini").constData());
    EXPECT_EQ(Read({argument}).CommandLineFile, QString());
}

TEST_F(StartupFilesTest, AFolderIsNotAFile) {
    MakeFolder(S("cwd/folder.ini"));
    EXPECT_EQ(Read({S("folder")}).CommandLineFile, QString());
}

// Which of the folders exist, and what is chosen.
struct SearchCase {
    const char* name;
    bool commandLineFile;
    bool roaming;
    bool local;
    bool common;
    bool marker;
    const char* expectedFolder; // below the scratch root; nullptr for nothing chosen
};

TEST_F(StartupFilesTest, ChoosesTheFirstSourceThatApplies) {
    const SearchCase cases[] = {
        {"command line", true, true, true, true, true, "cwd/"},
        {"roaming", false, true, true, true, true, "roaming/Halvgard/Dunmarek6/"},
        {"local", false, false, true, true, true, "local/Halvgard/Dunmarek6/"},
        {"all users", false, false, false, true, true, "common/Halvgard/Dunmarek6/"},
        {"marker", false, false, false, false, true, "prog/"},
        {"nothing", false, false, false, false, false, nullptr},
    };
    for (const auto& c : cases) {
        QTemporaryDir caseDir;
        ASSERT_TRUE(caseDir.isValid());
        UseRoot(caseDir.path());
        if (c.commandLineFile)
            MakeFile(S("cwd/shift.ini"));
        if (c.roaming)
            MakeSubFolder("roaming");
        if (c.local)
            MakeSubFolder("local");
        if (c.common)
            MakeSubFolder("common");
        if (c.marker)
            MakeFile(S("prog/Dunmarek.cds"));

        const StartupState state = Locate({S("-ishift")});
        if (c.expectedFolder == nullptr) {
            EXPECT_EQ(state.SettingsFolder, QString()) << c.name;
            EXPECT_EQ(state.SettingsPath, QString()) << c.name;
            continue;
        }
        const QString folder = root + S(c.expectedFolder);
        const QString file = c.commandLineFile ? S("shift.ini") : S("Dunmarek.ini");
        EXPECT_EQ(state.SettingsFolder, folder) << c.name;
        EXPECT_EQ(state.SettingsPath, folder + file) << c.name;
    }
}

TEST_F(StartupFilesTest, CommandLineFileWinsOverRoaming) {
    MakeFile(S("cwd/shift.ini"));
    MakeSubFolder("roaming");
    MakeFile(S("roaming/Halvgard/Dunmarek6/Dunmarek.ini"));
    EXPECT_EQ(Locate({S("shift")}).SettingsPath, root + S("cwd/shift.ini"));
}

TEST_F(StartupFilesTest, CommandLineFileGoneByTheSearchIsPassedOver) {
    MakeFile(S("cwd/shift.ini"));
    MakeSubFolder("local");
    StartupState state = Read({S("shift")});
    ASSERT_TRUE(QFile::remove(root + S("cwd/shift.ini")));
    LocateSettingsFile(state, platform);
    EXPECT_EQ(state.SettingsPath, root + S("local/Halvgard/Dunmarek6/Dunmarek.ini"));
}

TEST_F(StartupFilesTest, SubFolderWithoutTheFileStillWins) {
    MakeSubFolder("local");
    MakeSubFolder("common");
    MakeFile(S("common/Halvgard/Dunmarek6/Dunmarek.ini"));
    MakeFile(S("prog/Dunmarek.cds"));
    MakeFile(S("prog/Dunmarek.ini"));
    const StartupState state = Locate();
    EXPECT_EQ(state.SettingsFolder, root + S("local/Halvgard/Dunmarek6/"));
    EXPECT_EQ(state.SettingsPath, root + S("local/Halvgard/Dunmarek6/Dunmarek.ini"));
}

TEST_F(StartupFilesTest, RoamingWithoutSubFolderGivesWayToLocal) {
    MakeFolder(S("roaming/Halvgard"));
    MakeSubFolder("local");
    MakeSubFolder("common");
    MakeFile(S("common/Halvgard/Dunmarek6/Dunmarek.ini"));
    EXPECT_EQ(Locate().SettingsFolder, root + S("local/Halvgard/Dunmarek6/"));
}

TEST_F(StartupFilesTest, OnlyFoldersAndFilesCount) {
    // A file in place of the sub-folder, a folder in place of the marker.
    MakeFile(S("roaming/Halvgard/Dunmarek6"));
    MakeFolder(S("prog/Dunmarek.cds"));
    const StartupState state = Locate();
    EXPECT_EQ(state.SettingsFolder, QString());
    EXPECT_EQ(state.SettingsPath, QString());
}

TEST_F(StartupFilesTest, FailedFolderQueryTestsBelowTheCurrentFolder) {
    platform.roaming.clear();
    MakeSubFolder("cwd");
    MakeSubFolder("local");
    const StartupState state = Locate();
    EXPECT_EQ(state.SettingsFolder, S("Halvgard/Dunmarek6/"));
    EXPECT_EQ(state.SettingsPath, S("Halvgard/Dunmarek6/Dunmarek.ini"));
}

TEST_F(StartupFilesTest, BaseFolderWithTrailingSlash) {
    platform.local = root + S("local/");
    MakeSubFolder("local");
    EXPECT_EQ(Locate().SettingsFolder, root + S("local/Halvgard/Dunmarek6/"));
}

TEST_F(StartupFilesTest, BaseFolderIsCutTo255Characters) {
    const QString kept = root + QString(255 - root.size(), QLatin1Char('a'));
    ASSERT_TRUE(QDir().mkpath(kept + S("/Halvgard/Dunmarek6")));
    platform.roaming = kept + S("bbb");
    EXPECT_EQ(Locate().SettingsFolder, kept + S("/Halvgard/Dunmarek6/"));

    // Cut just after a slash: no second slash is added.
    const QString folder = root + QString(254 - root.size(), QLatin1Char('c'));
    ASSERT_TRUE(QDir().mkpath(folder + S("/Halvgard/Dunmarek6")));
    platform.roaming = folder + S("/ddd");
    EXPECT_EQ(Locate().SettingsFolder, folder + S("/Halvgard/Dunmarek6/"));
}

} // namespace
} // namespace kestro
