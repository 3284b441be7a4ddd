#include "editing/editor_input.h"

#include "editing/drag_start.h"
#include "editing/hit_test.h"

namespace spectrane {

LeftPress LeftButtonDown(EditorContext& ctx, DragWorker& worker, int x, int y) {
    if (worker.busy()) {
        return LeftPress::Ignored;
    }
    return StartDrag(ctx, x, y) ? LeftPress::DragStarted : LeftPress::MoveWindow;
}

void MouseMove(EditorContext& ctx, DragWorker& worker, int x, int y, bool leftDown) {
    if (ctx.edit.dragging && !leftDown) {
        EndDrag(ctx.edit);
    }
    if (worker.busy()) {
        return;
    }
    EditState& edit = ctx.edit;
    if (!edit.dragging) {
        UpdateHover(ctx, x, y);
        return;
    }
    // A report of the pointer still where it was pressed is no movement: a step there would
    // only round the point onto the pixel grid, and a click must leave the curve as it is.
    edit.pointerMoved = edit.pointerMoved || x != edit.pressX || y != edit.pressY;
    if (edit.pointerMoved) {
        worker.postDrag(x, y);
    }
}

void LeftButtonUp(EditState& edit) {
    EndDrag(edit);
}

void MouseGrabLost(EditState& edit) {
    EndDrag(edit);
}

RightPress RightButtonDown(EditorContext& ctx, DragWorker& worker, int x, int y) {
    if (worker.busy()) {
        return RightPress::Swallowed;
    }
    UpdateHover(ctx, x, y);
    if (ctx.edit.hoveredPoint == -1) {
        worker.postSwitchChannel();
        return RightPress::SwitchPosted;
    }
    return RightPress::Passed;
}

} // namespace spectrane
