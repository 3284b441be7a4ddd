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
        DrawPointMarker(surface, shownFloor(p.x), shownFloor(p.y), 2, color);
    }
}

constexpr std::string_view kRgbLabels[] = {"RGB", "R", "G", "B"};
constexpr int kMixedLabelX = 22;   // "RGB" / "CMY"
constexpr int kChannelLabelX = 40; // "R", "G", "B" / "C", "M", "Y"
constexpr int kSynchroBoxX = 18;
constexpr int kSynchroBoxSize = 15;
constexpr std::string_view kCmyLabels[] = {"CMY", "C", "M", "Y"};
constexpr std::string_view kOklchLabels[] = {"LCh", "L", "C", "h"};

} // namespace

SynchroBoxPlaces SynchroCheckBoxPlaces() {
    SynchroBoxPlaces places;
    for (ChannelIndex c = 0; c < kChannelCount; ++c) {
        places[c] = {kSynchroBoxX, colorBarTop(c + 1), kSynchroBoxSize, kSynchroBoxSize};
    }
    return places;
}

void CopyPanelColumns(Surface& to, const Surface& from, int left, int width) {
    CopyBlock(to, left, CanvasGeometry::kPanelTop, from, left, CanvasGeometry::kPanelTop, width,
              CanvasGeometry::kPanelHeight);
}

void CopyPanel(Surface& to, const Surface& from, int length) {
    CopyPanelColumns(to, from, CanvasGeometry::kPanelLeft,
                     CanvasGeometry::forLength(usableLength(length)).panelWidth());
}

void DrawGraphBackground(GraphBuffers& buffers, int length) {
    const CanvasGeometry g = CanvasGeometry::forLength(usableLength(length));
    Surface& s = buffers.graphBackground;
    const int x0 = g.firstDotX();
    // The fill reaches one row below the panel (y 354).
    FillBox(s, CanvasGeometry::kPanelLeft, CanvasGeometry::kPanelTop, g.panelRight(),
            CanvasGeometry::kPanelTop + CanvasGeometry::kPanelHeight, kBackgroundColor);
    // Lines end one dot past the last one: the end pixel is not drawn.
    for (int y = kPlotTop; y <= kPlotBottom; y += kGridStep) {
        DrawLine(s, x0, y, g.lastDotX() + 1, y, kGridColor);
    }
    for (int x = x0; x <= g.lastDotX(); x += kGridStep) {
        DrawLine(s, x, kPlotTop, x, kPlotBottom, kGridColor);
    }
    for (int level : {0, 256}) {
        const int y = CanvasGeometry::levelY(level);
        DrawLine(s, x0, y, g.lastDotX() + 1, y, kLevelLineColor);
    }
    DrawOutlinedBox(s, x0, kPlotTop, g.lastDotX(), kPlotBottom, kFrameColor);
}

void DrawMainFrame(GraphBuffers& buffers, int length, ColorMode mode, TextRenderer& text) {
    const CanvasGeometry g = CanvasGeometry::forLength(usableLength(length));
    Surface& s = buffers.mainBuffer;
    FillBox(s, 0, 0, g.contentWidth() - 1, CanvasGeometry::kContentHeight - 1, kBackgroundColor);
    TextStyle style;
    style.face = std::string(kCourierFace);
    style.pixelHeight = 16;
    style.color = kLabelColor;
    const auto& labels = mode == ColorMode::Cmy     ? kCmyLabels
                         : mode == ColorMode::Oklch ? kOklchLabels
                                                    : kRgbLabels;
    for (int k = 0; k < 4; ++k) {
        const int top = colorBarTop(k);
        // The bevel stands one pixel outside the bar's interior on every side.
        DrawBevel(s, g.firstDotX() - 1, top - 1, g.lastDotX() + 1, top + kColorBarHeight);
        DrawLabel(s, text, labels[k], k == 0 ? kMixedLabelX : kChannelLabelX, top - 1, style);
    }
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

void DrawShownChroma(Surface& surface, const GradationDocument& doc, ChannelIndex ch, int firstDot,
                     int lastDot) {
    if (!doc.oklch() || ch != kChromaChannel) {
        return;
    }
    const int l = usableLength(doc.length);
    firstDot = std::max(firstDot, 0);
    lastDot = std::min(lastDot, l - 1);
    for (int j = firstDot; j <= lastDot; ++j) {
        const ShownColor shown = shownDotColor(doc.colorLine, j, doc.colorModel());
        if (shown.mapped) {
            surface.setPixel(CanvasGeometry::dotX(j), CanvasGeometry::levelY(shown.shownChroma),
                             kShownChromaColor);
        }
    }
}

void RebuildChannelLayers(GraphBuffers& buffers, const GradationDocument& doc,
                          const ChannelColors& colors) {
    const int l = usableLength(doc.length);
    for (ChannelIndex c = 0; c < kChannelCount; ++c) {
        CopyPanel(buffers.channelLayers[c], buffers.graphBackground, l);
        DrawCurve(buffers.channelLayers[c], doc, c, 0, l - 1, colors.inactive[c]);
    }
}

void ComposeInactiveColumns(GraphBuffers& buffers, ChannelIndex cur, int left, int width) {
    const auto [first, second] = otherChannels(cur);
    CopyPanelColumns(buffers.inactiveComposite, buffers.channelLayers[first], left, width);
    CopyBlockOr(buffers.inactiveComposite, left, CanvasGeometry::kPanelTop,
                buffers.channelLayers[second], left, CanvasGeometry::kPanelTop, width,
                CanvasGeometry::kPanelHeight);
}

void ComposeGraph(GraphBuffers& buffers, const GradationDocument& doc, const ChannelColors& colors,
                  ChannelIndex cur) {
    const int l = usableLength(doc.length);
    cur = std::clamp<ChannelIndex>(cur, 0, kChannelCount - 1);
    ComposeInactiveColumns(buffers, cur, CanvasGeometry::kPanelLeft,
                           CanvasGeometry::forLength(l).panelWidth());
    CopyPanel(buffers.mainBuffer, buffers.inactiveComposite, l);
    DrawCurve(buffers.mainBuffer, doc, cur, 0, l - 1, colors.active[cur]);
    DrawShownChroma(buffers.mainBuffer, doc, cur, 0, l - 1);
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
    CopyPanel(buffers.mainBuffer, buffers.graphBackground, l);
    DrawCurve(buffers.mainBuffer, doc, cur, 0, l - 1, colors.inactive[cur]);
    CopyPanel(buffers.channelLayers[cur], buffers.mainBuffer, l);
    doc.currentChannel = (cur + 1) % kChannelCount;
    ComposeGraph(buffers, doc, colors, doc.currentChannel);
}

} // namespace spectrane
