#include "ini/IniDocument.h"
#include "support/IniTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Qt::StringLiterals;
using namespace kestro;

namespace {

struct ReadCase {
    const char* name;
    QByteArray file;
    QString section;
    QString key;
    std::optional<QString> expected;
    friend void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }
};

class IniRead : public testing::TestWithParam<ReadCase> {};

TEST_P(IniRead, FindsValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(ReadIniValue(ParseIni(c.file), c.section, c.key), c.expected);
}

const QString S = u"S"_s;
const QString A = u"A"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(
        ReadCase{"BlanksAroundEverything",
                 " \t[ \tShift Schedule\t ]\n  NumberOfPlatoons \t=\t 4 \n"_ba, u"Shift Schedule"_s,
                 u"NumberOfPlatoons"_s, u"4"_s},
        ReadCase{"NamesFoldCase", "[colors]\naplt=Red\n"_ba, u"COLORS"_s, u"APlt"_s, u"Red"_s},
        ReadCase{"OnlyAsciiFolds", "[\xC3\xA4]\nA=1\n"_ba, u"\u00C4"_s, A, std::nullopt},
        ReadCase{"NonAsciiNameExact", "[\xC3\xA4]\nA=1\n"_ba, u"\u00E4"_s, A, u"1"_s},
        ReadCase{"TextAfterBracketIgnored", "[S] ; x=y\nA=1\n"_ba, S, A, u"1"_s},
        ReadCase{"NameRunsToFirstBracket", "[S]x]\nA=1\n"_ba, S, A, u"1"_s},
        ReadCase{"UnclosedBracketIsNoHeader", "[S]\n[T\nA=1\n"_ba, S, A, u"1"_s},
        ReadCase{"EqualsInValue", "[S]\nA = b=c \n"_ba, S, A, u"b=c"_s},
        ReadCase{"EmptyValue", "[S]\nA=  \n"_ba, S, A, u""_s},
        ReadCase{"LineWithoutEquals", "[S]\nA\n"_ba, S, A, std::nullopt},
        ReadCase{"CommentIsNoEntry", "[S]\n ;A=1\n"_ba, S, A, std::nullopt},
        ReadCase{"CommentOnlyAtStart", "[S]\nA=1 ;x\n"_ba, S, A, u"1 ;x"_s},
        ReadCase{"EntryAboveFirstSection", "A=1\n[S]\n"_ba, S, A, std::nullopt},
        ReadCase{"NoSectionIsNotEmptyName", "A=1\n[S]\n"_ba, u""_s, A, std::nullopt},
        ReadCase{"FirstOfTwoSections", "[S]\nA=1\n[s]\nA=2\nB=3\n"_ba, S, A, u"1"_s},
        ReadCase{"SecondSectionUnread", "[S]\nA=1\n[s]\nA=2\nB=3\n"_ba, S, u"B"_s, std::nullopt},
        ReadCase{"FirstOfTwoKeys", "[S]\na=1\nA=2\n"_ba, S, A, u"1"_s},
        ReadCase{"CrOnly", "[S]\rX=0\rA=1\r"_ba, S, A, u"1"_s},
        ReadCase{"RunsOfLineEnds", "[S]\r\n\r\r\n\n\rA=1"_ba, S, A, u"1"_s},
        ReadCase{"DoubleQuotes", "[S]\nA= \"ABC\" \n"_ba, S, A, u"ABC"_s},
        ReadCase{"SingleQuotes", "[S]\nA='A B'\n"_ba, S, A, u"A B"_s},
        ReadCase{"LoneQuoteStays", "[S]\nA=\"\n"_ba, S, A, u"\""_s},
        ReadCase{"MismatchedQuotesStay", "[S]\nA=\"ABC'\n"_ba, S, A, u"\"ABC'"_s},
        ReadCase{"EmptyQuotes", "[S]\nA=\"\"\n"_ba, S, A, u""_s},
        ReadCase{"OnlyOnePairRemoved", "[S]\nA=\"'x'\"\n"_ba, S, A, u"'x'"_s},
        ReadCase{"NulInValue", QByteArray("[S]\nA=x\0y\n", 10), S, A, u"x\0y"_s},
        ReadCase{"Utf8", "[S]\nA=Gr\xC3\xBCn \xE2\x82\xAC \xF0\x9F\x98\x80\n"_ba, S, A,
                 u"Gr\u00FCn \u20AC \U0001F600"_s},
        ReadCase{"Cp1252Bytes", "[S]\nA=Gr\xFCn \x80\x81\x9F\n"_ba, S, A,
                 u"Gr\u00FCn \u20AC\u0081\u0178"_s},
        ReadCase{"MixedPerByte", "[S]\nA=\xC3\xA9\xE9\n"_ba, S, A, u"\u00E9\u00E9"_s},
        ReadCase{"OverlongIsCp1252", "[S]\nA=\xC0\xAF\n"_ba, S, A, u"\u00C0\u00AF"_s},
        ReadCase{"SurrogateIsCp1252", "[S]\nA=\xED\xA0\x80\n"_ba, S, A, u"\u00ED\u00A0\u20AC"_s},
        ReadCase{"TruncatedSequence", "[S]\nA=\xE2\x82"_ba, S, A, u"\u00E2\u201A"_s},
        ReadCase{"Utf8Bom", "\xEF\xBB\xBF[S]\nA=\xC3\xBC\n"_ba, S, A, u"\u00FC"_s},
        ReadCase{"Utf16", Utf16File(u"[S]\r\nA = \"\u00FC\U0001F600\" \r\n"_s), S, A,
                 u"\u00FC\U0001F600"_s},
        ReadCase{"Utf16LeWithoutBom", QByteArray("[\0S\0]\0\n\0A\0=\0001\0", 14), S, A, u"1"_s},
        ReadCase{"Utf16BeWithoutBom", QByteArray("\0[\0S\0]\0\n\0A\0=\0001", 14), S, A, u"1"_s},
        ReadCase{"Utf16BeBom", QByteArray("\xFE\xFF\0[\0S\0]\0\r\0\n\0A\0=\x20\xAC", 18), S, A,
                 u"\u20AC"_s},
        ReadCase{"UnknownEncodingReadsAsBytes", QByteArray("[S]\0\nA=1\n", 10), S, A, u"1"_s}),
    [](const testing::TestParamInfo<ReadCase>& p) { return std::string(p.param.name); });

