#include "help/ChmReader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdint>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kestro {

namespace {

constexpr int WaitSliceMs = 10;

QString& ChosenReader() {
    static QString program;
    return program;
}

// Reads exactly size bytes; false when the deadline passes or the pipe ends first.
bool ReadExactly(int fd, char* into, std::size_t size, const QDeadlineTimer& deadline,
                 const HelpReadWait& whileWaiting) {
    std::size_t done = 0;
    while (done < size) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return false;
        pollfd wait{fd, POLLIN, 0};
        const int ready =
            ::poll(&wait, 1, int(qMin<qint64>(left, whileWaiting ? WaitSliceMs : left)));
        if (ready < 0 && errno != EINTR)
            return false;
        if (ready <= 0) {
            if (whileWaiting)
                whileWaiting();
            continue;
        }
        const ssize_t got = ::read(fd, into + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    return true;
}

// Starts the reader with its standard output on outFd; 0 when it cannot be started.
pid_t StartReader(const QByteArray& program, const std::vector<QByteArray>& arguments, int outFd) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.constData()));
    for (const QByteArray& argument : arguments)
        argv.push_back(const_cast<char*>(argument.constData()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (::posix_spawn_file_actions_init(&actions) != 0)
        return 0;
    if (::posix_spawnattr_init(&attributes) != 0) {
        ::posix_spawn_file_actions_destroy(&actions);
        return 0;
    }
    // Signals the program ignores (SIGXFSZ, SIGPIPE) stay ignored across exec; the reader gets
    // the defaults and no blocked signals.
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGXFSZ);
    pid_t pid = 0;
    const bool prepared =
        ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
        ::posix_spawn_file_actions_adddup2(&actions, outFd, STDOUT_FILENO) == 0 &&
        ::posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
        ::posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
        ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) ==
            0;
    if (prepared &&
        ::posix_spawn(&pid, program.constData(), &actions, &attributes, argv.data(), environ) != 0)
        pid = 0;
    ::posix_spawnattr_destroy(&attributes);
    ::posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace

QString HelpReaderProgram() {
    if (!ChosenReader().isEmpty())
        return ChosenReader();
    QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    if (program.isEmpty() && QCoreApplication::instance() != nullptr)
        program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return QFileInfo(program).path() + u'/' + QLatin1StringView(HelpReaderName);
}

void SetHelpReaderProgram(const QString& program) {
    ChosenReader() = program;
}

std::vector<ChmReadResult> ReadChmObjects(const QString& fileName,
                                          const QList<QByteArray>& objectNames,
                                          const HelpReadWait& whileWaiting) {
    const std::size_t expected = objectNames.isEmpty() ? 1 : std::size_t(objectNames.size());
    std::vector<ChmReadResult> results(expected);
    std::vector<QByteArray> arguments{QFile::encodeName(fileName)};
    for (const QByteArray& name : objectNames)
        arguments.push_back(name.isNull() ? QByteArray("") : name);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return results;
    const pid_t reader = StartReader(QFile::encodeName(HelpReaderProgram()), arguments, fds[1]);
    ::close(fds[1]);
    if (reader == 0) {
        ::close(fds[0]);
        return results;
    }

    const QDeadlineTimer deadline(HelpReadTimeoutMs);
    std::size_t answered = 0;
    for (; answered < expected; ++answered) {
        char header[AnswerHeaderBytes] = {};
        if (!ReadExactly(fds[0], header, sizeof header, deadline, whileWaiting))
            break;
        std::uint64_t size = 0;
        for (int i = 0; i < 8; ++i)
            size |= std::uint64_t(static_cast<unsigned char>(header[1 + i])) << (8 * i);
        const auto code = static_cast<unsigned char>(header[0]);
        const auto answer = static_cast<ChmAnswer>(code);
        if (code > static_cast<unsigned char>(ChmAnswer::NotRead) ||
            size > std::uint64_t(MaxHelpObjectBytes) || (answer != ChmAnswer::Found && size != 0))
            break;
        QByteArray data(qsizetype(size), Qt::Uninitialized);
        if (!ReadExactly(fds[0], data.data(), std::size_t(size), deadline, whileWaiting))
            break;
        results[answered] = {answer, std::move(data)};
    }
    ::close(fds[0]);
    // A reader that hangs (chmlib can loop on a damaged directory) or talks nonsense is stopped;
    // one that has answered is done with, whatever it still does.
    ::kill(reader, SIGKILL);
    int status = 0;
    while (::waitpid(reader, &status, 0) < 0 && errno == EINTR) {
    }
    return results;
}

} // namespace kestro
