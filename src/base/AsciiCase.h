#pragma once

#include <QChar>
#include <QString>

namespace kestro {

// The program upper-cases only the letters a to z; every other character stays as it is.
inline QChar AsciiUpper(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - (u'a' - u'A'))) : c;
}

inline QString AsciiUpper(QString text) {
    for (QChar& c : text)
        c = AsciiUpper(c);
    return text;
}

} // namespace kestro
