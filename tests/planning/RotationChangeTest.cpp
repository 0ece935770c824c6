#include "planning/RotationChange.h"
#include "planning/CompareArguments.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::Day;

RotationTerms Terms(const char* rotation, DayNumber start) {
    const QString text = QString::fromLatin1(rotation);
    return {3, int(text.size()), text, start};
}

struct Counts {
    char letter;
    int gained, lost, weekendGained, weekendLost;
    DayNumber first;
};

struct ChangeCase {
    const char* what;
    RotationTerms before, after;
    DayNumber from;
    int months;
    DayNumber first, last;
    int changedDays;
    std::vector<Counts> platoons;
};

// Counted by hand. January 2027 starts on a Friday: its weekend days are the 2nd, 3rd, 9th,
// 10th, 16th, 17th, 23rd, 24th, 30th and 31st.
TEST(CompareRotations, CountsWhatEachPlatoonGainsAndLoses) {
    const DayNumber jan1 = Day(1, 1, 2027);
    // clang-format off
    const ChangeCase cases[] = {
        // Days 1, 4, ... keep A; B and C swap the others: B loses the 2nd, 5th, ... 29th (10,
        // of them weekend days the 2nd, 17th and 23rd) and gains the 3rd, ... 30th (10; the
        // 3rd, 9th, 24th and 30th).
        {"swap two platoons", Terms("ABC", jan1), Terms("ACB", jan1), jan1, 1,
         jan1, Day(31, 1, 2027), 20,
         {{'A', 0, 0, 0, 0, InvalidDay},
          {'B', 10, 10, 4, 3, Day(2, 1, 2027)},
          {'C', 10, 10, 3, 4, Day(2, 1, 2027)}}},
        {"the same days from a start a cycle earlier", Terms("ABC", jan1),
         Terms("ABC", jan1 - 300), jan1, 12, jan1, Day(31, 12, 2027), 0,
         {{'A', 0, 0, 0, 0, InvalidDay},
          {'B', 0, 0, 0, 0, InvalidDay},
          {'C', 0, 0, 0, 0, InvalidDay}}},
        // Compared from the later new start; the rotation in force starts only in March, so
        // every day of February is gained (8 weekend days, 4 each).
        {"a later start", Terms("AB", Day(1, 3, 2027)), Terms("AB", Day(1, 2, 2027)), jan1, 1,
         Day(1, 2, 2027), Day(28, 2, 2027), 28,
         {{'A', 14, 0, 4, 0, Day(1, 2, 2027)},
          {'B', 14, 0, 4, 0, Day(2, 2, 2027)}}},
        // A platoon that only one rotation has; the comparison stops at the calendar's end.
        // 29 December 3999 is day 362 of both: A becomes D, then B becomes A, then A becomes B.
        {"a new platoon at the calendar's end", Terms("AB", Day(1, 1, 3999)),
         Terms("ABD", Day(1, 1, 3999)), Day(29, 12, 3999), 12,
         Day(29, 12, 3999), Day(31, 12, 3999), 3,
         {{'A', 1, 2, 0, 0, Day(29, 12, 3999)},
          {'B', 1, 1, 0, 0, Day(30, 12, 3999)},
          {'D', 1, 0, 0, 0, Day(29, 12, 3999)}}},
    };
    // clang-format on
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RotationChange change = CompareRotations(c.before, c.after, c.from, c.months);
        EXPECT_EQ(change.first, c.first);
        EXPECT_EQ(change.last, c.last);
        EXPECT_EQ(change.changedDays, c.changedDays);
        ASSERT_EQ(change.platoons.size(), c.platoons.size());
        DayNumber firstChange = InvalidDay;
        for (std::size_t i = 0; i < c.platoons.size(); ++i) {
            const Counts& want = c.platoons[i];
            const PlatoonChange& got = change.platoons[i];
            SCOPED_TRACE(want.letter);
            EXPECT_EQ(got.letter, QLatin1Char(want.letter));
            EXPECT_EQ(got.daysGained, want.gained);
            EXPECT_EQ(got.daysLost, want.lost);
            EXPECT_EQ(got.weekendDaysGained, want.weekendGained);
            EXPECT_EQ(got.weekendDaysLost, want.weekendLost);
            EXPECT_EQ(got.firstChange, want.first);
            if (want.first != InvalidDay && (firstChange == InvalidDay || want.first < firstChange))
                firstChange = want.first;
        }
        EXPECT_EQ(change.firstChange, firstChange);
    }
}

TEST(CompareArguments, ReadsTheOptionsOrSaysWhatIsWrong) {
    const ShortDateFormat format = test::DefaultShortDateFormat();
    const CompareCommandLine plain = ReadCompareCommandLine(
        {QStringLiteral("--compare"), QStringLiteral("new.ini"), QStringLiteral("-iold.ini")},
        format, 2026);
    EXPECT_EQ(plain.error + plain.otherFile, QStringLiteral("new.ini"));
    EXPECT_EQ(plain.months, MonthsCompared);
    EXPECT_FALSE(plain.from.has_value());
    EXPECT_EQ(plain.settingsArguments, QStringList{QStringLiteral("-iold.ini")});
    const CompareCommandLine told =
        ReadCompareCommandLine({QStringLiteral("--compare=new.ini"), QStringLiteral("--from"),
                                QStringLiteral("2027-02-03"), QStringLiteral("--months=3")},
                               format, 2026);
    EXPECT_EQ(told.error, QString());
    EXPECT_EQ(told.from, Day(3, 2, 2027));
    EXPECT_EQ(told.months, 3);

    const std::pair<QStringList, const char*> wrong[] = {
        {{QStringLiteral("--months"), QStringLiteral("2")}, "--months can only be used with"},
        {{QStringLiteral("--compare")}, "--compare needs a value"},
        {{QStringLiteral("--compare=x"), QStringLiteral("--months=0")}, "\"0\" is not a number"},
        {{QStringLiteral("--compare=x"), QStringLiteral("--months=1201")}, "from 1 to 1200"},
        {{QStringLiteral("--compare=x"), QStringLiteral("--from=1599-12-31")}, "not a date"},
        {{QStringLiteral("--compare=x"), QStringLiteral("--until=2027-01-01")},
         "--until cannot be used with --compare"},
    };
    for (const auto& [arguments, reason] : wrong) {
        EXPECT_TRUE(IsCompareRequest(arguments));
        const QString error = ReadCompareCommandLine(arguments, format, 2026).error;
        EXPECT_TRUE(error.contains(QString::fromLatin1(reason))) << error.toStdString();
    }
    EXPECT_FALSE(IsCompareRequest({QStringLiteral("--from=2027-01-01")}));
}

} // namespace
} // namespace kestro
