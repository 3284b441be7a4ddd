#include "views/graph_painter.h"

#include "model/gradation_render.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

namespace spectrane {
namespace {

constexpr Color kSentinel = rgb(1, 2, 3);

GraphBuffers& sharedBuffers() {
    static auto buffers = std::make_unique<GraphBuffers>();
    return *buffers;
}

TEST(GraphBuffers, HaveTheirFullSizes) {
    const GraphBuffers& b = sharedBuffers();
    EXPECT_EQ(b.mainBuffer.width(), 1712);
    EXPECT_EQ(b.mainBuffer.height(), 490);
    for (const Surface* s : {&b.graphBackground, &b.inactiveComposite, &b.channelLayers[0],
                             &b.channelLayers[1], &b.channelLayers[2]}) {
        EXPECT_EQ(s->width(), 1712);
        EXPECT_EQ(s->height(), 354);
    }
    EXPECT_EQ(b.ringSave.width(), 33);
    EXPECT_EQ(b.previewSheet.height(), 385);
    EXPECT_EQ(b.previewCanvas.width(), 320);
    EXPECT_EQ(const_cast<GraphBuffers&>(b).gradationBuffer(1).height(), 1648);
    EXPECT_EQ(const_cast<GraphBuffers&>(b).gradationBuffer(2).width(), 1648);
}

TEST(ChannelColors, SwitchTogetherWithTheCmyFlag) {
    ChannelColors c;
    ChooseChannelColors(c, true);
    EXPECT_EQ(c.active[0], rgb(0, 232, 232));
    EXPECT_EQ(c.inactive[2], rgb(192, 192, 0));
    EXPECT_EQ(c.marker, rgb(255, 255, 255));
    ChooseChannelColors(c, false);
    EXPECT_EQ(c.active[1], rgb(0, 224, 0));
    EXPECT_EQ(c.inactive[0], rgb(234, 0, 0));
    EXPECT_EQ(c.marker, rgb(224, 224, 0));
}

TEST(DrawGraphBackground, GridLevelLinesAndFrameForShortMiddleAndLongest) {
    GraphBuffers& b = sharedBuffers();
    for (const int l : {2, 512, 1600}) {
        SCOPED_TRACE(l);
        Surface& s = b.graphBackground;
        s.fill(kSentinel);
        DrawGraphBackground(b, l);
        const int right = l + 55; // last dot column, the frame's right edge

        // Panel background x 54..L+57 from y 30 down to the buffer's end; nothing else.
        EXPECT_EQ(s.pixel(54, 30), kBackgroundColor);
        EXPECT_EQ(s.pixel(55, 353), kBackgroundColor);
        if (l + 58 < s.width()) {
            EXPECT_EQ(s.pixel(l + 57, 353), kBackgroundColor);
            EXPECT_EQ(s.pixel(l + 58, 100), kSentinel);
        }
        EXPECT_EQ(s.pixel(53, 100), kSentinel);
        EXPECT_EQ(s.pixel(60, 29), kSentinel);

        // Frame around x 56..L+55, y 32..352.
        for (int y = 32; y <= 352; ++y) {
            ASSERT_EQ(s.pixel(56, y), kFrameColor) << y;
            ASSERT_EQ(s.pixel(right, y), kFrameColor) << y;
        }
        for (int x = 56; x <= right; ++x) {
            ASSERT_EQ(s.pixel(x, 32), kFrameColor) << x;
            ASSERT_EQ(s.pixel(x, 352), kFrameColor) << x;
        }
        // Nothing of the grid or the level lines beyond the frame.
        EXPECT_EQ(s.pixel(right + 1, 64), kBackgroundColor);
        EXPECT_EQ(s.pixel(right + 1, 48), kBackgroundColor);
        EXPECT_EQ(s.pixel(100 < right ? 100 : 57, 353), kBackgroundColor);

        // Inside the frame: rows every 16 from y 32, columns every 16 from dot 0; the level
        // lines at y 64 and y 320 over the grid.
        int gridColumns = 0;
        for (int x = 57; x < right; ++x) {
            const bool gridColumn = (x - 56) % 16 == 0;
            gridColumns += gridColumn ? 1 : 0;
            for (int y = 33; y < 352; ++y) {
                const bool gridRow = (y - 32) % 16 == 0;
                Color expected = kBackgroundColor;
                if (y == 64 || y == 320) {
                    expected = kLevelLineColor;
                } else if (gridRow || gridColumn) {
                    expected = kGridColor;
                }
                ASSERT_EQ(s.pixel(x, y), expected) << x << "," << y;
            }
        }
        EXPECT_EQ(gridColumns, (l - 2) / 16);
    }
}

TEST(DrawMainFrame, ClearsContentDrawsBevelsAndLabels) {
    GraphBuffers& b = sharedBuffers();
    for (const bool cmy : {false, true}) {
        b.mainBuffer.fill(kSentinel);
        test::FakeTextRenderer text;
        DrawMainFrame(b, 512, cmy, text);
        const SynchroBoxPlaces places = SynchroCheckBoxPlaces();
        const Surface& s = b.mainBuffer;
        EXPECT_EQ(s.pixel(0, 0), kBackgroundColor);
        EXPECT_EQ(s.pixel(623, 489), kBackgroundColor);
        EXPECT_EQ(s.pixel(624, 0), kSentinel);

        ASSERT_EQ(text.calls.size(), 4u);
        const char* expected[2][4] = {{"RGB", "R", "G", "B"}, {"CMY", "C", "M", "Y"}};
        for (int k = 0; k < 4; ++k) {
            const int top = colorBarTop(k);
            EXPECT_EQ(text.calls[k].text, expected[cmy][k]);
            EXPECT_EQ(text.calls[k].x, k == 0 ? 22 : 40);
            EXPECT_EQ(text.calls[k].y, top - 1);
            EXPECT_EQ(text.calls[k].style.face, "Courier New");
            EXPECT_EQ(text.calls[k].style.pixelHeight, 16);
            EXPECT_EQ(text.calls[k].style.color, kLabelColor);
            EXPECT_FALSE(text.calls[k].style.opaque);
            // Bevel (55, top-1)..(568, top+16) around the bar interior.
            EXPECT_EQ(s.pixel(55, top + 8), rgb(160, 160, 160));
            EXPECT_EQ(s.pixel(300, top - 1), rgb(160, 160, 160));
            EXPECT_EQ(s.pixel(568, top + 8), rgb(104, 104, 104));
            EXPECT_EQ(s.pixel(300, top + 16), rgb(104, 104, 104));
            EXPECT_EQ(s.pixel(300, top + 4), kBackgroundColor);
        }
        EXPECT_EQ(places[0], (CheckBoxPlace{18, 394, 15, 15}));
        EXPECT_EQ(places[1], (CheckBoxPlace{18, 418, 15, 15}));
        EXPECT_EQ(places[2], (CheckBoxPlace{18, 442, 15, 15}));
    }
    // A short gradation still clears the minimum content width of 300.
    b.mainBuffer.fill(kSentinel);
    test::FakeTextRenderer text;
    DrawMainFrame(b, 100, false, text);
    EXPECT_EQ(b.mainBuffer.pixel(299, 489), kBackgroundColor);
    EXPECT_EQ(b.mainBuffer.pixel(300, 489), kSentinel);
}

// Channel levels given per dot, no points.
std::unique_ptr<GradationDocument> crossingDocument() {
    auto doc = test::flatLevels(512, 10, 0, 0);
    for (int j = 0; j < 512; ++j) {
        doc->colorLine[1][j].y = CanvasGeometry::levelY(j / 2);
        doc->colorLine[2][j].y = CanvasGeometry::levelY(254 - j / 2);
    }
    return doc;
}

TEST(ComposeGraph, InactiveCurvesAreOredAndTheCurrentCurveDrawnOnTop) {
    GraphBuffers& b = sharedBuffers();
    auto doc = crossingDocument();
    const ChannelColors colors = channelColorsFor(false);
    DrawGraphBackground(b, 512);
    RebuildChannelLayers(b, *doc, colors);
    ComposeGraph(b, *doc, colors, 0);
    const Surface& m = b.mainBuffer;
    // Channels 1 and 2 both pass dot 254 at level 127: their inactive colours combine.
    EXPECT_EQ(m.pixel(56 + 254, 320 - 127), rgb(0, 160, 192));
    EXPECT_EQ(m.pixel(56 + 100, 320 - 50), rgb(0, 160, 0));
    EXPECT_EQ(m.pixel(56 + 100, 320 - 204), rgb(0, 0, 192));
    EXPECT_EQ(m.pixel(56 + 100, 320 - 10), rgb(255, 0, 0));
    EXPECT_EQ(m.pixel(72, 100), kGridColor);
    EXPECT_EQ(m.pixel(60, 100), kBackgroundColor);
    // Each layer holds only its own curve.
    EXPECT_EQ(b.channelLayers[1].pixel(56 + 254, 320 - 127), rgb(0, 160, 0));
    EXPECT_EQ(b.channelLayers[2].pixel(56 + 254, 320 - 127), rgb(0, 0, 192));
    EXPECT_EQ(b.channelLayers[0].pixel(56 + 100, 320 - 10), rgb(234, 0, 0));
    EXPECT_EQ(b.channelLayers[0].pixel(56 + 100, 320 - 50), kBackgroundColor);

    // With channel 1 current, channel 0 and 2 make the inactive picture.
    ComposeGraph(b, *doc, colors, 1);
    EXPECT_EQ(m.pixel(56 + 100, 320 - 10), rgb(234, 0, 0));
    EXPECT_EQ(m.pixel(56 + 100, 320 - 50), rgb(0, 224, 0));
    EXPECT_EQ(m.pixel(56 + 254, 320 - 127), rgb(0, 224, 0));
}

std::unique_ptr<GradationDocument> pointsDocument() {
    auto doc = test::openDocumentFromAnchors(
        512, {{56.0, 300.0}, {200.7, 150.2}, {400.0, 40.5}, {567.0, 345.0}});
    return doc;
}

TEST(DrawPointMarkers, RingsOnEveryAnchorIncludingOutsideTheLevelBand) {
    GraphBuffers& b = sharedBuffers();
    auto doc = pointsDocument();
    for (const bool cmy : {false, true}) {
        const ChannelColors colors = channelColorsFor(cmy);
        DrawGraphBackground(b, 512);
        RebuildChannelLayers(b, *doc, colors);
        ComposeGraph(b, *doc, colors, 0);
        const Color marker = cmy ? rgb(255, 255, 255) : rgb(224, 224, 0);
        const ChannelCurve& curve = doc->channels[0];
        for (int i = 0; i < curve.pointCount; ++i) {
            const int cx = static_cast<int>(std::floor(curve.anchorPoints[i].x));
            const int cy = static_cast<int>(std::floor(curve.anchorPoints[i].y));
            for (const auto& [dx, dy] :
                 {std::pair{0, -1}, std::pair{1, -1}, std::pair{-1, 0}, std::pair{2, 0},
                  std::pair{-1, 1}, std::pair{2, 1}, std::pair{0, 2}, std::pair{1, 2}}) {
                EXPECT_EQ(b.mainBuffer.pixel(cx + dx, cy + dy), marker)
                    << i << ": " << dx << "," << dy;
            }
        }
        // The anchor at level ~280 puts its marker above y 64; the curve stays below.
        EXPECT_LT(std::floor(curve.anchorPoints[2].y) + 2, 64);
        for (int y = 33; y < 64; ++y) {
            for (int x = 57; x < 567; ++x) {
                ASSERT_NE(b.mainBuffer.pixel(x, y), colors.active[0]) << x << "," << y;
            }
        }
    }

    // A channel with no points: curve, no markers.
    doc->channels[1].pointCount = 0;
    const ChannelColors colors = channelColorsFor(false);
    ComposeGraph(b, *doc, colors, 1);
    int markers = 0;
    int curve = 0;
    for (int y = 30; y < 354; ++y) {
        for (int x = 54; x < 570; ++x) {
            markers += b.mainBuffer.pixel(x, y) == colors.marker ? 1 : 0;
            curve += b.mainBuffer.pixel(x, y) == colors.active[1] ? 1 : 0;
        }
    }
    EXPECT_EQ(markers, 0);
    EXPECT_GE(curve, 511);
}

TEST(SwitchToNextChannel, EveryLayerKeepsItsLastEditedCurve) {
    GraphBuffers& b = sharedBuffers();
    auto doc = test::flatLevels(512, 51, 101, 151);
    const ChannelColors colors = channelColorsFor(false);
    DrawGraphBackground(b, 512);
    RebuildChannelLayers(b, *doc, colors);
    ComposeGraph(b, *doc, colors, 0);
    const int x = 56 + 44;
    const auto setLevel = [&](ChannelIndex ch, int level) {
        for (int j = 0; j < 512; ++j) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(level);
        }
    };
    // Edit the current channel, then switch away from it, three times round.
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(doc->currentChannel, ch);
        setLevel(ch, 61 + 50 * ch);
        SwitchToNextChannel(b, *doc, colors);
    }
    EXPECT_EQ(doc->currentChannel, 0);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        const Surface& layer = b.channelLayers[ch];
        EXPECT_EQ(layer.pixel(x, 320 - (61 + 50 * ch)), colors.inactive[ch]) << ch;
        EXPECT_EQ(layer.pixel(x, 320 - (51 + 50 * ch)), kBackgroundColor) << ch;
        for (ChannelIndex other = 0; other < 3; ++other) {
            if (other != ch) {
                EXPECT_EQ(layer.pixel(x, 320 - (61 + 50 * other)), kBackgroundColor);
            }
        }
    }
    EXPECT_EQ(b.mainBuffer.pixel(x, 259), colors.active[0]);
    EXPECT_EQ(b.mainBuffer.pixel(x, 209), colors.inactive[1]);
    EXPECT_EQ(b.mainBuffer.pixel(x, 159), colors.inactive[2]);
    EXPECT_EQ(b.mainBuffer.pixel(x, 269), kBackgroundColor);

    // In CMY mode the composed plot uses the CMY sets.
    const ChannelColors cmy = channelColorsFor(true);
    RebuildChannelLayers(b, *doc, cmy);
    ComposeGraph(b, *doc, cmy, 0);
    EXPECT_EQ(b.mainBuffer.pixel(x, 259), rgb(0, 232, 232));
    EXPECT_EQ(b.mainBuffer.pixel(x, 209), rgb(192, 0, 192));
    EXPECT_EQ(b.mainBuffer.pixel(x, 159), rgb(192, 192, 0));
}

TEST(DrawCurve, StaysInsideTheGradationAndOmitsTheLastPoint) {
    Surface s(700, 400);
    auto doc = test::flatLevels(100, 20, 20, 20);
    DrawCurve(s, *doc, 0, -50, 5000, kFrameColor);
    EXPECT_EQ(s.pixel(56, 300), kFrameColor);
    EXPECT_EQ(s.pixel(154, 300), kFrameColor);
    EXPECT_EQ(s.pixel(155, 300), 0u); // last dot: the polyline's end point
    EXPECT_EQ(s.pixel(156, 300), 0u);
    EXPECT_EQ(s.pixel(55, 300), 0u);
}

} // namespace
} // namespace spectrane
