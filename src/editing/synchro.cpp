#include "editing/synchro.h"

#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <algorithm>

namespace spectrane {

ChannelIndex SynchroSource(const GradationDocument& doc) {
    const ChannelIndex cur = doc.currentChannel;
    if (doc.synchroChannels[cur] != 0) {
        return cur;
    }
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        if (ch != cur && doc.synchroChannels[ch] != 0) {
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
    const auto& flags = p.channelFlags;
    if (!p.synchroOn || p.source < 0 || p.source >= kChannelCount || flags[p.source] == 0) {
        return;
    }
    const int l = std::clamp(p.length, kMinDots, kMaxDots);
    const int firstDot = std::max(p.firstDot, 0);
    const int lastDot = std::min(p.lastDot, l - 1);
    const ChannelCurve& source = doc.channels[p.source];
    for (ChannelIndex t = 0; t < kChannelCount; ++t) {
        if (t == p.source || flags[t] == 0) {
            continue;
        }
        ChannelCurve& target = doc.channels[t];
        if (p.whole) {
            target.pointCount = source.pointCount;
            target.controlPoints = source.controlPoints;
            target.anchorPoints = source.anchorPoints;
        } else {
            copyPointEffect(target, source, p.pointIndex, p.loop);
        }
        for (int j = firstDot; j <= lastDot; ++j) {
            doc.colorLine[t][j] = doc.colorLine[p.source][j];
        }
        paintColorBars(buffers.mainBuffer, doc.colorLine, t, firstDot, lastDot, p.cmy);
        CopyBlock(buffers.channelLayers[t], p.spanLeft, PlotPanel::kTop, buffers.graphBackground,
                  p.spanLeft, PlotPanel::kTop, p.spanWidth, PlotPanel::kHeight);
        DrawCurve(buffers.channelLayers[t], doc, t, p.spanLeft - 57, p.spanRight - 55,
                  colors.inactive[t]);
    }
    ComposeInactiveColumns(buffers, p.current, p.spanLeft, p.spanWidth);
}

bool ResyncSynchro(EditorContext& ctx) {
    GradationDocument& doc = ctx.doc;
    const int checked = static_cast<int>(std::count_if(
        doc.synchroChannels.begin(), doc.synchroChannels.end(), [](auto f) { return f != 0; }));
    if (doc.synchro == 0 || checked < 2) {
        return false;
    }
    const int l = doc.length;
    SynchroPropagation p;
    p.synchroOn = true;
    p.channelFlags = doc.synchroChannels;
    p.current = doc.currentChannel;
    p.source = SynchroSource(doc);
    p.firstDot = 0;
    p.lastDot = l - 1;
    p.length = l;
    p.cmy = doc.cmy != 0;
    p.pointIndex = 0;
    p.loop = doc.loop != 0;
    p.whole = true;
    p.spanLeft = PlotPanel::kLeft;
    p.spanRight = l + 58;
    p.spanWidth = l + 4;
    PropagateSynchro(doc, ctx.buffers, ctx.colors, p);

    Surface& main = ctx.buffers.mainBuffer;
    CopyBlock(main, PlotPanel::kLeft, PlotPanel::kTop, ctx.buffers.inactiveComposite,
              PlotPanel::kLeft, PlotPanel::kTop, PlotPanel::width(l), PlotPanel::kHeight);
    DrawCurve(main, doc, doc.currentChannel, 0, l - 1, ctx.colors.active[doc.currentChannel]);
    DrawPointMarkers(ctx.buffers, doc, ctx.colors);
    paintGradation(ctx.buffers.gradationBuffer(doc.direction), doc.colorLine,
                   ctx.bitmapLayout.marginX, ctx.bitmapLayout.marginY, l, doc.thickness, 0, l - 1,
                   doc.direction, doc.cmy != 0);
    return true;
}

} // namespace spectrane
