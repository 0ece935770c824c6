#include "export/YearCalendar.h"
#include "export/ExportDialogs.h"
#include "support/DateFormats.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

constexpr ColorValue Red = 0x0000FF, White = 0xFFFFFF, Blue = 0xFF0000, Lime = 0x00FF00,
                     Black = 0x000000, Silver = 0xC0C0C0;

using test::Day;

YearCalendarSource Classic(int year = 2024) {
    YearCalendarSource source;
    source.settings = AbsentKeyDefaults(); // ACABABABCBCACACABABCBCBC, A red, B blue, C lime
    source.settings.StartDay = Day(1, 3, 2024);
    source.format = DefaultShortDateFormat();
    source.settingsFile = QStringLiteral("/home/chief/Dunmarek.ini");
    source.years = {year, year};
    return source;
}

std::vector<PageItem> ItemsOf(const YearCalendarPage& page, PageItemKind kind) {
    std::vector<PageItem> items;
    for (const PageItem& item : page.items) {
        if (item.kind == kind)
            items.push_back(item);
    }
    return items;
}

CalendarExportForm Form(const char* platoons, const char* from, const char* until,
                        const char* text) {
    return {QString::fromUtf8(platoons), QString::fromUtf8(from), QString::fromUtf8(until),
            QString::fromUtf8(text)};
}

CalendarExportChoice Choice(const char* platoons, std::optional<DayNumber> from,
                            std::optional<DayNumber> until, const char* text) {
    return {QString::fromUtf8(platoons), from, until, QString::fromUtf8(text)};
}

const PageItem* DayItem(const YearCalendarPage& page, DayNumber day) {
    for (const PageItem& item : page.items) {
        if (item.kind == PageItemKind::Day && item.day == day)
            return &item;
    }
    return nullptr;
}

TEST(PaperSizeOfLocale, LetterForTheUnitedStatesAndCanadaOnly) {
    for (const char* name : {"en_US.UTF-8", "en_US", "fr_CA.UTF-8", "es_US@euro", "en_ca.utf8"})
        EXPECT_EQ(PaperSizeOfLocale(QLatin1String(name)), PaperSize::Letter) << name;
    for (const char* name : {"C", "C.UTF-8", "POSIX", "", "en_GB.UTF-8", "de_DE", "es_MX", "US"})
        EXPECT_EQ(PaperSizeOfLocale(QLatin1String(name)), PaperSize::A4) << name;
}

TEST(LayOutYearCalendar, FillsEachDayWithItsPlatoonAndNumbersItInTheInverseColor) {
    const YearCalendarSource source = Classic();
    const YearCalendarPage page = LayOutYearCalendar(source, 2024, LandscapeSheet(PaperSize::A4));
    const struct {
        DayNumber day;
        const char* text;
        ColorValue fill, number;
    } cases[] = {
        {Day(1, 3, 2024), "1", Red, White},      // A, the start
        {Day(2, 3, 2024), "2", Lime, Black},     // C
        {Day(4, 3, 2024), "4", Blue, White},     // B
        {Day(29, 2, 2024), "29", White, Silver}, // before the start: LdTr on BkGr
    };
    for (const auto& c : cases) {
        const PageItem* item = DayItem(page, c.day);
        ASSERT_NE(item, nullptr) << c.text;
        EXPECT_EQ(item->text, QLatin1String(c.text));
        EXPECT_EQ(item->fill, c.fill) << c.text;
        EXPECT_EQ(item->textColor, c.number) << c.text;
        EXPECT_TRUE(item->bold);
    }
    // Each day of the year once, and none of the neighbouring years.
    EXPECT_EQ(ItemsOf(page, PageItemKind::Day).size(), 366u);
    EXPECT_EQ(DayItem(page, Day(31, 12, 2023)), nullptr);
    EXPECT_EQ(DayItem(page, Day(1, 1, 2025)), nullptr);
    EXPECT_EQ(ItemsOf(LayOutYearCalendar(source, 2025, page.sheet), PageItemKind::Day).size(),
              365u);
}

