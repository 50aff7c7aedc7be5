// The palette is chosen by the colour depth of the screen.
#include "design_paint_fixture.h"

namespace designtest {
namespace {

TEST(DesignPalette, DepthChoosesTheHighOrLowColourPalette)
{
    const QColor high = TDesignPalette::highColour().marginLine.color;
    const QColor low = TDesignPalette::lowColour().marginLine.color;
    ASSERT_NE(high, low);
    const struct {
        int bits;
        QColor margin;
    } cases[] = {{1, low}, {4, low}, {8, low}, {15, high}, {16, high}, {24, high}, {32, high}, {0, high}, {-1, high}};
    for (const auto& c : cases)
        EXPECT_EQ(TDesignPalette::forColourDepth(c.bits).marginLine.color, c.margin) << c.bits;
}

TEST(DesignPalette, TheOffscreenScreenGetsTheHighColourPalette)
{
    // The offscreen platform reports a 32-bit screen.
    EXPECT_EQ(TDesignPalette::current().marginLine.color, TDesignPalette::highColour().marginLine.color);
}

} // namespace
} // namespace designtest
