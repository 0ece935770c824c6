#include "rotation/EditRules.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::Day;
using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

TEST(ErrorBoxText, AddsAPeriodAfterCharactersAboveThePeriod) {
    const struct {
        const char* text;
        const char* shown;
    } cases[] = {
        {"'' is not a valid integer value", "'' is not a valid integer value."},
        {"'x' is not a valid date", "'x' is not a valid date."},
        {"ends in 7", "ends in 7."},
        {"ends in /", "ends in /."},
        {"ends in .", "ends in ."},
        {"ends in -", "ends in -"},
        {"ends in !", "ends in !"},
        {"ends in a blank ", "ends in a blank "},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorBoxText(QLatin1String(c.text)), QLatin1String(c.shown)) << c.text;
}

ScheduleSettings Before() {
    ScheduleSettings s = AbsentKeyDefaults();
    s.StartDay = Day(1, 3, 2024);
    s.LetterSet = LetterSet::OneToSix;
    return s;
}

ApplyResult Apply(ScheduleSettings& s, const char* platoons, const char* days, const char* rotation,
                  const char* date) {
    return ApplyRotation(s,
                         {QLatin1String(platoons), QLatin1String(days), QLatin1String(rotation),
                          QLatin1String(date)},
                         DefaultShortDateFormat(), 2024);
}

TEST(ApplyRotation, StoresTheFieldsAndTheStartDay) {
    const struct {
        const char* platoons;
        const char* days;
        const char* rotation;
        const char* date;
        int expectPlatoons;
        const char* expectRotation;
        DayNumber expectStart;
    } cases[] = {
        {"4", "4", "abab", "3/15/2024", 4, "ABAB", Day(15, 3, 2024)},
        {"0", "3", "ABC", "1/1/24", 0, "ABC", Day(1, 1, 2024)},
        {"-5", "3", "kry", "1/1/74", -5, "KRY", Day(1, 1, 1974)},
        {"99", "3", "1z\u00e9", "1/1/73", 99, "1Z\u00e9", Day(1, 1, 2073)},
        {"3", "0", "", "12/31/3999", 3, "", Day(31, 12, 3999)},
        {"3", "1", "a", "1/1/1600", 3, "A", 0},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Before();
        ScheduleSettings expected = s;
        const ApplyResult r = ApplyRotation(s,
                                            {QLatin1String(c.platoons), QLatin1String(c.days),
                                             QString::fromUtf8(c.rotation), QLatin1String(c.date)},
                                            DefaultShortDateFormat(), 2024);
        EXPECT_EQ(r.outcome, ApplyOutcome::Applied) << c.rotation;
        EXPECT_EQ(r.message, QString());
        expected.NumberOfPlatoons = c.expectPlatoons;
        expected.DaysInRotation = int(QString::fromUtf8(c.rotation).size());
        expected.ShiftRotation = QString::fromUtf8(c.expectRotation);
        expected.StartDay = c.expectStart;
        EXPECT_EQ(s, expected) << c.rotation; // LetterSet and the rest untouched
    }
}

TEST(ApplyRotation, StopsBeforeStoringAnything) {
    const struct {
        const char* platoons;
        const char* days;
        const char* rotation;
        ApplyOutcome outcome;
        const char* message;
    } cases[] = {
        {"3", "24", "ACABABABCBCACACABABCBCB", ApplyOutcome::LengthMismatch,
         "\"Shift Rotation\" does not match number of \"Days in Rotation\""},
        {"3", "", "ABC", ApplyOutcome::NotAnInteger, "'' is not a valid integer value"},
        {"x", "3", "ABC", ApplyOutcome::NotAnInteger, "'x' is not a valid integer value"},
        // The days are read first, then the length is checked, then the platoons are read.
        {"x", "3 ", "AB", ApplyOutcome::NotAnInteger, "'3 ' is not a valid integer value"},
        {"x", "3", "AB", ApplyOutcome::LengthMismatch,
         "\"Shift Rotation\" does not match number of \"Days in Rotation\""},
        {"3", "-1", "", ApplyOutcome::LengthMismatch,
         "\"Shift Rotation\" does not match number of \"Days in Rotation\""},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Before();
        const ScheduleSettings before = s;
        const ApplyResult r = Apply(s, c.platoons, c.days, c.rotation, "3/15/2024");
        EXPECT_EQ(r.outcome, c.outcome) << c.days << " " << c.rotation;
        EXPECT_EQ(r.message, QLatin1String(c.message)) << c.days << " " << c.rotation;
        EXPECT_EQ(s, before) << c.days << " " << c.rotation;
    }
}

TEST(ApplyRotation, AnUnusableStartDateLeavesOnlyTheStartDayAlone) {
    for (const char* date : {"2/30/2024", "", "1/", "12/31/1599", "1/1/4000", "15.3.2024"}) {
        ScheduleSettings s = Before();
        const ApplyResult r = Apply(s, "2", "2", "ab", date);
        EXPECT_EQ(r.outcome, ApplyOutcome::NotADate) << date;
        EXPECT_EQ(r.message,
                  QLatin1Char('\'') + QLatin1String(date) + QLatin1String("' is not a valid date"));
        EXPECT_EQ(s.NumberOfPlatoons, 2);
        EXPECT_EQ(s.DaysInRotation, 2);
        EXPECT_EQ(s.ShiftRotation, QStringLiteral("AB"));
        EXPECT_EQ(s.StartDay, Day(1, 3, 2024)) << date;
    }
}

TEST(ApplyRotation, ReadsTheDateInTheUsersFormat) {
    ScheduleSettings s = Before();
    const ApplyResult r =
        ApplyRotation(s,
                      {QStringLiteral("3"), QStringLiteral("3"), QStringLiteral("ABC"),
                       QStringLiteral("15.03.2024")},
                      ShortDateFormatFromPattern(QStringLiteral("dd.MM.yyyy")), 2024);
    EXPECT_EQ(r.outcome, ApplyOutcome::Applied);
    EXPECT_EQ(s.StartDay, Day(15, 3, 2024));
}

} // namespace
} // namespace kestro
