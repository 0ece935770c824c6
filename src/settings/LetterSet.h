#pragma once

#include <QChar>
#include <QString>

#include <array>
#include <optional>

namespace kestro {

// The family of platoon letters a rotation uses.
enum class LetterSet { AToF = 0, OneToSix = 1, ColorLetters = 2 };

// The eighteen platoon characters, in the order of the platoon color table.
inline constexpr std::array<char16_t, 18> PlatoonLetters{u'A', u'B', u'C', u'D', u'E', u'F',
                                                         u'1', u'2', u'3', u'4', u'5', u'6',
                                                         u'K', u'L', u'R', u'G', u'Y', u'P'};

// Position of a platoon character in PlatoonLetters, or -1 for a character that names no platoon
// (lower-case letters included).
int PlatoonIndex(QChar letter);

// The six letters of a family, row 1 first.
std::array<QChar, 6> LettersOf(LetterSet set);

// The platoon letter of row `row` (1 to 6) of the color area in a letter family: A to F, 1 to 6,
// or K L R G Y P. A row number outside that range is taken as the nearest row.
QChar PlatoonLetterOfRow(LetterSet set, int row);

// The family named by the first character of a rotation; nothing for an empty text or a first
// character of no family.
std::optional<LetterSet> LetterSetFromRotation(const QString& rotation);

} // namespace kestro
