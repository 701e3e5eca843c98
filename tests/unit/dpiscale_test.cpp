#include "support/dpiscale.h"

#include <gtest/gtest.h>

TEST(ScaleToDpi, RoundsLikeMulDiv) {
    const struct {
        int pixels, dpi, expected;
    } cases[] = {
        {100, 96, 100}, {100, 144, 150}, {100, 192, 200}, {13, 144, 20}, // 19.5 rounds up
        {7, 120, 9},    {-13, 144, -20}, {0, 192, 0},     {5, 0, 5},     // no dpi: 96
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleToDpi(c.pixels, c.dpi), c.expected) << c.pixels << " at " << c.dpi;
}

// Neighbours stay neighbours: edges are scaled, so no gap opens or closes by rounding.
TEST(ScaleBox, EdgesScaleNotSizes) {
    const PixelBox a = ScaleBox({18, 22, 80, 18}, 144), b = ScaleBox({98, 22, 6, 18}, 144);
    EXPECT_EQ(a.x + a.width, b.x);
    EXPECT_EQ(a.x, 27);
    EXPECT_EQ(a.width, 120);
    EXPECT_EQ(a.height, 27);
}
