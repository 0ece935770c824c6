#pragma once

// How IniDocument finds sections and keys: by a search over the section headers and a reading of
// a section's lines, each remembered in the document once found.

#include "ini/IniDocument.h"
#include "ini/IniText.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace kestro::ini {

inline int UnitWidth(const IniDocument& doc) {
    return IsUtf16(doc.encoding) ? 2 : 1;
}
// The text of the file as read.
Units TextUnits(const IniDocument& doc);
// Units to bytes of IniDocument::source.
qsizetype SourceOffset(const IniDocument& doc, qsizetype unit);

// Looks the sections of these folded names up in one search over the headers, those not looked
// up before. Each found section's body runs to the next header.
void FindSections(const IniDocument& doc, QStringList names);
// The section of that folded name, searched for the first time it is asked for; -1 if absent.
int FindSection(const IniDocument& doc, const QString& folded);

// The range of an entry's name, without blanks; nullopt for a line that is no entry. Lines of a
// section's body are never headers.
std::optional<std::pair<qsizetype, qsizetype>> EntryName(const Units& u, const IniSourceLine& line);

struct KeyLine {
    std::optional<IniSourceLine> source;
    int added = -1;
    bool Found() const { return source || added >= 0; }
};

// Looks the keys of these folded names up in one reading of the section's lines, those not looked
// up before, and stops once all are found. A line is only read on when its first character is
// that of a name looked for.
void FindKeys(const IniDocument& doc, IniSection& section, QStringList names);
// The key's line in the file or among the added lines; neither when the section lacks it.
KeyLine FindKey(const IniDocument& doc, IniSection& section, const QString& folded);

// The section's last key line in the file, else its header.
IniAnchor LastKeyOf(const IniDocument& doc, const IniSection& section);

} // namespace kestro::ini
