#include "help/Jpeg.h"
#include "help/AboutPicture.h"

#include <QByteArray>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>

using namespace kestro;

namespace {

enum class Kind { Gray, Rgb, Cmyk };

struct Encoding {
    int width = 16;
    int height = 16;
    Kind kind = Kind::Rgb;
    bool progressive = false;
    bool manyScans = false; // a valid progressive script of 128 scans (grey only)
};

// Makes a test picture with libjpeg's encoder: a colour ramp.
QByteArray Encode(const Encoding& e) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    const int components = e.kind == Kind::Gray ? 1 : e.kind == Kind::Rgb ? 3 : 4;
    c.image_width = JDIMENSION(e.width);
    c.image_height = JDIMENSION(e.height);
    c.input_components = components;
    c.in_color_space = e.kind == Kind::Gray  ? JCS_GRAYSCALE
                       : e.kind == Kind::Rgb ? JCS_RGB
                                             : JCS_CMYK;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 90, TRUE);
    if (e.progressive)
        jpeg_simple_progression(&c);
    std::vector<jpeg_scan_info> scans;
    if (e.manyScans) {
        // Each coefficient in its own scan, first at half precision, then refined.
        for (int refine = 0; refine < 2; ++refine)
            for (int k = 0; k < 64; ++k)
                scans.push_back(jpeg_scan_info{1, {0, 0, 0, 0}, k, k, refine, 1 - refine});
        c.scan_info = scans.data();
        c.num_scans = int(scans.size());
    }
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(std::size_t(e.width * components));
    while (c.next_scanline < c.image_height) {
        for (int x = 0; x < e.width; ++x)
            for (int k = 0; k < components; ++k)
                row[std::size_t(x * components + k)] = static_cast<unsigned char>(
                    (x * 255 / e.width + k * 80 + int(c.next_scanline) * 3) & 0xFF);
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&c, &pointer, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    std::free(out);
    return bytes;
}

// Offset of the first marker segment of this kind before the scan data, or -1.
qsizetype FindMarker(const QByteArray& jpeg, unsigned char marker) {
    qsizetype pos = 2;
    while (pos + 4 <= jpeg.size() && uchar(jpeg[pos]) == 0xFF) {
        const auto kind = uchar(jpeg[pos + 1]);
        if (kind == marker)
            return pos;
        if (kind == 0xDA)
            return -1;
        pos += 2 + (uchar(jpeg[pos + 2]) << 8 | uchar(jpeg[pos + 3]));
    }
    return -1;
}

void Put16(QByteArray& bytes, qsizetype at, int value) {
    bytes[at] = char(value >> 8);
    bytes[at + 1] = char(value & 0xFF);
}

// Height and width of the frame header (SOF0 or SOF2).
QByteArray WithSize(QByteArray jpeg, int width, int height) {
    qsizetype sof = FindMarker(jpeg, 0xC0);
    if (sof < 0)
        sof = FindMarker(jpeg, 0xC2);
    if (sof < 0)
        return {};
    Put16(jpeg, sof + 5, height);
    Put16(jpeg, sof + 7, width);
    return jpeg;
}

void ExpectColor(const RgbImage& image, int x, int y, int r, int g, int b) {
    const auto* p =
        reinterpret_cast<const uchar*>(image.rgb.constData()) + (y * image.width + x) * 3;
    constexpr int tolerance = 48;
    EXPECT_NEAR(p[0], r, tolerance) << "red at " << x << "," << y;
    EXPECT_NEAR(p[1], g, tolerance) << "green at " << x << "," << y;
    EXPECT_NEAR(p[2], b, tolerance) << "blue at " << x << "," << y;
}

TEST(DecodeJpeg, TheAboutPictureIsABaseline276By199Picture) {
    const QByteArray jpeg = AboutPictureJpeg();
    EXPECT_GE(FindMarker(jpeg, 0xC0), 0);
    EXPECT_LT(FindMarker(jpeg, 0xC2), 0);

    const JpegDecodeResult result = DecodeJpeg(jpeg);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.image.width, 276);
    EXPECT_EQ(result.image.height, 199);
    ASSERT_EQ(result.image.rgb.size(), 276 * 199 * 3);
    // The title band, then a red, a lime and a blue day of the first week.
    ExpectColor(result.image, 5, 5, 0x1C, 0x2F, 0x5E);
    ExpectColor(result.image, 122, 66, 0xFF, 0x00, 0x00);
    ExpectColor(result.image, 158, 66, 0x00, 0xFF, 0x00);
    ExpectColor(result.image, 230, 66, 0x00, 0x00, 0xFF);
}

