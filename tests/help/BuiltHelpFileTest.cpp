// The help file the build makes, read back as the program reads it.
#include "help/AboutPicture.h"
#include "help/HelpFile.h"
#include "help/Jpeg.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include "support/Files.h"
#include <chm_lib.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

const QString BuiltHelpFile = QStringLiteral(KESTRO_HELP_FILE);

HelpArchive OpenBuilt() {
    HelpArchiveResult opened = OpenHelpArchive(BuiltHelpFile);
    EXPECT_TRUE(opened.archive.has_value()) << opened.error.toStdString();
    return opened.archive.value_or(HelpArchive{BuiltHelpFile});
}

void ForEachTopic(const std::vector<HelpTopic>& topics,
                  const std::function<void(const HelpTopic&)>& visit) {
    for (const HelpTopic& topic : topics) {
        visit(topic);
        ForEachTopic(topic.children, visit);
    }
}

TEST(BuiltHelpFile, LiesBesideTheProgramUnderItsName) {
    const QString expected = HelpFileForProgram(QStringLiteral(KESTRO_PROGRAM_FOLDER "/kestro"));
    EXPECT_EQ(QFileInfo(expected).absoluteFilePath(), QFileInfo(BuiltHelpFile).absoluteFilePath());
    EXPECT_GT(QFileInfo(BuiltHelpFile).size(), 0);
}

TEST(BuiltHelpFile, ContentsListTheTopicsInOrder) {
    const HelpContents contents = ReadHelpContents(OpenBuilt());
    ASSERT_TRUE(contents.ok()) << contents.error.toStdString();
    ASSERT_EQ(contents.topics.size(), 6u);
    EXPECT_EQ(contents.topics[0].name, u"Welcome to Kestro"_s);
    EXPECT_EQ(contents.topics[0].local, u"index.html"_s);
    EXPECT_EQ(contents.topics[1].name, u"The main window"_s);
    EXPECT_TRUE(contents.topics[1].local.isEmpty());
    EXPECT_EQ(contents.topics[2].name, u"The settings file"_s);
    EXPECT_EQ(contents.topics[3].name, u"Sharing the schedule"_s);
    EXPECT_EQ(contents.topics[4].name, u"Planning a rotation change"_s);
    EXPECT_EQ(contents.topics[5].name, u"The year summary"_s);

    const std::vector<HelpTopic>& window = contents.topics[1].children;
    const QString expected[][2] = {{u"The schedule fields"_s, u"fields.html"_s},
                                   {u"Rotation letters"_s, u"rotation.html"_s},
                                   {u"Keys of the month view"_s, u"keys.html"_s},
                                   {u"The color area"_s, u"colors.html"_s}};
    ASSERT_EQ(window.size(), std::size(expected));
    for (std::size_t i = 0; i < window.size(); ++i) {
        EXPECT_EQ(window[i].name, expected[i][0]);
        EXPECT_EQ(window[i].local, expected[i][1]);
    }
}

TEST(BuiltHelpFile, EveryContentsEntryNamesAPageOfThatTitle) {
    const HelpArchive archive = OpenBuilt();
    const HelpContents contents = ReadHelpContents(archive);
    int pages = 0;
    ForEachTopic(contents.topics, [&](const HelpTopic& topic) {
        if (topic.local.isEmpty())
            return;
        ++pages;
        const HelpObject page = ReadHelpObject(archive, topic.local);
        ASSERT_TRUE(page.ok()) << page.error.toStdString();
        EXPECT_TRUE(page.data.contains("<title>" + topic.name.toUtf8() + "</title>"))
            << topic.local.toStdString();
    });
    EXPECT_EQ(pages, 9);
}

