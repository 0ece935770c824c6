#include "settings/IniDocument.h"

#include <algorithm>
#include <cstring>

namespace kestro {

namespace {

// Code units of a line: bytes in the narrow encodings, little-endian 16-bit units in UTF-16.
// Every character the syntax cares about is ASCII, and in UTF-8 no byte of a multi-byte
// sequence is below 0x80, so scanning bytes finds exactly the characters that were meant.
struct Units {
    const uchar* data = nullptr;
    qsizetype count = 0;
    bool wide = false;

    char16_t operator[](qsizetype i) const {
        if (wide)
            return char16_t(data[2 * i] | (data[2 * i + 1] << 8));
        return data[i];
    }
    // The first unit c at or after `from`, or count.
    qsizetype find(char16_t c, qsizetype from) const {
        if (!wide) {
            const void* hit = std::memchr(data + from, c, size_t(count - from));
            return hit ? static_cast<const uchar*>(hit) - data : count;
        }
        for (qsizetype i = from; i < count; ++i) {
            if ((*this)[i] == c)
                return i;
        }
        return count;
    }
};

Units UnitsOf(QByteArrayView bytes, IniEncoding encoding) {
    const bool wide = encoding == IniEncoding::Utf16Le;
    return {reinterpret_cast<const uchar*>(bytes.data()), wide ? bytes.size() / 2 : bytes.size(),
            wide};
}

int UnitWidth(IniEncoding encoding) {
    return encoding == IniEncoding::Utf16Le ? 2 : 1;
}

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

enum class LineKind : std::uint8_t { Other, Comment, Section, Entry };

// Positions in code units. For a section the name is inside the brackets, for an entry the key
// name; the value range holds the value's quotes, if any. All ranges are without outer blanks.
struct LineShape {
    LineKind kind = LineKind::Other;
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    qsizetype valueBegin = 0;
    qsizetype valueEnd = 0;
};

LineShape ScanLine(const Units& u) {
    LineShape shape;
    qsizetype i = 0;
    while (i < u.count && IsBlank(u[i]))
        ++i;
    if (i == u.count)
        return shape;
    if (u[i] == u';') {
        shape.kind = LineKind::Comment;
        return shape;
    }
    if (u[i] == u'[') {
        const qsizetype close = u.find(u']', i + 1);
        if (close < u.count) {
            qsizetype b = i + 1;
            qsizetype e = close;
            while (b < e && IsBlank(u[b]))
                ++b;
            while (e > b && IsBlank(u[e - 1]))
                --e;
            shape.kind = LineKind::Section;
            shape.nameBegin = b;
            shape.nameEnd = e;
            return shape;
        }
        // Without "]" the line is no header; it may still be an entry whose name starts with "[".
    }
    const qsizetype equals = u.find(u'=', i);
    if (equals == u.count)
        return shape;
    shape.kind = LineKind::Entry;
    shape.nameBegin = i;
    shape.nameEnd = equals;
    while (shape.nameEnd > i && IsBlank(u[shape.nameEnd - 1]))
        --shape.nameEnd;
    shape.valueBegin = equals + 1;
    while (shape.valueBegin < u.count && IsBlank(u[shape.valueBegin]))
        ++shape.valueBegin;
    shape.valueEnd = u.count;
    while (shape.valueEnd > shape.valueBegin && IsBlank(u[shape.valueEnd - 1]))
        --shape.valueEnd;
    return shape;
}

// Windows-1252 for 0x80 to 0x9F; its five unassigned bytes map to the C1 controls of the same
// number, as Windows does. Every other byte is the code point of its own value.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsContinuation(uchar b) {
    return (b & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at p (at most n bytes available), or 0.
int Utf8SequenceLength(const uchar* p, qsizetype n) {
    const uchar b = p[0];
    if (b < 0x80)
        return 1;
    int length = 0;
    uchar low = 0x80;
    uchar high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0; // no overlong forms
        else if (b == 0xED)
            high = 0x9F; // no surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;
        else if (b == 0xF4)
            high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (n < length || p[1] < low || p[1] > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (!IsContinuation(p[k]))
            return 0;
    }
    return length;
}

// Decodes units [begin, end) of a line into `out`, reusing its storage.
void DecodeInto(const Units& u, qsizetype begin, qsizetype end, QString& out) {
    out.resize(end - begin); // never more UTF-16 units than code units
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    if (u.wide) {
        for (qsizetype i = begin; i < end; ++i)
            *d++ = u[i];
        return;
    }
    const uchar* p = u.data;
    qsizetype written = 0;
    qsizetype i = begin;
    while (i < end) {
        const uchar b = p[i];
        if (b < 0x80) {
            d[written++] = b;
            ++i;
            continue;
        }
        const int length = Utf8SequenceLength(p + i, end - i);
        if (length == 0) {
            d[written++] = b < 0xA0 ? Cp1252High[b - 0x80] : char16_t(b);
            ++i;
            continue;
        }
        char32_t cp = 0;
        if (length == 2)
            cp = char32_t(b & 0x1F);
        else if (length == 3)
            cp = char32_t(b & 0x0F);
        else
            cp = char32_t(b & 0x07);
        for (int k = 1; k < length; ++k)
            cp = (cp << 6) | char32_t(p[i + k] & 0x3F);
        if (cp >= 0x10000) {
            d[written++] = char16_t(0xD800 + ((cp - 0x10000) >> 10));
            d[written++] = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            d[written++] = char16_t(cp);
        }
        i += length;
    }
    out.truncate(written);
}

QString Decode(const Units& u, qsizetype begin, qsizetype end) {
    QString out;
    DecodeInto(u, begin, end, out);
    return out;
}

void FoldInPlace(QString& name) {
    for (QChar& c : name) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
}

QByteArray Encode(const QString& text, IniEncoding encoding) {
    if (encoding != IniEncoding::Utf16Le)
        return text.toUtf8();
    QByteArray out(2 * text.size(), Qt::Uninitialized);
    char* d = out.data();
    for (const QChar c : text) {
        *d++ = char(c.unicode() & 0xFF);
        *d++ = char(c.unicode() >> 8);
    }
    return out;
}

QByteArrayView LineEndBytes(IniLineEnd end, IniEncoding encoding) {
    static constexpr char narrow[] = "\r\n";
    static constexpr char wide[] = "\r\0\n\0";
    const bool w = encoding == IniEncoding::Utf16Le;
    switch (end) {
    case IniLineEnd::None:
        return {};
    case IniLineEnd::Lf:
        return w ? QByteArrayView(wide + 2, 2) : QByteArrayView(narrow + 1, 1);
    case IniLineEnd::CrLf:
        return w ? QByteArrayView(wide, 4) : QByteArrayView(narrow, 2);
    case IniLineEnd::Cr:
        return w ? QByteArrayView(wide, 2) : QByteArrayView(narrow, 1);
    }
    return {};
}

QByteArrayView ByteOrderMark(IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8OrAnsi:
        return {};
    case IniEncoding::Utf8Bom:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case IniEncoding::Utf16Le:
        return QByteArrayView("\xFF\xFE", 2);
    }
    return {};
}

// Gives the number of "=" in the file, which no number of keys can exceed.
qsizetype SplitLines(IniDocument& doc) {
    const qsizetype bom = ByteOrderMark(doc.encoding).size();
    const Units u = UnitsOf(QByteArrayView(doc.source).sliced(bom), doc.encoding);
    const int width = UnitWidth(doc.encoding);
    // Room for every line and a few written ones, so that neither reading nor the first
    // writes move the whole table.
    qsizetype breaks = 0;
    qsizetype equals = 0;
    for (qsizetype i = 0; i < u.count; ++i) {
        const char16_t c = u[i];
        breaks += c == u'\n' || c == u'\r';
        equals += c == u'=';
    }
    doc.lines.reserve(size_t(breaks) + 65);
    qsizetype pos = 0;
    while (pos < u.count) {
        qsizetype stop = pos;
        if (!u.wide) {
            while (stop < u.count && u.data[stop] != '\n' && u.data[stop] != '\r')
                ++stop;
        } else {
            while (stop < u.count && u[stop] != u'\n' && u[stop] != u'\r')
                ++stop;
        }
        IniLine line;
        line.begin = bom + pos * width;
        line.size = (stop - pos) * width;
        if (stop == u.count) {
            pos = stop;
        } else if (u[stop] == u'\n') {
            line.end = IniLineEnd::Lf;
            pos = stop + 1;
        } else if (stop + 1 < u.count && u[stop + 1] == u'\n') {
            line.end = IniLineEnd::CrLf;
            pos = stop + 2;
        } else {
            line.end = IniLineEnd::Cr;
            pos = stop + 1;
        }
        doc.lines.push_back(line);
    }
    if (u.wide && doc.source.size() % 2 != 0)
        doc.oddLastByte = doc.source.last(1);
    for (size_t i = 0; i + 1 < doc.lines.size(); ++i)
        doc.lines[i].next = int(i + 1);
    if (!doc.lines.empty()) {
        doc.firstLine = 0;
        doc.lastLine = int(doc.lines.size() - 1);
    }
    return equals;
}

quint32 KeyHash(QStringView foldedKey) {
    return quint32(qHash(foldedKey, QHashSeed::globalSeed()));
}

// The key name of an entry line as spelled, into `out`.
void KeyNameInto(const IniDocument& doc, int line, QString& out) {
    const Units u = UnitsOf(IniLineBytes(doc, doc.lines[size_t(line)]), doc.encoding);
    const LineShape shape = ScanLine(u);
    DecodeInto(u, shape.nameBegin, shape.nameEnd, out);
}

// The slot of the section that holds the key, or the free slot where it would go.
qsizetype KeySlotFor(const IniDocument& doc, const IniSection& section, const QString& foldedKey,
                     quint32 hash) {
    const qsizetype mask = section.slotCount - 1;
    QString name;
    for (qsizetype i = qsizetype(hash) & mask;; i = (i + 1) & mask) {
        const IniKeySlot& slot = doc.keySlots[size_t(section.firstSlot + i)];
        if (slot.line < 0)
            return section.firstSlot + i;
        if (slot.hash == hash) {
            KeyNameInto(doc, slot.line, name);
            FoldInPlace(name);
            if (name == foldedKey)
                return section.firstSlot + i;
        }
    }
}

int FindKeyLine(const IniDocument& doc, int section, const QString& foldedKey) {
    const IniSection& s = doc.sections[size_t(section)];
    if (s.slotCount == 0)
        return -1;
    return doc.keySlots[size_t(KeySlotFor(doc, s, foldedKey, KeyHash(foldedKey)))].line;
}

// Gives the section room for `keys` keys; when its slots are too few, it gets a larger run at
// the end of the table and leaves the old one unused.
void ReserveKeySlots(IniDocument& doc, IniSection& section, qsizetype keys) {
    if (keys * 4 <= section.slotCount * 3)
        return;
    qsizetype size = 4;
    while (size * 3 < keys * 4)
        size *= 2;
    const qsizetype first = qsizetype(doc.keySlots.size());
    doc.keySlots.resize(size_t(first + size));
    for (qsizetype i = 0; i < section.slotCount; ++i) {
        const IniKeySlot slot = doc.keySlots[size_t(section.firstSlot + i)];
        if (slot.line < 0)
            continue;
        qsizetype j = qsizetype(slot.hash) & (size - 1);
        while (doc.keySlots[size_t(first + j)].line >= 0)
            j = (j + 1) & (size - 1);
        doc.keySlots[size_t(first + j)] = slot;
    }
    section.firstSlot = first;
    section.slotCount = size;
}

// Adds the key unless the section has one of that name already.
void AddKey(IniDocument& doc, int section, const QString& foldedKey, int line) {
    IniSection& s = doc.sections[size_t(section)];
    ReserveKeySlots(doc, s, s.keyCount + 1);
    const quint32 hash = KeyHash(foldedKey);
    IniKeySlot& slot = doc.keySlots[size_t(KeySlotFor(doc, s, foldedKey, hash))];
    if (slot.line >= 0)
        return;
    slot = {hash, line};
    ++s.keyCount;
}

void IndexLines(IniDocument& doc, qsizetype maxKeys) {
    // A section's run of slots is never longer than four slots per key, so the runs are not
    // moved while reading; pages that stay unused are never touched.
    doc.keySlots.reserve(4 * size_t(std::min(maxKeys, qsizetype(doc.lines.size()))));
    int current = -1; // the section that takes the entries that follow; -1 for none or a repeat
    std::vector<int> keyLines; // of the current section, indexed when it ends
    QString name;
    const auto indexKeys = [&] {
        if (current < 0)
            return;
        ReserveKeySlots(doc, doc.sections[size_t(current)], qsizetype(keyLines.size()));
        for (const int line : keyLines) {
            KeyNameInto(doc, line, name);
            FoldInPlace(name);
            AddKey(doc, current, name, line);
        }
        keyLines.clear();
    };
    for (size_t i = 0; i < doc.lines.size(); ++i) {
        const Units u = UnitsOf(IniLineBytes(doc, doc.lines[i]), doc.encoding);
        const LineShape shape = ScanLine(u);
        if (shape.kind == LineKind::Section) {
            indexKeys();
            DecodeInto(u, shape.nameBegin, shape.nameEnd, name);
            FoldInPlace(name);
            if (doc.sectionByName.contains(name)) {
                current = -1;
            } else {
                current = int(doc.sections.size());
                doc.sections.push_back({int(i), int(i)});
                doc.sectionByName.insert(name, current);
            }
        } else if (shape.kind == LineKind::Entry && current >= 0) {
            doc.sections[size_t(current)].lastKey = int(i);
            keyLines.push_back(int(i));
        }
    }
    indexKeys();
}

IniLineEnd NewLineEnd(const IniDocument& doc) {
    if (doc.firstLine < 0 || doc.lines[size_t(doc.firstLine)].end == IniLineEnd::None)
        return IniLineEnd::Lf;
    return doc.lines[size_t(doc.firstLine)].end;
}

// Adds a line after `anchor`, or as the only line of an empty document when anchor is -1.
int InsertLineAfter(IniDocument& doc, int anchor, const QString& text) {
    const IniLineEnd lineEnd = NewLineEnd(doc);
    IniLine line;
    line.text = int(doc.writtenText.size());
    doc.writtenText.push_back(Encode(text, doc.encoding));
    line.end = lineEnd;
    const int index = int(doc.lines.size());
    if (anchor < 0) {
        doc.firstLine = index;
        doc.lastLine = index;
    } else {
        IniLine& before = doc.lines[size_t(anchor)];
        // Only the file's last line can lack a line end.
        if (before.end == IniLineEnd::None)
            before.end = lineEnd;
        line.next = before.next;
        before.next = index;
        if (doc.lastLine == anchor)
            doc.lastLine = index;
    }
    doc.lines.push_back(std::move(line));
    return index;
}

void ReplaceValue(IniDocument& doc, int index, const QString& value) {
    IniLine& line = doc.lines[size_t(index)];
    const QByteArrayView bytes = IniLineBytes(doc, line);
    const LineShape shape = ScanLine(UnitsOf(bytes, doc.encoding));
    const int width = UnitWidth(doc.encoding);
    QByteArray text = bytes.first(shape.valueBegin * width).toByteArray();
    text += Encode(value, doc.encoding);
    text += bytes.sliced(shape.valueEnd * width);
    if (line.text < 0) {
        line.text = int(doc.writtenText.size());
        doc.writtenText.push_back(std::move(text));
    } else {
        doc.writtenText[size_t(line.text)] = std::move(text);
    }
}

} // namespace

QString FoldIniName(QString name) {
    FoldInPlace(name);
    return name;
}

QByteArrayView IniLineBytes(const IniDocument& doc, const IniLine& line) {
    if (line.text >= 0)
        return doc.writtenText[size_t(line.text)];
    return QByteArrayView(doc.source).sliced(line.begin, line.size);
}

IniDocument ParseIni(const QByteArray& bytes) {
    IniDocument doc;
    if (bytes.startsWith(QByteArrayView("\xFF\xFE", 2)))
        doc.encoding = IniEncoding::Utf16Le;
    else if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        doc.encoding = IniEncoding::Utf8Bom;
    doc.source = bytes;
    IndexLines(doc, SplitLines(doc));
    return doc;
}

int FindIniKey(const IniDocument& doc, const QString& section, const QString& key) {
    const auto s = doc.sectionByName.constFind(FoldIniName(section));
    if (s == doc.sectionByName.cend())
        return -1;
    return FindKeyLine(doc, *s, FoldIniName(key));
}

QString IniKeyName(const IniDocument& doc, int line) {
    QString name;
    KeyNameInto(doc, line, name);
    return name;
}

std::optional<QString> ReadIniValue(const IniDocument& doc, const QString& section,
                                    const QString& key) {
    const int line = FindIniKey(doc, section, key);
    if (line < 0)
        return std::nullopt;
    const Units u = UnitsOf(IniLineBytes(doc, doc.lines[size_t(line)]), doc.encoding);
    const LineShape shape = ScanLine(u);
    QString value = Decode(u, shape.valueBegin, shape.valueEnd);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.sliced(1, value.size() - 2);
    }
    value.truncate(IniValueMaxLength);
    return value;
}

