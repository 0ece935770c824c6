#include "colors/Contrast.h"

#include <gtest/gtest.h>

namespace kestro {
namespace {

constexpr Rgb Black{0, 0, 0};
constexpr Rgb White{255, 255, 255};
constexpr Rgb DarkButton{0x42, 0x42, 0x45}; // a dark Fusion palette's button color
constexpr Rgb LightButton{0xEF, 0xEF, 0xEF};
constexpr Rgb Gray{0x80, 0x80, 0x80};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Silver{0xC0, 0xC0, 0xC0};

TEST(ContrastRatio, FollowsTheWcagFormula) {
    const struct {
        Rgb first, second;
        double expected;
    } cases[] = {
        {Black, White, 21.0},      {White, Black, 21.0},       {Gray, Gray, 1.0},
        {Black, DarkButton, 2.10}, {Gray, White, 3.95},        {Blue, Black, 2.44},
        {Silver, White, 1.81},     {White, DarkButton, 10.01}, {Black, LightButton, 18.26},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(ContrastRatio(c.first, c.second), c.expected, 0.01)
            << c.first.red << " on " << c.second.red;
}

TEST(ReadableTextColor, ReplacesOnlyHardToReadDefaults) {
    const struct {
        Rgb text;
        bool userSet;
        Rgb background;
        Rgb expected;
    } cases[] = {
        // The default month header, black, on a dark and on a light button face.
        {Black, false, DarkButton, White},
        {Black, false, LightButton, Black},
        // The same black written in the file stays black.
        {Black, true, DarkButton, Black},
        // Defaults that read well enough stay as they are.
        {Silver, false, DarkButton, Silver},
        {Blue, false, Black, White},
        {Blue, true, Black, Blue},
        {Gray, false, Rgb{0x11, 0x11, 0x11}, Gray},
        {Gray, false, Rgb{0xF5, 0xF5, 0xF5}, Gray},
        {Gray, false, Rgb{0x60, 0x60, 0x60}, White},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadableTextColor(c.text, c.userSet, c.background, White), c.expected)
            << c.text.red << "," << c.text.blue << " on " << c.background.red;
}

} // namespace
} // namespace kestro
