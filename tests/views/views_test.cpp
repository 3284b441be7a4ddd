// The views: the plot's background, frame, layers and markers, and the analysis picture's
// lightness line, strips and markers, pixel by pixel.
#include "analysis/analyzer.h"
#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "support/test_support.h"
#include "views/analysis_picture.h"
#include "views/analysis_window_place.h"
#include "views/bitmap_window_layout.h"
#include "views/graph_painter.h"
#include "views/main_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string_view>

namespace spectrane {
namespace {

using test::countColour;

constexpr Color kSentinel = rgb(1, 2, 3);
constexpr Color kInk = rgb(255, 255, 255);

GraphBuffers& sharedBuffers() {
    static auto buffers = std::make_unique<GraphBuffers>();
    return *buffers;
}

// Every pixel of the panel (x 54..L+57, y 30..354) at three lengths: a frame around dots 0..L-1
// and y 32..352, a grid every 16 pixels, levels 0 and 256 (y 320, 64) over it, nothing outside.
TEST(GraphPainter, BackgroundGridLevelLinesAndFrame) {
    GraphBuffers& b = sharedBuffers();
    Surface& s = b.graphBackground;
    for (const int l : {2, 512, 1600}) {
        s.fill(kSentinel);
        DrawGraphBackground(b, l);
        const int right = l + 55; // the last dot's column
        for (int y = 0; y < s.height(); ++y) {
            for (int x = 0; x < s.width(); ++x) {
                Color expected = kSentinel;
                if (x < 54 || x > l + 57 || y < 30) {
                } else if (x < 56 || x > right || y < 32 || y > 352) {
                    expected = kBackgroundColor;
                } else if (x == 56 || x == right || y == 32 || y == 352) {
                    expected = kFrameColor;
                } else if (y == 64 || y == 320) {
                    expected = kLevelLineColor;
                } else if ((x - 56) % 16 == 0 || (y - 32) % 16 == 0) {
                    expected = kGridColor;
                } else {
                    expected = kBackgroundColor;
                }
                ASSERT_EQ(s.pixel(x, y), expected) << "length " << l << " at " << x << "," << y;
            }
        }
    }
    // The colour bars are labelled for the mode: the mix, then the three channels.
    const std::vector<std::string> labels[] = {
        {"RGB", "R", "G", "B"}, {"CMY", "C", "M", "Y"}, {"LCh", "L", "C", "h"}};
    for (const ColorMode mode : {ColorMode::Rgb, ColorMode::Cmy, ColorMode::Oklch}) {
        test::FakeTextRenderer text;
        DrawMainFrame(b, 512, mode, text);
        std::vector<std::string> drawn;
        for (const auto& call : text.calls) {
            drawn.push_back(call.text);
        }
        EXPECT_EQ(drawn, labels[static_cast<int>(mode)]);
    }
}

// Channel 0 is a curve through anchors, one above level 255; channels 1 and 2 have levels per dot
// only, rising and falling a level every 2 dots to cross at dot 254, level 127.
TEST(GraphPainter, LayersComposeAndSwitchWithMarkersOnTheCurrentChannel) {
    GraphBuffers& b = sharedBuffers();
    auto doc =
        test::openDocumentFromAnchors(512, {{56, 300}, {200.7, 150.2}, {400, 40.5}, {567, 345}});
    doc->channels[1].pointCount = doc->channels[2].pointCount = 0;
    for (int j = 0; j < 512; ++j) {
        doc->colorLine[1][j].y = CanvasGeometry::levelY(j / 2);
        doc->colorLine[2][j].y = CanvasGeometry::levelY(254 - j / 2);
    }
    const ChannelColors colors = test::channelColorsFor(ColorMode::Rgb);
    EXPECT_EQ(colors.marker, rgb(224, 224, 0));
    DrawGraphBackground(b, 512);
    RebuildChannelLayers(b, *doc, colors);
    ComposeGraph(b, *doc, colors, 0);
    const Surface& m = b.mainBuffer;
    const int x = 56 + 100;
    EXPECT_EQ(m.pixel(56 + 254, 320 - 127), colors.inactive[1] | colors.inactive[2]); // ORed
    EXPECT_EQ(m.pixel(x, 320 - 50), colors.inactive[1]);
    EXPECT_EQ(m.pixel(x, 320 - 204), colors.inactive[2]);
    EXPECT_EQ(m.pixel(x, doc->colorLine[0][100].y), colors.active[0]); // current, on top
    EXPECT_EQ(m.pixel(72, 100), kGridColor);
    EXPECT_EQ(b.channelLayers[1].pixel(56 + 254, 320 - 127), colors.inactive[1]);
    EXPECT_EQ(b.channelLayers[0].pixel(x, 320 - 50), kBackgroundColor); // its own curve only
    // Markers (4 x 4 rings) on the current channel's anchors, above level 255 too; the curve
    // stays in the level band, its last dot not drawn.
    const ChannelCurve& c = doc->channels[0];
    for (int i = 0; i < 4; ++i) {
        const int cx = static_cast<int>(std::floor(c.anchorPoints[i].x));
        const int cy = static_cast<int>(std::floor(c.anchorPoints[i].y));
        EXPECT_EQ(countColour(m, colors.marker, {cx - 1, cy - 1, cx + 3, cy + 3}), 8) << i;
    }
    EXPECT_EQ(countColour(m, colors.marker), 4 * 8);
    EXPECT_EQ(countColour(m, colors.active[0], {54, 30, 570, 64}), 0);
    EXPECT_EQ(b.channelLayers[1].pixel(566, 65), colors.inactive[1]);
    EXPECT_EQ(b.channelLayers[1].pixel(567, 65), kFrameColor); // the polyline's end point
    Surface wide(700, 400);
    DrawCurve(wide, *doc, 1, -50, 5000, kInk);
    EXPECT_EQ(test::countColour(wide, kInk, {56, 0, 567, 400}), test::countColour(wide, kInk));

    // Switching keeps each layer's last edited curve; channels without points show no markers.
    const int oldY[3] = {doc->colorLine[0][100].y, doc->colorLine[1][100].y,
                         doc->colorLine[2][100].y};
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(doc->currentChannel, ch);
        for (int j = 0; j < 512; ++j) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(61 + 50 * ch);
        }
        SwitchToNextChannel(b, *doc, colors);
        EXPECT_EQ(countColour(m, colors.marker), ch == 2 ? 4 * 8 : 0);
    }
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        for (ChannelIndex other = 0; other < 3; ++other) {
            EXPECT_EQ(b.channelLayers[ch].pixel(x, 320 - (61 + 50 * other)),
                      other == ch ? colors.inactive[ch] : kBackgroundColor);
        }
        EXPECT_EQ(b.channelLayers[ch].pixel(x, oldY[ch]), kBackgroundColor) << "old curve";
    }
    const ChannelColors cmy = test::channelColorsFor(ColorMode::Cmy);
    EXPECT_EQ(cmy.marker, rgb(255, 255, 255));
    RebuildChannelLayers(b, *doc, cmy);
    ComposeGraph(b, *doc, cmy, 0);
    EXPECT_EQ(m.pixel(x, 320 - 61), kCmyCurveColors[0]);
    EXPECT_EQ(m.pixel(x, 320 - 111), kCmyInactiveColors[1]);
    EXPECT_EQ(countColour(m, kCmyMarkerColor), 4 * 8);
}

