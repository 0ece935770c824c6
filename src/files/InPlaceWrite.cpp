#include "files/InPlaceWrite.h"

#include "files/FileName.h"
#include "files/PieceWrite.h"
#include "files/SettingsFileIO.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace kestro {
namespace {

bool ReadAll(int fd, qsizetype size, QByteArray& bytes) {
    bytes = QByteArray(size, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes.data() + done, std::size_t(size - done), done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += got;
    }
    bytes.resize(done);
    return true;
}

// A copy of the old content beside the file, flushed to disk, for the case that the program is
// ended while the file is half written. Its name, or empty when there is no room for it.
QByteArray WriteBackup(const FolderEntry& entry, const QByteArray& old) {
    QByteArray full = entry.path + '/' + NameBeside({}, entry.name, ".backup-XXXXXX");
    const UniqueFd fd(::mkostemp(full.data(), O_CLOEXEC));
    if (!fd)
        return {};
    const QByteArray name = full.mid(entry.path.size() + 1);
    if (!WriteAllAt(fd.get(), old, 0) || ::fsync(fd.get()) != 0) {
        ::unlinkat(entry.folder, name.constData(), 0);
        return {};
    }
    return name;
}

bool Replace(int fd, const FilePieces& file) {
    return WritePieces(fd, file) && ::ftruncate(fd, off_t(PiecesSize(file))) == 0 &&
           ::fsync(fd) == 0;
}

} // namespace

SaveResult WriteInPlace(const FolderEntry& entry, const FilePieces& file) {
    const UniqueFd fd(::openat(entry.folder, entry.name.constData(),
                               O_RDWR | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.get(), &st) != 0)
        return SaveResult::Failed(SystemErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return SaveResult::Failed(FileReasons::NotARegularFile);
    if (st.st_size > SettingsFileMaxBytes)
        return SaveResult::Failed(FileReasons::TooLarge);
    QByteArray old;
    if (!ReadAll(fd.get(), qsizetype(st.st_size), old))
        return SaveResult::Failed(SystemErrorText(errno));

    const QByteArray backup = WriteBackup(entry, old);
    const auto dropBackup = [&] {
        if (!backup.isEmpty())
            ::unlinkat(entry.folder, backup.constData(), 0);
    };
    if (Replace(fd.get(), file)) {
        dropBackup();
        return SaveResult::Saved();
    }
    QString reason = SystemErrorText(errno);
    if (Replace(fd.get(), WholeBytes(old))) {
        dropBackup();
        return SaveResult::Failed(reason);
    }
    reason += QLatin1Char('\n');
    if (backup.isEmpty())
        reason += QString::fromUtf8(FileReasons::OldContentLost);
    else
        reason += QString::fromUtf8(FileReasons::OldContentKeptIn)
                      .arg(FileNameFromBytes(entry.path + '/' + backup));
    return SaveResult::Failed(reason);
}

} // namespace kestro
