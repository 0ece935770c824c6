#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace kestro {

// New content for a file that mostly keeps what it had, as pieces in order: ranges of the old
// bytes kept as they are, and new bytes between them. A writer copies the kept ranges from where
// they already are (the old file, or the bytes as read) instead of joining everything in memory
// first.
struct FilePiece {
    qsizetype from = -1; // where the range starts in the old bytes; -1 for new bytes
    qsizetype size = 0;
    QByteArray bytes; // the new bytes
};

struct FilePieces {
    QByteArray old; // the file's bytes as read; shared, not copied
    std::vector<FilePiece> pieces;
};

inline void KeepBytes(FilePieces& file, qsizetype from, qsizetype size) {
    if (size <= 0)
        return;
    FilePiece* last = file.pieces.empty() ? nullptr : &file.pieces.back();
    if (last != nullptr && last->from >= 0 && last->from + last->size == from)
        last->size += size;
    else
        file.pieces.push_back({from, size, {}});
}

inline void AddBytes(FilePieces& file, const QByteArray& bytes) {
    if (!bytes.isEmpty())
        file.pieces.push_back({-1, bytes.size(), bytes});
}

inline QByteArrayView PieceBytes(const FilePieces& file, const FilePiece& piece) {
    if (piece.from < 0)
        return piece.bytes;
    return QByteArrayView(file.old).sliced(piece.from, piece.size);
}

inline qsizetype PiecesSize(const FilePieces& file) {
    qsizetype size = 0;
    for (const FilePiece& piece : file.pieces)
        size += piece.size;
    return size;
}

// The whole content in one array.
inline QByteArray JoinPieces(const FilePieces& file) {
    QByteArray out;
    out.reserve(PiecesSize(file));
    for (const FilePiece& piece : file.pieces)
        out += PieceBytes(file, piece);
    return out;
}

// Bytes made whole in memory, as one new piece.
inline FilePieces WholeBytes(const QByteArray& bytes) {
    FilePieces file;
    AddBytes(file, bytes);
    return file;
}

} // namespace kestro