// The gradation window's buffer: the gradation with a margin of 24 on each side along it, at
// least 104 long with a short gradation centred; across, the thickness and its two margins.
TEST(BitmapWindowLayout, BufferHoldsTheGradationAndItsMargins) {
    struct Row {
        int direction, length, thickness;
        int along, across, margin;
    };
    const Row rows[] = {{0, 512, 192, 560, 240, 24}, {1, 512, 192, 560, 240, 24},
                        {2, 1600, 40, 1648, 88, 24}, {0, 56, 192, 104, 240, 24},
                        {3, 40, 192, 104, 240, 32},  {0, 2, 192, 104, 240, 51}};
    for (const Row& r : rows) {
        const BitmapWindowLayout l =
            layoutBitmapWindow(r.direction, r.length, r.thickness, 1920, 1080, {}, {});
        const bool vertical = (r.direction & 1) != 0;
        EXPECT_EQ(vertical ? l.bufferHeight : l.bufferWidth, r.along) << r.length;
        EXPECT_EQ(vertical ? l.bufferWidth : l.bufferHeight, r.across) << r.length;
        EXPECT_EQ(vertical ? l.marginY : l.marginX, r.margin) << r.length;
    }
}

struct Drawn {
    std::unique_ptr<GradationAnalysis> analysis = std::make_unique<GradationAnalysis>();
    Surface surface{kAnalysisPictureMaxWidth + 10, kAnalysisPictureHeight + 10, kSentinel};
    test::FakeTextRenderer text;

