#include "editing/drag_step.h"

#include "editing/hit_test.h"
#include "editing/synchro.h"
#include "model/gradation_render.h"
#include "model/spline.h"
#include "raster/primitives.h"
#include "views/graph_painter.h"

#include <algorithm>

namespace spectrane {

bool CheckControlOrder(EditState& edit, const ChannelCurve& curve, bool loop, int length) {
    edit.previousDisorder = edit.disorder;
    edit.disorder = false;
    const int n = curve.pointCount;
    const auto& c = curve.controlPoints;
    if (n <= 2) {
        edit.disorder = true;
    } else {
        for (int j = 0; j + 1 < n && !edit.disorder; ++j) {
            edit.disorder = c[j].x >= c[j + 1].x;
        }
        if (loop && c[n - 1].x >= c[0].x + length) {
            edit.disorder = true;
        }
    }
    return !edit.disorder && !edit.previousDisorder;
}

namespace {

SynchroPropagation dragPropagation(const EditorContext& ctx, int firstDot, int lastDot,
                                   int spanLeft, int spanRight) {
    const DragSnapshot& s = ctx.edit.dragSnapshot;
    SynchroPropagation p;
    p.synchroOn = s.synchro != 0;
    p.channelFlags = s.synchroChannels;
    p.current = ctx.doc.currentChannel;
    p.source = ctx.doc.currentChannel;
    p.firstDot = firstDot;
    p.lastDot = lastDot;
    p.length = s.length;
    p.cmy = s.cmy != 0;
    p.pointIndex = ctx.edit.hoveredPoint;
    p.loop = s.loop != 0;
    p.whole = false;
    p.spanLeft = spanLeft;
    p.spanRight = spanRight;
    p.spanWidth = spanRight - spanLeft + 1;
    return p;
}

void paintDots(EditorContext& ctx, int firstDot, int lastDot) {
    const DragSnapshot& s = ctx.edit.dragSnapshot;
    const ChannelIndex c = ctx.doc.currentChannel;
    paintColorBars(ctx.buffers.mainBuffer, ctx.doc.colorLine, c, firstDot, lastDot, s.cmy != 0);
    paintGradation(ctx.buffers.gradationBuffer(s.direction), ctx.doc.colorLine, s.gradationLeft,
                   s.gradationTop, s.length, s.thickness, firstDot, lastDot, s.direction,
                   s.cmy != 0);
}

// Redraws canvas columns a..b (inclusive) of the current curve and everything that shows it,
// with a margin of 2 pixels each side.
void redrawPiece(EditorContext& ctx, int a, int b) {
    constexpr int x0 = CanvasGeometry::kDotX0;
    const ChannelIndex c = ctx.doc.currentChannel;
    PropagateSynchro(ctx.doc, ctx.buffers, ctx.colors,
                     dragPropagation(ctx, a - x0, b - x0, a - 2, b + 2));
    CopyBlock(ctx.buffers.mainBuffer, a - 2, PlotPanel::kTop, ctx.buffers.inactiveComposite, a - 2,
              PlotPanel::kTop, (b + 2) - (a - 2) + 1, PlotPanel::kHeight);
    DrawCurve(ctx.buffers.mainBuffer, ctx.doc, c, a - 59, b - 53, ctx.colors.active[c]);
    DrawPointMarkers(ctx.buffers, ctx.doc, ctx.colors);
    paintDots(ctx, a - x0, b - x0);
}

void partialUpdate(EditorContext& ctx, int i) {
    GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int n = doc.channels[c].pointCount;
    const bool loop = ctx.edit.dragSnapshot.loop != 0;
    const int l = ctx.edit.dragSnapshot.length;
    for (int j = i - 1; j <= i + 1; ++j) {
        if (loop || (j >= 0 && j < n)) {
            deriveAnchor(doc, c, j); // a loop index is taken modulo n
        }
    }
    const DirtySpan span = loop ? reevaluateLoopLocal(doc, c, i) : reevaluateOpenLocal(doc, c, i);
    const int first = span.firstX;
    const int last = span.lastX;
    const int x0 = CanvasGeometry::kDotX0;
    const int x1 = l + 55;
    if (first < x0) {
        redrawPiece(ctx, first + l, x1);
        redrawPiece(ctx, x0, last);
    } else if (last > x1) {
        redrawPiece(ctx, x0, last - l);
        redrawPiece(ctx, first, x1);
    } else {
        redrawPiece(ctx, first, last);
    }
}

void fullUpdate(EditorContext& ctx) {
    GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int l = ctx.edit.dragSnapshot.length;
    deriveAnchors(doc, c);
    evaluateChannel(doc, c);
    PropagateSynchro(doc, ctx.buffers, ctx.colors,
                     dragPropagation(ctx, 0, l - 1, PlotPanel::kLeft, l + 57));
    Surface& main = ctx.buffers.mainBuffer;
    CopyBlock(main, PlotPanel::kLeft, PlotPanel::kTop, ctx.buffers.inactiveComposite,
              PlotPanel::kLeft, PlotPanel::kTop, PlotPanel::width(l), PlotPanel::kHeight);
    DrawCurve(main, doc, c, 0, l - 1, ctx.colors.active[c]);
    DrawPointMarkers(ctx.buffers, doc, ctx.colors);
    paintDots(ctx, 0, l - 1);
}

} // namespace

DragPath DragStep(EditorContext& ctx, int x, int y) {
    EditState& edit = ctx.edit;
    GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    ChannelCurve& curve = doc.channels[c];
    const int i = edit.hoveredPoint;
    const int n = curve.pointCount;
    if (i < 0 || i >= n) {
        return DragPath::None;
    }
    const DragSnapshot& s = edit.dragSnapshot;
    const bool loop = s.loop != 0;
    const int l = s.length;
    EraseHoverRing(ctx);
    CurvePoint& d = curve.anchorPoints[i];
    // Sums in double: the pointer may be anywhere a 16-bit position reaches.
    if ((i > 0 && i < n - 1) || loop) {
        d.x = static_cast<double>(x) + edit.grabOffsetX;
    }
    d.y = static_cast<double>(y) + edit.grabOffsetY;
    d.x = std::clamp(d.x, static_cast<double>(CanvasGeometry::kDotX0), static_cast<double>(l + 55));
    d.y = std::clamp(d.y, static_cast<double>(kAnchorTop), static_cast<double>(kAnchorBottom));
    curve.controlPoints[i] = {(d.x - edit.inverseAx) * edit.inverseK,
                              (d.y - edit.inverseAy) * edit.inverseK};
    const bool partial = CheckControlOrder(edit, curve, loop, l);
    if (partial) {
        partialUpdate(ctx, i);
    } else {
        fullUpdate(ctx);
    }
    DrawHoverRing(ctx);
    return partial ? DragPath::Partial : DragPath::Full;
}

} // namespace spectrane