TEST(IniReadTest, LongValuesAreCutTo2047Characters) {
    const QString value(3000, u'x');
    for (const QString& written : {value, u'"' + value + u'"'}) {
        const IniDocument doc = ParseIni("[S]\nA=" + written.toUtf8() + "\n");
        EXPECT_EQ(ReadIniValue(doc, S, A), value.first(2047));
    }
}

struct Write {
    QString section;
    QString key;
    QString value;
};

struct WriteCase {
    const char* name;
    QByteArray file;
    std::vector<Write> writes;
    QByteArray expected;
    friend void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }
};

class IniWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrite, ChangesOnlyWrittenLines) {
    const WriteCase& c = GetParam();
    IniDocument doc = ParseIni(c.file);
    for (const Write& w : c.writes)
        WriteIniValue(doc, w.section, w.key, w.value);
    const QByteArray out = SerializeIni(doc);
    EXPECT_EQ(out, c.expected);
    // The document reads what was written, before and after a round trip through bytes.
    const IniDocument reread = ParseIni(out);
    for (const Write& w : c.writes) {
        EXPECT_EQ(ReadIniValue(doc, w.section, w.key), w.value) << w.key.toStdString();
        EXPECT_EQ(ReadIniValue(reread, w.section, w.key), w.value) << w.key.toStdString();
    }
}

