// The help browser shows pages that would freeze or crash it as plain text under an error line,
// quickly, and reads everything a page shows before drawing it.
#include "Watchdog.h"
#include "helpwindows/HelpViewer.h"
#include "support/GeneratedHelpPages.h"
#include "support/Pixels.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

const QString ErrorLine = u"This page cannot be shown as written: "_s;

// A help file in memory: its pages and pictures by object name; counts the reads.
struct Pages {
    QHash<QString, QByteArray> objects;
    int reads = 0;

    FetchHelpObjects Fetch() {
        return [this](const QStringList& paths) {
            ++reads;
            std::vector<HelpObject> found;
            for (const QString& path : paths) {
                const QString name = NormalizeHelpPath(path);
                found.push_back(
                    objects.contains(name)
                        ? HelpObject{objects.value(name), {}}
                        : HelpObject{{}, u"The help file has no page \"%1\"."_s.arg(name)});
            }
            return found;
        };
    }
};

QByteArray SmallPng(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

class HelpPageTest : public QObject {
    Q_OBJECT

private slots:
    void pagesOverTheBoundsShowTheirTextUnderAnErrorLine_data() {
        QTest::addColumn<QByteArray>("html");
        QTest::addColumn<QString>("reason");
        for (const GeneratedPage& page : OverTheBounds())
            QTest::newRow(page.what) << page.html << QString::fromLatin1(page.textReason);
        // Within the bounds of the text, over those of the document Qt builds from it.
        const auto page = [](const QByteArray& body) {
            return "<html><head><title>Generated</title></head><body>" + body + "</body></html>";
        };
        QTest::newRow("tables nested 9 deep") << page(Repeated("<table><tr><td>", 9) + "x")
                                              << u"tables are nested more than 8 deep"_s;
        QTest::newRow("lists nested 17 deep")
            << page(Repeated("<ul><li>", 17) + "x") << u"lists are nested more than 16 deep"_s;
        QTest::newRow("a long table inside 6 tables")
            << page(Repeated("<table><tr><td>", 6) + "<table>" +
                    Repeated("<tr><td>a</td><td>b</td></tr>", 100) + "</table>")
            << u"its tables hold too much to lay out"_s;
        QTest::newRow("a cell padding of 10^8 pixels") // loops in Qt's layout
            << page("<table cellpadding=100000000 border=1><tr><td>x</td></tr></table>")
            << u"it asks for a size of 1e+08"_s;
        QTest::newRow("a font of 1000 pixels")
            << page("<p style=\"font-size: 1000px\">" + Repeated("x ", 10000) + "</p>")
            << u"it asks for a size of 1000"_s;
    }

    void pagesOverTheBoundsShowTheirTextUnderAnErrorLine() {
        QFETCH(QByteArray, html);
        QFETCH(QString, reason);
        Pages pages;
        pages.objects.insert(u"/page.html"_s, html);
        HelpBrowser browser(nullptr);
        browser.resize(570, 480);
        browser.setFetch(pages.Fetch());
        browser.show();

        const Watchdog watchdog(std::chrono::seconds(20), QTest::currentDataTag());
        QElapsedTimer timer;
        timer.start();
        browser.setSource(HelpUrl(u"page.html"_s));
        browser.viewport()->grab(); // laid out and drawn
        QVERIFY2(timer.elapsed() < 3000, qPrintable(u"%1 ms"_s.arg(timer.elapsed())));

        QVERIFY2(browser.refusal().contains(reason), qPrintable(browser.refusal()));
        QVERIFY(browser.toPlainText().startsWith(ErrorLine + browser.refusal() +
                                                 u". Its text follows."_s));
        QCOMPARE(browser.documentTitle(), u"Generated"_s);
        QCOMPARE(pages.reads, 1); // the page only: nothing it names is read
    }

    void picturesAndStyleSheetsAreReadBeforeDrawing() {
        Pages pages;
        pages.objects.insert(u"/dir/page.html"_s,
                             "<html><head><title>Pictures</title>"
                             "<link rel=\"stylesheet\" type=\"text/css\" href=\"../look.css\">"
                             "</head><body><h1>Pictures</h1><p><img src=\"green.png\">"
                             "<img src=\"missing.png\"><img src=\"green.png\"></p>"
                             "<table><tr><td background=\"/dir/back.png\">x</td></tr></table>"
                             "</body></html>");
        pages.objects.insert(u"/look.css"_s, "h1 { color: #1c2f5e; }");
        pages.objects.insert(u"/dir/green.png"_s, SmallPng(30, 20));
        pages.objects.insert(u"/dir/back.png"_s, SmallPng(4, 4));
        HelpBrowser browser(nullptr);
        browser.resize(570, 480);
        browser.setFetch(pages.Fetch());
        browser.show();

        browser.setSource(HelpUrl(u"dir/page.html"_s));
        QCOMPARE(browser.refusal(), QString());
        QCOMPARE(pages.reads, 3); // the page, its style sheet, its three pictures at once
        const QImage shown = browser.viewport()->grab().toImage();
        QCOMPARE(pages.reads, 3); // drawing reads nothing

        QTextDocument* document = browser.document();
        QCOMPARE(document->resource(QTextDocument::ImageResource, HelpUrl(u"dir/green.png"_s))
                     .value<QImage>()
                     .size(),
                 QSize(30, 20));
        QVERIFY(document->resource(QTextDocument::ImageResource, HelpUrl(u"dir/missing.png"_s))
                    .isNull());
        const int green = kestro::test::PixelsOf(shown, QColor(Qt::darkGreen));
        QVERIFY2(green >= 2 * 30 * 20, qPrintable(QString::number(green)));
    }

    void aStyleSheetThatChangesNestingIsRefusedWhereItMatters_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("reason");
        QTest::newRow("closed paragraphs") << QByteArray("<p>a <b>b</b></p><p>c</p>") << QString();
        QTest::newRow("open paragraphs")
            << QByteArray("<p>a <b>b<p>c") << u"its style sheets change how its parts nest"_s;
    }

    void aStyleSheetThatChangesNestingIsRefusedWhereItMatters() {
        QFETCH(QByteArray, body);
        QFETCH(QString, reason);
        Pages pages;
        pages.objects.insert(
            u"/page.html"_s,
            "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"look.css\"></head>"
            "<body>" +
                body + "</body></html>");
        pages.objects.insert(u"/look.css"_s, "b { display: block }");
        HelpBrowser browser(nullptr);
        browser.setFetch(pages.Fetch());
        browser.setSource(HelpUrl(u"page.html"_s));
        QCOMPARE(browser.refusal(), reason);
    }
};

QTEST_MAIN(HelpPageTest)
#include "HelpPageTest.moc"
