#pragma once

#include "help/ChmReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestro {

// The help file that belongs to a program file: same folder and name, extension ".chm" (appended
// when the program file has no extension).
QString HelpFileForProgram(const QString& programFile);

// One entry of a help file's table of contents.
struct HelpTopic {
    QString name;
    QString local; // the page as the contents name it, e.g. "fields.html"; empty for a heading
    std::vector<HelpTopic> children;
};

// Reads the entries of a contents file (the <OBJECT type="text/sitemap"> items with their "Name"
// and "Local" parameters, nested by <UL>). Never fails: text that is not a contents file gives
// fewer or no entries.
std::vector<HelpTopic> ParseHelpContents(const QByteArray& sitemap);

// The object name inside a help file for a path as pages and contents write it: "/" in front,
// "." and ".." segments resolved, "#anchor" and "?query" dropped, backslashes read as "/".
// Empty when nothing is left or the path climbs above the root.
QString NormalizeHelpPath(const QString& path);

// A compiled help file that was found readable. chmlib is not safe against damaged files (it can
// crash or loop on them), so every read runs chmlib in the reader program (ChmReader.h): a damaged
// file costs that process, never the program. whileWaiting is called while a read waits.
struct HelpArchive {
    QString fileName;
    HelpReadWait whileWaiting = {};
};

struct HelpArchiveResult {
    std::optional<HelpArchive> archive;
    QString error; // what went wrong, in words for the user, when archive is empty
};

HelpArchiveResult OpenHelpArchive(const QString& fileName, HelpReadWait whileWaiting = {});

struct HelpObject {
    QByteArray data;
    QString error; // empty when data holds the object
    bool ok() const { return error.isEmpty(); }
};

// A page, picture or any other object of the help file, by path ("fields.html", "/about.jpg").
HelpObject ReadHelpObject(const HelpArchive& archive, const QString& path);
// Several objects with one run of the reader; one result per path, in order.
std::vector<HelpObject> ReadHelpObjects(const HelpArchive& archive, const QStringList& paths);

struct HelpContents {
    std::vector<HelpTopic> topics;
    QString error; // empty when the contents file was read (it may still hold no entries)
    bool ok() const { return error.isEmpty(); }
};

// The table of contents, the file "/toc.hhc" of the help file.
HelpContents ReadHelpContents(const HelpArchive& archive);

} // namespace kestro
