#include "calendar/LocaleDateFormat.h"

#include <QByteArray>

#include <QStringView>

#include <algorithm>
#include <iconv.h>
#include <langinfo.h>
#include <optional>
#include <vector>

namespace kestro {

namespace {

bool IsCodeset(const QByteArray& codeset, const char* name) {
    return codeset.compare(name, Qt::CaseInsensitive) == 0;
}

std::optional<QString> DecodeWithIconv(const QByteArray& bytes, const QByteArray& codeset) {
    iconv_t cd = iconv_open("UTF-8", codeset.constData());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    // Four UTF-8 bytes per input byte is enough for every single- and multi-byte codeset.
    QByteArray out(bytes.size() * 4 + 4, '\0');
    QByteArray in = bytes;
    char* inPtr = in.data();
    std::size_t inLeft = static_cast<std::size_t>(in.size());
    char* outPtr = out.data();
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return QString::fromUtf8(out);
}

QString Langinfo(nl_item item, const QByteArray& codeset) {
    return DecodeLocaleText(nl_langinfo(item), codeset.constData());
}

// The day, month and year fields of an strftime pattern, in the order they stand, and the
// literal text after each of them.
struct PatternFields {
    struct Field {
        char letter = 0; // 'd', 'm' or 'y'
        bool padded = true;
    };
    std::vector<Field> fields;
    std::vector<QString> textAfter;
    bool hangul = false;

