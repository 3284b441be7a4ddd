// Editing without a mouse: the highlighted point of the current channel chosen by index and
// moved by keys, each move one drag step to where a drag pressed on the point would take it.
#pragma once

#include "editing/drag_step.h"
#include "editing/editor_context.h"

namespace spectrane {

// A point's position as the plot shows it: dot floor(x - 56), level floor(320 - y).
struct DotLevel {
    int dot = 0;
    int level = 0;

    friend bool operator==(const DotLevel&, const DotLevel&) = default;
};

enum class KeyDirection { Left, Right, Up, Down };
// A plain arrow moves by one, with Shift by ten, with Ctrl to the next whole multiple of 16.
enum class KeyStride { One, Ten, Grid };
inline constexpr int kKeyGrid = 16;

// Shown dot and level of anchor i (0..count-1) of channel c.
DotLevel ShownPosition(const GradationDocument& doc, ChannelIndex c, int i);

// Where an arrow key takes `from` (Right adds dots, Up adds levels); not yet clamped.
DotLevel KeyMoveTarget(DotLevel from, KeyDirection direction, KeyStride stride);

// The point Tab (forward) or Shift+Tab selects after `current` among `count` points, wrapping
// round; from none, the first or the last. -1 when there are no points.
int NextPointIndex(int current, int count, bool forward);

// Moves the highlighted anchor of the current channel to `to` (dot 0..L-1, level -31..288, an
// open curve's end keeping its dot) as a press on its pixel and a drag to the target's pixel
// would: one drag step, the ring kept. UI thread with the worker idle. Returns None, changing
// nothing, when no anchor is highlighted or the clamped target is where the point is shown.
DragPath KeyMove(EditorContext& ctx, DotLevel to);

// Makes channel c current (dropping the highlight), as right clicks on empty plot would.
// Returns true if the current channel changed.
bool ChooseChannel(EditorContext& ctx, ChannelIndex c);

} // namespace spectrane
