#pragma once

#include <QByteArray>
#include <QString>

namespace kestro::test {

// Writes a whole file, and the folders it lies in when they are missing; throws
// std::runtime_error when it cannot, which fails the running test in GoogleTest and in Qt Test
// alike.
void WriteBytes(const QString& path, const QByteArray& bytes);

// The whole file, or "<unreadable>" when it cannot be read, so that no expected content matches.
QByteArray ReadBytes(const QString& path);

} // namespace kestro::test
