#include "commands/FileCommands.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(FileCommands, CaptionsAndNamesUseTheTextAfterTheLastSlash) {
    const struct {
        const char* path;
        const char* name;
    } cases[] = {
        {"/home/ann/.config/Halvgard/Dunmarek6/Dunmarek.ini", "Dunmarek.ini"},
        {"Dunmarek.ini", "Dunmarek.ini"},
        {"", ""},
        {"/srv/shared/", ""},
        {"/srv/a:b/c.ini", "c.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNamePart(QLatin1String(c.path)), QLatin1String(c.name)) << c.path;
        EXPECT_EQ(EditingCaption(QLatin1String(c.path)),
                  QStringLiteral("Kestro: editing ") + QLatin1String(c.name));
    }
    EXPECT_EQ(NewScheduleCaption, QString::fromUtf8("Kestro utility for Dunmarek\xC2\xAE"));
}

TEST(FileCommands, ExitPromptShortensLongNamesInTheMiddle) {
    EXPECT_EQ(ExitPromptText(QStringLiteral("/x/Dunmarek.ini")),
              QStringLiteral("Save Dunmarek.ini?"));
    const QString exact = QString(69, QLatin1Char('a')) + QStringLiteral(".ini");
    ASSERT_EQ(exact.size(), 73);
    EXPECT_EQ(ExitPromptText(QStringLiteral("/x/") + exact),
              QStringLiteral("Save ") + exact + u'?');

    const QString longName =
        QString(50, QLatin1Char('L')) + QString(50, QLatin1Char('R')) + QStringLiteral(".ini");
    const QString text = ExitPromptText(QStringLiteral("/x/") + longName);
    const QString shown = text.mid(5, text.size() - 6);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Save ")) && text.endsWith(u'?'));
    EXPECT_EQ(shown.size(), 73);
    EXPECT_TRUE(shown.contains(QStringLiteral("LLL...RRR"))) << shown.toStdString();
    EXPECT_TRUE(shown.startsWith(longName.left(30)));
    EXPECT_TRUE(shown.endsWith(longName.right(30)));
}

TEST(FileCommands, DialogsStartInTheSettingsFolder) {
    const QString folder = QStringLiteral("/data/Halvgard/Dunmarek6/");
    const QString path = folder + QStringLiteral("Dunmarek.ini");
    const FileDialogRequest open = OpenDialogRequest(folder, path);
    EXPECT_EQ(open.title, QStringLiteral("Open INI File"));
    EXPECT_EQ(open.folder, folder);
    EXPECT_EQ(open.fileName, path);
    const FileDialogRequest save = SaveDialogRequest(folder, path);
    EXPECT_EQ(save.title, QStringLiteral("Save INI File"));
    EXPECT_EQ(save.fileName, QStringLiteral("Dunmarek.ini"));
    EXPECT_EQ(save.filter, QStringLiteral("Ini Files (*.ini)"));
    EXPECT_TRUE(SaveDialogRequest(folder, QString()).fileName.isEmpty());
}

TEST(FileCommands, NewKeepsTheConfigurationAndResetsTheSchedule) {
    ScheduleSettings s = AbsentKeyDefaults();
    s.Epoch = 2050;
    s.ShowYear = false;
    s.HdrFontName = QStringLiteral("Times");
    s.GridColor = 0x123456;
    s.LetterSet = LetterSet::ColorLetters;
    s.PlatoonColors[u'K'] = {0x1, 0x2};
    ResetToNewSchedule(s, 160000);

    EXPECT_EQ(s.NumberOfPlatoons, 3);
    EXPECT_EQ(s.DaysInRotation, 3);
    EXPECT_EQ(s.ShiftRotation, QStringLiteral("ABC"));
    EXPECT_EQ(s.LetterSet, LetterSet::AToF);
    EXPECT_EQ(s.StartDay, 160000);
    for (char16_t letter : {u'A', u'F', u'1', u'6'})
        EXPECT_EQ(s.PlatoonColors[letter], (ColorPair{0x808080, 0xFFFFFF}));
    EXPECT_EQ(s.PlatoonColors[u'K'], (ColorPair{0x000000, 0xFFFFFF}));
    EXPECT_EQ(s.PlatoonColors[u'G'], (ColorPair{0x00FF00, 0x000000}));
    EXPECT_EQ(s.BkGr, 0xFFFFFFu);
    EXPECT_EQ(s.LdTr, 0xC0C0C0u);
    EXPECT_EQ(s.Epoch, 2050);
    EXPECT_FALSE(s.ShowYear);
    EXPECT_EQ(s.HdrFontName, QStringLiteral("Times"));
    EXPECT_EQ(s.GridColor, 0x123456u);
}

} // namespace
} // namespace kestro
