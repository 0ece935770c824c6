#include "files/SaveTarget.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace kestro {
namespace {

// The kernel gives up after as many links in one lookup.
constexpr int MaxLinks = 40;

bool RealFolder(const QByteArray& folder, QByteArray& real) {
    char* resolved = ::realpath(folder.constData(), nullptr);
    if (resolved == nullptr)
        return false;
    real = resolved;
    std::free(resolved);
    return true;
}

bool ReadLink(const QByteArray& link, QByteArray& target) {
    QByteArray buffer(PATH_MAX, '\0');
    const ssize_t length = ::readlink(link.constData(), buffer.data(), std::size_t(buffer.size()));
    if (length < 0)
        return false;
    if (length == buffer.size()) {
        errno = ENAMETOOLONG;
        return false;
    }
    target = buffer.left(length);
    return true;
}

} // namespace

SaveTarget ResolveSaveTarget(const QByteArray& path) {
    QByteArray current = path;
    for (int links = 0; links <= MaxLinks; ++links) {
        const qsizetype slash = current.lastIndexOf('/');
        const QByteArray name = current.mid(slash + 1);
        if (name.isEmpty() || name == "." || name == "..")
            return {{}, {}, EISDIR};
        QByteArray folder;
        if (!RealFolder(slash < 0 ? QByteArray(".") : current.left(std::max<qsizetype>(slash, 1)),
                        folder))
            return {{}, {}, errno};
        const QByteArray entry = (folder == "/" ? QByteArray() : folder) + '/' + name;
        struct stat st {};
        if (::lstat(entry.constData(), &st) != 0)
            return errno == ENOENT ? SaveTarget{folder, name, 0} : SaveTarget{{}, {}, errno};
        if (!S_ISLNK(st.st_mode))
            return {folder, name, 0};
        QByteArray target;
        if (!ReadLink(entry, target))
            return {{}, {}, errno};
        current = target.startsWith('/') ? target : folder + '/' + target;
    }
    return {{}, {}, ELOOP};
}

} // namespace kestro
