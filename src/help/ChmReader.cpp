#include "help/ChmReader.h"

#include "help/HelpFile.h"

#include <QDeadlineTimer>
#include <QFile>

#include <chm_lib.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

static_assert(kestro::MaxChmPathBytes == CHM_MAX_PATHLEN);

namespace kestro {

namespace {

// The child runs nothing but chmlib and plain system calls and leaves with _exit, so it shares no
// state with the program it was forked from.

// An answer on the pipe: one byte ChmAnswer, eight bytes length (little-endian), the object's
// bytes.
constexpr std::size_t AnswerHeaderBytes = 9;

bool WriteAll(int fd, const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

[[noreturn]] void SendAnswer(int fd, ChmAnswer answer, const unsigned char* data,
                             std::uint64_t size) {
    unsigned char header[AnswerHeaderBytes] = {static_cast<unsigned char>(answer)};
    for (int i = 0; i < 8; ++i)
        header[1 + i] = static_cast<unsigned char>(size >> (8 * i));
    const bool sent = WriteAll(fd, header, sizeof header) && WriteAll(fd, data, size);
    ::_exit(sent ? 0 : 1);
}

// The child's whole life: open the file, find the object, send it. An empty object name only
// checks that the file opens.
[[noreturn]] void ServeObject(int fd, const char* fileName, const char* objectName) {
    // A crash ends the child quietly; the parent reports the damaged file.
    for (const int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        ::signal(sig, SIG_DFL);
    chmFile* handle = chm_open(fileName);
    if (handle == nullptr)
        SendAnswer(fd, ChmAnswer::NotOpened, nullptr, 0);
    if (*objectName == '\0')
        SendAnswer(fd, ChmAnswer::Found, nullptr, 0);
    chmUnitInfo info{};
    if (chm_resolve_object(handle, objectName, &info) != CHM_RESOLVE_SUCCESS)
        SendAnswer(fd, ChmAnswer::NoObject, nullptr, 0);
    if (info.length > LONGUINT64(MaxHelpObjectBytes))
        SendAnswer(fd, ChmAnswer::TooLarge, nullptr, 0);
    if (info.length == 0)
        SendAnswer(fd, ChmAnswer::Found, nullptr, 0);
    auto* data = static_cast<unsigned char*>(std::malloc(info.length));
    if (data == nullptr)
        SendAnswer(fd, ChmAnswer::NotRead, nullptr, 0);
    const LONGINT64 read = chm_retrieve_object(handle, &info, data, 0, LONGINT64(info.length));
    if (read != LONGINT64(info.length))
        SendAnswer(fd, ChmAnswer::NotRead, nullptr, 0);
    SendAnswer(fd, ChmAnswer::Found, data, info.length);
}

// Reads exactly size bytes, unless the deadline passes or the pipe ends first.
bool ReadExactly(int fd, unsigned char* into, std::size_t size, const QDeadlineTimer& deadline) {
    std::size_t done = 0;
    while (done < size) {
        pollfd wait{fd, POLLIN, 0};
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        const int ready = ::poll(&wait, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t got = ::read(fd, into + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    return true;
}

} // namespace

ChmReadResult ReadChmObject(const QString& fileName, const QByteArray& objectName) {
    // Everything the child needs is prepared before the fork.
    const QByteArray file = QFile::encodeName(fileName);
    const QByteArray object = objectName.isNull() ? QByteArray("") : objectName;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {};
    }
    if (child == 0) {
        ::close(fds[0]);
        ServeObject(fds[1], file.constData(), object.constData());
    }
    ::close(fds[1]);

    const QDeadlineTimer deadline(HelpReadTimeoutMs);
    ChmReadResult result;
    unsigned char header[AnswerHeaderBytes] = {};
    bool complete = ReadExactly(fds[0], header, sizeof header, deadline);
    std::uint64_t size = 0;
    for (int i = 0; i < 8; ++i)
        size |= std::uint64_t(header[1 + i]) << (8 * i);
    if (complete && header[0] > static_cast<unsigned char>(ChmAnswer::NotRead))
        complete = false;
    if (complete && size > std::uint64_t(MaxHelpObjectBytes))
        complete = false;
    if (complete && size > 0) {
        result.data = QByteArray(qsizetype(size), Qt::Uninitialized);
        complete = ReadExactly(fds[0], reinterpret_cast<unsigned char*>(result.data.data()),
                               std::size_t(size), deadline);
    }
    ::close(fds[0]);
    // A child that hangs (chmlib can loop on a damaged directory) is stopped.
    if (!complete)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    result.answer = static_cast<ChmAnswer>(header[0]);
    if (result.answer != ChmAnswer::Found)
        result.data.clear();
    return result;
}

} // namespace kestro
