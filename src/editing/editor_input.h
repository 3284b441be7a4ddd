// The UI thread's side of the editor: what each mouse event over the plot does, given the
// worker's state. The widget converts positions to content coordinates, publishes the pointer
// and carries out what these return (capture, window move, popup menu).
#pragma once

#include "editing/drag_worker.h"
#include "editing/editor_context.h"

namespace spectrane {

enum class LeftPress {
    Ignored,     // the worker is busy: the press is dropped
    DragStarted, // an anchor is under the pointer: capture the mouse
    MoveWindow,  // empty plot: the press moves the window
};

// Left press at content (x, y).
LeftPress LeftButtonDown(EditorContext& ctx, DragWorker& worker, int x, int y);

// Pointer moved to content (x, y) with the left button down or not: hover while idle, a drag job
// while dragging, once the pointer has left the press position; dropped while the worker is busy
// (it follows the pointer by itself). A move without the left button ends a drag whose release
// went elsewhere (to a popup menu, say).
void MouseMove(EditorContext& ctx, DragWorker& worker, int x, int y, bool leftDown);

// Left release: ends the drag. Does not look at the worker.
void LeftButtonUp(EditState& edit);

// The canvas lost the mouse to a popup or another window: a drag cannot go on without it.
void MouseGrabLost(EditState& edit);

enum class RightPress {
    Swallowed,    // the worker is busy
    SwitchPosted, // no anchor highlighted: the next channel becomes current
    Passed,       // an anchor is highlighted: its popup opens at the release
};

// Right press or double-click at content (x, y). The highlight is hit-tested again at the press,
// so that a highlight left over from a fast drag never opens the menu of a point elsewhere.
RightPress RightButtonDown(EditorContext& ctx, DragWorker& worker, int x, int y);

} // namespace spectrane
