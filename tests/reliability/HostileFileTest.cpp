// Settings files no user should have but some will: huge, one enormous line, NUL bytes, broken
// UTF-8, UTF-16 without a byte order mark, random bytes. Each is made at test time in a temporary
// folder; loading it must not crash (the CTest time limit of each case catches a load that takes
// far too long), and a save afterwards must change only the lines it writes: every other line
// stays byte for byte, in order, in the file's own encoding. A file whose encoding cannot be told
// is never written to: its save fails and leaves it as it was.

#include "ReliabilityTestSupport.h"

#include "files/SettingsFileIO.h"
#include "ini/IniDocument.h"
#include "settings/LoadSettings.h"
#include "support/FixedClock.h"
#include "support/Utf16.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace kestro::reliability {
namespace {

constexpr qsizetype MiB = 1024 * 1024;

std::uint64_t Seed() {
    static const std::uint64_t seed = SeedFromEnvironment("KESTRO_HOSTILE_SEED", 20240615);
    return seed;
}

// Random bytes from `alphabet`, or any byte when it is empty.
QByteArray RandomText(std::mt19937_64& random, qsizetype size, QByteArrayView alphabet = {}) {
    QByteArray text(size, Qt::Uninitialized);
    for (char& c : text)
        c = alphabet.isEmpty() ? char(random() & 0xFF)
                               : alphabet[qsizetype(random() % alphabet.size())];
    return text;
}

// A byte order mark would make it another encoding; these files are meant to have none.
QByteArray WithoutByteOrderMark(QByteArray bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xEF\xBB\xBF"))
        bytes[0] = 'x';
    return bytes;
}

// About 100 MB of a real file's lines with every kind of line end, sections repeated in other
// spellings (they do not count and must stay as they are), keys the save writes standing where
// they do not count, comments and blank lines; the last line has no line end.
QByteArray Huge100MB() {
    std::mt19937_64 random(Seed());
    const QByteArray ends[] = {"\n", "\r\n", "\r"};
    std::vector<QByteArray> pool;
    for (int i = 0; i < 4096; ++i) {
        QByteArray line;
        switch (random() % 20) {
        case 0:
            line = "; " + RandomText(random, qsizetype(random() % 80), "abc xyz=[];");
            break;
        case 1:
            break; // blank
        case 2: {
            static const char* const sections[] = {"[shift SCHEDULE]", " [Colors] ", "[Config]",
                                                   "[Notes]", "[Fonts"};
            line = sections[random() % std::size(sections)];
            break;
        }
        case 3: {
            const WrittenKey& key = StandardSaveKeys[random() % std::size(StandardSaveKeys)];
            line = QByteArray(key.key) + " = " + RandomText(random, 8, "0123456789");
            break;
        }
        default:
            line = "Note" + QByteArray::number(i) + "=" +
                   RandomText(random, qsizetype(random() % 160),
                              "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
        }
        pool.push_back(line + ends[random() % std::size(ends)]);
    }
    QByteArray text = RealisticSettingsFile(4096, Seed());
    text.reserve(100 * MiB + 4096);
    while (text.size() < 100 * MiB)
        text += pool[random() % pool.size()];
    text += "LastLine=without a line end";
    return text;
}

QByteArray ValueOf10MB() {
    std::mt19937_64 random(Seed());
    return "[Shift Schedule]\r\nNumberOfPlatoons=4\r\nShiftRotation=" +
           RandomText(random, 10 * MiB, "ABCDEF") + "\r\nStartDate=5/1/2023\r\n[Colors]\r\n" +
           "APlt=Red\r\n";
}

QByteArray JunkLineOf10MB() {
    std::mt19937_64 random(Seed() + 1);
    return WithoutByteOrderMark(
        RandomText(random, 10 * MiB, "abcXYZ 019=[];\"'\t\x01\x7F\xC3\xA9\xFF"));
}

QByteArray NulBytes() {
    static constexpr char start[] = "[Shift Schedule]\r\n"
                                    "NumberOfPlatoons=4\r\n"
                                    "Num\0berOfPlatoons=5\r\n"
                                    "DaysInRotation=1\0"
                                    "2\r\n"
                                    "ShiftRotation=AB\0CD\r\n"
                                    "\0\0\0=\0\r\n"
                                    "[\0]\r\n"
                                    "StartDate=5/1/2023\r\n"
                                    "[Col\0ors]\r\n"
                                    "APlt=Red\0\r\n"
                                    "[Colors]\r\n"
                                    "AInv=\0White\r\n";
    QByteArray text(start, sizeof start - 1);
    text += QByteArray(64 * 1024, '\0') + "\r\n" + RealisticSettingsFile(64 * 1024, Seed());
    text.replace("Note1=", QByteArray("No\0te1=", 7));
    return text;
}

QByteArray InvalidUtf8() {
    QByteArray text = "[Shift Schedule]\n"
                      "NumberOfPlatoons=4\n"
                      "ShiftRotation=AB\xFF\x80"
                      "CD\n"
                      "Days\xC0\xAFInRotation=6\n" // an overlong "/"
                      "StartDate=\xED\xA0\x80\n"   // a surrogate
                      "[Col\xF4\x90\x80\x80ors]\n" // beyond U+10FFFF
                      "APlt=\xE2\x82\n"            // cut short
                      "[\xC3\xA9t\xC3\xA9]\n"      // valid UTF-8, for contrast
                      "\xC3\xA9=\xC3\n";
    text += RealisticSettingsFile(64 * 1024, Seed()).replace("a", "\xE0\x80");
    text += "Last=\xF0\x9F\x98"; // cut short at the very end
    return text;
}

QByteArray Utf16(bool bigEndian) {
    return test::Utf16Text(QString::fromLatin1(RealisticSettingsFile(64 * 1024, Seed())),
                           bigEndian);
}

QByteArray Utf16LeWithoutBom() {
    return Utf16(false);
}

QByteArray Utf16BeWithoutBom() {
    return Utf16(true);
}

QByteArray RandomBytes() {
    std::mt19937_64 random(Seed() + 2);
    return WithoutByteOrderMark(RandomText(random, 4 * MiB));
}

// Random pieces of the syntax, so that sections, keys, values and line ends collide with what the
// save writes.
QByteArray IniShapedJunk() {
    static const char* const pieces[] = {"[",
                                         "]",
                                         "=",
                                         "\r",
                                         "\n",
                                         "\r\n",
                                         ";",
                                         " ",
                                         "\t",
                                         "\"",
                                         "'",
                                         "Shift Schedule",
                                         "Colors",
                                         "shift schedule",
                                         "NumberOfPlatoons",
                                         "DaysInRotation",
                                         "ShiftRotation",
                                         "StartDate",
                                         "APlt",
                                         "cinv",
                                         "BkGr",
                                         "LdTr",
                                         "Red",
                                         "3",
                                         "\xFF",
                                         "\xC3\xA9",
                                         "\xE2\x82",
                                         "x"};
    std::mt19937_64 random(Seed() + 3);
    QByteArray text;
    while (text.size() < 2 * MiB) {
        // Whole lines now and then, so that some keys stand in sections of their own name.
        if (random() % 8 == 0)
            text += "\n[Shift Schedule]\nDaysInRotation=9\n[Colors]\nAPlt=Red\n";
        text += pieces[random() % std::size(pieces)];
    }
    return WithoutByteOrderMark(text);
}

void LoadsTheFirstSchedule(const ScheduleSettings& s) {
    EXPECT_EQ(s.NumberOfPlatoons, 4);
    EXPECT_EQ(s.DaysInRotation, 8);
    EXPECT_EQ(s.ShiftRotation, QStringLiteral("AABBCCDD"));
    EXPECT_EQ(s.Epoch, 1950);
    EXPECT_EQ(s.PlatoonColors[u'A'].normal, NameToColor(QStringLiteral("Red")));
}

void LoadsTheFirst2047Characters(const ScheduleSettings& s) {
    EXPECT_EQ(s.NumberOfPlatoons, 4);
    EXPECT_EQ(s.ShiftRotation.size(), IniValueMaxLength);
    EXPECT_TRUE(std::all_of(s.ShiftRotation.cbegin(), s.ShiftRotation.cend(),
                            [](QChar c) { return c >= u'A' && c <= u'F'; }));
}

void ReadsNulAsACharacter(const ScheduleSettings& s) {
    EXPECT_EQ(s.NumberOfPlatoons, 4);
    EXPECT_EQ(s.ShiftRotation, QString::fromUtf16(u"AB\u0000CD", 5));
}

void ReadsBrokenUtf8AsWindows1252(const ScheduleSettings& s) {
    EXPECT_EQ(s.NumberOfPlatoons, 4);
    EXPECT_EQ(s.ShiftRotation, QString::fromUtf16(u"AB\u00FF\u20ACCD"));
}

struct HostileCase {
    const char* name;
    QByteArray (*make)();
    void (*expectLoaded)(const ScheduleSettings&); // nullptr: only that nothing crashes
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << c.name;
}

const HostileCase Cases[] = {
    {"Huge100MB", Huge100MB, LoadsTheFirstSchedule},
    {"ValueOf10MB", ValueOf10MB, LoadsTheFirst2047Characters},
    {"JunkLineOf10MB", JunkLineOf10MB, nullptr},
    {"NulBytes", NulBytes, ReadsNulAsACharacter},
    {"InvalidUtf8", InvalidUtf8, ReadsBrokenUtf8AsWindows1252},
    {"Utf16LeWithoutBom", Utf16LeWithoutBom, LoadsTheFirstSchedule},
    {"Utf16BeWithoutBom", Utf16BeWithoutBom, LoadsTheFirstSchedule},
    {"RandomBytes", RandomBytes, nullptr},
    {"IniShapedJunk", IniShapedJunk, nullptr},
};

// A line as this test reads a file, independently of the program: the bytes up to "\r\n", "\n"
// or "\r", and that line end.
struct Line {
    qsizetype begin = 0;
    qsizetype size = 0;
    qsizetype endSize = 0;
};

std::vector<Line> SplitLines(QByteArrayView bytes) {
    std::vector<Line> lines;
    qsizetype pos = 0;
    while (pos < bytes.size()) {
        qsizetype stop = pos;
        while (stop < bytes.size() && bytes[stop] != '\n' && bytes[stop] != '\r')
            ++stop;
        Line line{pos, stop - pos, 0};
        if (stop < bytes.size())
            line.endSize =
                bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
        lines.push_back(line);
        pos = stop + line.endSize;
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// An entry line with its value replaced where it stands: the text up to the "=" and the blanks
// after it, the new value, and the blanks that ended the old value.
QByteArray WithValue(QByteArrayView line, QByteArrayView value) {
    qsizetype begin = line.indexOf('=') + 1;
    while (begin < line.size() && IsBlank(line[begin]))
        ++begin;
    qsizetype end = line.size();
    while (end > begin && IsBlank(line[end - 1]))
        --end;
    return line.first(begin).toByteArray() + value.toByteArray() + line.sliced(end).toByteArray();
}

// The start of a line, for a failure message.
std::string Shown(QByteArrayView line) {
    return '"' + line.first(std::min<qsizetype>(line.size(), 80)).toByteArray().toStdString() + '"';
}

// Walks the saved file's lines against the original's: each is the original line unchanged, the
// line of a written key that the loader reads (its value replaced where it stands), or a line
// the save added (a written key, or the header of a section the file lacked).
void ExpectOnlyWrittenLinesChanged(const QByteArray& input, const QByteArray& output) {
    const std::vector<Line> in = SplitLines(input);
    const std::vector<Line> out = SplitLines(output);
    std::map<qsizetype, const WrittenKey*> replaced; // by input line
    std::set<QByteArray> mayBeAdded;
    {
        const IniDocument doc = ParseIni(input);
        for (const WrittenKey& key : StandardSaveKeys) {
            const auto span =
                FindIniKeyLine(doc, QLatin1String(key.section), QLatin1String(key.key));
            if (!span) {
                mayBeAdded.insert(QByteArray(key.key) + "=" + key.value);
                continue;
            }
            const auto line =
                std::lower_bound(in.begin(), in.end(), span->begin,
                                 [](const Line& l, qsizetype begin) { return l.begin < begin; });
            ASSERT_TRUE(line != in.end() && line->begin == span->begin && line->size == span->size)
                << "the program reads other lines than this test";
            replaced[line - in.begin()] = &key;
        }
        for (const char* section : {"Shift Schedule", "Colors"}) {
            if (!FindIniSectionLine(doc, QLatin1String(section)))
                mayBeAdded.insert("[" + QByteArray(section) + "]");
        }
    }
    const auto bytesOf = [](const QByteArray& file, const Line& line) {
        return QByteArrayView(file).sliced(line.begin, line.size);
    };
    const auto endOf = [](const QByteArray& file, const Line& line) {
        return QByteArrayView(file).sliced(line.begin + line.size, line.endSize);
    };
    size_t i = 0;
    for (size_t o = 0; o < out.size(); ++o) {
        const QByteArrayView text = bytesOf(output, out[o]);
        if (i < in.size()) {
            const QByteArrayView original = bytesOf(input, in[i]);
            // Only the last line may gain a line end, when lines are added after it.
            const bool endKept = endOf(output, out[o]) == endOf(input, in[i]) ||
                                 (i + 1 == in.size() && in[i].endSize == 0);
            const auto r = replaced.find(qsizetype(i));
            const QByteArray expected = r == replaced.end() ? original.toByteArray()
                                                            : WithValue(original, r->second->value);
            if (text == expected && endKept) {
                ++i;
                continue;
            }
        }
        if (mayBeAdded.erase(text.toByteArray()) == 1)
            continue;
        ADD_FAILURE() << "saved line " << o << " (" << Shown(text) << ") is neither original line "
                      << i << " (" << (i < in.size() ? Shown(bytesOf(input, in[i])) : "end of file")
                      << ") nor a line the save adds";
        return;
    }
    EXPECT_EQ(i, in.size()) << "original lines are missing from the saved file";
}

// UTF-16 files are compared line by line as UTF-8; every other file as it is.
QByteArray AsUtf8(const QByteArray& bytes, IniEncoding encoding) {
    if (!IsUtf16(encoding))
        return bytes;
    QByteArray swapped = bytes;
    if (IsBigEndian(encoding)) {
        for (qsizetype i = 0; i + 1 < swapped.size(); i += 2)
            std::swap(swapped[i], swapped[i + 1]);
    }
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(swapped.constData()),
                              swapped.size() / 2)
        .toUtf8();
}

class HostileSettingsFile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileSettingsFile, LoadsAndASaveChangesOnlyTheLinesItWrites) {
    const HostileCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Dunmarek.ini"));
    QByteArray input = c.make();
    ASSERT_LT(input.size(), SettingsFileMaxBytes);
    WriteBytes(path, input);

    const test::FixedClock clock({15, 6, 2024});
    SaveRequest request = StandardSave();
    ScheduleSettings loaded;
    LoadSettings(path, loaded, request.format, clock);
    if (c.expectLoaded)
        c.expectLoaded(loaded);

    // The user sets the schedule and the colors and saves.
    request.settings = [&] {
        ScheduleSettings s = loaded;
        const ScheduleSettings& wanted = request.settings;
        s.LetterSet = wanted.LetterSet;
        s.NumberOfPlatoons = wanted.NumberOfPlatoons;
        s.StartDay = wanted.StartDay;
        s.PlatoonColors = wanted.PlatoonColors;
        s.BkGr = wanted.BkGr;
        s.LdTr = wanted.LdTr;
        return s;
    }();
    const IniEncoding encoding = DetectIniEncoding(input);
    if (encoding == IniEncoding::Unknown) {
        EXPECT_FALSE(request.SaveTo(path));
        EXPECT_TRUE(ReadBytes(path) == input) << "a file of unknown encoding was changed";
        return;
    }
    ASSERT_TRUE(request.SaveTo(path));
    const QByteArray output = ReadBytes(path);
    EXPECT_EQ(DetectIniEncoding(output), encoding);
    ExpectOnlyWrittenLinesChanged(AsUtf8(input, encoding), AsUtf8(output, encoding));
    input.clear();

    ScheduleSettings reloaded;
    LoadSettings(path, reloaded, request.format, clock);
    EXPECT_EQ(reloaded.NumberOfPlatoons, 3);
    EXPECT_EQ(reloaded.DaysInRotation, 24);
    EXPECT_EQ(reloaded.ShiftRotation, request.fields.rotation);
    EXPECT_EQ(reloaded.StartDay, request.settings.StartDay);
    EXPECT_EQ(reloaded.PlatoonColors[u'A'], request.settings.PlatoonColors[u'A']);
    EXPECT_EQ(reloaded.PlatoonColors[u'B'], request.settings.PlatoonColors[u'B']);
    EXPECT_EQ(reloaded.PlatoonColors[u'C'], request.settings.PlatoonColors[u'C']);
    EXPECT_EQ(reloaded.BkGr, request.settings.BkGr);
    EXPECT_EQ(reloaded.LdTr, request.settings.LdTr);
}

// CTest names each case by its printed value: ".../Huge100MB".
INSTANTIATE_TEST_SUITE_P(HostileFiles, HostileSettingsFile, ::testing::ValuesIn(Cases));

} // namespace
} // namespace kestro::reliability