const QString Sched = u"Shift Schedule"_s;
const QString Colors = u"Colors"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        WriteCase{
            "SaveIntoFullCrLfFile",
            "; Dunmarek settings\r\n\r\n[Config]\r\nEpoch=1975\r\nShowYear=1\r\n\r\n"
            "[Shift Schedule]\r\nnumberofplatoons = 3 \r\nDaysInRotation=24\r\n"
            "ShiftRotation=\"ACABABABCBCACACABABCBCBC\"\r\n\r\n[Fonts]\r\nHdrFontName=Arial\r\n"
            "HdrFontStyle=BOLD\r\n\r\n[Colors]\r\nAPlt=Red\r\nAInv = White\r\nGridColor=Gray\r\n"
            "; more platoons\r\n\r\n"_ba,
            {{Sched, u"NumberOfPlatoons"_s, u"4"_s},
             {Sched, u"DaysInRotation"_s, u"8"_s},
             {Sched, u"ShiftRotation"_s, u"ABCDABCD"_s},
             {Sched, u"StartDate"_s, u"1/2/2024"_s},
             {Colors, u"APlt"_s, u"Maroon"_s},
             {Colors, u"AInv"_s, u"White"_s},
             {Colors, u"BPlt"_s, u"Blue"_s},
             {Colors, u"BInv"_s, u"White"_s}},
            "; Dunmarek settings\r\n\r\n[Config]\r\nEpoch=1975\r\nShowYear=1\r\n\r\n"
            "[Shift Schedule]\r\nnumberofplatoons = 4 \r\nDaysInRotation=8\r\n"
            "ShiftRotation=ABCDABCD\r\nStartDate=1/2/2024\r\n\r\n[Fonts]\r\nHdrFontName=Arial\r\n"
            "HdrFontStyle=BOLD\r\n\r\n[Colors]\r\nAPlt=Maroon\r\nAInv = White\r\nGridColor=Gray\r\n"
            "BPlt=Blue\r\nBInv=White\r\n; more platoons\r\n\r\n"_ba},
        WriteCase{"NoFinalNewline",
                  "[Shift Schedule]\nA=1\n[Colors]\nBPlt=Blue"_ba,
                  {{Colors, u"APlt"_s, u"Red"_s}},
                  "[Shift Schedule]\nA=1\n[Colors]\nBPlt=Blue\nAPlt=Red\n"_ba},
        WriteCase{"NoFinalNewlineKept",
                  "[Colors]\nAPlt=Blue"_ba,
                  {{Colors, u"APlt"_s, u"Red"_s}},
                  "[Colors]\nAPlt=Red"_ba},
        WriteCase{"NewKeyBeforeFollowingLines",
                  "[Colors]\nAPlt=Red\njunk\n;c=1\n\n[X]\n"_ba,
                  {{Colors, u"BPlt"_s, u"Blue"_s}},
                  "[Colors]\nAPlt=Red\nBPlt=Blue\njunk\n;c=1\n\n[X]\n"_ba},
        WriteCase{"SectionWithoutKeys",
                  "[Colors]\n\n; none yet\n[X]\nA=1\n"_ba,
                  {{Colors, u"APlt"_s, u"Red"_s}, {Colors, u"AInv"_s, u"White"_s}},
                  "[Colors]\nAPlt=Red\nAInv=White\n\n; none yet\n[X]\nA=1\n"_ba},
        WriteCase{"FirstOfTwoSections",
                  "[Colors]\nAPlt=1\n[colors]\nAPlt=2\nBPlt=3\n"_ba,
                  {{Colors, u"APlt"_s, u"Red"_s}, {Colors, u"BPlt"_s, u"Blue"_s}},
                  "[Colors]\nAPlt=Red\nBPlt=Blue\n[colors]\nAPlt=2\nBPlt=3\n"_ba},
        WriteCase{"FirstOfTwoKeys", "[S]\nA=1\na=2\n"_ba, {{S, A, u"3"_s}}, "[S]\nA=3\na=2\n"_ba},
        WriteCase{"NewKeyAfterRepeatedKey",
                  "[S]\nA=1\na=2\n;\n"_ba,
                  {{S, u"B"_s, u"3"_s}},
                  "[S]\nA=1\na=2\nB=3\n;\n"_ba},
        WriteCase{"KeepsSpelling",
                  "[shift schedule]\n\tnumberofplatoons = 3 \n"_ba,
                  {{Sched, u"NumberOfPlatoons"_s, u"4"_s}},
                  "[shift schedule]\n\tnumberofplatoons = 4 \n"_ba},
        WriteCase{"QuotesReplaced", "[S]\nA = 'x y'\t\n"_ba, {{S, A, u"z"_s}}, "[S]\nA = z\t\n"_ba},
        WriteCase{"EmptyValueFilled",
                  "[S]\nA =  \nB=\n"_ba,
                  {{S, A, u"1"_s}, {S, u"B"_s, u"2"_s}},
                  "[S]\nA =  1\nB=2\n"_ba},
        WriteCase{"EqualsInValues", "[S]\nA=b=c\n"_ba, {{S, A, u"d=e"_s}}, "[S]\nA=d=e\n"_ba},
        WriteCase{"ValueCanBeCleared", "[S]\nA=1\n"_ba, {{S, A, u""_s}}, "[S]\nA=\n"_ba},
        WriteCase{"CrOnly",
                  "[S]\rA=1\r\r[T]\r"_ba,
                  {{S, A, u"2"_s}, {S, u"B"_s, u"3"_s}},
                  "[S]\rA=2\rB=3\r\r[T]\r"_ba},
        WriteCase{"LineEndOfFirstLine",
                  "[S]\r\nA=1\n[T]\r"_ba,
                  {{u"T"_s, A, u"2"_s}},
                  "[S]\r\nA=1\n[T]\rA=2\r\n"_ba},
        WriteCase{"MissingSectionAtEnd",
                  "[S]\r\nA=1"_ba,
                  {{Colors, u"APlt"_s, u"Red"_s}, {Colors, u"AInv"_s, u"White"_s}},
                  "[S]\r\nA=1\r\n[Colors]\r\nAPlt=Red\r\nAInv=White\r\n"_ba},
        WriteCase{"NewKeysKeepOrderAcrossSections",
                  "\n[S]\nX=1\n\n"_ba,
                  {{S, u"C"_s, u"1"_s}, {u"T"_s, u"B"_s, u"2"_s}, {S, u"A"_s, u"3"_s}},
                  "\n[S]\nX=1\nC=1\nA=3\n\n[T]\nB=2\n"_ba},
        WriteCase{"EntriesAboveFirstSection", "A=1\n"_ba, {{S, A, u"2"_s}}, "A=1\n[S]\nA=2\n"_ba},
        WriteCase{"CommentEntryIgnored", "[S]\n;A=1\n"_ba, {{S, A, u"2"_s}}, "[S]\nA=2\n;A=1\n"_ba},
        WriteCase{"EmptyDocument",
                  ""_ba,
                  {{Sched, u"NumberOfPlatoons"_s, u"3"_s}},
                  "[Shift Schedule]\nNumberOfPlatoons=3\n"_ba},
        WriteCase{"Cp1252CommentUntouched",
                  "; Gr\xFC\xDF\x80\n[S]\nA=1\n"_ba,
                  {{S, A, u"Gr\u00FCn"_s}},
                  "; Gr\xFC\xDF\x80\n[S]\nA=Gr\xC3\xBCn\n"_ba},
        WriteCase{"Cp1252AroundValueUntouched",
                  "[S]\nA\xE9=\xE9 \n"_ba,
                  {{S, u"A\u00E9"_s, u"2"_s}},
                  "[S]\nA\xE9=2 \n"_ba},
        WriteCase{"NulLinesUntouched",
                  QByteArray("[S]\n\0x\0\nA=1\n\0", 13),
                  {{S, A, u"2"_s}},
                  QByteArray("[S]\n\0x\0\nA=2\n\0", 13)},
        WriteCase{"Utf8BomKept",
                  "\xEF\xBB\xBF[S]\nA=1\n"_ba,
                  {{S, A, u"\u00FC"_s}},
                  "\xEF\xBB\xBF[S]\nA=\xC3\xBC\n"_ba},
        WriteCase{"Utf16",
                  Utf16File(u"; \u00FC\r\n[S]\r\nA = \"1\" \r\n"_s),
                  {{S, A, u"\u20AC"_s}, {S, u"B"_s, u"x"_s}, {u"T"_s, A, u"y"_s}},
                  Utf16File(u"; \u00FC\r\n[S]\r\nA = \u20AC \r\nB=x\r\n[T]\r\nA=y\r\n"_s)},
        WriteCase{"Utf16OddLastByteStaysLast",
                  Utf16File(u"[S]\nA=1"_s) + 'Z',
                  {{S, A, u"3"_s}, {S, u"B"_s, u"2"_s}},
                  Utf16File(u"[S]\nA=3\nB=2\n"_s) + 'Z'},
        WriteCase{"Utf16BomOnly", Utf16File({}), {{S, A, u"1"_s}}, Utf16File(u"[S]\nA=1\n"_s)},
        WriteCase{"Utf16BeBom",
                  Utf16BeFile(u"; \u00FC\r\n[S]\r\nA = \"1\" \r\n"_s),
                  {{S, A, u"\u20AC"_s}, {S, u"B"_s, u"x"_s}, {u"T"_s, A, u"y"_s}},
                  Utf16BeFile(u"; \u00FC\r\n[S]\r\nA = \u20AC \r\nB=x\r\n[T]\r\nA=y\r\n"_s)},
        WriteCase{"Utf16LeWithoutBom",
                  Utf16Text(u"[S]\r\nA=1"_s),
                  {{S, A, u"\u00E9"_s}, {u"T"_s, A, u"2"_s}},
                  Utf16Text(u"[S]\r\nA=\u00E9\r\n[T]\r\nA=2\r\n"_s)},
        WriteCase{"Utf16BeWithoutBomOddLastByte",
                  Utf16Text(u"\n[S]\nA=1\n"_s, true) + 'Z',
                  {{S, u"B"_s, u"2"_s}},
                  Utf16Text(u"\n[S]\nA=1\nB=2\n"_s, true) + 'Z'}),
    [](const testing::TestParamInfo<WriteCase>& p) { return std::string(p.param.name); });

