#pragma once

#include "calendar/DatePattern.h"

#include <QString>

namespace kestro::test {

// M/d/yyyy with "/" and the English month names: the format most tests read and write dates in.
inline ShortDateFormat DefaultShortDateFormat() {
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
    return format;
}

// The format of a numeric pattern ("dd.MM.yyyy", see NumericShortDateFormat); M/d/yyyy with "/"
// for a pattern that is none.
inline ShortDateFormat ShortDateFormatFromPattern(const QString& pattern) {
    return NumericShortDateFormat(pattern).value_or(ShortDateFormat{});
}

} // namespace kestro::test
