#include "rotation/Retreat.h"

#include "rotation/Rotation.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

using test::Day;
using test::DefaultShortDateFormat;
using test::ShortDateFormatFromPattern;

const QString Classic = QStringLiteral("ACABABABCBCACACABABCBCBC");

ScheduleSettings Schedule(int days, const QString& rotation, DayNumber start) {
    ScheduleSettings s = AbsentKeyDefaults();
    s.DaysInRotation = days;
    s.ShiftRotation = rotation;
    s.StartDay = start;
    return s;
}

RetreatResult Retreat(ScheduleSettings& s, const char* text) {
    return RetreatStartDay(s, QLatin1String(text), DefaultShortDateFormat(), 2024);
}

TEST(RetreatStartDay, StepsBackByWholeRotations) {
    const struct {
        const char* target;
        std::vector<CalendarDate> steps;
    } cases[] = {
        {"1/1/2024", {{6, 2, 2024}, {13, 1, 2024}, {20, 12, 2023}}},
        {"1/13/2024", {{6, 2, 2024}, {13, 1, 2024}}},
        {"1/12/2024", {{6, 2, 2024}, {13, 1, 2024}, {20, 12, 2023}}},
        {"3/1/2024", {}},
        {"3/2/2024", {}},
        {"1/12/24", {{6, 2, 2024}, {13, 1, 2024}, {20, 12, 2023}}},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Schedule(24, Classic, Day(1, 3, 2024));
        const RetreatResult r = Retreat(s, c.target);
        EXPECT_EQ(r.outcome, RetreatOutcome::Retreated) << c.target;
        std::vector<CalendarDate> shown;
        for (const DayNumber step : r.steps)
            shown.push_back(DayNumberToDate(step));
        EXPECT_EQ(shown, c.steps) << c.target;
        const CalendarDate final = c.steps.empty() ? CalendarDate{1, 3, 2024} : c.steps.back();
        EXPECT_EQ(DayNumberToDate(s.StartDay), final) << c.target;
    }

    ScheduleSettings s = Schedule(3, QStringLiteral("ABC"), Day(1, 3, 2024));
    Retreat(s, "2/28/2024");
    EXPECT_EQ(s.StartDay, Day(27, 2, 2024));
}

TEST(RetreatStartDay, KeepsTheLettersFromTheOldStartOn) {
    ScheduleSettings s = Schedule(24, Classic, Day(1, 3, 2024));
    const ScheduleSettings before = s;
    RetreatStartDay(s, QStringLiteral("01.01.2020"),
                    ShortDateFormatFromPattern(QStringLiteral("dd.MM.yyyy")), 2024);
    EXPECT_LE(s.StartDay, Day(1, 1, 2020));
    EXPECT_GT(s.StartDay + 24, Day(1, 1, 2020));
    for (DayNumber d = before.StartDay; d < before.StartDay + 100; ++d)
        EXPECT_EQ(RotationLetter(d, s.StartDay, 24, Classic),
                  RotationLetter(d, before.StartDay, 24, Classic));
}

TEST(RetreatStartDay, RefusesAndChangesNothing) {
    const struct {
        int days;
        const char* rotation;
        const char* target;
        RetreatOutcome outcome;
        const char* message;
    } cases[] = {
        {24, "ACABABABCBCACACABABCBCB", "1/1/2024", RetreatOutcome::LengthMismatch,
         "\"Days in Rotation\" does not match \"Shift Rotation\""},
        {-2, "", "1/1/2024", RetreatOutcome::LengthMismatch,
         "\"Days in Rotation\" does not match \"Shift Rotation\""},
        {3, "ABC", "2/30/2024", RetreatOutcome::NotADate, "'2/30/2024' is not a valid date"},
        {3, "ABC", "", RetreatOutcome::NotADate, "'' is not a valid date"},
        {3, "ABC", "12/31/1599", RetreatOutcome::NotADate, "'12/31/1599' is not a valid date"},
        {3, "ABC", "1/1/4000", RetreatOutcome::NotADate, "'1/1/4000' is not a valid date"},
        {0, "", "1/1/2024", RetreatOutcome::NoRotation, ""},
        {0, "", "x", RetreatOutcome::NotADate, "'x' is not a valid date"},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Schedule(c.days, QLatin1String(c.rotation), Day(1, 3, 2024));
        const ScheduleSettings before = s;
        const RetreatResult r = Retreat(s, c.target);
        EXPECT_EQ(r.outcome, c.outcome) << c.target;
        EXPECT_EQ(r.message, QLatin1String(c.message)) << c.target;
        EXPECT_TRUE(r.steps.empty()) << c.target;
        EXPECT_EQ(s, before) << c.target;
    }
}

TEST(RetreatStartDay, NeverStepsBefore1600) {
    const struct {
        DayNumber start;
        int days;
        const char* target;
        std::vector<DayNumber> steps;
        RetreatOutcome outcome;
    } cases[] = {
        {30, 10, "1/1/1600", {20, 10, 0}, RetreatOutcome::Retreated},
        {35, 10, "1/3/1600", {25, 15, 5}, RetreatOutcome::StoppedAtFirst},
        {9, 24, "1/1/1600", {}, RetreatOutcome::StoppedAtFirst},
    };
    for (const auto& c : cases) {
        ScheduleSettings s = Schedule(c.days, QString(c.days, QLatin1Char('A')), c.start);
        const RetreatResult r = Retreat(s, c.target);
        EXPECT_EQ(r.outcome, c.outcome) << c.start;
        EXPECT_EQ(r.steps, c.steps) << c.start;
        EXPECT_EQ(s.StartDay, c.steps.empty() ? c.start : c.steps.back());
    }
}

} // namespace
} // namespace kestro