    void AddText(QStringView text) {
        for (const QChar c : text) {
            hangul = hangul || (c.unicode() >= 0xAC00 && c.unicode() <= 0xD7A3);
        }
        if (!textAfter.empty()) {
            textAfter.back() += text;
        }
    }
    void AddField(char letter, bool padded) {
        fields.push_back({letter, padded});
        textAfter.emplace_back();
    }
};

void ScanStrftime(QStringView pattern, PatternFields& out) {
    qsizetype i = 0;
    while (i < pattern.size()) {
        if (pattern[i] != u'%') {
            out.AddText(pattern.mid(i, 1));
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        char16_t flag = 0;
        if (j < pattern.size() && QStringView(u"-_0^#").contains(pattern[j])) {
            flag = pattern[j++].unicode();
        }
        char16_t modifier = 0;
        if (j < pattern.size() && (pattern[j] == u'E' || pattern[j] == u'O')) {
            modifier = pattern[j++].unicode();
        }
        if (j == pattern.size()) {
            out.AddText(pattern.mid(i));
            return;
        }
        const char16_t conversion = pattern[j].unicode();
        i = j + 1;
        const bool unpadded = flag == u'-' || flag == u'_';
        // %Ey and %EY are the era's year (Thai and Lao write the Buddhist era); the order is
        // kept and the year written Gregorian, as everywhere. Other era texts are no field.
        if (modifier == u'E' && conversion != u'y' && conversion != u'Y') {
            continue;
        }
        switch (conversion) {
        case u'd':
            out.AddField('d', !unpadded);
            break;
        case u'e':
            out.AddField('d', flag == u'0');
            break;
        case u'm':
            out.AddField('m', !unpadded);
            break;
        case u'b':
        case u'B':
        case u'h':
            out.AddField('m', true); // a month name is written as a number
            break;
        case u'y':
        case u'Y':
            out.AddField('y', true);
            break;
        case u'D':
            ScanStrftime(u"%m/%d/%y", out);
            break;
        case u'F':
            ScanStrftime(u"%Y-%m-%d", out);
            break;
        case u'%':
            out.AddText(u"%");
            break;
        default:
            break; // a weekday, a time: neither a field nor a separator
        }
    }
}

bool IsAsciiPunctuation(QChar c) {
    return c.unicode() > 0x20 && c.unicode() < 0x7F && !c.isLetterOrNumber();
}

std::optional<ShortDateFormat> FormatFromFields(const QString& strftimePattern) {
    PatternFields scanned;
    ScanStrftime(strftimePattern, scanned);
    std::vector<PatternFields::Field> order; // the first field of each kind
    QChar separator;
    for (std::size_t k = 0; k < scanned.fields.size(); ++k) {
        const PatternFields::Field field = scanned.fields[k];
        if (std::none_of(order.begin(), order.end(),
                         [&field](const auto& f) { return f.letter == field.letter; })) {
            order.push_back(field);
        }
        if (separator.isNull() && k + 1 < scanned.fields.size()) {
            const QString& between = scanned.textAfter[k];
            const auto found = std::find_if(between.begin(), between.end(), IsAsciiPunctuation);
            if (found != between.end()) {
                separator = *found;
            }
        }
    }
    if (order.size() != 3) {
        return std::nullopt;
    }
    if (separator.isNull()) {
        // Korean desktops write short dates as 2024-03-01.
        separator = scanned.hangul ? QLatin1Char('-') : QLatin1Char('/');
    }
    QString numeric;
    for (const PatternFields::Field& field : order) {
        if (!numeric.isEmpty()) {
            numeric += separator;
        }
        switch (field.letter) {
        case 'd':
            numeric += field.padded ? QLatin1String("dd") : QLatin1String("d");
            break;
        case 'm':
            numeric += field.padded ? QLatin1String("MM") : QLatin1String("M");
            break;
        default:
            numeric += QLatin1String("yyyy");
            break;
        }
    }
    return NumericShortDateFormat(numeric);
}

} // namespace

QString DecodeLocaleText(const char* text, const char* codeset) {
    if (text == nullptr) {
        return {};
    }
    const QByteArray bytes(text);
    const QByteArray set(codeset == nullptr ? "" : codeset);
    if (set.isEmpty() || IsCodeset(set, "UTF-8") || IsCodeset(set, "UTF8")) {
        return QString::fromUtf8(bytes);
    }
    // The C locale reports ASCII; Latin-1 is a superset of it.
    if (IsCodeset(set, "ANSI_X3.4-1968") || IsCodeset(set, "ASCII") ||
        IsCodeset(set, "ISO-8859-1") || IsCodeset(set, "ISO8859-1")) {
        return QString::fromLatin1(bytes);
    }
    if (auto decoded = DecodeWithIconv(bytes, set)) {
        return *decoded;
    }
    return QString::fromLocal8Bit(bytes);
}

ShortDateFormat ShortDateFormatFromStrftime(const QString& strftimePattern) {
    if (auto format = NumericShortDateFormat(PatternFromStrftime(strftimePattern))) {
        return *format;
    }
    return FormatFromFields(strftimePattern).value_or(ShortDateFormat{});
}

ShortDateFormat LocaleShortDateFormat() {
    // Copied: the C library may reuse the buffer of one nl_langinfo answer for the next.
#ifdef __GLIBC__
    // The texts of LC_TIME come in its own codeset, which LC_CTYPE need not share.
    const QByteArray codeset(nl_langinfo(_NL_TIME_CODESET));
#else
    const QByteArray codeset(nl_langinfo(CODESET));
#endif
    ShortDateFormat format = ShortDateFormatFromStrftime(Langinfo(D_FMT, codeset));
#ifdef ALTMON_1
    // The month header names a month on its own: the nominative where a language inflects
    // month names in dates (Czech "březen", not "března").
    static constexpr nl_item LongNames[12] = {ALTMON_1, ALTMON_2,  ALTMON_3,  ALTMON_4,
                                              ALTMON_5, ALTMON_6,  ALTMON_7,  ALTMON_8,
                                              ALTMON_9, ALTMON_10, ALTMON_11, ALTMON_12};
    static constexpr nl_item ShortNames[12] = {_NL_ABALTMON_1,  _NL_ABALTMON_2,  _NL_ABALTMON_3,
                                               _NL_ABALTMON_4,  _NL_ABALTMON_5,  _NL_ABALTMON_6,
                                               _NL_ABALTMON_7,  _NL_ABALTMON_8,  _NL_ABALTMON_9,
                                               _NL_ABALTMON_10, _NL_ABALTMON_11, _NL_ABALTMON_12};
#else
    static constexpr nl_item LongNames[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                              MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item ShortNames[12] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                               ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                               ABMON_9, ABMON_10, ABMON_11, ABMON_12};
#endif
    for (int i = 0; i < 12; ++i) {
        // Japanese and Korean names are padded for columns (" 3月").
        format.longMonthNames[i] = Langinfo(LongNames[i], codeset).trimmed();
        format.shortMonthNames[i] = Langinfo(ShortNames[i], codeset).trimmed();
    }
    static constexpr nl_item DayNames[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                            ABDAY_5, ABDAY_6, ABDAY_7};
    for (int i = 0; i < 7; ++i)
        format.shortDayNames[i] = Langinfo(DayNames[i], codeset).trimmed();
    return format;
}

} // namespace kestro
