#include "settings/SettingsFileIO.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestro {
namespace {

// Follows symbolic links (also dangling ones, and chains) to the name that is really written.
QString ResolveLinks(const QString& path) {
    QString current = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < 40; ++hops) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        const QString target = info.symLinkTarget();
        if (target.isEmpty())
            return current;
        current = QFileInfo(target).absoluteFilePath();
    }
    return current;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, std::size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

FileBytes ReadFileBytes(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return {FileReadStatus::Missing, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {FileReadStatus::Unreadable, {}};
    if (file.size() > SettingsFileMaxBytes)
        return {FileReadStatus::Unreadable, {}};
    // Read straight into the buffer, with room for one byte more: a file that grows while it is
    // read is caught by the same limit.
    QByteArray bytes;
    bytes.reserve(qsizetype(file.size()) + 1);
    for (;;) {
        const qsizetype filled = bytes.size();
        const qsizetype spare = bytes.capacity() - filled;
        const qsizetype room =
            std::min(spare > 0 ? spare : qsizetype(64 * 1024), SettingsFileMaxBytes + 1 - filled);
        bytes.resize(filled + room);
        const qint64 got = file.read(bytes.data() + filled, room);
        if (got < 0)
            return {FileReadStatus::Unreadable, {}};
        bytes.resize(filled + qsizetype(got));
        if (got == 0)
            break;
        if (bytes.size() > SettingsFileMaxBytes)
            return {FileReadStatus::Unreadable, {}};
    }
    return {FileReadStatus::Read, bytes};
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty())
        return false;
    const QString target = ResolveLinks(path);
    const QFileInfo info(target);
    if (info.isDir() || !info.dir().exists())
        return false;
    const QByteArray targetName = QFile::encodeName(target);
    const QByteArray folderName = QFile::encodeName(info.absolutePath());

    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // The rename below would replace whatever is there: a device, a pipe or a socket must stay,
    // and a read-only file must refuse the save.
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return false;

    // The temporary file is named after the file it replaces, unless that name leaves no room for
    // the extra characters within the longest name a folder entry may have.
    QByteArray tempBase = QFile::encodeName(info.fileName());
    if (tempBase.size() > 200)
        tempBase = "kestro";
    QByteArray tempName = folderName + "/." + tempBase + ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && exists)
        ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
    else if (ok)
        ok = ::fchmod(fd, 0666 & ~CurrentUmask()) == 0;
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
        return false;
    }
    // Make the rename itself durable.
    const int folder = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace kestro
