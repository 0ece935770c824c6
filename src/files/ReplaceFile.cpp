#include "files/ReplaceFile.h"

#include "files/PieceWrite.h"

#include <QList>

#include <cerrno>
#include <csignal>

#include <dirent.h>
#include <fcntl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace kestro {
namespace {

struct NewFile {
    UniqueFd fd;
    QByteArray name; // empty while it has none
    int error = 0;
};

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// The new file, unnamed where the file system allows; a named one is made like any new file.
NewFile MakeNewFile(const FolderEntry& entry) {
    UniqueFd unnamed(::openat(entry.folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (unnamed)
        return {std::move(unnamed), {}, 0};
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return {{}, {}, errno};
    QByteArray name = NameBeside(".", entry.name, ".XXXXXX");
    QByteArray full = entry.path + '/' + name;
    UniqueFd named(::mkostemp(full.data(), O_CLOEXEC));
    if (!named)
        return {{}, {}, errno};
    name = full.mid(full.size() - name.size());
    if (::fchmod(named.get(), 0666 & ~CurrentUmask()) != 0) {
        const int error = errno;
        ::unlinkat(entry.folder, name.constData(), 0);
        return {{}, {}, error};
    }
    return {std::move(named), name, 0};
}

// The names of a list as llistxattr and flistxattr give it.
QList<QByteArray> SplitNames(const QByteArray& list) {
    QList<QByteArray> names;
    for (const QByteArray& name : list.split('\0')) {
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

// The extended attributes' names of the file at path (fd < 0) or of fd; a file system without
// them has none.
bool ListAttributes(const QByteArray& path, int fd, QList<QByteArray>& names) {
    for (;;) {
        const ssize_t size =
            fd < 0 ? ::llistxattr(path.constData(), nullptr, 0) : ::flistxattr(fd, nullptr, 0);
        if (size < 0 && errno == ENOTSUP)
            return true;
        if (size < 0)
            return false;
        QByteArray list(size, '\0');
        const ssize_t got = fd < 0 ? ::llistxattr(path.constData(), list.data(), list.size())
                                   : ::flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE)
            continue; // grew meanwhile
        if (got < 0)
            return false;
        list.resize(got);
        names = SplitNames(list);
        return true;
    }
}

// Gives fd exactly the extended attributes of the file at oldPath (ACLs are among them).
bool CopyAttributes(const QByteArray& oldPath, int fd) {
    QList<QByteArray> names;
    if (!ListAttributes(oldPath, -1, names))
        return false;
    for (const QByteArray& name : names) {
        const ssize_t size = ::lgetxattr(oldPath.constData(), name.constData(), nullptr, 0);
        if (size < 0 && errno == ENODATA)
            continue;
        if (size < 0)
            return false;
        QByteArray value(size, '\0');
        const ssize_t got =
            ::lgetxattr(oldPath.constData(), name.constData(), value.data(), value.size());
        if (got < 0)
            return false;
        if (::fsetxattr(fd, name.constData(), value.constData(), std::size_t(got), 0) != 0)
            return false;
    }
    // Whatever the new file took from its folder (a default ACL) and the old one lacks, goes.
    QList<QByteArray> inherited;
    if (!ListAttributes({}, fd, inherited))
        return false;
    for (const QByteArray& name : inherited) {
        if (!names.contains(name) && ::fremovexattr(fd, name.constData()) != 0)
            return false;
    }
    return true;
}

// Gives the new file the old one's owner, group, attributes and mode; errno when it cannot.
int CarryOver(int fd, const QByteArray& oldPath, const struct stat& old) {
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return errno;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return errno;
    if (!CopyAttributes(oldPath, fd))
        return errno;
    // Last: a change of owner clears the set-user-ID and set-group-ID bits.
    if (::fchmod(fd, old.st_mode & 07777) != 0 || ::fstat(fd, &now) != 0)
        return errno;
    // The system may drop a bit silently (set-group-ID for a group we are not in).
    if (now.st_uid != old.st_uid || now.st_gid != old.st_gid ||
        (now.st_mode & 07777) != (old.st_mode & 07777))
        return EPERM;
    return 0;
}

// The name an unnamed file takes for the moment between getting a name and the rename: it holds
// the process ID, so that a name left by a process killed in that moment can be told from the
// file of a save running now.
QByteArray MomentaryName(const QByteArray& name, pid_t pid) {
    return NameBeside(".", name, ".kestro-" + QByteArray::number(pid));
}

// Removes the momentary names that processes which no longer run left beside the entry.
void RemoveLeftNames(const FolderEntry& entry) {
    const QByteArray prefix = MomentaryName(entry.name, 0).chopped(1);
    const int fd = ::openat(entry.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* folder = fd < 0 ? nullptr : ::fdopendir(fd);
    if (folder == nullptr) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    while (const dirent* item = ::readdir(folder)) {
        const QByteArray name(item->d_name);
        bool number = false;
        const pid_t pid = name.startsWith(prefix) ? name.mid(prefix.size()).toInt(&number) : 0;
        if (number && pid > 0 && pid != ::getpid() && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(entry.folder, item->d_name, 0);
    }
    ::closedir(folder);
}

int LinkUnnamed(int fd, const FolderEntry& entry, const QByteArray& name) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    if (::linkat(AT_FDCWD, self.constData(), entry.folder, name.constData(), AT_SYMLINK_FOLLOW) ==
        0)
        return 0;
    // Without /proc; this needs a privilege.
    if (errno == ENOENT && ::linkat(fd, "", entry.folder, name.constData(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno;
}

// Gives the new file the entry's name; errno when it cannot.
int Publish(NewFile& file, const FolderEntry& entry, bool replace) {
    if (file.name.isEmpty()) {
        if (!replace) {
            const int error = LinkUnnamed(file.fd.get(), entry, entry.name);
            if (error != EEXIST)
                return error;
        }
        RemoveLeftNames(entry);
        file.name = MomentaryName(entry.name, ::getpid());
        ::unlinkat(entry.folder, file.name.constData(), 0); // left by a process of the same ID
        if (const int error = LinkUnnamed(file.fd.get(), entry, file.name)) {
            file.name.clear();
            return error;
        }
    }
    if (::renameat(entry.folder, file.name.constData(), entry.folder, entry.name.constData()) != 0)
        return errno;
    file.name.clear();
    return 0;
}

void SyncFolder(const FolderEntry& entry) {
    const UniqueFd folder(::openat(entry.folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        ::fsync(folder.get());
}

bool DeniedByFolder(int error) {
    return error == EACCES || error == EPERM || error == EBUSY || error == EXDEV;
}

} // namespace

ReplaceResult ReplaceFile(const FolderEntry& entry, const struct stat* old,
                          const FilePieces& pieces, int source) {
    NewFile file = MakeNewFile(entry);
    if (!file.fd) {
        if (old != nullptr && DeniedByFolder(file.error))
            return {ReplaceStep::NeedsInPlace, file.error};
        return {ReplaceStep::Failed, file.error};
    }
    const auto discard = [&](ReplaceStep step, int error) {
        if (!file.name.isEmpty())
            ::unlinkat(entry.folder, file.name.constData(), 0);
        return ReplaceResult{step, error};
    };
    if (old != nullptr) {
        if (const int error = CarryOver(file.fd.get(), entry.FullName(), *old))
            return discard(ReplaceStep::NeedsInPlace, error);
    }
    if (!WritePieces(file.fd.get(), pieces, source) || ::fsync(file.fd.get()) != 0)
        return discard(ReplaceStep::Failed, errno);
    if (const int error = Publish(file, entry, old != nullptr)) {
        const bool inPlace = old != nullptr && DeniedByFolder(error);
        return discard(inPlace ? ReplaceStep::NeedsInPlace : ReplaceStep::Failed, error);
    }
    SyncFolder(entry);
    return {ReplaceStep::Done, 0};
}

} // namespace kestro
