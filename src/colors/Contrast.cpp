#include "colors/Contrast.h"

#include <algorithm>
#include <cmath>

namespace kestro {
namespace {

double LinearChannel(int channel) {
    const double c = std::clamp(channel, 0, 255) / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double RelativeLuminance(Rgb color) {
    return 0.2126 * LinearChannel(color.red) + 0.7152 * LinearChannel(color.green) +
           0.0722 * LinearChannel(color.blue);
}

double ContrastRatio(Rgb first, Rgb second) {
    const double a = RelativeLuminance(first);
    const double b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

Rgb ReadableTextColor(Rgb text, bool userSet, Rgb background, Rgb desktopText) {
    if (userSet || ContrastRatio(text, background) >= MinimumContrast)
        return text;
    return desktopText;
}

} // namespace kestro