TEST(LayOutYearCalendar, PutsEachDayUnderItsWeekdayFromTheLocale) {
    const struct {
        bool mondayFirst;
        const char* initials; // of the first month's columns
    } cases[] = {{false, "SMTWTFS"}, {true, "MTWTFSS"}};
    for (const auto& c : cases) {
        YearCalendarSource source = Classic();
        source.settings.WeekStartsOnMonday = c.mondayFirst;
        const YearCalendarPage page = LayOutYearCalendar(source, 2024, QSizeF(792, 612));
        const std::vector<PageItem> weekdays = ItemsOf(page, PageItemKind::Weekday);
        ASSERT_EQ(weekdays.size(), 84u);
        QString initials;
        for (std::size_t i = 0; i < 7; ++i)
            initials += weekdays[i].text;
        EXPECT_EQ(initials, QLatin1String(c.initials));
        // 1 March 2024 is a Friday: under the sixth column, or the fifth from Monday on. March
        // is the third month: its weekdays are items 14 to 20.
        const PageItem& friday = weekdays[14 + (c.mondayFirst ? 4 : 5)];
        EXPECT_NEAR(DayItem(page, Day(1, 3, 2024))->rect.center().x(), friday.rect.center().x(),
                    0.01);
    }

    YearCalendarSource german = Classic();
    german.format.longMonthNames[2] = QStringLiteral("M\u00e4rz");
    german.format.shortDayNames = {QStringLiteral("So"), QStringLiteral("Mo"), QStringLiteral("Di"),
                                   QStringLiteral("Mi"), QStringLiteral("Do"), QStringLiteral("Fr"),
                                   QStringLiteral("Sa")};
    german.format.longMonthNames[3].clear(); // a name the locale lacks is given in English
    const YearCalendarPage page = LayOutYearCalendar(german, 2024, QSizeF(792, 612));
    const std::vector<PageItem> months = ItemsOf(page, PageItemKind::MonthName);
    EXPECT_EQ(months[2].text, QStringLiteral("M\u00e4rz"));
    EXPECT_EQ(months[3].text, QStringLiteral("April"));
    EXPECT_EQ(ItemsOf(page, PageItemKind::Weekday)[2].text, QStringLiteral("D"));
    EXPECT_EQ(ItemsOf(page, PageItemKind::Title)[0].text, QStringLiteral("Shift calendar 2024"));
}

TEST(LayOutYearCalendar, LegendCountsEachPlatoonsDaysPerCycle) {
    const struct {
        const char* rotation;
        int year;
        const char* legend; // its texts, joined by "|"
    } cases[] = {
        {"ACABABABCBCACACABABCBCBC", 2024,
         "A: 8 of 24 days|B: 8 of 24 days|C: 8 of 24 days|no platoon"},
        {"ACABABABCBCACACABABCBCBC", 2025, "A: 8 of 24 days|B: 8 of 24 days|C: 8 of 24 days"},
        {"A", 2025, "A: 1 of 1 day"},
        {"RKLR", 2025, "K: 1 of 4 days|L: 1 of 4 days|R: 2 of 4 days"},
        {"ABh", 2025, "A: 1 of 3 days|B: 1 of 3 days|no platoon"}, // h names no platoon
    };
    for (const auto& c : cases) {
        YearCalendarSource source = Classic();
        source.settings.ShiftRotation = QLatin1String(c.rotation);
        source.settings.DaysInRotation = int(qstrlen(c.rotation));
        const YearCalendarPage page =
            LayOutYearCalendar(source, c.year, LandscapeSheet(PaperSize::A4));
        QStringList legend;
        for (const PageItem& item : ItemsOf(page, PageItemKind::LegendText))
            legend.append(item.text);
        EXPECT_EQ(legend.join(QLatin1Char('|')).toStdString(), c.legend) << c.year;
        const std::vector<PageItem> swatches = ItemsOf(page, PageItemKind::LegendSwatch);
        EXPECT_EQ(swatches[0].fill, source.settings.PlatoonColors[QLatin1Char(c.legend[0])].normal);
    }
}

