#pragma once

#include <QByteArray>
#include <QString>

namespace kestro::test {

// Text as UTF-16 in either byte order, without a byte order mark.
inline QByteArray Utf16Text(const QString& text, bool bigEndian = false) {
    QByteArray out;
    for (const QChar c : text) {
        const char low = char(c.unicode() & 0xFF);
        const char high = char(c.unicode() >> 8);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
    return out;
}

} // namespace kestro::test
