#include "support/Pixels.h"

#include <QtGlobal>

namespace kestro::test {

int PixelsOf(const QImage& image, const QColor& color) {
    return PixelsOf(image, image.rect(), color);
}

int PixelsOf(const QImage& image, const QRect& area, const QColor& color) {
    const QRect inside = area & image.rect();
    int count = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixelColor(x, y) == color;
    }
    return count;
}

int PixelsNear(const QImage& image, QRgb color, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qAbs(qRed(pixel) - qRed(color)) <= tolerance &&
                     qAbs(qGreen(pixel) - qGreen(color)) <= tolerance &&
                     qAbs(qBlue(pixel) - qBlue(color)) <= tolerance;
        }
    }
    return count;
}

} // namespace kestro::test
