#include "editing/drag_step.h"

#include "editing/hit_test.h"
#include "editing/redraw.h"
#include "editing/synchro.h"
#include "model/document_check.h"
#include "model/spline.h"

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
    SynchroPropagation p;
    p.settings = ctx.edit.dragSnapshot;
    p.current = ctx.doc.currentChannel;
    p.source = ctx.doc.currentChannel;
    p.firstDot = firstDot;
    p.lastDot = lastDot;
    p.pointIndex = ctx.edit.hoveredPoint;
    p.whole = false;
    p.spanLeft = spanLeft;
    p.spanRight = spanRight;
    return p;
}

// Redraws canvas columns a..b (inclusive) of the current curve and everything that shows it.
void redrawPiece(EditorContext& ctx, int a, int b) {
    PropagateSynchro(ctx.doc, ctx.buffers, ctx.colors,
                     dragPropagation(ctx, CanvasGeometry::dotOfX(a), CanvasGeometry::dotOfX(b),
                                     a - kRedrawMargin, b + kRedrawMargin));
    RedrawCurrentChannelColumns(ctx, a, b);
    PaintCurrentChannelDots(ctx, ctx.edit.dragSnapshot, CanvasGeometry::dotOfX(a),
                            CanvasGeometry::dotOfX(b));
}

void partialUpdate(EditorContext& ctx, int i) {
    GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int n = doc.channels[c].pointCount;
    const DragSnapshot& s = ctx.edit.dragSnapshot;
    for (int j = i - 1; j <= i + 1; ++j) {
        if (s.loop || (j >= 0 && j < n)) {
            deriveAnchor(doc, c, j); // a loop index is taken modulo n
        }
    }
    const DirtySpan span = s.loop ? reevaluateLoopLocal(doc, c, i) : reevaluateOpenLocal(doc, c, i);
    const int first = span.firstX;
    const int last = span.lastX;
    const int x0 = CanvasGeometry::kDotX0;
    const int x1 = s.geometry().lastDotX();
    const int l = s.length;
    // A loop's change that crosses the seam is redrawn in two pieces, one at each end.
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
    const DragSnapshot& s = ctx.edit.dragSnapshot;
    const int l = s.length;
    deriveAnchors(doc, c);
    evaluateChannel(doc, c);
    PropagateSynchro(
        doc, ctx.buffers, ctx.colors,
        dragPropagation(ctx, 0, l - 1, CanvasGeometry::kPanelLeft, s.geometry().panelRight()));
    RedrawCurrentChannel(ctx);
    PaintCurrentChannelDots(ctx, s, 0, l - 1);
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
    EraseHoverRing(ctx);
    CurvePoint& d = curve.anchorPoints[i];
    // Sums in double: the pointer may be anywhere a 16-bit position reaches.
    if ((i > 0 && i < n - 1) || s.loop) {
        d.x = static_cast<double>(x) + edit.grabOffsetX;
    }
    d.y = static_cast<double>(y) + edit.grabOffsetY;
    d.x = std::clamp(d.x, static_cast<double>(CanvasGeometry::kDotX0),
                     static_cast<double>(s.geometry().lastDotX()));
    d.y = std::clamp(d.y, static_cast<double>(kAnchorTop), static_cast<double>(kAnchorBottom));
    // Only neighbours far outside the canvas can push the control point past what a file holds.
    curve.controlPoints[i] = {
        std::clamp((d.x - edit.inverseAx) * edit.inverseK, -kCoordinateBound, kCoordinateBound),
        std::clamp((d.y - edit.inverseAy) * edit.inverseK, -kCoordinateBound, kCoordinateBound)};
    const bool partial = CheckControlOrder(edit, curve, s.loop, s.length);
    if (partial) {
        partialUpdate(ctx, i);
    } else {
        fullUpdate(ctx);
    }
    DrawHoverRing(ctx);
    return partial ? DragPath::Partial : DragPath::Full;
}

} // namespace spectrane
