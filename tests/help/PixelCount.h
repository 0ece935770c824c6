#pragma once

#include <QImage>
#include <QtGlobal>

// How many pixels of image lie within tolerance of color in each channel.
inline int CountNear(const QImage& image, QRgb color, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAbs(qRed(pixel) - qRed(color)) <= tolerance &&
                qAbs(qGreen(pixel) - qGreen(color)) <= tolerance &&
                qAbs(qBlue(pixel) - qBlue(color)) <= tolerance)
                ++count;
        }
    return count;
}
