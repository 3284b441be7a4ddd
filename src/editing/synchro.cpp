#include "editing/synchro.h"

#include "editing/drag_start.h"
#include "editing/redraw.h"

#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <algorithm>

namespace spectrane {

ChannelIndex SynchroSource(const GradationDocument& doc) {
    const ChannelIndex cur = doc.currentChannel;
    if (doc.synchroChannels[cur]) {
        return cur;
    }
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        if (ch != cur && doc.synchroChannels[ch]) {
            return ch;
        }
    }
    return cur;
}

namespace {

void copyPointEffect(ChannelCurve& to, const ChannelCurve& from, int i, bool loop) {
    const int n = from.pointCount;
    if (i < 0 || i >= n) {
        return;
    }
    to.controlPoints[i] = from.controlPoints[i];
    for (int j = i - 1; j <= i + 1; ++j) {
        int k = j;
        if (loop) {
            k = (j + n) % n;
        } else if (j < 0 || j >= n) {
            continue;
        }
        to.anchorPoints[k] = from.anchorPoints[k];
    }
}

} // namespace

void PropagateSynchro(GradationDocument& doc, GraphBuffers& buffers, const ChannelColors& colors,
                      const SynchroPropagation& p) {
    const auto& flags = p.settings.synchroChannels;
    if (!p.settings.synchro || p.source < 0 || p.source >= kChannelCount || !flags[p.source]) {
        return;
    }
    const int l = std::clamp(p.settings.length, kMinDots, kMaxDots);
    const int firstDot = std::max(p.firstDot, 0);
    const int lastDot = std::min(p.lastDot, l - 1);
    const int spanWidth = p.spanRight - p.spanLeft + 1;
    const ChannelCurve& source = doc.channels[p.source];
    for (ChannelIndex t = 0; t < kChannelCount; ++t) {
        if (t == p.source || !flags[t]) {
            continue;
        }
        ChannelCurve& target = doc.channels[t];
        if (p.whole) {
            target.pointCount = source.pointCount;
            target.controlPoints = source.controlPoints;
            target.anchorPoints = source.anchorPoints;
        } else {
            copyPointEffect(target, source, p.pointIndex, p.settings.loop);
        }
        for (int j = firstDot; j <= lastDot; ++j) {
            doc.colorLine[t][j] = doc.colorLine[p.source][j];
        }
        paintColorBars(buffers.mainBuffer, doc.colorLine, t, firstDot, lastDot,
                       p.settings.colorModel());
        CopyPanelColumns(buffers.channelLayers[t], buffers.graphBackground, p.spanLeft, spanWidth);
        // One dot beyond the redrawn columns on each side, so that the stretch joins the rest.
        DrawCurve(buffers.channelLayers[t], doc, t, CanvasGeometry::dotOfX(p.spanLeft) - 1,
                  CanvasGeometry::dotOfX(p.spanRight) + 1, colors.inactive[t]);
    }
    ComposeInactiveColumns(buffers, p.current, p.spanLeft, spanWidth);
}

bool ResyncSynchro(EditorContext& ctx) {
    GradationDocument& doc = ctx.doc;
    const int checked =
        static_cast<int>(std::count(doc.synchroChannels.begin(), doc.synchroChannels.end(), true));
    if (!doc.synchro || checked < 2) {
        return false;
    }
    const CanvasGeometry g = doc.geometry();
    SynchroPropagation p;
    p.settings = doc.settings();
    p.current = doc.currentChannel;
    p.source = SynchroSource(doc);
    p.firstDot = 0;
    p.lastDot = doc.length - 1;
    p.pointIndex = 0;
    p.whole = true;
    p.spanLeft = CanvasGeometry::kPanelLeft;
    p.spanRight = g.panelRight();
    PropagateSynchro(doc, ctx.buffers, ctx.colors, p);
    RedrawCurrentChannel(ctx);
    RenderGradationPicture(ctx, TakeDragSnapshot(doc, ctx.bitmapLayout), 0, doc.length - 1);
    return true;
}

} // namespace spectrane