TEST(LayOutYearCalendar, KeepsEverythingInsideTheMarginsWithoutOverlaps) {
    YearCalendarSource source = Classic();
    // All eighteen platoons: the legend takes three rows.
    source.settings.ShiftRotation = QStringLiteral("ABCDEF123456KLRGYP");
    source.settings.DaysInRotation = 18;
    source.settings.StartDay = Day(1, 1, 2100);
    for (const QSizeF sheet : {LandscapeSheet(PaperSize::A4), LandscapeSheet(PaperSize::Letter)}) {
        const YearCalendarPage page = LayOutYearCalendar(source, 2100, sheet);
        const QRectF inside = QRectF(QPointF(0, 0), sheet).adjusted(28, 28, -28, -28);
        std::vector<QRectF> boxes; // what must not overlap: days and legend entries
        for (const PageItem& item : page.items) {
            EXPECT_TRUE(inside.contains(item.rect)) << int(item.kind) << item.text.toStdString();
            if (item.kind == PageItemKind::Day || item.kind == PageItemKind::LegendText ||
                item.kind == PageItemKind::LegendSwatch)
                boxes.push_back(item.rect);
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                ASSERT_FALSE(boxes[i].intersects(boxes[j])) << i << " " << j;
        }
        EXPECT_EQ(ItemsOf(page, PageItemKind::LegendText).size(), 18u);
        EXPECT_GE(DayItem(page, Day(1, 1, 2100))->pointSize, 11.0); // read from across a room
    }
}

TEST(YearCalendarFooter, NamesTheRotationItsStartInTheUsersFormatAndTheFile) {
    YearCalendarSource source = Classic();
    source.format = test::ShortDateFormatFromPattern(QStringLiteral("dd.MM.yyyy"));
    EXPECT_EQ(YearCalendarFooter(source),
              QStringLiteral("Rotation ACABABABCBCACACABABCBCBC (24 days) from 01.03.2024  "
                             "\u2022  Dunmarek.ini"));
    source.settingsFile.clear();
    EXPECT_TRUE(YearCalendarFooter(source).endsWith(QStringLiteral("not saved in a file")));
}

// The rotation's own problems are those of the calendar export (RotationLengthProblem, see
// IcsExportTest); the years' those of --years (ExportArgumentsTest).
TEST(YearCalendarProblem, RefusesRotationsThatDoNotMatchAndYearsOutOfReach) {
    const struct {
        YearRange years;
        int days;            // DaysInRotation of the 24-day rotation
        const char* problem; // its start; empty: none
    } cases[] = {
        {{2024, 2024}, 24, ""},
        {{1600, 1699}, 24, ""},
        {{2024, 2024}, 23, "\"Shift Rotation\" does not match number of \"Days in Rotation\"."},
        {{1599, 1600}, 24, "A calendar can show the years 1600 to 3999."},
        {{2000, 2100}, 24, "At most 100 years at a time"},
    };
    for (const auto& c : cases) {
        YearCalendarSource source = Classic();
        source.years = c.years;
        source.settings.DaysInRotation = c.days;
        const QString problem = YearCalendarProblem(source);
        EXPECT_EQ(problem.isEmpty(), *c.problem == 0) << problem.toStdString();
        EXPECT_EQ(problem.left(QString::fromUtf8(c.problem).size()), QString::fromUtf8(c.problem));
    }
}

TEST(CalendarExportDialog, ReadsItsFieldsOrSaysWhatToCorrect) {
    const CalendarExportRequest request = MakeCalendarExportRequest(
        Classic().settings, Day(15, 3, 2024), DefaultShortDateFormat(), 2024);
    const struct {
        CalendarExportForm form;
        std::optional<CalendarExportChoice> choice;
        const char* error;
    } cases[] = {
        {Form("AC", "3/15/2024", "", "Shift {letter}"),
         Choice("AC", Day(15, 3, 2024), std::nullopt, "Shift {letter}"), ""},
        {Form("B", " ", "2025-12-31", "On duty"),
         Choice("B", std::nullopt, Day(31, 12, 2025), "On duty"), ""},
        {Form("", "3/15/2024", "", "x"), std::nullopt, "Choose at least one platoon."},
        {Form("A", "15.3.2024", "", "x"), std::nullopt,
         "From: \"15.3.2024\" is not a date from 1600 to 3999. Write it as M/d/yyyy or "
         "yyyy-mm-dd."},
        {Form("A", "", "2/30/2025", "x"), std::nullopt, "Until: \"2/30/2025\" is not a date"},
        {Form("A", "3/15/2024", "3/14/2024", "x"), std::nullopt,
         "The last day comes before the first."},
        {Form("A", "", "", "  "), std::nullopt, "The event text is empty."},
    };
    for (const auto& c : cases) {
        const CalendarExportReading reading = ReadCalendarExportForm(c.form, request);
        EXPECT_EQ(reading.choice, c.choice) << c.error;
        EXPECT_EQ(reading.error.left(QString::fromUtf8(c.error).size()),
                  QString::fromUtf8(c.error));
    }
}

} // namespace
} // namespace kestro
