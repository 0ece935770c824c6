#include "help/HelpFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/Files.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

struct ProgramCase {
    const char* program;
    const char* help;
};

void PrintTo(const ProgramCase& c, std::ostream* out) {
    *out << c.program;
}

class HelpFileForProgramTest : public testing::TestWithParam<ProgramCase> {};

TEST_P(HelpFileForProgramTest, ReplacesOrAppendsTheExtension) {
    EXPECT_EQ(HelpFileForProgram(QString::fromUtf8(GetParam().program)),
              QString::fromUtf8(GetParam().help));
}

INSTANTIATE_TEST_SUITE_P(
    Names, HelpFileForProgramTest,
    testing::Values(ProgramCase{"/opt/kestro/kestro", "/opt/kestro/kestro.chm"},
                    ProgramCase{"/opt/kestro/kestro.bin", "/opt/kestro/kestro.chm"},
                    ProgramCase{"/opt/kestro/schedule-editor", "/opt/kestro/schedule-editor.chm"},
                    ProgramCase{"/usr/lib/kestro-4.1/kestro", "/usr/lib/kestro-4.1/kestro.chm"},
                    ProgramCase{"/usr/bin/kestro.old.exe", "/usr/bin/kestro.old.chm"},
                    ProgramCase{"/home/ann/.kestro", "/home/ann/.kestro.chm"},
                    ProgramCase{"kestro", "kestro.chm"},
                    ProgramCase{"C:/Programs/Kestro.EXE", "C:/Programs/Kestro.chm"}));

struct PathCase {
    const char* path;
    const char* object; // empty: not a path inside the help file
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << '"' << c.path << '"';
}

class NormalizeHelpPathTest : public testing::TestWithParam<PathCase> {};

TEST_P(NormalizeHelpPathTest, GivesTheObjectName) {
    EXPECT_EQ(NormalizeHelpPath(QString::fromUtf8(GetParam().path)),
              QString::fromUtf8(GetParam().object));
}

INSTANTIATE_TEST_SUITE_P(Paths, NormalizeHelpPathTest,
                         testing::Values(PathCase{"index.html", "/index.html"},
                                         PathCase{"/index.html", "/index.html"},
                                         PathCase{"keys.html#limits", "/keys.html"},
                                         PathCase{"page.html?x=1", "/page.html"},
                                         PathCase{"./pics/../about.jpg", "/about.jpg"},
                                         PathCase{"sub\\page.html", "/sub/page.html"},
                                         PathCase{"a//b/./c.html", "/a/b/c.html"},
                                         PathCase{"../secret.html", ""},
                                         PathCase{"/a/../../etc/passwd", ""}, PathCase{"#top", ""},
                                         PathCase{"", ""}, PathCase{"/", ""}));

TEST(ParseHelpContents, NestsEntriesByLists) {
    const QByteArray sitemap = R"(<HTML><HEAD>
<!-- <OBJECT type="text/sitemap"><param name="Name" value="commented out"></OBJECT> -->
</HEAD><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="Start"><param name="Local" value="index.html"></OBJECT>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="Book"></OBJECT>
 <UL>
  <li><object type='text/sitemap'><PARAM NAME=name VALUE=One><param name="local" value="one.html"></object>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Two &amp; more"><param name="Local" value="sub/two.html#part"></OBJECT>
  <UL>
   <LI><OBJECT type="text/sitemap"><param name="Name" value="Deep"><param name="Local" value="deep.html"></OBJECT>
  </UL>
 </UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="Last"><param name="Local" value="last.html"></OBJECT>
</UL></BODY></HTML>)";

    const std::vector<HelpTopic> topics = ParseHelpContents(sitemap);
    ASSERT_EQ(topics.size(), 3u);
    EXPECT_EQ(topics[0].name, u"Start"_s);
    EXPECT_EQ(topics[0].local, u"index.html"_s);
    EXPECT_TRUE(topics[0].children.empty());
    EXPECT_EQ(topics[1].name, u"Book"_s);
    EXPECT_TRUE(topics[1].local.isEmpty());
    ASSERT_EQ(topics[1].children.size(), 2u);
    EXPECT_EQ(topics[1].children[0].name, u"One"_s);
    EXPECT_EQ(topics[1].children[0].local, u"one.html"_s);
    EXPECT_EQ(topics[1].children[1].name, u"Two & more"_s);
    EXPECT_EQ(topics[1].children[1].local, u"sub/two.html#part"_s);
    ASSERT_EQ(topics[1].children[1].children.size(), 1u);
    EXPECT_EQ(topics[1].children[1].children[0].name, u"Deep"_s);
    EXPECT_EQ(topics[2].name, u"Last"_s);
}

