#include "ini/IniValues.h"

#include <cstdint>

namespace kestro {

namespace {

int HexDigit(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

} // namespace

int ReadIniInteger(const std::optional<QString>& value, int defaultValue) {
    return value ? ReadIniIntegerValue(*value).value_or(defaultValue) : defaultValue;
}

std::optional<int> ReadIniIntegerValue(const QString& text) {
    const qsizetype n = text.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && text[i] == u'$') {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return std::nullopt;

    if (hex) {
        std::uint32_t pattern = 0;
        for (; i < n; ++i) {
            const int digit = HexDigit(text[i]);
            if (digit < 0 || pattern > 0x0FFFFFFFu)
                return std::nullopt;
            pattern = pattern * 16 + std::uint32_t(digit);
        }
        if (negative)
            pattern = 0u - pattern;
        return static_cast<std::int32_t>(pattern);
    }

    std::int64_t magnitude = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c.unicode() - u'0');
        if (magnitude > std::int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    const std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX)
        return std::nullopt;
    return int(result);
}

bool ReadIniBool(const std::optional<QString>& value, bool defaultValue) {
    return ReadIniInteger(value, defaultValue ? 1 : 0) != 0;
}

QString ReadIniText(const std::optional<QString>& value, const QString& defaultValue) {
    return value.value_or(defaultValue);
}

} // namespace kestro
