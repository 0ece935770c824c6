#pragma once

#include <QByteArray>
#include <QString>

namespace kestro {

// File names are bytes, and not every name is valid UTF-8. They travel through the program as
// text in which each byte that is not part of valid UTF-8 stands as the character U+DC00 + byte
// (a lone low surrogate, which valid UTF-8 never yields), so that a name converts back to exactly
// the bytes it came from. Qt's own conversions put U+FFFD there, and the name is lost.
QString FileNameFromBytes(const QByteArray& bytes);
QByteArray FileNameToBytes(const QString& name);

} // namespace kestro