// Every link and picture of every page leads to an object of the help file.
TEST(BuiltHelpFile, EveryLinkAndPictureResolves) {
    const HelpArchive archive = OpenBuilt();
    const HelpContents contents = ReadHelpContents(archive);
    static const QRegularExpression reference(uR"re((href|src)="([^"]*)")re"_s);
    int links = 0;
    int pictures = 0;
    ForEachTopic(contents.topics, [&](const HelpTopic& topic) {
        if (topic.local.isEmpty())
            return;
        const QString text = QString::fromUtf8(ReadHelpObject(archive, topic.local).data);
        const QUrl base(u"kestro-help:/"_s + topic.local);
        for (const QRegularExpressionMatch& match : reference.globalMatch(text)) {
            const QString target = match.captured(2);
            if (target.startsWith(u'#') || target.contains(u':'))
                continue;
            (match.captured(1) == "src"_L1 ? pictures : links)++;
            const QString path = base.resolved(QUrl(target)).path();
            const HelpObject object = ReadHelpObject(archive, path);
            EXPECT_TRUE(object.ok()) << topic.local.toStdString() << " -> " << target.toStdString()
                                     << ": " << object.error.toStdString();
            EXPECT_FALSE(object.data.isEmpty()) << target.toStdString();
        }
    });
    EXPECT_GE(links, 20);
    EXPECT_EQ(pictures, 2);
}

TEST(BuiltHelpFile, HoldsTheAboutPictureAndAPng) {
    const HelpArchive archive = OpenBuilt();
    const HelpObject jpeg = ReadHelpObject(archive, u"about.jpg"_s);
    ASSERT_TRUE(jpeg.ok()) << jpeg.error.toStdString();
    EXPECT_EQ(jpeg.data, AboutPictureJpeg());
    const JpegDecodeResult decoded = DecodeJpeg(jpeg.data);
    ASSERT_TRUE(decoded.ok()) << decoded.error.toStdString();
    EXPECT_EQ(decoded.image.width, 276);
    EXPECT_EQ(decoded.image.height, 199);

    const HelpObject png = ReadHelpObject(archive, u"/SAMPLES.PNG"_s); // names ignore case
    ASSERT_TRUE(png.ok()) << png.error.toStdString();
    EXPECT_TRUE(png.data.startsWith("\x89PNG\r\n"));
}

TEST(BuiltHelpFile, NamesOutsideTheFileAreErrors) {
    const HelpArchive archive = OpenBuilt();
    struct Case {
        QString path;
        const char* errorPart;
    };
    const Case cases[] = {{u"nothing.html"_s, "has no page"},
                          {u"../kestro.chm"_s, "is not the name of a page"},
                          {u"#top"_s, "is not the name of a page"},
                          {QString(600, u'a'), "is not the name of a page"}};
    for (const Case& c : cases) {
        const HelpObject object = ReadHelpObject(archive, c.path);
        EXPECT_FALSE(object.ok());
        EXPECT_TRUE(object.data.isEmpty());
        EXPECT_TRUE(object.error.contains(QLatin1StringView(c.errorPart)))
            << object.error.toStdString();
    }
}

TEST(BuiltHelpFile, ReadsSeveralObjectsWithOneRunOfTheReader) {
    const std::vector<HelpObject> objects = ReadHelpObjects(
        OpenBuilt(), {u"toc.hhc"_s, u"nothing.html"_s, u"../outside.html"_s, u"/about.jpg"_s});
    ASSERT_EQ(objects.size(), 4u);
    EXPECT_TRUE(objects[0].data.contains("text/sitemap"));
    EXPECT_TRUE(objects[1].error.contains("has no page \"/nothing.html\""_L1));
    EXPECT_TRUE(objects[2].error.contains("is not the name of a page"_L1));
    EXPECT_EQ(objects[3].data, AboutPictureJpeg());
}

// Whatever stands in for the reader (nothing, a program that answers nonsense or nothing), the
// help file counts as damaged and the read returns.
TEST(HelpReader, AnyOtherProgramMakesTheFileCountAsDamaged) {
    for (const char* program : {"/nonexistent/kestro-help-reader", "/bin/echo", "/bin/true"}) {
        SetHelpReaderProgram(QString::fromLatin1(program));
        const HelpArchiveResult opened = OpenHelpArchive(BuiltHelpFile);
        SetHelpReaderProgram(QStringLiteral(KESTRO_HELP_READER));
        EXPECT_FALSE(opened.archive.has_value()) << program;
        EXPECT_TRUE(opened.error.contains("is damaged"_L1)) << opened.error.toStdString();
    }
}

// The reader itself refuses a file that does not start as a compiled help file.
TEST(HelpReader, RefusesAFileThatIsNoHelpFile) {
    QTemporaryDir dir;
    const QString text = dir.filePath(u"text.chm"_s);
    test::WriteBytes(text, "<html>not compiled</html>");
    const std::vector<ChmReadResult> answers = ReadChmObjects(text, {"/index.html"});
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].answer, ChmAnswer::NotOpened);
}

