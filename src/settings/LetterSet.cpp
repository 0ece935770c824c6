#include "settings/LetterSet.h"

#include "base/AsciiCase.h"

#include <algorithm>

namespace kestro {

int PlatoonIndex(QChar letter) {
    for (std::size_t i = 0; i < PlatoonLetters.size(); ++i) {
        if (letter.unicode() == PlatoonLetters[i])
            return int(i);
    }
    return -1;
}

std::array<QChar, 6> LettersOf(LetterSet set) {
    const std::size_t first = std::size_t(set) * 6;
    std::array<QChar, 6> letters;
    for (std::size_t row = 0; row < 6; ++row)
        letters[row] = QChar(PlatoonLetters[first + row]);
    return letters;
}

QChar PlatoonLetterOfRow(LetterSet set, int row) {
    return LettersOf(set)[std::size_t(std::clamp(row, 1, 6) - 1)];
}

std::optional<LetterSet> LetterSetFromRotation(const QString& rotation) {
    if (rotation.isEmpty())
        return std::nullopt;
    const char16_t first = AsciiUpper(rotation.front()).unicode();
    if (first >= u'1' && first <= u'6')
        return LetterSet::OneToSix;
    if (first >= u'A' && first <= u'F')
        return LetterSet::AToF;
    switch (first) {
    case u'G':
    case u'K':
    case u'L':
    case u'P':
    case u'R':
    case u'Y':
        return LetterSet::ColorLetters;
    default:
        return std::nullopt;
    }
}

} // namespace kestro
