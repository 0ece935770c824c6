#include "ini/IniText.h"

#include <cstring>

namespace kestro::ini {

namespace {

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

} // namespace

char16_t FoldedUnit(char16_t c) {
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

qsizetype Units::Find(char16_t c, qsizetype from, qsizetype to) const {
    if (from >= to)
        return to;
    if (!wide) {
        // Most lines are short, and a call of memchr costs more than looking at a few bytes.
        const qsizetype near = to - from < 16 ? to : from + 16;
        for (qsizetype i = from; i < near; ++i) {
            if (data[i] == c)
                return i;
        }
        if (near == to)
            return to;
        const void* hit = std::memchr(data + near, c, size_t(to - near));
        return hit ? static_cast<const uchar*>(hit) - data : to;
    }
    // The byte c, where it is the low byte of a unit whose high byte is zero.
    const qsizetype lowOffset = big ? 1 : 0;
    qsizetype byte = 2 * from;
    const qsizetype stop = 2 * to;
    while (byte < stop) {
        const void* hit = std::memchr(data + byte, c, size_t(stop - byte));
        if (!hit)
            return to;
        byte = static_cast<const uchar*>(hit) - data;
        if (byte % 2 == lowOffset && data[byte ^ 1] == 0)
            return byte / 2;
        ++byte;
    }
    return to;
}

Units UnitsOf(QByteArrayView bytes, IniEncoding encoding) {
    const bool wide = IsUtf16(encoding);
    return {reinterpret_cast<const uchar*>(bytes.data()), wide ? bytes.size() / 2 : bytes.size(),
            wide, IsBigEndian(encoding)};
}

bool LineCursor::Next(IniSourceLine& line) {
    if (pos_ >= end_)
        return false;
    qsizetype stop = pos_;
    // A short line ends within a few units; only a longer one is worth the searches below.
    const qsizetype near = u_.count - pos_ < 32 ? u_.count : pos_ + 32;
    while (stop < near && !IsLineEnd(u_[stop]))
        ++stop;
    if (stop == near && near < u_.count) {
        if (nextLf_ < stop)
            nextLf_ = u_.Find(u'\n', stop, u_.count);
        // A CR only counts before the next LF, so the search for it goes no further: in a file
        // of LF line ends it never runs ahead to the end of the file.
        if (nextCr_ < stop)
            nextCr_ = u_.Find(u'\r', stop, nextLf_);
        stop = nextLf_ < nextCr_ ? nextLf_ : nextCr_;
    }
    line.begin = pos_;
    line.size = stop - pos_;
    if (stop == u_.count)
        line.endSize = 0;
    else if (u_[stop] == u'\r' && stop + 1 < u_.count && u_[stop + 1] == u'\n')
        line.endSize = 2;
    else
        line.endSize = 1;
    pos_ = stop + line.endSize;
    return true;
}

IniSourceLine LineAt(const Units& u, qsizetype begin) {
    LineCursor cursor(u, begin, u.count);
    IniSourceLine line;
    cursor.Next(line);
    return line;
}

std::optional<IniSourceLine> LastLine(const Units& u) {
    if (u.count == 0)
        return std::nullopt;
    IniSourceLine line;
    qsizetype stop = u.count;
    if (u[stop - 1] == u'\n' && stop >= 2 && u[stop - 2] == u'\r')
        line.endSize = 2;
    else if (IsLineEnd(u[stop - 1]))
        line.endSize = 1;
    stop -= line.endSize;
    qsizetype begin = stop;
    while (begin > 0 && !IsLineEnd(u[begin - 1]))
        --begin;
    line.begin = begin;
    line.size = stop - begin;
    return line;
}

IniLineEnd FirstLineEnd(const Units& u) {
    const IniSourceLine first = LineAt(u, 0);
    const qsizetype stop = first.size;
    if (first.endSize == 0)
        return IniLineEnd::Lf; // no line end, or no line at all
    if (first.endSize == 2)
        return IniLineEnd::CrLf;
    return u[stop] == u'\n' ? IniLineEnd::Lf : IniLineEnd::Cr;
}

LineShape ScanLine(const Units& u, qsizetype begin, qsizetype end) {
    LineShape shape;
    qsizetype i = begin;
    while (i < end && IsBlank(u[i]))
        ++i;
    if (i == end)
        return shape;
    if (u[i] == u';') {
        shape.kind = LineKind::Comment;
        return shape;
    }
    if (u[i] == u'[') {
        const qsizetype close = u.Find(u']', i + 1, end);
        if (close < end) {
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
    const qsizetype equals = u.Find(u'=', i, end);
    if (equals == end)
        return shape;
    shape.kind = LineKind::Entry;
    shape.nameBegin = i;
    shape.nameEnd = equals;
    while (shape.nameEnd > i && IsBlank(u[shape.nameEnd - 1]))
        --shape.nameEnd;
    shape.valueBegin = equals + 1;
    while (shape.valueBegin < end && IsBlank(u[shape.valueBegin]))
        ++shape.valueBegin;
    shape.valueEnd = end;
    while (shape.valueEnd > shape.valueBegin && IsBlank(u[shape.valueEnd - 1]))
        --shape.valueEnd;
    return shape;
}

std::optional<Header> NextHeaderCandidate(const Units& u, qsizetype from) {
    for (qsizetype i = from;; ++i) {
        i = u.Find(u'[', i, u.count);
        if (i == u.count)
            return std::nullopt;
        qsizetype lineBegin = i;
        while (lineBegin > 0 && IsBlank(u[lineBegin - 1]))
            --lineBegin;
        if (lineBegin > 0 && !IsLineEnd(u[lineBegin - 1])) {
            // A "[" inside a line: none after it on this line starts one either.
            while (i + 1 < u.count && !IsLineEnd(u[i + 1]))
                ++i;
            continue;
        }
        Header header{lineBegin, i, i + 1, i + 1, i + 1};
        while (header.nameBegin < u.count && IsBlank(u[header.nameBegin]))
            ++header.nameBegin;
        return header;
    }
}

bool CompleteHeader(const Units& u, Header& header) {
    qsizetype close = header.nameBegin;
    while (close < u.count && u[close] != u']' && !IsLineEnd(u[close]))
        ++close;
    header.close = close;
    if (close == u.count || u[close] != u']')
        return false;
    header.nameEnd = close;
    while (header.nameEnd > header.nameBegin && IsBlank(u[header.nameEnd - 1]))
        --header.nameEnd;
    return true;
}

std::optional<Header> NextHeader(const Units& u, qsizetype from) {
    for (auto header = NextHeaderCandidate(u, from); header;
         header = NextHeaderCandidate(u, header->close)) {
        // Past a line without "]": no other "[" of it starts a header.
        if (CompleteHeader(u, *header))
            return header;
    }
    return std::nullopt;
}

bool Decode(const Units& u, qsizetype begin, qsizetype end, QString& out, qsizetype limit) {
    // Never more UTF-16 units than code units; one more than the limit tells whether it was cut.
    qsizetype room = end - begin;
    if (limit >= 0 && room > limit + 1)
        room = limit + 1;
    out.resize(room);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    qsizetype written = 0;
    qsizetype i = begin;
    if (u.wide) {
        for (; i < end && written < room; ++i)
            d[written++] = u[i];
    } else {
        const uchar* p = u.data;
        while (i < end && written < room) {
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
                if (written < room)
                    d[written++] = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
                else
                    ++written; // only counted: it is past the limit
            } else {
                d[written++] = char16_t(cp);
            }
            i += length;
        }
    }
    const bool cut = limit >= 0 && (written > limit || i < end);
    out.truncate(limit >= 0 && written > limit ? limit : written);
    return cut;
}

void FoldInPlace(QString& name) {
    for (QChar& c : name)
        c = QChar(FoldedUnit(c.unicode()));
}

bool NameEquals(const Units& u, qsizetype begin, qsizetype end, const QString& folded) {
    const qsizetype n = folded.size();
    const char16_t* f = reinterpret_cast<const char16_t*>(folded.constData());
    if (u.wide || n == 0) {
        if (end - begin != n)
            return false;
        for (qsizetype k = 0; k < n; ++k) {
            if (FoldedUnit(u[begin + k]) != f[k])
                return false;
        }
        return true;
    }
    // Narrow: a byte below 0x80 is its own character and any other is part of one that is not
    // ASCII, so ASCII names compare byte by byte and only other names need decoding.
    bool ascii = true;
    for (qsizetype k = 0; k < n && ascii; ++k)
        ascii = f[k] < 0x80;
    if (ascii) {
        if (end - begin != n)
            return false;
        for (qsizetype k = 0; k < n; ++k) {
            if (FoldedUnit(u.data[begin + k]) != f[k])
                return false;
        }
        return true;
    }
    QString name;
    Decode(u, begin, end, name);
    FoldInPlace(name);
    return name == folded;
}

} // namespace kestro::ini
