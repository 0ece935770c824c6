#include "files/SettingsFileIO.h"

#include "files/FileName.h"
#include "files/InPlaceWrite.h"
#include "files/PosixFile.h"
#include "files/ReplaceFile.h"
#include "files/SaveTarget.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestro {
namespace {

FileBytes Unreadable(const QString& error) {
    return {FileReadStatus::Unreadable, {}, error, {}};
}

// The reason a thing that is no regular file cannot serve as the settings file.
const char* NotAFileReason(mode_t mode) {
    return S_ISDIR(mode) ? FileReasons::IsAFolder : FileReasons::NotARegularFile;
}

FileStamp StampOf(const struct stat& st) {
    const auto ns = [](const timespec& t) { return qint64(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), ns(st.st_mtim),
            ns(st.st_ctim)};
}

// The old file to copy kept ranges from, when it is the one read and unchanged since.
UniqueFd OpenIfUnchanged(const FolderEntry& entry, const struct stat& old, const FileStamp& read) {
    if (StampOf(old) != read)
        return {};
    UniqueFd fd(::openat(entry.folder, entry.name.constData(),
                         O_RDONLY | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat now {};
    if (fd && (::fstat(fd.get(), &now) != 0 || StampOf(now) != read))
        return {};
    return fd;
}

SaveResult FromReplace(const ReplaceResult& result) {
    if (result.step == ReplaceStep::Done)
        return SaveResult::Saved();
    return SaveResult::Failed(SystemErrorText(result.error));
}

} // namespace

QString SystemErrorText(int error) {
    char buffer[256];
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

FileBytes ReadFileBytes(const QString& path) {
    const QByteArray name = FileNameToBytes(path);
    struct stat st {};
    // Looked at before it is opened: opening a device can have effects of its own.
    if (name.isEmpty() || ::stat(name.constData(), &st) != 0) {
        if (name.isEmpty() || errno == ENOENT || errno == ENOTDIR)
            return {};
        return Unreadable(SystemErrorText(errno));
    }
    if (!S_ISREG(st.st_mode))
        return Unreadable(QString::fromUtf8(NotAFileReason(st.st_mode)));
    const UniqueFd fd(::open(name.constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd || ::fstat(fd.get(), &st) != 0)
        return Unreadable(SystemErrorText(errno));
    if (!S_ISREG(st.st_mode))
        return Unreadable(QString::fromUtf8(NotAFileReason(st.st_mode)));
    if (st.st_size > SettingsFileMaxBytes)
        return Unreadable(QString::fromUtf8(FileReasons::TooLarge));
    // Read straight into the buffer, with room for one byte more: a file that grows while it is
    // read is caught by the same limit.
    QByteArray bytes;
    bytes.reserve(qsizetype(st.st_size) + 1);
    for (;;) {
        const qsizetype filled = bytes.size();
        const qsizetype spare = bytes.capacity() - filled;
        const qsizetype room =
            std::min(spare > 0 ? spare : qsizetype(64 * 1024), SettingsFileMaxBytes + 1 - filled);
        bytes.resize(filled + room);
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, std::size_t(room));
        if (got < 0 && errno == EINTR) {
            bytes.resize(filled);
            continue;
        }
        if (got < 0)
            return Unreadable(SystemErrorText(errno));
        bytes.resize(filled + qsizetype(got));
        if (got == 0)
            break;
        if (bytes.size() > SettingsFileMaxBytes)
            return Unreadable(QString::fromUtf8(FileReasons::TooLarge));
    }
    return {FileReadStatus::Read, bytes, {}, StampOf(st)};
}

bool ExistsAt(const QString& path) {
    struct stat st {};
    const QByteArray name = FileNameToBytes(path);
    return !name.isEmpty() && ::stat(name.constData(), &st) == 0;
}

bool IsRegularFileAt(const QString& path) {
    struct stat st {};
    const QByteArray name = FileNameToBytes(path);
    return !name.isEmpty() && ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

SaveResult WriteSettingsBytes(const QString& path, const QByteArray& bytes) {
    return WriteSettingsPieces(path, WholeBytes(bytes), {});
}

SaveResult WriteSettingsPieces(const QString& path, const FilePieces& file, const FileStamp& read) {
    if (path.isEmpty())
        return SaveResult::Failed(FileReasons::NoFileName);
    const SaveTarget target = ResolveSaveTarget(FileNameToBytes(path));
    if (target.error != 0)
        return SaveResult::Failed(SystemErrorText(target.error));
    const UniqueFd folder(::open(target.folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return SaveResult::Failed(SystemErrorText(errno));
    const FolderEntry entry{folder.get(), target.folder, target.name};

    struct stat old {};
    if (::fstatat(folder.get(), target.name.constData(), &old, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return SaveResult::Failed(SystemErrorText(errno));
        return FromReplace(ReplaceFile(entry, nullptr, file));
    }
    // A rename would replace a device, a pipe or a socket; a read-only file refuses the save.
    if (!S_ISREG(old.st_mode))
        return SaveResult::Failed(NotAFileReason(old.st_mode));
    if (::faccessat(folder.get(), target.name.constData(), W_OK, 0) != 0)
        return SaveResult::Failed(SystemErrorText(errno));
    if (old.st_nlink == 1) {
        const UniqueFd source = OpenIfUnchanged(entry, old, read);
        const ReplaceResult replaced = ReplaceFile(entry, &old, file, source.get());
        if (replaced.step != ReplaceStep::NeedsInPlace)
            return FromReplace(replaced);
    }
    return WriteInPlace(entry, file);
}

} // namespace kestro
