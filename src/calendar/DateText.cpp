#include "calendar/DateText.h"

#include <cstdint>

namespace kestro {

namespace {

constexpr QChar Blank = QLatin1Char(' ');

// The reading accepts any real calendar date, so this is the plain Gregorian rule (4000 is a
// leap year here); the range 1600 to 3999 is checked later by the calendar arithmetic.
bool IsRealDate(int day, int month, int year) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    static constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int length = Lengths[month - 1];
    if (month == 2 && year % 4 == 0 && (year % 100 != 0 || year % 400 == 0)) {
        length = 29;
    }
    return day <= length;
}

// A number of one to four decimal digits, after optional blanks.
struct Number {
    int value = 0;
    int digits = 0;
};

class DateScanner {
public:
    explicit DateScanner(const QString& text) : text_(text) {}

    void SkipBlanks() {
        while (pos_ < text_.size() && text_[pos_] == Blank) {
            ++pos_;
        }
    }

    std::optional<Number> ReadNumber() {
        SkipBlanks();
        Number number;
        while (pos_ < text_.size() && text_[pos_] >= QLatin1Char('0') &&
               text_[pos_] <= QLatin1Char('9')) {
            if (number.digits == 4) {
                return std::nullopt;
            }
            number.value = number.value * 10 + (text_[pos_].unicode() - '0');
            ++number.digits;
            ++pos_;
        }
        if (number.digits == 0) {
            return std::nullopt;
        }
        return number;
    }

    bool ReadSeparator(QChar separator) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == separator) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool AtEnd() {
        SkipBlanks();
        return pos_ == text_.size();
    }

private:
    const QString& text_;
    qsizetype pos_ = 0;
};

std::optional<int> PlaceShortYear(int year, int currentYear, TwoDigitYears rule) {
    std::int64_t full = 0;
    if (rule == TwoDigitYears::CurrentCentury) {
        full = year + std::int64_t{currentYear / 100} * 100;
    } else {
        const std::int64_t window = std::int64_t{currentYear} - 50;
        full = year + (window / 100) * 100;
        if (full < window) {
            full += 100;
        }
    }
    if (full < 1 || full > 9999) {
        return std::nullopt;
    }
    return static_cast<int>(full);
}

QString Padded(int value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

} // namespace

QString FormatDate(const ShortDateFormat& format, const CalendarDate& date) {
    if (!IsRealDate(date.day, date.month, date.year)) {
        return {};
    }
    QString out;
    const QString& pattern = format.pattern;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const char letter = DatePatternLetter(pattern[i]);
        if (letter == 0) {
            out += pattern[i];
            ++i;
            continue;
        }
        qsizetype width = 0;
        while (i < pattern.size() && DatePatternLetter(pattern[i]) == letter) {
            ++i;
            ++width;
        }
        switch (letter) {
        case 'd':
            out += Padded(date.day, width >= 2 ? 2 : 1);
            break;
        case 'm':
            out += Padded(date.month, width >= 2 ? 2 : 1);
            break;
        default:
            // Always four digits: a short year would read back in another century.
            out += Padded(date.year, 4);
            break;
        }
    }
    return out;
}

std::optional<CalendarDate> ReadDateText(const QString& text, const ShortDateFormat& format,
                                         int currentYear, TwoDigitYears rule) {
    DateScanner scanner(text);
    Number numbers[3];
    int count = 0;
    while (true) {
        const auto number = scanner.ReadNumber();
        if (!number) {
            return std::nullopt;
        }
        numbers[count++] = *number;
        if (scanner.AtEnd()) {
            break;
        }
        if (!scanner.ReadSeparator(format.separator)) {
            return std::nullopt;
        }
        if (scanner.AtEnd()) {
            break; // one trailing separator
        }
        if (count == 3) {
            return std::nullopt;
        }
    }
    if (count < 2) {
        return std::nullopt;
    }

    const DateOrder order = DateOrderOfPattern(format.pattern);
    int day = 0;
    int month = 0;
    int year = 0;
    if (count == 2) {
        const bool dayFirst = order == DateOrder::DayMonthYear || order == DateOrder::YearDayMonth;
        day = numbers[dayFirst ? 0 : 1].value;
        month = numbers[dayFirst ? 1 : 0].value;
        year = currentYear;
    } else {
        Number yearNumber;
        switch (order) {
        case DateOrder::MonthDayYear:
            month = numbers[0].value;
            day = numbers[1].value;
            yearNumber = numbers[2];
            break;
        case DateOrder::DayMonthYear:
            day = numbers[0].value;
            month = numbers[1].value;
            yearNumber = numbers[2];
            break;
        case DateOrder::YearMonthDay:
            yearNumber = numbers[0];
            month = numbers[1].value;
            day = numbers[2].value;
            break;
        case DateOrder::YearDayMonth:
            yearNumber = numbers[0];
            day = numbers[1].value;
            month = numbers[2].value;
            break;
        }
        year = yearNumber.value;
        if (yearNumber.digits <= 2) {
            const auto placed = PlaceShortYear(year, currentYear, rule);
            if (!placed) {
                return std::nullopt;
            }
            year = *placed;
        }
    }
    if (!IsRealDate(day, month, year)) {
        return std::nullopt;
    }
    return CalendarDate{day, month, year};
}

DayNumber ParseStartDate(const QString& text, const ShortDateFormat& format, int epoch,
                         int currentYear) {
    const auto date = ReadDateText(text, format, currentYear, TwoDigitYears::CurrentCentury);
    if (!date || !DateIsValid(date->day, date->month, date->year, epoch)) {
        return InvalidDay;
    }
    return DateToDayNumber(date->day, date->month, date->year, epoch);
}

TypedDate ReadTypedDate(const QString& text, const ShortDateFormat& format, int currentYear) {
    TypedDate result;
    result.date = ReadDateText(text, format, currentYear, TwoDigitYears::SlidingWindow);
    if (!result.date) {
        result.error = QLatin1Char('\'') + text + QLatin1String("' is not a valid date");
    }
    return result;
}

} // namespace kestro
