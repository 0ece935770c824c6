#include "colors/ColorNames.h"

#include "base/AsciiCase.h"

#include <array>

namespace kestro {
namespace {

struct ColorName {
    const char* matched; // compared with the upper-cased text
    const char* written; // nullptr for a name that is read but never written
    ColorValue value;
};

// The named colors in the order in which names and values are tried.
constexpr std::array<ColorName, 47> kColorNames{{
    {"BLACK", "Black", 0x00000000},
    {"MAROON", "Maroon", 0x00000080},
    {"GREEN", "Green", 0x00008000},
    {"OLIVE", "Olive", 0x00008080},
    {"NAVY", "Navy", 0x00800000},
    {"PURPLE", "Purple", 0x00800080},
    {"TEAL", "Teal", 0x00808000},
    {"GRAY", "Gray", 0x00808080},
    {"GREY", nullptr, 0x00808080},
    {"SILVER", "Silver", 0x00C0C0C0},
    {"RED", "Red", 0x000000FF},
    {"LIME", "Lime", 0x0000FF00},
    {"YELLOW", "Yellow", 0x0000FFFF},
    {"BLUE", "Blue", 0x00FF0000},
    {"FUCHSIA", "Fuchsia", 0x00FF00FF},
    {"AQUA", "Aqua", 0x00FFFF00},
    {"WHITE", "White", 0x00FFFFFF},
    {"MONEYGREEN", "MoneyGreen", 0x00C0DCC0},
    {"SKYBLUE", "SkyBlue", 0x00F0CAA6},
    {"CREAM", "Cream", 0x00F0FBFF},
    {"MEDGRAY", "MedGray", 0x00A4A0A0},
    {"SCROLLBAR", "Scrollbar", 0xFF000000},
    {"BACKGROUND", "Background", 0xFF000001},
    {"ACTIVECAPTION", "ActiveCaption", 0xFF000002},
    {"INACTIVECAPTION", "InactiveCaption", 0xFF000003},
    {"MENU", "Menu", 0xFF000004},
    {"WINDOW", "Window", 0xFF000005},
    {"WINDOWFRAME", "WindowFrame", 0xFF000006},
    {"MENUTEXT", "MenuText", 0xFF000007},
    {"WINDOWTEXT", "WindowText", 0xFF000008},
    {"CAPTIONTEXT", "CaptionText", 0xFF000009},
    {"ACTIVEBORDER", "ActiveBorder", 0xFF00000A},
    {"INACTIVEBORDER", "InactiveBorder", 0xFF00000B},
    {"APPWORKSPACE", "AppWorkspace", 0xFF00000C},
    {"HIGHLIGHT", "Highlight", 0xFF00000D},
    {"HIGHLIGHTTEXT", "HighlightText", 0xFF00000E},
    {"BTNFACE", "BtnFace", 0xFF00000F},
    {"BTNSHADOW", "BtnShadow", 0xFF000010},
    {"GRAYTEXT", "GrayText", 0xFF000011},
    {"BTNTEXT", "BtnText", 0xFF000012},
    {"INACTIVECAPTIONTEXT", "InactiveCaptionText", 0xFF000013},
    {"BTNHIGHLIGHT", "BtnHighlight", 0xFF000014},
    {"3DDKSHADOW", "3DDkShadow", 0xFF000015},
    {"3DLIGHT", "3DLight", 0xFF000016},
    {"INFOTEXT", "InfoText", 0xFF000017},
    {"INFOBK", "InfoBk", 0xFF000018},
    {"NONE", "None", 0x1FFFFFFF},
}};

int HexDigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// "$RRGGBB" becomes 0x02BBGGRR; a text of the wrong length or with a non-hex digit is gray.
ColorValue HexTextToColor(const QString& text) {
    if (text.size() != 7)
        return ColorHexGray;
    ColorValue channels[3] = {};
    for (int channel = 0; channel < 3; ++channel) {
        const int high = HexDigitValue(text[1 + 2 * channel]);
        const int low = HexDigitValue(text[2 + 2 * channel]);
        if (high < 0 || low < 0)
            return ColorHexGray;
        channels[channel] = ColorValue(high * 16 + low);
    }
    return 0x02000000u | (channels[2] << 16) | (channels[1] << 8) | channels[0];
}

} // namespace

ColorValue NameToColor(const QString& text) {
    if (text.startsWith(QLatin1Char('$')))
        return HexTextToColor(text);
    const QString upper = AsciiUpper(text);
    for (const ColorName& entry : kColorNames) {
        if (upper == QLatin1String(entry.matched))
            return entry.value;
    }
    return ColorSystemWindow;
}

QString ColorToName(ColorValue color) {
    for (const ColorName& entry : kColorNames) {
        if (entry.written != nullptr && entry.value == color)
            return QLatin1String(entry.written);
    }
    // Colors read as "$RRGGBB" are written back in the same form so that they survive a save.
    if (IsHexFormColor(color)) {
        const unsigned rgb = ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
        return QStringLiteral("$%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
    }
    return QStringLiteral("Unknown");
}

FontStyleSet TextToFontStyle(const QString& text) {
    const QString upper = AsciiUpper(text);
    if (upper == QLatin1String("BOLD"))
        return {true, false};
    if (upper == QLatin1String("ITALIC"))
        return {false, true};
    if (upper == QLatin1String("BOLD ITALIC") || upper == QLatin1String("ITALIC BOLD"))
        return {true, true};
    return {};
}

} // namespace kestro
