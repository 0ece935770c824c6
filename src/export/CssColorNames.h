#pragma once

#include "colors/ColorNames.h"

#include <QString>

#include <span>

namespace kestro {

struct CssColor {
    const char* name;
    std::uint32_t rgb; // 0xRRGGBB
};

// The CSS3 color keywords, the sixteen basic names first; of two names for the same color
// (aqua/cyan, fuchsia/magenta, gray/grey) only the first is listed.
std::span<const CssColor> CssColorTable();

// The CSS3 color keyword nearest to an RGB color (either of its two forms), for a calendar
// event's COLOR. Empty for no color and for the desktop's system colors, which have no fixed
// value.
QString NearestCssColorName(ColorValue color);

} // namespace kestro
