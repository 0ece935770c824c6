#include "app/SystemPlatform.h"
#include "startup/StartupFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace kestro {
namespace {

QString S(const char* text) {
    return QString::fromUtf8(text);
}

// Sets or removes environment variables for one test and puts them back afterwards.
class Environment {
public:
    Environment() = default;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment() {
        for (auto it = saved.rbegin(); it != saved.rend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }
    // nullptr removes the variable.
    void Set(const char* name, const char* value) {
        saved.emplace_back(name, qEnvironmentVariableIsSet(name)
                                     ? std::optional<QByteArray>(qgetenv(name))
                                     : std::nullopt);
        if (value != nullptr)
            qputenv(name, QByteArray(value));
        else
            qunsetenv(name);
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved;
};

struct FolderCase {
    const char* name;
    const char* home;
    const char* configHome;
    const char* dataHome;
    const char* configDirs;
    const char* roaming;
    const char* local;
    const char* common;
};

TEST(SystemPlatform, ApplicationDataFoldersFollowTheXdgVariables) {
    const FolderCase cases[] = {
        {"defaults", "/home/u", nullptr, nullptr, nullptr, "/home/u/.config",
         "/home/u/.local/share", "/etc/xdg"},
        {"set", "/home/u", "/c", "/d", "/x:/y", "/c", "/d", "/x"},
        {"empty", "/home/u/", "", "", "", "/home/u/.config", "/home/u/.local/share", "/etc/xdg"},
        {"relative", "/home/u", "rel", "rel", "rel:/y", "/home/u/.config", "/home/u/.local/share",
         "/y"},
        {"leading colon", "/home/u", "/c/", "/d/", ":/y/:/z", "/c/", "/d/", "/y/"},
        {"root home", "/", nullptr, nullptr, nullptr, "/.config", "/.local/share", "/etc/xdg"},
        {"no home", nullptr, nullptr, nullptr, nullptr, "", "", "/etc/xdg"},
        {"relative home", "home", nullptr, "/d", nullptr, "", "/d", "/etc/xdg"},
    };
    const SystemPlatform platform;
    for (const auto& c : cases) {
        Environment env;
        env.Set("HOME", c.home);
        env.Set("XDG_CONFIG_HOME", c.configHome);
        env.Set("XDG_DATA_HOME", c.dataHome);
        env.Set("XDG_CONFIG_DIRS", c.configDirs);
        EXPECT_EQ(platform.RoamingAppDataFolder(), S(c.roaming)) << c.name;
        EXPECT_EQ(platform.LocalAppDataFolder(), S(c.local)) << c.name;
        EXPECT_EQ(platform.CommonAppDataFolder(), S(c.common)) << c.name;
    }
}

TEST(SystemPlatform, ProgramFileIsThisTestProgram) {
    const QFileInfo program(SystemPlatform().ProgramFile());
    EXPECT_TRUE(program.isAbsolute());
    EXPECT_TRUE(program.isFile());
    EXPECT_EQ(program.fileName(), S("app_tests"));
}

TEST(SystemPlatform, CurrentFolderFollowsTheProcess) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(temp.path()));
    const QString current = SystemPlatform().CurrentFolder();
    QDir::setCurrent(before);
    EXPECT_EQ(current, QDir(temp.path()).canonicalPath());
}

TEST(SystemPlatform, SearchFindsTheLocalFolderFromTheEnvironment) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString root = temp.path();
    ASSERT_TRUE(QDir(root).mkpath(S("config")));
    ASSERT_TRUE(QDir(root).mkpath(S("data/Halvgard/Dunmarek6")));
    ASSERT_TRUE(QDir(root).mkpath(S("etc/Halvgard/Dunmarek6")));
    Environment env;
    env.Set("HOME", nullptr);
    env.Set("XDG_CONFIG_HOME", (root + S("/config")).toLocal8Bit().constData());
    env.Set("XDG_DATA_HOME", (root + S("/data")).toLocal8Bit().constData());
    env.Set("XDG_CONFIG_DIRS", (root + S("/etc")).toLocal8Bit().constData());

    const SystemPlatform platform;
    StartupState state = ReadCommandLine({}, platform);
    LocateSettingsFile(state, platform);
    EXPECT_EQ(state.SettingsFolder, root + S("/data/Halvgard/Dunmarek6/"));
    EXPECT_EQ(state.SettingsPath, root + S("/data/Halvgard/Dunmarek6/Dunmarek.ini"));
}

TEST(SystemPlatform, PaperLocaleIsFoundAsTheCLibraryFindsLcPaper) {
    const struct {
        const char *all, *paper, *lang, *expected;
    } cases[] = {
        {"de_DE.UTF-8", "en_US.UTF-8", "fr_CA", "de_DE.UTF-8"},
        {"", "en_US.UTF-8", "fr_FR", "en_US.UTF-8"},
        {nullptr, nullptr, "fr_CA.UTF-8", "fr_CA.UTF-8"},
        {nullptr, "", "", ""},
    };
    for (const auto& c : cases) {
        Environment env;
        env.Set("LC_ALL", c.all);
        env.Set("LC_PAPER", c.paper);
        env.Set("LANG", c.lang);
        EXPECT_EQ(SystemPlatform().PaperLocale(), S(c.expected));
    }
}

} // namespace
} // namespace kestro
