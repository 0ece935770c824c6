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

// The color text is painted in on fill (a widget whose own background shows through a fill of
// "no color" paints that in the role behind). A color the user set is painted as set, and so is
// any text on a fill that is not the desktop's; a default text color on one of the desktop's
// colors that would read worse than MinimumContrast is painted in the palette's text color for
// that background instead (dark desktops make the default black unreadable).
std::optional<QColor> ReadableTextColor(ColorValue text, bool userSet, ColorValue fill,
                                        const QPalette& palette, QPalette::ColorRole behind);

} // namespace kestro
