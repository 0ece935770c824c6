#include "colors/ColorNames.h"

#include <gtest/gtest.h>

#include <set>

namespace kestro {
namespace {

struct NameCase {
    const char* text;
    ColorValue expected;
};

TEST(NameToColor, ReadsNamesHexFormsAndFallBacks) {
    const NameCase cases[] = {
        {"red", 0x000000FF},        {"Red", 0x000000FF},       {"RED", 0x000000FF},
        {" Red", 0xFF000005},       {"Red ", 0xFF000005},      {"Grey", 0x00808080},
        {"gray", 0x00808080},       {"$FF0000", 0x020000FF},   {"$ff8000", 0x020080FF},
        {"$123456", 0x02563412},    {"$FF000", 0x00808080},    {"$FF00000", 0x00808080},
        {"$GG0000", 0x00808080},    {"$", 0x00808080},         {"", 0xFF000005},
        {"Unknown", 0xFF000005},    {"None", 0x1FFFFFFF},      {"btnface", 0xFF00000F},
        {"3ddkshadow", 0xFF000015}, {"InfoBk", 0xFF000018},    {"MoneyGreen", 0x00C0DCC0},
        {"Whit\u00e9", 0xFF000005}, {"scrollbar", 0xFF000000}, {"$0g0000", 0x00808080},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameToColor(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(ColorToName, WritesTableNamesHexFormsAndUnknown) {
    const struct {
        ColorValue value;
        const char* expected;
    } cases[] = {
        {0x00808080, "Gray"},    {0xFF000005, "Window"},    {0x1FFFFFFF, "None"},
        {0x000000FF, "Red"},     {0xFF000000, "Scrollbar"}, {0xFF000018, "InfoBk"},
        {0xFF00001A, "Unknown"}, {0xFF000019, "Unknown"},   {0x00123456, "Unknown"},
        {0x020000FF, "$FF0000"}, {0x020080FF, "$FF8000"},   {0x02ABCDEF, "$EFCDAB"},
        {0x02000000, "$000000"}, {0x01000000, "Unknown"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToName(c.value), QLatin1String(c.expected)) << std::hex << c.value;
}

TEST(ColorNames, EveryWrittenNameAndHexFormReadsBackToItsValue) {
    // Every name the program writes, with its value; "Grey" is read but never written.
    const NameCase written[] = {
        {"Black", 0x00000000},         {"Maroon", 0x00000080},
        {"Green", 0x00008000},         {"Olive", 0x00008080},
        {"Navy", 0x00800000},          {"Purple", 0x00800080},
        {"Teal", 0x00808000},          {"Gray", 0x00808080},
        {"Silver", 0x00C0C0C0},        {"Red", 0x000000FF},
        {"Lime", 0x0000FF00},          {"Yellow", 0x0000FFFF},
        {"Blue", 0x00FF0000},          {"Fuchsia", 0x00FF00FF},
        {"Aqua", 0x00FFFF00},          {"White", 0x00FFFFFF},
        {"MoneyGreen", 0x00C0DCC0},    {"SkyBlue", 0x00F0CAA6},
        {"Cream", 0x00F0FBFF},         {"MedGray", 0x00A4A0A0},
        {"Scrollbar", 0xFF000000},     {"Background", 0xFF000001},
        {"ActiveCaption", 0xFF000002}, {"InactiveCaption", 0xFF000003},
        {"Menu", 0xFF000004},          {"Window", 0xFF000005},
        {"WindowFrame", 0xFF000006},   {"MenuText", 0xFF000007},
        {"WindowText", 0xFF000008},    {"CaptionText", 0xFF000009},
        {"ActiveBorder", 0xFF00000A},  {"InactiveBorder", 0xFF00000B},
        {"AppWorkspace", 0xFF00000C},  {"Highlight", 0xFF00000D},
        {"HighlightText", 0xFF00000E}, {"BtnFace", 0xFF00000F},
        {"BtnShadow", 0xFF000010},     {"GrayText", 0xFF000011},
        {"BtnText", 0xFF000012},       {"InactiveCaptionText", 0xFF000013},
        {"BtnHighlight", 0xFF000014},  {"3DDkShadow", 0xFF000015},
        {"3DLight", 0xFF000016},       {"InfoText", 0xFF000017},
        {"InfoBk", 0xFF000018},        {"None", 0x1FFFFFFF},
    };
    std::set<ColorValue> seen;
    for (const NameCase& c : written) {
        EXPECT_TRUE(seen.insert(c.expected).second) << c.text << " written twice";
        EXPECT_EQ(NameToColor(QLatin1String(c.text)), c.expected) << c.text;
        EXPECT_EQ(ColorToName(c.expected), QLatin1String(c.text));
    }
    for (ColorValue rgb : {0x000000u, 0x0000FFu, 0x123456u, 0xFFFFFFu, 0x80FF7Fu}) {
        const ColorValue hex = 0x02000000u | rgb;
        EXPECT_EQ(NameToColor(ColorToName(hex)), hex) << std::hex << hex;
    }
}

TEST(TextToFontStyle, ReadsTheFourStyleWords) {
    const struct {
        const char* text;
        FontStyleSet expected;
    } cases[] = {
        {"NORMAL", {}},
        {"bold", {true, false}},
        {"Italic", {false, true}},
        {"bold italic", {true, true}},
        {"ITALIC BOLD", {true, true}},
        {"BOLD  ITALIC", {}},
        {"Bold, Italic", {}},
        {"UNDERLINE", {}},
        {"", {}},
        {" BOLD", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToFontStyle(QLatin1String(c.text)), c.expected) << c.text;
}

} // namespace
} // namespace kestro
