#include "colors/ColorPickList.h"

#include <array>

namespace kestro {
namespace {

constexpr std::array<PickListEntry, PickListSize> kEntries{{
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
}};

} // namespace

std::span<const PickListEntry> PickListEntries() {
    return kEntries;
}

std::optional<int> SelectionIndexOf(ColorValue color) {
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        if (kEntries[i].color == color)
            return int(i);
    }
    return std::nullopt;
}

std::optional<ColorValue> SelectionColor(std::optional<int> index) {
    if (!index || *index < 0 || *index >= PickListSize)
        return std::nullopt;
    return kEntries[std::size_t(*index)].color;
}

} // namespace kestro
