#pragma once

#include "colors/ColorNames.h"

#include <QColor>
#include <QPalette>

#include <optional>

namespace kestro {

// Where a Windows system color (index 0x00 to 0x1E) is taken from in the desktop's palette.
struct PaletteEntry {
    QPalette::ColorGroup group = QPalette::Active;
    QPalette::ColorRole role = QPalette::Button;
};

// The nearest palette role for a Windows system-color index; nothing for an index that Windows
// does not define (it paints those black).
std::optional<PaletteEntry> SystemColorEntry(int index);

// What a color of the settings file looks like on this desktop: RGB as it is (also the "$" form),
// system colors from the palette, and nothing for "None", which is not painted at all.
std::optional<QColor> DesktopColor(ColorValue value, const QPalette& palette);

} // namespace kestro