struct EncodingCase {
    const char* name;
    QByteArray file;
    IniEncoding expected;
    friend void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }
};

class IniEncodingDetection : public testing::TestWithParam<EncodingCase> {};

TEST_P(IniEncodingDetection, TellsTheEncodingFromTheFirstLine) {
    EXPECT_EQ(int(ParseIni(GetParam().file).encoding), int(GetParam().expected));
}

const QString FirstLines = u"[Shift Schedule]\r\nNumberOfPlatoons=3\r\n"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, IniEncodingDetection,
    testing::Values(
        EncodingCase{"Empty", ""_ba, IniEncoding::Utf8OrAnsi},
        EncodingCase{"Ascii", FirstLines.toUtf8(), IniEncoding::Utf8OrAnsi},
        EncodingCase{"Windows1252", "; Gr\xFC\xDF\r\n[S]\r\n"_ba, IniEncoding::Utf8OrAnsi},
        EncodingCase{"NulAfterTheFirstLine", QByteArray("[S]\nA=\0\n", 8), IniEncoding::Utf8OrAnsi},
        EncodingCase{"Utf8Bom", "\xEF\xBB\xBF[S]\n"_ba, IniEncoding::Utf8Bom},
        EncodingCase{"Utf16LeBom", Utf16File(FirstLines), IniEncoding::Utf16Le},
        EncodingCase{"Utf16BeBom", Utf16BeFile(FirstLines), IniEncoding::Utf16Be},
        EncodingCase{"Utf16Le", Utf16Text(FirstLines), IniEncoding::Utf16LeNoBom},
        EncodingCase{"Utf16Be", Utf16Text(FirstLines, true), IniEncoding::Utf16BeNoBom},
        EncodingCase{"Utf16LeAfterEmptyLines", Utf16Text(u"\r\n\n"_s + FirstLines),
                     IniEncoding::Utf16LeNoBom},
        EncodingCase{"Utf16LeLatin1Comment", Utf16Text(u"; f\u00FCr Schicht 3\n[S]\n"_s),
                     IniEncoding::Utf16LeNoBom},
        EncodingCase{"Utf16BeLongFirstLine", Utf16Text(u';' + QString(300, u'x') + u"\n"_s, true),
                     IniEncoding::Utf16BeNoBom},
        // The end of the file stands for the line end a save adds there.
        EncodingCase{"Utf16BeOneLineAndAnOddByte", QByteArray("\0)\0", 3),
                     IniEncoding::Utf16BeNoBom},
        // Cannot be told: such a file is read as bytes and never written to.
        EncodingCase{"NulInTheFirstLine", QByteArray("[S]\0\nA=1\n", 10), IniEncoding::Unknown},
        EncodingCase{"OnlyNulBytes", QByteArray(8, '\0'), IniEncoding::Unknown},
        EncodingCase{"Utf32LeBom", QByteArray("\xFF\xFE\0\0[\0\0\0", 8), IniEncoding::Unknown},
        EncodingCase{"Utf32Be", QByteArray("\0\0\0[\0\0\0]\0\0\0\n", 12), IniEncoding::Unknown},
        EncodingCase{"Utf16OneLineWithoutEnd", Utf16Text(u"[S]"_s), IniEncoding::Unknown},
        EncodingCase{"Utf16MostlyChineseFirstLine", Utf16Text(u"; \u4E00\u73ED\u6B21\n[S]\n"_s),
                     IniEncoding::Unknown}),
    [](const testing::TestParamInfo<EncodingCase>& p) { return std::string(p.param.name); });

