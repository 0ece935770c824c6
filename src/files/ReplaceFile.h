#pragma once

#include "base/FilePieces.h"
#include "files/PosixFile.h"

#include <QByteArray>

#include <sys/stat.h>

namespace kestro {

enum class ReplaceStep { Done, Failed, NeedsInPlace };

struct ReplaceResult {
    ReplaceStep step = ReplaceStep::Failed;
    int error = 0; // errno of a failure
};

// Writes the pieces (see WritePieces; `source` is a descriptor of the old file, -1 for none) into a
// new file in the entry's folder and then gives it the entry's name, so that the name always stands
// for a whole file. The new file has no name while it is written (where the file system allows:
// else a hidden one beside the entry). With `old`, the file the name stands for now, the new one
// first takes its owner, group, mode and every extended attribute; when any of these cannot be
// carried over, or the folder refuses the new file or the rename, nothing is changed and the result
// is NeedsInPlace. Without `old`, a new file is made.
ReplaceResult ReplaceFile(const FolderEntry& entry, const struct stat* old, const FilePieces& file,
                          int source = -1);

} // namespace kestro