TEST(ParseHelpContents, ReadsUtf8AndLatin1Names) {
    const QByteArray utf8 = "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                            "value=\"Caf\xC3\xA9\"></OBJECT></UL>";
    const QByteArray latin1 = "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                              "value=\"Caf\xE9\"></OBJECT></UL>";
    for (const QByteArray& sitemap : {utf8, latin1}) {
        const std::vector<HelpTopic> topics = ParseHelpContents(sitemap);
        ASSERT_EQ(topics.size(), 1u);
        EXPECT_EQ(topics[0].name, u"Caf\u00E9"_s);
    }
}

TEST(ParseHelpContents, ToleratesBrokenText) {
    struct Case {
        const char* what;
        QByteArray sitemap;
        std::size_t topLevel;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"not a contents file", "just some words > and < signs", 0},
        {"unclosed tag", "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A", 0},
        {"unclosed comment", "<!-- <OBJECT type=\"text/sitemap\">", 0},
        {"more list ends than starts",
         "</UL></UL><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\"></OBJECT></UL>",
         1},
        {"list never closed",
         "<UL><UL><UL><OBJECT type=\"text/sitemap\"><param name=\"Local\" "
         "value=\"a.html\"></OBJECT>",
         1},
        {"entry without name or page", "<OBJECT type=\"text/sitemap\"></OBJECT>", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseHelpContents(c.sitemap).size(), c.topLevel) << c.what;
}

TEST(ParseHelpContents, BoundsDepthAndCount) {
    QByteArray deep;
    const QByteArray entry =
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"x\"></OBJECT>";
    for (int i = 0; i < 5000; ++i)
        deep += entry + "<UL>";
    std::vector<HelpTopic> topics = ParseHelpContents(deep);
    int depth = 0;
    for (const std::vector<HelpTopic>* level = &topics; !level->empty();
         level = &level->back().children)
        ++depth;
    EXPECT_GT(depth, 1);
    EXPECT_LE(depth, 32);

    QByteArray many;
    for (int i = 0; i < 20000; ++i)
        many += entry;
    EXPECT_EQ(ParseHelpContents(many).size(), 10000u);
}

TEST(OpenHelpArchive, RefusesWhatIsNotAHelpFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        test::WriteBytes(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 131 + 7) % 251);
    QDir(dir.path()).mkdir(u"folder.chm"_s);

    struct Case {
        QString fileName;
        const char* errorPart;
    };
    const Case cases[] = {
        {QString(), "No help file"},
        {dir.filePath(u"missing.chm"_s), "does not exist"},
        {dir.filePath(u"folder.chm"_s), "is not a file"},
        {write(u"empty.chm"_s, QByteArray()), "is not a compiled help file"},
        {write(u"text.chm"_s, "<html>Help</html>"), "is not a compiled help file"},
        {write(u"noise.chm"_s, noise), "is not a compiled help file"},
        {write(u"header-only.chm"_s, "ITSF"), "is damaged"},
        {write(u"itsf-noise.chm"_s, "ITSF" + noise), "is damaged"},
    };
    for (const Case& c : cases) {
        const HelpArchiveResult result = OpenHelpArchive(c.fileName);
        EXPECT_FALSE(result.archive.has_value()) << c.errorPart;
        EXPECT_TRUE(result.error.contains(QLatin1StringView(c.errorPart)))
            << result.error.toStdString();
    }
}

} // namespace
