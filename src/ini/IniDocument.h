#pragma once

#include "base/FilePieces.h"
#include "ini/IniEncoding.h"
#include "ini/IniLine.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace kestro {

// The INI engine's one header for the rest of the program (with IniEncoding.h and IniValues.h).
// Inside, each file uses only the ones before it: IniEncoding (bytes and text), IniText (lines and
// their syntax, in code units), IniLookup (finding sections and keys in a document), and
// IniDocument.cpp (reading, writing, serializing).
//
// Dunmarek.ini belongs to another program and is often edited by hand, so the document keeps the
// file's bytes and changes only the lines a write touches. Reading and writing follow the Windows
// profile functions, by which the other program reads the file.
//
// A settings file is a few kilobytes, but nothing stops it from being a hundred megabytes, so the
// document reads no more of it than a lookup needs: parsing only tells the encoding; a section is
// found by a search over the section headers, a key by reading the lines of its section, and
// either is remembered once found. Memory beyond the file's own bytes stays small whatever the
// file holds.

// A line a write made or changed: its text in the file's encoding, without the line end; `next`
// is the added line that follows it in the file, -1 for none.
struct IniWrittenLine {
    QByteArray text;
    int next = -1;
};

// Where lines are added: after a line of the file (source) or after an added line (added >= 0);
// neither for a file without lines.
struct IniAnchor {
    std::optional<IniSourceLine> source;
    int added = -1;
};

// What the writes did to one line of the file: replaced it, added lines after it, or both.
struct IniLineEdit {
    IniSourceLine line;
    int replacement = -1; // the written line that stands in its place
    int firstAdded = -1;  // the first added line after it
};

struct IniSection {
    // The header line in the file; nullopt when a write added the section.
    std::optional<IniSourceLine> header;
    // The lines after the header up to the next header line: the section's keys are here.
    qsizetype bodyBegin = 0;
    qsizetype bodyEnd = 0;
    // The line after which a new key goes: the section's last key line, else its header. Found
    // when the first key is added.
    std::optional<IniAnchor> lastKey;
    // Keys looked up so far, by folded name, to the first unit of their line; -1 when the file
    // lacks them.
    QHash<QString, qsizetype> keyLines;
    // Keys that writes added, by folded name, to their written line.
    QHash<QString, int> addedKeys;
};

struct IniDocument {
    IniEncoding encoding = IniEncoding::Utf8OrAnsi;
    // The file's bytes as read, byte order mark included.
    QByteArray source;
    // The text without the byte order mark, and without an odd last byte in UTF-16 (no character,
    // it stays the file's last byte whatever is added), in code units.
    qsizetype textUnits = 0;
    // The line end of added lines: that of the file's first line, else LF.
    IniLineEnd newLineEnd = IniLineEnd::Lf;
    // The last line of the file, where a missing section is added.
    IniAnchor lastLine;

    // Sections looked up so far, by folded name; -1 for a section the file lacks. Only the first
    // section of each name, and only the first key of each name in it, count. Lookups fill these
    // in, also through a const document; a document is used by one thread at a time.
    mutable QHash<QString, int> sectionByName;
    mutable std::vector<IniSection> sections;

    // The lines writes touched, by where they begin; the lines writes made or changed.
    std::map<qsizetype, IniLineEdit> edits;
    std::vector<IniWrittenLine> written;
    // The first line added to a file without lines.
    int firstAdded = -1;
};

// The number of characters of a value that are read; the rest is ignored.
inline constexpr qsizetype IniValueMaxLength = 2047;

// Names match without regard to case, where only the letters A to Z fold.
QString FoldIniName(QString name);

IniDocument ParseIni(const QByteArray& bytes);

// Looks several sections up in one search over the file's headers, so that the reads and writes
// that follow need no search of their own. Each read and write looks up what it needs anyway.
void FindIniSections(const IniDocument& doc, const QStringList& sections);
// The same for keys of one section.
void FindIniKeys(const IniDocument& doc, const QString& section, const QStringList& keys);

// The value with its surrounding blanks and one pair of matching outer quotes removed, cut to
// IniValueMaxLength characters; nullopt when the section or the key is absent. `cut`, when
// given, tells whether the value was longer.
std::optional<QString> ReadIniValue(const IniDocument& doc, const QString& section,
                                    const QString& key, bool* cut = nullptr);

// Replaces the value of an existing key where it stands; adds a missing key after the last key of
// its section and a missing section at the end. The names and the value are written as given:
// nothing is quoted or escaped, so they should hold no line breaks.
void WriteIniValue(IniDocument& doc, const QString& section, const QString& key,
                   const QString& value);

// The file's new content: its bytes as read, with the lines writes made or changed in their places.
// The pieces keep the unchanged ranges of IniDocument::source; SerializeIni joins them.
FilePieces SerializeIniPieces(const IniDocument& doc);
QByteArray SerializeIni(const IniDocument& doc);

// For checks of the document. A line of the file as read, in bytes of IniDocument::source,
// without its line end.
struct IniLineSpan {
    qsizetype begin = 0;
    qsizetype size = 0;
};
// The header of the first section of that name, as the file has it; nullopt when absent or added.
std::optional<IniLineSpan> FindIniSectionLine(const IniDocument& doc, const QString& section);
// The line of the key that counts, as the file has it; nullopt when absent or added by a write.
std::optional<IniLineSpan> FindIniKeyLine(const IniDocument& doc, const QString& section,
                                          const QString& key);
// The keys that count, as (section, key) spelled as in the file, in file order, at most `limit`.
std::vector<std::pair<QString, QString>> ListIniKeys(const IniDocument& doc, qsizetype limit);

} // namespace kestro
