#include "export/CssColorNames.h"

#include <QColor>

#include <gtest/gtest.h>

namespace kestro {
namespace {

// Qt knows the same keywords (from SVG, which CSS3 took over): every entry has its value there,
// and every keyword Qt knows has a color in the table.
TEST(CssColorTable, AgreesWithQtsColorKeywords) {
    for (const CssColor& css : CssColorTable()) {
        const QColor qt = QColor::fromString(QLatin1String(css.name));
        ASSERT_TRUE(qt.isValid()) << css.name;
        EXPECT_EQ(qt.rgb() & 0xFFFFFFu, css.rgb) << css.name;
    }
    for (const QString& name : QColor::colorNames()) {
        if (name == QLatin1String("transparent"))
            continue;
        const QRgb rgb = QColor::fromString(name).rgb() & 0xFFFFFFu;
        bool found = false;
        for (const CssColor& css : CssColorTable())
            found = found || css.rgb == rgb;
        EXPECT_TRUE(found) << name.toStdString();
    }
}

TEST(NearestCssColorName, NamesEqualColorsExactlyAndOthersByTheirLook) {
    const struct {
        ColorValue color;
        const char* name;
    } cases[] = {
        {0x000000FF, "red"},
        {0x020000FF, "red"},
        {0x00FFFF00, "aqua"},
        {0x00FF00FF, "fuchsia"},
        {0x00808080, "gray"},
        {0x00010101, "black"},
        {0x00FEFEFE, "white"},
        {0x000010F0, "red"},
        {0x0000A0FF, "orange"},
        {0x00E16941, "royalblue"},
        // System colors and no color have no fixed value.
        {0xFF00000F, ""},
        {0xFF000005, ""},
        {ColorNone, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestCssColorName(c.color), QLatin1String(c.name)) << std::hex << c.color;
}

} // namespace
} // namespace kestro
