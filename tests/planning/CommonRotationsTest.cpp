#include "planning/CommonRotations.h"

#include <gtest/gtest.h>

#include <set>

namespace kestro {
namespace {

struct MadeCase {
    const char* pattern;
    int platoons;
    const char* rotation; // empty when refused
    const char* reason;   // a part of the refusal
};

TEST(MakeRotation, MakesTheLettersOrSaysWhyNot) {
    const MadeCase cases[] = {
        {"on, off, off", 3, "ABC", ""},
        {"on,on,off,off,off,off", 3, "AABBCC", ""},
        {"on off off off", 4, "ABCD", ""},
        {" ON, off, On, OFF, on, off, off, off, off ", 3, "ACABABCBC", ""},
        {"on", 1, "A", ""},
        {"on, on, off", 3, "", "days 1, 2 and 3 of the rotation would have two platoons"},
        {"on, off, off, off, off, off", 3, "", "days 2, 4 and 6 of the rotation would have no"},
        {"on, off, off, off", 3, "", "3 platoons cannot share a pattern of 4 days"},
        {"on, off, off, off", 7, "", "must be 1 to 6"},
        {"on, off, off, off", 0, "", "must be 1 to 6"},
        {"on, of, off", 3, "", "\"of\" is neither on nor off"},
        {" , ", 3, "", "Write the days one platoon works"},
    };
    for (const MadeCase& c : cases) {
        SCOPED_TRACE(c.pattern);
        const MadeRotation made = MakeRotation(QString::fromLatin1(c.pattern), c.platoons);
        EXPECT_EQ(made.rotation, QString::fromLatin1(c.rotation));
        EXPECT_TRUE(made.error.contains(QString::fromLatin1(c.reason))) << made.error.toStdString();
        EXPECT_EQ(made.error.isEmpty(), *c.reason == 0);
    }
    // A long list of faulty days names the first five.
    EXPECT_TRUE(MakeRotation(QStringLiteral("off, ").repeated(12) + QStringLiteral("off"), 1)
                    .error.contains(QStringLiteral("days 1, 2, 3, 4, 5 and 8 more")));
    EXPECT_FALSE(MakeRotation(QStringLiteral("on, ").repeated(1000), 1).error.isEmpty());
}

TEST(CommonRotations, EachGivesEveryDayOnePlatoonAndComesFromItsPattern) {
    std::set<std::string> names;
    for (const CommonRotation& r : CommonRotations()) {
        SCOPED_TRACE(r.name);
        EXPECT_TRUE(names.insert(r.name).second);
        const QString rotation = QString::fromLatin1(r.rotation);
        std::set<QChar> letters(rotation.begin(), rotation.end());
        ASSERT_EQ(int(letters.size()), r.platoons);
        EXPECT_EQ(*letters.begin(), QLatin1Char('A'));
        EXPECT_EQ(int(letters.rbegin()->unicode() - u'A' + 1), r.platoons);
        // Made again from what platoon A works: the same letters, except that the 24-day
        // rotation names its second and third platoons the other way round.
        QString made = MakeRotation(OnOffPattern(rotation, QLatin1Char('A')), r.platoons).rotation;
        if (rotation.size() == 24)
            made.replace(u'B', u'x').replace(u'C', u'B').replace(u'x', u'C');
        EXPECT_EQ(made, rotation);
    }
    const auto byName = [](const char* name) {
        for (const CommonRotation& r : CommonRotations()) {
            if (std::string(r.name) == name)
                return std::string(r.rotation);
        }
        return std::string();
    };
    EXPECT_EQ(byName("Kelly schedule"), "ACABABCBC");
    EXPECT_EQ(byName("California swing"), "ACABABCBC");
    EXPECT_EQ(byName("24-day three-platoon"), "ACABABABCBCACACABABCBCBC");
    EXPECT_EQ(OnOffPattern(QStringLiteral("ACABABCBC"), QLatin1Char('A')),
              QStringLiteral("on, off, on, off, on, off, off, off, off"));
}

} // namespace
} // namespace kestro