void WriteIniValue(IniDocument& doc, const QString& section, const QString& key,
                   const QString& value) {
    const QString sectionName = FoldIniName(section);
    auto s = doc.sectionByName.constFind(sectionName);
    if (s == doc.sectionByName.cend()) {
        const int header = InsertLineAfter(doc, doc.lastLine, u'[' + section + u']');
        doc.sections.push_back({header, header});
        s = doc.sectionByName.insert(sectionName, int(doc.sections.size() - 1));
    }
    const int sectionIndex = *s;
    const QString keyName = FoldIniName(key);
    const int line = FindKeyLine(doc, sectionIndex, keyName);
    if (line >= 0) {
        ReplaceValue(doc, line, value);
        return;
    }
    IniSection& target = doc.sections[size_t(sectionIndex)];
    target.lastKey = InsertLineAfter(doc, target.lastKey, key + u'=' + value);
    AddKey(doc, sectionIndex, keyName, target.lastKey);
}

QByteArray SerializeIni(const IniDocument& doc) {
    QByteArray out;
    out.reserve(doc.source.size() + 1024);
    out += ByteOrderMark(doc.encoding);
    // Lines that stand in the source as they were, line end included, go out in runs.
    const QByteArrayView source(doc.source);
    qsizetype runBegin = 0;
    qsizetype runEnd = 0;
    for (int i = doc.firstLine; i >= 0; i = doc.lines[size_t(i)].next) {
        const IniLine& line = doc.lines[size_t(i)];
        const QByteArrayView end = LineEndBytes(line.end, doc.encoding);
        if (line.text < 0 && source.sliced(line.begin + line.size).startsWith(end)) {
            if (line.begin != runEnd) {
                out += source.sliced(runBegin, runEnd - runBegin);
                runBegin = line.begin;
            }
            runEnd = line.begin + line.size + end.size();
            continue;
        }
        out += source.sliced(runBegin, runEnd - runBegin);
        runBegin = runEnd = 0;
        out += IniLineBytes(doc, line);
        out += end;
    }
    out += source.sliced(runBegin, runEnd - runBegin);
    out += doc.oddLastByte;
    return out;
}

} // namespace kestro
