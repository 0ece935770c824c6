#pragma once

#include "colors/ColorNames.h"

#include <QColor>
#include <QPalette>

#include <optional>

namespace kestro {

// What a ColorValue paints on this desktop: an RGB color (either form) as itself, a Windows system
// color by the nearest role of the palette, and anything else (no color) as transparent. A system
// index Windows does not define paints black, as it does there.
QColor ColorToQColor(ColorValue color, const QPalette& palette);
// The same with the application's palette.
QColor ColorToQColor(ColorValue color);

// A color as painted with the palette: nothing at all for "no color".
std::optional<QColor> PaintColor(ColorValue color, const QPalette& palette);

} // namespace kestro
