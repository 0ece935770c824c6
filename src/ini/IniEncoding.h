#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>

namespace kestro {

// How a settings file's bytes are text. The file is told from its first bytes (see
// DetectIniEncoding), and a save writes in the encoding the file already has, so that it never
// holds two encodings at once.
enum class IniEncoding : std::uint8_t {
    // UTF-8 where the bytes are valid UTF-8, Windows-1252 byte by byte where they are not.
    Utf8OrAnsi,
    // The same after the byte order mark EF BB BF.
    Utf8Bom,
    // UTF-16 after the byte order mark FF FE (little-endian) or FE FF (big-endian).
    Utf16Le,
    Utf16Be,
    // UTF-16 without a byte order mark, told by where its first line has zero bytes.
    Utf16LeNoBom,
    Utf16BeNoBom,
    // Zero bytes in the first line that fit neither UTF-16 pattern, or a UTF-32 byte order mark.
    // Read as Utf8OrAnsi, so that a load finds what it can; a save never writes to such a file.
    Unknown,
};

// Why a save refuses a file of IniEncoding::Unknown.
inline constexpr const char* UnknownEncodingReason =
    "The file's text encoding could not be recognised";

// Tells the encoding from the start of the file:
// - a byte order mark names it (FF FE 00 00, UTF-32, is Unknown);
// - else the sample is the file's first line that is more than line ends and zero bytes, with
//   those before it, up to 512 bytes. Without a zero byte in it the file is Utf8OrAnsi;
// - with one, the sample is read as 16-bit units in each byte order. It is UTF-16 in that order
//   when at least three quarters of its units are characters U+0001 to U+00FF (letters, digits,
//   blanks, Latin-1), at most a quarter as many have the zero byte on the other side, and the
//   sample ends at a line end of that order (the end of the file counting as a line end byte),
//   or runs past 512 bytes. Anything else is Unknown.
// The sample lies before the first place a save can change, so a file keeps its encoding.
IniEncoding DetectIniEncoding(QByteArrayView bytes);

bool IsUtf16(IniEncoding encoding);
bool IsBigEndian(IniEncoding encoding);
// The byte order mark the file starts with, empty for none.
QByteArrayView IniByteOrderMark(IniEncoding encoding);
// Text in the encoding, without a byte order mark.
QByteArray EncodeIniText(const QString& text, IniEncoding encoding);

} // namespace kestro
