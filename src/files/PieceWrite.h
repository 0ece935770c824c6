#pragma once

#include "base/FilePieces.h"

#include <sys/types.h>

namespace kestro {

// Writes the pieces into fd from its start. With `source`, a descriptor of the old file whose
// bytes FilePieces::old holds, the kernel copies the larger kept ranges from it into fd (on file
// systems with shared extents it copies nothing); where it cannot (another file system, one without
// the call, any failure), they are written from the bytes in memory, in few large writes. False
// with errno set when a write fails.
bool WritePieces(int fd, const FilePieces& file, int source = -1);

// The kernel's range copy, copy_file_range(2). Tests put a failing one in its place.
using CopyRangeCall = ssize_t (*)(int in, off_t* inOffset, int out, off_t* outOffset, size_t size,
                                  unsigned flags);
extern CopyRangeCall CopyFileRange;

} // namespace kestro
