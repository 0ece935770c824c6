#include "calendar/LocaleDateFormat.h"

#include <QByteArray>

#include <iconv.h>
#include <langinfo.h>
#include <optional>

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

ShortDateFormat LocaleShortDateFormat() {
    // Copied: the C library may reuse the buffer of one nl_langinfo answer for the next.
    const QByteArray codeset(nl_langinfo(CODESET));
    ShortDateFormat format =
        ShortDateFormatFromPattern(PatternFromStrftime(Langinfo(D_FMT, codeset)));
    static constexpr nl_item LongNames[12] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                              MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item ShortNames[12] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                               ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                               ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    for (int i = 0; i < 12; ++i) {
        format.longMonthNames[i] = Langinfo(LongNames[i], codeset);
        format.shortMonthNames[i] = Langinfo(ShortNames[i], codeset);
    }
    return format;
}

} // namespace kestro
