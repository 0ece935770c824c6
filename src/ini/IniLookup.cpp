#include "ini/IniLookup.h"

#include <algorithm>
#include <array>
#include <vector>

namespace kestro {

namespace ini {

namespace {

// Whether a header whose name starts at `nameBegin` may be that of the folded name: a quick look
// at its first character, so that most headers are passed over without reading them.
bool MayBeNamed(const Units& u, qsizetype nameBegin, const QString& folded) {
    if (folded.isEmpty() || nameBegin == u.count)
        return true;
    const char16_t first = folded.front().unicode();
    if (!u.wide && first >= 0x80)
        return true; // spelled in more than one byte
    return FoldedUnit(u[nameBegin]) == first;
}

} // namespace

Units TextUnits(const IniDocument& doc) {
    const qsizetype bom = IniByteOrderMark(doc.encoding).size();
    Units u = UnitsOf(QByteArrayView(doc.source).sliced(bom), doc.encoding);
    u.count = doc.textUnits;
    return u;
}

qsizetype SourceOffset(const IniDocument& doc, qsizetype unit) {
    return IniByteOrderMark(doc.encoding).size() + unit * UnitWidth(doc);
}

void FindSections(const IniDocument& doc, QStringList names) {
    names.removeIf([&doc](const QString& name) { return doc.sectionByName.contains(name); });
    names.removeDuplicates();
    if (names.isEmpty())
        return;
    const Units u = TextUnits(doc);
    int open = -1; // the section found at the previous header, whose body this header ends
    for (auto header = NextHeaderCandidate(u, 0); header && (!names.isEmpty() || open >= 0);
         header = NextHeaderCandidate(u, header->close + 1)) {
        const bool wanted =
            open >= 0 || std::any_of(names.cbegin(), names.cend(), [&](const QString& name) {
                return MayBeNamed(u, header->nameBegin, name);
            });
        if (!wanted) {
            header->close = header->open; // look on from the next "["
            continue;
        }
        if (!CompleteHeader(u, *header))
            continue;
        if (open >= 0) {
            doc.sections[size_t(open)].bodyEnd = header->lineBegin;
            open = -1;
        }
        for (qsizetype k = 0; k < names.size(); ++k) {
            if (!NameEquals(u, header->nameBegin, header->nameEnd, names[k]))
                continue;
            IniSection section;
            section.header = LineAt(u, header->lineBegin);
            section.bodyBegin = header->lineBegin + section.header->size + section.header->endSize;
            section.bodyEnd = u.count;
            open = int(doc.sections.size());
            doc.sections.push_back(std::move(section));
            doc.sectionByName.insert(names[k], open);
            names.removeAt(k);
            break;
        }
    }
    for (const QString& name : names)
        doc.sectionByName.insert(name, -1);
}

int FindSection(const IniDocument& doc, const QString& folded) {
    FindSections(doc, {folded});
    return doc.sectionByName.value(folded);
}

std::optional<std::pair<qsizetype, qsizetype>> EntryName(const Units& u,
                                                         const IniSourceLine& line) {
    const qsizetype end = line.begin + line.size;
    qsizetype begin = line.begin;
    while (begin < end && IsBlank(u[begin]))
        ++begin;
    if (begin == end || u[begin] == u';')
        return std::nullopt;
    qsizetype nameEnd = u.Find(u'=', begin, end);
    if (nameEnd == end)
        return std::nullopt;
    while (nameEnd > begin && IsBlank(u[nameEnd - 1]))
        --nameEnd;
    return std::pair{begin, nameEnd};
}

void FindKeys(const IniDocument& doc, IniSection& section, QStringList names) {
    names.removeIf([&section](const QString& name) { return section.keyLines.contains(name); });
    names.removeDuplicates();
    if (names.isEmpty())
        return;
    const Units u = TextUnits(doc);
    std::array<bool, 128> firsts{};
    bool anyFirst = false; // a name that is empty, or starts with a character of several bytes
    // The length in units a name's line must spell it with, -1 when that can vary (narrow units
    // for a name that is not ASCII).
    std::vector<qsizetype> lengths;
    std::array<bool, 64> lengthWanted{}; // the names of a fixed length below 64
    bool anyLength = false;
    for (const QString& name : names) {
        const char16_t first = name.isEmpty() ? 0 : name.front().unicode();
        if (first == 0 || first >= 0x80)
            anyFirst = true;
        else
            firsts[first] = true;
        const bool ascii =
            std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; });
        lengths.push_back(u.wide || ascii ? name.size() : -1);
        if (lengths.back() >= 0 && lengths.back() < qsizetype(lengthWanted.size()))
            lengthWanted[size_t(lengths.back())] = true;
        else
            anyLength = true;
    }
    LineCursor lines(u, section.bodyBegin, section.bodyEnd);
    IniSourceLine line;
    while (!names.isEmpty() && lines.Next(line)) {
        const qsizetype end = line.begin + line.size;
        qsizetype begin = line.begin;
        while (begin < end && IsBlank(u[begin]))
            ++begin;
        if (begin == end)
            continue;
        const char16_t first = FoldedUnit(u[begin]);
        if (!anyFirst && (first >= 0x80 || !firsts[first]))
            continue;
        const auto name = EntryName(u, line);
        if (!name)
            continue;
        const qsizetype length = name->second - name->first;
        if (!anyLength &&
            (length >= qsizetype(lengthWanted.size()) || !lengthWanted[size_t(length)]))
            continue;
        for (qsizetype k = 0; k < names.size(); ++k) {
            if ((lengths[size_t(k)] < 0 || lengths[size_t(k)] == length) &&
                NameEquals(u, name->first, name->second, names[k])) {
                section.keyLines.insert(names[k], line.begin);
                names.removeAt(k);
                lengths.erase(lengths.begin() + k);
                break;
            }
        }
    }
    for (const QString& name : names)
        section.keyLines.insert(name, -1);
}

KeyLine FindKey(const IniDocument& doc, IniSection& section, const QString& folded) {
    FindKeys(doc, section, {folded});
    if (const qsizetype begin = section.keyLines.value(folded); begin >= 0)
        return {LineAt(TextUnits(doc), begin), -1};
    if (const auto added = section.addedKeys.constFind(folded); added != section.addedKeys.cend()) {
        return {std::nullopt, *added};
    }
    return {};
}

IniAnchor LastKeyOf(const IniDocument& doc, const IniSection& section) {
    IniAnchor anchor{section.header, -1};
    const Units u = TextUnits(doc);
    LineCursor lines(u, section.bodyBegin, section.bodyEnd);
    IniSourceLine line;
    while (lines.Next(line)) {
        if (EntryName(u, line))
            anchor.source = line;
    }
    return anchor;
}

} // namespace ini

} // namespace kestro
