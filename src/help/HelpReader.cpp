// kestro-help-reader: reads objects of a compiled help file with chmlib for the kestro program.
// chmlib is not safe against damaged files (it can crash or loop on them), so it runs here, in a
// process of its own that the program stops after a few seconds; see HelpReaderProtocol.h.

#include "help/HelpReaderProtocol.h"

#include <chm_lib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace kestro;

static_assert(MaxChmPathBytes == CHM_MAX_PATHLEN);

namespace {

bool WriteAll(const unsigned char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, data, size);
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

bool Answer(ChmAnswer answer, const unsigned char* data = nullptr, std::uint64_t size = 0) {
    unsigned char header[AnswerHeaderBytes] = {static_cast<unsigned char>(answer)};
    for (int i = 0; i < 8; ++i)
        header[1 + i] = static_cast<unsigned char>(size >> (8 * i));
    return WriteAll(header, sizeof header) && WriteAll(data, size);
}

bool StartsLikeAHelpFile(const char* fileName) {
    const int fd = ::open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char magic[4] = {};
    const bool ok = ::read(fd, magic, sizeof magic) == ssize_t(sizeof magic) &&
                    std::memcmp(magic, "ITSF", sizeof magic) == 0;
    ::close(fd);
    return ok;
}

bool ServeObject(chmFile* handle, const char* objectName) {
    chmUnitInfo info{};
    if (std::strlen(objectName) > std::size_t(MaxChmPathBytes) ||
        chm_resolve_object(handle, objectName, &info) != CHM_RESOLVE_SUCCESS)
        return Answer(ChmAnswer::NoObject);
    if (info.length > LONGUINT64(MaxHelpObjectBytes))
        return Answer(ChmAnswer::TooLarge);
    if (info.length == 0)
        return Answer(ChmAnswer::Found);
    auto* data = static_cast<unsigned char*>(std::malloc(info.length));
    if (data == nullptr)
        return Answer(ChmAnswer::NotRead);
    const LONGINT64 read = chm_retrieve_object(handle, &info, data, 0, LONGINT64(info.length));
    const bool sent = read == LONGINT64(info.length) ? Answer(ChmAnswer::Found, data, info.length)
                                                     : Answer(ChmAnswer::NotRead);
    std::free(data);
    return sent;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: kestro-help-reader FILE [OBJECT...]\n", stderr);
        return 2;
    }
    // A crash ends the reader quietly: the program reports the damaged file. A reader left behind
    // by a program that died ends on its own.
    for (const int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        std::signal(sig, SIG_DFL);
    ::alarm(unsigned(2 * HelpReadTimeoutMs / 1000));
#if !defined(__SANITIZE_ADDRESS__)
    // A damaged header can make chmlib ask for gigabytes; the reader fails instead of the machine
    // swapping. (The address sanitizer reserves far more address space, so not in its builds.)
    const rlimit memory{rlim_t(1) << 30, rlim_t(1) << 30};
    ::setrlimit(RLIMIT_AS, &memory);
#endif

    const char* fileName = argv[1];
    const int objects = argc - 2;
    chmFile* handle = StartsLikeAHelpFile(fileName) ? chm_open(fileName) : nullptr;
    bool sent = true;
    if (handle == nullptr) {
        for (int i = 0; i < (objects == 0 ? 1 : objects) && sent; ++i)
            sent = Answer(ChmAnswer::NotOpened);
    } else if (objects == 0) {
        sent = Answer(ChmAnswer::Found);
    } else {
        for (int i = 0; i < objects && sent; ++i)
            sent = ServeObject(handle, argv[2 + i]);
    }
    if (handle != nullptr)
        chm_close(handle);
    return sent ? 0 : 1;
}