    explicit Drawn(const GradationDocument& doc, const AnalysisLayout& layout = {},
                   const AnalysisWords& words = {}) {
        static const Analyzer analyzer;
        analyzer.analyze(doc, *analysis);
        DrawAnalysisPicture(surface, *analysis, text, layout, words);
    }
    bool wrote(const std::string& s) const {
        return std::ranges::any_of(text.calls, [&s](const auto& call) { return call.text == s; });
    }
    // The ring of a marker centred on (x, y), at least 6 pixels across: its leftmost,
    // rightmost, top and bottom pixels.
    bool markerAt(int x, int y, Color c) const {
        return surface.pixel(x - 2, y) == c && surface.pixel(x + 3, y) == c &&
               surface.pixel(x, y - 2) == c && surface.pixel(x, y + 3) == c;
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
    DrawAnalysisStrips(small, *d.analysis, -10, -16, 32, 32);
    EXPECT_EQ(small.pixel(0, 0), expected[0]);
    EXPECT_EQ(small.pixel(7, 16), expected[1]);
    EXPECT_EQ(small.pixel(0, 143), expected[4]);
    EXPECT_EQ(small.pixel(0, 144), kSentinel);
}

TEST(AnalysisPicture, MarksTheReversalsTheJumpAndTheSeam) {
    // White to dot 49, black rising to a grey peak at dot 100 and back to black at 150, shown in
    // CMY mode (the levels are the complements).
    auto doc = test::flatLevels(200, 0, 0, 0);
    doc->loop = true;
    doc->mode = ColorMode::Cmy;
    for (int j = 0; j < 200; ++j) {
        const int shown = j < 50 ? 255 : (j < 150 ? 100 - 2 * std::abs(j - 100) : 0);
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(255 - shown);
        }
    }
    const Drawn d(*doc);
    const auto lightnessMarker = [&d](int j) {
        return d.markerAt(56 + j, lightnessRow({}, d.analysis->lab[j].l), kAnalysisMarkerColor);
    };
    EXPECT_TRUE(lightnessMarker(50));
    EXPECT_TRUE(lightnessMarker(100));
    EXPECT_FALSE(lightnessMarker(75));
    // White to black after dot 49 and across the seam: CIEDE2000 100, the axis top, row 272.
    EXPECT_TRUE(d.markerAt(56 + 49, 272, kAnalysisMarkerColor));
    EXPECT_TRUE(d.markerAt(56 + 199, 272, kAnalysisMarkerColor));
    EXPECT_GT(countColour(d.surface, kSeamColor, {56 + 198, 272, 56 + 200, 373}), 0);
    // Round the loop: the white run, both blacks and the grey peak turn.
    EXPECT_EQ(d.analysis->reversalCount, 4);
    EXPECT_TRUE(d.wrote("CMY"));
    EXPECT_TRUE(d.wrote("seam (last dot -> dot 0)  dE00 100.00  jump"));
}

