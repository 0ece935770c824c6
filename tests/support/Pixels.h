#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

namespace kestro::test {

// How many pixels of the image, or of an area of it, have exactly the color.
int PixelsOf(const QImage& image, const QColor& color);
int PixelsOf(const QImage& image, const QRect& area, const QColor& color);

// How many pixels of the image lie within tolerance of the color in each channel.
int PixelsNear(const QImage& image, QRgb color, int tolerance);

} // namespace kestro::test
