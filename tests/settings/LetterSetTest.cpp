#include "settings/LetterSet.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

TEST(LetterSetFromRotation, DecidesByTheFirstCharacterAlone) {
    const struct {
        const char* text;
        std::optional<LetterSet> expected;
    } cases[] = {
        {"abab", LetterSet::AToF},
        {"kr", LetterSet::ColorLetters},
        {"1abc", LetterSet::OneToSix},
        {"7A", std::nullopt},
        {"", std::nullopt},
        {"F", LetterSet::AToF},
        {"g", LetterSet::ColorLetters},
        {"y1", LetterSet::ColorLetters},
        {"6", LetterSet::OneToSix},
        {"0", std::nullopt},
        {"Z", std::nullopt},
        {"h", std::nullopt},
        {" A", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LetterSetFromRotation(QLatin1String(c.text)), c.expected) << c.text;
}

TEST(PlatoonLetters, IndexAndFamiliesAgree) {
    for (LetterSet set : {LetterSet::AToF, LetterSet::OneToSix, LetterSet::ColorLetters}) {
        const auto letters = LettersOf(set);
        for (int row = 0; row < 6; ++row) {
            EXPECT_EQ(PlatoonIndex(letters[row]), int(set) * 6 + row);
            EXPECT_EQ(LetterSetFromRotation(QString(letters[row])), set);
        }
    }
    for (char16_t c : {u'a', u'z', u'Z', u'H', u'0', u'7', u' '})
        EXPECT_EQ(PlatoonIndex(QChar(c)), -1);
}

} // namespace
} // namespace kestro
