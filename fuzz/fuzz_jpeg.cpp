// Arbitrary bytes as a JPEG picture: the decoder gives a picture within the size limits whose
// pixel buffer matches its size, or an error text and no pixels; never a crash or a hang.
#include "help/Jpeg.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kestro;

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_jpeg: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const JpegDecodeResult result = DecodeJpeg(bytes);
    if (result.ok()) {
        const RgbImage& image = result.image;
        Check(image.width > 0 && image.height > 0, "a decoded picture has pixels");
        Check(image.width <= MaxJpegSide && image.height <= MaxJpegSide, "side within the cap");
        Check(qint64(image.width) * image.height <= MaxJpegPixels, "pixels within the cap");
        Check(image.rgb.size() == qsizetype(image.width) * image.height * 3, "three bytes a pixel");
    } else {
        Check(!result.error.isEmpty(), "an error has a text");
        Check(result.image.rgb.isEmpty() && result.image.width == 0, "an error has no pixels");
    }
    return 0;
}
