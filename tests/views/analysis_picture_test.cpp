#include "views/analysis_picture.h"

#include "analysis/analyzer.h"
#include "raster/primitives.h" // kBevelDark
#include "support/test_support.h"
#include "views/graph_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace spectrane {
namespace {

constexpr Color kSentinel = rgb(1, 2, 3);

struct Drawn {
    std::unique_ptr<GradationAnalysis> analysis = std::make_unique<GradationAnalysis>();
    Surface surface{kAnalysisPictureMaxWidth + 10, kAnalysisPictureHeight + 10, kSentinel};
    test::FakeTextRenderer text;

    explicit Drawn(const GradationDocument& doc) {
        static const Analyzer analyzer;
        analyzer.analyze(doc, *analysis);
        DrawAnalysisPicture(surface, *analysis, text);
    }
    bool wrote(const std::string& s) const {
        return std::ranges::any_of(text.calls, [&s](const auto& call) { return call.text == s; });
    }
    // The ring of a marker centred on (x, y): its leftmost, rightmost, top and bottom pixels.
    bool markerAt(int x, int y, Color c) const {
        return surface.pixel(x - 1, y) == c && surface.pixel(x + 2, y) == c &&
               surface.pixel(x, y - 1) == c && surface.pixel(x, y + 2) == c;
    }
};

TEST(AnalysisPicture, FlatGreyGivesAFlatLightnessLineAtItsRow) {
    const Drawn d(*test::flatLevels(100, 119, 119, 119));
    // L* of (119, 119, 119) is 50.03: row 232 - 100 at 2 pixels per unit.
    for (int j = 0; j < 100; ++j) {
        EXPECT_EQ(d.surface.pixel(56 + j, 132), kLightnessCurveColor) << j;
        EXPECT_NE(d.surface.pixel(56 + j, 131), kLightnessCurveColor) << j;
    }
    EXPECT_EQ(d.surface.pixel(56, 32), kFrameColor);
    EXPECT_EQ(d.surface.pixel(155, 272), kFrameColor);
    EXPECT_EQ(d.surface.pixel(60, 52), kGridColor);         // L* 90
    EXPECT_EQ(d.surface.pixel(299, 619), kBackgroundColor); // 300 wide at least
    EXPECT_EQ(d.surface.pixel(300, 100), kSentinel);
    EXPECT_TRUE(d.wrote("L*  min 50.03  max 50.03  reversals 0"));
    for (const char* label : {"RGB", "L*", "Pro", "Deu", "Tri", "100", "50", "0"}) {
        EXPECT_TRUE(d.wrote(label)) << label;
    }
}

TEST(AnalysisPicture, StripsShowTheColourItsGreyAndTheSimulations) {
    const Drawn d(*test::flatLevels(512, 255, 0, 0));
    // Red; the grey of luminance 0.2126; the Machado matrices applied by hand.
    const Color expected[] = {rgb(255, 0, 0), rgb(127, 127, 127), rgb(109, 95, 0), rgb(163, 144, 0),
                              rgb(255, 0, 15)};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(d.surface.pixel(56, 392 + 40 * k), expected[k]) << k;
        EXPECT_EQ(d.surface.pixel(567, 392 + 40 * k + 31), expected[k]) << k;
        EXPECT_EQ(d.surface.pixel(568, 424 + 40 * k), kBevelDark);
    }
    EXPECT_EQ(d.surface.pixel(623, 619), kBackgroundColor); // L + 112 wide
    EXPECT_EQ(d.surface.pixel(624, 619), kSentinel);
    // Stacked 32 apart (as spectrane-cli writes them) and clipped on every side.
    Surface small(8, 200, kSentinel);
    DrawAnalysisStrips(small, *d.analysis, -10, -16, 32);
    EXPECT_EQ(small.pixel(0, 0), expected[0]);
    EXPECT_EQ(small.pixel(7, 16), expected[1]);
    EXPECT_EQ(small.pixel(0, 143), expected[4]);
    EXPECT_EQ(small.pixel(0, 144), kSentinel);
}

TEST(AnalysisPicture, MarksTheReversalsTheJumpAndTheSeam) {
    // Shown as: white to dot 49, black at 50 rising to a grey peak at dot 100 and falling to
    // black at 150, black to the end; in CMY mode, so the levels are the complements.
    auto doc = test::flatLevels(200, 0, 0, 0);
    doc->loop = true;
    doc->cmy = true;
    for (int j = 0; j < 200; ++j) {
        const int shown = j < 50 ? 255 : (j < 150 ? 100 - 2 * std::abs(j - 100) : 0);
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(255 - shown);
        }
    }
    const Drawn d(*doc);
    const auto lightnessMarker = [&d](int j) {
        return d.markerAt(56 + j, lightnessRow(d.analysis->lab[j].l), kAnalysisMarkerColor);
    };
    EXPECT_TRUE(lightnessMarker(50));
    EXPECT_TRUE(lightnessMarker(100));
    EXPECT_FALSE(lightnessMarker(75));
    // White to black after dot 49 and across the seam: CIEDE2000 100, the axis top, row 272.
    EXPECT_TRUE(d.markerAt(56 + 49, 272, kAnalysisMarkerColor));
    EXPECT_EQ(d.surface.pixel(56 + 199, 272), kSeamColor);
    EXPECT_TRUE(d.wrote("CMY"));
    EXPECT_TRUE(d.wrote("seam (last dot -> dot 0)  dE00 100.00  jump"));
}

} // namespace
} // namespace spectrane
