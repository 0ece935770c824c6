#pragma once

#include <QByteArray>
#include <QString>

namespace kestro {

// Pictures larger than this are refused before any pixel memory is taken.
inline constexpr int MaxJpegSide = 8192;
inline constexpr qint64 MaxJpegPixels = 16 * 1024 * 1024;

// A decoded picture: 3 bytes (red, green, blue) a pixel, rows top to bottom, no padding.
struct RgbImage {
    int width = 0;
    int height = 0;
    QByteArray rgb;
};

struct JpegDecodeResult {
    RgbImage image;
    QString error; // empty when image holds the picture
    bool ok() const { return error.isEmpty(); }
};

// Decodes a JPEG picture (grey, YCbCr or RGB; baseline or progressive) with libjpeg. Anything the
// library warns about counts as damage: a truncated or corrupted picture is an error, never a
// half-grey picture.
JpegDecodeResult DecodeJpeg(const QByteArray& bytes);

} // namespace kestro