// A save writes the unchanged ranges from the bytes as read: only changed and added lines are new.
TEST(IniPiecesTest, OnlyWrittenLinesAreNewBytes) {
    const QString filler = u"; "_s + QString(1000, u'f') + u"\r\n"_s;
    const QString text = u"[S]\r\nA=1\r\n"_s + filler + u"[T]\r\nB=2\r\n"_s + filler;
    const QByteArray files[] = {text.toUtf8(), "\xEF\xBB\xBF"_ba + text.toUtf8(), Utf16File(text),
                                Utf16BeFile(text) + 'x'};
    for (const QByteArray& file : files) {
        IniDocument doc = ParseIni(file);
        WriteIniValue(doc, S, A, u"22"_s);          // changed in place
        WriteIniValue(doc, u"T"_s, u"C"_s, u"3"_s); // added after B
        WriteIniValue(doc, u"U"_s, A, u"4"_s);      // a section added at the end
        const FilePieces pieces = SerializeIniPieces(doc);
        qsizetype fresh = 0;
        for (const FilePiece& piece : pieces.pieces)
            fresh += piece.from < 0 ? piece.size : 0;
        EXPECT_EQ(JoinPieces(pieces), SerializeIni(doc));
        EXPECT_EQ(pieces.old.constData(), file.constData()) << "the bytes as read are shared";
        const int width = IsUtf16(doc.encoding) ? 2 : 1;
        // "A=22", "C=3" and "[U]", "A=4", with three line ends of the file's kind.
        EXPECT_EQ(fresh, (4 + 3 + 3 + 3 + 3 * 2) * width) << Escaped(file.left(8));
    }
}

TEST(IniRoundTripTest, UnwrittenFilesComeBackByteForByte) {
    const QByteArray files[] = {
        ""_ba,
        "\r\n\n\r"_ba,
        QByteArray("\0\xFF\xFE[S]\r\r\n\xE9=\x80\n\0", 14),
        "\xEF\xBB\xBF"_ba,
        Utf16File(u"[S]\r\nA=1\r\n"_s) + 'x',
        "[S]\nA=" + QByteArray(10 << 20, 'v') + "\nB=1",
    };
    for (const QByteArray& file : files)
        EXPECT_EQ(SerializeIni(ParseIni(file)), file);
}

} // namespace
