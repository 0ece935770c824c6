// Linked into the test programs that read help files: they run the reader the build makes, not
// one beside the test program.
#include "help/ChmReader.h"

namespace {

[[maybe_unused]] const bool readerChosen = [] {
    kestro::SetHelpReaderProgram(QStringLiteral(KESTRO_HELP_READER));
    return true;
}();

} // namespace
