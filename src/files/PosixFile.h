#pragma once

// Small helpers over file descriptors for the settings file's reading and writing.

#include <QByteArray>

#include <cerrno>
#include <utility>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace kestro {

// Closes its descriptor when it goes.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Writes all of bytes at offset; false with errno set when any write fails.
inline bool WriteAllAt(int fd, const QByteArray& bytes, off_t offset) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::pwrite(fd, data, std::size_t(left), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = EIO;
            return false;
        }
        data += written;
        left -= written;
        offset += written;
    }
    return true;
}

// A folder and a name in it: the pair every *at call takes.
struct FolderEntry {
    int folder;      // descriptor of the folder
    QByteArray path; // the folder's physical name
    QByteArray name; // the entry's name in it

    QByteArray FullName() const { return (path == "/" ? QByteArray() : path) + '/' + name; }
};

// A name for a file of ours beside `name`, of the form prefix + name + suffix, that leaves room for
// the suffix within the longest name a folder entry may have.
inline QByteArray NameBeside(const QByteArray& prefix, const QByteArray& name,
                             const QByteArray& suffix) {
    return prefix + (name.size() > 200 ? QByteArray("kestro") : name) + suffix;
}

} // namespace kestro
