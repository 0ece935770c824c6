#include "export/ShiftRuns.h"
#include "rotation/Rotation.h"
#include "settings/LetterSet.h"

#include <gtest/gtest.h>

#include <map>

namespace kestro {
namespace {

TEST(RunsOf, FindsEachStretchOnceAndJoinsTheEndOfTheCycleToItsStart) {
    const struct {
        const char* rotation;
        char16_t letter;
        std::vector<RotationRun> runs;
    } cases[] = {
        {"ACABABABCBCACACABABCBCBC",
         u'A',
         {{0, 1}, {2, 1}, {4, 1}, {6, 1}, {11, 1}, {13, 1}, {15, 1}, {17, 1}}},
        {"AABBBCCA", u'A', {{7, 3}}},
        {"KKLRRKK", u'K', {{5, 4}}},
        {"AAAA", u'A', {{0, 4}}},
        {"A", u'A', {{0, 1}}},
        {"ABC", u'D', {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RunsOf(QLatin1String(c.rotation), QChar(c.letter)), c.runs)
            << c.rotation << " " << char(c.letter);
}

// Days covered by events, each day counted as often as an event covers it.
std::map<DayNumber, int> Expand(const std::vector<DayEvent>& events, DayNumber last) {
    std::map<DayNumber, int> days;
    for (const DayEvent& e : events) {
        EXPECT_GE(e.days, 1);
        const DayNumber lastStart =
            e.repeatEvery == 0 ? e.first : std::min(e.lastStart.value_or(last), last);
        for (DayNumber s = e.first; s <= lastStart; s += std::max(e.repeatEvery, 1)) {
            for (int i = 0; i < e.days; ++i)
                ++days[s + i];
        }
    }
    return days;
}

// The events of every run of every letter cover exactly the days RotationLetter gives that letter
// from the first to the last day, once each, for first and last days all over the cycle.
TEST(EventsOfRun, CoverExactlyTheRotationsDaysForEveryCut) {
    const DayNumber start = 150000;
    const char* rotations[] = {
        "ACABABABCBCACACABABCBCBC", "A", "ABC", "AABBBCCA", "KKLRRGYYPK", "ABBCA", "AAAA", "ABAB"};
    for (const char* text : rotations) {
        const QString rotation = QLatin1String(text);
        const int n = int(rotation.size());
        const DayNumber windowEnd = start + 12 * n + 40;
        const DayNumber froms[] = {start - 7,     start,         start + 1,
                                   start + n - 1, start + n + 2, start + 5 * n + 1};
        for (DayNumber from : froms) {
            const DayNumber first = std::max(from, start);
            const std::optional<DayNumber> untils[] = {
                std::nullopt, first, first + 1, first + n, first + 3 * n + 2, first + 4 * n - 1};
            for (const std::optional<DayNumber>& until : untils) {
                for (char16_t letter : PlatoonLetters) {
                    std::vector<DayEvent> events;
                    for (const RotationRun& run : RunsOf(rotation, QChar(letter))) {
                        const auto more = EventsOfRun(run, start, n, from, until);
                        EXPECT_LE(more.size(), 3u);
                        events.insert(events.end(), more.begin(), more.end());
                    }
                    const std::map<DayNumber, int> covered = Expand(events, windowEnd);
                    for (DayNumber d = start - 2 * n - 5; d <= windowEnd; ++d) {
                        const bool wanted = RotationLetter(d, start, n, rotation) == letter &&
                                            d >= first && (!until || d <= *until);
                        const auto found = covered.find(d);
                        ASSERT_EQ(found == covered.end() ? 0 : found->second, wanted ? 1 : 0)
                            << text << " letter " << char(letter) << " from " << from - start
                            << " until " << (until ? *until - start : -1) << " day " << d - start;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace kestro
