#include "ini/IniEncoding.h"

#include <cstring>

namespace kestro {

namespace {

constexpr qsizetype SampleLimit = 512;

bool IsLineEndByte(char c) {
    return c == '\r' || c == '\n';
}

// The sample DetectIniEncoding looks at: leading line ends and zero bytes, then the bytes up to
// the next line end byte.
qsizetype SampleEnd(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == '\0' || IsLineEndByte(bytes[i])))
        ++i;
    while (i < bytes.size() && !IsLineEndByte(bytes[i]))
        ++i;
    return i;
}

// Whether the sample [0, end) is UTF-16 in one byte order: `low` is the offset of the low byte
// within a unit (0 little-endian, 1 big-endian).
bool FitsUtf16(QByteArrayView bytes, qsizetype end, int low) {
    const qsizetype capped = end < SampleLimit ? end : SampleLimit;
    const qsizetype units = capped / 2;
    qsizetype latin = 0;
    qsizetype mirrored = 0;
    for (qsizetype u = 0; u < units; ++u) {
        const char lo = bytes[2 * u + low];
        const char hi = bytes[2 * u + 1 - low];
        latin += hi == '\0' && lo != '\0';
        mirrored += lo == '\0' && hi != '\0';
    }
    if (units == 0 || latin * 4 < units * 3 || mirrored * 4 > latin)
        return false;
    if (end > SampleLimit)
        return true;
    // The line end unit that closes the sample: its line end byte at an even offset with a zero
    // byte after it, or at an odd offset with the zero byte before it. The end of the file counts
    // as a line end byte: a save that adds lines puts one there, and the file must still be told
    // the same way.
    if (low == 0)
        return end % 2 == 0 && end + 1 < bytes.size() && bytes[end + 1] == '\0';
    return end % 2 == 1 && bytes[end - 1] == '\0';
}

} // namespace

IniEncoding DetectIniEncoding(QByteArrayView bytes) {
    if (bytes.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
        return IniEncoding::Unknown;
    if (bytes.startsWith(QByteArrayView("\xFF\xFE", 2)))
        return IniEncoding::Utf16Le;
    if (bytes.startsWith(QByteArrayView("\xFE\xFF", 2)))
        return IniEncoding::Utf16Be;
    if (bytes.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        return IniEncoding::Utf8Bom;
    const qsizetype end = SampleEnd(bytes);
    const qsizetype scanned = end < SampleLimit ? end : SampleLimit;
    if (scanned == 0 || !std::memchr(bytes.data(), 0, size_t(scanned)))
        return IniEncoding::Utf8OrAnsi;
    if (FitsUtf16(bytes, end, 0))
        return IniEncoding::Utf16LeNoBom;
    if (FitsUtf16(bytes, end, 1))
        return IniEncoding::Utf16BeNoBom;
    return IniEncoding::Unknown;
}

bool IsUtf16(IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf16Le:
    case IniEncoding::Utf16Be:
    case IniEncoding::Utf16LeNoBom:
    case IniEncoding::Utf16BeNoBom:
        return true;
    case IniEncoding::Utf8OrAnsi:
    case IniEncoding::Utf8Bom:
    case IniEncoding::Unknown:
        return false;
    }
    return false;
}

bool IsBigEndian(IniEncoding encoding) {
    return encoding == IniEncoding::Utf16Be || encoding == IniEncoding::Utf16BeNoBom;
}

QByteArrayView IniByteOrderMark(IniEncoding encoding) {
    switch (encoding) {
    case IniEncoding::Utf8Bom:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case IniEncoding::Utf16Le:
        return QByteArrayView("\xFF\xFE", 2);
    case IniEncoding::Utf16Be:
        return QByteArrayView("\xFE\xFF", 2);
    case IniEncoding::Utf8OrAnsi:
    case IniEncoding::Utf16LeNoBom:
    case IniEncoding::Utf16BeNoBom:
    case IniEncoding::Unknown:
        return {};
    }
    return {};
}

QByteArray EncodeIniText(const QString& text, IniEncoding encoding) {
    if (!IsUtf16(encoding))
        return text.toUtf8();
    const bool big = IsBigEndian(encoding);
    QByteArray out(2 * text.size(), Qt::Uninitialized);
    char* d = out.data();
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        *d++ = big ? high : low;
        *d++ = big ? low : high;
    }
    return out;
}

} // namespace kestro
