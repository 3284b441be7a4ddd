#include "editing/key_moves.h"

#include "editing/drag_start.h"
#include "editing/hit_test.h"
#include "model/whole_numbers.h"
#include "views/graph_painter.h"

#include <algorithm>

namespace spectrane {

namespace {

// Floor of v / kKeyGrid, for negative levels too.
int gridFloor(int v) {
    return v >= 0 ? v / kKeyGrid : -((-v + kKeyGrid - 1) / kKeyGrid);
}

// The next multiple of the grid above v, or below it.
int nextGridLine(int v, bool up) {
    return up ? (gridFloor(v) + 1) * kKeyGrid : -(gridFloor(-v) + 1) * kKeyGrid;
}

int stepped(int v, bool up, KeyStride stride) {
    switch (stride) {
    case KeyStride::Ten:
        return up ? v + 10 : v - 10;
    case KeyStride::Grid:
        return nextGridLine(v, up);
    case KeyStride::One:
        break;
    }
    return up ? v + 1 : v - 1;
}

} // namespace

DotLevel ShownPosition(const GradationDocument& doc, ChannelIndex c, int i) {
    const CurvePoint& a = doc.channels[c].anchorPoints[i];
    return {shownFloor(a.x - CanvasGeometry::kDotX0), shownFloor(CanvasGeometry::kLevelY0 - a.y)};
}

DotLevel KeyMoveTarget(DotLevel from, KeyDirection direction, KeyStride stride) {
    switch (direction) {
    case KeyDirection::Left:
    case KeyDirection::Right:
        from.dot = stepped(from.dot, direction == KeyDirection::Right, stride);
        break;
    case KeyDirection::Up:
    case KeyDirection::Down:
        from.level = stepped(from.level, direction == KeyDirection::Up, stride);
        break;
    }
    return from;
}

int NextPointIndex(int current, int count, bool forward) {
    if (count <= 0) {
        return -1;
    }
    if (current < 0 || current >= count) {
        return forward ? 0 : count - 1;
    }
    return (current + (forward ? 1 : count - 1)) % count;
}

DragPath KeyMove(EditorContext& ctx, DotLevel to) {
    const GradationDocument& doc = ctx.doc;
    const ChannelIndex c = doc.currentChannel;
    const int i = ctx.edit.hoveredPoint;
    const int n = doc.channels[c].pointCount;
    if (i < 0 || i >= n) {
        return DragPath::None;
    }
    const DotLevel from = ShownPosition(doc, c, i);
    if (!doc.loop && (i == 0 || i == n - 1)) {
        to.dot = from.dot;
    }
    to.dot = std::clamp(to.dot, 0, doc.length - 1);
    to.level = std::clamp(to.level, CanvasGeometry::kLevelY0 - kAnchorBottom,
                          CanvasGeometry::kLevelY0 - kAnchorTop);
    if (to == from) {
        return DragPath::None;
    }
    // Pressed on the anchor's own pixel, the grab offsets are zero: the anchor lands exactly on
    // the target, and an axis the key did not move keeps its shown value.
    const CurvePoint a = doc.channels[c].anchorPoints[i];
    BeginDrag(ctx, shownTrunc(a.x), shownTrunc(a.y));
    const DragPath path =
        DragStep(ctx, CanvasGeometry::kDotX0 + to.dot, CanvasGeometry::kLevelY0 - to.level);
    EndDrag(ctx.edit);
    return path;
}

bool ChooseChannel(EditorContext& ctx, ChannelIndex c) {
    if (c < 0 || c >= kChannelCount || c == ctx.doc.currentChannel) {
        return false;
    }
    DropHoverRing(ctx);
    while (ctx.doc.currentChannel != c) {
        SwitchToNextChannel(ctx.buffers, ctx.doc, ctx.colors);
    }
    ctx.host.invalidateMainWindow();
    ctx.host.yieldAfterInvalidate();
    return true;
}

} // namespace spectrane
