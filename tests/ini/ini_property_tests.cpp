#include "ini/IniDocument.h"
#include "support/IniTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

struct Write {
    QString section;
    QString key;
    QString value;
};

const QByteArray Fragments[] = {
    "[Colors]"_ba,
    "[colors]"_ba,
    " [ Shift Schedule ]\t"_ba,
    "[Other] x"_ba,
    "[broken"_ba,
    "[]"_ba,
    "APlt=Red"_ba,
    "aplt = 'Blue' "_ba,
    "BPlt"_ba,
    " ;APlt=c"_ba,
    ""_ba,
    "\t"_ba,
    "=v"_ba,
    "a=b=c"_ba,
    "NumberOfPlatoons = 3 "_ba,
    "\xC3\xA9=\xE9"_ba,
    "junk\xFF\xE9"_ba,
    QByteArray("x\0=\0", 4),
};
const QByteArray Ends[] = {"\n"_ba, "\r\n"_ba, "\r"_ba};
const QString Sections[] = {u"Colors"_s, u"COLORS"_s, u"Shift Schedule"_s, u"Other"_s, u"New"_s};
const QString Keys[] = {u"APlt"_s, u"aplt"_s,  u"BPlt"_s, u"NumberOfPlatoons"_s,
                        u"A"_s,    u"\u00E9"_s};
// Values that read back as written; the others lose blanks or quotes when read.
const QString CleanValues[] = {u"1"_s, u"Blue"_s, u""_s, u"x y"_s, u"a=b"_s, u"\u00FC\u20AC"_s};
const QString OtherValues[] = {u" pad "_s, u"'q'"_s, u"\"\""_s};

// The line end of added lines, worked out from the file's bytes: that of its first line, else LF.
QByteArray NewLineEnd(QByteArrayView file) {
    qsizetype end = 0;
    while (end < file.size() && file[end] != '\n' && file[end] != '\r')
        ++end;
    if (end == file.size() || file[end] == '\n')
        return "\n"_ba;
    return end + 1 < file.size() && file[end + 1] == '\n' ? "\r\n"_ba : "\r"_ba;
}

// An entry's line with its value replaced, spelled out independently of the writer.
QByteArray WithValue(QByteArrayView line, const QString& value) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    qsizetype begin = line.indexOf('=') + 1;
    while (begin < line.size() && isBlank(line[begin]))
        ++begin;
    qsizetype end = line.size();
    while (end > begin && isBlank(line[end - 1]))
        --end;
    return line.first(begin).toByteArray() + value.toUtf8() + line.sliced(end).toByteArray();
}

// Writes, then undoes the writes on the output's bytes: the old text of replaced lines goes
// back and added lines go out with their line ends. That must give the input, save for a line
// end added to a last line that had none. Values written must read back; others as before.
void CheckWrites(const QByteArray& input, const std::vector<Write>& writes) {
    SCOPED_TRACE("input: " + Escaped(input));
    IniDocument doc = ParseIni(input);
    const IniDocument before = ParseIni(input);
    // Per folded name: the key as first spelled, then every value written.
    std::map<std::pair<QString, QString>, std::vector<QString>> written;
    for (const Write& w : writes) {
        WriteIniValue(doc, w.section, w.key, w.value);
        std::vector<QString>& values = written[{FoldIniName(w.section), FoldIniName(w.key)}];
        if (values.empty())
            values.push_back(w.key);
        values.push_back(w.value);
    }
    const QByteArray output = SerializeIni(doc);
    SCOPED_TRACE("output: " + Escaped(output));
    const IniDocument after = ParseIni(output);
    // This test spells lines out byte by byte: its documents must read as bytes.
    ASSERT_FALSE(IsUtf16(before.encoding));
    ASSERT_EQ(after.encoding, before.encoding);
    const QByteArray newEnd = NewLineEnd(input);

    std::map<qsizetype, std::pair<qsizetype, QByteArray>> undo; // begin: length, old bytes
    for (const auto& [names, values] : written) {
        const auto& [section, key] = names;
        const QString& value = values.back();
        const auto line = FindIniKeyLine(after, section, key);
        ASSERT_TRUE(line.has_value());
        // Each write replaces the value the one before it left.
        QByteArray expected;
        if (const auto inLine = FindIniKeyLine(before, section, key)) {
            const QByteArrayView old =
                QByteArrayView(before.source).sliced(inLine->begin, inLine->size);
            expected = WithValue(old, values[1]);
            undo[line->begin] = {line->size, old.toByteArray()};
        } else {
            expected = (values[0] + u'=' + values[1]).toUtf8();
            undo[line->begin] = {line->size + newEnd.size(), {}};
        }
        for (size_t i = 2; i < values.size(); ++i)
            expected = WithValue(expected, values[i]);
        EXPECT_EQ(after.source.sliced(line->begin, line->size), expected);
        if (!FindIniSectionLine(before, section)) {
            const auto header = FindIniSectionLine(after, section);
            ASSERT_TRUE(header.has_value());
            undo[header->begin] = {header->size + newEnd.size(), {}};
        }
        if (std::find(std::begin(CleanValues), std::end(CleanValues), value) !=
            std::end(CleanValues)) {
            EXPECT_EQ(ReadIniValue(after, section, key), value);
            EXPECT_EQ(ReadIniValue(doc, section, key), value);
        }
    }
    QByteArray restored;
    qsizetype pos = 0;
    for (const auto& [begin, change] : undo) {
        restored += after.source.sliced(pos, begin - pos) + change.second;
        pos = begin + change.first;
    }
    restored += after.source.sliced(pos);
    const bool lastLacksEnd = !input.isEmpty() && !input.endsWith('\n') && !input.endsWith('\r');
    EXPECT_EQ(restored, lastLacksEnd && restored.size() > before.source.size()
                            ? before.source + newEnd
                            : before.source);

    for (const QString& section : Sections) {
        for (const QString& key : Keys) {
            if (!written.count({FoldIniName(section), FoldIniName(key)})) {
                EXPECT_EQ(ReadIniValue(after, section, key), ReadIniValue(before, section, key));
            }
        }
    }
}

TEST(IniPropertyTest, RandomDocumentsKeepEveryUnwrittenLine) {
    std::mt19937 random(20240611);
    const auto pick = [&random](const auto& items) {
        return items[std::uniform_int_distribution<size_t>(0, std::size(items) - 1)(random)];
    };
    for (int round = 0; round < 2000; ++round) {
        QByteArray input;
        const int lineCount = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < lineCount; ++i) {
            input += pick(Fragments);
            if (i + 1 < lineCount || random() % 2)
                input += pick(Ends);
        }
        std::vector<Write> writes(std::uniform_int_distribution<size_t>(1, 6)(random));
        for (Write& w : writes)
            w = {pick(Sections), pick(Keys), random() % 4 ? pick(CleanValues) : pick(OtherValues)};
        CheckWrites(input, writes);
        if (HasFatalFailure() || HasNonfatalFailure())
            return;
    }
}

} // namespace
