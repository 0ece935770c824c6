#include "files/PieceWrite.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <sys/uio.h>
#include <unistd.h>

namespace kestro {

CopyRangeCall CopyFileRange = [](int in, off_t* inOffset, int out, off_t* outOffset, size_t size,
                                 unsigned flags) {
    return ::copy_file_range(in, inOffset, out, outOffset, size, flags);
};

namespace {

// A shorter range costs less to write from memory with its neighbours than a call of its own.
constexpr qsizetype KernelCopyMinBytes = 64 * 1024;

// Writes iovecs at offset; a short write goes on where it stopped.
bool WriteVector(int fd, iovec* vec, int count, off_t& offset) {
    while (count > 0) {
        const ssize_t written = ::pwritev(fd, vec, count, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = EIO;
            return false;
        }
        offset += written;
        for (size_t left = size_t(written); left > 0;) {
            const size_t step = std::min(left, vec->iov_len);
            vec->iov_base = static_cast<char*>(vec->iov_base) + step;
            vec->iov_len -= step;
            left -= step;
            if (vec->iov_len == 0) {
                ++vec;
                --count;
            }
        }
    }
    return true;
}

// Copies as much of the kept range as the kernel will; returns how much it copied.
qsizetype CopyKept(int source, int fd, const FilePiece& piece, off_t offset) {
    off_t in = off_t(piece.from);
    off_t out = offset;
    qsizetype done = 0;
    while (done < piece.size) {
        const ssize_t copied = CopyFileRange(source, &in, fd, &out, size_t(piece.size - done), 0);
        if (copied < 0 && errno == EINTR)
            continue;
        if (copied <= 0)
            break; // the rest comes from memory
        done += copied;
    }
    return done;
}

} // namespace

bool WritePieces(int fd, const FilePieces& file, int source) {
    std::vector<iovec> batch;
    off_t offset = 0;
    const auto flush = [&] {
        bool ok = true;
        for (size_t at = 0; ok && at < batch.size(); at += IOV_MAX)
            ok = WriteVector(fd, batch.data() + at,
                             int(std::min<size_t>(IOV_MAX, batch.size() - at)), offset);
        batch.clear();
        return ok;
    };
    for (const FilePiece& piece : file.pieces) {
        QByteArrayView bytes = PieceBytes(file, piece);
        if (piece.from >= 0 && source >= 0 && piece.size >= KernelCopyMinBytes) {
            if (!flush())
                return false;
            const qsizetype copied = CopyKept(source, fd, piece, offset);
            offset += off_t(copied);
            bytes = bytes.sliced(copied);
            if (!bytes.isEmpty())
                source = -1; // once the kernel refused, it would refuse again
        }
        if (!bytes.isEmpty())
            batch.push_back({const_cast<char*>(bytes.data()), size_t(bytes.size())});
    }
    return flush();
}

} // namespace kestro
