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
    std::set<ColorValue> seen;
    for (const ColorName& entry : ColorNameTable()) {
        if (entry.written == nullptr)
            continue;
        EXPECT_TRUE(seen.insert(entry.value).second) << entry.written << " written twice";
        EXPECT_EQ(NameToColor(QLatin1String(entry.written)), entry.value) << entry.written;
        EXPECT_EQ(ColorToName(entry.value), QLatin1String(entry.written));
    }
    EXPECT_EQ(ColorNameTable().size(), 47u);
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
