#include "helpwindows/HelpViewer.h"

#include "Watchdog.h"
#include "support/Files.h"
#include "support/Pixels.h"
#include "support/Windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

using namespace Qt::StringLiterals;
using namespace kestro;
using kestro::test::OnlyWindow;
using kestro::test::PixelsNear;
using kestro::test::ReadBytes;
using kestro::test::WriteBytes;

namespace {

const QString BuiltHelpFile = QStringLiteral(KESTRO_HELP_FILE);

// Where a link to href is drawn in the browser, scrolled into view; a null point when the page
// has no such link.
QPoint LinkPosition(QTextBrowser* browser, const QString& href) {
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href)
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(fragment.position() + fragment.length() / 2);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            return browser->cursorRect(cursor).center();
        }
    return {};
}

// A copy of the built help file whose directory leads back to itself: chmlib loops on it for ever.
QString WriteLoopingCopy(const QTemporaryDir& dir) {
    QByteArray bytes = ReadBytes(BuiltHelpFile);
    if (!bytes.startsWith("ITSF"))
        return {};
    const auto number = [&bytes](qsizetype at, int size) {
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | quint8(bytes[at + i]);
        return value;
    };
    const qsizetype directory = qsizetype(number(0x48, 8)); // the ITSP header
    if (bytes.mid(directory, 4) != "ITSP")
        return {};
    const qsizetype firstChunk = directory + qsizetype(number(directory + 8, 4));
    const int chunkSize = int(number(directory + 0x10, 4));
    // Chunk 0 becomes an index chunk whose only entry points to chunk 0, and the index root.
    QByteArray chunk(chunkSize, '\0');
    chunk.replace(0, 4, "PMGI");
    const quint32 freeSpace = quint32(chunkSize - 11);
    for (int i = 0; i < 4; ++i)
        chunk[4 + i] = char(freeSpace >> (8 * i));
    chunk.replace(8, 3, QByteArray("\x01/\x00", 3));
    bytes.replace(firstChunk, chunkSize, chunk);
    bytes.replace(directory + 0x1C, 4, QByteArray(4, '\0'));
    WriteBytes(dir.filePath(u"looping.chm"_s), bytes);
    return dir.filePath(u"looping.chm"_s);
}

