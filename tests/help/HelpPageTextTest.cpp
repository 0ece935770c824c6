// Pages that would freeze or crash the text browser are recognised on their text, the way Qt's
// HTML reader would read them; the program's own pages pass.
#include "help/HelpPageText.h"
#include "support/GeneratedHelpPages.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

TEST(CheckHelpPageText, PassesTheProgramsOwnPages) {
    const QDir pages(QStringLiteral(KESTRO_HELP_PAGES));
    const QStringList names = pages.entryList({u"*.html"_s});
    ASSERT_EQ(names.size(), 9);
    for (const QString& name : names) {
        QFile file(pages.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const HelpPageTextCheck check = CheckHelpPageText(DecodeHelpPage(file.readAll()));
        EXPECT_TRUE(check.refusal.isEmpty())
            << name.toStdString() << ": " << check.refusal.toStdString();
    }
}

TEST(CheckHelpPageText, RefusesPagesOverTheBounds) {
    for (const GeneratedPage& page : OverTheBounds()) {
        const HelpPageTextCheck check = CheckHelpPageText(QString::fromUtf8(page.html));
        EXPECT_TRUE(check.refusal.contains(QLatin1StringView(page.textReason)))
            << page.what << ": \"" << check.refusal.toStdString() << '"';
    }
}

TEST(CheckHelpPageText, ReadsTagsAsQtDoes) {
    struct Case {
        const char* what;
        QString html;
        const char* reason; // empty: within the bounds
    };
    const Case cases[] = {
        // Cells, rows, items and paragraphs left open, as HTML 4 allows: Qt closes them.
        {"open cells and rows",
         u"<table><tr>"_s + u"<td>a<th>b"_s.repeated(50) + u"<tr><td>c"_s.repeated(50), ""},
        {"open items", u"<ul>"_s + u"<li>item"_s.repeated(500), ""},
        {"open paragraphs", u"<p>text <b>bold"_s.repeated(500), ""},
        {"open definitions", u"<dl>"_s + u"<dt>term<dd>meaning"_s.repeated(300), ""},
        // Markup inside attribute values or comments is text.
        {"tags in attribute values", u"<p title=\"<div><div>\" alt='<ul><ul>'>x"_s.repeated(40),
         ""},
        {"tags in comments", u"<!-- <div><div><div> -->"_s.repeated(100), ""},
        // Cells outside rows make Qt build a table for each: nested tables without <table>.
        {"cells closed by </tr>", u"<td>x</tr>"_s.repeated(100), "nested more than 64 deep"},
        {"tag names spelled with entities", u"<t&#100;>x</tr>"_s.repeated(100),
         "nested more than 64 deep"},
        {"tag names in quotes", u"<\"td\">x</tr>"_s.repeated(100), "nested more than 64 deep"},
        // A page that changes how elements are displayed keeps its paragraphs open.
        {"paragraphs with display rules",
         u"<style>b { display: block }</style>"_s + u"<p>text <b>bold"_s.repeated(100),
         "nested more than 64 deep"},
        {"a marked fragment", u"<!--StartFragment--><b>x</b><!--EndFragment-->"_s, ""},
    };
    for (const Case& c : cases) {
        const HelpPageTextCheck check = CheckHelpPageText(c.html);
        EXPECT_TRUE(*c.reason == '\0' ? check.refusal.isEmpty()
                                      : check.refusal.contains(QLatin1StringView(c.reason)))
            << c.what << ": \"" << check.refusal.toStdString() << '"';
    }
}

TEST(DecodeHelpPage, FollowsTheCharacterSetThePageNames) {
    EXPECT_EQ(DecodeHelpPage("<meta charset=\"iso-8859-1\"><p>Caf\xE9"),
              u"<meta charset=\"iso-8859-1\"><p>Caf\u00E9"_s);
    EXPECT_EQ(DecodeHelpPage("<p>Caf\xC3\xA9"), u"<p>Caf\u00E9"_s);
}

TEST(PlainHelpPage, ShowsTheReasonAndTheTextWithoutMarkup) {
    const QString page = PlainHelpPage(
        u"<html><head><title>Deep &amp; wide</title><style>p { color: red }</style></head>"
        u"<body><table><tr><td>First&nbsp;cell<td>second</table><p>A <b>bold</b> word &lt;b&gt;"
        u"<script>hidden()</script></body></html>"_s,
        u"its parts are nested more than 64 deep"_s);
    EXPECT_TRUE(page.contains(u"<title>Deep &amp; wide</title>"_s)) << page.toStdString();
    EXPECT_TRUE(page.contains(u"This page cannot be shown as written: its parts are nested more "
                              u"than 64 deep. Its text follows."_s));
    EXPECT_TRUE(page.contains(u"First cell second\nA bold word &lt;b&gt;"_s)) << page.toStdString();
    EXPECT_FALSE(page.contains(u"<table"_s));
    EXPECT_FALSE(page.contains(u"color"_s));
    EXPECT_FALSE(page.contains(u"hidden"_s));

    const QString longPage = PlainHelpPage(u"<p>word "_s.repeated(100000), u"it is long"_s);
    EXPECT_LT(longPage.size(), 70 * 1024);
    EXPECT_TRUE(longPage.contains(u"[...]"_s));
}

} // namespace
