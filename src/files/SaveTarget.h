#pragma once

#include <QByteArray>

namespace kestro {

// Where a save writes: the physical folder and the name in it that the kernel reaches from a
// file name, following links as it does (a ".." after a link goes up from the link's target).
// A dangling link leads to the name its last link names, which the save creates.
struct SaveTarget {
    QByteArray folder;
    QByteArray name;
    int error = 0; // errno when the name leads to no place a file can be
};

SaveTarget ResolveSaveTarget(const QByteArray& path);

} // namespace kestro
