#pragma once

#include <QByteArray>
#include <QString>

namespace kestro {

// Bounds a help page must keep before it reaches the text browser, checked on its text. Qt's text
// browser lays pages out in the program's own process, and some pages cost it minutes or its
// stack: parsing grows with the square of the nesting depth, table grids are built cell by cell,
// and style rules are matched against every element. These bounds are far above what the
// program's own pages use (a few kilobytes, ~220 tags, depth 9, tables of ~40 cells).
inline constexpr qsizetype MaxHelpPageBytes = 256 * 1024;
inline constexpr int MaxHelpPageTags = 20000;      // '<' characters: every element starts with one
inline constexpr int MaxHelpPageDepth = 64;        // elements open inside each other
inline constexpr qint64 MaxHelpTableCells = 20000; // the grids of all tables together
inline constexpr int MaxHelpStyleRules = 200;      // style rules of the page and its style sheets
inline constexpr int MaxHelpPictures = 100;        // pictures (a line of many is slow to build)

// The text of a page's bytes, decoded as the text browser decodes them: in the character set the
// page names, else UTF-8.
QString DecodeHelpPage(const QByteArray& bytes);

struct HelpPageTextCheck {
    // Why the page is over the bounds above, in words for the user ("its parts are nested more
    // than 64 deep"); empty when it is within them.
    QString refusal;
    // The check took paragraphs to close where Qt closes them when elements are displayed as by
    // default; a style sheet that changes how elements are displayed makes that unsure.
    bool reliedOnDisplay = false;
    int styleRules = 0; // in the page itself
};

HelpPageTextCheck CheckHelpPageText(const QString& html);

// The number of style rules in a style sheet.
int CountStyleRules(const QString& css);

// The page shown instead of one that cannot be shown as written: the page's title, a line that
// says why, and the page's text without its markup. Only the start of a very long page is used.
QString PlainHelpPage(const QString& html, const QString& reason);

} // namespace kestro
