#pragma once

#include "colors/ColorNames.h"

#include <optional>
#include <span>

namespace kestro {

// One entry of the Set Color dialog's pick lists.
struct PickListEntry {
    const char* name; // shown beside the swatch
    ColorValue color;
};

inline constexpr int PickListSize = 50;

// The entries of both pick lists, top first: sixteen basic colors, four further fixed colors and
// thirty desktop system colors. There is no entry for "no color" and none for a mixed color.
std::span<const PickListEntry> PickListEntries();

// The entry a list selects when it is given a color: the first entry of that color, or none for a
// color no entry has (a "$RRGGBB" color, no color at all).
std::optional<int> SelectionIndexOf(ColorValue color);

// The color of a list's selection; nothing when no entry (or no valid entry) is selected.
std::optional<ColorValue> SelectionColor(std::optional<int> index);

} // namespace kestro
