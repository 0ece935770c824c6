#include "calendar/DateText.h"

#include <cstdint>
#include <string>

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

// 'd', 'm' or 'y' for a pattern letter of day, month or year in either case, else 0.
char FieldLetter(QChar c) {
    switch (c.unicode()) {
    case 'd':
    case 'D':
        return 'd';
    case 'm':
    case 'M':
        return 'm';
    case 'y':
    case 'Y':
        return 'y';
    default:
        return 0;
    }
}

DateOrder OrderOfPattern(const QString& pattern) {
    for (const QChar c : pattern) {
        switch (FieldLetter(c)) {
        case 'd':
            return DateOrder::DayMonthYear;
        case 'm':
            return DateOrder::MonthDayYear;
        case 'y':
            return DateOrder::YearMonthDay;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

bool IsSeparator(QChar c) {
    return !c.isLetterOrNumber() && !c.isSpace() && !c.isSurrogate() && !c.isNull();
}

std::optional<ShortDateFormat> FormatFromPattern(const QString& pattern) {
    struct Field {
        char letter = 0;
        qsizetype width = 0;
    };
    Field fields[3];
    QChar separator;
    qsizetype i = 0;
    for (int k = 0; k < 3; ++k) {
        if (i >= pattern.size()) {
            return std::nullopt;
        }
        const char letter = FieldLetter(pattern[i]);
        if (letter == 0) {
            return std::nullopt;
        }
        qsizetype width = 0;
        while (i < pattern.size() && FieldLetter(pattern[i]) == letter) {
            ++i;
            ++width;
        }
        const bool widthOk =
            letter == 'y' ? (width == 1 || width == 2 || width == 4) : (width == 1 || width == 2);
        if (!widthOk) {
            return std::nullopt;
        }
        fields[k] = {letter, width};
        if (k < 2) {
            if (i >= pattern.size() || !IsSeparator(pattern[i])) {
                return std::nullopt;
            }
            if (k == 1 && pattern[i] != separator) {
                return std::nullopt;
            }
            separator = pattern[i];
            ++i;
        }
    }
    if (i != pattern.size()) {
        return std::nullopt;
    }

    // Only the orders the reading knows, so that what is written reads back the same.
    const std::string letters = {fields[0].letter, fields[1].letter, fields[2].letter};
    ShortDateFormat format;
    if (letters == "mdy") {
        format.order = DateOrder::MonthDayYear;
    } else if (letters == "dmy") {
        format.order = DateOrder::DayMonthYear;
    } else if (letters == "ymd") {
        format.order = DateOrder::YearMonthDay;
    } else {
        return std::nullopt;
    }
    format.separator = separator;
    format.pattern.clear();
    for (int k = 0; k < 3; ++k) {
        if (k > 0) {
            format.pattern += separator;
        }
        switch (fields[k].letter) {
        case 'd':
            format.pattern += fields[k].width == 2 ? QLatin1String("dd") : QLatin1String("d");
            break;
        case 'm':
            format.pattern += fields[k].width == 2 ? QLatin1String("MM") : QLatin1String("M");
            break;
        default:
            format.pattern += QLatin1String("yyyy");
            break;
        }
    }
    return format;
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

ShortDateFormat DefaultShortDateFormat() {
    ShortDateFormat format;
    format.longMonthNames = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    format.shortMonthNames = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                              QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                              QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                              QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    format.shortDayNames = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"),
                            QStringLiteral("Wed"), QStringLiteral("Thu"), QStringLiteral("Fri"),
                            QStringLiteral("Sat")};
    return format;
}

ShortDateFormat ShortDateFormatFromPattern(const QString& pattern) {
    return FormatFromPattern(pattern).value_or(ShortDateFormat{});
}

std::optional<ShortDateFormat> NumericShortDateFormat(const QString& pattern) {
    return FormatFromPattern(pattern);
}

QString PatternFromStrftime(const QString& strftimePattern) {
    QString out;
    const qsizetype size = strftimePattern.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar c = strftimePattern[i];
        if (c != QLatin1Char('%') || i + 1 == size) {
            out += c;
            ++i;
            continue;
        }
        // GNU flags: '-' and '_' drop the zero padding, '0' asks for it.
        qsizetype j = i + 1;
        char flag = 0;
        const char16_t next = strftimePattern[j].unicode();
        if (next == u'-' || next == u'_' || next == u'0') {
            flag = static_cast<char>(next);
            ++j;
        }
        if (j == size) {
            out += strftimePattern.mid(i);
            break;
        }
        const bool unpadded = flag == '-' || flag == '_';
        const char16_t conversion = strftimePattern[j].unicode();
        QString replacement;
        switch (conversion) {
        case u'd':
            replacement = unpadded ? QStringLiteral("d") : QStringLiteral("dd");
            break;
        case u'e':
            replacement = flag == '0' ? QStringLiteral("dd") : QStringLiteral("d");
            break;
        case u'm':
            replacement = unpadded ? QStringLiteral("M") : QStringLiteral("MM");
            break;
        case u'y':
            replacement = QStringLiteral("yy");
            break;
        case u'Y':
            replacement = QStringLiteral("yyyy");
            break;
        case u'D':
            if (flag == 0) {
                replacement = QStringLiteral("MM/dd/yy");
            }
            break;
        case u'F':
            if (flag == 0) {
                replacement = QStringLiteral("yyyy-MM-dd");
            }
            break;
        case u'%':
            if (flag == 0) {
                replacement = QStringLiteral("%");
            }
            break;
        default:
            break;
        }
        if (replacement.isEmpty()) {
            out += strftimePattern.mid(i, j + 1 - i);
        } else {
            out += replacement;
        }
        i = j + 1;
    }
    return out;
}

QString FormatDate(const ShortDateFormat& format, const CalendarDate& date) {
    if (!IsRealDate(date.day, date.month, date.year)) {
        return {};
    }
    QString out;
    const QString& pattern = format.pattern;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const char letter = FieldLetter(pattern[i]);
        if (letter == 0) {
            out += pattern[i];
            ++i;
            continue;
        }
        qsizetype width = 0;
        while (i < pattern.size() && FieldLetter(pattern[i]) == letter) {
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

    const DateOrder order = OrderOfPattern(format.pattern);
    int day = 0;
    int month = 0;
    int year = 0;
    if (count == 2) {
        const bool dayFirst = order == DateOrder::DayMonthYear;
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
