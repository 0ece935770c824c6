#pragma once

// The lines of a settings file as the INI engine counts them: shared by the text scanner
// (IniText.h) and the document (IniDocument.h).

#include <QtGlobal>

#include <cstdint>

namespace kestro {

enum class IniLineEnd : std::uint8_t { None, Lf, CrLf, Cr };

// A line of the file as read, in code units of the text (bytes, or 16-bit units in UTF-16),
// counted from the end of the byte order mark.
struct IniSourceLine {
    qsizetype begin = 0;
    qsizetype size = 0;
    qsizetype endSize = 0; // units of its line end; 0 for a last line without one
};

} // namespace kestro
