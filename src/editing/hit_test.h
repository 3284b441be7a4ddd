// Which anchor is under the pointer, and the highlight ring with its position read-out that
// shows it.
#pragma once

#include "editing/editor_context.h"

namespace spectrane {

inline constexpr Color kHoverRingColor = rgb(160, 160, 0);
inline constexpr int kHoverRadius = 16;
inline constexpr int kReadoutTop = 352;    // top of the read-out text
inline constexpr int kReadoutBoxTop = 353; // the black box behind it, rows inclusive
inline constexpr int kReadoutBoxBottom = 367;
inline constexpr int kReadoutPixelHeight = 15; // "Courier New", as MainBuffer's font
// An anchor is hit when its squared (truncated) distance is below this: within 24 pixels.
inline constexpr int kHitDistanceSquaredBound = 577;

// Index of the anchor of channel ch whose squared truncated distance from content point (x, y)
// is below 577 (within 24 pixels), the lowest index among equally near ones; -1 for none.
int HitTestAnchor(const GradationDocument& doc, int x, int y, ChannelIndex ch);

// Hit test for the current channel at content (x, y); moves the highlight if it changed and
// then repaints the main window. Returns true if the highlight changed.
bool UpdateHover(EditorContext& ctx, int x, int y);

// Highlights anchor i of the current channel (-1, or an index out of range, for none) as the
// pointer over it would, and repaints the main window. Returns true if the highlight changed.
bool SelectPoint(EditorContext& ctx, int i);

// Ring (and, if point positions are shown, the "[x %d,y %d]" read-out) around the highlighted
// anchor, saving the pixels under the ring first. Nothing when no anchor is highlighted.
void DrawHoverRing(EditorContext& ctx);

// Puts back the pixels under the ring and blanks the last read-out box.
void EraseHoverRing(EditorContext& ctx);

// Removes the ring from the picture, if one is shown, and clears the highlight.
void DropHoverRing(EditorContext& ctx);

} // namespace spectrane
