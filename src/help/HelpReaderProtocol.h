#pragma once

// What the help reader program (kestro-help-reader) and the program that starts it agree on. Plain
// C++: the reader links nothing but chmlib.

#include <cstdint>

namespace kestro {

// The reader's file name; it lies beside the kestro program.
inline constexpr const char* HelpReaderName = "kestro-help-reader";

// The longest object name chmlib looks up.
inline constexpr int MaxChmPathBytes = 512;
// Objects larger than this are refused rather than read into memory.
inline constexpr std::int64_t MaxHelpObjectBytes = 16 * 1024 * 1024;
// How long one run of the reader may take before the file counts as damaged.
inline constexpr int HelpReadTimeoutMs = 5000;

enum class ChmAnswer : unsigned char {
    Found = 0,
    NoObject = 1,
    TooLarge = 2,
    NotOpened = 3, // not a compiled help file, or chmlib does not take it
    NotRead = 4,   // the object could not be read, the reader crashed or took too long
};

// The reader is started as `kestro-help-reader FILE [OBJECT...]`. On standard output it answers
// once for each object in order, or once for the file itself when no object is named (Found when
// chmlib opens it). An answer is one byte ChmAnswer, eight bytes length (little-endian) and that
// many bytes of the object; it is written only once the object has been read whole.
inline constexpr int AnswerHeaderBytes = 9;

} // namespace kestro
