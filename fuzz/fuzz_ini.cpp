// Arbitrary bytes as a settings file: parse, read, write a few keys, serialize, parse again.
// The first input byte steers the writes; the rest is the file.
#include "ini/IniDocument.h"

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_ini: %s\n", what);
        std::abort();
    }
}

// A small deterministic generator; the choices only need to vary with the input.
struct Choices {
    std::uint32_t state;
    std::uint32_t Next(std::uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

int Width(const IniDocument& doc) {
    return IsUtf16(doc.encoding) ? 2 : 1;
}

char16_t UnitAt(QByteArrayView bytes, qsizetype i, int width, bool big = false) {
    if (width == 1)
        return static_cast<unsigned char>(bytes[i]);
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return big ? char16_t((first << 8) | second) : char16_t(first | (second << 8));
}

QByteArray Encoded(const QString& text, const IniDocument& doc) {
    if (Width(doc) == 1)
        return text.toUtf8();
    QByteArray out(reinterpret_cast<const char*>(text.utf16()), 2 * text.size());
    if (IsBigEndian(doc.encoding)) {
        for (qsizetype i = 0; i + 1 < out.size(); i += 2)
            std::swap(out[i], out[i + 1]);
    }
    return out;
}

// The text of the file: after the byte order mark, without an odd last byte in UTF-16.
QByteArrayView Text(const IniDocument& doc) {
    const QByteArrayView text =
        QByteArrayView(doc.source).sliced(IniByteOrderMark(doc.encoding).size());
    return text.first(text.size() - text.size() % Width(doc));
}

// The line end of added lines: that of the first line, else LF.
QByteArray NewLineEnd(const IniDocument& doc) {
    const QByteArrayView text = Text(doc);
    const int width = Width(doc);
    const bool big = IsBigEndian(doc.encoding);
    const qsizetype units = text.size() / width;
    qsizetype end = 0;
    while (end < units && UnitAt(text, end, width, big) != u'\n' &&
           UnitAt(text, end, width, big) != u'\r')
        ++end;
    QString lineEnd = u"\n"_s;
    if (end < units && UnitAt(text, end, width, big) == u'\r')
        lineEnd =
            end + 1 < units && UnitAt(text, end + 1, width, big) == u'\n' ? u"\r\n"_s : u"\r"_s;
    return Encoded(lineEnd, doc);
}

// An entry's line with its value replaced: the text between the blanks after the first "="
// and the blanks at the end goes.
QByteArray WithValue(QByteArrayView line, const QString& value, const IniDocument& doc) {
    const int width = Width(doc);
    const qsizetype units = line.size() / width;
    const bool big = IsBigEndian(doc.encoding);
    const auto blank = [&](qsizetype i) {
        return UnitAt(line, i, width, big) == u' ' || UnitAt(line, i, width, big) == u'\t';
    };
    qsizetype begin = 0;
    while (begin < units && UnitAt(line, begin, width, big) != u'=')
        ++begin;
    ++begin;
    while (begin < units && blank(begin))
        ++begin;
    qsizetype end = units;
    while (end > begin && blank(end - 1))
        --end;
    return line.first(begin * width).toByteArray() + Encoded(value, doc) +
           line.sliced(end * width).toByteArray();
}

bool ReadsBackAsWritten(const QString& value) {
    if (value.size() > IniValueMaxLength)
        return false;
    if (!value.isEmpty() && (value.front() == u' ' || value.front() == u'\t' ||
                             value.back() == u' ' || value.back() == u'\t'))
        return false;
    return !(value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
             value.back() == value.front());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    Choices choose{std::uint32_t(data[0]) * 2654435761u + std::uint32_t(size)};

    const IniDocument before = ParseIni(input);
    Check(SerializeIni(before) == input, "unwritten document changed");

    // Names that exist in the file, to replace values where they stand; sections folded.
    std::vector<std::pair<QString, QString>> existing = ListIniKeys(before, 64);
    for (auto& [section, key] : existing) {
        section = FoldIniName(section);
        const auto value = ReadIniValue(before, section, key);
        Check(value.has_value() && value->size() <= IniValueMaxLength, "existing key unread");
    }
    std::sort(existing.begin(), existing.end());

    static const QString sections[] = {u"Colors"_s, u"Shift Schedule"_s, u"S"_s, u"s"_s,
                                       u"\u00C4\u00F6"_s};
    static const QString keys[] = {u"APlt"_s, u"aplt"_s,   u"NumberOfPlatoons"_s,
                                   u"k"_s,    u"\u00E9"_s, u""_s};
    // A line break in a value would make new lines, and "]" would turn a line whose key starts
    // with "[" into a section header: the file format has no escapes for either.
    QString fromInput = QString::fromUtf8(input.first(qMin<qsizetype>(input.size(), 12)));
    fromInput.replace(u'\r', u'_').replace(u'\n', u'_').replace(u']', u'_');
    const QString values[] = {
        u"1"_s,   u"Blue"_s, u""_s, u" pad "_s, u"'q'"_s, u"a=b"_s, u"\u00FC\u20AC\U0001F600"_s,
        fromInput};

    IniDocument doc = ParseIni(input);
    // Per folded name: the key as first spelled, then every value written.
    std::map<std::pair<QString, QString>, std::vector<QString>> written;
    const std::uint32_t writeCount = 1 + choose.Next(6);
    for (std::uint32_t i = 0; i < writeCount; ++i) {
        QString section = sections[choose.Next(std::size(sections))];
        QString key = keys[choose.Next(std::size(keys))];
        if (!existing.empty() && choose.Next(2) == 0) {
            const auto& pick = existing[choose.Next(std::uint32_t(existing.size()))];
            section = pick.first;
            if (choose.Next(2) == 0)
                key = pick.second;
        }
        const QString& value = values[choose.Next(std::size(values))];
        WriteIniValue(doc, section, key, value);
        auto& record = written[{FoldIniName(section), FoldIniName(key)}];
        if (record.empty())
            record.push_back(key);
        record.push_back(value);
    }
    const QByteArray output = SerializeIni(doc);
    const IniDocument after = ParseIni(output);
    Check(after.encoding == before.encoding, "encoding changed");
    Check(SerializeIni(after) == output, "output does not parse back to itself");

    // Undo the writes on the output: what remains must be the input.
    const QByteArray newEnd = NewLineEnd(before);
    std::map<qsizetype, std::pair<qsizetype, QByteArray>> undo;
    for (const auto& [names, record] : written) {
        const auto& [section, key] = names;
        const auto line = FindIniKeyLine(after, section, key);
        Check(line.has_value(), "written key not found after parsing the output");
        QByteArray expected;
        if (const auto inLine = FindIniKeyLine(before, section, key)) {
            const QByteArrayView old =
                QByteArrayView(before.source).sliced(inLine->begin, inLine->size);
            expected = WithValue(old, record[1], doc);
            undo[line->begin] = {line->size, old.toByteArray()};
        } else {
            expected = Encoded(record[0] + u'=' + record[1], doc);
            undo[line->begin] = {line->size + newEnd.size(), {}};
        }
        for (size_t i = 2; i < record.size(); ++i)
            expected = WithValue(expected, record[i], doc);
        Check(after.source.sliced(line->begin, line->size) == expected,
              "written line is not the old one revalued");
        if (!FindIniSectionLine(before, section)) {
            const auto header = FindIniSectionLine(after, section);
            Check(header.has_value(), "added section not found after parsing the output");
            undo[header->begin] = {header->size + newEnd.size(), {}};
        }
        if (ReadsBackAsWritten(record.back())) {
            Check(ReadIniValue(doc, section, key) == record.back(), "value not read as written");
            Check(ReadIniValue(after, section, key) == record.back(),
                  "value not read back as written");
        }
    }
    QByteArray restored;
    qsizetype pos = 0;
    for (const auto& [begin, change] : undo) {
        Check(begin >= pos, "written lines overlap");
        restored += after.source.sliced(pos, begin - pos) + change.second;
        pos = begin + change.first;
    }
    Check(pos <= after.source.size(), "written line runs past the end");
    restored += after.source.sliced(pos);
    QByteArray expected = before.source;
    // A last line without a line end gets one when lines are added after it; an odd last byte
    // of a UTF-16 file stays last.
    const QByteArrayView text = Text(before);
    const bool lastLacksEnd = !text.isEmpty() &&
                              UnitAt(text, text.size() / Width(before) - 1, Width(before),
                                     IsBigEndian(before.encoding)) != u'\n' &&
                              UnitAt(text, text.size() / Width(before) - 1, Width(before),
                                     IsBigEndian(before.encoding)) != u'\r';
    const qsizetype oddLastByte =
        before.source.size() - IniByteOrderMark(before.encoding).size() - text.size();
    if (lastLacksEnd && restored.size() > expected.size())
        expected.insert(expected.size() - oddLastByte, newEnd);
    Check(restored == expected, "a line that was not written changed");

    for (const auto& [section, key] : existing) {
        if (!written.count({section, FoldIniName(key)}))
            Check(ReadIniValue(after, section, key) == ReadIniValue(before, section, key),
                  "unwritten key reads differently");
    }
    return 0;
}
