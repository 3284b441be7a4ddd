#include "views/graph_painter.h"

#include "model/gradation_render.h"
#include "model/whole_numbers.h"
#include "raster/primitives.h"

#include <algorithm>
#include <string_view>

namespace spectrane {

namespace {

// The tables hold at most kMaxDots dots; a length outside 2..1600 is never drawn past them.
int usableLength(int length) {
    return std::clamp(length, kMinDots, kMaxDots);
}

void copyPanel(Surface& to, const Surface& from, int length) {
    CopyBlock(to, PlotPanel::kLeft, PlotPanel::kTop, from, PlotPanel::kLeft, PlotPanel::kTop,
              PlotPanel::width(length), PlotPanel::kHeight);
}

// The two channels other than cur, in ascending order.
std::array<ChannelIndex, 2> otherChannels(ChannelIndex cur) {
    switch (cur) {
    case 0:
        return {1, 2};
    case 1:
        return {0, 2};
    default:
        return {0, 1};
    }
}

void drawMarkersOf(Surface& surface, const ChannelCurve& curve, Color color) {
    const int n = std::clamp<int>(curve.pointCount, 0, kMaxPoints);
    for (int i = 0; i < n; ++i) {
        const CurvePoint& p = curve.anchorPoints[i];
        DrawPointMarker(surface, floorToInt(p.x), floorToInt(p.y), 2, color);
    }
}

constexpr std::string_view kRgbLabels[] = {"RGB", "R", "G", "B"};
constexpr std::string_view kCmyLabels[] = {"CMY", "C", "M", "Y"};

} // namespace

SynchroBoxPlaces SynchroCheckBoxPlaces() {
    SynchroBoxPlaces places;
    for (ChannelIndex c = 0; c < kChannelCount; ++c) {
        places[c] = {18, colorBarTop(c + 1), 15, 15};
    }
    return places;
}

void DrawGraphBackground(GraphBuffers& buffers, int length) {
    const int l = usableLength(length);
    Surface& s = buffers.graphBackground;
    const int x0 = CanvasGeometry::kDotX0;
    FillBox(s, PlotPanel::kLeft, PlotPanel::kTop, l + 57, 354, kBackgroundColor);
    for (int y = kPlotTop; y <= kPlotBottom; y += kGridStep) {
        DrawLine(s, x0, y, x0 + l, y, kGridColor);
    }
    for (int x = x0; x <= l + 55; x += kGridStep) {
        DrawLine(s, x, kPlotTop, x, kPlotBottom, kGridColor);
    }
    DrawLine(s, x0, CanvasGeometry::levelY(0), x0 + l, CanvasGeometry::levelY(0), kLevelLineColor);
    DrawLine(s, x0, CanvasGeometry::levelY(256), x0 + l, CanvasGeometry::levelY(256),
             kLevelLineColor);
    DrawOutlinedBox(s, x0, kPlotTop, l + 55, kPlotBottom, kFrameColor);
}

SynchroBoxPlaces DrawMainFrame(GraphBuffers& buffers, int length, bool cmy, TextRenderer& text) {
    const int l = usableLength(length);
    Surface& s = buffers.mainBuffer;
    FillBox(s, 0, 0, CanvasGeometry::forLength(l).contentWidth() - 1, GraphBuffers::kMainHeight - 1,
            kBackgroundColor);
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = 16;
    style.color = kLabelColor;
    const auto& labels = cmy ? kCmyLabels : kRgbLabels;
    for (int k = 0; k < 4; ++k) {
        const int top = colorBarTop(k);
        DrawBevel(s, 55, top - 1, 56 + l, top + kColorBarHeight);
        DrawLabel(s, text, labels[k], k == 0 ? 22 : 40, top - 1, style);
    }
    return SynchroCheckBoxPlaces();
}

void DrawCurve(Surface& surface, const GradationDocument& doc, ChannelIndex ch, int firstDot,
               int lastDot, Color color) {
    const int l = usableLength(doc.length);
    firstDot = std::max(firstDot, 0);
    lastDot = std::min(lastDot, l - 1);
    const auto& points = doc.colorLine[ch];
    for (int j = firstDot; j < lastDot; ++j) {
        DrawLine(surface, points[j].x, points[j].y, points[j + 1].x, points[j + 1].y, color);
    }
}

void RebuildChannelLayers(GraphBuffers& buffers, const GradationDocument& doc,
                          const ChannelColors& colors) {
    const int l = usableLength(doc.length);
    for (ChannelIndex c = 0; c < kChannelCount; ++c) {
        copyPanel(buffers.channelLayers[c], buffers.graphBackground, l);
        DrawCurve(buffers.channelLayers[c], doc, c, 0, l - 1, colors.inactive[c]);
    }
}

void ComposeInactiveColumns(GraphBuffers& buffers, ChannelIndex cur, int left, int width) {
    const auto [first, second] = otherChannels(cur);
    CopyBlock(buffers.inactiveComposite, left, PlotPanel::kTop, buffers.channelLayers[first], left,
              PlotPanel::kTop, width, PlotPanel::kHeight);
    CopyBlockOr(buffers.inactiveComposite, left, PlotPanel::kTop, buffers.channelLayers[second],
                left, PlotPanel::kTop, width, PlotPanel::kHeight);
}

void ComposeGraph(GraphBuffers& buffers, const GradationDocument& doc, const ChannelColors& colors,
                  ChannelIndex cur) {
    const int l = usableLength(doc.length);
    cur = std::clamp<ChannelIndex>(cur, 0, kChannelCount - 1);
    ComposeInactiveColumns(buffers, cur, PlotPanel::kLeft, PlotPanel::width(l));
    copyPanel(buffers.mainBuffer, buffers.inactiveComposite, l);
    DrawCurve(buffers.mainBuffer, doc, cur, 0, l - 1, colors.active[cur]);
    drawMarkersOf(buffers.mainBuffer, doc.channels[cur], colors.marker);
}

void DrawPointMarkers(GraphBuffers& buffers, const GradationDocument& doc,
                      const ChannelColors& colors) {
    const ChannelIndex cur = std::clamp<ChannelIndex>(doc.currentChannel, 0, kChannelCount - 1);
    drawMarkersOf(buffers.mainBuffer, doc.channels[cur], colors.marker);
}

void SwitchToNextChannel(GraphBuffers& buffers, GradationDocument& doc,
                         const ChannelColors& colors) {
    const int l = usableLength(doc.length);
    const ChannelIndex cur = std::clamp<ChannelIndex>(doc.currentChannel, 0, kChannelCount - 1);
    copyPanel(buffers.mainBuffer, buffers.graphBackground, l);
    DrawCurve(buffers.mainBuffer, doc, cur, 0, l - 1, colors.inactive[cur]);
    copyPanel(buffers.channelLayers[cur], buffers.mainBuffer, l);
    doc.currentChannel = (cur + 1) % kChannelCount;
    ComposeGraph(buffers, doc, colors, doc.currentChannel);
}

} // namespace spectrane
