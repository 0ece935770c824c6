#pragma once

#include <QString>

#include <optional>

namespace kestro {

// The value forms of the settings file; each takes what ReadIniValue gave, nullopt when the key
// is absent, and falls back to the key's default.

// An optional "+" or "-", then either decimal digits in signed 32-bit range, or "$", "0x" or
// "0X" and hexadecimal digits. Hexadecimal is read as a 32-bit pattern, as Delphi's StrToIntDef
// does: up to eight significant digits, and $80000000 to $FFFFFFFF come out negative ($FFFFFFFF
// is -1). A sign before hexadecimal negates that pattern, wrapping ("-$FFFFFFFF" is 1). Anything
// else, blanks included, gives the default.
int ReadIniInteger(const std::optional<QString>& value, int defaultValue);
// The same reading of a value that is there; nothing where ReadIniInteger gives the default.
std::optional<int> ReadIniIntegerValue(const QString& text);

// An integer: 0 is false, any other is true; a value that is no integer gives the default.
bool ReadIniBool(const std::optional<QString>& value, bool defaultValue);

// The value as read, the empty text included; the default only when the key is absent.
QString ReadIniText(const std::optional<QString>& value, const QString& defaultValue);

} // namespace kestro
