// One step of dragging an anchor of the current channel: the anchor goes under the pointer, its
// control point follows, and the curve, plot, colour bars and gradation picture are brought up
// to date, only in the changed stretch when the control polygon allows it.
#pragma once

#include "editing/editor_context.h"

namespace spectrane {

// Limits of a dragged anchor in canvas coordinates: x 56..L+55, y 32..351.
inline constexpr int kAnchorTop = CanvasGeometry::kAnchorMinY;
inline constexpr int kAnchorBottom = CanvasGeometry::kAnchorMaxY;

enum class DragPath { None, Partial, Full };

// Updates the two order flags for the current channel: disorder when it has at most two points
// or its control polygon is not strictly increasing in x (across the seam too, for a loop).
// Returns true when the step may take the partial path (neither flag set).
bool CheckControlOrder(EditState& edit, const ChannelCurve& curve, bool loop, int length);

// One step for the pointer at content position (x, y) (any int, clamped), with the drag state
// recorded at the press. Draws into the buffers but invalidates nothing. Returns the path
// taken, None when no valid anchor is highlighted.
DragPath DragStep(EditorContext& ctx, int x, int y);

} // namespace spectrane
