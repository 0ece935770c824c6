#pragma once

#include "base/FilePieces.h"
#include "files/PosixFile.h"
#include "files/SaveResult.h"

#include <QByteArray>

namespace kestro {

// Updates the entry's file itself: keeps its old content (in memory and, when there is room, in a
// backup file beside it that goes once the write is done), writes the new content over it (the
// kept ranges from FilePieces::old, never from the file being overwritten) and
// flushes it to disk; when that fails, puts the old content back.
SaveResult WriteInPlace(const FolderEntry& entry, const FilePieces& file);

} // namespace kestro
