#pragma once

#include <QByteArray>
#include <QString>

namespace kestro {

// The longest object name chmlib looks up.
inline constexpr int MaxChmPathBytes = 512;

enum class ChmAnswer : unsigned char {
    Found = 0,
    NoObject = 1,
    TooLarge = 2,
    NotOpened = 3, // chmlib does not take the file
    NotRead = 4,   // the object could not be read, the reader crashed or took too long
};

struct ChmReadResult {
    ChmAnswer answer = ChmAnswer::NotRead;
    QByteArray data; // the object, when answer is Found
};

// Reads one object of a compiled help file with chmlib, in a child process that is stopped after
// HelpReadTimeoutMs: chmlib can crash or loop on a damaged file, and then only the child is lost.
// An empty object name only checks that chmlib opens the file.
ChmReadResult ReadChmObject(const QString& fileName, const QByteArray& objectName);

} // namespace kestro
