#include "colors/ColorPickList.h"

#include <gtest/gtest.h>

#include <set>

namespace kestro {
namespace {

constexpr ColorValue kBlack = 0x00000000;
constexpr ColorValue kRed = 0x000000FF;
constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr ColorValue kHotLight = 0xFF00001A;
constexpr ColorValue kFromHexText = 0x020080FF; // "$FF8000"

TEST(PickList, HoldsTheFiftyEntriesInOrder) {
    const struct {
        const char* name;
        ColorValue color;
    } expected[] = {
        {"Black", 0x00000000},
        {"Maroon", 0x00000080},
        {"Green", 0x00008000},
        {"Olive", 0x00008080},
        {"Navy", 0x00800000},
        {"Purple", 0x00800080},
        {"Teal", 0x00808000},
        {"Gray", 0x00808080},
        {"Silver", 0x00C0C0C0},
        {"Red", 0x000000FF},
        {"Lime", 0x0000FF00},
        {"Yellow", 0x0000FFFF},
        {"Blue", 0x00FF0000},
        {"Fuchsia", 0x00FF00FF},
        {"Aqua", 0x00FFFF00},
        {"White", 0x00FFFFFF},
        {"Money Green", 0x00C0DCC0},
        {"Sky Blue", 0x00F0CAA6},
        {"Cream", 0x00F0FBFF},
        {"Medium Gray", 0x00A4A0A0},
        {"Active Border", 0xFF00000A},
        {"Active Caption", 0xFF000002},
        {"Application Workspace", 0xFF00000C},
        {"Background", 0xFF000001},
        {"Button Face", 0xFF00000F},
        {"Button Highlight", 0xFF000014},
        {"Button Shadow", 0xFF000010},
        {"Button Text", 0xFF000012},
        {"Caption Text", 0xFF000009},
        {"Gradient Active Caption", 0xFF00001B},
        {"Gradient Inactive Caption", 0xFF00001C},
        {"Gray Text", 0xFF000011},
        {"Highlight Background", 0xFF00000D},
        {"Highlight Text", 0xFF00000E},
        {"Hot Light", 0xFF00001A},
        {"Inactive Border", 0xFF00000B},
        {"Inactive Caption", 0xFF000003},
        {"Inactive Caption Text", 0xFF000013},
        {"Info Background", 0xFF000018},
        {"Info Text", 0xFF000017},
        {"Menu Background", 0xFF000004},
        {"Menu Bar", 0xFF00001E},
        {"Menu Highlight", 0xFF00001D},
        {"Menu Text", 0xFF000007},
        {"Scroll Bar", 0xFF000000},
        {"3D Dark Shadow", 0xFF000015},
        {"3D Light", 0xFF000016},
        {"Window Background", 0xFF000005},
        {"Window Frame", 0xFF000006},
        {"Window Text", 0xFF000008},
    };
    const auto entries = PickListEntries();
    ASSERT_EQ(entries.size(), std::size(expected));
    ASSERT_EQ(int(entries.size()), PickListSize);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_STREQ(entries[i].name, expected[i].name) << "entry " << i;
        EXPECT_EQ(entries[i].color, expected[i].color) << expected[i].name;
    }
}

TEST(PickList, NamesTheSameFixedColorsAsTheSettingsFile) {
    // The twenty fixed colors are written by their file names; no two entries share a color.
    const auto entries = PickListEntries();
    std::set<ColorValue> seen;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_TRUE(seen.insert(entries[i].color).second) << entries[i].name;
        if (i < 20) {
            const QString fileName = ColorToName(entries[i].color);
            EXPECT_NE(fileName, QStringLiteral("Unknown")) << entries[i].name;
            EXPECT_EQ(NameToColor(fileName), entries[i].color) << entries[i].name;
        }
    }
}

TEST(PickList, SelectsTheFirstEntryOfAColorOrNone) {
    const struct {
        ColorValue color;
        const char* selected; // nullptr: no selection
    } cases[] = {
        {0x00808080, "Gray"},       {kRed, "Red"},
        {kWhite, "White"},          {0x00A4A0A0, "Medium Gray"},
        {0xFF000000, "Scroll Bar"}, {0xFF000005, "Window Background"},
        {kHotLight, "Hot Light"},   {kFromHexText, nullptr},
        {0x02808080, nullptr}, // gray from "$808080" is not the entry Gray
        {ColorNone, nullptr},       {0x00123456, nullptr},
        {0xFF000019, nullptr},      {0xFF00001F, nullptr},
    };
    for (const auto& c : cases) {
        const std::optional<int> index = SelectionIndexOf(c.color);
        if (c.selected == nullptr) {
            EXPECT_FALSE(index.has_value()) << std::hex << c.color;
            continue;
        }
        ASSERT_TRUE(index.has_value()) << c.selected;
        EXPECT_STREQ(PickListEntries()[std::size_t(*index)].name, c.selected);
        EXPECT_EQ(SelectionColor(index), c.color) << c.selected;
    }
}

TEST(PickList, NothingSelectedHasNoColor) {
    EXPECT_FALSE(SelectionColor(std::nullopt).has_value());
    EXPECT_FALSE(SelectionColor(-1).has_value());
    EXPECT_FALSE(SelectionColor(PickListSize).has_value());
    EXPECT_EQ(SelectionColor(0), kBlack);
    EXPECT_EQ(SelectionColor(PickListSize - 1), 0xFF000008u);
}

} // namespace
} // namespace kestro
