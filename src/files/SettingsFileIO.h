#pragma once

#include "base/FilePieces.h"
#include "files/SaveResult.h"

#include <QByteArray>
#include <QString>

namespace kestro {

enum class FileReadStatus { Read, Missing, Unreadable };

// A settings file is a few kilobytes. A larger file than this is no settings file, and reading
// it could exhaust memory (the document keeps a record per line, numbered with int): it reads
// as unreadable, so that a save refuses it too and it is never replaced.
inline constexpr qsizetype SettingsFileMaxBytes = qsizetype(128) * 1024 * 1024;

// Which file was read, and its state then: a file with the same stamp still holds those bytes.
struct FileStamp {
    qint64 device = -1;
    qint64 inode = -1;
    qint64 size = -1;
    qint64 modified = -1; // nanoseconds
    qint64 changed = -1;  // nanoseconds, status change

    bool operator==(const FileStamp&) const = default;
};

struct FileBytes {
    FileReadStatus status = FileReadStatus::Missing;
    QByteArray bytes;
    QString error; // why an unreadable file could not be read
    FileStamp stamp;
};

// Reads a whole file, following links. Nothing at the path (a dangling link included) is missing;
// a folder, a device or pipe, a file larger than SettingsFileMaxBytes and one the system will not
// read are unreadable, with the reason. Names are converted with FileNameToBytes.
FileBytes ReadFileBytes(const QString& path);

// Whether the path leads to anything, following links; a dangling link leads to nothing.
bool ExistsAt(const QString& path);
// Whether the path leads to a regular file, following links.
bool IsRegularFileAt(const QString& path);

// Saves bytes as the file at path, the one the kernel reaches from it (a link is written through
// to its target and stays a link; a dangling link's target is created; a missing file is created
// when its folder exists). A file with one link is replaced whole by renaming a new file over it,
// which first takes the old one's owner, group, mode and extended attributes (ACLs among them);
// where any of these cannot be carried over, the file has more links, or the folder allows no
// new file or no rename, the file is updated in place. Either way the file is whole and flushed
// to disk when this returns, and nothing is left beside it. A read-only file, a folder, a device
// or pipe at the path and every write error fail with the reason; the file is then as it was.
SaveResult WriteSettingsBytes(const QString& path, const QByteArray& bytes);
// The same for content made of pieces of the file as read (`read`, its stamp, says which file and
// when). When the file at the path is still that one, unchanged, the kernel copies the kept
// ranges from it into the new file; else, and in an update in place, they come from
// FilePieces::old.
SaveResult WriteSettingsPieces(const QString& path, const FilePieces& file, const FileStamp& read);

} // namespace kestro
