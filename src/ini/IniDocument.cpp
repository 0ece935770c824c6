#include "ini/IniDocument.h"

#include "ini/IniLookup.h"
#include "ini/IniText.h"

#include <QSet>

namespace kestro {

using namespace ini;

namespace {

// The bytes of a line of the file as read, without its line end.
QByteArrayView SourceBytes(const IniDocument& doc, const IniSourceLine& line) {
    return QByteArrayView(doc.source)
        .sliced(SourceOffset(doc, line.begin), line.size * UnitWidth(doc));
}

// The line's text as it stands now: as written, or as read.
QByteArrayView CurrentText(const IniDocument& doc, const KeyLine& key) {
    if (key.added >= 0)
        return doc.written[size_t(key.added)].text;
    const auto edit = doc.edits.find(key.source->begin);
    if (edit != doc.edits.end() && edit->second.replacement >= 0)
        return doc.written[size_t(edit->second.replacement)].text;
    return SourceBytes(doc, *key.source);
}

IniLineEdit& EditOf(IniDocument& doc, const IniSourceLine& line) {
    const auto [edit, made] = doc.edits.try_emplace(line.begin);
    if (made)
        edit->second.line = line;
    return edit->second;
}

bool SameAnchor(const IniAnchor& a, const IniAnchor& b) {
    if (a.added >= 0 || b.added >= 0)
        return a.added == b.added;
    if (a.source && b.source)
        return a.source->begin == b.source->begin;
    return !a.source && !b.source;
}

// Adds a line right after the anchor and gives its number in IniDocument::written.
int AddLineAfter(IniDocument& doc, const IniAnchor& anchor, const QString& text) {
    const int index = int(doc.written.size());
    IniWrittenLine line{EncodeIniText(text, doc.encoding), -1};
    if (anchor.added >= 0) {
        line.next = doc.written[size_t(anchor.added)].next;
        doc.written[size_t(anchor.added)].next = index;
    } else if (anchor.source) {
        IniLineEdit& edit = EditOf(doc, *anchor.source);
        line.next = edit.firstAdded;
        edit.firstAdded = index;
    } else {
        line.next = doc.firstAdded;
        doc.firstAdded = index;
    }
    doc.written.push_back(std::move(line));
    if (SameAnchor(anchor, doc.lastLine))
        doc.lastLine = {std::nullopt, index};
    return index;
}

void ReplaceValue(IniDocument& doc, const KeyLine& key, const QString& value) {
    const QByteArrayView old = CurrentText(doc, key);
    const Units u = UnitsOf(old, doc.encoding);
    const LineShape shape = ScanLine(u, 0, u.count);
    const int width = UnitWidth(doc);
    QByteArray text = old.first(shape.valueBegin * width).toByteArray();
    text += EncodeIniText(value, doc.encoding);
    text += old.sliced(shape.valueEnd * width);
    if (key.added >= 0) {
        doc.written[size_t(key.added)].text = std::move(text);
        return;
    }
    IniLineEdit& edit = EditOf(doc, *key.source);
    if (edit.replacement >= 0) {
        doc.written[size_t(edit.replacement)].text = std::move(text);
        return;
    }
    edit.replacement = int(doc.written.size());
    doc.written.push_back({std::move(text), -1});
}

QByteArray LineEndBytes(IniLineEnd end, IniEncoding encoding) {
    switch (end) {
    case IniLineEnd::None:
        return {};
    case IniLineEnd::Lf:
        return EncodeIniText(QStringLiteral("\n"), encoding);
    case IniLineEnd::CrLf:
        return EncodeIniText(QStringLiteral("\r\n"), encoding);
    case IniLineEnd::Cr:
        return EncodeIniText(QStringLiteral("\r"), encoding);
    }
    return {};
}

} // namespace

QString FoldIniName(QString name) {
    FoldInPlace(name);
    return name;
}

void FindIniSections(const IniDocument& doc, const QStringList& sections) {
    QStringList folded;
    for (const QString& section : sections)
        folded.append(FoldIniName(section));
    FindSections(doc, folded);
}

void FindIniKeys(const IniDocument& doc, const QString& section, const QStringList& keys) {
    const int s = FindSection(doc, FoldIniName(section));
    if (s < 0)
        return;
    QStringList folded;
    for (const QString& key : keys)
        folded.append(FoldIniName(key));
    FindKeys(doc, doc.sections[size_t(s)], folded);
}

std::optional<IniLineSpan> FindIniSectionLine(const IniDocument& doc, const QString& section) {
    const int s = FindSection(doc, FoldIniName(section));
    if (s < 0 || !doc.sections[size_t(s)].header)
        return std::nullopt;
    const IniSourceLine& header = *doc.sections[size_t(s)].header;
    return IniLineSpan{SourceOffset(doc, header.begin), header.size * UnitWidth(doc)};
}

std::optional<IniLineSpan> FindIniKeyLine(const IniDocument& doc, const QString& section,
                                          const QString& key) {
    const int s = FindSection(doc, FoldIniName(section));
    if (s < 0)
        return std::nullopt;
    const KeyLine line = FindKey(doc, doc.sections[size_t(s)], FoldIniName(key));
    if (!line.source)
        return std::nullopt;
    return IniLineSpan{SourceOffset(doc, line.source->begin), line.source->size * UnitWidth(doc)};
}

std::vector<std::pair<QString, QString>> ListIniKeys(const IniDocument& doc, qsizetype limit) {
    std::vector<std::pair<QString, QString>> keys;
    const Units u = TextUnits(doc);
    QSet<QString> sectionsSeen;
    QString sectionName;
    QString keyName;
    for (auto header = NextHeader(u, 0); header && qsizetype(keys.size()) < limit;) {
        Decode(u, header->nameBegin, header->nameEnd, sectionName);
        const auto next = NextHeader(u, header->close + 1);
        if (!sectionsSeen.contains(FoldIniName(sectionName))) {
            sectionsSeen.insert(FoldIniName(sectionName));
            const IniSourceLine headerLine = LineAt(u, header->lineBegin);
            LineCursor lines(u, header->lineBegin + headerLine.size + headerLine.endSize,
                             next ? next->lineBegin : u.count);
            QSet<QString> keysSeen;
            IniSourceLine line;
            while (lines.Next(line) && qsizetype(keys.size()) < limit) {
                const auto name = EntryName(u, line);
                if (!name)
                    continue;
                Decode(u, name->first, name->second, keyName);
                if (keysSeen.contains(FoldIniName(keyName)))
                    continue;
                keysSeen.insert(FoldIniName(keyName));
                keys.emplace_back(sectionName, keyName);
            }
        }
        header = next;
    }
    return keys;
}

IniDocument ParseIni(const QByteArray& bytes) {
    IniDocument doc;
    doc.encoding = DetectIniEncoding(bytes);
    doc.source = bytes;
    const qsizetype text = bytes.size() - IniByteOrderMark(doc.encoding).size();
    doc.textUnits = IsUtf16(doc.encoding) ? text / 2 : text;
    const Units u = TextUnits(doc);
    doc.newLineEnd = FirstLineEnd(u);
    doc.lastLine.source = LastLine(u);
    return doc;
}

std::optional<QString> ReadIniValue(const IniDocument& doc, const QString& section,
                                    const QString& key, bool* cut) {
    const int s = FindSection(doc, FoldIniName(section));
    if (s < 0)
        return std::nullopt;
    const KeyLine line = FindKey(doc, doc.sections[size_t(s)], FoldIniName(key));
    if (!line.Found())
        return std::nullopt;
    const Units u = UnitsOf(CurrentText(doc, line), doc.encoding);
    const LineShape shape = ScanLine(u, 0, u.count);
    qsizetype begin = shape.valueBegin;
    qsizetype end = shape.valueEnd;
    if (end - begin >= 2 && (u[begin] == u'"' || u[begin] == u'\'') && u[end - 1] == u[begin]) {
        ++begin;
        --end;
    }
    QString value;
    const bool longer = Decode(u, begin, end, value, IniValueMaxLength);
    if (cut)
        *cut = longer;
    return value;
}

void WriteIniValue(IniDocument& doc, const QString& section, const QString& key,
                   const QString& value) {
    const QString sectionName = FoldIniName(section);
    int s = FindSection(doc, sectionName);
    if (s < 0) {
        const int header = AddLineAfter(doc, doc.lastLine, u'[' + section + u']');
        IniSection added;
        added.lastKey = IniAnchor{std::nullopt, header};
        s = int(doc.sections.size());
        doc.sections.push_back(std::move(added));
        doc.sectionByName.insert(sectionName, s);
    }
    const QString keyName = FoldIniName(key);
    const KeyLine line = FindKey(doc, doc.sections[size_t(s)], keyName);
    if (line.Found()) {
        ReplaceValue(doc, line, value);
        return;
    }
    if (!doc.sections[size_t(s)].lastKey)
        doc.sections[size_t(s)].lastKey = LastKeyOf(doc, doc.sections[size_t(s)]);
    const int added = AddLineAfter(doc, *doc.sections[size_t(s)].lastKey, key + u'=' + value);
    IniSection& target = doc.sections[size_t(s)];
    target.lastKey = IniAnchor{std::nullopt, added};
    target.addedKeys.insert(keyName, added);
}

FilePieces SerializeIniPieces(const IniDocument& doc) {
    const int width = UnitWidth(doc);
    const qsizetype bom = IniByteOrderMark(doc.encoding).size();
    const QByteArray newEnd = LineEndBytes(doc.newLineEnd, doc.encoding);
    FilePieces out;
    out.old = doc.source;
    KeepBytes(out, 0, bom);
    // Everything between the edited lines is kept as it was, in one piece.
    const auto keep = [&](qsizetype begin, qsizetype end) {
        KeepBytes(out, bom + begin * width, (end - begin) * width);
    };
    const auto addChain = [&](int index) {
        for (; index >= 0; index = doc.written[size_t(index)].next) {
            AddBytes(out, doc.written[size_t(index)].text);
            AddBytes(out, newEnd);
        }
    };
    qsizetype pos = 0;
    for (const auto& [begin, edit] : doc.edits) {
        const IniSourceLine& line = edit.line;
        const qsizetype textEnd = begin + line.size;
        if (edit.replacement >= 0) {
            keep(pos, begin);
            AddBytes(out, doc.written[size_t(edit.replacement)].text);
            keep(textEnd, textEnd + line.endSize);
        } else {
            keep(pos, textEnd + line.endSize);
        }
        // Only the file's last line can lack a line end; it gets one when lines follow it.
        if (line.endSize == 0 && edit.firstAdded >= 0)
            AddBytes(out, newEnd);
        addChain(edit.firstAdded);
        pos = textEnd + line.endSize;
    }
    keep(pos, doc.textUnits);
    addChain(doc.firstAdded);
    KeepBytes(out, bom + doc.textUnits * width, doc.source.size() - bom - doc.textUnits * width);
    return out;
}

QByteArray SerializeIni(const IniDocument& doc) {
    return JoinPieces(SerializeIniPieces(doc));
}

} // namespace kestro
