#include "rotation/Rotation.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

const QString kClassic = QStringLiteral("ACABABABCBCACACABABCBCBC");

TEST(RotationLetter, FollowsTheClassicRotationFromItsStart) {
    const DayNumber start = 155000;
    const struct {
        int offset;
        char16_t expected;
    } cases[] = {{0, u'A'},  {1, u'C'},   {3, u'B'},  {23, u'C'},           {24, u'A'},
                 {-1, u'Z'}, {-24, u'Z'}, {48, u'A'}, {24 * 1000 + 1, u'C'}};
    for (const auto& c : cases)
        EXPECT_EQ(RotationLetter(start + c.offset, start, 24, kClassic), QChar(c.expected))
            << c.offset;
    for (int k = 0; k < 500; ++k)
        EXPECT_EQ(RotationLetter(start + 24 * k, start, 24, kClassic), QChar(u'A'));
}

TEST(RotationLetter, GivesZWhenTheRotationCannotSay) {
    const struct {
        int days;
        const char* rotation;
        int offset;
    } cases[] = {
        {0, "", 0},    {0, "ABC", 5}, {-3, "ABC", 2},        {5, "ABC", 3},
        {5, "ABC", 4}, {5, "", 0},    {2147483647, "AB", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RotationLetter(1000 + c.offset, 1000, c.days, QLatin1String(c.rotation)),
                  QChar(u'Z'))
            << c.days << " " << c.rotation << " " << c.offset;
    // The part of a short text that exists is still used.
    EXPECT_EQ(RotationLetter(1001, 1000, 5, QStringLiteral("ABC")), QChar(u'B'));
}

TEST(RotationLetter, KeepsTheCaseAsStoredAndSurvivesExtremeDays) {
    EXPECT_EQ(RotationLetter(11, 10, 4, QStringLiteral("abab")), QChar(u'b'));
    EXPECT_EQ(RotationLetter(2147483647, -2147483647 - 1, 7, QStringLiteral("ABCDEFA")),
              QChar(u'D')); // (2^32 - 1) mod 7 = 3
    EXPECT_EQ(RotationLetter(-2147483647 - 1, 0, 3, QStringLiteral("ABC")), QChar(u'Z'));
}

} // namespace
} // namespace kestro
