#pragma once

// The settings file's lines seen as code units: the pieces IniLookup and IniDocument read them
// with; it knows the encoding, not the document. Every character the syntax cares about is ASCII,
// and in UTF-8 no byte of a multi-byte sequence is below 0x80, so finding those characters in the
// raw units finds exactly the ones that were meant; only names and values are ever decoded.

#include "ini/IniEncoding.h"
#include "ini/IniLine.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestro::ini {

// Bytes in the narrow encodings, 16-bit units in UTF-16.
struct Units {
    const uchar* data = nullptr;
    qsizetype count = 0;
    bool wide = false;
    bool big = false;

    char16_t operator[](qsizetype i) const {
        if (!wide)
            return data[i];
        const uchar a = data[2 * i];
        const uchar b = data[2 * i + 1];
        return big ? char16_t((a << 8) | b) : char16_t(a | (b << 8));
    }
    // The first unit c (ASCII) in [from, to), or `to`.
    qsizetype Find(char16_t c, qsizetype from, qsizetype to) const;
};

// The units of bytes in the document's encoding, byte order mark not included.
Units UnitsOf(QByteArrayView bytes, IniEncoding encoding);

inline bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}
inline bool IsLineEnd(char16_t c) {
    return c == u'\n' || c == u'\r';
}

// Walks the lines of [begin, end), which starts at a line start.
class LineCursor {
public:
    LineCursor(const Units& u, qsizetype begin, qsizetype end) : u_(u), pos_(begin), end_(end) {}
    bool Next(IniSourceLine& line);

private:
    const Units& u_;
    qsizetype pos_;
    qsizetype end_;
    // The next LF and CR at or after pos_, kept between lines so that a file of one kind of line
    // end is not searched to its end for the other at every line.
    qsizetype nextLf_ = -1;
    qsizetype nextCr_ = -1;
};

// The line that starts at `begin`, with its line end.
IniSourceLine LineAt(const Units& u, qsizetype begin);
// The last line of the text, if any.
std::optional<IniSourceLine> LastLine(const Units& u);
IniLineEnd FirstLineEnd(const Units& u);

enum class LineKind : std::uint8_t { Other, Comment, Section, Entry };

// Positions in units. For a section the name is inside the brackets, for an entry the key name;
// the value range holds the value's quotes, if any. All ranges are without outer blanks.
struct LineShape {
    LineKind kind = LineKind::Other;
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    qsizetype valueBegin = 0;
    qsizetype valueEnd = 0;
};
LineShape ScanLine(const Units& u, qsizetype begin, qsizetype end);

// A section header line: where the line begins, its "[", the name's range and the closing
// bracket.
struct Header {
    qsizetype lineBegin = 0;
    qsizetype open = 0;
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    qsizetype close = 0;
};
// The first line at or after `from` whose first character but blanks is "[": a header if
// CompleteHeader finds its "]". Only nameBegin is known yet.
std::optional<Header> NextHeaderCandidate(const Units& u, qsizetype from);
// Finds the candidate's "]" and name; false when the line has no "]", and then `close` is where
// the line ends.
bool CompleteHeader(const Units& u, Header& header);
// The first header line whose "[" stands at or after `from`.
std::optional<Header> NextHeader(const Units& u, qsizetype from);

// Decodes units [begin, end) into `out`, at most `limit` UTF-16 units of it; tells whether there
// was more.
bool Decode(const Units& u, qsizetype begin, qsizetype end, QString& out, qsizetype limit = -1);
void FoldInPlace(QString& name);
char16_t FoldedUnit(char16_t c);
// Whether units [begin, end) spell the folded name, letter case aside.
bool NameEquals(const Units& u, qsizetype begin, qsizetype end, const QString& folded);

} // namespace kestro::ini
