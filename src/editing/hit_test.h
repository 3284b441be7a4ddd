// Mouse input over the plot turned into editing state: which anchor is under the pointer, the
// highlight ring with its position read-out, and what a press on an anchor records for the drag.
#pragma once

#include "editing/edit_state.h"

namespace spectrane {

inline constexpr Color kHoverRingColor = rgb(160, 160, 0);
inline constexpr int kHoverRadius = 16;
inline constexpr int kReadoutTop = 352;    // top of the read-out text
inline constexpr int kReadoutBoxTop = 353; // the black box behind it, rows inclusive
inline constexpr int kReadoutBoxBottom = 367;
inline constexpr int kReadoutPixelHeight = 15; // "Courier New", as MainBuffer's font

// Index of the anchor of channel ch whose squared truncated distance from content point (x, y)
// is below 577 (within 24 pixels), the lowest index among equally near ones; -1 for none.
int HitTestAnchor(const GradationDocument& doc, int x, int y, ChannelIndex ch);

// A and K such that control point i = (anchor i - A) * K puts anchor i back where it is while
// the other control points stay.
struct InverseCoefficients {
    double ax = 0.0;
    double ay = 0.0;
    double k = 1.0;
};
InverseCoefficients ComputeInverseCoefficients(const ChannelCurve& curve, int i, bool loop,
                                               int length);

// Hit test for the current channel at content (x, y); moves the highlight if it changed and
// then repaints the main window. Returns true if the highlight changed.
bool UpdateHover(EditorContext& ctx, int x, int y);

// Ring (and, if point positions are shown, the "[x %d,y %d]" read-out) around the highlighted
// anchor, saving the pixels under the ring first. Nothing when no anchor is highlighted.
void DrawHoverRing(EditorContext& ctx);

// Puts back the pixels under the ring and blanks the last read-out box.
void EraseHoverRing(EditorContext& ctx);

// Removes the ring from the picture, if one is shown, and clears the highlight.
void DropHoverRing(EditorContext& ctx);

// Left press at content (x, y) with the worker idle: highlights what is under the pointer and,
// over an anchor, starts a drag (snapshot, grab offsets, inverse coefficients). Returns false
// when no anchor is there: the press then belongs to the window (a move by its client area).
bool StartDrag(EditorContext& ctx, int x, int y);

// Left release: ends the drag; the dragged anchor stays highlighted.
void EndDrag(EditState& edit);

// The settings of the document a drag works with.
DragSnapshot TakeDragSnapshot(const GradationDocument& doc, const BitmapWindowLayout& layout);

} // namespace spectrane
