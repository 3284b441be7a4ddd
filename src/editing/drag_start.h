// What a left press on an anchor records for the drag that follows: the settings snapshot, the
// grab offsets and the inverse coefficients that turn the anchor's position into its control
// point's; and the release that ends the drag.
#pragma once

#include "editing/editor_context.h"

namespace spectrane {

// A and K such that control point i = (anchor i - A) * K puts anchor i back where it is while
// the other control points stay.
struct InverseCoefficients {
    double ax = 0.0;
    double ay = 0.0;
    double k = 1.0;
};
InverseCoefficients ComputeInverseCoefficients(const ChannelCurve& curve, int i, bool loop,
                                               int length);

// The settings of the document a drag works with.
DragSnapshot TakeDragSnapshot(const GradationDocument& doc, const BitmapWindowLayout& layout);

// Left press at content (x, y) with the worker idle: highlights what is under the pointer and,
// over an anchor, starts a drag (snapshot, grab offsets, inverse coefficients). Returns false
// when no anchor is there: the press then belongs to the window (a move by its client area).
bool StartDrag(EditorContext& ctx, int x, int y);

// Starts a drag of the highlighted anchor pressed at content (x, y): snapshot, grab offsets,
// inverse coefficients. Nothing moves yet.
void BeginDrag(EditorContext& ctx, int x, int y);

// Left release: ends the drag; the dragged anchor stays highlighted.
void EndDrag(EditState& edit);

} // namespace spectrane
