#pragma once

namespace kestro {

// A color as drawn on the screen, 0 to 255 a channel.
struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Below this contrast ratio, text and large glyphs are hard to read (WCAG 2 for large text).
inline constexpr double MinimumContrast = 3.0;

// WCAG 2 relative luminance, 0 (black) to 1 (white).
double RelativeLuminance(Rgb color);
// WCAG 2 contrast ratio of two colors, 1 (the same) to 21 (black on white).
double ContrastRatio(Rgb first, Rgb second);

// The color to draw text in on a color of the desktop (background). A color the user set is drawn
// as set; a default that reads worse than MinimumContrast there gives way to the desktop's own
// text color for that background.
Rgb ReadableTextColor(Rgb text, bool userSet, Rgb background, Rgb desktopText);

} // namespace kestro
