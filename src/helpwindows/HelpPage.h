#pragma once

#include "help/HelpFile.h"
#include "help/HelpPageText.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <vector>

namespace kestro {

// Pages of a help file are addressed as kestro-help:/page.html, so that relative links and
// pictures resolve against the page that names them.
inline const QString HelpUrlScheme = QStringLiteral("kestro-help");
QUrl HelpUrl(const QString& path);

// Bounds on the document Qt builds from a page, checked before it is laid out (see
// HelpPageText.h for those checked on the text). Laying out text in a table costs about twice
// what it costs one table further out, so text is weighed by the tables around it.
inline constexpr int MaxHelpTableDepth = 8;
inline constexpr int MaxHelpListDepth = 16;
inline constexpr int MaxHelpStyleSheets = 16;       // style sheets one page reads
inline constexpr qint64 MaxHelpLayoutWork = 150000; // characters in tables, doubled per table
inline constexpr double MaxHelpLength = 4000;       // pixels: margins, widths, spacing, borders
inline constexpr double MaxHelpFontSize = 200;      // pixels or points, and line heights
inline constexpr qint64 MaxHelpPicturePixels = 64 * 1024 * 1024; // all pictures of a page

using FetchHelpObjects = std::function<std::vector<HelpObject>(const QStringList& paths)>;

// A page made ready for the text browser: read, checked, and with everything it shows read too,
// so that drawing it never waits for the help file.
struct PreparedPage {
    QString path;    // the page's object name, e.g. "/index.html"
    QString html;    // the text the browser shows
    QString refusal; // why the page is shown as plain text instead; empty when shown as written
    QHash<QString, QVariant> resources; // style sheets (QByteArray) and pictures (QImage)
};

PreparedPage PrepareHelpPage(const QUrl& url, const FetchHelpObjects& fetch);

// The page shown for a page that cannot be read.
QString HelpErrorPage(const QString& title, const QString& text);

} // namespace kestro
