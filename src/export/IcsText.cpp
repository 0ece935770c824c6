#include "export/IcsText.h"

namespace kestro {

QByteArray EscapeIcsText(const QString& text) {
    QByteArray escaped;
    const QByteArray utf8 = text.toUtf8();
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\\' || c == ';' || c == ',') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\r') {
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                ++i;
            escaped += "\\n";
        } else if (c == '\n') {
            escaped += "\\n";
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QByteArray FoldIcsLine(const QByteArray& line) {
    constexpr qsizetype MaxOctets = 75;
    const auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
    QByteArray folded;
    qsizetype begin = 0;
    qsizetype room = MaxOctets;
    while (line.size() - begin > room) {
        qsizetype end = begin + room;
        while (end > begin && continuation(line[end]))
            --end;
        folded += line.mid(begin, end - begin) + "\r\n ";
        begin = end;
        room = MaxOctets - 1; // the leading blank of a continuation line counts
    }
    return folded + line.mid(begin) + "\r\n";
}

} // namespace kestro