// Whatever room the window has, the picture fits it, nothing drawn below; the headings, the seam
// text and the labels stay put while the plots and strips scroll; the words are the ones given.
TEST(AnalysisPicture, ScalesToTheRoomAndKeepsItsHeadingsInView) {
    auto doc = test::randomDocument(300, 5, true);
    const AnalysisWords words{"明度 %1 %2 反転 %3", "ΔE %1 %2 %3 ジャンプ %4 バンド %5 均一 %6",
                              "継ぎ目 %1", " ジャンプ"};
    EXPECT_EQ(analysisLayoutFor(kAnalysisPictureHeight), AnalysisLayout{});
    for (int height : {200, 370, 371, 619, 620, 1000}) {
        const AnalysisLayout lay = analysisLayoutFor(height);
        const int h = lay.height;
        EXPECT_EQ(h, std::clamp(height, 370, 620));
        const Drawn d(*doc, lay, words);
        EXPECT_EQ(std::pair(d.surface.pixel(100, h - 1), d.surface.pixel(100, h)),
                  std::pair(kBackgroundColor, kSentinel))
            << height;
        EXPECT_EQ((lay.lightnessBottom - lay.lightnessTop) % 10, 0) << height;
        EXPECT_LE(lay.seamTextY + kAnalysisHeadingTextHeight, h) << height;
        EXPECT_GE(lay.stripHeight, 12) << height;
        const int lastStripRow = lay.stripTop + 4 * lay.stripPitch + lay.stripHeight - 1;
        for (int y = 0; y < h; ++y) {
            const bool heading = (y >= lay.lightnessHeadingY && y < lay.lightnessHeadingY + 12) ||
                                 (y >= lay.deltaEHeadingY && y < lay.deltaEHeadingY + 12) ||
                                 y >= lay.seamTextY;
            const bool plotted = (y >= lay.lightnessTop && y <= lay.lightnessBottom) ||
                                 (y >= lay.deltaETop && y <= lay.deltaEBottom) ||
                                 (y >= lay.stripTop && y <= lastStripRow);
            EXPECT_FALSE(heading && analysisScrollsAt(lay, 100, y)) << height << " " << y;
            EXPECT_EQ(plotted, plotted && analysisScrollsAt(lay, 56, y)) << height << " " << y;
            EXPECT_FALSE(analysisScrollsAt(lay, 55, y));
        }
        EXPECT_TRUE(std::ranges::any_of(
            d.text.calls, [](const auto& c) { return c.text.starts_with("継ぎ目 "); }));
        EXPECT_TRUE(std::ranges::any_of(d.text.calls, [&d](const auto& c) {
            return c.text.starts_with("明度 ") &&
                   c.text.ends_with(" 反転 " + std::to_string(d.analysis->reversalCount));
        }));
    }
    EXPECT_EQ(fillIn("%2-%1 %3 %", {"a", "b"}), "b-a %3 %");
}

// Whole inside the work area, under the plot and as wide as its view: right below the main
// window where the full picture fits, else pushed up just enough for the compact one.
TEST(AnalysisWindowPlace, InsideTheWorkAreaUnderThePlot) {
    const WindowFrame mainFrame{10, 60, 15, 15}; // frame, title, menu; the scroll bars
    const int frameLeft = 5, frameTop = 30, frameRight = 5, frameBottom = 5;
    for (const auto& [w, h] : {std::pair{1366, 768}, {1920, 1080}, {1920, 1600}, {1024, 600}}) {
        for (int length : {2, 256, 512, 700, 1600}) {
            const MainLayout main = layoutMainWindow(length, w, h, mainFrame);
            AnalysisPlaceInput in{.workArea = {0, 0, w, h}, .mainOuter = main.outer};
            in.plotLeft = main.outer.x + frameLeft;
            in.plotWidth = main.outer.width - mainFrame.extraWidth;
            in.pictureWidth = analysisPictureWidth(length);
            std::tie(in.frameLeft, in.frameTop, in.frameRight, in.frameBottom) =
                std::tie(frameLeft, frameTop, frameRight, frameBottom);
            const ScreenRect c = placeAnalysisWindow(in);
            const std::string what = std::to_string(w) + " L " + std::to_string(length);
            EXPECT_TRUE(c.x >= frameLeft && c.right() + frameRight <= w && c.y >= frameTop &&
                        c.bottom() + frameBottom <= h)
                << what;
            EXPECT_EQ(c.x, in.plotLeft) << what;
            EXPECT_EQ(c.width, std::min(in.plotWidth, in.pictureWidth)) << what;
            EXPECT_TRUE(c.height >= kAnalysisCompactPictureHeight &&
                        c.height <= kAnalysisPictureHeight)
                << what;
            const int below = main.outer.bottom() + frameTop;
            const bool fullFits = below + kAnalysisPictureHeight + frameBottom <= h;
            EXPECT_EQ(c.y, fullFits || c.height > kAnalysisCompactPictureHeight
                               ? below
                               : h - frameBottom - kAnalysisCompactPictureHeight)
                << what;
        }
    }
}

} // namespace
} // namespace spectrane
