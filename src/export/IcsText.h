#pragma once

#include <QByteArray>
#include <QString>

namespace kestro {

// A TEXT value as a calendar file writes it: backslash, semicolon, comma and line ends escaped.
QByteArray EscapeIcsText(const QString& text);

// One content line ("NAME:value"), folded after at most 75 octets as calendar files require,
// never inside a UTF-8 sequence, and ended with CRLF.
QByteArray FoldIcsLine(const QByteArray& line);

} // namespace kestro