TEST(DecodeJpeg, DecodesEveryKindOfPictureItShows) {
    struct Case {
        const char* what;
        Encoding encoding;
    };
    const Case cases[] = {
        {"grey 8 x 8", {8, 8, Kind::Gray, false, false}},
        {"colour 33 x 17", {33, 17, Kind::Rgb, false, false}},
        {"progressive colour 40 x 24", {40, 24, Kind::Rgb, true, false}},
        {"one pixel", {1, 1, Kind::Rgb, false, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const JpegDecodeResult result = DecodeJpeg(Encode(c.encoding));
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.image.width, c.encoding.width);
        EXPECT_EQ(result.image.height, c.encoding.height);
        ASSERT_EQ(result.image.rgb.size(), qsizetype(c.encoding.width) * c.encoding.height * 3);
        if (c.encoding.kind == Kind::Gray) {
            const QByteArray& rgb = result.image.rgb;
            for (qsizetype i = 0; i < rgb.size(); i += 3)
                ASSERT_TRUE(rgb[i] == rgb[i + 1] && rgb[i] == rgb[i + 2]) << i;
        }
    }
}

TEST(DecodeJpeg, EveryCutShortPictureIsAnError) {
    const QByteArray jpeg = AboutPictureJpeg();
    for (qsizetype length = 0; length < jpeg.size(); length += 97) {
        const JpegDecodeResult result = DecodeJpeg(jpeg.left(length));
        ASSERT_FALSE(result.ok()) << length;
        EXPECT_TRUE(result.image.rgb.isEmpty());
    }
}

struct DamageCase {
    const char* what;
    std::function<QByteArray()> bytes;
    const char* errorPart;
};

void PrintTo(const DamageCase& c, std::ostream* out) {
    *out << c.what;
}

class DamagedJpeg : public testing::TestWithParam<DamageCase> {};

TEST_P(DamagedJpeg, IsAnErrorWithoutPixels) {
    const QByteArray bytes = GetParam().bytes();
    const JpegDecodeResult result = DecodeJpeg(bytes);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains(QLatin1StringView(GetParam().errorPart)))
        << result.error.toStdString();
    EXPECT_EQ(result.image.width, 0);
    EXPECT_TRUE(result.image.rgb.isEmpty());
}

QByteArray About() {
    return AboutPictureJpeg();
}

QByteArray WithByte(QByteArray jpeg, qsizetype at, char value) {
    jpeg[at] = value;
    return jpeg;
}

INSTANTIATE_TEST_SUITE_P(
    Damage, DamagedJpeg,
    testing::Values(
        DamageCase{"empty", [] { return QByteArray(); }, "empty"},
        DamageCase{"text", [] { return QByteArray("This is not a picture at all."); },
                   "cannot be read"},
        DamageCase{"start marker only", [] { return QByteArray("\xFF\xD8", 2); }, "damaged"},
        DamageCase{"headers only", [] { return About().left(FindMarker(About(), 0xDA) + 14); },
                   "damaged"},
        DamageCase{"half the scan", [] { return About().left(About().size() / 2); }, "damaged"},
        DamageCase{"no end marker", [] { return About().chopped(2); }, "damaged"},
        DamageCase{"end marker inside the scan",
                   [] {
                       QByteArray jpeg = About();
                       return jpeg.replace(jpeg.size() / 2, 2, "\xFF\xD9");
                   },
                   "damaged"},
        DamageCase{"seven-bit samples",
                   [] { return WithByte(About(), FindMarker(About(), 0xC0) + 4, 7); },
                   "cannot be read"},
        DamageCase{"bogus Huffman table",
                   [] {
                       QByteArray jpeg = About();
                       const qsizetype dht = FindMarker(jpeg, 0xC4);
                       for (qsizetype i = dht + 5; i < dht + 21; ++i)
                           jpeg[i] = char(0xFF);
                       return jpeg;
                   },
                   "cannot be read"},
        DamageCase{"65000 x 65000 in the header", [] { return WithSize(About(), 65000, 65000); },
                   "too large"},
        DamageCase{"wider than the cap", [] { return WithSize(About(), MaxJpegSide + 1, 8); },
                   "too large"},
        DamageCase{"more pixels than the cap", [] { return WithSize(About(), 8192, 8192); },
                   "too large"},
        DamageCase{"no height", [] { return WithSize(About(), 276, 0); }, "cannot be read"},
        DamageCase{"CMYK colours",
                   [] {
                       return Encode({16, 16, Kind::Cmyk, false, false});
                   },
                   "cannot be shown"},
        DamageCase{"128 progressive scans",
                   [] {
                       return Encode({16, 16, Kind::Gray, false, true});
                   },
                   "too many scans"}),
    [](const testing::TestParamInfo<DamageCase>& param) {
        std::string name;
        for (const char* p = param.param.what; *p != '\0'; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

} // namespace