HelpViewer* OpenBuilt() {
    if (!ShowHelpContents(nullptr, BuiltHelpFile))
        return nullptr;
    HelpViewer* viewer = OnlyWindow<HelpViewer>();
    if (viewer != nullptr && !QTest::qWaitForWindowExposed(viewer))
        return nullptr;
    return viewer;
}

} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { delete OnlyWindow<HelpViewer>(); }

    void opensAtTheContentsAndTheFirstPage() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->isWindow());
        QCOMPARE(viewer->windowModality(), Qt::NonModal);
        QCOMPARE(viewer->helpFile(), BuiltHelpFile);

        QTreeWidget* tree = viewer->contentsTree;
        QCOMPARE(tree->topLevelItemCount(), 6);
        QCOMPARE(tree->topLevelItem(0)->text(0), u"Welcome to Kestro"_s);
        QCOMPARE(tree->topLevelItem(1)->text(0), u"The main window"_s);
        QCOMPARE(tree->topLevelItem(1)->childCount(), 4);
        QCOMPARE(tree->topLevelItem(1)->child(2)->text(0), u"Keys of the month view"_s);
        QVERIFY(tree->topLevelItem(1)->isExpanded());
        QCOMPARE(tree->topLevelItem(2)->text(0), u"The settings file"_s);
        QCOMPARE(tree->topLevelItem(3)->text(0), u"Sharing the schedule"_s);
        QCOMPARE(tree->currentItem(), tree->topLevelItem(0));

        QCOMPARE(viewer->browser->source(), HelpUrl(u"index.html"_s));
        QCOMPARE(viewer->browser->documentTitle(), u"Welcome to Kestro"_s);
        QVERIFY(viewer->browser->toPlainText().contains(u"Dunmarek.ini"_s));
        QCOMPARE(viewer->windowTitle(), u"Kestro Help - Welcome to Kestro"_s);
    }

    void aContentsEntryShowsItsPage() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        QTreeWidgetItem* rotation = viewer->contentsTree->topLevelItem(1)->child(1);
        viewer->contentsTree->setCurrentItem(rotation);
        QCOMPARE(viewer->browser->source().path(), u"/rotation.html"_s);
        QCOMPARE(viewer->browser->documentTitle(), u"Rotation letters"_s);
        QVERIFY(viewer->backButton->isEnabled());

        // A heading without a page of its own leaves the page alone.
        viewer->contentsTree->setCurrentItem(viewer->contentsTree->topLevelItem(1));
        QCOMPARE(viewer->browser->source().path(), u"/rotation.html"_s);
    }

    void aRelativeLinkOpensItsPageAndBackReturns() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        const QPoint link = LinkPosition(viewer->browser, u"fields.html"_s);
        QVERIFY(!link.isNull());
        QTest::mouseClick(viewer->browser->viewport(), Qt::LeftButton, {}, link);
        QTRY_COMPARE(viewer->browser->source().path(), u"/fields.html"_s);
        QCOMPARE(viewer->browser->documentTitle(), u"The schedule fields"_s);
        // The contents follow the page.
        QCOMPARE(viewer->contentsTree->currentItem()->text(0), u"The schedule fields"_s);

        QTest::mouseClick(viewer->backButton, Qt::LeftButton);
        QCOMPARE(viewer->browser->source().path(), u"/index.html"_s);
        QVERIFY(viewer->forwardButton->isEnabled());
        QTest::mouseClick(viewer->forwardButton, Qt::LeftButton);
        QCOMPARE(viewer->browser->source().path(), u"/fields.html"_s);
        QTest::mouseClick(viewer->homeButton, Qt::LeftButton);
        QCOMPARE(viewer->browser->source().path(), u"/index.html"_s);
    }

    void picturesComeFromTheHelpFile() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        QTextDocument* document = viewer->browser->document();
        const QImage jpeg =
            document->resource(QTextDocument::ImageResource, HelpUrl(u"about.jpg"_s))
                .value<QImage>();
        QCOMPARE(jpeg.size(), QSize(276, 199));
        // Drawn on the page: the picture's dark blue title band shows in the browser.
        const QImage shown = viewer->browser->viewport()->grab().toImage();
        QVERIFY(PixelsNear(shown, qRgb(0x1C, 0x2F, 0x5E), 30) > 2000);

        viewer->showTopic(u"colors.html"_s);
        const QImage png = viewer->browser->document()
                               ->resource(QTextDocument::ImageResource, HelpUrl(u"samples.png"_s))
                               .value<QImage>();
        QCOMPARE(png.size(), QSize(84, 29));
    }

    void aMissingPageShowsWhatIsWrong() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        viewer->showTopic(u"nothing.html"_s);
        QCOMPARE(viewer->browser->documentTitle(), u"Page not found"_s);
        QVERIFY(viewer->browser->toPlainText().contains(u"has no page \"/nothing.html\""_s));
        QCOMPARE(viewer->contentsTree->currentItem(), nullptr);
    }

    void readsNothingButTheHelpFile() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        QTemporaryDir dir;
        const QString page = dir.filePath(u"page.html"_s);
        WriteBytes(page, "<html><title>on disk</title></html>");
        QVERIFY(
            viewer->browser->loadResource(QTextDocument::HtmlResource, QUrl::fromLocalFile(page))
                .isNull());
        QVERIFY(viewer->browser
                    ->loadResource(QTextDocument::ImageResource,
                                   QUrl(u"https://kestro.invalid/a.png"_s))
                    .isNull());
    }

    void aSecondRequestRaisesTheSameWindow() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        viewer->showTopic(u"keys.html"_s);
        QVERIFY(ShowHelpContents(nullptr, BuiltHelpFile));
        QCOMPARE(OnlyWindow<HelpViewer>(), viewer);
        QCOMPARE(viewer->browser->source().path(), u"/keys.html"_s);
        QVERIFY(viewer->isVisible());
    }

    void aFileThatCannotBeShownGivesFalse_data() {
        QTest::addColumn<QByteArray>("bytes"); // empty: the file does not exist
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("text") << QByteArray("<html>not compiled</html>");
        QTest::newRow("damaged") << QByteArray("ITSF").append(QByteArray(2000, '\x5A'));
    }

    void aFileThatCannotBeShownGivesFalse() {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString name = dir.filePath(u"kestro.chm"_s);
        if (!bytes.isEmpty())
            WriteBytes(name, bytes);
        QVERIFY(!ShowHelpContents(nullptr, name));
        QVERIFY(OnlyWindow<HelpViewer>() == nullptr);

        // An open window stays as it was.
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        QVERIFY(!ShowHelpContents(nullptr, name));
        QCOMPARE(OnlyWindow<HelpViewer>(), viewer);
        QCOMPARE(viewer->helpFile(), BuiltHelpFile);
    }

    void everyPageOfTheProgramsHelpIsShownAsWritten() {
        HelpViewer* viewer = OpenBuilt();
        QVERIFY(viewer != nullptr);
        int pages = 0;
        for (QTreeWidgetItemIterator it(viewer->contentsTree); *it != nullptr; ++it) {
            const QString local = (*it)->data(0, Qt::UserRole).toString();
            if (local.isEmpty())
                continue;
            viewer->showTopic(local);
            QCOMPARE(viewer->browser->source().path(), u'/' + local);
            QVERIFY2(viewer->browser->refusal().isEmpty(), qPrintable(viewer->browser->refusal()));
            QCOMPARE(viewer->browser->documentTitle(), (*it)->text(0));
            ++pages;
        }
        QCOMPARE(pages, 9);
    }

    // chmlib loops on the file: the reader is stopped after its time, and meanwhile the program
    // goes on (its timers run, its windows are drawn).
    void aHelpFileThatHangsTheReaderFailsInTimeWhileTheProgramRuns() {
        QTemporaryDir dir;
        const QString looping = WriteLoopingCopy(dir);
        QVERIFY(!looping.isEmpty());
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, this, [&ticks] { ++ticks; });
        timer.start(20);

        const Watchdog watchdog(std::chrono::seconds(30), "opening a help file that hangs");
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(!ShowHelpContents(nullptr, looping));
        QVERIFY(OnlyWindow<HelpViewer>() == nullptr);
        QVERIFY2(elapsed.elapsed() >= HelpReadTimeoutMs - 100 &&
                     elapsed.elapsed() < HelpReadTimeoutMs + 3000,
                 qPrintable(QString::number(elapsed.elapsed())));
        QVERIFY2(ticks >= 100, qPrintable(QString::number(ticks)));
    }

    // At a larger desktop font the contents pane widens until every title shows in full.
    void everyTitleFitsTheContentsPane_data() {
        QTest::addColumn<int>("points");
        QTest::newRow("default") << 0;
        QTest::newRow("16 pt") << 16;
        QTest::newRow("24 pt") << 24;
    }
    void everyTitleFitsTheContentsPane() {
        QFETCH(int, points);
        const QFont before = QApplication::font();
        QFont font = before;
        if (points > 0)
            font.setPointSize(points);
        QApplication::setFont(font);
        HelpViewer* viewer = OpenBuilt();
        QApplication::setFont(before);
        QVERIFY(viewer != nullptr);
        QTreeWidget* tree = viewer->contentsTree;
        for (QTreeWidgetItemIterator it(tree); *it != nullptr; ++it) {
            const QRect item = tree->visualItemRect(*it);
            const int textWidth = tree->fontMetrics().horizontalAdvance((*it)->text(0));
            QVERIFY2(item.left() + textWidth <= tree->viewport()->width(),
                     qPrintable((*it)->text(0)));
        }
        QVERIFY(viewer->browser->width() >= 500);
    }

    void closingTheWindowDestroysIt() {
        QPointer<HelpViewer> viewer = OpenBuilt();
        QVERIFY(!viewer.isNull());
        viewer->close();
        QTRY_VERIFY(viewer.isNull());
        QVERIFY(OnlyWindow<HelpViewer>() == nullptr);
    }
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
