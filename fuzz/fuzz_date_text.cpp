// Date texts of any content, read with the four kinds of short date format.
#include "calendar/Calendar.h"
#include "calendar/DateText.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace kestro;

constexpr DayNumber LastDay = 876581;

// A numeric pattern's format, else M/d/yyyy.
ShortDateFormat FormatOf(const QString& pattern) {
    return NumericShortDateFormat(pattern).value_or(ShortDateFormat{});
}

void Check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

const ShortDateFormat* Formats() {
    static const ShortDateFormat formats[4] = {
        FormatOf(QStringLiteral("M/d/yyyy")),
        FormatOf(QStringLiteral("dd.MM.yyyy")),
        FormatOf(QStringLiteral("yyyy-MM-dd")),
        FormatOf(QStringLiteral("d/M/yy")),
    };
    return formats;
}

bool InRange(int year) {
    return year >= 1600 && year <= 3999;
}

void CheckReading(const QString& text, const ShortDateFormat& format, int currentYear,
                  TwoDigitYears rule) {
    const auto date = ReadDateText(text, format, currentYear, rule);
    if (!date) {
        return;
    }
    Check(date->year >= 1 && date->year <= 9999, "year 1 to 9999");
    Check(date->month >= 1 && date->month <= 12, "month 1 to 12");
    Check(date->day >= 1 && date->day <= 31, "day 1 to 31");
    if (InRange(date->year)) {
        Check(DateIsValid(date->day, date->month, date->year, 0), "date in range is valid");
        const DayNumber n = DateToDayNumber(date->day, date->month, date->year, 0);
        Check(DayNumberToDate(n) == *date, "day number round trip");
    }
    const QString written = FormatDate(format, *date);
    Check(!written.isEmpty(), "a read date can be written");
    Check(ReadDateText(written, format, currentYear, rule) == date, "write and read back");
}

void CheckText(const QString& text, int currentYear) {
    for (int i = 0; i < 4; ++i) {
        const ShortDateFormat& format = Formats()[i];
        CheckReading(text, format, currentYear, TwoDigitYears::CurrentCentury);
        CheckReading(text, format, currentYear, TwoDigitYears::SlidingWindow);

        for (int epoch : {1975, 2050, 0}) {
            const DayNumber start = ParseStartDate(text, format, epoch, currentYear);
            Check(start == InvalidDay || (start >= 0 && start <= LastDay), "start day range");
            const auto read =
                ReadDateText(text, format, currentYear, TwoDigitYears::CurrentCentury);
            const DayNumber expected =
                read ? DateToDayNumber(read->day, read->month, read->year, epoch) : InvalidDay;
            Check(start == expected, "start date follows the reading");
        }

        const TypedDate typed = ReadTypedDate(text, format, currentYear);
        Check(typed.date == ReadDateText(text, format, currentYear, TwoDigitYears::SlidingWindow),
              "typed date follows the reading");
        Check(typed.error.isEmpty() == typed.date.has_value(), "error exactly when no date");
        if (!typed.date) {
            Check(typed.error == QLatin1Char('\'') + text + QLatin1String("' is not a valid date"),
                  "error text");
        }
    }

    // The text as a pattern: whatever format comes out writes dates that read back.
    for (const ShortDateFormat& format : {FormatOf(text), FormatOf(PatternFromStrftime(text))}) {
        Check(format.pattern.size() >= 8, "usable pattern");
        const CalendarDate sample{29, 2, 2024};
        const QString written = FormatDate(format, sample);
        Check(ReadDateText(written, format, currentYear, TwoDigitYears::CurrentCentury) == sample,
              "derived format round trip");
    }
}

void CheckArithmetic(const std::uint8_t* data, std::size_t size) {
    if (size < 16) {
        return;
    }
    std::int32_t v[4];
    std::memcpy(v, data, sizeof v);
    const CalendarDate date = DayNumberToDate(v[0]);
    Check(date == CalendarDate{} || DateIsValid(date.day, date.month, date.year, 0),
          "DayNumberToDate gives a valid date or none");
    const int weekday = WeekdayOf(v[0]);
    Check(weekday >= 0 && weekday <= 7, "weekday 0 to 7");
    const DayNumber clipped = AdvanceDateClipped(v[0], v[1], v[2]);
    Check(clipped == InvalidDay || (clipped >= 0 && clipped <= LastDay), "clipped move in range");
    static_cast<void>(AdvanceDate(v[0], v[1], v[2], v[3]));
    static_cast<void>(ExpandTwoDigitYear(v[1], v[2]));
    const int length = MonthLength(v[1], v[2], v[3]);
    Check(length == 0 || (length >= 28 && length <= 31), "month length");
    const DayNumber n = DateToDayNumber(v[0], v[1], v[2], v[3]);
    Check(n == InvalidDay || (n >= 0 && n <= LastDay), "day number range");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    CheckText(text, 2024);
    if (size >= 2) {
        CheckText(text, 1 + (data[0] | (data[1] << 8)) % 9999);
    }
    CheckArithmetic(data, size);
    return 0;
}
