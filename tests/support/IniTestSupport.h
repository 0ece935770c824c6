#pragma once

#include "ini/IniDocument.h"
#include "support/Utf16.h"

#include <QByteArray>
#include <QString>

#include <ostream>
#include <string>

// Readable failure output for Qt types: bytes outside printable ASCII as \xNN.
inline std::string Escaped(QByteArrayView bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += char(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << Escaped(bytes) << '"';
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << "u\"" << Escaped(text.toUtf8()) << '"';
}

using kestro::test::Utf16Text;

// A UTF-16 LE file: byte order mark, then the text.
inline QByteArray Utf16File(const QString& text) {
    return QByteArray("\xFF\xFE", 2) + Utf16Text(text);
}

// A UTF-16 BE file: byte order mark, then the text.
inline QByteArray Utf16BeFile(const QString& text) {
    return QByteArray("\xFE\xFF", 2) + Utf16Text(text, true);
}