// Damaged copies of the built file: reading them gives errors, or the true pages.
class DamagedHelpFile : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        original_ = test::ReadBytes(BuiltHelpFile);
        ASSERT_TRUE(original_.startsWith("ITSF"));
        const HelpArchive archive = OpenBuilt();
        for (const char* page : {"/toc.hhc", "/index.html", "/about.jpg"})
            pages_.emplace_back(page, ReadHelpObject(archive, QString::fromLatin1(page)).data);
    }

    QString Write(const QByteArray& bytes) {
        const QString name = dir_.filePath(u"damaged-%1.chm"_s.arg(++count_));
        test::WriteBytes(name, bytes);
        return name;
    }

    // Reads the pages of a damaged copy; any page it gives must be the true page.
    int CountTruePages(const QString& fileName) {
        const HelpArchiveResult opened = OpenHelpArchive(fileName);
        if (!opened.archive) {
            EXPECT_FALSE(opened.error.isEmpty());
            return 0;
        }
        int truePages = 0;
        for (const auto& [path, bytes] : pages_) {
            const HelpObject object = ReadHelpObject(*opened.archive, QString::fromLatin1(path));
            if (object.ok()) {
                EXPECT_EQ(object.data, bytes) << path;
                ++truePages;
            } else {
                EXPECT_FALSE(object.error.isEmpty());
                EXPECT_TRUE(object.data.isEmpty());
            }
        }
        return truePages;
    }

    // Where an object of the uncompressed part lies in the file.
    qint64 FileOffsetOf(const char* objectName) {
        chmFile* handle = chm_open(QFile::encodeName(BuiltHelpFile).constData());
        if (handle == nullptr)
            return -1;
        chmUnitInfo info{};
        const bool found = chm_resolve_object(handle, objectName, &info) == CHM_RESOLVE_SUCCESS;
        chm_close(handle);
        if (!found || info.space != CHM_UNCOMPRESSED)
            return -1;
        quint64 dataOffset = 0; // field of the ITSF header, version 3
        std::memcpy(&dataOffset, original_.constData() + 0x58, sizeof dataOffset);
        return qint64(dataOffset + info.start);
    }

    QTemporaryDir dir_;
    QByteArray original_;
    std::vector<std::pair<const char*, QByteArray>> pages_;
    int count_ = 0;
};

TEST_F(DamagedHelpFile, TruncatedCopiesGiveErrorsOrTruePages) {
    for (const qsizetype length : {qsizetype(4), qsizetype(96), qsizetype(500), qsizetype(4096),
                                   original_.size() / 2, original_.size() - 1}) {
        SCOPED_TRACE(length);
        EXPECT_LT(CountTruePages(Write(original_.left(length))), 3);
    }
}

// Values that make chmlib divide by zero when it unpacks a page.
TEST_F(DamagedHelpFile, BrokenCompressionTablesGiveErrors) {
    const qint64 resetTable = FileOffsetOf(
        "::DataSpace/Storage/MSCompressed/Transform/{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/"
        "InstanceData/ResetTable");
    const qint64 controlData = FileOffsetOf("::DataSpace/Storage/MSCompressed/ControlData");
    ASSERT_GT(resetTable, 0);
    ASSERT_GT(controlData, 0);
    struct Case {
        const char* what;
        qint64 offset;
        int bytes;
    };
    const Case cases[] = {{"block length 0", resetTable + 0x20, 8},
                          {"windows per reset 0", controlData + 0x14, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QByteArray damaged = original_;
        ASSERT_LE(c.offset + c.bytes, damaged.size());
        std::memset(damaged.data() + c.offset, 0, std::size_t(c.bytes));
        EXPECT_EQ(CountTruePages(Write(damaged)), 0);
    }
}

TEST_F(DamagedHelpFile, RandomlyDamagedCopiesGiveErrorsOrPages) {
    std::mt19937 random(20260101);
    int opened = 0;
    for (int copy = 0; copy < 40; ++copy) {
        QByteArray damaged = original_;
        // Mostly in the headers and the directory, where chmlib looks first.
        const qsizetype region =
            copy % 2 == 0 ? qMin<qsizetype>(damaged.size(), 8192) : damaged.size();
        std::uniform_int_distribution<qsizetype> where(0, region - 1);
        for (int i = 0; i < 1 + copy % 8; ++i)
            damaged[where(random)] = char(random() & 0xFF);
        const HelpArchiveResult result = OpenHelpArchive(Write(damaged));
        if (!result.archive)
            continue;
        ++opened;
        for (const auto& [path, bytes] : pages_) {
            const HelpObject object = ReadHelpObject(*result.archive, QString::fromLatin1(path));
            if (!object.ok()) {
                EXPECT_TRUE(object.data.isEmpty()) << object.error.toStdString();
            }
        }
    }
    EXPECT_GT(opened, 0); // the damage did not all stop at the first check
}

} // namespace
