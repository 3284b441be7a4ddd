#include "model/color_mode.h"
#include "model/gradation_render.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace spectrane {
namespace {

// OKLCh levels show the sRGB colour they were taken from well within a just noticeable
// difference; the memory of mapped colours never answers for another hue origin.
TEST(ColorModes, OklchLevelsShowTheColourTheyStandFor) {
    double worst = 0;
    for (int r = 0; r < 256; r += 17) {
        for (int g = 0; g < 256; g += 17) {
            for (int b = 0; b < 256; b += 17) {
                for (const double origin : {0.0, 200.5}) { // alternating: the memory is reset
                    const ColorModel model{ColorMode::Oklch, origin};
                    const auto levels = levelsOfColor(rgb(r, g, b), model);
                    const auto lv = [&](int k) { return static_cast<int>(std::lround(levels[k])); };
                    const ShownColor shown = shownColor(lv(0), lv(1), lv(2), model);
                    const GamutMapped direct =
                        gamutMapToSrgb(oklchOfLevels(lv(0), lv(1), lv(2), origin));
                    ASSERT_TRUE(shown.color == direct.color && shown.mapped == direct.mapped)
                        << r << " " << g << " " << b;
                    worst = std::max(worst, deltaEOK(oklabOf(shown.color), oklabOf(rgb(r, g, b))));
                }
            }
        }
    }
    EXPECT_LE(worst, 0.006); // 0.0045 today; a JND is 0.02
    // sRGB red is oklch(62.80% 0.2577 29.23) (CSS Color 4's worked example): chroma level 255
    // is 0.4, lightness level 255 is 1, the hue turns once over 255 levels.
    const auto red = levelsOfColor(rgb(255, 0, 0), {ColorMode::Oklch, 0.0});
    EXPECT_NEAR(red[0], 0.6280 * 255, 0.1);
    EXPECT_NEAR(red[1], 0.2577 / 0.4 * 255, 0.1);
    EXPECT_NEAR(red[2], 29.23 / 360 * 255, 0.1);
    const ColorModel model{ColorMode::Oklch, 40.0};
    EXPECT_EQ(displayedColor(150, 100, 0, model), displayedColor(150, 100, 255, model));
}

// In OKLCh the mixed bar shows the mapped colour, marked beneath where mapping was needed; the
// L bar is grey; a mapped dot's shown chroma lies below the chroma asked for.
TEST(ColorModes, GamutMarksFollowTheDotsThatNeededMapping) {
    auto doc = test::flatLevels(40, 150, 255, 60); // far outside sRGB
    for (int j = 20; j < 40; ++j) {
        doc->colorLine[1][j].y = CanvasGeometry::levelY(10); // a grey-ish half, inside
    }
    const ColorModel model{ColorMode::Oklch, 0.0};
    Surface canvas(200, 490, rgb(1, 2, 3));
    paintColorBars(canvas, doc->colorLine, -1, 0, 39, model);
    for (int j = 0; j < 40; ++j) {
        const ShownColor shown = shownDotColor(doc->colorLine, j, model);
        EXPECT_EQ(shown.mapped, j < 20) << j;
        EXPECT_EQ(shown.shownChroma < doc->colorLine.level(1, j), j < 20) << j;
        const int x = CanvasGeometry::dotX(j);
        EXPECT_EQ(canvas.pixel(x, colorBarTop(0)), shown.color);
        for (int y = kGamutMarkTop - 1; y <= kGamutMarkBottom; ++y) {
            const bool mark = y >= kGamutMarkTop && y < kGamutMarkBottom;
            EXPECT_EQ(canvas.pixel(x, y), !mark    ? rgb(1, 2, 3)
                                          : j < 20 ? kGamutMarkColor
                                                   : rgb(0, 0, 0))
                << j << " " << y;
        }
        const Color l = canvas.pixel(x, colorBarTop(1));
        EXPECT_TRUE(redOf(l) == greenOf(l) && greenOf(l) == blueOf(l)) << j;
    }
}

} // namespace
} // namespace spectrane
