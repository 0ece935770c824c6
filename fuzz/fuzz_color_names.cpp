// Arbitrary text through the color and font-style readings: every text gives a color, and every
// color with a written name reads back to itself.
#include "colors/ColorNames.h"

#include <cstdint>
#include <cstdlib>

using namespace kestro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ColorValue color = NameToColor(text);
    const QString name = ColorToName(color);
    if (name != QLatin1String("Unknown") && NameToColor(name) != color)
        std::abort();
    if (text.startsWith(QLatin1Char('$')) && !IsHexFormColor(color) && color != ColorHexGray)
        std::abort();
    (void)TextToFontStyle(text);

    // The raw bytes as a color value: the name never breaks the round trip either.
    if (size >= 4) {
        const ColorValue raw = ColorValue(data[0]) | ColorValue(data[1]) << 8 |
                               ColorValue(data[2]) << 16 | ColorValue(data[3]) << 24;
        const QString rawName = ColorToName(raw);
        if (rawName != QLatin1String("Unknown") && NameToColor(rawName) != raw)
            std::abort();
    }
    return 0;
}
