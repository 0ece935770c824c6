#include "planning/CommonRotations.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>
#include <vector>

namespace kestro {
namespace {

constexpr std::array<CommonRotation, 6> Rotations{{
    {"24/48", 3, "ABC", "24 hours on, 48 off: every third day."},
    {"48/96", 3, "AABBCC", "Two 24-hour shifts in a row, then four days off."},
    {"24/72", 4, "ABCD", "24 hours on, 72 off: every fourth day."},
    {"Kelly schedule", 3, "ACABABCBC", "On, off, on, off, on, then four days off."},
    {"California swing", 3, "ACABABCBC", "Every other day for five days, then four off."},
    {"24-day three-platoon", 3, "ACABABABCBCACACABABCBCBC",
     "Kestro's new schedule: eight shifts in 24 days."},
}};

// "day 3", "days 1 and 4", "days 1, 4 and 7", counted from 1; a long list names the first five.
QString DayList(const std::vector<int>& days) {
    constexpr std::size_t named = 5;
    QStringList names;
    for (std::size_t i = 0; i < days.size() && i < named; ++i)
        names.append(QString::number(days[i] + 1));
    if (names.size() == 1)
        return QStringLiteral("day ") + names.front();
    const QString last =
        days.size() > named ? QStringLiteral("%1 more").arg(days.size() - named) : names.takeLast();
    return QStringLiteral("days %1 and %2").arg(names.join(QStringLiteral(", ")), last);
}

} // namespace

std::span<const CommonRotation> CommonRotations() {
    return Rotations;
}

MadeRotation MakeRotation(const QString& pattern, int platoons) {
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList words = pattern.trimmed().split(separators, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return {{},
                QStringLiteral("Write the days one platoon works as on and off, such as "
                               "\"on, off, off\".")};
    if (words.size() > MostDaysMade)
        return {{},
                QStringLiteral("The pattern has %1 days; a rotation made here has at most %2.")
                    .arg(words.size())
                    .arg(MostDaysMade)};
    std::vector<bool> on;
    for (const QString& word : words) {
        if (word.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
            on.push_back(true);
        else if (word.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
            on.push_back(false);
        else
            return {{}, QStringLiteral("\"%1\" is neither on nor off.").arg(word)};
    }
    if (platoons < 1 || platoons > MostPlatoonsMade)
        return {{},
                QStringLiteral("The number of platoons must be 1 to %1.").arg(MostPlatoonsMade)};

    const int days = int(on.size());
    if (days % platoons != 0)
        return {{},
                QStringLiteral("%1 platoons cannot share a pattern of %2 days: every day would "
                               "need exactly one platoon, so the days must be a multiple of "
                               "the platoons.")
                    .arg(platoons)
                    .arg(days)};
    const int step = days / platoons;
    QString rotation;
    std::vector<int> empty, doubled;
    for (int day = 0; day < days; ++day) {
        QString onDuty;
        for (int p = 0; p < platoons; ++p) {
            if (on[std::size_t((day - p * step + days) % days)])
                onDuty.append(QChar(u'A' + p));
        }
        if (onDuty.isEmpty())
            empty.push_back(day);
        else if (onDuty.size() > 1)
            doubled.push_back(day);
        rotation.append(onDuty.isEmpty() ? QChar(u'?') : onDuty.front());
    }
    if (!empty.empty())
        return {{},
                QStringLiteral("With %1 platoons, %2 of the rotation would have no platoon.")
                    .arg(platoons)
                    .arg(DayList(empty))};
    if (!doubled.empty())
        return {{},
                QStringLiteral("With %1 platoons, %2 of the rotation would have two "
                               "platoons or more.")
                    .arg(platoons)
                    .arg(DayList(doubled))};
    return {rotation, {}};
}

QString OnOffPattern(const QString& rotation, QChar platoon) {
    QStringList words;
    for (QChar letter : rotation)
        words.append(letter == platoon ? QStringLiteral("on") : QStringLiteral("off"));
    return words.join(QStringLiteral(", "));
}

} // namespace kestro
