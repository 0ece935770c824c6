#pragma once

#include <QString>

#include <cstdint>

namespace kestro {

// 0x00BBGGRR an RGB color; 0x02BBGGRR the same read from "$RRGGBB"; 0xFF0000nn the desktop's
// system color with Windows index nn; 0x1FFFFFFF no color. Only ever compared for equality.
using ColorValue = std::uint32_t;

inline constexpr ColorValue ColorNone = 0x1FFFFFFF;
inline constexpr ColorValue ColorSystemWindow = 0xFF000005;
inline constexpr ColorValue ColorHexGray = 0x00808080;

inline constexpr bool IsSystemColor(ColorValue c) {
    return (c & 0xFFFFFF00u) == 0xFF000000u;
}
inline constexpr bool IsHexFormColor(ColorValue c) {
    return (c >> 24) == 0x02u;
}

struct ColorPair {
    ColorValue normal = 0;
    ColorValue inverse = 0;
    friend bool operator==(const ColorPair&, const ColorPair&) = default;
};

ColorValue NameToColor(const QString& text);
// The written name of a color; "$RRGGBB" for the hexadecimal form; "Unknown" for anything else.
QString ColorToName(ColorValue color);

struct FontStyleSet {
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontStyleSet&, const FontStyleSet&) = default;
};

FontStyleSet TextToFontStyle(const QString& text);

} // namespace kestro
