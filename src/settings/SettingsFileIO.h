#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestro {

enum class FileReadStatus { Read, Missing, Unreadable };

// A settings file is a few kilobytes. A larger file than this is no settings file, and reading
// it could exhaust memory (the document keeps a record per line, numbered with int): it reads
// as unreadable, so that a save refuses it too and it is never replaced.
inline constexpr qsizetype SettingsFileMaxBytes = qsizetype(128) * 1024 * 1024;

struct FileBytes {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
};

// Reads a whole file; a missing file and a path that is not a regular file are told apart from
// one that exists but cannot be read or is larger than SettingsFileMaxBytes.
FileBytes ReadFileBytes(const QString& path);

// Replaces the file at path with bytes, all or nothing: the bytes go to a temporary file in the
// same folder, which is flushed to disk and then renamed over the target. A symbolic link is
// written through to its target and stays a link; an existing file keeps its permissions. Fails,
// leaving everything as it was, for a read-only file, a missing folder, a folder at the path, or
// any write error (a full disk, a file-size limit).
bool WriteFileAtomically(const QString& path, const QByteArray& bytes);

} // namespace kestro
