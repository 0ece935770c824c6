#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace kestro {

// Dunmarek.ini belongs to another program and is often edited by hand, so the document keeps the
// file's bytes and changes only the lines a write touches. Reading and writing follow the Windows
// profile functions, by which the other program reads the file.

enum class IniEncoding : std::uint8_t {
    // UTF-8 where the bytes are valid UTF-8, Windows-1252 byte by byte where they are not.
    Utf8OrAnsi,
    // The same after the byte order mark EF BB BF.
    Utf8Bom,
    // Little-endian UTF-16 after the byte order mark FF FE.
    Utf16Le,
};

enum class IniLineEnd : std::uint8_t { None, Lf, CrLf, Cr };

struct IniLine {
    // Raw bytes in the file's encoding, without the line end: for a line as read, the range
    // [begin, begin + size) of IniDocument::source; once the writer has made or changed it,
    // IniDocument::writtenText[text].
    qsizetype begin = 0;
    qsizetype size = 0;
    int text = -1;
    // The line that follows this one in the file, -1 for the last.
    int next = -1;
    IniLineEnd end = IniLineEnd::None;
};

// A slot of the key index: the line of a key, found by a hash of its folded name. Names that
// share a hash are told apart by reading the lines.
struct IniKeySlot {
    quint32 hash = 0;
    int line = -1; // -1 for a free slot
};

struct IniSection {
    int header = -1;
    // The line after which a new key of this section goes: its last key line, else its header.
    int lastKey = -1;
    // The section's keys in IniDocument::keySlots [firstSlot, firstSlot + slotCount): open
    // addressing over a power of two of slots, at most three quarters of them taken. Each
    // section has its own run of slots, so that reading a large file walks memory in order.
    qsizetype firstSlot = 0;
    qsizetype slotCount = 0;
    qsizetype keyCount = 0;
};

struct IniDocument {
    IniEncoding encoding = IniEncoding::Utf8OrAnsi;
    // The file's bytes as read, byte order mark included.
    QByteArray source;
    // An odd last byte of a UTF-16 file is no character and belongs to no line; it stays the
    // file's last byte whatever is added, so that added lines keep in step.
    QByteArray oddLastByte;
    // Lines in the order read, then the lines added by writes; the file's order follows `next`.
    std::vector<IniLine> lines;
    std::vector<QByteArray> writtenText;
    int firstLine = -1;
    int lastLine = -1;
    // Only the first section of each name, and only the first key of each name in it, count.
    // Names are folded with FoldIniName.
    std::vector<IniSection> sections;
    QHash<QString, int> sectionByName;
    std::vector<IniKeySlot> keySlots;
};

// The number of characters of a value that are read; the rest is ignored.
inline constexpr qsizetype IniValueMaxLength = 2047;

// Names match without regard to case, where only the letters A to Z fold.
QString FoldIniName(QString name);

IniDocument ParseIni(const QByteArray& bytes);

// The raw bytes of a line without its end.
QByteArrayView IniLineBytes(const IniDocument& doc, const IniLine& line);

// The line of the first key of that name in the first section of that name, or -1.
int FindIniKey(const IniDocument& doc, const QString& section, const QString& key);

// The key name of an entry line as the file spells it, blanks removed.
QString IniKeyName(const IniDocument& doc, int line);

// The value with its surrounding blanks and one pair of matching outer quotes removed, cut to
// IniValueMaxLength characters; nullopt when the section or the key is absent.
std::optional<QString> ReadIniValue(const IniDocument& doc, const QString& section,
                                    const QString& key);

// Replaces the value of an existing key where it stands; adds a missing key after the last key of
// its section and a missing section at the end. The names and the value are written as given:
// nothing is quoted or escaped, so they should hold no line breaks.
void WriteIniValue(IniDocument& doc, const QString& section, const QString& key,
                   const QString& value);

QByteArray SerializeIni(const IniDocument& doc);

} // namespace kestro
