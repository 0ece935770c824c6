#include "calendar/DatePattern.h"

#include <string>

namespace kestro {

namespace {

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
        const char letter = DatePatternLetter(pattern[i]);
        if (letter == 0) {
            return std::nullopt;
        }
        qsizetype width = 0;
        while (i < pattern.size() && DatePatternLetter(pattern[i]) == letter) {
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
    } else if (letters == "ydm") {
        format.order = DateOrder::YearDayMonth;
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

} // namespace

char DatePatternLetter(QChar c) {
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

DateOrder DateOrderOfPattern(const QString& pattern) {
    char first = 0;
    for (const QChar c : pattern) {
        const char letter = DatePatternLetter(c);
        if (letter == 0 || letter == first)
            continue;
        if (first == 0) {
            first = letter;
            if (letter != 'y')
                return letter == 'd' ? DateOrder::DayMonthYear : DateOrder::MonthDayYear;
            continue;
        }
        return letter == 'd' ? DateOrder::YearDayMonth : DateOrder::YearMonthDay;
    }
    return first == 'y' ? DateOrder::YearMonthDay : DateOrder::MonthDayYear;
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

} // namespace kestro
